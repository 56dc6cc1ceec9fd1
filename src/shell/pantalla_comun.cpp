#include "shell/pantalla_comun.h"

#include "core/estado_global.h"
#include "core/listas.h"
#include "core/mascaras.h"
#include "core/modo_edicion.h"
#include "matchdays/fichero_jornadas.h"
#include "platform/qt/boton_imagen.h"
#include "platform/qt/estilo.h"
#include "reduction/clics_reduccion.h"
#include "reduction/estadisticas.h"
#include "reduction/fichero_bases.h"
#include "reduction/tablas_directas.h"
#include "shell/lista_desplegable.h"
#include "shell/piezas_pantalla.h"

#include <QKeyEvent>
#include <QListWidget>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPainter>

namespace quiniela {

namespace {

// Colores del boleto: papel, casillas rojas y marcas de tinta.
const QColor RojoBoleto(200, 44, 40);
const QColor RojoClaro(236, 170, 164);
const QColor Apagado(214, 210, 198);
const QColor ApagadoTexto(180, 176, 166);
const QColor TintaProbable(150, 24, 30);

// Una casilla del boleto con su signo: marcada, libre o apagada (no se puede marcar).
enum class Casilla { Libre, Marcada, Apagada };

void PintaCasilla(QPainter& p, const QRect& r, const QString& signo, Casilla estado,
                  const QColor& tinta = Tinta) {
    const QRectF caja = QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5);
    switch (estado) {
    case Casilla::Marcada:
        p.fillRect(r, tinta);
        p.setPen(Papel);
        break;
    case Casilla::Libre:
        p.setPen(QPen(RojoBoleto, 1));
        p.drawRect(caja);
        p.setPen(RojoClaro.darker(120));
        break;
    case Casilla::Apagada:
        p.setPen(QPen(Apagado, 1));
        p.drawRect(caja);
        p.setPen(ApagadoTexto);
        break;
    }
    if (!signo.isEmpty())
        p.drawText(r, Qt::AlignCenter, signo);
}

void PintaPapel(QPainter& p, const QRect& area) {
    p.fillRect(area, Papel);
    p.setPen(QPen(VerdeOscuro, 1));
    p.drawRect(QRectF(area).adjusted(0.5, 0.5, -0.5, -0.5));
}

// Máximo de cada signo entre los partidos elegidos (como en las estadísticas).
std::array<int, NumSignosMax + 1> MaximosSignos(const QuinielaBase& base) {
    std::array<int, NumSignosMax + 1> maximo{};
    for (int m = 1; m <= NumPartidos; ++m)
        if (PartidoElegido(base, m))
            for (int k = 1; k <= NumSignosMax; ++k)
                maximo[k] += base[m].Signo[k];
    return maximo;
}

} // namespace

CajaPulsable::CajaPulsable(QWidget* padre) : QWidget(padre) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CajaPulsable::connectNotify(const QMetaMethod& senal) {
    // La caja que atiende pulsaciones se usa también sin ratón: el tabulador llega a ella y
    // las flechas recorren sus casillas. Las que solo se miran no toman el foco.
    if (senal == QMetaMethod::fromSignal(&CajaPulsable::pulsada))
        setFocusPolicy(Qt::TabFocus);
    QWidget::connectNotify(senal);
}

namespace {

// Casillas por fila de una rejilla: las que empiezan a la altura de la primera.
int CasillasPorFila(const ElementosAccesibles& e) {
    int n = 1;
    const int y = e.Elemento(0).Caja.top();
    while (n < e.NumElementos() && e.Elemento(n).Caja.top() == y)
        ++n;
    return n;
}

} // namespace

void CajaPulsable::keyPressEvent(QKeyEvent* evento) {
    const auto* e = dynamic_cast<const ElementosAccesibles*>(this);
    if (e == nullptr || e->NumElementos() == 0 || testAttribute(Qt::WA_TransparentForMouseEvents)) {
        QWidget::keyPressEvent(evento);
        return;
    }
    const int fila = CasillasPorFila(*e);
    int paso = 0;
    switch (evento->key()) {
    case Qt::Key_Left:
        paso = -1;
        break;
    case Qt::Key_Right:
        paso = 1;
        break;
    case Qt::Key_Up:
        paso = -fila;
        break;
    case Qt::Key_Down:
        paso = fila;
        break;
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (const ElementoAccesible c = e->Elemento(casilla_); c.Pulsa && c.Activo)
            c.Pulsa();
        update();
        return;
    default:
        QWidget::keyPressEvent(evento);
        return;
    }
    casilla_ = std::clamp(casilla_ + paso, 0, e->NumElementos() - 1);
    update();
}

void CajaPulsable::focusInEvent(QFocusEvent* evento) {
    update();
    QWidget::focusInEvent(evento);
}

void CajaPulsable::focusOutEvent(QFocusEvent* evento) {
    update();
    QWidget::focusOutEvent(evento);
}

void CajaPulsable::PintaCasillaDelTeclado(QPainter& p) const {
    const auto* e = dynamic_cast<const ElementosAccesibles*>(this);
    if (e == nullptr || CasillaDelTeclado() < 0 || casilla_ >= e->NumElementos())
        return;
    QPen pen(QColor(230, 120, 0), 2);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(e->Elemento(casilla_).Caja).adjusted(-1, -1, 1, 1));
}

void CajaPulsable::mousePressEvent(QMouseEvent* evento) {
    if (evento->button() == Qt::LeftButton)
        Q_EMIT pulsada(evento->position());
}

void CajaPulsable::mouseMoveEvent(QMouseEvent* evento) {
    Q_EMIT movida(evento->position());
}

void CajaPulsable::leaveEvent(QEvent*) {
    Q_EMIT abandonada();
}

CajaRejilla::CajaRejilla(Tipo tipo, const EstadoGlobal& estado, QWidget* padre)
    : CajaPulsable(padre), tipo_(tipo), estado_(estado) {
    switch (tipo_) {
    case Tipo::Base:
        setObjectName(QStringLiteral("Pic_Base"));
        resize(AnchoCajaBase, AltoCajaBase);
        break;
    case Tipo::ColBas:
        setObjectName(QStringLiteral("Pic_ColBas"));
        resize(AnchoCajaBase, AltoCajaBase);
        break;
    case Tipo::Elegir:
        setObjectName(QStringLiteral("Pic_Elegir"));
        resize(AnchoCajaElegir, AltoCajaBase);
        break;
    case Tipo::Signos:
        setObjectName(QStringLiteral("Pic_Signos"));
        resize(AnchoCajaSignos, AltoCajaSignos);
        break;
    }
}

void CajaPulsable::PulsaEn(const QRect& caja) {
    if (!testAttribute(Qt::WA_TransparentForMouseEvents))
        Q_EMIT pulsada(QRectF(caja).center());
}

int CajaRejilla::NumElementos() const {
    return tipo_ == Tipo::Elegir ? NumPartidos - 1 : NumPartidos * NumSignosMax;
}

ElementoAccesible CajaRejilla::Elemento(int indice) const {
    const QuinielaBase& base = estado_.Red.Base;
    ElementoAccesible e;
    e.Marcable = true;
    // Las casillas van por filas: partido (o total) a partido, y en cada uno sus tres signos.
    const int fila = tipo_ == Tipo::Elegir ? indice : indice / NumSignosMax;
    const int k = tipo_ == Tipo::Elegir ? 0 : indice % NumSignosMax + 1;
    const int m = fila + 1;
    const QString signo = k > 0 ? QString(CaracterSigno(k)) : QString();
    switch (tipo_) {
    case Tipo::Base:
        e.Caja = CeldaBase(m, k);
        e.Nombre = QStringLiteral("Partido %1, signo %2").arg(m).arg(signo);
        e.Marcado = base[m].Signo[k] == 1;
        break;
    case Tipo::Elegir:
        e.Caja = CeldaElegida(m);
        e.Nombre = QStringLiteral("Partido %1, a reducir").arg(m);
        e.Marcado = base[m].AReducir == 1;
        e.Activo = base[m].NumSignos >= 2;
        break;
    case Tipo::ColBas:
        e.Caja = CeldaBase(m, k);
        e.Nombre = QStringLiteral("Partido %1, signo %2 probable").arg(m).arg(signo);
        e.Marcado = base[m].SignoProbable == k && base[m].Signo[k] == 1;
        e.Activo = PartidoElegido(base, m) && base[m].Signo[k] == 1;
        break;
    case Tipo::Signos:
        e.Caja = CeldaSignos(k, fila);
        e.Nombre = QStringLiteral("Signo %1, %2 en la columna").arg(signo).arg(fila);
        e.Marcado = estado_.Red.Totales(k, fila) == 1;
        e.Activo = fila <= MaximosSignos(base)[k];
        break;
    }
    e.Descripcion = !e.Activo   ? QStringLiteral("no se puede marcar")
                    : e.Marcado ? QStringLiteral("marcada")
                                : QStringLiteral("sin marcar");
    if (!testAttribute(Qt::WA_TransparentForMouseEvents))
        e.Pulsa = [this, caja = e.Caja] { const_cast<CajaRejilla*>(this)->PulsaEn(caja); };
    return e;
}

void CajaRejilla::paintEvent(QPaintEvent*) {
    QPainter p(this);
    PintaPapel(p, rect());
    p.setFont(LetraPrograma(9, true));
    switch (tipo_) {
    case Tipo::Base:
        PintaBase(p);
        break;
    case Tipo::Elegir:
        PintaElegir(p);
        break;
    case Tipo::ColBas:
        PintaColBas(p);
        break;
    case Tipo::Signos:
        PintaSignos(p);
        break;
    }
    PintaCasillaDelTeclado(p);
}

void CajaRejilla::PintaBase(QPainter& p) const {
    const QuinielaBase& base = estado_.Red.Base;
    for (int m = 1; m <= NumPartidos; ++m)
        for (int k = 1; k <= NumSignosMax; ++k)
            PintaCasilla(p, CeldaBase(m, k), CaracterSigno(k),
                         base[m].Signo[k] == 1 ? Casilla::Marcada : Casilla::Libre);
}

void CajaRejilla::PintaElegir(QPainter& p) const {
    const QuinielaBase& base = estado_.Red.Base;
    // Solo los múltiples tienen casilla; el 15 nunca.
    for (int m = 1; m < NumPartidos; ++m) {
        if (base[m].NumSignos < 2)
            continue;
        const QRect r = CeldaElegida(m);
        PintaCasilla(p, r, QString(), base[m].AReducir == 1 ? Casilla::Marcada : Casilla::Libre);
        if (base[m].AReducir == 1) {
            // Una señal de elegido dentro de la marca.
            p.setPen(QPen(Papel, 1.6));
            p.drawLine(QPointF(r.left() + 3, r.center().y() + 0.5),
                       QPointF(r.left() + 6, r.bottom() - 3));
            p.drawLine(QPointF(r.left() + 6, r.bottom() - 3), QPointF(r.right() - 2, r.top() + 3));
        }
    }
}

void CajaRejilla::PintaColBas(QPainter& p) const {
    const QuinielaBase& base = estado_.Red.Base;
    for (int m = 1; m <= NumPartidos; ++m) {
        const bool elegido = PartidoElegido(base, m);
        for (int k = 1; k <= NumSignosMax; ++k) {
            Casilla estado = Casilla::Apagada;
            if (base[m].SignoProbable == k && base[m].Signo[k] == 1)
                estado = Casilla::Marcada;
            else if (elegido && base[m].Signo[k] == 1)
                estado = Casilla::Libre;
            PintaCasilla(p, CeldaBase(m, k), CaracterSigno(k), estado, TintaProbable);
        }
    }
}

void CajaRejilla::PintaSignos(QPainter& p) const {
    const auto maximo = MaximosSignos(estado_.Red.Base);
    for (int k = 1; k <= NumSignosMax; ++k)
        for (int r = 0; r < NumPartidos; ++r) {
            const QRect celda = CeldaSignos(k, r).adjusted(2, 2, -2, -2);
            Casilla estado = Casilla::Libre;
            if (r > maximo[k])
                estado = Casilla::Apagada;
            else if (estado_.Red.Totales(k, r) == 1)
                estado = Casilla::Marcada;
            PintaCasilla(p, celda, QString(), estado);
        }
}

void DibujaPantallaComun(const EstadoGlobal& estado, const ControlesRejilla& c) {
    // Las cajas del método de la reducción.
    if (c.Pic_ColBas != nullptr)
        c.Pic_ColBas->setVisible(estado.Red.Metodo == MetodoColumnaProbable);
    if (c.Pic_Signos != nullptr)
        c.Pic_Signos->setVisible(estado.Red.Metodo == MetodoSeleccionSignos);
    for (QWidget* w :
         {static_cast<QWidget*>(c.Pic_Base), static_cast<QWidget*>(c.Pic_Elegir),
          static_cast<QWidget*>(c.Pic_ColBas), static_cast<QWidget*>(c.Pic_Signos), c.Pantalla})
        if (w != nullptr)
            w->update();
}

void DosLineasEncima(std::vector<TextoPantalla>& t, QPoint origen, int ancho, const QString& arriba,
                     const QString& abajo, TextoPantalla::Estilo estilo, Qt::Alignment alineacion) {
    t.push_back({QRect(origen.x(), origen.y() - 30, ancho, 14), arriba, estilo, alineacion});
    t.push_back({QRect(origen.x(), origen.y() - 16, ancho, 14), abajo, estilo, alineacion});
}

namespace {

// Sobre Pic_Signos, sus signos; a su izquierda, el total de cada fila, que así no se lee como
// un partido.
void TextosSignos(std::vector<TextoPantalla>& t, const QRect& s) {
    using Estilo = TextoPantalla::Estilo;
    t.push_back({QRect(s.left() - 17, s.top() - 30, 90, 14), QStringLiteral("       Signos"),
                 Estilo::Encabezado});
    for (int k = 1; k <= NumSignosMax; ++k) {
        const QRect celda = CeldaSignos(k, 0).translated(s.topLeft());
        t.push_back({QRect(celda.left(), s.top() - 16, celda.width(), 14),
                     QString(CaracterSigno(k)), Estilo::Encabezado, Qt::AlignCenter});
    }
    for (int r = 0; r < NumPartidos; ++r)
        t.push_back({QRect(s.left() - 18, s.top() + 18 * r, 16, 18), QString::number(r),
                     Estilo::Partido, Qt::AlignRight | Qt::AlignVCenter});
}

} // namespace

void AnadeEncabezadosBase(std::vector<TextoPantalla>& t, const ControlesRejilla& c, int metodo,
                          Qt::Alignment alineacion) {
    if (metodo == MetodoSeleccionSignos && c.Pic_Signos != nullptr)
        TextosSignos(t, c.Pic_Signos->geometry());
    using Estilo = TextoPantalla::Estilo;
    DosLineasEncima(t, c.Pic_Base->pos() + QPoint(-6, 0), 140,
                    QStringLiteral("Quiniela     Partidos"), QStringLiteral("base      reducidos"),
                    Estilo::Encabezado, alineacion);
    if (metodo == MetodoColumnaProbable && c.Pic_ColBas != nullptr)
        DosLineasEncima(t, c.Pic_ColBas->pos() + QPoint(-14, 0), 90, QStringLiteral("     Columna"),
                        QStringLiteral("    probable"), Estilo::Encabezado, alineacion);
}

namespace {

// Los partidos de la jornada junto a las filas de la base.
void TextosPartidos(std::vector<TextoPantalla>& t, const EstadoGlobal& estado,
                    const ControlesRejilla& c) {
    const QRect base = c.Pic_Base->geometry();
    const QLocale regional;
    for (int m = 1; m <= NumPartidos; ++m) {
        const QString local = EquipoLocal(estado.RegistroJornada, m);
        const QString visitante = EquipoVisitante(estado.RegistroJornada, m);
        QString linea = FormatoNumero(m, u"##", regional) + QStringLiteral(". ") + local;
        if (!local.isEmpty() && !visitante.isEmpty())
            linea += QStringLiteral(" - ") + visitante;
        const int x = c.MargenPartidos + (m < 10 ? 6 : 0);
        const QRect fila = CeldaBase(m, 1).translated(base.topLeft());
        t.push_back({QRect(x, fila.top(), base.left() - 8 - x, fila.height()), linea,
                     TextoPantalla::Estilo::Partido});
    }
}

} // namespace

std::vector<TextoPantalla> TextosPantallaComun(const EstadoGlobal& estado,
                                               const ControlesRejilla& c) {
    std::vector<TextoPantalla> t;
    if (c.TextosPropios)
        c.TextosPropios(t);
    if (c.Pic_Base != nullptr)
        TextosPartidos(t, estado, c);
    return t;
}

void PintaPantallaComun(QPainter& p, const EstadoGlobal& estado, const ControlesRejilla& c) {
    p.save();
    for (const TextoPantalla& texto : TextosPantallaComun(estado, c)) {
        switch (texto.Aspecto) {
        case TextoPantalla::Estilo::Encabezado:
            p.setFont(LetraPrograma(11, true));
            p.setPen(AmarilloTexto);
            break;
        case TextoPantalla::Estilo::Partido:
            p.setFont(LetraPrograma(11));
            p.setPen(Qt::white);
            break;
        case TextoPantalla::Estilo::Rotulo:
            p.setFont(LetraPrograma(12, true));
            p.setPen(Qt::white);
            break;
        }
        // Un texto que no cabe se corta con puntos suspensivos en vez de pisar la caja.
        const QString visible =
            p.fontMetrics().elidedText(texto.Texto, Qt::ElideRight, texto.Caja.width());
        p.drawText(texto.Caja, int(texto.Alineacion), visible);
    }
    p.restore();
}

QString EstiloListasRejilla() {
    return QStringLiteral("QListWidget { font-size: 11px; border: 1px solid #003010; }"
                          "QListWidget::item { padding: 0; margin: 0; }"
                          "QListWidget::item:selected { background: #286e46; color: #ffff00; }"
                          "QScrollBar:vertical { width: 10px; }");
}

void CreaCajasRejilla(ControlesRejilla& c, const EstadoGlobal& estado, QPoint base, QPoint signos) {
    const auto crea = [&](CajaRejilla::Tipo tipo, QPoint posicion, const QString& nombre) {
        auto* caja = new CajaRejilla(tipo, estado, c.Pantalla);
        caja->move(posicion);
        caja->setAccessibleName(nombre);
        return caja;
    };
    c.Pic_Base = crea(CajaRejilla::Tipo::Base, base, QStringLiteral("Quiniela base"));
    c.Pic_Elegir = crea(CajaRejilla::Tipo::Elegir, base + QPoint(XElegirDesdeBase, 0),
                        QStringLiteral("Partidos reducidos"));
    c.Pic_ColBas = crea(CajaRejilla::Tipo::ColBas, base + QPoint(XColBasDesdeBase, 0),
                        QStringLiteral("Columna probable"));
    c.Pic_Signos = crea(CajaRejilla::Tipo::Signos, signos, QStringLiteral("Totales de signos"));
}

void CreaBotonesJornadaOrden(ControlesRejilla& c) {
    c.Pic_BotNroJor = CreaBoton(c.Pantalla, QStringLiteral("Pic_BotNroJor"), PosJornadaRejilla);
    c.Pic_BotOrden = CreaBoton(c.Pantalla, QStringLiteral("Pic_BotOrden"), PosOrdenRejilla);
}

void CreaSalirAyudaIndice(ControlesRejilla& c) {
    const auto crea = [&c](const QString& nombre, const QString& rotulo) {
        return CreaBoton(c.Pantalla, nombre, QPoint(), AnchoCortoRejilla, rotulo);
    };
    c.Pic_Salir = crea(QStringLiteral("Pic_Salir"), QStringLiteral("Salir"));
    c.Pic_Ayuda = crea(QStringLiteral("Pic_Ayuda"), QStringLiteral("Ayuda"));
    c.Pic_Indice = crea(QStringLiteral("Pic_Indice"), QStringLiteral("Índice"));
}

void CreaListasJornadaOrden(ControlesRejilla& c) {
    c.Lis_Jornadas = CreaLista(c.Pantalla, QStringLiteral("Lis_Jornadas"));
    c.Lis_Orden = CreaLista(c.Pantalla, QStringLiteral("Lis_Orden"));
}

void AnadeDesplegablesJornadaOrden(GrupoDesplegables& grupo, const EstadoGlobal& estado,
                                   const ControlesRejilla& c,
                                   std::function<void(int fila)> eligeJornada,
                                   std::function<void(int fila)> eligeOrden) {
    grupo.Anade(
        c.Pic_BotNroJor, c.Lis_Jornadas, AnchoJornadaRejilla,
        [&estado] { return TituloBotonJornada(estado.Datos.JornadaActual); },
        std::move(eligeJornada));
    grupo.Anade(
        c.Pic_BotOrden, c.Lis_Orden, AnchoOrdenRejilla,
        [&estado] { return RotuloOrden(estado.Datos.OrdenActual); }, std::move(eligeOrden));
}

void LlenaListasJornadaOrden(EstadoGlobal& estado, const ControlesRejilla& c) {
    GuardaModoEdicion edicion(estado);
    LlenaLista(c.Lis_Jornadas, CargaLisJornadas(estado, false));
    LlenaLista(c.Lis_Orden, CargaLisOrden(estado));
}

void SiguenJornadaYOrden(EstadoGlobal& estado, const ControlesRejilla& c) {
    GuardaModoEdicion edicion(estado);
    c.Lis_Jornadas->setCurrentRow(estado.Datos.JornadaActual - 1);
    c.Lis_Orden->setCurrentRow(estado.Datos.OrdenActual - 1);
}

void PreparaPantallaRejilla(EstadoGlobal& estado, const ControlesRejilla& c) {
    LeeFicheroBases(estado);
    LlenaListasJornadaOrden(estado, c);
}

void PintaResumenReduccion(QPainter& p, const EstadoGlobal& estado, int anchoSuperficie) {
    const ResumenReduccion resumen = DibujaResumenReduccion(
        estado.Red, estado.Datos.PrecioApuestaValor, anchoSuperficie, QLocale());
    if (!resumen.Dibuja)
        return;
    p.save();
    p.fillRect(resumen.Banda, QColor(232, 244, 226));
    p.setPen(VerdeOscuro);
    p.drawRect(QRectF(resumen.Banda).adjusted(0.5, 0.5, -0.5, -0.5));
    p.setFont(LetraPrograma(10));
    const int alto = 11;
    int y = resumen.YTexto;
    for (const LineaResumen& linea : resumen.Lineas) {
        const int ancho = linea.Valor.isEmpty() ? 230 : 118;
        p.drawText(QRect(resumen.X0, y, ancho, alto), Qt::AlignLeft | Qt::AlignVCenter,
                   linea.Rotulo);
        if (!linea.Valor.isEmpty())
            p.drawText(QRect(resumen.X0 + 120, y, 110, alto), Qt::AlignLeft | Qt::AlignVCenter,
                       linea.Valor);
        y += alto;
    }
    p.restore();
}

} // namespace quiniela
