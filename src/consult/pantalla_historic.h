#pragma once
// Pantalla "historic": el fichero histórico como una página de archivador de anillas,
// veinte reducciones por página. Pulsar una línea la elige como selección actual.

#include "consult/historial.h"

#include <QDialog>
#include <QFont>

namespace quiniela {

struct EstadoGlobal;
class BotonImagen;
class PantallaHistoric;

// Abre el histórico (modal) y devuelve ReduccionElegida: true si se eligió una línea, con
// JornadaActual y OrdenActual ya puestas; la pantalla que llama carga esa reducción.
bool AbreHistorico(EstadoGlobal& estado, QWidget* padre = nullptr);

// La página dibujada; pasa el ratón a la pantalla.
class CarpetaHistoric : public QWidget {
public:
    explicit CarpetaHistoric(PantallaHistoric* pantalla);

protected:
    void paintEvent(QPaintEvent* evento) override;
    void mousePressEvent(QMouseEvent* evento) override;
    void mouseMoveEvent(QMouseEvent* evento) override;
    void leaveEvent(QEvent* evento) override;

private:
    PantallaHistoric* pantalla_;
};

class PantallaHistoric : public QDialog {
    Q_OBJECT
public:
    explicit PantallaHistoric(EstadoGlobal& estado, QWidget* padre = nullptr);

    CarpetaHistoric* Pic_Carpeta;
    BotonImagen* Pic_BotSalir;

    const Historial& Datos() const { return historial_; }
    // Botón Salir (también Escape): sonido 5 y cierra sin elegir.
    void Sal();

protected:
    void paintEvent(QPaintEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;
    void reject() override;

private:
    friend class CarpetaHistoric;
    void CreaRotulos();
    void PintaPagina(QPainter& p, const QRect& pagina) const;
    void PintaPapel(QPainter& p, const QRect& pagina) const;
    void PintaLineas(QPainter& p, const QRect& pagina) const;
    void PintaPie(QPainter& p, const QRect& pagina) const;
    void PintaTaladro(QPainter& p) const;
    void PintaEsquina(QPainter& p, const QRect& esquina, bool derecha, bool activa) const;
    void PulsaCarpeta(QPoint punto);
    void MueveSobreCarpeta(QPoint punto);
    void SaleDeCarpeta();
    void PonPuntero();
    void PasaPagina(bool avanza);
    double XColumna(double caracter) const;

    EstadoGlobal& estado_;
    Historial historial_;
    QFont letra_;
    QFont letraCabecera_;
    bool saliendo_ = false;
};

} // namespace quiniela
