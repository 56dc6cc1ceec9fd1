#include "reduction/pantalla_comun.h"

#include "core/estado_global.h"
#include "core/listas.h"
#include "core/mascaras.h"
#include "core/modo_edicion.h"
#include "matchdays/fichero_jornadas.h"
#include "platform/plataforma.h"
#include "platform/qt/boton_imagen.h"
#include "platform/qt/estilo.h"
#include "reduction/clics_reduccion.h"
#include "reduction/estadisticas.h"
#include "reduction/fichero_bases.h"
#include "reduction/tablas_directas.h"

#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

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

bool EsReducir(const ControlesRejilla& c) {
    return c.pantalla != nullptr && c.pantalla->objectName() == u"reducir";
}

bool EsEscrutinio(const ControlesRejilla& c) {
    return c.pantalla != nullptr && c.pantalla->objectName() == u"escrutin";
}

// Dos líneas de encabezado sobre una caja, la primera `alto` píxeles más arriba.
void DosLineas(std::vector<TextoPantalla>& t, QPoint origen, int ancho, const QString& arriba,
               const QString& abajo,
               TextoPantalla::Estilo estilo = TextoPantalla::Estilo::Encabezado) {
    t.push_back({QRect(origen.x(), origen.y() - 30, ancho, 14), arriba, estilo});
    t.push_back({QRect(origen.x(), origen.y() - 16, ancho, 14), abajo, estilo});
}

} // namespace

CajaRejilla::CajaRejilla(Tipo tipo, const EstadoGlobal& estado, QWidget* padre)
    : QWidget(padre), tipo_(tipo), estado_(estado) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
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

void CajaRejilla::mousePressEvent(QMouseEvent* evento) {
    if (evento->button() == Qt::LeftButton)
        Q_EMIT pulsada(evento->position().toPoint());
}

void CajaRejilla::mouseMoveEvent(QMouseEvent* evento) {
    Q_EMIT movida(evento->position().toPoint());
}

void CajaRejilla::leaveEvent(QEvent*) {
    Q_EMIT abandonada();
}

void DibujaPantallaComun(const EstadoGlobal& estado, const ControlesRejilla& c) {
    if (c.Pic_BotNroJor != nullptr)
        c.Pic_BotNroJor->Dibuja(c.anchoBotonJornada, TituloBotonJornada(estado.Datos.JornadaActual),
                                false);
    if (c.Pic_BotOrden != nullptr)
        c.Pic_BotOrden->Dibuja(c.anchoBotonOrden, RotuloOrden(estado.Datos.OrdenActual), false);
    if (EsReducir(c)) {
        for (auto [boton, rotulo] :
             {std::pair{c.Pic_BotSelTodo, QStringLiteral("Seleccionar todo")},
              std::pair{c.Pic_BotBorTodo, QStringLiteral("Borrar todo")}}) {
            if (boton == nullptr)
                continue;
            boton->Dibuja(c.anchoBotonesTodo, rotulo, false);
            PonCursor(boton, QStringLiteral("ManoIndice"));
        }
    }
    // Las cajas del método de la reducción.
    if (c.Pic_ColBas != nullptr)
        c.Pic_ColBas->setVisible(estado.Red.Metodo == MetodoColumnaProbable);
    if (c.Pic_Signos != nullptr)
        c.Pic_Signos->setVisible(estado.Red.Metodo == MetodoSeleccionSignos);
    for (QWidget* w :
         {static_cast<QWidget*>(c.Pic_Base), static_cast<QWidget*>(c.Pic_Elegir),
          static_cast<QWidget*>(c.Pic_ColBas), static_cast<QWidget*>(c.Pic_Signos), c.pantalla})
        if (w != nullptr)
            w->update();
}

namespace {

// Encabezados de la reducción sobre las cajas, según el método.
void TextosReducir(std::vector<TextoPantalla>& t, int metodo, const ControlesRejilla& c) {
    using Estilo = TextoPantalla::Estilo;
    const QPoint base = c.Pic_Base->pos();
    DosLineas(t, base + QPoint(-6, 0), 140, QStringLiteral("Quiniela     Partidos"),
              QStringLiteral("base      reducidos"));
    if (metodo == MetodoColumnaProbable && c.Pic_ColBas != nullptr)
        DosLineas(t, c.Pic_ColBas->pos() + QPoint(-14, 0), 90, QStringLiteral("     Columna"),
                  QStringLiteral("    probable"));
    if (metodo == MetodoSeleccionSignos && c.Pic_Signos != nullptr) {
        const QRect s = c.Pic_Signos->geometry();
        t.push_back({QRect(s.left() - 17, s.top() - 30, 90, 14), QStringLiteral("       Signos"),
                     Estilo::Encabezado});
        for (int k = 1; k <= NumSignosMax; ++k) {
            const QRect celda = CeldaSignos(k, 0).translated(s.topLeft());
            t.push_back({QRect(celda.left(), s.top() - 16, celda.width(), 14),
                         QString(CaracterSigno(k)), Estilo::Encabezado, Qt::AlignCenter});
        }
        // Los totales de cada fila, a la izquierda.
        for (int r = 0; r < NumPartidos; ++r)
            t.push_back({QRect(s.left() - 22, s.top() + 18 * r, 18, 18), QString::number(r),
                         Estilo::Partido, Qt::AlignRight | Qt::AlignVCenter});
    }
    if (metodo == MetodoColumnaProbable && c.Pic_BotMinErr != nullptr) {
        const QRect b = c.Pic_BotMinErr->geometry();
        t.push_back({QRect(b.left() - 84, b.top() - 3, 78, 14), QStringLiteral("Errores"),
                     Estilo::Rotulo, Qt::AlignRight | Qt::AlignVCenter});
        t.push_back({QRect(b.left() - 84, b.top() + 11, 78, 14), QStringLiteral("permitidos:"),
                     Estilo::Rotulo, Qt::AlignRight | Qt::AlignVCenter});
    }
}

// Encabezados de las listas del escrutinio.
void TextosEscrutinio(std::vector<TextoPantalla>& t, const ControlesRejilla& c) {
    using Estilo = TextoPantalla::Estilo;
    if (c.Pic_Ganadora != nullptr)
        DosLineas(t, c.Pic_Ganadora->pos(), c.Pic_Ganadora->width() + 20, QStringLiteral("Columna"),
                  QStringLiteral("Ganadora"));
    if (c.Lis_Aciertos != nullptr)
        DosLineas(t, c.Lis_Aciertos->pos(), 420,
                  QStringLiteral("------------------- Escrutinio -------------------"),
                  QStringLiteral("Aciertos   Columnas            Importe"), Estilo::Rotulo);
    if (c.Lis_Boletos != nullptr)
        DosLineas(t, c.Lis_Boletos->pos(), 420,
                  QStringLiteral("------------ Localización de aciertos ------------"),
                  QStringLiteral("Boleto nro.    15   14   13   12   11   10"), Estilo::Rotulo);
}

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
        const int x = c.xPartidos + (m < 10 ? 6 : 0);
        const QRect fila = CeldaBase(m, 1).translated(base.topLeft());
        t.push_back({QRect(x, fila.top(), base.left() - 8 - x, fila.height()), linea,
                     TextoPantalla::Estilo::Partido});
    }
}

} // namespace

std::vector<TextoPantalla> TextosPantallaComun(const EstadoGlobal& estado,
                                               const ControlesRejilla& c) {
    std::vector<TextoPantalla> t;
    if (EsReducir(c) && c.Pic_Base != nullptr)
        TextosReducir(t, estado.Red.Metodo, c);
    if (EsEscrutinio(c))
        TextosEscrutinio(t, c);
    if (c.Pic_Base != nullptr)
        TextosPartidos(t, estado, c);
    if (EsReducir(c) && c.Tex_Descripcion != nullptr) {
        const QRect d = c.Tex_Descripcion->geometry();
        t.push_back({QRect(d.left() - 96, d.top(), 90, d.height()), QStringLiteral("Descripción.:"),
                     TextoPantalla::Estilo::Rotulo, Qt::AlignRight | Qt::AlignVCenter});
    }
    return t;
}

void PintaPantallaComun(QPainter& p, const EstadoGlobal& estado, const ControlesRejilla& c) {
    p.save();
    for (const TextoPantalla& texto : TextosPantallaComun(estado, c)) {
        switch (texto.estilo) {
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
            p.fontMetrics().elidedText(texto.texto, Qt::ElideRight, texto.caja.width());
        p.drawText(texto.caja, int(texto.alineacion), visible);
    }
    p.restore();
}

void LlenaLista(QListWidget* lista, const ContenidoLista& contenido) {
    lista->clear();
    lista->setGeometry(contenido.geometria);
    lista->setFlow(QListView::TopToBottom);
    lista->setWrapping(contenido.columnas > 1);
    lista->setUniformItemSizes(true);
    lista->setTextElideMode(Qt::ElideNone);
    lista->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Filas de 13 píxeles; en varias columnas, diez por columna en el alto de la lista. Una
    // sola columna más larga que su caja (los 30 órdenes) se desplaza.
    const int columnas = std::max(contenido.columnas, 1);
    const int alto = columnas > 1 ? (contenido.geometria.height() - 2) / 10 : 13;
    lista->setVerticalScrollBarPolicy(columnas > 1 ? Qt::ScrollBarAlwaysOff
                                                   : Qt::ScrollBarAsNeeded);
    lista->setGridSize(QSize((contenido.geometria.width() - 2) / columnas, alto));
    for (const QString& entrada : contenido.entradas) {
        auto* item = new QListWidgetItem(entrada, lista);
        item->setTextAlignment(Qt::AlignCenter);
    }
    lista->setCurrentRow(contenido.seleccion);
}

void PreparaPantallaRejilla(EstadoGlobal& estado, const ControlesRejilla& c) {
    LeeFicheroBases(estado);
    if (c.Pic_Base != nullptr) {
        const QRect base = c.Pic_Base->geometry();
        if (c.Pic_Elegir != nullptr)
            c.Pic_Elegir->setGeometry(base.left() + XElegirDesdeBase, base.top(),
                                      c.Pic_Elegir->width(), base.height());
        if (c.Pic_ColBas != nullptr)
            c.Pic_ColBas->setGeometry(base.left() + XColBasDesdeBase, base.top(),
                                      c.Pic_ColBas->width(), base.height());
    }
    GuardaModoEdicion edicion(estado);
    if (c.Lis_Jornadas != nullptr)
        LlenaLista(c.Lis_Jornadas, CargaLisJornadas(estado, false));
    if (c.Lis_Orden != nullptr)
        LlenaLista(c.Lis_Orden, CargaLisOrden(estado));
}

void PintaResumenReduccion(QPainter& p, const EstadoGlobal& estado, int anchoSuperficie) {
    const ResumenReduccion resumen = DibujaResumenReduccion(
        estado.Red, estado.Datos.PrecioApuestaValor, anchoSuperficie, QLocale());
    if (!resumen.dibuja)
        return;
    p.save();
    p.fillRect(resumen.banda, QColor(232, 244, 226));
    p.setPen(VerdeOscuro);
    p.drawRect(QRectF(resumen.banda).adjusted(0.5, 0.5, -0.5, -0.5));
    p.setFont(LetraPrograma(10));
    const int alto = 11;
    int y = resumen.yTexto;
    for (const LineaResumen& linea : resumen.lineas) {
        const int ancho = linea.valor.isEmpty() ? 230 : 118;
        p.drawText(QRect(resumen.x0, y, ancho, alto), Qt::AlignLeft | Qt::AlignVCenter,
                   linea.rotulo);
        if (!linea.valor.isEmpty())
            p.drawText(QRect(resumen.x0 + 120, y, 110, alto), Qt::AlignLeft | Qt::AlignVCenter,
                       linea.valor);
        y += alto;
    }
    p.restore();
}

} // namespace quiniela
