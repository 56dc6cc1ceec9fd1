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
#include <QIcon>

using namespace quiniela;

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

    const Distribucion distribucion = BuscaDistribucion(QApplication::applicationDirPath());
    const auto menu =
        ArrancaPrograma(estado, distribucion.Datos, CarpetaRespaldo(), SondaDe(distribucion));
    if (!menu)
        return 0;
    return QApplication::exec();
}
