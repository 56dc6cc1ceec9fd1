// Las escrituras de las órdenes frente a lo que le pasa a un usuario: un nombre de salida que es
// un fichero de datos, un disco lleno, dos programas a la vez, una muerte a mitad.

#include "core/bloqueo_datos.h"
#include "support/datos_distribuidos.h"
#include "support/linea_cli.h"

#include <QThread>

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>

namespace quiniela {
namespace {

using namespace prueba;
using namespace Qt::StringLiterals;

const QString Cli = QStringLiteral(QUINIELA_CLI);
const QString Escrutar = u"escrutar --jornada 1 --orden 1 --ganadora 1X21X21X21X21X2 "
                         u"--premios 1000,100,10,5,2,1"_s;

QStringList Partes(const QString& orden) {
    return orden.split(u' ', Qt::SkipEmptyParts);
}

// quiniela-cli de verdad con un límite de tamaño de fichero (bloques de 1 KB).
Linea ConLimite(const CarpetaTemporal& datos, int kilobytes, const QString& orden) {
    return Lanza(u"/bin/bash"_s,
                 {u"-c"_s,
                  u"ulimit -f %1; exec \"$0\" --datos \"$1\" %2"_s.arg(kilobytes).arg(orden), Cli,
                  datos.Ruta()});
}

QString Registro(const CarpetaTemporal& datos, int jornada) {
    return QString::fromLatin1(datos.Lee(u"JORNADAS.ZPK"_s).mid((jornada - 1) * 544, 544));
}

// Ninguna salida pedida (informe, PDF, copia) sustituye un fichero de datos ni un nodo que no es
// un fichero; nada cambia.
TEST(OrdenesEscrituras, SalidasSobreDatosDispositivosYTuberiasSeRechazan) {
    CarpetaTemporal datos;
    CopiaDatosDistribuidos(datos);
    const QString fifo = datos.Ruta(u"tuberia"_s);
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const auto antes = ContenidoCarpeta(datos);
    const QString exportar = u"exportar --jornada 1 --orden 1 --formato TXT1 --destino "_s;
    const struct {
        QString Orden;
        QString Error;
    } casos[] = {
        {Escrutar + u" --informe "_s + datos.Ruta(u"JORNADAS.ZPK"_s),
         u"JORNADAS.ZPK es un fichero de datos del programa"_s},
        {u"imprimir --jornada 1 --orden 1 --tipo datos --pdf "_s + datos.Ruta(u"BASES.ZPK"_s),
         u"BASES.ZPK es un fichero de datos del programa"_s},
        {exportar + datos.Ruta(u"QUINIELA.LCK"_s), u"QUINIELA.LCK es un fichero de datos"_s},
        {exportar + u"/dev/null"_s, u"no es un fichero sino un dispositivo"_s},
        {exportar + fifo, u"no es un fichero sino una tubería (FIFO)"_s},
    };
    for (const auto& k : casos) {
        SCOPED_TRACE(k.Orden.toStdString());
        const Linea l = EjecutaCli(datos, Partes(k.Orden));
        EXPECT_EQ(l.Estado, 1);
        EXPECT_TRUE(l.Err.contains(k.Error)) << l.Err.toStdString();
        EXPECT_EQ(ContenidoCarpeta(datos), antes);
    }
    struct stat nodo {};
    ASSERT_EQ(::stat(QFile::encodeName(fifo).constData(), &nodo), 0);
    EXPECT_TRUE(S_ISFIFO(nodo.st_mode));
    ASSERT_EQ(::stat("/dev/null", &nodo), 0);
    EXPECT_TRUE(S_ISCHR(nodo.st_mode));
}

// Con el disco lleno (un límite de tamaño, sin morir por SIGXFSZ) nada queda a medias: la jornada
// no se guarda y el fichero de jornadas sigue byte a byte; un PDF roto no se da por bueno y el
// anterior se conserva.
TEST(OrdenesEscrituras, DiscoLlenoNoDejaNadaAMediasNiSeDaPorBueno) {
    CarpetaTemporal datos;
    CopiaDatosDistribuidos(datos);
    const QByteArray jornadas = datos.Lee(u"JORNADAS.ZPK"_s);
    Linea l = ConLimite(datos, 2, u"jornada 9 --fecha 1/1/25 --partido 1 Uno Dos"_s);
    EXPECT_EQ(l.Estado, 1);
    EXPECT_TRUE(l.Err.contains(u"el disco está lleno"_s)) << l.Err.toStdString();
    EXPECT_EQ(datos.Lee(u"JORNADAS.ZPK"_s), jornadas);

    const QString informe = datos.Ruta(u"../informe.pdf"_s);
    QFile::remove(informe);
    datos.Escribe(u"../informe.pdf"_s, "el informe de la semana pasada");
    l = ConLimite(datos, 8, Escrutar + u" --informe "_s + informe);
    EXPECT_EQ(l.Estado, 1);
    EXPECT_TRUE(l.Err.contains(u"No se ha podido escribir el fichero"_s)) << l.Err.toStdString();
    EXPECT_TRUE(l.Err.contains(u"el disco está lleno"_s)) << l.Err.toStdString();
    EXPECT_EQ(datos.Lee(u"../informe.pdf"_s), "el informe de la semana pasada");
    EXPECT_TRUE(QDir(datos.Ruta(u".."_s)).entryList({u"informe.pdf.*"_s}).isEmpty());
    QFile::remove(informe);
}

// Un informe muerto a mitad deja el anterior o el nuevo entero, nunca uno roto.
TEST(OrdenesEscrituras, InformeMuertoDejaElAnteriorOElNuevoEntero) {
    CarpetaTemporal datos;
    CarpetaTemporal salida;
    CopiaDatosDistribuidos(datos);
    const QString informe = salida.Ruta(u"informe.pdf"_s);
    salida.Escribe(u"informe.pdf"_s, "anterior");
    // El PDF se escribe en unos pocos milisegundos de los cien que vive la orden: muchas muertes
    // seguidas para caer dentro.
    for (int us = 0; us < 150000; us += 2500) {
        SCOPED_TRACE(us);
        QProcess cli;
        cli.start(Cli, QStringList{u"--datos"_s, datos.Ruta()} + Partes(Escrutar) +
                           QStringList{u"--informe"_s, informe});
        ASSERT_TRUE(cli.waitForStarted());
        QThread::usleep(us);
        ::kill(static_cast<pid_t>(cli.processId()), SIGKILL);
        cli.waitForFinished();
        const QByteArray pdf = salida.Lee(u"informe.pdf"_s);
        EXPECT_TRUE(pdf == "anterior" ||
                    (pdf.startsWith("%PDF") && pdf.trimmed().endsWith("%%EOF")))
            << pdf.left(40).toStdString();
    }
}

// Dos órdenes a la vez sobre la misma jornada: cada una cambia lo suyo sobre lo que hay con la
// carpeta bloqueada, así que ninguna pierde lo de la otra. Primero forzado (las dos esperan al
// bloqueo que tiene la prueba), después a la vez.
TEST(OrdenesEscrituras, DosEscritoresEnUnaJornadaConservanAmbosCambios) {
    CarpetaTemporal datos;
    CopiaDatosDistribuidos(datos);
    const QByteArray jornadas = datos.Lee(u"JORNADAS.ZPK"_s);
    const auto ambas = [&](bool forzado) {
        std::optional<BloqueoDatos> bloqueo;
        if (forzado)
            bloqueo.emplace(datos.Ruta());
        QProcess jornada;
        QProcess escrutinio;
        const QString equipos = forzado ? u"Aaa Bbb"_s : u"Ccc Ddd"_s;
        jornada.start(Cli, QStringList{u"--datos"_s, datos.Ruta()} +
                               Partes(u"jornada 1 --partido 3 "_s + equipos));
        escrutinio.start(Cli, QStringList{u"--datos"_s, datos.Ruta()} + Partes(Escrutar));
        if (forzado) {
            QThread::msleep(600);
            bloqueo.reset();
        }
        ASSERT_TRUE(jornada.waitForFinished() && escrutinio.waitForFinished());
        EXPECT_EQ(jornada.exitCode(), 0) << jornada.readAllStandardError().toStdString();
        EXPECT_EQ(escrutinio.exitCode(), 0) << escrutinio.readAllStandardError().toStdString();
        const QString r = Registro(datos, 1);
        EXPECT_EQ(r.mid(13 + 4 * 15, 30).simplified(), equipos);
        EXPECT_EQ(r.mid(463, 15), u"123123123123123"_s);
    };
    ambas(true);
    for (int vez = 0; vez < 8; ++vez) {
        SCOPED_TRACE(vez);
        datos.Escribe(u"JORNADAS.ZPK"_s, jornadas);
        ambas(false);
    }
}

} // namespace
} // namespace quiniela
