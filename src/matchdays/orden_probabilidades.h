#pragma once
// Orden "probabilidades" de quiniela-cli: guarda las estimaciones de una jornada (porcentajes
// o cuotas por partido) y muestra las quince filas.

#include "cli/orden.h"

namespace quiniela {

// probabilidades --jornada J [--partido N P1 PX P2]... [--cuotas N C1 CX C2]... [--borrar N]...
Orden DescripcionOrdenProbabilidades();

} // namespace quiniela
