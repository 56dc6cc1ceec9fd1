#include "shell/piezas_pantalla.h"

#include "core/codificacion.h"
#include "core/listas.h"
#include "platform/plataforma.h"
#include "platform/qt/boton_imagen.h"

#include <QLineEdit>
#include <QListWidget>
#include <QWidget>

#include <algorithm>

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

QListWidget* CreaLista(QWidget* padre, const QString& nombre) {
    auto* lista = new QListWidget(padre);
    lista->setObjectName(nombre);
    return lista;
}

void LlenaLista(QListWidget* lista, const ContenidoLista& contenido) {
    lista->clear();
    lista->setGeometry(contenido.Geometria);
    lista->setFlow(QListView::TopToBottom);
    lista->setWrapping(contenido.Columnas > 1);
    lista->setUniformItemSizes(true);
    lista->setTextElideMode(Qt::ElideNone);
    lista->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Filas de 13 píxeles; en varias columnas, diez por columna en el alto de la lista. Una
    // sola columna más larga que su caja (los 30 órdenes) se desplaza.
    const int columnas = std::max(contenido.Columnas, 1);
    const int alto = columnas > 1 ? (contenido.Geometria.height() - 2) / 10 : 13;
    lista->setVerticalScrollBarPolicy(columnas > 1 ? Qt::ScrollBarAlwaysOff
                                                   : Qt::ScrollBarAsNeeded);
    lista->setGridSize(QSize((contenido.Geometria.width() - 2) / columnas, alto));
    for (const QString& entrada : contenido.Entradas) {
        auto* item = new QListWidgetItem(entrada, lista);
        item->setTextAlignment(Qt::AlignCenter);
    }
    lista->setCurrentRow(contenido.Seleccion);
}

void ColocaDesdeLaDerecha(std::initializer_list<QWidget*> controles, int derecha, int y,
                          int hueco) {
    int x = derecha + hueco;
    for (QWidget* control : controles) {
        x -= hueco + control->width();
        control->move(x, y);
    }
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
