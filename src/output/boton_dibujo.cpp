#include "output/boton_dibujo.h"

#include "platform/plataforma.h"
#include "platform/qt/estilo.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace quiniela {

namespace {
constexpr int AltoRotulo = 16;
} // namespace

BotonDibujo::BotonDibujo(QWidget* padre, const QString& nombre, const QString& imagen,
                         const QString& rotulo)
    : QWidget(padre), rotulo_(rotulo) {
    InstalaAccesibilidad();
    setObjectName(nombre);
    setAccessibleName(rotulo);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_Hover);
    PonImagen(imagen);
    PonCursor(this, QStringLiteral("ManoIndice"));
}

void BotonDibujo::PonImagen(const QString& imagen) {
    rutaImagen_ = imagen;
    dibujo_ = QImage(imagen);
    update();
}

void BotonDibujo::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const int altoDibujo = rotulo_.isEmpty() ? height() : height() - AltoRotulo;
    const QRect zona(0, 0, width(), altoDibujo);
    if (hasFocus() || underMouse()) {
        p.setPen(QPen(AmarilloTexto, 1, Qt::DotLine));
        p.drawRoundedRect(QRectF(zona).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
    }
    if (!isEnabled())
        p.setOpacity(0.45);
    const QImage dibujo =
        dibujo_.scaled(zona.size() - QSize(4, 4), Qt::KeepAspectRatio, Qt::SmoothTransformation);
    p.drawImage(QPoint((width() - dibujo.width()) / 2, (altoDibujo - dibujo.height()) / 2), dibujo);
    if (rotulo_.isEmpty())
        return;
    p.setFont(LetraPrograma(11, true));
    const QRect caja(0, altoDibujo, width(), AltoRotulo);
    p.setPen(VerdeOscuro);
    p.drawText(caja, Qt::AlignCenter, rotulo_);
    p.setPen(AmarilloTexto);
    p.drawText(caja.translated(1, 1), Qt::AlignCenter, rotulo_);
}

void BotonDibujo::Pulsa() {
    if (isEnabled() && AlPulsar)
        AlPulsar();
}

void BotonDibujo::mousePressEvent(QMouseEvent* evento) {
    if (evento->button() == Qt::LeftButton)
        Pulsa();
}

void BotonDibujo::keyPressEvent(QKeyEvent* evento) {
    switch (evento->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        Pulsa();
        break;
    default:
        QWidget::keyPressEvent(evento);
    }
}

} // namespace quiniela
