// Lo que las órdenes dicen cuando algo no vale: el mismo tramo de jornadas en todas, la misma
// lectura de un fichero de columnas, la ayuda de cada orden y los fallos del destino en palabras.
#include "cli/linea_ordenes.h"
#include "output/columnas_prueba.h"
#include "reduction/bases_prueba.h"
#include "reduction/fichero_bases.h"
#include "support/datos_distribuidos.h"
#include "support/linea_cli.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace quiniela;
using namespace quiniela::prueba;

namespace {

const QString Ganadora = u"1X21X21X21X21X2"_s;

QStringList Args(const QString& linea) {
    return linea.split(u' ', Qt::SkipEmptyParts);
}

QStringList Escrutar(const QString& jornada, const QString& orden,
                     const QString& ganadora = Ganadora) {
    return Args(u"escrutar --jornada %1 --orden %2 --ganadora %3 --premios 1,2,3,4,5,6"_s.arg(
        jornada, orden, ganadora));
}

} // namespace

// Con 30 jornadas en los datos generales, la 31 no existe para ninguna orden (antes unas
// admitían hasta la 99 y otras hasta la 52) y el mensaje da el total.
TEST(OrdenesMensajes, UnSoloTramoDeJornadasElDeLosDatosGenerales) {
    CarpetaTemporal carpeta;
    CopiaDatosDistribuidos(carpeta);
    QByteArray datos = carpeta.Lee(u"DATOSGEN.ZPK"_s);
    ASSERT_TRUE(datos.contains(",42,"));
    carpeta.Escribe(u"DATOSGEN.ZPK"_s, datos.replace(",42,", ",30,"));
    const auto antes = carpeta.Lee(u"JORNADAS.ZPK"_s);
    const QStringList lineas[] = {
        Escrutar(u"31"_s, u"1"_s),
        Args(u"imprimir --jornada 31 --orden 1 --tipo datos"_s),
        Args(u"enviar --jornada 31 --orden 1 --a a@b.es"_s),
        Args(u"exportar --jornada 31 --orden 1 --formato TXT1 --destino "_s + carpeta.Ruta(u"x"_s)),
        Args(u"consultar --jornada 31 --orden 1"_s),
        Args(u"borrar --desde 31 --hasta 31 --confirmar"_s),
        Args(u"reducir --jornada 31 --orden 1"_s),
    };
    for (const QStringList& linea : lineas) {
        SCOPED_TRACE(linea.join(u' ').toStdString());
        const Linea s = EjecutaCli(carpeta, linea);
        EXPECT_EQ(s.Estado, 1);
        EXPECT_TRUE(s.Err.contains(u"de 1 a 30"_s)) << s.Err.toStdString();
    }
    EXPECT_EQ(carpeta.Lee(u"JORNADAS.ZPK"_s), antes);
    EXPECT_FALSE(QFile::exists(carpeta.Ruta(u"x"_s)));
}

// Un fichero de columnas cortado, dañado o ajeno recibe el mismo veredicto del escrutinio, la
// consulta y la copia; con saltos LF (que las tres leen) el escrutinio numera los boletos igual
// que con CR LF, nunca "boleto 0".
TEST(OrdenesMensajes, UnSoloLectorDeFicherosDeColumnas) {
    CarpetaTemporal carpeta;
    CopiaDatosDistribuidos(carpeta);
    const QString nombre = NombreFicheroApuestas(1, 3);
    const QByteArray buenas = carpeta.Lee(nombre);
    ASSERT_EQ(buenas.size(), 79800); // 4.200 columnas
    // La columna 8 como ganadora: el boleto 1 tiene la de 15.
    const QString ganadora = QString::fromLatin1(buenas.mid(19 * 7 + 1, 15));
    const Linea bien = EjecutaCli(carpeta, Escrutar(u"1"_s, u"3"_s, ganadora));
    ASSERT_EQ(bien.Estado, 0) << bien.Err.toStdString();
    ASSERT_TRUE(bien.Out.contains(u"\n     1    1"_s)) << bien.Out.toStdString();

    const std::pair<QByteArray, QString> malas[] = {
        {buenas.left(19 * 102 + 7), u"la línea 103 no es una columna"_s}, // cortado a mitad
        {"%PDF-1.4\n%\xe2\xe3\xcf\xd3\n" + buenas, u"la línea 1 no es una columna"_s},
        {buenas.left(19 * 9) + "\"1X21X21X2\"\r\n" + buenas, u"la línea 10 no es una columna"_s},
    };
    for (const auto& [datos, causa] : malas) {
        SCOPED_TRACE(causa.toStdString());
        carpeta.Escribe(nombre, datos);
        const Linea escrutar = EjecutaCli(carpeta, Escrutar(u"1"_s, u"3"_s, ganadora));
        const Linea consultar = EjecutaCli(carpeta, Args(u"consultar --jornada 1 --orden 3"_s));
        const Linea exportar =
            EjecutaCli(carpeta, Args(u"exportar --jornada 1 --orden 3 --formato TXT1 --destino "_s +
                                     carpeta.Ruta(u"copia.txt"_s)));
        for (const Linea* l : {&escrutar, &consultar, &exportar}) {
            EXPECT_EQ(l->Estado, 1);
            EXPECT_TRUE(l->Err.contains(nombre + u": "_s + causa)) << l->Err.toStdString();
        }
    }
    carpeta.Escribe(nombre, QByteArray(buenas).replace("\r\n", "\n"));
    const Linea lf = EjecutaCli(carpeta, Escrutar(u"1"_s, u"3"_s, ganadora));
    EXPECT_EQ(lf.Estado, 0) << lf.Err.toStdString();
    EXPECT_EQ(lf.Out, bien.Out);
}

// "quiniela-cli ORDEN --help" da el uso de esa orden, no la ayuda general; sin orden, la general.
TEST(OrdenesMensajes, AyudaDeCadaOrden) {
    CarpetaTemporal carpeta;
    for (const Orden& orden : TablaOrdenes()) {
        SCOPED_TRACE(orden.Nombre.toStdString());
        const Linea s = EjecutaCli(carpeta, {orden.Nombre, u"--help"_s});
        EXPECT_EQ(s.Estado, 0);
        EXPECT_EQ(s.Out, u"Uso: quiniela-cli [--datos CARPETA] "_s + orden.Uso + u"\n"_s);
    }
    const Linea general = EjecutaCli(carpeta, {u"--help"_s});
    EXPECT_TRUE(general.Out.contains(u"Órdenes:"_s));
}

// Cada rechazo dice qué falló, sobre qué fichero y por qué, y no escribe nada.
TEST(OrdenesMensajes, DestinosQueNoValenYTramosAlReves) {
    CarpetaTemporal carpeta;
    CopiaDatosDistribuidos(carpeta);
    QDir(carpeta.Ruta()).mkpath(u"salida/Col0102.txt"_s);
    carpeta.Escribe(u"fichero"_s, "x");
    const auto antes = ContenidoCarpeta(carpeta);
    const QString exportar = u"exportar --jornada 1 --orden 2 --formato TXT1 --destino"_s;
    // Destino y lo que debe decir.
    const std::pair<QString, QString> casos[] = {
        {u""_s, u"--destino está vacío"_s},
        {carpeta.Ruta(u"fichero/x.txt"_s),
         carpeta.Ruta(u"fichero"_s) + u" no es una carpeta, es un fichero"_s},
        {carpeta.Ruta(u"salida"_s), u"No se puede copiar en "_s +
                                        carpeta.Ruta(u"salida/Col0102.txt"_s) +
                                        u": ya hay una carpeta con ese nombre"_s},
        {u"/proc/self/x"_s, u"No se ha podido escribir el archivo /proc/self/x: no se pueden "
                            u"crear ficheros en la carpeta /proc/self"_s},
        {carpeta.Ruta(u"a\uFFFD.txt"_s), u"no es texto válido"_s},
    };
    for (const auto& [destino, mensaje] : casos) {
        SCOPED_TRACE(destino.toStdString());
        const Linea s = EjecutaCli(carpeta, Args(exportar) << destino);
        EXPECT_EQ(s.Estado, 1);
        EXPECT_TRUE(s.Err.contains(mensaje)) << s.Err.toStdString();
    }
    const Linea alReves =
        EjecutaCli(carpeta, Args(u"imprimir --jornada 1 --orden 2 --tipo boletos --desde 5 "
                                 u"--hasta 2 --pdf "_s +
                                 carpeta.Ruta(u"b.pdf"_s)));
    EXPECT_EQ(alReves.Estado, 1);
    EXPECT_TRUE(alReves.Err.contains(u"al revés"_s)) << alReves.Err.toStdString();
    EXPECT_EQ(ContenidoCarpeta(carpeta), antes);
}

// AD243 lleva la fecha de la jornada en la cabecera: con JORNADAS.ZPK dañado no escribe ceros, y
// con el disco lleno lo dice del archivo que no cabe (no que las columnas "han cambiado").
TEST(OrdenesMensajes, AD243ConJornadasDanadoOElDiscoLleno) {
    CarpetaTemporal carpeta;
    CopiaDatosDistribuidos(carpeta);
    const QString destino = carpeta.Ruta(u"AD243.dat"_s);
    const QStringList ad243 =
        Args(u"exportar --jornada 1 --orden 3 --formato AD243 --destino "_s + destino);
    const QByteArray jornadas = carpeta.Lee(u"JORNADAS.ZPK"_s);
    carpeta.Escribe(u"JORNADAS.ZPK"_s, jornadas + "Jor");
    const Linea danado = EjecutaCli(carpeta, ad243);
    EXPECT_EQ(danado.Estado, 1);
    EXPECT_TRUE(danado.Err.contains(u"JORNADAS.ZPK"_s) && danado.Err.contains(u"dañado"_s))
        << danado.Err.toStdString();
    EXPECT_FALSE(QFile::exists(destino));

    carpeta.Escribe(u"JORNADAS.ZPK"_s, jornadas);
    Linea lleno;
    ConLimiteDeFichero(40000, [&] { lleno = EjecutaCli(carpeta, ad243); });
    EXPECT_EQ(lleno.Estado, 1);
    EXPECT_TRUE(lleno.Err.contains(u"el disco está lleno"_s)) << lleno.Err.toStdString();
    EXPECT_FALSE(lleno.Err.contains(u"durante la copia"_s)) << lleno.Err.toStdString();
    EXPECT_FALSE(QFile::exists(destino));
    // El fichero de boletos (79.800 bytes) cabe y el TXT5 (252.000) no: el que falla es él.
    const QString txt5 = carpeta.Ruta(u"TXT5.txt"_s);
    ConLimiteDeFichero(150000, [&] {
        lleno = EjecutaCli(carpeta, Args(u"exportar --jornada 1 --orden 3 --formato TXT5 "
                                         u"--destino "_s +
                                         txt5));
    });
    EXPECT_EQ(lleno.Estado, 1);
    EXPECT_TRUE(lleno.Err.contains(u"No se ha podido escribir el archivo "_s + txt5 +
                                   u": el disco está lleno"_s))
        << lleno.Err.toStdString();
    EXPECT_FALSE(QFile::exists(txt5));
}
