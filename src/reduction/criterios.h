#pragma once
// Criterios de la reducción: comprobaciones antes de reducir, con sus títulos y textos, y
// la limpieza de los parámetros que el método no usa.

#include "core/tipos.h"

#include <QString>

#include <optional>

namespace quiniela {

struct EstadisticasReduccion;

// Mensaje para el diálogo: título en mayúsculas y explicación.
struct MensajeReduccion {
    QString Titulo;
    QString Texto;
    bool operator==(const MensajeReduccion&) const = default;
};

// Las seis comprobaciones en su orden; devuelve la primera que falla. Las estadísticas
// deben estar recién calculadas sobre la misma reducción.
std::optional<MensajeReduccion> CompruebaReduccion(const Reduccion& red,
                                                   const EstadisticasReduccion& est);

// La reducción guardada lleva solo los parámetros de su método.
void LimpiaParametrosNoUsados(Reduccion& red);

// Pregunta antes de sustituir una reducción guardada.
MensajeReduccion MensajeReduccionExiste();

} // namespace quiniela
