#pragma once
// Orden "exportar" de quiniela-cli: la copia a disco sobre el mismo motor que la pantalla.

#include "cli/orden.h"

namespace quiniela {

// exportar --jornada J --orden O --formato AD243|TXT1|…|TXT6 --destino RUTA
Orden DescripcionOrdenExportar();

} // namespace quiniela
