#pragma once
// Órdenes "reducir" y "estadisticas" de quiniela-cli, sobre el mismo motor que la pantalla.

#include "cli/orden.h"

namespace quiniela {

// Estados de salida de "reducir".
inline constexpr int SalidaComprobacionFallida = 2;
inline constexpr int SalidaReduccionExiste = 3;
inline constexpr int SalidaCancelada = 130; // como un programa interrumpido con Ctrl-C

// reducir --jornada J --orden O --metodo M --base "T1 … T15" [--errores MIN-MAX]
//         [--totales "1:L X:L 2:L"] [--descripcion TEXTO] [--reemplazar]
Orden DescripcionOrdenReducir();

// estadisticas --metodo M --base "T1 … T15" [--errores MIN-MAX] [--totales "1:L X:L 2:L"]
Orden DescripcionOrdenEstadisticas();

} // namespace quiniela
