#pragma once
// Salida del programa: lo que queda escrito en la carpeta de datos al cerrar el menú.

#include <QString>

#include <optional>

namespace quiniela {

struct EstadoGlobal;

inline constexpr auto NombreFicheroBoletos = "FORBOLW.ZPK";

// Guarda los datos generales (jornada, orden y método pasan al siguiente arranque) y borra
// el fichero de trabajo de los boletos. Devuelve el aviso para el usuario si no se pudo
// guardar; el borrado sigue adelante igualmente.
std::optional<QString> SalDelPrograma(const EstadoGlobal& estado);

} // namespace quiniela
