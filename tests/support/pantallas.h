#pragma once
// Utilidades de las pruebas de pantallas (plataforma offscreen).

#include "support/locale_espanol.h"

#include <QApplication>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <initializer_list>

class QListWidget;

namespace quiniela::prueba {

// Guarda una captura de la ventana en $QUINIELA_CAPTURAS/nombre.png, si está definida.
void GuardaCaptura(QWidget* ventana, const QString& nombre);
// Igual, con varias ventanas en su sitio del escritorio, como las ve el usuario.
void GuardaCaptura(std::initializer_list<QWidget*> ventanas, const QString& nombre);

// Ejecuta `accion` sobre la ventana modal que se abra a continuación.
inline void AlAbrirseModal(std::function<void(QWidget*)> accion) {
    QTimer::singleShot(0, [accion = std::move(accion)] {
        QWidget* modal = QApplication::activeModalWidget();
        accion(modal);
    });
}

// Pulsa un botón de imagen como lo haría el ratón (en su centro).
void Pulsa(QWidget* boton);

// Elige una fila de una lista desplegada como con el ratón.
void EligeEnLista(QListWidget* lista, int fila);

// Escribe un texto en un campo con el teclado (también ñ y €).
void Teclea(QWidget* campo, const QString& texto);

// Pulsa en un punto de un control a través de su ventana, como llega un clic del sistema de
// ventanas: si una ventana modal bloquea la del control, el clic no llega.
void PulsaEnSuVentana(QWidget* control, QPoint punto);

// Gira la rueda del ratón `muescas` (hacia abajo si es negativo) sobre un punto de un
// control, como llega del sistema de ventanas: va al control que está debajo y sube a sus
// padres mientras ninguno la acepte.
void GiraRueda(QWidget* control, QPoint punto, int muescas);

// Las pantallas escriben los números como los ve el usuario (14.348.907).
using ConfiguracionEspanola = LocaleEspanol;

// Nombres de los controles que visita el tabulador desde `primero`, `cuantos` pasos.
QStringList OrdenDelTabulador(QWidget* primero, int cuantos);

} // namespace quiniela::prueba
