#pragma once
// La clave del correo en la línea de órdenes: de QUINIELA_CLAVE_CORREO o preguntada en el
// terminal sin eco.

#include "cli/orden.h"

#include <optional>

namespace quiniela {

inline constexpr auto VariableClaveCorreo = "QUINIELA_CLAVE_CORREO";

// La clave de la variable de entorno; si no está, la pregunta en el terminal sin mostrar lo
// que se teclea. nullopt si no hay terminal al que preguntar o se cierra la entrada.
std::optional<QString> ClaveCorreoConsola(SalidaOrden& salida);

} // namespace quiniela
