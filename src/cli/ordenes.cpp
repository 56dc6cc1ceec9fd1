// Tabla de órdenes de quiniela-cli: una línea por orden.
#include "cli/linea_ordenes.h"
#include "consult/orden_historial.h"
#include "matchdays/orden_jornada.h"
#include "output/orden_exportar.h"
#include "output/orden_imprimir.h"
#include "reduction/ordenes_reduccion.h"
#include "scrutiny/orden_escrutar.h"

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
        {QStringLiteral("escrutar"),
         QStringLiteral("escrutar --jornada J --orden O --ganadora SIGNOS --premios "
                        "P1,P2,P3,P4,P5,P6 [--informe FICHERO.pdf]  escruta la reducción "
                        "(SIGNOS: 15 de 1, X, 2 o \"-\" sin resultado) y guarda la columna "
                        "ganadora y los premios"),
         OrdenEscrutar},
        {QStringLiteral("imprimir"),
         QStringLiteral("imprimir --jornada J --orden O --tipo datos|boletos|relacion|continuo "
                        "[--desde N] [--hasta M] [--copias C] [--orientacion 1|2] [--reverso] "
                        "[--prueba] [--papel a4|350] [--pdf FICHERO.pdf]  imprime la reducción "
                        "en la impresora predeterminada (o en un PDF si no hay ninguna)"),
         OrdenImprimir},
    };
    return tabla;
}

} // namespace quiniela
