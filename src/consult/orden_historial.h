#pragma once
// Orden "historial" de quiniela-cli: las cabeceras y las líneas del fichero histórico.

#include <QStringList>

namespace quiniela {

struct EstadoGlobal;
struct SalidaOrden;

// historial (sin argumentos)
int OrdenHistorial(EstadoGlobal& estado, const QStringList& argumentos, SalidaOrden& salida);

} // namespace quiniela
