#pragma once
// Línea de órdenes de quiniela-cli: la tabla reúne la orden que da cada subsistema.

#include "cli/orden.h"

#include <vector>

namespace quiniela {

const std::vector<Orden>& TablaOrdenes();

// Interpreta la línea completa (argumentos[0] es el programa).
int EjecutaLineaOrdenes(const QStringList& argumentos);
int EjecutaLineaOrdenes(const QStringList& argumentos, QTextStream& out, QTextStream& err);

} // namespace quiniela
