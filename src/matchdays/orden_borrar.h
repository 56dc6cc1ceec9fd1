#pragma once
// Orden "borrar" de quiniela-cli: borra un tramo de jornadas con sus reducciones. Sin
// --confirmar solo enseña la confirmación y no borra nada.

#include "cli/orden.h"

namespace quiniela {

// Estado de salida cuando falta --confirmar: no se ha borrado nada.
inline constexpr int SalidaSinConfirmar = 2;

// borrar --desde J1 --hasta J2 [--confirmar]
Orden DescripcionOrdenBorrar();

} // namespace quiniela
