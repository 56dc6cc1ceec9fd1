#include "platform/qt/boton_imagen.h"

#include "platform/qt/accesible.h"
#include "platform/qt/estilo.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace quiniela {

const QImage& TiraBotones() {
    static const QImage tira =
        QImage(QStringLiteral(":/imagenes/tira_botones.png")).convertToFormat(QImage::Format_RGB32);
    return tira;
}

QFont FuenteBotones() {
    QFont fuente(QStringLiteral("Liberation Sans"));
    fuente.setStyleHint(QFont::SansSerif);
    fuente.setPixelSize(12);
    fuente.setBold(true);
    return fuente;
}

QImage ImagenBoton(const QImage& tira, int ancho, const QString& rotulo, bool pulsado,
                   const QFont& fuente) {
    QImage imagen(ancho, AltoBoton, QImage::Format_RGB32);
    imagen.fill(Qt::black);
    QPainter p(&imagen);
    const int y0 = pulsado ? 25 : 0;
    // Bordes fijos a los lados; la columna 3 de la tira se repite en medio.
    p.drawImage(QPoint(0, 0), tira, QRect(0, y0, 3, AltoBoton));
    for (int x = 3; x <= ancho - 4; ++x)
        p.drawImage(QPoint(x, 0), tira, QRect(3, y0, 1, AltoBoton));
    p.drawImage(QPoint(ancho - 3, 0), tira, QRect(4, y0, 3, AltoBoton));

    if (!rotulo.isEmpty()) {
        p.setFont(fuente);
        const QFontMetrics medidas(fuente);
        const int anchoTexto = medidas.horizontalAdvance(rotulo);
        const int altoTexto = medidas.height();
        const int x = (ancho - anchoTexto) / 2;
        const int y = (23 - altoTexto) / 2;
        const QRect caja(x, y, anchoTexto + 2, altoTexto);
        p.setPen(QColor(0, 64, 0));
        p.drawText(caja, Qt::AlignLeft | Qt::AlignTop, rotulo);
        p.setPen(QColor(255, 255, 0));
        p.drawText(caja.translated(1, 1), Qt::AlignLeft | Qt::AlignTop, rotulo);
    }
    return imagen;
}

BotonImagen::BotonImagen(QWidget* padre) : QWidget(padre) {
    // El lector de pantalla lo trata como un botón que se pulsa.
    InstalaAccesibilidad();
    // Con el tabulador sí; con el ratón no, para no cerrar el editor que esté abierto.
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void BotonImagen::Dibuja(int ancho, const QString& rotulo, bool pulsado) {
    rotulo_ = rotulo;
    pulsado_ = pulsado;
    imagen_ = ImagenBoton(TiraBotones(), ancho, rotulo, pulsado, FuenteBotones());
    setFixedSize(ancho, AltoBoton);
    setAccessibleName(rotulo);
    update();
}

void BotonImagen::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (isEnabled()) {
        p.drawImage(0, 0, imagen_);
    } else {
        // Inactivo: en grises y desvaído, que no parezca que se puede pulsar.
        p.drawImage(0, 0, imagen_.convertToFormat(QImage::Format_Grayscale8));
        p.fillRect(rect(), QColor(255, 255, 255, 90));
    }
    if (hasFocus()) {
        // Marca de foco sobre el borde del botón, nunca sobre el rótulo.
        QPen pen(AmarilloTexto);
        pen.setStyle(Qt::DotLine);
        p.setPen(pen);
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void BotonImagen::mousePressEvent(QMouseEvent* evento) {
    if (evento->button() == Qt::LeftButton)
        Q_EMIT pulsado();
}

void BotonImagen::keyPressEvent(QKeyEvent* evento) {
    switch (evento->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        Q_EMIT pulsado();
        break;
    default:
        QWidget::keyPressEvent(evento);
    }
}

void DibujaBoton(BotonImagen* boton, int ancho, const QString& rotulo, bool pulsado) {
    boton->Dibuja(ancho, rotulo, pulsado);
    // Se pinta ya: tras el dibujo suele venir una espera activa.
    boton->repaint();
}

} // namespace quiniela
