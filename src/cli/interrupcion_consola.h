#pragma once
// Ctrl-C en la línea de órdenes como "Cancelar el proceso": mientras vive el objeto, SIGINT
// solo pone una bandera que el motor mira; al destruirse vuelve el manejador anterior.

#include "cli/orden.h"

#include <atomic>
#include <csignal>

namespace quiniela {

class InterrupcionConsola {
public:
    InterrupcionConsola();
    ~InterrupcionConsola();
    InterrupcionConsola(const InterrupcionConsola&) = delete;
    InterrupcionConsola& operator=(const InterrupcionConsola&) = delete;

    // La bandera que pone Ctrl-C (sin candados: se puede tocar desde el manejador).
    const std::atomic<bool>* Bandera() const;
    bool Interrumpido() const;

private:
    struct sigaction Anterior {};
};

// Si los avisos de progreso pueden ir a stderr: solo cuando es un terminal.
bool ErroresEnTerminal(const SalidaOrden& salida);

} // namespace quiniela
