#include "cli/interrupcion_consola.h"

#include <QTextStream>

#include <cstdio>
#include <unistd.h>

namespace quiniela {

namespace {

std::atomic<bool> Marca{false};
static_assert(std::atomic<bool>::is_always_lock_free);

extern "C" void AlInterrumpir(int) {
    Marca.store(true, std::memory_order_relaxed);
}

} // namespace

InterrupcionConsola::InterrupcionConsola() {
    Marca = false;
    struct sigaction accion {};
    accion.sa_handler = AlInterrumpir;
    sigemptyset(&accion.sa_mask);
    sigaction(SIGINT, &accion, &Anterior);
}

InterrupcionConsola::~InterrupcionConsola() {
    sigaction(SIGINT, &Anterior, nullptr);
}

const std::atomic<bool>* InterrupcionConsola::Bandera() const {
    return &Marca;
}

bool InterrupcionConsola::Interrumpido() const {
    return Bandera()->load(std::memory_order_relaxed);
}

bool ErroresEnTerminal(const SalidaOrden& salida) {
    // Un texto en memoria (pruebas) nunca es un terminal.
    return salida.Err.string() == nullptr && isatty(fileno(stderr)) == 1;
}

} // namespace quiniela
