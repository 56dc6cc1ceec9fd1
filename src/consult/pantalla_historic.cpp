#include "consult/pantalla_historic.h"

#include "core/estado_global.h"
#include "platform/plataforma.h"
#include "platform/qt/boton_imagen.h"
#include "platform/qt/estilo.h"
#include "shell/piezas_pantalla.h"

#include <QFontMetricsF>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <array>

namespace quiniela {

namespace {

// Ventana: la tapa del archivador con la página encima.
constexpr int AnchoVentana = 724;
constexpr int AltoVentana = 484;
constexpr int XPagina = 60;
constexpr int YPagina = 48;
constexpr int AnchoPagina = 640; // 83 caracteres desde x = 20 con letra de 12 píxeles
constexpr int AltoPagina = 380;
constexpr int AnchoSalir = 70;
constexpr int XMargen = 16; // línea roja del margen

// Anillas: x de la barra del lomo (coordenadas de la ventana) y alturas en la página.
constexpr int XBarraAnillas = 30;
constexpr int XTaladro = 9; // centro de los agujeros, coordenadas de la página
constexpr std::array<int, 4> YAnillas{62, 148, 234, 320};

const QColor PapelSombra(238, 234, 214);
const QColor Renglon(178, 202, 228);
const QColor RayaColumna(205, 214, 226);
const QColor Margen(226, 120, 120);
const QColor TintaCabecera(92, 30, 24);
const QColor Marcador(255, 232, 96, 170);
const QColor SeleccionActual(150, 210, 160, 110);
const QColor Tapa(28, 70, 44);
const QColor TapaOscura(14, 42, 24);
const QColor Metal(196, 200, 206);
const QColor MetalOscuro(96, 100, 108);

// Separaciones de las columnas: entre dos caracteres (posición desde 0 en la línea).
constexpr std::array<double, 6> RayasColumnas{3.5, 12.5, 17.0, 38.0, 61.0, 72.0};

QFont LetraFija(bool negrita) {
    return LetraPrograma(12, negrita, true);
}

// Línea base del texto de la línea k de la página (k = -2, -1 para las cabeceras).
int BaseLinea(int k) {
    return YPrimeraLinea + AltoLineaHistorial * k + 12;
}

// Una anilla vista desde arriba: un óvalo metálico del lomo al agujero. `desplazamiento`
// pasa de coordenadas de la ventana a las del dibujo.
void PintaAnilla(QPainter& p, int yCentro, QPoint desplazamiento) {
    const QRectF ovalo(XBarraAnillas - 4 - desplazamiento.x(), yCentro - 6 - desplazamiento.y(),
                       (XPagina + XTaladro) - (XBarraAnillas - 4), 12);
    p.save();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(MetalOscuro, 4.5, Qt::SolidLine, Qt::RoundCap));
    p.drawEllipse(ovalo);
    QLinearGradient brillo(ovalo.topLeft(), ovalo.bottomLeft());
    brillo.setColorAt(0, Qt::white);
    brillo.setColorAt(0.5, Metal);
    brillo.setColorAt(1, MetalOscuro);
    p.setPen(QPen(QBrush(brillo), 2.5));
    p.drawEllipse(ovalo);
    p.restore();
}

} // namespace

bool AbreHistorico(EstadoGlobal& estado, QWidget* padre) {
    PantallaHistoric pantalla(estado, padre);
    pantalla.exec();
    return estado.ReduccionElegida;
}

CarpetaHistoric::CarpetaHistoric(PantallaHistoric* pantalla)
    : QWidget(pantalla), pantalla_(pantalla) {
    setMouseTracking(true);
}

void CarpetaHistoric::paintEvent(QPaintEvent*) {
    QPainter p(this);
    pantalla_->PintaPagina(p, rect());
}

void CarpetaHistoric::mousePressEvent(QMouseEvent* evento) {
    if (evento->button() == Qt::LeftButton)
        pantalla_->PulsaCarpeta(evento->position().toPoint());
}

void CarpetaHistoric::mouseMoveEvent(QMouseEvent* evento) {
    pantalla_->MueveSobreCarpeta(evento->position().toPoint());
}

void CarpetaHistoric::leaveEvent(QEvent*) {
    pantalla_->SaleDeCarpeta();
}

PantallaHistoric::PantallaHistoric(EstadoGlobal& estado, QWidget* padre)
    : QDialog(padre), estado_(estado), historial_(estado), letra_(LetraFija(false)),
      letraCabecera_(LetraFija(true)) {
    setObjectName(QStringLiteral("historic"));
    setWindowTitle(QStringLiteral("Fichero Histórico de resultados"));
    setFixedSize(AnchoVentana, AltoVentana);
    CreaRotulos();
    Pic_Carpeta = new CarpetaHistoric(this);
    Pic_Carpeta->setObjectName(QStringLiteral("Pic_Carpeta"));
    Pic_Carpeta->setGeometry(XPagina, YPagina, AnchoPagina, AltoPagina);
    Pic_BotSalir = CreaBoton(this, QStringLiteral("Pic_BotSalir"),
                             QPoint(XPagina + AnchoPagina - AnchoSalir, YPagina + AltoPagina + 18),
                             AnchoSalir, QStringLiteral("Salir"));
    connect(Pic_BotSalir, &BotonImagen::pulsado, this, &PantallaHistoric::Sal);
    historial_.Abre();
    CentraEnPantalla(this);
}

void PantallaHistoric::CreaRotulos() {
    auto* titulo = new QLabel(QStringLiteral("FICHERO HISTÓRICO DE RESULTADOS"), this);
    titulo->setGeometry(XPagina, 14, AnchoPagina, 24);
    titulo->setAlignment(Qt::AlignCenter);
    titulo->setStyleSheet(EstiloTitulo());
    auto* ayuda = new QLabel(QStringLiteral("Pulse una línea para elegir su reducción. "
                                            "Las esquinas de la hoja pasan de página."),
                             this);
    ayuda->setGeometry(XPagina, YPagina + AltoPagina + 18, 520, 24);
    ayuda->setStyleSheet(EstiloTexto());
}

void PantallaHistoric::Sal() {
    if (saliendo_)
        return;
    saliendo_ = true;
    TocaSonido(estado_, 5);
    QDialog::reject();
}

void PantallaHistoric::reject() {
    // Escape o cerrar la ventana salen como el botón Salir.
    Sal();
}

void PantallaHistoric::keyPressEvent(QKeyEvent* evento) {
    if (evento->key() == Qt::Key_PageDown)
        PasaPagina(true);
    else if (evento->key() == Qt::Key_PageUp)
        PasaPagina(false);
    else
        QDialog::keyPressEvent(evento);
}

void PantallaHistoric::PasaPagina(bool avanza) {
    if (avanza ? historial_.AvanzaPagina() : historial_.RetrocedePagina())
        Pic_Carpeta->update();
}

void PantallaHistoric::PulsaCarpeta(QPoint punto) {
    switch (historial_.Pulsa(punto.x(), punto.y(), Pic_Carpeta->width(), Pic_Carpeta->height())) {
    case Historial::Pulsacion::Elige:
        accept();
        return;
    case Historial::Pulsacion::Avanza:
    case Historial::Pulsacion::Retrocede:
        // La esquina bajo el puntero puede haber dejado de pasar página.
        MueveSobreCarpeta(punto);
        Pic_Carpeta->update();
        return;
    case Historial::Pulsacion::Nada:
        return;
    }
}

void PantallaHistoric::MueveSobreCarpeta(QPoint punto) {
    const int antes = historial_.LineaBajoPuntero();
    if (historial_.MuevePuntero(punto.x(), punto.y(), Pic_Carpeta->width(), Pic_Carpeta->height()))
        PonPuntero();
    if (historial_.LineaBajoPuntero() != antes)
        Pic_Carpeta->update();
}

void PantallaHistoric::SaleDeCarpeta() {
    const int antes = historial_.LineaBajoPuntero();
    if (historial_.SalePuntero())
        PonPuntero();
    if (antes != NingunaLinea)
        Pic_Carpeta->update();
}

void PantallaHistoric::PonPuntero() {
    switch (historial_.Puntero()) {
    case PunteroHistorial::Mano:
        Pic_Carpeta->unsetCursor();
        PonCursor(Pic_Carpeta, QStringLiteral("ManoIndice"));
        break;
    case PunteroHistorial::Normal:
        Pic_Carpeta->unsetCursor();
        PonCursor(Pic_Carpeta, QString());
        break;
    case PunteroHistorial::Prohibido:
        // La forma "no se puede soltar" del sistema: esa esquina no pasa página.
        Pic_Carpeta->setCursor(Qt::ForbiddenCursor);
        break;
    }
}

double PantallaHistoric::XColumna(double caracter) const {
    return XTextoHistorial + caracter * QFontMetricsF(letra_).horizontalAdvance(u'0');
}

void PantallaHistoric::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);

    // Tapa del archivador con el lomo a la izquierda.
    QLinearGradient cuero(0, 0, width(), height());
    cuero.setColorAt(0, Tapa.lighter(115));
    cuero.setColorAt(1, Tapa.darker(120));
    p.fillRect(rect(), cuero);
    QLinearGradient lomo(0, 0, 46, 0);
    lomo.setColorAt(0, TapaOscura);
    lomo.setColorAt(0.7, Tapa.darker(140));
    lomo.setColorAt(1, TapaOscura);
    p.fillRect(QRect(0, 0, 46, height()), lomo);
    p.setPen(QPen(QColor(210, 190, 120, 150), 1, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(52.5, 6.5, width() - 59, height() - 13), 6, 6);
    p.setPen(QPen(VerdeOscuro, 2));
    p.drawRect(QRectF(1, 1, width() - 2, height() - 2));

    // Hojas de debajo, un poco desplazadas.
    const QRect pagina(XPagina, YPagina, AnchoPagina, AltoPagina);
    p.setPen(QPen(QColor(150, 140, 110), 1));
    p.setBrush(PapelSombra.darker(108));
    p.drawRect(pagina.translated(5, 5));
    p.setBrush(PapelSombra);
    p.drawRect(pagina.translated(2, 3));

    // Barra de las anillas en el lomo.
    QLinearGradient barra(XBarraAnillas - 7, 0, XBarraAnillas + 7, 0);
    barra.setColorAt(0, MetalOscuro);
    barra.setColorAt(0.45, Qt::white);
    barra.setColorAt(1, MetalOscuro);
    p.setPen(QPen(MetalOscuro, 1));
    p.setBrush(barra);
    p.drawRoundedRect(QRectF(XBarraAnillas - 7, YPagina + YAnillas.front() - 30, 14,
                             YAnillas.back() - YAnillas.front() + 60),
                      5, 5);
    for (const int y : YAnillas)
        PintaAnilla(p, YPagina + y, QPoint());
}

void PantallaHistoric::PintaEsquina(QPainter& p, const QRect& esquina, bool derecha,
                                    bool activa) const {
    if (!activa) {
        // Sin hojas hacia ese lado: la esquina queda lisa, apenas marcada.
        p.setPen(QPen(PapelSombra.darker(110), 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        QPainterPath pliegue;
        pliegue.moveTo(derecha ? esquina.left() : esquina.right() + 1, esquina.bottom() + 1);
        pliegue.lineTo(derecha ? esquina.right() + 1 : esquina.left(), esquina.top());
        p.drawPath(pliegue);
        return;
    }
    // La punta doblada hacia dentro deja ver la tapa y el dorso del papel.
    const QPointF base(derecha ? esquina.left() : esquina.right() + 1, esquina.bottom() + 1);
    const QPointF punta(derecha ? esquina.right() + 1 : esquina.left(), esquina.top());
    const QPointF rincon(derecha ? esquina.right() + 1 : esquina.left(), esquina.bottom() + 1);
    const QPointF doblez(derecha ? esquina.left() : esquina.right() + 1, esquina.top());

    QPainterPath hueco;
    hueco.moveTo(base);
    hueco.lineTo(rincon);
    hueco.lineTo(punta);
    hueco.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(PapelSombra.darker(112)); // la hoja de debajo
    p.drawPath(hueco);

    QPainterPath solapa;
    solapa.moveTo(base);
    solapa.lineTo(punta);
    solapa.lineTo(doblez);
    solapa.closeSubpath();
    QLinearGradient dorso(base, doblez);
    dorso.setColorAt(0, QColor(255, 255, 250));
    dorso.setColorAt(1, QColor(214, 206, 178));
    p.setBrush(dorso);
    p.setPen(QPen(QColor(150, 140, 110), 1));
    p.drawPath(solapa);

    // Flecha hacia donde pasa la hoja.
    const QPointF centro = (base + punta + doblez) / 3.0;
    const double sentido = derecha ? 1.0 : -1.0;
    QPainterPath flecha;
    flecha.moveTo(centro + QPointF(-2 * sentido, -3.5));
    flecha.lineTo(centro + QPointF(2 * sentido, 0));
    flecha.lineTo(centro + QPointF(-2 * sentido, 3.5));
    p.setPen(QPen(TintaCabecera, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(flecha);
}

void PantallaHistoric::PintaPagina(QPainter& p, const QRect& pagina) const {
    p.setRenderHint(QPainter::Antialiasing, false);
    PintaPapel(p, pagina);
    PintaLineas(p, pagina);
    PintaPie(p, pagina);
    p.setRenderHint(QPainter::Antialiasing);
    PintaTaladro(p);
    // Esquinas que pasan de página.
    PintaEsquina(p, QRect(0, pagina.height() - AltoEsquina, AnchoEsquina, AltoEsquina), false,
                 historial_.PuedeRetroceder());
    PintaEsquina(p,
                 QRect(pagina.width() - AnchoEsquina, pagina.height() - AltoEsquina, AnchoEsquina,
                       AltoEsquina),
                 true, historial_.PuedeAvanzar());
}

void PantallaHistoric::PintaPapel(QPainter& p, const QRect& pagina) const {
    // Papel con un poco de tono hacia abajo.
    QLinearGradient papel(0, 0, 0, pagina.height());
    papel.setColorAt(0, Papel);
    papel.setColorAt(1, Papel.darker(104));
    p.fillRect(pagina, papel);

    // Banda de las cabeceras y su doble raya.
    p.fillRect(QRect(0, 0, pagina.width(), YPrimeraLinea - 1), QColor(242, 236, 214));
    p.setPen(QPen(TintaCabecera.lighter(160), 1));
    p.drawLine(0, YPrimeraLinea - 2, pagina.width(), YPrimeraLinea - 2);
    p.drawLine(0, YPrimeraLinea, pagina.width(), YPrimeraLinea);

    // Renglones: uno bajo cada línea.
    p.setPen(QPen(Renglon, 1));
    for (int k = 0; k < LineasPorPagina; ++k) {
        const int y = YPrimeraLinea + AltoLineaHistorial * (k + 1);
        p.drawLine(XMargen, y, pagina.width(), y);
    }
    const int finRenglones = YPrimeraLinea + AltoLineaHistorial * LineasPorPagina;

    // Rayas de las columnas, cabeceras incluidas.
    p.setPen(QPen(RayaColumna, 1));
    for (const double c : RayasColumnas) {
        const int x = qRound(XColumna(c));
        p.drawLine(x, 4, x, finRenglones);
    }

    // Margen rojo.
    p.setPen(QPen(Margen, 1));
    p.drawLine(XMargen, 0, XMargen, pagina.height());
}

void PantallaHistoric::PintaLineas(QPainter& p, const QRect& pagina) const {
    // Línea de la selección actual y línea bajo el puntero.
    const int primera = historial_.PrimeraLinea();
    const auto banda = [&](int k) {
        return QRect(XMargen + 2, YPrimeraLinea + AltoLineaHistorial * k + 2,
                     pagina.width() - XMargen - 8, AltoLineaHistorial - 2);
    };
    const int actual = historial_.LineaActual() - primera;
    if (actual >= 0 && actual < LineasPorPagina)
        p.fillRect(banda(actual), SeleccionActual);
    if (historial_.LineaBajoPuntero() != NingunaLinea)
        p.fillRect(banda(historial_.LineaBajoPuntero()), Marcador);

    // Cabeceras y líneas.
    p.setFont(letraCabecera_);
    p.setPen(TintaCabecera);
    p.drawText(XTextoHistorial, BaseLinea(-2), CabeceraHistorial1());
    p.drawText(XTextoHistorial, BaseLinea(-1), CabeceraHistorial2());
    p.setFont(letra_);
    p.setPen(Tinta);
    const QStringList& lineas = historial_.Lis_Datos();
    for (int k = 0; k < LineasPorPagina && primera + k < lineas.size(); ++k)
        p.drawText(XTextoHistorial, BaseLinea(k), lineas.at(primera + k).left(AnchoLineaHistorial));
}

void PantallaHistoric::PintaPie(QPainter& p, const QRect& pagina) const {
    // Número de página entre las dos esquinas.
    QFont pie(QStringLiteral("Liberation Serif"));
    pie.setPixelSize(12);
    pie.setItalic(true);
    p.setFont(pie);
    p.setPen(TintaCabecera.lighter(130));
    const QRect zonaPie(AnchoEsquina, pagina.height() - AltoEsquina - 4,
                        pagina.width() - 2 * AnchoEsquina, AltoEsquina + 4);
    p.drawText(
        zonaPie, Qt::AlignCenter,
        QStringLiteral("Hoja %1 de %2").arg(historial_.Pagina()).arg(historial_.TotalPaginas()));

    // Borde de la hoja.
    p.setPen(QPen(QColor(150, 140, 110), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(pagina.adjusted(0, 0, -1, -1));
}

void PantallaHistoric::PintaTaladro(QPainter& p) const {
    // Agujeros del taladro con las anillas que pasan por ellos.
    for (const int y : YAnillas) {
        QRadialGradient sombra(QPointF(XTaladro, y), 5.5);
        sombra.setColorAt(0, TapaOscura);
        sombra.setColorAt(1, Tapa);
        p.setPen(QPen(PapelSombra.darker(130), 1));
        p.setBrush(sombra);
        p.drawEllipse(QPointF(XTaladro, y), 5, 5);
        // La anilla entra por el agujero: de su centro hacia la derecha queda debajo.
        p.save();
        p.setClipRect(QRect(0, y - 10, XTaladro, 20));
        PintaAnilla(p, y, QPoint(XPagina, 0));
        p.restore();
    }
}

} // namespace quiniela
