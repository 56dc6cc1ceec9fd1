// Herramienta de línea de órdenes sobre la misma lógica que el programa de escritorio.
#include "cli/linea_ordenes.h"
#include "core/regional.h"

#include <QCoreApplication>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("quiniela"));
    quiniela::FijaRegionalDePantallas();
    return quiniela::EjecutaLineaOrdenes(QCoreApplication::arguments());
}
