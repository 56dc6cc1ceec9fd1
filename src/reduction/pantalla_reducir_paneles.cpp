#include "reduction/pantalla_reducir_paneles.h"

#include "core/estado_global.h"
#include "platform/qt/estilo.h"
#include "reduction/clics_reduccion.h"
#include "reduction/motor_reduccion.h"

#include <QPainter>

#include <cmath>

namespace quiniela {

namespace {

// Estadísticas: rótulo, guía hasta x = 100, dos puntos y valor desde x = 111.
constexpr int XGuia = 100;
constexpr int XValor = 111;
constexpr int AltoLineaEsta = 16;
constexpr int HuecoGrupos = 10;
// El rótulo empieza en x = 8 y deja un hueco y al menos tres puntos de guía antes de x = 100.
constexpr int XRotulo = 8;
constexpr int HuecoGuia = 3;
constexpr int GuiaMinima = 9;

// Progreso: las dos franjas del panel.
const QRect FranjaTamanos(12, 60, PanelProgreso::Ancho - 24, 30);
const QRect FranjaProgreso(12, 100, PanelProgreso::Ancho - 24, 30);

} // namespace

PanelEstadisticas::PanelEstadisticas(const EstadoGlobal& estado, const ClicsReduccion& clics,
                                     QWidget* padre)
    : QWidget(padre), estado_(estado), clics_(clics) {
    setObjectName(QStringLiteral("Pic_Esta"));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

std::vector<LineaEstadistica> PanelEstadisticas::Lineas() const {
    return LineasPanelEstadisticas(clics_.Estadisticas(), estado_.Red.Metodo,
                                   estado_.Datos.PrecioApuestaValor, QLocale());
}

void PanelEstadisticas::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), VerdePanel);
    p.fillRect(QRect(0, 0, width(), 2), VerdeOscuro);
    p.fillRect(QRect(0, 0, 2, height()), VerdeOscuro);
    int y = 10;
    int grupo = 1;
    for (const LineaEstadistica& linea : Lineas()) {
        if (linea.Grupo != grupo) {
            y += HuecoGrupos;
            grupo = linea.Grupo;
            p.setPen(QPen(QColor(70, 160, 100), 1));
            p.drawLine(8, y - HuecoGrupos / 2 - 1, width() - 8, y - HuecoGrupos / 2 - 1);
        }
        PintaLinea(p, linea, y);
        y += AltoLineaEsta;
    }
}

void PanelEstadisticas::PintaLinea(QPainter& p, const LineaEstadistica& linea, int y) const {
    const QFont rotulos = LetraPrograma(11);
    const QFontMetrics medidas(rotulos);
    const QRect fila(XRotulo, y, width() - 16, AltoLineaEsta);
    p.setFont(rotulos);
    p.setPen(Qt::white);
    // El rótulo se mide con la letra que hay de verdad: si no deja sitio a la guía, se
    // estrecha lo justo para que se vean la guía y los dos puntos.
    const int ancho = medidas.horizontalAdvance(linea.Rotulo);
    const int cabe = XGuia - GuiaMinima - HuecoGuia - XRotulo;
    const qreal escala = ancho > cabe ? qreal(cabe) / ancho : 1.0;
    p.save();
    p.translate(fila.left(), 0);
    p.scale(escala, 1.0);
    p.drawText(QRectF(0, fila.top(), ancho + 1, fila.height()), Qt::AlignLeft | Qt::AlignVCenter,
               linea.Rotulo);
    p.restore();
    // Línea de guía de puntos desde el final del rótulo hasta x = 100.
    const int desde = fila.left() + static_cast<int>(std::ceil(ancho * escala)) + HuecoGuia;
    const int base = fila.top() + (AltoLineaEsta + medidas.ascent()) / 2 - 1;
    p.setPen(QPen(ColorGuia, 1, Qt::DotLine));
    p.drawLine(desde, base, XGuia - 1, base);
    p.setPen(Qt::white);
    p.drawText(QRect(XGuia + 1, y, 8, AltoLineaEsta), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral(":"));
    p.setFont(LetraPrograma(11, true));
    p.setPen(AmarilloTexto);
    p.drawText(QRect(XValor, y, width() - XValor - 4, AltoLineaEsta),
               Qt::AlignLeft | Qt::AlignVCenter, linea.Valor);
}

PanelProgreso::PanelProgreso(QWidget* padre) : QWidget(padre) {
    setObjectName(QStringLiteral("Pic_Porcen"));
    setFixedSize(Ancho, Alto);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PanelProgreso::PonTamanos(const QString& texto) {
    tamanos_ = texto;
    update(FranjaTamanos);
}

void PanelProgreso::PonProgreso(const QString& texto, int porcentaje) {
    progreso_ = texto;
    porcentaje_ = porcentaje;
    update(FranjaProgreso);
}

void PanelProgreso::paintEvent(QPaintEvent*) {
    QPainter p(this);
    // Marco en relieve sobre la pantalla.
    p.fillRect(rect(), VerdeOscuro);
    p.fillRect(rect().adjusted(0, 0, -2, -2), QColor(96, 176, 112));
    p.fillRect(rect().adjusted(2, 2, -2, -2), VerdeFondo);
    PintaFondoPanel(p, rect().adjusted(3, 3, -3, -3));

    p.setFont(LetraPrograma(15, true));
    p.setPen(VerdeOscuro);
    const QRect titulo(0, 18, width(), 26);
    p.drawText(titulo.translated(1, 1), Qt::AlignCenter, TituloProgresoReduccion());
    p.setPen(AmarilloTexto);
    p.drawText(titulo, Qt::AlignCenter, TituloProgresoReduccion());

    PintaPanelHundido(p, FranjaTamanos);
    PintaPanelHundido(p, FranjaProgreso);
    p.setFont(LetraPrograma(11, true, true));
    p.setPen(Qt::white);
    p.drawText(FranjaTamanos, Qt::AlignCenter, tamanos_);
    const QRect texto = FranjaProgreso.adjusted(0, 0, 0, -6);
    p.drawText(texto, Qt::AlignCenter, progreso_);
    // Barra fina con lo hecho, al pie de la franja.
    if (porcentaje_ >= 0) {
        const QRect barra(FranjaProgreso.left() + 8, FranjaProgreso.bottom() - 6,
                          FranjaProgreso.width() - 16, 4);
        p.fillRect(barra, VerdeOscuro);
        p.fillRect(QRect(barra.left(), barra.top(), barra.width() * porcentaje_ / 100, 4),
                   AmarilloTexto);
    }
}

} // namespace quiniela
