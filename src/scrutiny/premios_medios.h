#pragma once
// Premios que se suponen cuando el usuario no da ninguno: la media, por categoría, de los
// guardados con las jornadas escrutadas.

#include "reduction/valor_apuesta.h"

namespace quiniela {

struct EstadoGlobal;

// Jornada escrutada: registro válido con los quince resultados de la columna ganadora. Cada
// categoría promedia las jornadas que tienen su premio escrito; sin ninguna, queda vacía.
PremiosValor PremiosMedios(const EstadoGlobal& estado);

} // namespace quiniela
