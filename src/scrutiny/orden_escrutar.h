#pragma once
// Orden "escrutar" de quiniela-cli: el escrutinio de una reducción guardada, con el mismo
// código que la pantalla, y su informe en PDF si se pide.

#include <QStringList>

namespace quiniela {

struct EstadoGlobal;
struct SalidaOrden;

// escrutar --jornada J --orden O --ganadora SIGNOS --premios P1,...,P6 [--informe FICHERO.pdf]
int OrdenEscrutar(EstadoGlobal& estado, const QStringList& argumentos, SalidaOrden& salida);

} // namespace quiniela
