#pragma once
// Paneles de la pantalla de consulta: Pic_Colum, con tres boletos de ocho columnas por
// quince partidos, y Pic_BotAdeAtr, con los cuatro botones que mueven de tres en tres.

#include "consult/consulta.h"
#include "platform/qt/accesible.h"

#include <QWidget>

#include <functional>

namespace quiniela {

// Pic_Colum: los tres boletos del bloque, cada uno en una caja clara de 80 píxeles.
class PanelColumnas : public QWidget {
public:
    static constexpr int Ancho = 258;
    PanelColumnas(const BloqueBoletos& bloque, QWidget* padre);
    // Caja del signo `columna` (0..23) del partido `partido` (1..15), en el panel.
    static QRect Celda(int partido, int columna);

protected:
    void paintEvent(QPaintEvent* evento) override;

private:
    const BloqueBoletos& bloque_;
};

// Pic_BotAdeAtr: cuatro botones de 24 × 24 en un solo dibujo.
class BotonesNavegacion : public QWidget, public ElementosAccesibles {
    Q_OBJECT
public:
    explicit BotonesNavegacion(QWidget* padre);
    // Los cuatro botones para el lector de pantalla, con su consejo por nombre.
    int NumElementos() const override { return 4; }
    ElementoAccesible Elemento(int indice) const override;
    // Quién decide si un botón está activo ahora (la consulta).
    std::function<bool(BotonNavegacion)> EstaActivo;
    // Dibuja un botón hundido (Ninguno: todos sueltos).
    void PonPulsado(BotonNavegacion boton);
    BotonNavegacion BotonBajoPuntero() const { return bajoPuntero_; }
    // 0 sin botón, 1 activo, 12 inactivo (la forma "no se puede soltar").
    int EstadoPuntero() const { return puntero_; }
    // Vuelve a mirar el botón bajo el puntero (tras moverse la consulta).
    void RefrescaPuntero();

Q_SIGNALS:
    void pulsado(BotonNavegacion boton);

protected:
    void paintEvent(QPaintEvent* evento) override;
    void mouseMoveEvent(QMouseEvent* evento) override;
    void mousePressEvent(QMouseEvent* evento) override;
    void leaveEvent(QEvent* evento) override;

private:
    void MiraPunto(QPoint punto);
    void PintaBoton(QPainter& p, int indice) const;

    BotonNavegacion bajoPuntero_ = BotonNavegacion::Ninguno;
    BotonNavegacion pulsado_ = BotonNavegacion::Ninguno;
    int puntero_ = 0;
};

} // namespace quiniela
