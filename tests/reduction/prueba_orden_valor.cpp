#include "output/columnas_prueba.h"
#include "support/linea_cli.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace quiniela;
using namespace quiniela::prueba;

namespace {

// Registro de jornada a mano: cabecera, equipos en blanco, columna ganadora y premios.
QByteArray Registro(int jornada, const QByteArray& ganadora, const QList<QByteArray>& premios) {
    QByteArray r = "Jor" + QByteArray::number(jornada).rightJustified(2, '0') + "01/09/26" +
                   QByteArray(450, ' ') + ganadora;
    for (const QByteArray& p : premios)
        r += p.rightJustified(11, ' ');
    return r;
}

// Dos columnas (todo "1" y la misma con "X" en el 1) y cada partido a 50, 25 y 25: todas las
// cifras son fracciones de potencias de dos, exactas en la salida. Calculadas aparte, con
// fracciones y las fórmulas binomiales.
class OrdenValor : public testing::Test {
protected:
    OrdenValor() {
        QFile::copy(QStringLiteral(QUINIELA_FUENTES "/data/DATOSGEN.ZPK"),
                    carpeta.Ruta(u"DATOSGEN.ZPK"_s));
        carpeta.Escribe(u"RED0702.ZPK"_s,
                        FicheroColumnas({u"111111111111111"_s, u"X11111111111111"_s}));
        QStringList args{u"probabilidades"_s, u"--jornada"_s, u"7"_s};
        for (int m = 1; m <= 15; ++m)
            args << u"--partido"_s << QString::number(m) << u"50"_s << u"25"_s << u"25"_s;
        EXPECT_EQ(EjecutaCli(carpeta, args).Estado, 0);
    }
    Linea Valor(const QStringList& mas) {
        return EjecutaCli(
            carpeta, QStringList{u"valor"_s, u"--jornada"_s, u"7"_s, u"--orden"_s, u"2"_s} + mas);
    }
    CarpetaTemporal carpeta;
};

const QString Cabecera =
    u"aciertos;probabilidad;probabilidad_al_menos;columnas_esperadas;premio_esperado\n"_s;

} // namespace

TEST_F(OrdenValor, CsvConLosPremiosDados) {
    const Linea s = Valor({u"--premios"_s, u"1000000,50000,1000,100,10,1"_s, u"--csv"_s});
    ASSERT_EQ(s.Estado, 0) << s.Err.toStdString();
    EXPECT_EQ(s.Out, Cabecera + u"15;4.57763671875e-05;4.57763671875e-05;4.57763671875e-05;"
                                u"45.7763671875\n"
                                u"14;4.57763671875e-05;9.1552734375e-05;9.1552734375e-05;"
                                u"4.57763671875\n"
                                u"13;0.001220703125;0.001312255859375;0.0013427734375;"
                                u"1.3427734375\n"
                                u"12;0.007537841796875;0.00885009765625;0.009124755859375;"
                                u"0.9124755859375\n"
                                u"11;0.028564453125;0.03741455078125;0.0380859375;0.380859375\n"
                                u"10;0.074188232421875;0.111602783203125;0.109100341796875;"
                                u"0.109100341796875\n"
                                u"coste;1\n"
                                u"premio_esperado;53.0992126464844\n"
                                u"rendimiento;53.0992126464844\n"_s);
}

TEST_F(OrdenValor, SinPremiosLaMediaDeLasJornadasEscrutadas) {
    // Sin jornadas escrutadas no hay premios: campos vacíos y ni premio ni rendimiento.
    Linea s = Valor({u"--csv"_s});
    ASSERT_EQ(s.Estado, 0) << s.Err.toStdString();
    EXPECT_TRUE(s.Out.endsWith(u"0.109100341796875;\ncoste;1\n"_s)) << s.Out.toStdString();
    EXPECT_TRUE(s.Out.startsWith(Cabecera + u"15;4.57763671875e-05;4.57763671875e-05;"
                                            u"4.57763671875e-05;\n"_s));

    // La 1 y la 2 escrutadas (la 1 sin premio de 10); la 3, con la columna a medias, no cuenta.
    carpeta.Escribe(u"JORNADAS.ZPK"_s,
                    Registro(1, "111111111111111", {"1000", "100", "10", "5", "2", ""}) +
                        Registro(2, "123123123123123", {"3000", "300", "30", "15", "4", "1"}) +
                        Registro(3, "123123123123120", {"9", "9", "9", "9", "9", "9"}));
    s = Valor({u"--csv"_s});
    ASSERT_EQ(s.Estado, 0) << s.Err.toStdString();
    const QStringList lineas = s.Out.split(u'\n');
    ASSERT_EQ(lineas.size(), 11);
    const QStringList premios{u"0.091552734375"_s,   u"0.018310546875"_s, u"0.02685546875"_s,
                              u"0.09124755859375"_s, u"0.1142578125"_s,   u"0.109100341796875"_s};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(lineas[i + 1].section(u';', 4), premios[i]) << i;
    EXPECT_EQ(lineas.mid(7), (QStringList{u"coste;1"_s, u"premio_esperado;0.451324462890625"_s,
                                          u"rendimiento;0.451324462890625"_s, QString()}));
}

TEST_F(OrdenValor, TablaEnEspanol) {
    const Linea s = Valor({u"--premios"_s, u"1000000;50000;1000;100;10;1,5"_s});
    ASSERT_EQ(s.Estado, 0) << s.Err.toStdString();
    EXPECT_EQ(s.Out, u"Valor de la apuesta: jornada 7, orden 2\n"
                     u"\n"
                     u"Aciertos    Probabilidad        Al menos Columnas medias    Premio medio\n"
                     u"      15        0,0046 %        0,0046 %        0,000046         45,78 €\n"
                     u"      14        0,0046 %        0,0092 %        0,000092          4,58 €\n"
                     u"      13        0,1221 %        0,1312 %        0,001343          1,34 €\n"
                     u"      12        0,7538 %        0,8850 %        0,009125          0,91 €\n"
                     u"      11        2,8564 %        3,7415 %        0,038086          0,38 €\n"
                     u"      10        7,4188 %       11,1603 %        0,109100          0,16 €\n"
                     u"\n"
                     u"Columnas:        2\n"
                     u"Coste:           1,00 €\n"
                     u"Premio esperado: 53,15 €\n"
                     u"Rendimiento:     5.315,38 %\n"_s);
}

TEST_F(OrdenValor, SinReduccionOConUnaLineaMalaNoHayValor) {
    const Linea sin =
        EjecutaCli(carpeta, {u"valor"_s, u"--jornada"_s, u"7"_s, u"--orden"_s, u"3"_s});
    EXPECT_EQ(sin.Estado, 1);
    EXPECT_EQ(sin.Err, u"La jornada 7, orden 3 no tiene fichero de columnas (RED0703.ZPK): no "
                       u"hay reducción que valorar.\n"_s);
    carpeta.Escribe(u"RED0702.ZPK"_s, "\"111111111111111\"\r\n\"11111111111111Y\"\r\n");
    const Linea mala = Valor({});
    EXPECT_EQ(mala.Estado, 1);
    EXPECT_EQ(mala.Err, u"La línea 2 de RED0702.ZPK no es una columna de 1, X y 2.\n"_s);
    for (const QString& premios : {u"1,2,3,4,5"_s, u"1,2,3,4,5,x"_s}) {
        const Linea s = Valor({u"--premios"_s, premios});
        EXPECT_EQ(s.Estado, 1);
        EXPECT_TRUE(s.Err.contains(u"seis importes"_s)) << s.Err.toStdString();
    }
}
