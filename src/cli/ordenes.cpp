// Tabla de órdenes de quiniela-cli: una línea por orden.
#include "cli/linea_ordenes.h"
#include "consult/orden_historial.h"
#include "matchdays/orden_jornada.h"

namespace quiniela {

const std::vector<Orden>& TablaOrdenes() {
    static const std::vector<Orden> tabla{
        {QStringLiteral("jornada"),
         QStringLiteral("jornada J [--fecha DD/MM/AA] [--partido N LOCAL VISITANTE]...  muestra "
                        "o guarda la fecha y los partidos de una jornada"),
         OrdenJornada},
        {QStringLiteral("historial"),
         QStringLiteral("historial  muestra el histórico de las reducciones guardadas"),
         OrdenHistorial},
    };
    return tabla;
}

} // namespace quiniela
