#pragma once
// Orden "escrutar" de quiniela-cli: el escrutinio de una reducción guardada, con el mismo
// código que la pantalla, y su informe en PDF si se pide.

#include "cli/orden.h"

namespace quiniela {

// escrutar --jornada J --orden O --ganadora SIGNOS --premios P1,...,P6 [--informe FICHERO.pdf]
Orden DescripcionOrdenEscrutar();

} // namespace quiniela
