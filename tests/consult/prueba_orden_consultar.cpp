#include "support/datos_distribuidos.h"
#include "support/linea_cli.h"
#include "support/registros_historial.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace quiniela;
using namespace quiniela::prueba;

namespace {

QStringList Consultar(int jornada, int orden, int boleto = 0) {
    QStringList a{u"consultar"_s, u"--jornada"_s, QString::number(jornada), u"--orden"_s,
                  QString::number(orden)};
    if (boleto > 0)
        a << u"--boleto"_s << QString::number(boleto);
    return a;
}

// Lo que debe salir: los signos de las columnas desde..desde+23 del fichero (desde 1), de ocho en
// ocho con cuatro blancos entre boletos y sin blancos al final.
QString Filas(const QByteArray& fichero, int desde) {
    QString salida;
    for (int j = 0; j < 15; ++j) {
        QString linea;
        for (int c = 0; c < 24; ++c) {
            if (c > 0 && c % 8 == 0)
                linea += u"    "_s;
            const qsizetype pos = qsizetype(desde - 1 + c) * 19 + 1 + j;
            linea += pos < fichero.size() ? QChar::fromLatin1(fichero[pos]) : u' ';
        }
        while (linea.endsWith(u' '))
            linea.chop(1);
        salida += linea + u'\n';
    }
    return salida;
}

TEST(OrdenConsultar, BloquesDeLasReduccionesDistribuidasYErroresClaros) {
    CarpetaTemporal datos;
    CopiaDatosDistribuidos(datos);
    struct Caso {
        int Jornada, Orden, Boleto;
        int Desde;      // primera columna del fichero en el bloque
        QString Cabeza; // número de boletos y títulos
    };
    // 3/1: 144 columnas con "1" en el 15 y 144 con "X" (36 boletos); 3/2: 533 columnas (67 boletos,
    // el último con 5).
    for (const Caso& c :
         std::vector<Caso>{{1, 1, 0, 1, u"72 Boletos\nBoleto 1    Boleto 2    Boleto 3\n"_s},
                           {3, 1, 19, 145, u"36 Boletos\nBoleto 19   Boleto 20   Boleto 21\n"_s},
                           {3, 2, 67, 529, u"67 Boletos\nBoleto 67\n"_s},
                           {3, 2, 65, 505, u"67 Boletos\nBoleto 64   Boleto 65   Boleto 66\n"_s}}) {
        SCOPED_TRACE(testing::Message() << c.Jornada << "/" << c.Orden << " " << c.Boleto);
        const Linea s = EjecutaCli(datos, Consultar(c.Jornada, c.Orden, c.Boleto));
        EXPECT_EQ(s.Estado, 0) << s.Err.toStdString();
        const QByteArray red = datos.Lee(
            u"RED%1%2.ZPK"_s.arg(c.Jornada, 2, 10, QChar(u'0')).arg(c.Orden, 2, 10, QChar(u'0')));
        EXPECT_EQ(s.Out, c.Cabeza + Filas(red, c.Desde));
        EXPECT_EQ(datos.Lee(u"FORBOLW.ZPK"_s), red); // sin huecos: el mismo fichero
    }
    struct Error {
        QStringList Args;
        QString Error;
    };
    for (const Error& c : std::vector<Error>{
             {Consultar(2, 1), u"No existe la reducción de la jornada 2 con el orden 1: falta "
                               u"su fichero de columnas RED0201.ZPK.\n"_s},
             {Consultar(3, 2, 68), u"No existe el boleto 68: la reducción ocupa 67 boletos.\n"_s},
             {Consultar(43, 1), u"La jornada va de 1 a 42, el orden de 1 a 30 y el boleto desde "
                                u"1.\n"_s},
             {{u"consultar"_s, u"--jornada"_s, u"1"_s},
              u"Uso: quiniela-cli consultar --jornada J --orden O [--boleto N]\n"_s}}) {
        SCOPED_TRACE(c.Args.join(u' ').toStdString());
        const Linea s = EjecutaCli(datos, c.Args);
        EXPECT_EQ(s.Estado, 1);
        EXPECT_TRUE(s.Out.isEmpty());
        EXPECT_EQ(s.Err, c.Error);
    }
}

} // namespace

TEST(OrdenHistorial, ImprimeCabecerasYLineas) {
    CarpetaTemporal carpeta;
    ASSERT_EQ(
        EscribeRegistroJornada(carpeta.Estado(), 7, RegistroDeJornada(7, u"12/10/05"_s)).Numero, 0);
    EscribeBases(carpeta, {RegistroDe(7, 3, 2, 1296, 81, u"Pareja de dobles"_s),
                           RegistroLibreBases(), RegistroDe(2, 1, 1, 9, 9, QString())});

    const Linea l = EjecutaCli(carpeta, {u"historial"_s});
    ASSERT_EQ(l.Estado, 0) << l.Err.toStdString();
    EXPECT_EQ(l.Out, QString(62, u' ') +
                         u"Apuestas   Apuestas\n"
                         u"Jor  Fecha   Ord  Método de reducción      Descripción        "
                         u"Directas   Reducidas\n"
                         u"  7 12/10/05   3  Columna Probable     Pareja de dobles       "
                         u"     1296          81\n"
                         u"  2            1  Directo                                     "
                         u"        9           9\n"_s);
    EXPECT_EQ(EjecutaCli(carpeta, {u"historial"_s, u"de_mas"_s}).Estado, 1);
}

TEST(OrdenHistorial, DatosGeneralesDanadosSeConservanYNoSeEscriben) {
    CarpetaTemporal carpeta;
    const QByteArray danado =
        "nan,\"01/01/06\",2,1,0,0,0,0,1,42,\"0.50\",\"00\",\"00000\",\"Si\"\r\n";
    carpeta.Escribe(u"DATOSGEN.ZPK"_s, danado);
    carpeta.Escribe(u"BASES.ZPK"_s, QByteArray());
    const Linea l = EjecutaCli(carpeta, {u"historial"_s});
    EXPECT_EQ(l.Estado, 0);
    EXPECT_TRUE(l.Err.contains(u"Se ha guardado una copia como DATOSGEN.ZPK.dañado"_s))
        << l.Err.toStdString();
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
    ASSERT_EQ(l.Estado, 0) << l.Err.toStdString();
    EXPECT_EQ(l.Out.count(u'\n'), 3);
    EXPECT_TRUE(l.Out.contains(u"buena"_s));
    EXPECT_FALSE(l.Out.contains(QChar(0)));
    EXPECT_TRUE(l.Err.endsWith(u"El índice BASES.ZPK tiene líneas que no se pueden leer; "
                               u"no se muestran:\r\n"
                               u"línea 2: es demasiado corta (4 caracteres de 230)\r\n"
                               u"línea 3: la jornada o el orden no son números\r\n"
                               u"línea 4: tiene bytes nulos o de control\r\n"
                               u"línea 5: el método no es 1, 2 ni 3\n"_s))
        << l.Err.toStdString();
}
