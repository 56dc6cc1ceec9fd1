#include "platform/plataforma.h"

#include "core/estado_global.h"

namespace quiniela {

namespace {
Plataforma& Instalada() {
    static Plataforma servicios;
    return servicios;
}
} // namespace

Plataforma& ServiciosPlataforma() {
    return Instalada();
}

void InstalaPlataforma(const Plataforma& servicios) {
    Instalada() = servicios;
}

void TocaSonido(const EstadoGlobal& estado, int numero) {
    if (estado.Datos.Sonido.trimmed().compare(QStringLiteral("Si"), Qt::CaseInsensitive) != 0)
        return;
    if (auto* s = Instalada().sonidos)
        s->Toca(numero);
}

void Espera(int milisegundos) {
    if (auto* r = Instalada().reloj)
        r->Espera(milisegundos);
}

void ProcesaEventos() {
    if (auto* r = Instalada().reloj)
        r->ProcesaEventos();
}

void AvisaSistema(const QString& texto) {
    if (auto* a = Instalada().aviso)
        a->Avisa(texto);
}

void MuestraMensaje(const QString& titulo, const QString& texto, BotonesMensaje botones) {
    if (auto* m = Instalada().mensajero)
        m->MuestraMensaje(titulo, texto, botones);
}

void AbreAyuda(int tema) {
    if (auto* a = Instalada().ayuda)
        a->AbreAyuda(tema);
}

void PonCursor(QObject* control, const QString& nombre) {
    if (auto* c = Instalada().cursores)
        c->PonCursor(control, nombre);
}

} // namespace quiniela
