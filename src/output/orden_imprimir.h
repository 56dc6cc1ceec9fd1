#pragma once
// Orden "imprimir" de quiniela-cli: datos básicos, boletos, relación o continuo de una
// reducción, en la impresora predeterminada o en un PDF.

#include <QStringList>

namespace quiniela {

struct EstadoGlobal;
struct SalidaOrden;

int OrdenImprimir(EstadoGlobal& estado, const QStringList& argumentos, SalidaOrden& salida);

} // namespace quiniela
