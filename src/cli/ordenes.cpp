// Tabla de órdenes de quiniela-cli: una línea por orden.
#include "cli/linea_ordenes.h"
#include "consult/orden_consultar.h"
#include "consult/orden_historial.h"
#include "matchdays/orden_borrar.h"
#include "matchdays/orden_jornada.h"
#include "output/orden_exportar.h"
#include "reduction/ordenes_reduccion.h"

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
        {QStringLiteral("reducir"),
         QStringLiteral("reducir --jornada J --orden O --metodo directo|probable|signos --base "
                        "\"T1 … T15\" [--errores MIN-MAX] [--totales \"1:L X:L 2:L\"] "
                        "[--descripcion TEXTO] [--reemplazar]  reduce y guarda la base (Tm: "
                        "signos, \"*\" si se reduce, \"=S\" signo probable; \"-\" sin signos)"),
         OrdenReducir},
        {QStringLiteral("estadisticas"),
         QStringLiteral("estadisticas --metodo directo|probable|signos --base \"T1 … T15\" "
                        "[--errores MIN-MAX] [--totales \"1:L X:L 2:L\"]  muestra las "
                        "estadísticas de la reducción sin hacerla"),
         OrdenEstadisticas},
        {QStringLiteral("exportar"),
         QStringLiteral(
             "exportar --jornada J --orden O --formato AD243|TXT1|…|TXT6 --destino RUTA  "
             "copia la reducción a un archivo (RUTA: el archivo o una carpeta)"),
         OrdenExportar},
        {QStringLiteral("consultar"),
         QStringLiteral("consultar --jornada J --orden O [--boleto N]  muestra el número de "
                        "boletos y los tres boletos del bloque del boleto N (por defecto 1)"),
         OrdenConsultar},
        {QStringLiteral("borrar"),
         QStringLiteral("borrar --desde J1 --hasta J2 [--confirmar]  borra las jornadas del "
                        "tramo con sus reducciones (sin --confirmar solo dice lo que borraría)"),
         OrdenBorrar},
    };
    return tabla;
}

} // namespace quiniela
