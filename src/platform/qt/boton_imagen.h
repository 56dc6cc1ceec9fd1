#pragma once
// Botones de imagen: se dibujan desde la tira de dos filas (suelto en y = 0,
// pulsado en y = 25) con el rótulo en verde oscuro y su sombra amarilla.

#include "platform/qt/accesible.h"

#include <QFont>
#include <QImage>
#include <QWidget>

namespace quiniela {

inline constexpr int AltoBoton = 24;

// La tira de los botones de los recursos del programa.
const QImage& TiraBotones();
// Letra de los rótulos de los botones.
QFont FuenteBotones();

// Imagen de un botón de `ancho` x 24 copiada de la tira, con su rótulo.
QImage ImagenBoton(const QImage& tira, int ancho, const QString& rotulo, bool pulsado,
                   const QFont& fuente);

class BotonImagen : public QWidget, public BotonAccesible {
    Q_OBJECT
public:
    explicit BotonImagen(QWidget* padre = nullptr);

    // Para el lector de pantalla: un botón con su rótulo que se pulsa.
    QString RotuloAccesible() const override { return rotulo_; }
    bool PulsadoAccesible() const override { return pulsado_; }
    void PulsaAccesible() override { Q_EMIT pulsado(); }

    // Ajusta el ancho y el alto, y dibuja el botón suelto o pulsado.
    void Dibuja(int ancho, const QString& rotulo, bool pulsado);
    const QString& Rotulo() const { return rotulo_; }
    bool EstaPulsado() const { return pulsado_; }
    const QImage& Imagen() const { return imagen_; }

Q_SIGNALS:
    // Se emite al bajar el botón izquierdo del ratón, o con Espacio o Intro.
    void pulsado();

protected:
    void paintEvent(QPaintEvent* evento) override;
    void mousePressEvent(QMouseEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;

private:
    QImage imagen_;
    QString rotulo_;
    bool pulsado_ = false;
};

// Dibuja un botón, como se pide desde las pantallas.
void DibujaBoton(BotonImagen* boton, int ancho, const QString& rotulo, bool pulsado);

} // namespace quiniela
