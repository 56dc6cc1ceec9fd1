#pragma once
// Dónde se abren las ventanas en el área útil de la pantalla: centradas, o junto al menú sin
// taparle las entradas. Son cuentas de rectángulos (marcos de ventana, con su barra de título),
// sin ventanas, para poder probarlas con cualquier tamaño de pantalla.

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace quiniela {

// El programa se diseña para 800 × 600 menos una barra de tareas de 40 píxeles.
inline constexpr int AltoBarraTareas = 40;
// Marco que se supone a una ventana mientras el gestor de ventanas no dice el suyo: una barra
// de título de 30 píxeles y bordes de 2.
inline constexpr QMargins MarcoSupuesto(2, 30, 2, 2);
// Separación entre dos ventanas puestas una junto a otra.
inline constexpr int HuecoVentanas = 4;

// El área donde caben las ventanas: la disponible que da el sistema; si no descuenta ninguna
// barra (es toda la pantalla), se reserva abajo la barra de tareas para la que se diseña.
QRect AreaUtil(const QRect& pantalla, const QRect& disponible);

// Marco de ventana que resulta de un contenido de `tamano` con unos márgenes de marco, y
// esos márgenes como poco los supuestos.
QMargins MargenesMarco(const QMargins& reales);

// La esquina del marco que centra en el área un marco de `tamano`; si no cabe, arriba a la
// izquierda del área, para que se vean la barra de título y los botones de arriba.
QPoint CentraMarco(const QRect& area, QSize tamano);

struct ColocacionJuntoAlMenu {
    QPoint Menu;         // esquina del marco del menú (la misma si no se mueve)
    QPoint Pantalla;     // esquina del marco de la pantalla
    int AltoVisible = 0; // alto del marco de la pantalla que se ve; menor que el suyo, se desplaza
};

// Una pantalla sin modo junto al menú: al lado si cabe (moviendo el menú si hace falta), si no
// donde no tape las entradas del menú, y si ni así cabe, arriba con su contenido desplazable
// hasta las entradas del menú, que baja al pie del área. `entradas` va en coordenadas del marco
// del menú.
ColocacionJuntoAlMenu ColocaJuntoAlMenu(const QRect& area, const QRect& marcoMenu,
                                        const QRect& entradas, QSize marcoPantalla);

} // namespace quiniela
