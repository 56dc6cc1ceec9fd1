// Recuento de ficheros de columnas en una pasada: categorías, boletos y líneas raras.
#include "output/columnas_prueba.h"
#include "scrutiny/recuento.h"

#include <QBuffer>
#include <QRandomGenerator>

#include <map>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace quiniela;
using quiniela::prueba::FicheroColumnas;

namespace {

const QString Ganadora = u"1X21X21X21X21X2"_s;

ResultadoEscrutinio Cuenta(QByteArray datos, const NumeraBoletos& numera) {
    QBuffer buffer(&datos);
    buffer.open(QIODevice::ReadOnly);
    ResultadoEscrutinio r;
    EXPECT_TRUE(CuentaColumnas(buffer, Ganadora, numera, r));
    return r;
}

int64_t OchoPorBoleto(int64_t n) {
    return (n - 1) / 8 + 1;
}

} // namespace

TEST(Recuento, QuinceAciertosCuentaEnQuinceYCatorcePeroSeListaEnQuince) {
    QString catorce = Ganadora;
    catorce[14] = u'1';
    const auto r =
        Cuenta(FicheroColumnas({Ganadora, catorce, u"222222222222222"_s}), OchoPorBoleto);
    EXPECT_EQ(r.ColumnasLeidas, 3);
    EXPECT_EQ(r.AciertosCategoria[15], 1);
    EXPECT_EQ(r.AciertosCategoria[14], 2);
    ASSERT_EQ(r.Boletos.size(), 1u);
    EXPECT_EQ(r.Boletos[0].Boleto, 1);
    EXPECT_EQ(r.Boletos[0].Columnas, (std::array<int32_t, 6>{1, 1, 0, 0, 0, 0}));
}

TEST(Recuento, FicheroVacioYSinColumnasDeDiez) {
    const auto vacio = Cuenta(QByteArray(), OchoPorBoleto);
    EXPECT_EQ(vacio.ColumnasLeidas, 0);
    EXPECT_TRUE(vacio.Boletos.empty());
    for (int64_t n : vacio.AciertosCategoria)
        EXPECT_EQ(n, 0);

    const auto r = Cuenta(FicheroColumnas(QStringList(20, u"222222222222222"_s)), OchoPorBoleto);
    EXPECT_EQ(r.AciertosCategoria[4], 20); // los cinco "2", el 15 sin los catorce no suma
    EXPECT_TRUE(r.Boletos.empty());
    EXPECT_EQ(r.TotalCentimos(), 0);
}

TEST(Recuento, LineasQueNoSonDeDiecinueveBytes) {
    // Solo LF, sin comillas, con blancos, la última sin salto y una línea vacía.
    const QByteArray datos = "\"1X21X21X21X21X2\"\n1X21X21X21X21X1,basura\r\n\r\n"
                             "  \"1X21X21X21X2\"\r\n\"1X21X21X21X21X2\"";
    const auto r = Cuenta(datos, OchoPorBoleto);
    EXPECT_EQ(r.ColumnasLeidas, 4);
    EXPECT_EQ(r.AciertosCategoria[15], 2);
    EXPECT_EQ(r.AciertosCategoria[14], 3);
    EXPECT_EQ(r.AciertosCategoria[12], 1); // la corta: faltan dos signos
}

TEST(Recuento, BoletosIgualQueColumnaAColumna) {
    // Grupos de 13 columnas (dos boletos por grupo, el segundo de 5) y un fichero más
    // grande que el bloque de lectura: los boletos deben salir como si se numerase cada
    // columna por separado.
    const auto enGrupos = [](int64_t n) {
        const int64_t s = 13, t = 2;
        const int64_t g = (n + s - 1) / s, r = n - (g - 1) * s;
        return (g - 1) * t + (r + 7) / 8;
    };
    QStringList columnas;
    QRandomGenerator azar(7);
    for (int i = 0; i < 40000; ++i) {
        QString c = Ganadora;
        for (int j = 0; j < NumPartidos; ++j)
            if (azar.bounded(8) == 0)
                c[j] = u"1X2"[azar.bounded(3)];
        columnas << c;
    }
    const auto r = Cuenta(FicheroColumnas(columnas), enGrupos);

    std::map<int64_t, std::array<int32_t, 6>> esperados;
    std::array<int64_t, 16> categorias{};
    for (int i = 0; i < columnas.size(); ++i) {
        int h = 0;
        for (int j = 0; j < 14; ++j)
            h += columnas[i][j] == Ganadora[j];
        h = h == 14 && columnas[i][14] == Ganadora[14] ? 15 : h;
        ++categorias[h];
        categorias[14] += h == 15;
        if (h >= 10)
            ++esperados[enGrupos(i + 1)][15 - h];
    }
    EXPECT_EQ(r.AciertosCategoria, categorias);
    ASSERT_EQ(r.Boletos.size(), esperados.size());
    auto e = esperados.begin();
    for (const BoletoPremiado& b : r.Boletos) {
        EXPECT_EQ(b.Boleto, e->first);
        EXPECT_EQ(b.Columnas, e->second) << b.Boleto;
        ++e;
    }
}
