#pragma once
// Arranque completo del programa de escritorio.

#include "core/arranque.h"

#include <memory>

namespace quiniela {

struct EstadoGlobal;
class PantallaVelmo;

// Elige la carpeta de datos, comprueba la pantalla, muestra el menú principal y la
// ayuda inicial. Devuelve el menú, o nullptr si la pantalla es demasiado pequeña.
std::unique_ptr<PantallaVelmo> ArrancaPrograma(EstadoGlobal& estado, const QString& carpetaPrograma,
                                               const QString& carpetaRespaldo,
                                               const SondaEscritura& puedeEscribir);

} // namespace quiniela
