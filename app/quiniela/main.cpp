// Programa de escritorio de la quiniela.
#include "core/arranque.h"
#include "core/estado_global.h"
#include "platform/curl/transporte_curl.h"
#include "platform/qt/aplicacion_qt.h"
#include "platform/qt/ayuda_qt.h"
#include "platform/qt/servicios_qt.h"
#include "platform/qt/sonidos_qt.h"
#include "shell/arranque_programa.h"
#include "shell/pantalla_mensajes.h"
#include "shell/pantalla_velmo.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>

#include <cstdio>
#include <optional>

using namespace quiniela;

namespace {

// La carpeta de "--datos CARPETA" o "--datos=CARPETA"; vacía si no se ha dado ("--datos" sin
// carpeta da una carpeta vacía, que no existe).
std::optional<QString> CarpetaDeArgumentos(const QStringList& argumentos) {
    for (qsizetype i = 1; i < argumentos.size(); ++i) {
        const QString& a = argumentos[i];
        if (a == QStringLiteral("--datos"))
            return i + 1 < argumentos.size() ? argumentos[i + 1] : QString();
        if (a.startsWith(QStringLiteral("--datos=")))
            return a.mid(8);
    }
    return std::nullopt;
}

} // namespace

int main(int argc, char** argv) {
    AplicacionQuiniela app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("quiniela"));
    QApplication::setApplicationDisplayName(QStringLiteral("Quiniela"));
    // Con el nombre de la entrada del menú el escritorio asocia la ventana a su icono.
    QGuiApplication::setDesktopFileName(QStringLiteral("es.quiniela.Quiniela"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/imagenes/icono.png")));
    PreparaAplicacion(app);

    EstadoGlobal estado;
    AvisoSistemaQt aviso;
    MensajeroQt mensajero(estado);
    SonidosQt sonidos;
    RelojQt reloj;
    CursoresQt cursores;
    AyudaQt ayuda;
    MetricasPantallaQt metricas;
    Plataforma servicios;
    servicios.Aviso = &aviso;
    servicios.Mensajeria = &mensajero;
    servicios.Sonido = &sonidos;
    servicios.Tiempo = &reloj;
    servicios.Punteros = &cursores;
    servicios.AyudaEnLinea = &ayuda;
    servicios.Metricas = &metricas;
    InstalaPlataforma(servicios);
    InstalaCreadorTransporteCorreo([] { return std::make_unique<TransporteCurl>(); });

    // --datos CARPETA: esa carpeta de datos tal cual, como en quiniela-cli.
    const std::optional<QString> datos = CarpetaDeArgumentos(QApplication::arguments());
    if (datos && !QFileInfo(*datos).isDir()) {
        std::fprintf(stderr, "quiniela: no existe la carpeta de datos %s.\n",
                     qPrintable(QDir::toNativeSeparators(*datos)));
        return 1;
    }
    const Distribucion distribucion = BuscaDistribucion(QApplication::applicationDirPath());
    const auto menu =
        datos
            ? ArrancaPrograma(estado, QDir(*datos).absolutePath() + u'/', CarpetaRespaldo(),
                              [](const QString&) { return true; })
            : ArrancaPrograma(estado, distribucion.Datos, CarpetaRespaldo(), SondaDe(distribucion));
    if (!menu)
        return 0;
    return QApplication::exec();
}
