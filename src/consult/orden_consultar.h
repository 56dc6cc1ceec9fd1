#pragma once
// Orden "consultar" de quiniela-cli: el número de boletos de una reducción y los tres
// boletos del bloque que contiene uno de ellos, como los enseña la pantalla de consulta.

#include <QStringList>

namespace quiniela {

struct EstadoGlobal;
struct SalidaOrden;

// consultar --jornada J --orden O [--boleto N]
int OrdenConsultar(EstadoGlobal& estado, const QStringList& argumentos, SalidaOrden& salida);

} // namespace quiniela
