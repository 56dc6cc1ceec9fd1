#pragma once
// Falsificaciones de los servicios del sistema: apuntan lo que se les pide.
// Al construirse se instalan; al destruirse dejan la plataforma vacía.

#include "core/estado_global.h"
#include "platform/plataforma.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace quiniela::prueba {

struct MensajePedido {
    QString Titulo;
    QString Texto;
    BotonesMensaje Botones;
};

struct CursorPuesto {
    QObject* Control;
    QString Nombre;
};

class PlataformaFalsa final : public AvisoSistema,
                              public Mensajero,
                              public Sonidos,
                              public Reloj,
                              public Ayuda,
                              public Cursores,
                              public MetricasPantalla {
public:
    explicit PlataformaFalsa(EstadoGlobal* e = nullptr) : estado(e) {
        InstalaPlataforma({this, this, this, this, this, this, this});
    }
    ~PlataformaFalsa() override { InstalaPlataforma(Plataforma{}); }

    void Avisa(const QString& texto) override { Avisos << texto; }
    void MuestraMensaje(const QString& titulo, const QString& texto,
                        BotonesMensaje botones) override {
        Mensajes.push_back({titulo, texto, botones});
        // Como el diálogo real: solo un botón visible puede confirmar.
        if (estado == nullptr || !botones.testFlag(Respuesta))
            return;
        estado->BorrarConfirmado |= Respuesta == BotonMensaje::Borrar;
        estado->ReducirConfirmado |= Respuesta == BotonMensaje::Reducir;
        estado->CopiarConfirmado |= Respuesta == BotonMensaje::Copiar;
    }
    void Toca(int numero) override { Sonido.push_back(numero); }
    void Espera(int milisegundos) override { Esperas.push_back(milisegundos); }
    void ProcesaEventos() override {
        ++EventosProcesados;
        if (AlProcesarEventos)
            AlProcesarEventos();
    }
    void AbreAyuda(int tema) override { TemasAyuda.push_back(tema); }
    void PonCursor(QObject* control, const QString& nombre) override {
        Punteros.push_back({control, nombre});
    }
    QSize TamanoPantalla() const override { return Pantalla; }

    EstadoGlobal* estado;
    QStringList Avisos;
    std::vector<MensajePedido> Mensajes;
    std::vector<int> Sonido;
    std::vector<int> Esperas;
    std::vector<int> TemasAyuda;
    std::vector<CursorPuesto> Punteros;
    int EventosProcesados = 0;
    QSize Pantalla{1024, 768};
    // Respuesta del diálogo: el botón de confirmación que "pulsa" el usuario.
    BotonMensaje Respuesta = BotonMensaje::Ninguno;
    std::function<void()> AlProcesarEventos;
};

} // namespace quiniela::prueba
