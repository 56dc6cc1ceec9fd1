// Herramienta de línea de órdenes sobre la misma lógica que el programa de escritorio.
#include "cli/linea_ordenes.h"
#include "core/regional.h"
#include "platform/curl/transporte_curl.h"
#include "platform/qt/modulo_impresion.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

#include <cstdio>
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

// El módulo va junto al ejecutable en la compilación y en su carpeta de bibliotecas una vez
// instalado; la ruta relativa sale de GNUInstallDirs, el prefijo del propio ejecutable.
QString RutaModuloImpresion() {
    // Aún no hay aplicación que diga su carpeta.
    const QDir ejecutable =
        QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath()).absoluteDir();
    const QString nombre = QStringLiteral(QUINIELA_MODULO_IMPRESION);
    const QString junto = ejecutable.filePath(nombre);
    if (QFileInfo::exists(junto))
        return junto;
    return QDir::cleanPath(
        ejecutable.filePath(QStringLiteral(QUINIELA_MODULOS_RELATIVA "/") + nombre));
}

// Carga el módulo y crea con él la aplicación gráfica. Devuelve el motivo si no se puede.
QString CargaImpresion(int& argc, char** argv, quiniela::ModuloImpresion& modulo) {
    // No se descarga nunca: la aplicación y las impresoras son código suyo.
    QLibrary biblioteca(RutaModuloImpresion());
    // Todo resuelto al cargar: si faltara algo, el fallo es aquí y no a mitad de imprimir.
    biblioteca.setLoadHints(QLibrary::ResolveAllSymbolsHint);
    const auto inicia = reinterpret_cast<quiniela::IniciaImpresion>(
        biblioteca.resolve(quiniela::SimboloIniciaImpresion));
    if (!inicia)
        return biblioteca.errorString();
    inicia(argc, argv, modulo);
    return QString();
}

} // namespace

int main(int argc, char** argv) {
    std::unique_ptr<QCoreApplication> app;
    if (PideImpresion(argc, argv)) {
        quiniela::ModuloImpresion modulo;
        const QString motivo = CargaImpresion(argc, argv, modulo);
        if (!motivo.isEmpty()) {
            std::fprintf(stderr,
                         "No se puede cargar el módulo de impresión de quiniela-cli, sin el que "
                         "no se puede imprimir ni escribir PDF. No se ha hecho nada.\n%s\n",
                         motivo.toLocal8Bit().constData());
            return 1;
        }
        app.reset(modulo.Aplicacion);
        quiniela::InstalaCreadorImpresoraPdf(modulo.CreaPdf);
        quiniela::InstalaCreadorImpresoraSistema(modulo.CreaSistema);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication::setApplicationName(QStringLiteral("quiniela"));
    quiniela::InstalaCreadorTransporteCorreo(
        [] { return std::make_unique<quiniela::TransporteCurl>(); });
    quiniela::FijaRegionalDePantallas();
    return quiniela::EjecutaLineaOrdenes(QCoreApplication::arguments());
}
