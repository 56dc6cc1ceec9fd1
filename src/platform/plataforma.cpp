#include "platform/plataforma.h"

#include "core/error_fichero.h"
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
    if (auto* s = Instalada().Sonido)
        s->Toca(numero);
}

void Espera(int milisegundos) {
    if (auto* r = Instalada().Tiempo)
        r->Espera(milisegundos);
}

void ProcesaEventos() {
    if (auto* r = Instalada().Tiempo)
        r->ProcesaEventos();
}

void AvisaSistema(const QString& texto) {
    if (auto* a = Instalada().Aviso)
        a->Avisa(texto);
}

void MuestraMensaje(const QString& titulo, const QString& texto, BotonesMensaje botones) {
    if (auto* m = Instalada().Mensajeria)
        m->MuestraMensaje(titulo, texto, botones);
}

void AbreAyuda(int tema) {
    if (auto* a = Instalada().AyudaEnLinea)
        a->AbreAyuda(tema);
}

void PonCursor(QObject* control, const QString& nombre) {
    if (auto* c = Instalada().Punteros)
        c->PonCursor(control, nombre);
}

// Las avisa el sistema: por eso viven aquí y no en core, que no incluye la plataforma.
void NotificaErrorFichero(EstadoGlobal& estado, const ContextoErrorFichero& contexto, int numero,
                          const QString& ruta) {
    estado.UltimoErrorFichero = static_cast<int16_t>(numero);
    if (numero == ErrorFichero::Desbordamiento)
        return;
    if (numero == ErrorFichero::NoExiste && !contexto.AvisaNoExiste)
        return;
    AvisaSistema(TextoErrorFichero(contexto, numero, ruta));
}

void NotificaErrorFichero(EstadoGlobal& estado, const ContextoErrorFichero& contexto,
                          const ResultadoFichero& resultado) {
    NotificaErrorFichero(estado, contexto, resultado.Numero, resultado.Ruta);
}

} // namespace quiniela
