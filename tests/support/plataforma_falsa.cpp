#include "support/plataforma_falsa.h"

namespace quiniela::prueba {

PlataformaFalsa::PlataformaFalsa(EstadoGlobal* e) : estado(e) {
    Plataforma p;
    p.aviso = this;
    p.mensajero = this;
    p.sonidos = this;
    p.reloj = this;
    p.ayuda = this;
    p.cursores = this;
    p.metricas = this;
    InstalaPlataforma(p);
}

PlataformaFalsa::~PlataformaFalsa() {
    InstalaPlataforma(Plataforma{});
}

void PlataformaFalsa::MuestraMensaje(const QString& titulo, const QString& texto,
                                     BotonesMensaje botones) {
    mensajes.push_back({titulo, texto, botones});
    if (estado == nullptr || !botones.testFlag(respuesta))
        return;
    // Como el diálogo real: solo un botón visible puede confirmar.
    if (respuesta == BotonMensaje::Borrar)
        estado->BorrarConfirmado = true;
    else if (respuesta == BotonMensaje::Reducir)
        estado->ReducirConfirmado = true;
    else if (respuesta == BotonMensaje::Copiar)
        estado->CopiarConfirmado = true;
}

} // namespace quiniela::prueba
