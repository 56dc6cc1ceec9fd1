#pragma once
// Piezas con que se construyen todas las pantallas: botones de imagen y orden del tabulador.

#include <QPoint>
#include <QString>

#include <initializer_list>

class QLineEdit;
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

// El campo quita al teclearlos (o pegarlos) los caracteres que los ficheros no pueden guardar,
// conservando el cursor. Se conecta antes que los demás manejadores de textEdited del campo.
void FiltraNoCodificables(QLineEdit* campo);

} // namespace quiniela
