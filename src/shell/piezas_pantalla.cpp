#include "shell/piezas_pantalla.h"

#include "core/codificacion.h"
#include "platform/plataforma.h"
#include "platform/qt/boton_imagen.h"

#include <QLineEdit>
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

void FiltraNoCodificables(QLineEdit* campo) {
    QObject::connect(campo, &QLineEdit::textEdited, campo, [campo](const QString& texto) {
        const QString limpio = SoloWindows1252(texto);
        if (limpio == texto)
            return;
        // El cursor retrocede lo que se quitó delante de él.
        const int cursor = campo->cursorPosition();
        const auto delante = SoloWindows1252(QStringView(texto).left(cursor)).size();
        campo->setText(limpio);
        campo->setCursorPosition(static_cast<int>(delante));
    });
}

} // namespace quiniela
