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

// Captura en $QUINIELA_CAPTURAS/nombre.png, si está definida; varias ventanas, cada una en su
// sitio del escritorio, como las ve el usuario.
void GuardaCaptura(QWidget* ventana, const QString& nombre);
void GuardaCaptura(std::initializer_list<QWidget*> ventanas, const QString& nombre);

// Ejecuta `accion` sobre la ventana modal que se abra a continuación.
inline void AlAbrirseModal(std::function<void(QWidget*)> accion) {
    QTimer::singleShot(0, [accion = std::move(accion)] {
        QWidget* modal = QApplication::activeModalWidget();
        accion(modal);
    });
}

// Con el ratón: en el centro del botón; en una fila de una lista desplegada.
void Pulsa(QWidget* boton);
void EligeEnLista(QListWidget* lista, int fila);
// Con el teclado, también ñ y €.
void Teclea(QWidget* campo, const QString& texto);
// Como llegan del sistema de ventanas: el clic no llega si una ventana modal bloquea la del
// control; la rueda (`muescas` < 0, hacia abajo) sube a los padres mientras nadie la acepte.
void PulsaEnSuVentana(QWidget* control, QPoint punto);
void GiraRueda(QWidget* control, QPoint punto, int muescas);

// Las pantallas escriben los números como los ve el usuario (14.348.907).
using ConfiguracionEspanola = LocaleEspanol;

// Nombres de los controles que visita el tabulador desde `primero`, `cuantos` pasos.
QStringList OrdenDelTabulador(QWidget* primero, int cuantos);

} // namespace quiniela::prueba
