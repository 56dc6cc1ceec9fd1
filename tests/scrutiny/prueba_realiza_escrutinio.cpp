// La ejecución del escrutinio sobre ficheros.
#include "matchdays/fichero_jornadas.h"
#include "output/columnas_prueba.h"
#include "output/fichero_boletos.h"
#include "reduction/fichero_bases.h"
#include "scrutiny/realiza_escrutinio.h"
#include "support/carpeta_temporal.h"
#include "support/plataforma_falsa.h"

#include <QDir>
#include <QFile>

#include <map>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace quiniela;
using namespace quiniela::prueba;

namespace {

const QString Ganadora = u"1X21X21X21X21X2"_s;

EntradaEscrutinio Entrada(const QString& signos) {
    EntradaEscrutinio e;
    for (int j = 1; j <= NumPartidos; ++j)
        e.Marcas[j][QStringLiteral("-1X2").indexOf(signos.at(j - 1))] = 1;
    return e;
}

class RealizaEscrutinioPrueba : public testing::Test {
protected:
    void SetUp() override {
        estado.Datos.JornadaActual = 1;
        estado.Datos.OrdenActual = 1;
        carpeta.Escribe(u"JORNADAS.ZPK"_s, QByteArray());
    }
    CarpetaTemporal carpeta;
    EstadoGlobal estado = carpeta.Estado();
    PlataformaFalsa plataforma{&estado};
    ResultadoEscrutinio r;
};

} // namespace

TEST_F(RealizaEscrutinioPrueba, EjemploDeTresColumnasDeCatorce) {
    QString catorce = Ganadora;
    catorce[14] = u'1';
    carpeta.Escribe(u"RED0101.ZPK"_s, FicheroColumnas({catorce, catorce, catorce}));
    EntradaEscrutinio e = Entrada(Ganadora);
    e.Textos[2] = u"1234,5"_s;
    ASSERT_EQ(RealizaEscrutinio(estado, e, r), FinEscrutinio::Hecho);
    EXPECT_EQ(e.Textos[2], u"1234.5"_s);
    EXPECT_EQ(e.Textos[1], u"0"_s);
    EXPECT_EQ(LineasAciertos(r).at(2), u"  14      3     3703.50"_s);
    EXPECT_EQ(LineasAciertos(r).at(0), u" Suma total:    3703.50"_s);
    EXPECT_EQ(LineasBoletos(r), QStringList{u"     1       3            "_s});
    EXPECT_EQ(carpeta.Lee(u"JORNADAS.ZPK"_s).mid(478, 22), "          0     1234.5");
}

TEST_F(RealizaEscrutinioPrueba, DobleEnElQuinceConDiezColumnas) {
    estado.Red.Base[15].Signo = {0, 1, 1, 0};
    estado.Red.Base[15].RecuentaSignos();
    QStringList columnas(10, u"222222222222222"_s);
    columnas[0] = Ganadora; // 15 aciertos en el boleto 1
    columnas[5] = Ganadora; // y en el boleto 2: la columna 6 empieza el segundo grupo
    carpeta.Escribe(u"RED0101.ZPK"_s, FicheroColumnas(columnas));
    EntradaEscrutinio e = Entrada(Ganadora);
    ASSERT_EQ(RealizaEscrutinio(estado, e, r), FinEscrutinio::Hecho);
    EXPECT_EQ(r.AciertosCategoria[15], 2);
    EXPECT_EQ(r.AciertosCategoria[14], 2);
    EXPECT_EQ(LineasBoletos(r),
              (QStringList{u"     1    1               "_s, u"     2    1               "_s}));
}

TEST_F(RealizaEscrutinioPrueba, CatorceResultadosGuardaYAvisa) {
    carpeta.Escribe(u"RED0101.ZPK"_s, FicheroColumnas({Ganadora}));
    EntradaEscrutinio e = Entrada(u"1X21X21-21X21X2"_s);
    EXPECT_EQ(RealizaEscrutinio(estado, e, r), FinEscrutinio::GanadoraIncompleta);
    ASSERT_EQ(plataforma.mensajes.size(), 1u);
    EXPECT_EQ(plataforma.mensajes[0].titulo, u"COLUMNA GANADORA INCOMPLETA"_s);
    EXPECT_EQ(carpeta.Lee(u"JORNADAS.ZPK"_s).mid(463, 15), "123123103123123");
    EXPECT_TRUE(r.Boletos.empty());
    EXPECT_EQ(r.ColumnasLeidas, 0);
}

TEST_F(RealizaEscrutinioPrueba, SinFicheroDeColumnasNoAvisa) {
    EntradaEscrutinio e = Entrada(Ganadora);
    EXPECT_EQ(RealizaEscrutinio(estado, e, r), FinEscrutinio::SinColumnas);
    EXPECT_TRUE(plataforma.avisos.isEmpty());
    EXPECT_TRUE(plataforma.mensajes.empty());
    EXPECT_EQ(carpeta.Lee(u"JORNADAS.ZPK"_s).mid(463, 15), "123123123123123");
}
