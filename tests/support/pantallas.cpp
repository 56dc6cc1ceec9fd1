#include "support/pantallas.h"

#include <QDir>
#include <QImage>
#include <QListWidget>
#include <QPainter>
#include <QSpontaneKeyEvent>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

namespace quiniela::prueba {

void GuardaCaptura(std::initializer_list<QWidget*> ventanas, const QString& nombre) {
    const QString carpeta = qEnvironmentVariable("QUINIELA_CAPTURAS");
    if (carpeta.isEmpty())
        return;
    QRect todo;
    for (const QWidget* v : ventanas)
        todo = todo.united(v->frameGeometry());
    QImage imagen(todo.size(), QImage::Format_RGB32);
    imagen.fill(QColor(48, 48, 48));
    QPainter p(&imagen);
    for (QWidget* v : ventanas)
        p.drawPixmap(v->geometry().topLeft() - todo.topLeft(), v->grab());
    p.end();
    QDir().mkpath(carpeta);
    imagen.save(carpeta + u'/' + nombre + QStringLiteral(".png"));
}

void GuardaCaptura(QWidget* ventana, const QString& nombre) {
    GuardaCaptura({ventana}, nombre);
}

void Pulsa(QWidget* boton) {
    QTest::mouseClick(boton, Qt::LeftButton, Qt::NoModifier, boton->rect().center());
}

void EligeEnLista(QListWidget* lista, int fila) {
    ASSERT_TRUE(lista->isVisible());
    QListWidgetItem* item = lista->item(fila);
    ASSERT_NE(item, nullptr);
    lista->scrollToItem(item);
    QTest::mouseClick(lista->viewport(), Qt::LeftButton, Qt::NoModifier,
                      lista->visualItemRect(item).center());
}

void Teclea(QWidget* campo, const QString& texto) {
    // keyClicks no admite caracteres fuera de ASCII.
    for (QChar c : texto)
        QTest::sendKeyEvent(QTest::Click, campo, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

void PulsaEnSuVentana(QWidget* control, QPoint punto) {
    QWidget* ventana = control->window();
    QTest::mouseClick(ventana->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                      control->mapTo(ventana, punto));
}

void GiraRueda(QWidget* control, QPoint punto, int muescas) {
    QWidget* ventana = control->window();
    const QPoint enVentana = control->mapTo(ventana, punto);
    QWidget* destino = ventana->childAt(enVentana);
    if (destino == nullptr)
        destino = ventana;
    const QPointF local = destino->mapFrom(ventana, enVentana);
    for (int i = 0; i < std::abs(muescas); ++i) {
        QWheelEvent rueda(local, destino->mapToGlobal(local), QPoint(),
                          QPoint(0, muescas > 0 ? 120 : -120), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        // Espontánea, como la del sistema de ventanas: solo así sube a los padres (sendEvent
        // le quitaría la marca).
        QSpontaneKeyEvent::setSpontaneous(&rueda);
        qApp->notify(destino, &rueda);
    }
}

QStringList OrdenDelTabulador(QWidget* primero, int cuantos) {
    QStringList nombres{primero->objectName()};
    QWidget* w = primero;
    while (nombres.size() < cuantos + 1) {
        w = w->nextInFocusChain();
        if (w == primero)
            break;
        if (w->focusPolicy() & Qt::TabFocus)
            nombres << w->objectName();
    }
    return nombres;
}

} // namespace quiniela::prueba
