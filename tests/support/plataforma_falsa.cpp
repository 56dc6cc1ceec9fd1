#include "support/plataforma_falsa.h"

namespace quiniela::prueba {

PlataformaFalsa::PlataformaFalsa(EstadoGlobal* e) : estado(e) {
    Plataforma p;
    p.Aviso = this;
    p.Mensajeria = this;
    p.Sonido = this;
    p.Tiempo = this;
    p.AyudaEnLinea = this;
    p.Punteros = this;
    p.Metricas = this;
    InstalaPlataforma(p);
}

PlataformaFalsa::~PlataformaFalsa() {
    InstalaPlataforma(Plataforma{});
}

void PlataformaFalsa::MuestraMensaje(const QString& titulo, const QString& texto,
                                     BotonesMensaje botones) {
    Mensajes.push_back({titulo, texto, botones});
    if (estado == nullptr || !botones.testFlag(Respuesta))
        return;
    // Como el diálogo real: solo un botón visible puede confirmar.
    if (Respuesta == BotonMensaje::Borrar)
        estado->BorrarConfirmado = true;
    else if (Respuesta == BotonMensaje::Reducir)
        estado->ReducirConfirmado = true;
    else if (Respuesta == BotonMensaje::Copiar)
        estado->CopiarConfirmado = true;
}

} // namespace quiniela::prueba
