#pragma once
// Un escritor a la vez en la carpeta de datos: todo leer-cambiar-escribir de un fichero
// compartido (índice, jornadas, datos generales, equipos) se hace con el fichero de bloqueo
// tomado, para que el programa y la línea de órdenes no se pisen los cambios.

#include "core/error_fichero.h"

#include <QLockFile>
#include <QString>

#include <functional>

namespace quiniela {

inline constexpr auto NombreBloqueoDatos = "QUINIELA.LCK";
// Lo que espera el segundo escritor antes de rendirse.
inline constexpr int EsperaBloqueoMs = 5000;

class BloqueoDatos {
public:
    // Toma el bloqueo de la carpeta (con barra final); un bloqueo abandonado por un proceso
    // que ya no existe se toma.
    explicit BloqueoDatos(const QString& carpeta, int esperaMs = EsperaBloqueoMs);
    // Lo tiene otro escritor y no lo soltó a tiempo.
    bool Ocupado() const { return ocupada_; }

private:
    QLockFile fichero_;
    bool ocupada_ = false;
};

// Ejecuta `cambio` con la carpeta bloqueada. Si otro escritor no la suelta a tiempo, no lo
// ejecuta y devuelve CarpetaOcupada. Si no se puede ni crear el fichero de bloqueo (carpeta
// que no existe o de solo lectura), el cambio se intenta igual y da su propio error.
ResultadoFichero ConCarpetaBloqueada(const QString& carpeta,
                                     const std::function<ResultadoFichero()>& cambio);

} // namespace quiniela
