#include "output/pantalla_salida.h"

#include "consult/pantalla_historic.h"
#include "core/estado_global.h"
#include "core/mascaras.h"
#include "matchdays/fichero_jornadas.h"
#include "output/boton_dibujo.h"
#include "output/fichero_boletos.h"
#include "output/pantalla_listados.h"
#include "platform/plataforma.h"
#include "platform/qt/boton_imagen.h"
#include "platform/qt/estilo.h"
#include "reduction/clics_reduccion.h"
#include "reduction/fichero_bases.h"
#include "shell/piezas_pantalla.h"

#include <QPainter>

namespace quiniela {

namespace {

constexpr int AnchoVentana = 720;
// Debajo de lo de siempre, el valor de la apuesta de la reducción guardada.
constexpr int YValor = 442;
constexpr int AltoVentana = YValor + PanelValor::Alto + 10;
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

struct BotonSalida {
    const char* Nombre;
    const char* imagen;
    const char* Rotulo;
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

} // namespace

PantallaSalida::PantallaSalida(EstadoGlobal& estado, QWidget* padre)
    : QDialog(padre),
      ControlesRejilla(this, XPartidos,
                       [this](std::vector<TextoPantalla>& t) {
                           AnadeEncabezadosBase(t, *this, estado_.Red.Metodo, Qt::AlignLeft);
                       }),
      estado_(estado), desplegables_(estado) {
    setObjectName(QStringLiteral("salida"));
    setWindowTitle(QStringLiteral("Salida de Datos por Impresora o a Disco Flexible"));
    setFixedSize(AnchoVentana, AltoVentana);
    setStyleSheet(EstiloListasRejilla());
    // Las cajas solo se miran: no responden a los clics en esta pantalla.
    CreaCajasRejilla(*this, estado_, PosBase, PosSignos);
    CreaBotones();
    CreaBotonesSalida();
    Pic_Valor = new PanelValor(estado_, this);
    Pic_Valor->move(XPartidos, YValor);
    CreaListasJornadaOrden(*this);
    AnadeDesplegablesJornadaOrden(
        desplegables_, estado_, *this, [this](int fila) { EligeJornada(fila); },
        [this](int fila) { EligeOrden(fila); });
    Conecta();
    // Las listas eligen la jornada y el orden actuales como una elección confirmada.
    PreparaPantallaRejilla(estado_, *this);
    Refresca();
    OrdenTabulador();
    CentraEnPantalla(this);
}

void PantallaSalida::CreaBotones() {
    CreaBotonesJornadaOrden(*this);
    CreaSalirAyudaIndice(*this);
    ColocaDesdeLaDerecha({Pic_Salir, Pic_Ayuda, Pic_Indice}, AnchoVentana - 15, YAbajo);
}

void PantallaSalida::CreaBotonesSalida() {
    for (int tipo = 0; tipo < int(BotonesSalida.size()); ++tipo) {
        const BotonSalida& b = BotonesSalida[size_t(tipo)];
        auto* boton = new BotonDibujo(this, QString::fromLatin1(b.Nombre),
                                      QString::fromLatin1(b.imagen), QString::fromUtf8(b.Rotulo));
        boton->setGeometry(QRect(PosBotonesSalida + QPoint((tipo % 3) * TamBotonSalida.width(),
                                                           (tipo / 3) * TamBotonSalida.height()),
                                 TamBotonSalida));
        boton->AlPulsar = [this, tipo] { AbreListados(tipo); };
        Pic_Salida[size_t(tipo)] = boton;
    }
}

void PantallaSalida::Conecta() {
    connect(Pic_Indice, &BotonImagen::pulsado, this, &PantallaSalida::AbreIndice);
    connect(Pic_Ayuda, &BotonImagen::pulsado, this, [this] {
        TocaSonido(estado_, 9);
        AbreAyuda(2400);
    });
    connect(Pic_Salir, &BotonImagen::pulsado, this, &PantallaSalida::Sal);
}

void PantallaSalida::OrdenTabulador() {
    EncadenaTabulador({Pic_BotNroJor, Pic_BotOrden, Pic_Salida[0], Pic_Salida[1], Pic_Salida[2],
                       Pic_Salida[3], Pic_Salida[4], Pic_Salida[5], Pic_Indice, Pic_Ayuda,
                       Pic_Salir});
}

void PantallaSalida::EligeJornada(int fila) {
    if (fila < 0 || fila + 1 == estado_.Datos.JornadaActual)
        return;
    estado_.Datos.JornadaActual = static_cast<int16_t>(fila + 1);
    estado_.Datos.OrdenActual = 1;
    SiguenJornadaYOrden(estado_, *this);
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
    Pic_Valor->setVisible(estado_.NumeroRegistroReduccion > 0);
    if (estado_.NumeroRegistroReduccion > 0) {
        Pic_Valor->LeeDatos();
        Pic_Valor->RecalculaGuardada();
    }
    DibujaPantallaComun(estado_, *this);
    TotalBoletos = estado_.NumeroRegistroReduccion > 0
                       ? CalculaBoletos(estado_.Red.Base, estado_.Red.ApuestasReducidas)
                       : 0;
    desplegables_.Redibuja();
    update();
}

QString PantallaSalida::TextoBoletos() const {
    // La máscara deja el cero en blanco: sin reducción se lee "0 Boletos".
    const QString numero = FormatoNumero(double(TotalBoletos), u"###,###", QLocale()).trimmed();
    return (numero.isEmpty() ? QStringLiteral("0") : numero) + QStringLiteral(" Boletos");
}

void PantallaSalida::AbreListados(int tipo) {
    desplegables_.CierraTodas();
    TocaSonido(estado_, 6);
    TipoListado = tipo;
    PantallaListados listados(estado_, TipoListado, TotalBoletos, this);
    listados.exec();
}

void PantallaSalida::AbreIndice() {
    TocaSonido(estado_, 6);
    DibujaBoton(Pic_Indice, AnchoCortoRejilla, Pic_Indice->Rotulo(), true);
    hide();
    const bool elegida = AbreHistorico(estado_, parentWidget());
    show();
    DibujaBoton(Pic_Indice, AnchoCortoRejilla, Pic_Indice->Rotulo(), false);
    if (!elegida)
        return;
    // Las listas solo siguen a la reducción elegida.
    SiguenJornadaYOrden(estado_, *this);
    Refresca();
}

void PantallaSalida::Sal() {
    TocaSonido(estado_, 5);
    close();
}

void PantallaSalida::paintEvent(QPaintEvent*) {
    QPainter p(this);
    PintaFondoPanel(p, rect());
    PintaPantallaComun(p, estado_, *this);
    PintaPanelHundido(p, AreaBoletos);
    p.setFont(LetraPrograma(13, true));
    p.setPen(AmarilloTexto);
    p.drawText(AreaBoletos, Qt::AlignCenter, TextoBoletos());
    // El resumen se dibuja para una superficie propia: se lleva a la columna derecha.
    p.translate(XDerecha, YResumen - 416);
    PintaResumenReduccion(p, estado_, AnchoDerecha);
}

} // namespace quiniela
