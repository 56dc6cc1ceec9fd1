#include "output/pantalla_salida.h"

#include "consult/pantalla_historic.h"
#include "core/estado_global.h"
#include "core/mascaras.h"
#include "core/modo_edicion.h"
#include "matchdays/fichero_jornadas.h"
#include "output/boton_dibujo.h"
#include "output/fichero_boletos.h"
#include "output/pantalla_listados.h"
#include "platform/plataforma.h"
#include "platform/qt/boton_imagen.h"
#include "platform/qt/estilo.h"
#include "reduction/clics_reduccion.h"
#include "reduction/fichero_bases.h"
#include "shell/lista_desplegable.h"
#include "shell/piezas_pantalla.h"

#include <QListWidget>
#include <QPainter>

namespace quiniela {

namespace {

constexpr int AnchoVentana = 720;
constexpr int AltoVentana = 442;
constexpr int YArriba = 12;
const QPoint PosJornada(15, YArriba);
constexpr int AnchoJornada = 90;
const QPoint PosOrden(119, YArriba);
constexpr int AnchoOrden = 80;
const QPoint PosBase(275, 86);
const QPoint PosSignos(405, 89);
constexpr int XPartidos = 15;

// Columna derecha: boletos, resumen y los seis botones de salida en dos filas de tres.
constexpr int XDerecha = 470;
constexpr int AnchoDerecha = 235;
const QRect AreaBoletos(XDerecha, 56, AnchoDerecha, 24);
constexpr int YResumen = 86; // la banda del resumen se pinta en 416 de su superficie
const QPoint PosBotonesSalida(XDerecha + 2, 170);
const QSize TamBotonSalida(76, 90);
constexpr int YAbajo = 408;
constexpr int AnchoCorto = 80;

struct BotonSalida {
    const char* nombre;
    const char* imagen;
    const char* rotulo;
};
// En el orden de TipoListado.
constexpr std::array<BotonSalida, 6> BotonesSalida{{
    {"Pic_Quiniela", ":/imagenes/salida_quiniela.png", "Datos básicos"},
    {"Pic_Boletos", ":/imagenes/salida_boletos.png", "Boletos"},
    {"Pic_Relacion", ":/imagenes/salida_relacion.png", "Relación"},
    {"Pic_Disco", ":/imagenes/salida_disco.png", "Disco"},
    {"Pic_Continuo", ":/imagenes/salida_continuo.png", "Continuo"},
    {"Pic_Mail", ":/imagenes/salida_correo.png", "Correo"},
}};

QString EstiloPantalla() {
    return QStringLiteral("QListWidget { font-size: 11px; border: 1px solid #003010; }"
                          "QListWidget::item { padding: 0; margin: 0; }"
                          "QListWidget::item:selected { background: #286e46; color: #ffff00; }"
                          "QScrollBar:vertical { width: 10px; }");
}

} // namespace

PantallaSalida::PantallaSalida(EstadoGlobal& estado, QWidget* padre)
    : QDialog(padre), estado_(estado) {
    setObjectName(QStringLiteral("salida"));
    setWindowTitle(QStringLiteral("Salida de Datos por Impresora o a Disco Flexible"));
    setFixedSize(AnchoVentana, AltoVentana);
    setStyleSheet(EstiloPantalla());
    CreaRejillas();
    CreaBotones();
    CreaBotonesSalida();
    CreaListas();
    ReuneControles();
    CreaDesplegables();
    Conecta();
    // Las listas eligen la jornada y el orden actuales como una elección confirmada.
    PreparaPantallaRejilla(estado_, Controles);
    Refresca();
    EncadenaTabulador({Pic_BotNroJor, Pic_BotOrden, Pic_Salida[0], Pic_Salida[1], Pic_Salida[2],
                       Pic_Salida[3], Pic_Salida[4], Pic_Salida[5], Pic_Indice, Pic_Ayuda,
                       Pic_Salir});
    CentraEnPantalla(this);
}

void PantallaSalida::CreaRejillas() {
    // Solo se miran: las cajas no responden a los clics en esta pantalla.
    Pic_Base = new CajaRejilla(CajaRejilla::Tipo::Base, estado_, this);
    Pic_Base->move(PosBase);
    Pic_Elegir = new CajaRejilla(CajaRejilla::Tipo::Elegir, estado_, this);
    Pic_ColBas = new CajaRejilla(CajaRejilla::Tipo::ColBas, estado_, this);
    Pic_Signos = new CajaRejilla(CajaRejilla::Tipo::Signos, estado_, this);
    Pic_Signos->move(PosSignos);
}

void PantallaSalida::CreaBotones() {
    Pic_BotNroJor = CreaBoton(this, QStringLiteral("Pic_BotNroJor"), PosJornada);
    Pic_BotOrden = CreaBoton(this, QStringLiteral("Pic_BotOrden"), PosOrden);
    Pic_Salir =
        CreaBoton(this, QStringLiteral("Pic_Salir"), QPoint(AnchoVentana - 15 - AnchoCorto, YAbajo),
                  AnchoCorto, QStringLiteral("Salir"));
    Pic_Ayuda = CreaBoton(this, QStringLiteral("Pic_Ayuda"),
                          QPoint(Pic_Salir->x() - 8 - AnchoCorto, YAbajo), AnchoCorto,
                          QStringLiteral("Ayuda"));
    Pic_Indice = CreaBoton(this, QStringLiteral("Pic_Indice"),
                           QPoint(Pic_Ayuda->x() - 8 - AnchoCorto, YAbajo), AnchoCorto,
                           QStringLiteral("Índice"));
}

void PantallaSalida::CreaBotonesSalida() {
    for (int tipo = 0; tipo < int(BotonesSalida.size()); ++tipo) {
        const BotonSalida& b = BotonesSalida[size_t(tipo)];
        auto* boton = new BotonDibujo(this, QString::fromLatin1(b.nombre),
                                      QString::fromLatin1(b.imagen), QString::fromUtf8(b.rotulo));
        boton->setGeometry(QRect(PosBotonesSalida + QPoint((tipo % 3) * TamBotonSalida.width(),
                                                           (tipo / 3) * TamBotonSalida.height()),
                                 TamBotonSalida));
        boton->AlPulsar = [this, tipo] { AbreListados(tipo); };
        Pic_Salida[size_t(tipo)] = boton;
    }
}

void PantallaSalida::CreaListas() {
    Lis_Jornadas = new QListWidget(this);
    Lis_Jornadas->setObjectName(QStringLiteral("Lis_Jornadas"));
    Lis_Orden = new QListWidget(this);
    Lis_Orden->setObjectName(QStringLiteral("Lis_Orden"));
}

void PantallaSalida::ReuneControles() {
    Controles.pantalla = this;
    Controles.Pic_BotNroJor = Pic_BotNroJor;
    Controles.anchoBotonJornada = AnchoJornada;
    Controles.Pic_BotOrden = Pic_BotOrden;
    Controles.anchoBotonOrden = AnchoOrden;
    Controles.Pic_Base = Pic_Base;
    Controles.Pic_Elegir = Pic_Elegir;
    Controles.Pic_ColBas = Pic_ColBas;
    Controles.Pic_Signos = Pic_Signos;
    Controles.Lis_Jornadas = Lis_Jornadas;
    Controles.Lis_Orden = Lis_Orden;
    Controles.xPartidos = XPartidos;
}

void PantallaSalida::CreaDesplegables() {
    auto* jornadas =
        new ListaDesplegable(estado_, Pic_BotNroJor, Lis_Jornadas, AnchoJornada,
                             [this] { return TituloBotonJornada(estado_.Datos.JornadaActual); });
    jornadas->Elige = [this](int fila) { EligeJornada(fila); };
    auto* orden = new ListaDesplegable(estado_, Pic_BotOrden, Lis_Orden, AnchoOrden,
                                       [this] { return RotuloOrden(estado_.Datos.OrdenActual); });
    orden->Elige = [this](int fila) { EligeOrden(fila); };
    Desplegables = {jornadas, orden};
    // Al abrir una, la otra se pliega.
    for (ListaDesplegable* d : Desplegables)
        d->PuedeAbrir = [this, d] {
            for (ListaDesplegable* otra : Desplegables)
                if (otra != d && otra->Abierta())
                    otra->Cierra(false);
            return true;
        };
}

void PantallaSalida::Conecta() {
    connect(Pic_Indice, &BotonImagen::pulsado, this, &PantallaSalida::AbreIndice);
    connect(Pic_Ayuda, &BotonImagen::pulsado, this, [this] {
        TocaSonido(estado_, 9);
        AbreAyuda(2400);
    });
    connect(Pic_Salir, &BotonImagen::pulsado, this, &PantallaSalida::Sal);
}

void PantallaSalida::EligeJornada(int fila) {
    if (fila < 0 || fila + 1 == estado_.Datos.JornadaActual)
        return;
    estado_.Datos.JornadaActual = static_cast<int16_t>(fila + 1);
    estado_.Datos.OrdenActual = 1;
    GuardaModoEdicion edicion(estado_);
    Lis_Orden->setCurrentRow(0);
    Refresca();
}

void PantallaSalida::EligeOrden(int fila) {
    if (fila < 0 || fila + 1 == estado_.Datos.OrdenActual)
        return;
    estado_.Datos.OrdenActual = static_cast<int16_t>(fila + 1);
    Refresca();
}

void PantallaSalida::Refresca() {
    LeeFicheroJornadas(estado_);
    LeeFicheroBases(estado_);
    estado_.ActualizaFicheroApuestas();
    DibujaPantallaComun(estado_, Controles);
    TotalBoletos = estado_.NumeroRegistroReduccion > 0
                       ? CalculaBoletos(estado_.Red.Base, estado_.Red.ApuestasReducidas)
                       : 0;
    for (ListaDesplegable* d : Desplegables)
        d->Redibuja();
    update();
}

QString PantallaSalida::TextoBoletos() const {
    // La máscara deja el cero en blanco: sin reducción se lee "0 Boletos".
    const QString numero = FormatoNumero(double(TotalBoletos), u"###,###", QLocale()).trimmed();
    return (numero.isEmpty() ? QStringLiteral("0") : numero) + QStringLiteral(" Boletos");
}

void PantallaSalida::AbreListados(int tipo) {
    for (ListaDesplegable* d : Desplegables)
        if (d->Abierta())
            d->Cierra(false);
    TocaSonido(estado_, 6);
    TipoListado = tipo;
    PantallaListados listados(estado_, TipoListado, TotalBoletos, this);
    listados.exec();
}

void PantallaSalida::AbreIndice() {
    TocaSonido(estado_, 6);
    DibujaBoton(Pic_Indice, AnchoCorto, Pic_Indice->Rotulo(), true);
    hide();
    const bool elegida = AbreHistorico(estado_, parentWidget());
    show();
    DibujaBoton(Pic_Indice, AnchoCorto, Pic_Indice->Rotulo(), false);
    if (!elegida)
        return;
    // Las listas solo siguen a la reducción elegida.
    {
        GuardaModoEdicion edicion(estado_);
        Lis_Jornadas->setCurrentRow(estado_.Datos.JornadaActual - 1);
        Lis_Orden->setCurrentRow(estado_.Datos.OrdenActual - 1);
    }
    Refresca();
}

void PantallaSalida::Sal() {
    TocaSonido(estado_, 5);
    close();
}

void PantallaSalida::paintEvent(QPaintEvent*) {
    QPainter p(this);
    PintaFondoPanel(p, rect());
    PintaPantallaComun(p, estado_, Controles);
    PintaEncabezados(p);
    PintaPanelHundido(p, AreaBoletos);
    p.setFont(LetraPrograma(13, true));
    p.setPen(AmarilloTexto);
    p.drawText(AreaBoletos, Qt::AlignCenter, TextoBoletos());
    // El resumen se dibuja para una superficie propia: se lleva a la columna derecha.
    p.translate(XDerecha, YResumen - 416);
    PintaResumenReduccion(p, estado_, AnchoDerecha);
}

void PantallaSalida::PintaEncabezados(QPainter& p) const {
    p.save();
    p.setFont(LetraPrograma(11, true));
    p.setPen(AmarilloTexto);
    const QPoint base = Pic_Base->pos();
    p.drawText(QRect(base.x() - 6, base.y() - 30, 140, 14), Qt::AlignLeft,
               QStringLiteral("Quiniela     Partidos"));
    p.drawText(QRect(base.x() - 6, base.y() - 16, 140, 14), Qt::AlignLeft,
               QStringLiteral("base      reducidos"));
    if (Pic_ColBas->isVisible()) {
        const QPoint col = Pic_ColBas->pos();
        p.drawText(QRect(col.x() - 14, col.y() - 30, 90, 14), Qt::AlignLeft,
                   QStringLiteral("     Columna"));
        p.drawText(QRect(col.x() - 14, col.y() - 16, 90, 14), Qt::AlignLeft,
                   QStringLiteral("    probable"));
    }
    p.restore();
}

} // namespace quiniela
