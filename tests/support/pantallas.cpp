#include "support/pantallas.h"

#include <QDir>
#include <QPainter>
#include <QPixmap>
#include <QTest>

namespace quiniela::prueba {

void GuardaCaptura(QWidget* ventana, const QString& nombre) {
    const QString carpeta = qEnvironmentVariable("QUINIELA_CAPTURAS");
    if (carpeta.isEmpty())
        return;
    QDir().mkpath(carpeta);
    ventana->grab().save(carpeta + u'/' + nombre + QStringLiteral(".png"));
}

void GuardaCaptura(QWidget* ventana, QWidget* encima, const QString& nombre) {
    const QString carpeta = qEnvironmentVariable("QUINIELA_CAPTURAS");
    if (carpeta.isEmpty())
        return;
    QDir().mkpath(carpeta);
    QPixmap imagen = ventana->grab();
    QPainter p(&imagen);
    p.drawPixmap(encima->geometry().topLeft() - ventana->geometry().topLeft(), encima->grab());
    p.end();
    imagen.save(carpeta + u'/' + nombre + QStringLiteral(".png"));
}

void Pulsa(QWidget* boton) {
    QTest::mouseClick(boton, Qt::LeftButton, Qt::NoModifier, boton->rect().center());
}

void Teclea(QWidget* campo, const QString& texto) {
    // keyClicks no admite caracteres fuera de ASCII.
    for (QChar c : texto)
        QTest::sendKeyEvent(QTest::Click, campo, Qt::Key_unknown, QString(c), Qt::NoModifier);
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
