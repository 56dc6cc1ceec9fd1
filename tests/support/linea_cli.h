#pragma once
// quiniela-cli en memoria sobre una carpeta temporal: estado de salida, stdout y stderr.

#include "cli/linea_ordenes.h"
#include "support/carpeta_temporal.h"

namespace quiniela::prueba {

struct Linea {
    int Estado = 0;
    QString Out;
    QString Err;
};

// quiniela-cli --datos CARPETA seguido de `args`.
inline Linea EjecutaCli(const CarpetaTemporal& carpeta, const QStringList& args) {
    Linea l;
    QTextStream out(&l.Out);
    QTextStream err(&l.Err);
    l.Estado = EjecutaLineaOrdenes(
        QStringList{QStringLiteral("quiniela-cli"), QStringLiteral("--datos"), carpeta.Ruta()} +
            args,
        out, err);
    return l;
}

} // namespace quiniela::prueba
