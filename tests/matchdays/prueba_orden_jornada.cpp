#include "support/linea_cli.h"

#include <gtest/gtest.h>

using namespace quiniela;
using namespace quiniela::prueba;
using namespace Qt::StringLiterals;

TEST(OrdenJornada, GuardaYMuestraConLasReglasDeLaPantalla) {
    CarpetaTemporal carpeta;
    carpeta.Escribe(u"DATOSGEN.ZPK"_s,
                    "1,\"28/08/05\",1,1,0,0,0,0,1,42,\"0.50\",\"00\",\"00000\",\"Si\"\r\n");
    const auto jornada = [&](const QString& argumentos) {
        return EjecutaCli(carpeta, (u"jornada "_s + argumentos).split(u' '));
    };

    // Sin fecha una jornada nueva no se puede guardar.
    Linea l = jornada(u"3 --partido 1 Betis Osasuna"_s);
    EXPECT_EQ(l.estado, 1);
    EXPECT_TRUE(l.err.startsWith(u"ERROR EN LA FECHA\nNo ha indicado la fecha"_s));
    EXPECT_EQ(carpeta.Lee(u"JORNADAS.ZPK"_s), QByteArray());
    EXPECT_EQ(jornada(u"3 --fecha 29/02/05"_s).estado, 1);

    l = EjecutaCli(carpeta, {u"jornada"_s, u"2"_s, u"--fecha"_s, u"4/9/05"_s, u"--partido"_s,
                             u"1"_s, u"  Málaga "_s, u"Real Valladolid C.F."_s, u"--partido"_s,
                             u"15"_s, u"Betis"_s, u"Osasuna"_s});
    ASSERT_EQ(l.estado, 0) << l.err.toStdString();
    const QByteArray esperado =
        QByteArray(544, ' ') + "Jor0204/09/05" + QByteArray("M\xe1laga").leftJustified(15, ' ') +
        "Real Valladolid" + QByteArray(26 * 15, ' ') + QByteArray("Betis").leftJustified(15, ' ') +
        QByteArray("Osasuna").leftJustified(15, ' ') + QByteArray(81, ' ');
    EXPECT_EQ(carpeta.Lee(u"JORNADAS.ZPK"_s), esperado);

    // Un partido sin cambiar conserva sus equipos al guardar otro.
    ASSERT_EQ(jornada(u"2 --partido 2 Celta Eibar"_s).estado, 0);
    l = jornada(u"2"_s);
    const QStringList lineas = l.out.split(u'\n');
    ASSERT_GE(lineas.size(), 16);
    EXPECT_EQ(lineas[0], u"Jornada 2  Fecha 04/09/05"_s);
    EXPECT_EQ(lineas[1], u" 1. Málaga          - Real Valladolid"_s);
    EXPECT_EQ(lineas[2], u" 2. Celta           - Eibar"_s);
    EXPECT_EQ(lineas[15], u"15. Betis           - Osasuna"_s);
    EXPECT_EQ(jornada(u"9"_s).out, u"Jornada 9  Fecha 00/00/00  (sin datos)\n"_s);

    // Lo mal escrito sale con 1 y no toca el fichero (un partido 16 no cabe en la jornada).
    const QByteArray guardado = carpeta.Lee(u"JORNADAS.ZPK"_s);
    const QString fuera = u"El número de partido debe estar entre 1 y 15.\n"_s;
    const std::vector<std::pair<QString, QString>> malas{{u"43"_s, QString()},
                                                         {u"2 --partido 16 A B"_s, fuera},
                                                         {u"2 --partido 0 A B"_s, fuera},
                                                         {u"2 --partido 1 A"_s, QString()}};
    for (const auto& [argumentos, error] : malas) {
        SCOPED_TRACE(argumentos.toStdString());
        l = jornada(argumentos);
        EXPECT_EQ(l.estado, 1);
        if (!error.isEmpty()) {
            EXPECT_EQ(l.err, error);
        }
    }
    EXPECT_EQ(carpeta.Lee(u"JORNADAS.ZPK"_s), guardado);
}
