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
    QString titulo;
    QString texto;
    BotonesMensaje botones;
};

struct CursorPuesto {
    QObject* control;
    QString nombre;
};

class PlataformaFalsa final : public AvisoSistema,
                              public Mensajero,
                              public Sonidos,
                              public Reloj,
                              public Ayuda,
                              public Cursores,
                              public MetricasPantalla {
public:
    explicit PlataformaFalsa(EstadoGlobal* estado = nullptr);
    ~PlataformaFalsa() override;

    void Avisa(const QString& texto) override { avisos << texto; }
    void MuestraMensaje(const QString& titulo, const QString& texto,
                        BotonesMensaje botones) override;
    void Toca(int numero) override { sonidos.push_back(numero); }
    void Espera(int milisegundos) override { esperas.push_back(milisegundos); }
    void ProcesaEventos() override {
        ++eventosProcesados;
        if (alProcesarEventos)
            alProcesarEventos();
    }
    void AbreAyuda(int tema) override { temasAyuda.push_back(tema); }
    void PonCursor(QObject* control, const QString& nombre) override {
        cursores.push_back({control, nombre});
    }
    QSize TamanoPantalla() const override { return pantalla; }

    EstadoGlobal* estado;
    QStringList avisos;
    std::vector<MensajePedido> mensajes;
    std::vector<int> sonidos;
    std::vector<int> esperas;
    std::vector<int> temasAyuda;
    std::vector<CursorPuesto> cursores;
    int eventosProcesados = 0;
    QSize pantalla{1024, 768};
    // Respuesta del diálogo: el botón de confirmación que "pulsa" el usuario.
    BotonMensaje respuesta = BotonMensaje::Ninguno;
    std::function<void()> alProcesarEventos;
};

} // namespace quiniela::prueba
