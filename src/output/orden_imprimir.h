#pragma once
// Orden "imprimir" de quiniela-cli: datos básicos, boletos, relación o continuo de una
// reducción, en la impresora predeterminada o en un PDF.

#include "cli/orden.h"

namespace quiniela {

Orden DescripcionOrdenImprimir();

} // namespace quiniela
