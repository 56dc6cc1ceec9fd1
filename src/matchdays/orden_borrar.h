#pragma once
// Orden "borrar" de quiniela-cli: borra un tramo de jornadas con sus reducciones. Sin
// --confirmar solo enseña la confirmación y no borra nada.

#include <QStringList>

namespace quiniela {

struct EstadoGlobal;
struct SalidaOrden;

// Estado de salida cuando falta --confirmar: no se ha borrado nada.
inline constexpr int SalidaSinConfirmar = 2;

// borrar --desde J1 --hasta J2 [--confirmar]
int OrdenBorrar(EstadoGlobal& estado, const QStringList& argumentos, SalidaOrden& salida);

} // namespace quiniela
