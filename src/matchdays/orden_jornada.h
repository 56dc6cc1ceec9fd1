#pragma once
// Orden "jornada" de quiniela-cli: muestra una jornada o guarda su fecha y sus partidos con
// las mismas reglas que la pantalla de jornadas.

#include <QStringList>

namespace quiniela {

struct EstadoGlobal;
struct SalidaOrden;

// jornada J [--fecha DD/MM/AA] [--partido N LOCAL VISITANTE]...
int OrdenJornada(EstadoGlobal& estado, const QStringList& argumentos, SalidaOrden& salida);

// Texto que imprime la orden para la jornada actual (fecha y partidos).
QString TextoJornadaActual(const EstadoGlobal& estado);

} // namespace quiniela
