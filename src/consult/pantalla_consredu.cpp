#include "consult/pantalla_consredu.h"

#include "consult/pantalla_consredu_paneles.h"
#include "consult/pantalla_historic.h"
#include "core/estado_global.h"
#include "core/modo_edicion.h"
#include "matchdays/fichero_jornadas.h"
#include "output/fichero_boletos.h"
#include "platform/plataforma.h"
#include "platform/qt/boton_imagen.h"
#include "platform/qt/estilo.h"
#include "reduction/clics_reduccion.h"
#include "shell/piezas_pantalla.h"

#include <QKeyEvent>
#include <QPainter>

namespace quiniela {

namespace {

// Cabe en 800 × 600 con la barra de tareas y la de título.
constexpr int AltoVentana = 526;

// Los partidos a la izquierda de la base; la base y sus cajas, y a la derecha los boletos,
// 30 píxeles más allá con la columna probable o los totales de signos.
constexpr int XPartidos = 12;
const QPoint PosBase(215, 86);
const QPoint PosSignos(322, 89);
constexpr int XColumnasDirecto = 342;
constexpr int XColumnasOtros = 372;

constexpr int YNavegacion = 372;
constexpr int YAbajo = AltoVentana - 30;

// Los textos sobre los boletos: el número de boletos y "Boleto n" encima de cada uno.
constexpr int YTotalBoletos = 45;
constexpr int YTituloBoleto = 73;

int AnchoVentana(int metodo) {
    return (AnchoConsultaTwips(metodo) + 7) / 15; // 15 twips por píxel
}

} // namespace

PantallaConsredu::PantallaConsredu(EstadoGlobal& estado, QWidget* padre)
    : QWidget(padre, Qt::Window),
      ControlesRejilla(this, XPartidos,
                       [this](std::vector<TextoPantalla>& t) {
                           AnadeEncabezadosBase(t, *this, estado_.Red.Metodo);
                       }),
      estado_(estado), consultaActual_(estado), desplegables_(estado) {
    setObjectName(QStringLiteral("consredu"));
    setStyleSheet(EstiloListasRejilla());
    CreaRejillas();
    CreaBotones();
    CreaListasJornadaOrden(*this);
    CreaDesplegables();
    Conecta();
    OrdenTabulador();
    // Carga la reducción actual y llena las listas; después, lo que se enseña de ella.
    PreparaPantallaRejilla(estado_, *this);
    consultaActual_.CargaConsulta();
    TrasCarga();
    CentraEnPantalla(this);
}

void PantallaConsredu::CreaRejillas() {
    CreaCajasRejilla(*this, estado_, PosBase, PosSignos);
    Pic_Colum = new PanelColumnas(consultaActual_.BloqueActual(), this);
    Pic_Colum->move(XColumnasDirecto, PosBase.y());
    Pic_BotAdeAtr = new BotonesNavegacion(this);
    Pic_BotAdeAtr->EstaActivo = [this](BotonNavegacion b) { return consultaActual_.Activo(b); };
}

void PantallaConsredu::CreaBotones() {
    CreaBotonesJornadaOrden(*this);
    // El índice abajo a la izquierda; Salir y Ayuda, a la derecha según el ancho del método.
    CreaSalirAyudaIndice(*this);
    Pic_Indice->move(XPartidos + 3, YAbajo);
}

void PantallaConsredu::CreaDesplegables() {
    AnadeDesplegablesJornadaOrden(
        desplegables_, estado_, *this, [this](int fila) { EligeJornada(fila); },
        [this](int fila) {
            if (consultaActual_.EligeOrden(fila + 1))
                TrasCarga();
        });
}

void PantallaConsredu::Conecta() {
    connect(Pic_BotAdeAtr, &BotonesNavegacion::pulsado, this, &PantallaConsredu::PulsaNavegacion);
    connect(Pic_Indice, &BotonImagen::pulsado, this, &PantallaConsredu::AbreIndice);
    connect(Pic_Ayuda, &BotonImagen::pulsado, this, [this] {
        desplegables_.CierraTodas();
        TocaSonido(estado_, 9);
        AbreAyuda(TemaAyudaConsulta);
    });
    connect(Pic_Salir, &BotonImagen::pulsado, this, [this] {
        TocaSonido(estado_, 5);
        close();
    });
}

void PantallaConsredu::OrdenTabulador() {
    EncadenaTabulador({Pic_BotNroJor, Pic_BotOrden, Pic_Indice, Pic_Ayuda, Pic_Salir});
}

// Tras cada carga: ancho y cajas del método, título, botones, base y boletos.
void PantallaConsredu::TrasCarga() {
    ColocaPorMetodo();
    setWindowTitle(TituloConsulta(estado_.Red.Metodo));
    desplegables_.Redibuja();
    DibujaPantallaComun(estado_, *this);
    Pic_Colum->update();
    Pic_BotAdeAtr->update();
    update();
}

void PantallaConsredu::ColocaPorMetodo() {
    const int metodo = estado_.Red.Metodo;
    const int ancho = AnchoVentana(metodo);
    setFixedSize(ancho, AltoVentana);
    Pic_ColBas->setVisible(metodo == MetodoColumnaProbable);
    Pic_Signos->setVisible(metodo == MetodoSeleccionSignos);
    Pic_Colum->move(metodo == MetodoDirecto ? XColumnasDirecto : XColumnasOtros, PosBase.y());
    Pic_BotAdeAtr->move(Pic_Colum->x() + (Pic_Colum->width() - Pic_BotAdeAtr->width()) / 2,
                        YNavegacion);
    ColocaDesdeLaDerecha({Pic_Salir, Pic_Ayuda}, ancho - 15, YAbajo);
}

void PantallaConsredu::EligeJornada(int fila) {
    const int orden = estado_.Datos.OrdenActual;
    if (!consultaActual_.EligeJornada(fila + 1))
        return;
    // El orden vuelve a 1: su lista también, sin que cuente como elección.
    if (estado_.Datos.OrdenActual != orden)
        SiguenJornadaYOrden(estado_, *this);
    TrasCarga();
}

void PantallaConsredu::AbreIndice() {
    desplegables_.CierraTodas();
    TocaSonido(estado_, 9);
    if (!AbreHistorico(estado_, this))
        return;
    SiguenJornadaYOrden(estado_, *this);
    {
        GuardaModoEdicion edicion(estado_);
        consultaActual_.CargaConsulta();
    }
    TrasCarga();
}

void PantallaConsredu::PulsaNavegacion(BotonNavegacion boton) {
    desplegables_.CierraTodas();
    TocaSonido(estado_, 6);
    Pic_BotAdeAtr->PonPulsado(boton);
    Espera(180);
    consultaActual_.Pulsa(boton);
    Pic_Colum->repaint();
    update();
    Pic_BotAdeAtr->PonPulsado(BotonNavegacion::Ninguno);
    TocaSonido(estado_, 6);
    Pic_BotAdeAtr->RefrescaPuntero();
}

QString PantallaConsredu::TextoBoletos() const {
    return consultaActual_.TextoBoletos(QLocale());
}

QRect PantallaConsredu::CajaTituloBoleto(int boleto) const {
    // Cinco píxeles más a la derecha mientras el número tiene dos cifras, para centrarlo.
    const int64_t primero = PrimerBoletoDeBloque(consultaActual_.PrimeraColumna());
    const int x = Pic_Colum->x() + 20 + 80 * boleto + (primero < 100 ? 5 : 0);
    return QRect(x, YTituloBoleto, 75, 14);
}

void PantallaConsredu::PintaBoletos(QPainter& p) const {
    p.setPen(AmarilloTexto);
    p.setFont(LetraPrograma(13, true));
    p.drawText(QRect(Pic_Colum->x() + 93, YTotalBoletos, 160, 18), Qt::AlignLeft | Qt::AlignTop,
               TextoBoletos());
    p.setPen(Qt::white);
    const auto& titulos = consultaActual_.BloqueActual().Titulos;
    for (int b = 0; b < BoletosPorBloque; ++b)
        PintaTituloBoleto(p, CajaTituloBoleto(b), titulos[std::size_t(b)]);
}

// "Boleto n" cabe en su caja: con números largos, letra más pequeña y, si aun así no cabe,
// el número debajo de "Boleto", centrados sobre el boleto.
void PantallaConsredu::PintaTituloBoleto(QPainter& p, const QRect& caja, const QString& titulo) {
    for (int pixeles = 11; pixeles >= 9; --pixeles) {
        p.setFont(LetraPrograma(pixeles, true));
        if (p.fontMetrics().horizontalAdvance(titulo) <= caja.width()) {
            p.drawText(caja, Qt::AlignLeft | Qt::AlignTop, titulo);
            return;
        }
    }
    p.setFont(LetraPrograma(10, true));
    const QRect dos(caja.left() - 5, caja.top() - 12, caja.width() + 5, 26);
    p.drawText(dos, Qt::AlignHCenter | Qt::AlignBottom,
               titulo.section(u' ', 0, 0) + u'\n' + titulo.section(u' ', 1));
}

void PantallaConsredu::paintEvent(QPaintEvent*) {
    QPainter p(this);
    PintaFondoPanel(p, rect());
    PintaPanelHundido(p, QRect(XPartidos - 6, PosBase.y() - 8, Pic_Colum->x() - XPartidos - 2,
                               AltoCajaBase + 16));
    PintaPantallaComun(p, estado_, *this);
    PintaBoletos(p);
    PintaResumenReduccion(p, estado_, width());
}

void PantallaConsredu::keyPressEvent(QKeyEvent* evento) {
    if (evento->key() == Qt::Key_Escape) {
        TocaSonido(estado_, 5);
        close();
        return;
    }
    // Sin ratón, los cuatro botones de los boletos: Inicio, Re Pág, Av Pág y Fin.
    const std::pair<int, BotonNavegacion> teclas[] = {{Qt::Key_Home, BotonNavegacion::Principio},
                                                      {Qt::Key_PageUp, BotonNavegacion::Retroceder},
                                                      {Qt::Key_PageDown, BotonNavegacion::Avanzar},
                                                      {Qt::Key_End, BotonNavegacion::Final}};
    for (const auto& [tecla, boton] : teclas)
        if (evento->key() == tecla) {
            if (consultaActual_.Activo(boton))
                PulsaNavegacion(boton);
            return;
        }
    QWidget::keyPressEvent(evento);
}

} // namespace quiniela
