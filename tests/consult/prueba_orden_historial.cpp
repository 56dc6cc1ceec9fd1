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

TEST(OrdenHistorial, DatosGeneralesDanadosSeConservanYNoSeEscriben) {
    CarpetaTemporal carpeta;
    const QByteArray danado =
        "nan,\"01/01/06\",2,1,0,0,0,0,1,42,\"0.50\",\"00\",\"00000\",\"Si\"\r\n";
    carpeta.Escribe(u"DATOSGEN.ZPK"_s, danado);
    carpeta.Escribe(u"BASES.ZPK"_s, QByteArray());
    const Linea l = EjecutaCli(carpeta, {u"historial"_s});
    EXPECT_EQ(l.estado, 0);
    EXPECT_TRUE(l.err.contains(u"Se ha guardado una copia como DATOSGEN.ZPK.dañado"_s))
        << l.err.toStdString();
    EXPECT_EQ(carpeta.Lee(u"DATOSGEN.ZPK"_s), danado);
    EXPECT_EQ(carpeta.Lee(u"DATOSGEN.ZPK.dañado"_s), danado);
}

TEST(OrdenHistorial, LineasIlegiblesSeSaltanYNadaDeControlLlegaAlTerminal) {
    CarpetaTemporal carpeta;
    QString conNulo = RegistroDe(4, 1, 1, 9, 9, u"nulo"_s);
    conNulo[190] = QChar(0);
    QString metodo9 = RegistroDe(5, 1, 1, 9, 9, u"nueve"_s);
    metodo9[4] = u'9';
    EscribeBases(carpeta,
                 {RegistroDe(2, 1, 1, 9, 9, u"buena"_s), u"02x1"_s,
                  u"abcd"_s + RegistroDe(3, 1, 1, 9, 9, QString()).mid(4), conNulo, metodo9});

    const Linea l = EjecutaCli(carpeta, {u"historial"_s});
    ASSERT_EQ(l.estado, 0) << l.err.toStdString();
    EXPECT_EQ(l.out.count(u'\n'), 3);
    EXPECT_TRUE(l.out.contains(u"buena"_s));
    EXPECT_FALSE(l.out.contains(QChar(0)));
    EXPECT_TRUE(l.err.endsWith(
        u"El índice BASES.ZPK tiene líneas que no se pueden leer; no se muestran:\r\n"
        u"línea 2: es demasiado corta (4 caracteres de 230)\r\n"
        u"línea 3: la jornada o el orden no son números\r\n"
        u"línea 4: tiene bytes nulos o de control\r\n"
        u"línea 5: el método no es 1, 2 ni 3\n"_s))
        << l.err.toStdString();
}
