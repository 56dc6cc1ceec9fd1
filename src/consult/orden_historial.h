#pragma once
// Orden "historial" de quiniela-cli: las cabeceras y las líneas del fichero histórico.

#include "cli/orden.h"

namespace quiniela {

// historial (sin argumentos)
Orden DescripcionOrdenHistorial();

} // namespace quiniela
