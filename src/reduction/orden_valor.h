#pragma once
// Orden "valor" de quiniela-cli: lo que vale una reducción guardada con las estimaciones de su
// jornada, en una tabla en español o en CSV para programas.

#include "cli/orden.h"

namespace quiniela {

// valor --jornada J --orden O [--premios P15,P14,P13,P12,P11,P10] [--csv]
Orden DescripcionOrdenValor();

} // namespace quiniela
