#include "core/codificacion.h"
#include "core/mascaras.h"

#include <gtest/gtest.h>

using namespace quiniela;

TEST(Mascaras, NumerosConSeparadoresRegionales) {
    const QLocale es(QLocale::Spanish, QLocale::Spain);
    const QLocale c = QLocale::c();
    EXPECT_EQ(FormatoNumero(1234.5, u"##,###,##0.00", es), QStringLiteral("1.234,50"));
    EXPECT_EQ(FormatoNumero(1234.5, u"##,###,##0.00", c), QStringLiteral("1,234.50"));
    EXPECT_EQ(FormatoNumero(14348907, u"###,###", es), QStringLiteral("14.348.907"));
    EXPECT_EQ(FormatoNumero(999, u"###,###", es), QStringLiteral("999"));
    EXPECT_EQ(FormatoNumero(0.5, u"##0.00", es), QStringLiteral("0,50"));
    EXPECT_EQ(FormatoNumero(0.125, u"#######0.00", c), QStringLiteral("0.13"));
    EXPECT_EQ(FormatoNumero(-2.5, u"#0", c), QStringLiteral("-3"));
    EXPECT_EQ(FormatoNumero(0, u"#0", c), QStringLiteral("0"));
    EXPECT_EQ(FormatoNumero(1000000, u"##,###,##0.00", es), QStringLiteral("1.000.000,00"));
}

TEST(Mascaras, CifrasYAlineaciones) {
    EXPECT_EQ(DosCifras(7), QStringLiteral("07"));
    EXPECT_EQ(DosCifras(42), QStringLiteral("42"));
    EXPECT_EQ(FormatoTexto(QStringLiteral("5"), u"@@"), QStringLiteral(" 5"));
    EXPECT_EQ(FormatoTexto(QStringLiteral("81"), u"!@@@@@@@"), QStringLiteral("81     "));
    EXPECT_EQ(FormatoTexto(QStringLiteral("123456789"), u"@@@"), QStringLiteral("123456789"));
    EXPECT_EQ(ADerecha(14348907, 9), QStringLiteral(" 14348907"));
    EXPECT_EQ(AnchoFijo(QStringLiteral("0.5"), 4), QStringLiteral("0.5 "));
    EXPECT_EQ(AnchoFijo(QStringLiteral("0.555"), 4), QStringLiteral("0.55"));
    EXPECT_EQ(CifrasFijas(QStringLiteral("123"), 5), QStringLiteral("00123"));
}

TEST(Codificacion, Windows1252IdaYVuelta) {
    const QString texto = QStringLiteral("Año €uro Málaga Ñ \u201cx\u201d");
    const QByteArray bytes = AWindows1252(texto);
    ASSERT_EQ(bytes.size(), texto.size());
    EXPECT_EQ(static_cast<unsigned char>(bytes[1]), 0xF1); // ñ
    EXPECT_EQ(static_cast<unsigned char>(bytes[4]), 0x80); // €
    EXPECT_EQ(DeWindows1252(bytes), texto);
    // Lo que no cabe en Windows-1252 se escribe como "?".
    EXPECT_EQ(AWindows1252(QStringLiteral("\u4e2d")), QByteArray("?"));
}
