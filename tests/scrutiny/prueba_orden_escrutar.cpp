#include "output/columnas_prueba.h"
#include "reduction/fichero_bases.h"
#include "support/datos_distribuidos.h"
#include "support/linea_cli.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace quiniela;
using namespace quiniela::prueba;

namespace {

const QString Ganadora = u"1X21X21X21X21X2"_s;

} // namespace

// La salida de cada reducción se comprobó contando columna a columna sin la orden.
TEST(OrdenEscrutar, ReduccionesDistribuidasErroresYColumnaIncompleta) {
    CarpetaTemporal carpeta;
    CopiaDatosDistribuidos(carpeta);
    // 3/1 lleva "1" y "X" en el 15: sus boletos van por grupos.
    for (const auto& [j, o] : {std::pair{1, 2}, {3, 1}}) {
        const QString nombre = NombreFicheroApuestas(j, o);
        const QString ganadora = QString::fromLatin1(carpeta.Lee(nombre).mid(19 * 7 + 1, 15));
        const Linea s = EjecutaCli(carpeta, {u"escrutar"_s, u"--jornada"_s, QString::number(j),
                                             u"--orden"_s, QString::number(o), u"--ganadora"_s,
                                             ganadora, u"--premios"_s, u"1000,100,10,1,.5,.25"_s});
        ASSERT_EQ(s.Estado, 0) << s.Err.toStdString();
        QFile esperado(QStringLiteral(QUINIELA_FUENTES "/tests/datos/scrutiny/escrutar_") +
                       nombre.left(7) + u".txt"_s);
        ASSERT_TRUE(esperado.open(QIODevice::ReadOnly));
        EXPECT_EQ(s.Out, QString::fromUtf8(esperado.readAll()));
    }

    // Errores y columna incompleta, en una carpeta con la reducción 5/2 sola.
    CarpetaTemporal sola;
    sola.Escribe(u"JORNADAS.ZPK"_s, QByteArray());
    sola.Escribe(u"BASES.ZPK"_s, QByteArray());
    sola.Escribe(u"RED0502.ZPK"_s, FicheroColumnas({Ganadora}));
    const auto escrutar = [&](const QString& j, const QString& o, const QString& premios,
                              const QString& ganadora) {
        return EjecutaCli(sola, {u"escrutar"_s, u"--jornada"_s, j, u"--orden"_s, o, u"--premios"_s,
                                 premios, u"--ganadora"_s, ganadora});
    };
    const Linea incompleta = escrutar(u"5"_s, u"2"_s, u"1;2;3;4;5;6,5"_s, u"1X21X21X21X21X-"_s);
    EXPECT_EQ(incompleta.Estado, 2);
    EXPECT_TRUE(incompleta.Err.contains(u"COLUMNA GANADORA INCOMPLETA\nEs  necesario"_s))
        << incompleta.Err.toStdString();
    EXPECT_EQ(sola.Lee(u"JORNADAS.ZPK"_s).mid(4 * 544 + 463, 15), "123123123123120");
    EXPECT_EQ(sola.Lee(u"JORNADAS.ZPK"_s).mid(4 * 544 + 533, 11), "        6.5");

    const QString seis = u"1,2,3,4,5,6"_s;
    // Jornada, orden, premios, ganadora y el error.
    const std::array<QString, 5> casos[] = {
        {u"5"_s, u"3"_s, seis, Ganadora, u"no tiene fichero de columnas"_s},
        {u"5"_s, u"2"_s, seis, u"1X21X21X21X21Y2"_s, u"15 signos"_s},
        {u"5"_s, u"2"_s, u"1,2,3,4,5"_s, Ganadora, u"seis importes"_s},
        {u"5"_s, u"2"_s, u"123456789012,2,3,4,5,6"_s, Ganadora, u"11 caracteres"_s},
        {u"0"_s, u"2"_s, seis, Ganadora, u"La jornada va de 1 a 42"_s},
    };
    for (const auto& [j, o, premios, ganadora, error] : casos) {
        const Linea s = escrutar(j, o, premios, ganadora);
        EXPECT_EQ(s.Estado, 1) << error.toStdString();
        EXPECT_TRUE(s.Err.contains(error)) << s.Err.toStdString();
    }
}
