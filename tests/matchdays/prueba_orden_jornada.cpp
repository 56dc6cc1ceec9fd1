#include "cli/linea_ordenes.h"
#include "support/carpeta_temporal.h"

#include <gtest/gtest.h>

using namespace quiniela;
using namespace Qt::StringLiterals;
using prueba::CarpetaTemporal;

TEST(OrdenJornada, GuardaYMuestraConLasReglasDeLaPantalla) {
    CarpetaTemporal carpeta;
    carpeta.Escribe(u"DATOSGEN.ZPK"_s,
                    "1,\"28/08/05\",1,1,0,0,0,0,1,42,\"0.50\",\"00\",\"00000\",\"Si\"\r\n");
    QString out;
    QString err;
    const auto ejecuta = [&](const QStringList& argumentos) {
        out.clear();
        err.clear();
        QTextStream sOut(&out);
        QTextStream sErr(&err);
        return EjecutaLineaOrdenes(
            QStringList{u"quiniela-cli"_s, u"--datos"_s, carpeta.Ruta(), u"jornada"_s} + argumentos,
            sOut, sErr);
    };

    // Sin fecha una jornada nueva no se puede guardar.
    EXPECT_EQ(ejecuta({u"3"_s, u"--partido"_s, u"1"_s, u"Betis"_s, u"Osasuna"_s}), 1);
    EXPECT_TRUE(err.startsWith(u"ERROR EN LA FECHA\nNo ha indicado la fecha"_s))
        << err.toStdString();
    EXPECT_EQ(carpeta.Lee(u"JORNADAS.ZPK"_s), QByteArray());
    EXPECT_EQ(ejecuta({u"3"_s, u"--fecha"_s, u"29/02/05"_s}), 1);

    ASSERT_EQ(
        ejecuta({u"2"_s, u"--fecha"_s, u"4/9/05"_s, u"--partido"_s, u"1"_s, u"  Málaga "_s,
                 u"Real Valladolid C.F."_s, u"--partido"_s, u"15"_s, u"Betis"_s, u"Osasuna"_s}),
        0)
        << err.toStdString();
    const QByteArray esperado =
        QByteArray(544, ' ') + "Jor0204/09/05" + QByteArray("M\xe1laga").leftJustified(15, ' ') +
        "Real Valladolid" + QByteArray(26 * 15, ' ') + QByteArray("Betis").leftJustified(15, ' ') +
        QByteArray("Osasuna").leftJustified(15, ' ') + QByteArray(81, ' ');
    EXPECT_EQ(carpeta.Lee(u"JORNADAS.ZPK"_s), esperado);

    // Un partido sin cambiar conserva sus equipos al guardar otro.
    ASSERT_EQ(ejecuta({u"2"_s, u"--partido"_s, u"2"_s, u"Celta"_s, u"Eibar"_s}), 0);
    ASSERT_EQ(ejecuta({u"2"_s}), 0);
    const QStringList lineas = out.split(u'\n');
    ASSERT_GE(lineas.size(), 16);
    EXPECT_EQ(lineas[0], u"Jornada 2  Fecha 04/09/05"_s);
    EXPECT_EQ(lineas[1], u" 1. Málaga          - Real Valladolid"_s);
    EXPECT_EQ(lineas[2], u" 2. Celta           - Eibar"_s);
    EXPECT_EQ(lineas[15], u"15. Betis           - Osasuna"_s);

    ejecuta({u"9"_s});
    EXPECT_EQ(out, u"Jornada 9  Fecha 00/00/00  (sin datos)\n"_s);
    EXPECT_EQ(ejecuta({u"43"_s}), 1);
    EXPECT_EQ(ejecuta({u"2"_s, u"--partido"_s, u"16"_s, u"A"_s, u"B"_s}), 1);
    EXPECT_EQ(ejecuta({u"2"_s, u"--partido"_s, u"1"_s, u"A"_s}), 1);
}
