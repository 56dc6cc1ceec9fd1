// El módulo de sonido: se carga al primer sonido y, si no se puede (no está, no es una
// biblioteca, no es el módulo o falta Qt Multimedia), el programa sigue en silencio y sin
// escribir nada.
#include "platform/qt/sonidos_qt.h"
#include "support/carpeta_temporal.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLibraryInfo>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace quiniela;
using namespace quiniela::prueba;

namespace {

// Mensajes de Qt (qDebug, qWarning...) emitidos mientras vive.
class Mensajes {
public:
    Mensajes() { anterior_ = qInstallMessageHandler(&Anota); }
    ~Mensajes() { qInstallMessageHandler(anterior_); }
    static QStringList& Vistos() {
        static QStringList vistos;
        return vistos;
    }

private:
    static void Anota(QtMsgType, const QMessageLogContext&, const QString& texto) {
        Vistos() << texto;
    }
    QtMessageHandler anterior_;
};

const int Numeros[] = {1, 5, 6, 7, 9, 10};

} // namespace

TEST(ModuloSonido, SinModuloUtilSilencioSinAvisos) {
    CarpetaTemporal carpeta;
    carpeta.Escribe(u"quiniela_sonido.so"_s, QByteArray("esto no es una biblioteca\n"));
    const struct {
        const char* Caso;
        QString Ruta;
    } casos[] = {
        {"no existe", carpeta.Ruta(u"no_esta.so"_s)},
        {"no es una biblioteca", carpeta.Ruta(u"quiniela_sonido.so"_s)},
        {"biblioteca sin la entrada",
         QLibraryInfo::path(QLibraryInfo::LibrariesPath) + u"/libQt6Core.so.6"_s},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.Caso);
        Mensajes mensajes;
        Mensajes::Vistos().clear();
        SonidosQt sonidos(c.Ruta);
        QElapsedTimer reloj;
        reloj.start();
        for (const int numero : Numeros)
            sonidos.Toca(numero);
        EXPECT_FALSE(sonidos.Disponible());
        EXPECT_LT(reloj.elapsed(), 1000) << "no se queda esperando un sonido que no suena";
        EXPECT_TRUE(Mensajes::Vistos().isEmpty()) << Mensajes::Vistos().join(u'\n').toStdString();
    }
}

// El módulo compilado tiene la entrada y tocar cada sonido vuelve (sin salida de audio,
// enseguida; con ella, al acabar el clip).
TEST(ModuloSonido, ElCompiladoSeCargaYTocaLosSeisSinColgarse) {
    SonidosQt sonidos(QStringLiteral(QUINIELA_MODULO_SONIDO_COMPILADO));
    ASSERT_TRUE(sonidos.Disponible());
    QElapsedTimer reloj;
    reloj.start();
    for (const int numero : Numeros)
        sonidos.Toca(numero);
    EXPECT_LT(reloj.elapsed(), 6 * 2000 + 1000);
}

// Sin módulo junto al ejecutable, se busca donde lo deja la instalación: LIBDIR/quiniela
// respecto a la carpeta del ejecutable.
TEST(ModuloSonido, SinElJuntoAlEjecutableSeBuscaEnLaCarpetaDeInstalacion) {
    const QDir programa(QCoreApplication::applicationDirPath());
    ASSERT_FALSE(QFile::exists(programa.filePath(u"quiniela_sonido.so"_s)));
    const QString ruta = SonidosQt::RutaModuloSonido();
    EXPECT_TRUE(ruta.endsWith(u"/quiniela/quiniela_sonido.so"_s)) << ruta.toStdString();
    EXPECT_TRUE(ruta.startsWith(QDir::cleanPath(programa.filePath(u".."_s)) + u'/'))
        << ruta.toStdString();
}
