#include "core/datos_generales_tipo.h"
#include "output/columnas_prueba.h"
#include "settings/datos_generales.h"
#include "support/linea_cli.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <thread>
#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace quiniela;
using namespace quiniela::prueba;

namespace {

QStringList Exportar(const QString& formato, const QString& destino, int jornada = 7,
                     int orden = 3) {
    return {u"exportar"_s, u"--jornada"_s,         QString::number(jornada),
            u"--orden"_s,  QString::number(orden), u"--formato"_s,
            formato,       u"--destino"_s,         destino};
}

class OrdenExportar : public testing::Test {
protected:
    void SetUp() override {
        DatosGenerales d;
        d.CodigoDelegacion = u"28"_s;
        d.CodigoReceptor = u"12345"_s;
        datos.Escribe(u"DATOSGEN.ZPK"_s, LineaDatosGenerales(d));
    }
    CarpetaTemporal datos;
    CarpetaTemporal destino;
};

// Un fichero de n columnas con el mismo signo 15, escrito por bloques.
void EscribeColumnasIguales(const QString& ruta, int64_t n) {
    QFile f(ruta);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    const QByteArray bloque = QByteArray("\"1X21X21X21X21X1\"\r\n").repeated(65536);
    for (int64_t hechas = 0; hechas < n; hechas += 65536)
        f.write(bloque.constData(), qsizetype(std::min<int64_t>(65536, n - hechas)) * 19);
}

std::atomic<int> SenalesPerdidasExportar{0};
extern "C" void SenalPerdidaExportar(int) {
    ++SenalesPerdidasExportar;
}

} // namespace

TEST_F(OrdenExportar, DestinoCarpetaOArchivoYAvisoEnStderr) {
    datos.Escribe(u"RED0703.ZPK"_s, FicheroColumnas(ColumnasPrueba(17, u'1')));
    // Un índice que dice otra cuenta no cambia los boletos: cuentan las columnas del fichero.
    datos.Escribe(u"BASES.ZPK"_s, "07032 0 0          48    5761" + QByteArray(201, ' ') + "\r\n");
    const Linea l = EjecutaCli(datos, Exportar(u"ad243"_s, destino.Ruta()));
    ASSERT_EQ(l.Estado, 0) << l.Err.toStdString();
    const QString unidad = QDir::toNativeSeparators(QDir(destino.Ruta()).absolutePath());
    EXPECT_EQ(l.Out, u"Se está creando en la unidad "_s + unidad + u" el archivo AD243\n"_s +
                         u"Se ha copiado a la unidad "_s + unidad + u" el archivo AD243\n"_s +
                         u"17 columnas en 3 boletos\n"_s);
    EXPECT_TRUE(l.Err.startsWith(u"BOLETO INCOMPLETO\nCon esta reducción, hay 1 boleto "_s));
    const QByteArray ad243 = destino.Lee(u"AD243"_s);
    ASSERT_EQ(ad243.size(), 4 * 123);
    EXPECT_EQ(ad243.mid(21, 6), "000018");
    EXPECT_EQ(ad243.mid(29, 6), "000003");
    EXPECT_EQ(ad243.mid(35, 2), "04");
    EXPECT_EQ(datos.Lee(u"FORBOLW.ZPK"_s).size(), 17 * 19);

    const Linea txt = EjecutaCli(datos, Exportar(u"TXT4"_s, destino.Ruta()));
    EXPECT_EQ(txt.Err, QString());
    EXPECT_EQ(destino.Lee(u"Col0703.txt"_s), datos.Lee(u"RED0703.ZPK"_s));
    const Linea archivo = EjecutaCli(datos, Exportar(u"TXT1"_s, destino.Ruta(u"a.txt"_s)));
    EXPECT_EQ(archivo.Estado, 0);
    EXPECT_EQ(destino.Lee(u"a.txt"_s).size(), 17 * 15);
}

TEST_F(OrdenExportar, ErroresConMensajeYEstado1) {
    datos.Escribe(u"RED0703.ZPK"_s, FicheroColumnas(ColumnasPrueba(2, u'1')));
    struct Caso {
        QStringList Args;
        QString Err;
    };
    const Caso casos[] = {
        {Exportar(u"TXT1"_s, destino.Ruta(), 7, 4),
         u"No existe la reducción de la jornada 7 con el orden 4: falta su fichero de columnas "
         "RED0704.ZPK.\n"_s},
        {Exportar(u"TXT9"_s, destino.Ruta()),
         u"Formato desconocido: TXT9. Use AD243, TXT1, TXT2, … o TXT6.\n"_s},
        {Exportar(u"TXT1"_s, destino.Ruta(u"falta/x.txt"_s)),
         u"No se puede escribir "_s + destino.Ruta(u"falta/x.txt"_s) +
             u": no existe la carpeta "_s + destino.Ruta(u"falta"_s) + u".\n"_s},
        {Exportar(u"TXT1"_s, datos.Ruta(u"BASES.ZPK"_s)), u"NOMBRE DE ARCHIVO NO VÁLIDO\n"_s},
        {Exportar(u"TXT1"_s, u"/proc/AD243"_s),
         u"ERROR AL COPIAR\nNo se ha podido escribir el archivo /proc/AD243: "_s},
        {Exportar(u"TXT1"_s, destino.Ruta(), 43), u"La jornada va de 1 a 42"_s}};
    for (const Caso& c : casos) {
        const Linea l = EjecutaCli(datos, c.Args);
        EXPECT_EQ(l.Estado, 1) << c.Args.join(u' ').toStdString();
        EXPECT_TRUE(l.Err.startsWith(c.Err)) << l.Err.toStdString();
    }
    EXPECT_FALSE(datos.Existe(u"BASES.ZPK"_s)); // nunca se escribe sobre un fichero de datos
}

TEST_F(OrdenExportar, AD243RechazaMasDe999999Columnas) {
    EscribeColumnasIguales(datos.Ruta(u"RED0703.ZPK"_s), 1594323);
    const Linea l = EjecutaCli(datos, Exportar(u"AD243"_s, destino.Ruta()));
    EXPECT_EQ(l.Estado, 1);
    EXPECT_TRUE(l.Err.startsWith(u"REDUCCIÓN DEMASIADO GRANDE\nLa reducción tiene "_s))
        << l.Err.toStdString();
    EXPECT_TRUE(QDir(destino.Ruta()).isEmpty());
}

TEST_F(OrdenExportar, CtrlCDejaElDestinoIdentico) {
    EscribeColumnasIguales(datos.Ruta(u"RED0703.ZPK"_s), 1594323);
    destino.Escribe(u"Col0703.txt"_s, "la de la semana pasada");
    auto anterior = std::signal(SIGINT, SenalPerdidaExportar);
    std::atomic<bool> fin{false};
    std::thread interruptor([&] {
        // En cuanto empieza el fichero de boletos (su temporal aparece en la carpeta).
        while (!fin && QDir(datos.Ruta()).entryList({u"FORBOLW*"_s}, QDir::Files).isEmpty())
            std::this_thread::sleep_for(std::chrono::microseconds(100));
        if (!fin)
            kill(getpid(), SIGINT);
    });
    const Linea l = EjecutaCli(datos, Exportar(u"TXT6"_s, destino.Ruta()));
    fin = true;
    interruptor.join();
    std::signal(SIGINT, anterior);
    EXPECT_EQ(SenalesPerdidasExportar.load(), 0);
    EXPECT_EQ(l.Estado, 130);
    EXPECT_TRUE(l.Err.endsWith(u"   Se ha cancelado la operación de copiado\n"_s));
    EXPECT_EQ(destino.Lee(u"Col0703.txt"_s), "la de la semana pasada");
    EXPECT_EQ(QDir(destino.Ruta()).entryList(QDir::Files), QStringList{u"Col0703.txt"_s});
}

// Las seis reducciones distribuidas en los siete formatos: cada formato sale de las mismas
// columnas, y AD243 las agrupa en boletos de 8 que no mezclan el signo 15.
TEST_F(OrdenExportar, ReduccionesDistribuidasEnLosSieteFormatos) {
    const QString fuentes = QStringLiteral(QUINIELA_FUENTES) + u"/data/"_s;
    for (const QString& f : QDir(fuentes).entryList({u"*.ZPK"_s}, QDir::Files))
        QFile::copy(fuentes + f, datos.Ruta(f));
    const std::pair<int, int> reducciones[] = {{1, 1}, {1, 2}, {1, 3}, {3, 1}, {3, 2}, {4, 1}};
    for (const auto& [j, o] : reducciones) {
        const QByteArray red =
            datos.Lee(u"RED%1%2.ZPK"_s.arg(j, 2, 10, QChar(u'0')).arg(o, 2, 10, QChar(u'0')));
        QByteArrayList cols;
        for (qsizetype i = 0; i < red.size(); i += 19)
            cols << red.mid(i + 1, 15);
        QByteArray txt1, txt2;
        for (const QByteArray& c : cols) {
            txt1 += c;
            txt2 += c + "\r\n";
        }
        const qsizetype n = cols.size();
        const std::pair<QString, QByteArray> esperados[] = {
            {u"TXT1"_s, txt1}, {u"TXT2"_s, txt2}, {u"TXT4"_s, red}};
        for (const auto& [formato, bytes] : esperados) {
            ASSERT_EQ(EjecutaCli(datos, Exportar(formato, destino.Ruta(u"s"_s), j, o)).Estado, 0);
            EXPECT_EQ(destino.Lee(u"s"_s), bytes) << j << o << formato.toStdString();
        }
        const std::pair<QString, qsizetype> tamanos[] = {
            {u"TXT3"_s, n * 17 + n - 1}, {u"TXT5"_s, n * 45 + n * 15 - 1}, {u"TXT6"_s, n * 61}};
        for (const auto& [formato, tamano] : tamanos) {
            ASSERT_EQ(EjecutaCli(datos, Exportar(formato, destino.Ruta(u"s"_s), j, o)).Estado, 0);
            EXPECT_EQ(destino.Lee(u"s"_s).size(), tamano) << j << o << formato.toStdString();
        }
        ASSERT_EQ(EjecutaCli(datos, Exportar(u"AD243"_s, destino.Ruta(u"s"_s), j, o)).Estado, 0);
        const QByteArray ad = destino.Lee(u"s"_s);
        ASSERT_EQ(ad.size() % 123, 0);
        qsizetype c = 0;
        for (qsizetype r = 123; r < ad.size(); r += 123) {
            const int cuenta = ad.at(r + 9) - '0';
            for (int k = 0; k < cuenta; ++k, ++c)
                ASSERT_EQ(ad.mid(r + 10 + 14 * k, 14), cols[c].left(14)) << j << o << c;
            EXPECT_EQ(ad.at(r + 122), cols[c - 1].at(14));
            EXPECT_TRUE(cuenta == 8 || c == n || cols[c].at(14) != cols[c - 1].at(14));
        }
        EXPECT_EQ(c, n);
        EXPECT_EQ(ad.mid(21, 6).toInt(), n); // ninguna trae un boleto de una sola columna
        EXPECT_EQ(ad.mid(29, 6).toInt(), ad.size() / 123 - 1);
    }
}
