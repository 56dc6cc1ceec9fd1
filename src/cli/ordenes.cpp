// Tabla de órdenes de quiniela-cli: cada subsistema da la suya; aquí solo se reúnen.
#include "cli/linea_ordenes.h"
#include "consult/orden_consultar.h"
#include "consult/orden_historial.h"
#include "matchdays/orden_borrar.h"
#include "matchdays/orden_jornada.h"
#include "matchdays/orden_probabilidades.h"
#include "output/orden_enviar.h"
#include "output/orden_exportar.h"
#include "output/orden_imprimir.h"
#include "reduction/orden_valor.h"
#include "reduction/ordenes_reduccion.h"
#include "scrutiny/orden_escrutar.h"

namespace quiniela {

const std::vector<Orden>& TablaOrdenes() {
    static const std::vector<Orden> tabla{
        DescripcionOrdenJornada(),        DescripcionOrdenHistorial(),
        DescripcionOrdenReducir(),        DescripcionOrdenEstadisticas(),
        DescripcionOrdenExportar(),       DescripcionOrdenEscrutar(),
        DescripcionOrdenImprimir(),       DescripcionOrdenConsultar(),
        DescripcionOrdenBorrar(),         DescripcionOrdenEnviar(),
        DescripcionOrdenProbabilidades(), DescripcionOrdenValor(),
    };
    return tabla;
}

} // namespace quiniela
