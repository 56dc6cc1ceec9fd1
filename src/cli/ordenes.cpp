// Tabla de órdenes de quiniela-cli: una línea por orden.
#include "cli/linea_ordenes.h"

namespace quiniela {

const std::vector<Orden>& TablaOrdenes() {
    static const std::vector<Orden> tabla{};
    return tabla;
}

} // namespace quiniela
