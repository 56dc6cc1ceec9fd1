#pragma once
// Orden "jornada" de quiniela-cli: muestra una jornada o guarda su fecha y sus partidos con
// las mismas reglas que la pantalla de jornadas.

#include "cli/orden.h"

namespace quiniela {

// jornada J [--fecha DD/MM/AA] [--partido N LOCAL VISITANTE]...
Orden DescripcionOrdenJornada();

} // namespace quiniela
