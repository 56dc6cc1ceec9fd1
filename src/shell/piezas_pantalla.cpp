#include "shell/piezas_pantalla.h"

#include "platform/plataforma.h"
#include "platform/qt/boton_imagen.h"

#include <QWidget>

namespace quiniela {

BotonImagen* CreaBoton(QWidget* padre, const QString& nombre, QPoint posicion) {
    auto* boton = new BotonImagen(padre);
    boton->setObjectName(nombre);
    boton->move(posicion);
    PonCursor(boton, QStringLiteral("ManoIndice"));
    return boton;
}

BotonImagen* CreaBoton(QWidget* padre, const QString& nombre, QPoint posicion, int ancho,
                       const QString& rotulo) {
    BotonImagen* boton = CreaBoton(padre, nombre, posicion);
    boton->Dibuja(ancho, rotulo, false);
    return boton;
}

void EncadenaTabulador(std::initializer_list<QWidget*> controles) {
    QWidget* anterior = nullptr;
    for (QWidget* control : controles) {
        if (anterior != nullptr)
            QWidget::setTabOrder(anterior, control);
        anterior = control;
    }
}

} // namespace quiniela
