// Lo que enseña una comparación fallida de QString o QByteArray en cualquier binario de pruebas.

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace {

TEST(ImpresionQt, LaComparacionFallidaDiceDondeDifiereYEnsenaElTexto) {
    const QByteArray uno = QByteArray(40, 'a') + "\r\nJor 5\xE9";
    const QByteArray otro = QByteArray(40, 'a') + "\r\nJor 6\xE9";
    // El desplazamiento, el trozo con los escapes y las longitudes de los dos lados.
    EXPECT_NONFATAL_FAILURE(EXPECT_EQ(uno, otro), "difieren desde el 46");
    EXPECT_NONFATAL_FAILURE(EXPECT_EQ(uno, otro),
                            "desde el 22: …\"aaaaaaaaaaaaaaaaaa\\r\\nJor 5\\xE9\"");
    EXPECT_NONFATAL_FAILURE(EXPECT_EQ(uno, otro), "48 bytes");

    const QString texto = QStringLiteral("Año 2026\r\n€");
    EXPECT_NONFATAL_FAILURE(EXPECT_EQ(texto, QStringLiteral("Año 2026\r\n$")),
                            "\"Año 2026\\r\\n€\"");
    EXPECT_NONFATAL_FAILURE(EXPECT_EQ(texto, QStringLiteral("Año 2026")), "difieren desde el 8");
}

TEST(ImpresionQt, UnValorSueltoSeVeComoTexto) {
    EXPECT_EQ(testing::PrintToString(QByteArray("A\x01\"")), "3 bytes: \"A\\x01\\\"\"");
    EXPECT_EQ(testing::PrintToString(QStringLiteral("ñ\t")), "2 caracteres: \"ñ\\t\"");
}

} // namespace
