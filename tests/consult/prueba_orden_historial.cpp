#include "cli/linea_ordenes.h"
#include "support/carpeta_temporal.h"
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

    QString salida;
    QString errores;
    QTextStream out(&salida);
    QTextStream err(&errores);
    const QStringList orden{u"quiniela-cli"_s, u"--datos"_s, carpeta.Ruta(), u"historial"_s};
    ASSERT_EQ(EjecutaLineaOrdenes(orden, out, err), 0) << errores.toStdString();
    out.flush();
    EXPECT_EQ(salida, QString(62, u' ') +
                          u"Apuestas   Apuestas\n"
                          u"Jor  Fecha   Ord  Método de reducción      Descripción        "
                          u"Directas   Reducidas\n"
                          u"  7 12/10/05   3  Columna Probable     Pareja de dobles       "
                          u"     1296          81\n"
                          u"  2            1  Directo                                     "
                          u"        9           9\n"_s);
    EXPECT_EQ(EjecutaLineaOrdenes(orden + QStringList{u"de_mas"_s}, out, err), 1);
}
