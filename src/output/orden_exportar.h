#pragma once
// Orden "exportar" de quiniela-cli: la copia a disco sobre el mismo motor que la pantalla.

#include <QStringList>

namespace quiniela {

struct EstadoGlobal;
struct SalidaOrden;

// exportar --jornada J --orden O --formato AD243|TXT1|…|TXT6 --destino RUTA
int OrdenExportar(EstadoGlobal& estado, const QStringList& argumentos, SalidaOrden& salida);

} // namespace quiniela
