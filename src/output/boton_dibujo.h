#pragma once
// Botón de dibujo de la salida de datos: un dibujo propio con su rótulo debajo. Responde al
// ratón al bajar el botón, y a Espacio o Intro cuando tiene el foco.

#include "platform/qt/accesible.h"

#include <QImage>
#include <QString>
#include <QWidget>

#include <functional>

namespace quiniela {

class BotonDibujo : public QWidget, public BotonAccesible {
public:
    BotonDibujo(QWidget* padre, const QString& nombre, const QString& imagen,
                const QString& rotulo);
    QString RotuloAccesible() const override { return rotulo_; }
    void PulsaAccesible() override { Pulsa(); }

    std::function<void()> AlPulsar;
    const QString& Rotulo() const { return rotulo_; }
    // Cambia el dibujo (la orientación del boleto alterna entre dos).
    void PonImagen(const QString& imagen);
    const QString& Imagen() const { return rutaImagen_; }

protected:
    void paintEvent(QPaintEvent* evento) override;
    void mousePressEvent(QMouseEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;

private:
    void Pulsa();

    QImage dibujo_;
    QString rutaImagen_;
    QString rotulo_;
};

} // namespace quiniela
