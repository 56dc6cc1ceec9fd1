#include "support/linea_cli.h"
#include "support/registros_historial.h"

#include <gtest/gtest.h>

using namespace quiniela;
using namespace quiniela::prueba;
using namespace Qt::StringLiterals;

TEST(OrdenHistorial, ImprimeCabecerasYLineas) {
    CarpetaTemporal carpeta;
    ASSERT_EQ(
        EscribeRegistroJornada(carpeta.Estado(), 7, RegistroDeJornada(7, u"12/10/05"_s)).Numero, 0);
    EscribeBases(carpeta, {RegistroDe(7, 3, 2, 1296, 81, u"Pareja de dobles"_s),
                           RegistroLibreBases(), RegistroDe(2, 1, 1, 9, 9, QString())});

    const Linea l = EjecutaCli(carpeta, {u"historial"_s});
    ASSERT_EQ(l.estado, 0) << l.err.toStdString();
    EXPECT_EQ(l.out, QString(62, u' ') +
                         u"Apuestas   Apuestas\n"
                         u"Jor  Fecha   Ord  Método de reducción      Descripción        "
                         u"Directas   Reducidas\n"
                         u"  7 12/10/05   3  Columna Probable     Pareja de dobles       "
                         u"     1296          81\n"
                         u"  2            1  Directo                                     "
                         u"        9           9\n"_s);
    EXPECT_EQ(EjecutaCli(carpeta, {u"historial"_s, u"de_mas"_s}).estado, 1);
}
