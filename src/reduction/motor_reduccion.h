#pragma once
// La reducción completa sobre el estado global: comprobaciones, pregunta si ya existe,
// limpieza de parámetros, fichero de columnas escrito al vuelo en un temporal, con aviso de
// progreso y cancelación. Solo completo toma su nombre, y después se escribe el registro del
// índice: nunca queda un registro que apunte a un fichero a medias o que no existe.

#include "reduction/criterios.h"
#include "reduction/desarrollo.h"
#include "reduction/estadisticas.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <optional>

namespace quiniela {

struct EstadoGlobal;

struct OpcionesReduccion {
    // Una vez por combinación desarrollada (o cuando pida, si devuelve RespuestaAviso);
    // cancelar equivale a "Cancelar el proceso".
    AvisoProgreso Aviso;
    // Justo antes de desarrollar, para mostrar el panel de progreso con los tamaños.
    std::function<void(int32_t total, int32_t aceptadas)> AlEmpezar;
    // Sustituir una reducción guardada sin preguntar (la línea de órdenes con
    // --reemplazar). Si no, se pregunta con el diálogo y su botón "Reducir apuestas".
    bool ReemplazaSinPreguntar = false;
    // Tamaño del bloque de escritura.
    qsizetype BytesBloque = qsizetype(BytesLineaColumna) * 65536;
};

enum class FinReduccion {
    Rechazada,     // falló una comprobación: nada escrito
    NoReemplazada, // ya existía y no se confirmó: nada escrito
    Terminada,
    Cancelada, // registro liberado y fichero de columnas borrado
    Fallida    // no se pudo escribir: lo guardado queda como estaba
};

struct ResultadoReduccion {
    FinReduccion Fin = FinReduccion::Rechazada;
    // Rechazada y Fallida: el mensaje que debe mostrar quien llama (comprobación o fallo de
    // escritura). NoReemplazada: la pregunta, que ya se mostró en el diálogo.
    std::optional<MensajeReduccion> Mensaje;
    EstadisticasReduccion Estadisticas;
    int32_t Pasos = 0;
    int32_t PasosHechos = 0;
    int64_t ColumnasEscritas = 0;
};

// Reduce estado.Red para (Datos.JornadaActual, Datos.OrdenActual). Los mensajes de las
// comprobaciones y de los fallos se devuelven, no se muestran; solo la pregunta de
// sustitución pasa por el diálogo de mensajes.
ResultadoReduccion EjecutaReduccion(EstadoGlobal& estado, const OpcionesReduccion& opciones = {});

// Porcentaje del panel: (paso × 100) div pasos.
int PorcentajeReduccion(int32_t paso, int32_t pasos);

// Textos del panel de progreso.
QString TituloProgresoReduccion();                               // "REDUCIENDO APUESTAS"
QString TextoTamanosReduccion(int32_t total, int32_t aceptadas); // tamaños de la franja
QString TextoPorcentajeReduccion(int porcentaje);                // "Se ha realizado el ..."
QString TextoReduccionTerminada();
QString TextoReduccionCancelada();

} // namespace quiniela
