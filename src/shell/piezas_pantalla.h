#pragma once
// Piezas con que se construyen todas las pantallas: botones de imagen y orden del tabulador.

#include <QPoint>
#include <QString>

#include <initializer_list>

class QLineEdit;
class QListWidget;
class QWidget;

namespace quiniela {

class BotonImagen;
struct ContenidoLista;

// Un botón de imagen con su nombre, en su sitio y con la mano de pulsar encima.
BotonImagen* CreaBoton(QWidget* padre, const QString& nombre, QPoint posicion);
// Igual, y dibujado suelto con su rótulo.
BotonImagen* CreaBoton(QWidget* padre, const QString& nombre, QPoint posicion, int ancho,
                       const QString& rotulo);

// Una lista de selección con su nombre; se llena con LlenaLista.
QListWidget* CreaLista(QWidget* padre, const QString& nombre);
// Rellena una lista de selección (jornadas, orden...) con su sitio y su elegida.
void LlenaLista(QListWidget* lista, const ContenidoLista& contenido);

// Pone los controles en fila de derecha a izquierda (Salir, Ayuda, Índice...): el primero
// acaba en `derecha` y cada uno queda `hueco` píxeles a la izquierda del anterior.
void ColocaDesdeLaDerecha(std::initializer_list<QWidget*> controles, int derecha, int y,
                          int hueco = 8);

// El tabulador recorre los controles en el orden dado.
void EncadenaTabulador(std::initializer_list<QWidget*> controles);

// El campo quita al teclearlos (o pegarlos) los caracteres que los ficheros no pueden guardar,
// conservando el cursor. Se conecta antes que los demás manejadores de textEdited del campo.
void FiltraNoCodificables(QLineEdit* campo);

} // namespace quiniela
