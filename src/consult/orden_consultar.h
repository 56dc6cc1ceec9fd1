#pragma once
// Orden "consultar" de quiniela-cli: el número de boletos de una reducción y los tres
// boletos del bloque que contiene uno de ellos, como los enseña la pantalla de consulta.

#include "cli/orden.h"

namespace quiniela {

// consultar --jornada J --orden O [--boleto N]
Orden DescripcionOrdenConsultar();

} // namespace quiniela
