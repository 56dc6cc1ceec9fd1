#pragma once
// Piezas con que se construyen todas las pantallas: botones de imagen y orden del tabulador.

#include <QPoint>
#include <QString>

#include <initializer_list>

class QWidget;

namespace quiniela {

class BotonImagen;

// Un botón de imagen con su nombre, en su sitio y con la mano de pulsar encima.
BotonImagen* CreaBoton(QWidget* padre, const QString& nombre, QPoint posicion);
// Igual, y dibujado suelto con su rótulo.
BotonImagen* CreaBoton(QWidget* padre, const QString& nombre, QPoint posicion, int ancho,
                       const QString& rotulo);

// El tabulador recorre los controles en el orden dado.
void EncadenaTabulador(std::initializer_list<QWidget*> controles);

} // namespace quiniela
