#include "output/interrupcion_consola.h"

namespace quiniela {

namespace {

std::atomic<bool> Interrumpido{false};
static_assert(std::atomic<bool>::is_always_lock_free);

extern "C" void AlInterrumpirCopia(int) {
    Interrumpido.store(true, std::memory_order_relaxed);
}

} // namespace

InterrupcionConsola::InterrupcionConsola() {
    Interrumpido = false;
    struct sigaction accion {};
    accion.sa_handler = AlInterrumpirCopia;
    sigemptyset(&accion.sa_mask);
    sigaction(SIGINT, &accion, &Anterior);
}

InterrupcionConsola::~InterrupcionConsola() {
    sigaction(SIGINT, &Anterior, nullptr);
}

const std::atomic<bool>* InterrupcionConsola::Bandera() const {
    return &Interrumpido;
}

} // namespace quiniela
