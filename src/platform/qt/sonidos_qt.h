#pragma once
// Los seis sonidos del programa, tocados de forma síncrona y sin colgarse nunca.

#include "platform/plataforma.h"

namespace quiniela {

class SonidosQt final : public Sonidos {
public:
    void Toca(int numero) override;
    // Ruta del recurso de un sonido: ":/sonidos/sonidoNN.wav".
    static QString RecursoSonido(int numero);
};

} // namespace quiniela
