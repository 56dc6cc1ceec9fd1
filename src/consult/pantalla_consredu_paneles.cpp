#include "consult/pantalla_consredu_paneles.h"

#include "output/fichero_boletos.h"
#include "platform/plataforma.h"
#include "platform/qt/estilo.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace quiniela {

namespace {

constexpr int AltoFila = 18; // como las filas de la quiniela base
constexpr int XPrimerSigno = 15;
constexpr int AnchoBoleto = 80;
constexpr int AnchoSigno = 9;
constexpr int LadoBoton = 24;

const QColor PapelBoleto(252, 236, 226);
const QColor FranjaBoleto(246, 218, 204);
const QColor BordeBoleto(196, 120, 96);
const QColor TintaBoleto(120, 24, 16);

// Una flecha hacia la izquierda (o la derecha) con la punta en x.
void Flecha(QPainterPath& camino, double x, double medio, bool izquierda) {
    const double d = izquierda ? 7 : -7;
    camino.moveTo(x, medio);
    camino.lineTo(x + d, medio - 6);
    camino.lineTo(x + d, medio + 6);
    camino.closeSubpath();
}

QPainterPath DibujoBoton(BotonNavegacion boton) {
    QPainterPath c;
    const double m = 12;
    switch (boton) {
    case BotonNavegacion::Principio:
        c.addRect(6, 6, 2, 12);
        Flecha(c, 9, m, true);
        Flecha(c, 14, m, true);
        break;
    case BotonNavegacion::Retroceder:
        Flecha(c, 6, m, true);
        Flecha(c, 12, m, true);
        break;
    case BotonNavegacion::Avanzar:
        Flecha(c, 12, m, false);
        Flecha(c, 18, m, false);
        break;
    case BotonNavegacion::Final:
        Flecha(c, 10, m, false);
        Flecha(c, 15, m, false);
        c.addRect(16, 6, 2, 12);
        break;
    case BotonNavegacion::Ninguno:
        break;
    }
    return c;
}

} // namespace

PanelColumnas::PanelColumnas(const BloqueBoletos& bloque, QWidget* padre)
    : QWidget(padre), bloque_(bloque) {
    setObjectName(QStringLiteral("Pic_Colum"));
    setAccessibleName(QStringLiteral("Columnas de los boletos"));
    resize(Ancho, 274);
}

QRect PanelColumnas::Celda(int partido, int columna) {
    const int boleto = columna / ColumnasPorBoleto;
    const int x = XPrimerSigno + boleto * AnchoBoleto + (columna % ColumnasPorBoleto) * AnchoSigno;
    return QRect(x, AltoFila * partido - 14, AnchoSigno, 15);
}

void PanelColumnas::paintEvent(QPaintEvent*) {
    QPainter p(this);
    // Las cajas claras del boleto y de cada columna.
    for (int b = 0; b < BoletosPorBloque; ++b) {
        const QRect caja(XPrimerSigno - 4 + b * AnchoBoleto, 0, AnchoBoleto - 6, height() - 1);
        p.fillRect(caja, PapelBoleto);
        for (int c = 1; c < ColumnasPorBoleto; c += 2)
            p.fillRect(QRect(Celda(1, b * 8 + c).left(), 1, AnchoSigno, height() - 3),
                       FranjaBoleto);
        p.setPen(BordeBoleto);
        p.drawRect(caja);
    }
    p.setFont(LetraPrograma(11, true, true));
    p.setPen(TintaBoleto);
    for (int j = 1; j <= NumPartidos; ++j) {
        const QString& fila = bloque_.Filas[std::size_t(j - 1)];
        for (int c = 0; c < fila.size(); ++c)
            p.drawText(Celda(j, c), Qt::AlignCenter, QString(fila.at(c)));
    }
}

BotonesNavegacion::BotonesNavegacion(QWidget* padre) : QWidget(padre) {
    setObjectName(QStringLiteral("Pic_BotAdeAtr"));
    setAccessibleName(QStringLiteral("Moverse por los boletos"));
    setMouseTracking(true);
    resize(113, 26);
}

ElementoAccesible BotonesNavegacion::Elemento(int indice) const {
    const auto boton = BotonNavegacion(indice + 1);
    ElementoAccesible e;
    e.Caja = QRect(1 + 29 * indice, 1, LadoBoton, LadoBoton);
    e.Nombre = TooltipNavegacion(boton).trimmed();
    e.Rol = QAccessible::PushButton;
    e.Activo = EstaActivo && EstaActivo(boton);
    e.Pulsa = [this, boton] {
        if (EstaActivo && EstaActivo(boton))
            Q_EMIT const_cast<BotonesNavegacion*>(this)->pulsado(boton);
    };
    return e;
}

void BotonesNavegacion::PonPulsado(BotonNavegacion boton) {
    pulsado_ = boton;
    repaint();
}

void BotonesNavegacion::MiraPunto(QPoint punto) {
    const BotonNavegacion boton = BotonNavegacionEn(punto.x(), punto.y());
    int estado = 0;
    if (boton != BotonNavegacion::Ninguno)
        estado = EstaActivo && EstaActivo(boton) ? 1 : 12;
    if (boton != bajoPuntero_)
        setToolTip(TooltipNavegacion(boton));
    bajoPuntero_ = boton;
    // El puntero solo cambia cuando cambia lo que hay debajo.
    if (estado == puntero_)
        return;
    puntero_ = estado;
    unsetCursor();
    if (estado == 12)
        setCursor(Qt::ForbiddenCursor);
    else
        PonCursor(this, estado == 1 ? QStringLiteral("ManoIndice") : QString());
    update();
}

void BotonesNavegacion::RefrescaPuntero() {
    MiraPunto(mapFromGlobal(QCursor::pos()));
}

void BotonesNavegacion::mouseMoveEvent(QMouseEvent* evento) {
    MiraPunto(evento->position().toPoint());
}

void BotonesNavegacion::mousePressEvent(QMouseEvent* evento) {
    if (evento->button() != Qt::LeftButton)
        return;
    MiraPunto(evento->position().toPoint());
    if (puntero_ == 1)
        Q_EMIT pulsado(bajoPuntero_);
}

void BotonesNavegacion::leaveEvent(QEvent*) {
    MiraPunto(QPoint(-1, -1));
}

void BotonesNavegacion::PintaBoton(QPainter& p, int indice) const {
    const auto boton = BotonNavegacion(indice + 1);
    const QRect caja(1 + 29 * indice, 1, LadoBoton, LadoBoton);
    const bool hundido = boton == pulsado_;
    const bool activo = EstaActivo && EstaActivo(boton);
    p.fillRect(caja, hundido ? VerdeFondo : VerdePanel);
    p.setPen(hundido ? VerdeOscuro : QColor(150, 210, 160));
    p.drawLine(caja.topLeft(), caja.topRight());
    p.drawLine(caja.topLeft(), caja.bottomLeft());
    p.setPen(hundido ? QColor(150, 210, 160) : VerdeOscuro);
    p.drawLine(caja.bottomLeft(), caja.bottomRight());
    p.drawLine(caja.topRight(), caja.bottomRight());
    p.save();
    p.translate(caja.topLeft() + (hundido ? QPoint(1, 1) : QPoint()));
    p.setRenderHint(QPainter::Antialiasing);
    p.fillPath(DibujoBoton(boton), activo ? AmarilloTexto : QColor(120, 150, 125));
    p.restore();
}

void BotonesNavegacion::paintEvent(QPaintEvent*) {
    QPainter p(this);
    for (int i = 0; i < 4; ++i)
        PintaBoton(p, i);
}

} // namespace quiniela
