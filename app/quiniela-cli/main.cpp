// Herramienta de línea de órdenes sobre la misma lógica que el programa de escritorio.
#include "cli/linea_ordenes.h"
#include "core/regional.h"
#include "platform/curl/transporte_curl.h"
#include "platform/qt/impresora_pintor.h"
#include "platform/qt/impresora_sistema.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <cstring>
#include <memory>

namespace {

// Solo imprimir y el informe en PDF dibujan texto, y para eso Qt necesita una aplicación
// gráfica (sus fuentes); se crea sin pantalla y solo para esas órdenes.
bool PideImpresion(int argc, char** argv) {
    bool escrutar = false;
    bool informe = false;
    bool imprimir = false;
    for (int i = 1; i < argc; ++i) {
        escrutar = escrutar || std::strcmp(argv[i], "escrutar") == 0;
        informe = informe || std::strcmp(argv[i], "--informe") == 0;
        imprimir = imprimir || std::strcmp(argv[i], "imprimir") == 0;
    }
    return (escrutar && informe) || imprimir;
}

} // namespace

int main(int argc, char** argv) {
    std::unique_ptr<QCoreApplication> app;
    if (PideImpresion(argc, argv)) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
        quiniela::InstalaCreadorImpresoraPdf(quiniela::CreaImpresoraPdfQt);
        quiniela::InstalaCreadorImpresoraSistema(quiniela::CreaImpresoraSistema);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication::setApplicationName(QStringLiteral("quiniela"));
    quiniela::InstalaCreadorTransporteCorreo(
        [] { return std::make_unique<quiniela::TransporteCurl>(); });
    quiniela::FijaRegionalDePantallas();
    return quiniela::EjecutaLineaOrdenes(QCoreApplication::arguments());
}
