#pragma once
// Guardián de ModoEdicion: mientras vive, el programa rellena listas y campos sin sonidos
// ni elecciones; al salir del ámbito deja el valor que había, también si algo sale antes.

#include "core/estado_global.h"

namespace quiniela {

class GuardaModoEdicion {
public:
    explicit GuardaModoEdicion(EstadoGlobal& estado)
        : estado_(estado), anterior_(estado.ModoEdicion) {
        estado_.ModoEdicion = true;
    }
    ~GuardaModoEdicion() { estado_.ModoEdicion = anterior_; }
    GuardaModoEdicion(const GuardaModoEdicion&) = delete;
    GuardaModoEdicion& operator=(const GuardaModoEdicion&) = delete;

private:
    EstadoGlobal& estado_;
    bool anterior_;
};

} // namespace quiniela
