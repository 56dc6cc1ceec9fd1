#pragma once
// Aspecto común de las pantallas: paneles verdes, letras y colores.

#include <QColor>
#include <QFont>
#include <QMargins>
#include <QRect>
#include <QString>

class QPainter;
class QWidget;

namespace quiniela {

inline const QColor VerdeFondo(24, 96, 52);
inline const QColor VerdePanel(40, 128, 70);
inline const QColor VerdeOscuro(0, 48, 16);
inline const QColor AmarilloTexto(255, 255, 0);
// Fondo de la entrada elegida en listas y campos.
inline const QColor VerdeSeleccion(40, 110, 70);
// Hojas dibujadas (boletos, archivador): papel y tinta.
inline const QColor Papel(253, 251, 240);
inline const QColor Tinta(24, 40, 110);

// Fondo de ventana con un marco oscuro.
void PintaFondoPanel(QPainter& p, const QRect& area);
// Panel verde con borde oscuro de 2 píxeles arriba y a la izquierda.
void PintaPanelHundido(QPainter& p, const QRect& area);

// Letra de las pantallas: sin serifa o de ancho fijo (las listas en columnas).
QFont LetraPrograma(int pixeles, bool negrita = false, bool fija = false);

QString EstiloTitulo(); // títulos en mayúsculas, amarillo
QString EstiloTexto();  // texto de mensajes, blanco
QString EstiloEditor(); // campos de edición y listas

// El área de la pantalla principal donde caben las ventanas (sin la barra de tareas).
QRect AreaUtilPantalla();
// Los márgenes del marco de una ventana, como poco los supuestos mientras no se ha mostrado.
QMargins MargenesMarco(const QWidget* ventana);
// Centra una ventana, con su marco, en el área útil de la pantalla.
void CentraEnPantalla(QWidget* ventana);

} // namespace quiniela
