#include "platform/qt/servicios_qt.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMessageBox>
#include <QPixmap>
#include <QScreen>
#include <QWidget>

namespace quiniela {

void AvisoSistemaQt::Avisa(const QString& texto) {
    // Sobre la pantalla modal abierta, aunque el usuario esté mirando la ayuda.
    QWidget* padre = QApplication::activeModalWidget();
    QMessageBox caja(QMessageBox::NoIcon, QApplication::applicationDisplayName(), texto,
                     QMessageBox::Ok, padre != nullptr ? padre : QApplication::activeWindow());
    caja.exec();
}

void RelojQt::Espera(int milisegundos) {
    QElapsedTimer reloj;
    reloj.start();
    while (reloj.elapsed() <= milisegundos) {
        // Espera activa: durante la pausa no se atiende ningún clic.
    }
}

void RelojQt::ProcesaEventos() {
    QCoreApplication::processEvents();
}

QCursor CursoresQt::Cursor(const QString& nombre) {
    const QString clave = nombre.toLower();
    if (auto it = cache_.constFind(clave); it != cache_.constEnd())
        return *it;
    QCursor cursor(Qt::ArrowCursor);
    QFile puntos(QStringLiteral(":/cursores/puntos_calientes.txt"));
    const QPixmap imagen(QStringLiteral(":/cursores/") + clave + QStringLiteral(".png"));
    if (!imagen.isNull() && puntos.open(QIODevice::ReadOnly | QIODevice::Text)) {
        int x = 0;
        int y = 0;
        while (!puntos.atEnd()) {
            const QStringList campos =
                QString::fromUtf8(puntos.readLine()).simplified().split(u' ');
            if (campos.size() == 3 && campos[0].toLower() == clave) {
                x = campos[1].toInt();
                y = campos[2].toInt();
            }
        }
        cursor = QCursor(imagen, x, y);
    } else if (clave == u"manoindice") {
        cursor = QCursor(Qt::PointingHandCursor);
    }
    cache_.insert(clave, cursor);
    return cursor;
}

void CursoresQt::PonCursor(QObject* control, const QString& nombre) {
    auto* widget = qobject_cast<QWidget*>(control);
    if (widget == nullptr)
        return;
    if (nombre.isEmpty())
        widget->unsetCursor();
    else
        widget->setCursor(Cursor(nombre));
}

QSize MetricasPantallaQt::TamanoPantalla() const {
    const QScreen* pantalla = QGuiApplication::primaryScreen();
    return pantalla != nullptr ? pantalla->geometry().size() : QSize();
}

} // namespace quiniela
