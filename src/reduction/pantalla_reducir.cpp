#include "reduction/pantalla_reducir.h"

#include "consult/pantalla_historic.h"
#include "core/estado_global.h"
#include "core/listas.h"
#include "core/modo_edicion.h"
#include "matchdays/fichero_jornadas.h"
#include "matchdays/pantalla_probabilidades.h"
#include "platform/plataforma.h"
#include "platform/qt/boton_imagen.h"
#include "platform/qt/estilo.h"
#include "reduction/motor_reduccion.h"
#include "shell/lista_desplegable.h"
#include "shell/piezas_pantalla.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QTimer>

#include <algorithm>

namespace quiniela {

namespace {

constexpr int AnchoVentana = 720;
// Debajo de lo de siempre, el panel del valor de la apuesta.
constexpr int YValor = 442;
constexpr int AltoVentana = YValor + PanelValor::Alto + 10;

// Fila de arriba: jornada, orden y método; a la derecha, debajo, los errores.
const QPoint PosMetodo(475, PosJornadaRejilla.y());
constexpr int AnchoMetodo = 230;
const QPoint PosMinErr(549, 48);
const QPoint PosMaxErr(629, 48);
constexpr int AnchoErrores = 76;
constexpr int AnchoListaErrores = 40;

// Rejillas: Pic_Elegir 68 y Pic_ColBas 106 píxeles a la derecha de Pic_Base.
const QPoint PosBase(275, 86);
const QPoint PosSignos(405, 89);
const QRect AreaEstadisticas(475, 86, 230, AltoCajaBase);
constexpr int XPartidos = 15;

// Abajo: seleccionar y borrar todo, la descripción y los botones de la pantalla.
constexpr int YTodo = 372;
constexpr int AnchoTodo = 120;
const QRect AreaDescripcion(415, YTodo, 290, AltoBoton);
constexpr int YAbajo = 408;
constexpr int AnchoProbabilidades = 120;

// Panel de progreso: botones en el centro del panel.
constexpr int AnchoCancelar = 170;
constexpr int YBotonPanel = 168;

// Lista de métodos: una fila por método.
constexpr int AltoFilaMetodo = 16;

QString EstiloPantalla() {
    return EstiloEditor() +
           // Las listas de números, de ancho fijo: sus entradas van alineadas con blancos.
           QStringLiteral("QListWidget { font-family: 'Liberation Mono'; font-size: 11px; "
                          "border: 1px solid #003010; }"
                          "QListWidget::item { padding: 0; margin: 0; }"
                          "QListWidget#Lis_Metodos { font-family: 'Liberation Sans'; "
                          "font-size: 12px; }"
                          "QScrollBar:vertical { width: 10px; }"
                          "QLineEdit#Tex_Descripcion { border: 1px solid #003010; "
                          "padding: 0 3px; }");
}

int TemaAyuda(int metodo) {
    switch (metodo) {
    case MetodoColumnaProbable:
        return 2230;
    case MetodoSeleccionSignos:
        return 2250;
    default:
        return 2210;
    }
}

} // namespace

PantallaReducir::PantallaReducir(EstadoGlobal& estado, QWidget* padre)
    : QDialog(padre),
      ControlesRejilla(this, XPartidos, [this](std::vector<TextoPantalla>& t) { AnadeTextos(t); }),
      estado_(estado), clics_(estado), desplegables_(estado) {
    setObjectName(QStringLiteral("reducir"));
    setFixedSize(AnchoVentana, AltoVentana);
    setStyleSheet(EstiloPantalla());
    // Apertura: jornada, reducción guardada o base por defecto, método recordado.
    clics_.Abre();
    setWindowTitle(TituloReducir(estado_.Red.Metodo));

    // Las rejillas primero: las listas desplegadas y el panel quedan encima.
    CreaRejillas();
    CreaBotones();
    CreaDescripcion();
    CreaListas();
    CreaPanelProgreso();
    CreaDesplegables();
    LlenaListas();
    DibujaBotonesLista();
    DibujaPantallaComun(estado_, *this);
    Conecta();
    OrdenTabulador();
    CentraEnPantalla(this);
}

void PantallaReducir::CreaRejillas() {
    CreaCajasRejilla(*this, estado_, PosBase, PosSignos);
    for (CajaRejilla* caja : {Pic_Base, Pic_Elegir, Pic_ColBas, Pic_Signos}) {
        connect(caja, &CajaRejilla::pulsada, this,
                [this, caja](QPointF punto) { PulsaCaja(caja, punto.toPoint()); });
        connect(caja, &CajaRejilla::movida, this,
                [this, caja](QPointF punto) { MueveSobreCaja(caja, punto.toPoint()); });
        connect(caja, &CajaRejilla::abandonada, this, [this, caja] { SaleDeCaja(caja); });
    }
    Pic_Esta = new PanelEstadisticas(estado_, clics_, this);
    Pic_Esta->setGeometry(AreaEstadisticas);
    Pic_Valor = new PanelValor(estado_, this);
    Pic_Valor->move(XPartidos, YValor);
    Pic_Valor->LeeDatos();
    Pic_Valor->RecalculaBase();
}

void PantallaReducir::CreaBotones() {
    CreaBotonesJornadaOrden(*this);
    Pic_BotMetodo = CreaBoton(this, QStringLiteral("Pic_BotMetodo"), PosMetodo);
    Pic_BotMinErr = CreaBoton(this, QStringLiteral("Pic_BotMinErr"), PosMinErr);
    Pic_BotMaxErr = CreaBoton(this, QStringLiteral("Pic_BotMaxErr"), PosMaxErr);
    Pic_BotSelTodo = CreaBoton(this, QStringLiteral("Pic_BotSelTodo"), QPoint(XPartidos, YTodo),
                               AnchoTodo, QStringLiteral("Seleccionar todo"));
    Pic_BotBorTodo =
        CreaBoton(this, QStringLiteral("Pic_BotBorTodo"), QPoint(XPartidos + AnchoTodo + 10, YTodo),
                  AnchoTodo, QStringLiteral("Borrar todo"));
    Pic_BotReducir = CreaBoton(this, QStringLiteral("Pic_BotReducir"), QPoint(XPartidos, YAbajo),
                               AnchoReducir, QStringLiteral("Reducir apuestas"));
    Pic_BotProbab = CreaBoton(this, QStringLiteral("Pic_BotProbab"),
                              QPoint(XPartidos + AnchoReducir + 10, YAbajo), AnchoProbabilidades,
                              QStringLiteral("Probabilidades"));
    CreaSalirAyudaIndice(*this);
    ColocaDesdeLaDerecha({Pic_Salir, Pic_Ayuda, Pic_Indice}, AnchoVentana - 15, YAbajo);
}

void PantallaReducir::CreaDescripcion() {
    Tex_Descripcion = new QLineEdit(this);
    Tex_Descripcion->setObjectName(QStringLiteral("Tex_Descripcion"));
    Tex_Descripcion->setAccessibleName(QStringLiteral("Descripción"));
    Tex_Descripcion->setGeometry(AreaDescripcion);
    Tex_Descripcion->setMaxLength(LongitudDescripcion);
    FiltraNoCodificables(Tex_Descripcion);
    Tex_Descripcion->setText(estado_.Red.Descripcion);
}

void PantallaReducir::CreaListas() {
    CreaListasJornadaOrden(*this);
    Lis_Metodos = CreaLista(this, QStringLiteral("Lis_Metodos"));
    Lis_MinErrores = CreaLista(this, QStringLiteral("Lis_MinErrores"));
    Lis_MaxErrores = CreaLista(this, QStringLiteral("Lis_MaxErrores"));
}

void PantallaReducir::CreaPanelProgreso() {
    // Oculto hasta la reducción.
    Pic_Porcen = new PanelProgreso(this);
    Pic_Porcen->move((AnchoVentana - PanelProgreso::Ancho) / 2,
                     (AltoVentana - PanelProgreso::Alto) / 2);
    Pic_BotCancelar = CreaBoton(Pic_Porcen, QStringLiteral("Pic_BotCancelar"),
                                QPoint((PanelProgreso::Ancho - AnchoCancelar) / 2, YBotonPanel),
                                AnchoCancelar, QStringLiteral("Cancelar el proceso"));
    Pic_SalirPorcen = CreaBoton(Pic_Porcen, QStringLiteral("Pic_SalirPorcen"),
                                QPoint((PanelProgreso::Ancho - AnchoCortoRejilla) / 2, YBotonPanel),
                                AnchoCortoRejilla, QStringLiteral("Salir"));
    Pic_SalirPorcen->hide();
    Pic_Porcen->hide();
}

void PantallaReducir::CreaDesplegables() {
    // Durante la reducción no se abre ninguna. Jornada, orden y método reabren la pantalla.
    desplegables_.Ocupada = [this] { return reduciendo_; };
    const auto reabreSi = [this](bool cambio) {
        if (cambio)
            CierraParaReabrir();
    };
    AnadeDesplegablesJornadaOrden(
        desplegables_, estado_, *this,
        [this, reabreSi](int fila) { reabreSi(clics_.EligeJornada(fila + 1)); },
        [this, reabreSi](int fila) { reabreSi(clics_.EligeOrden(fila + 1)); });
    desplegables_.Anade(
        Pic_BotMetodo, Lis_Metodos, AnchoMetodo,
        [this] { return NombresMetodo()[estado_.Red.Metodo].trimmed(); },
        [this, reabreSi](int fila) { reabreSi(clics_.EligeMetodo(fila + 1)); });
    // Los errores cambian la reducción sin reabrir.
    desplegableMinErr_ = desplegables_.Anade(
        Pic_BotMinErr, Lis_MinErrores, AnchoErrores,
        [this] { return RotuloMinErrores(estado_.Red.MinErrores); },
        [this](int fila) {
            clics_.EligeMinErrores(fila);
            TrasCambio();
        });
    desplegableMaxErr_ = desplegables_.Anade(
        Pic_BotMaxErr, Lis_MaxErrores, AnchoErrores,
        [this] { return RotuloMaxErrores(estado_.Red.MaxErrores); },
        [this](int fila) {
            clics_.EligeMaxErrores(fila);
            TrasCambio();
        });
}

void PantallaReducir::LlenaListas() {
    // Listas rellenas por el programa: sin sonidos ni elecciones.
    LlenaListasJornadaOrden(estado_, *this);
    GuardaModoEdicion edicion(estado_);
    ContenidoLista metodos;
    metodos.Geometria = QRect(PosMetodo.x(), PosMetodo.y() + AltoBoton + 2, AnchoMetodo,
                              NumMetodos * AltoFilaMetodo + 2);
    for (int m = 1; m <= NumMetodos; ++m)
        metodos.Entradas << NombresMetodoCortos()[m].trimmed();
    metodos.Seleccion = estado_.Red.Metodo - 1;
    LlenaLista(Lis_Metodos, metodos);
    Lis_Metodos->setGridSize(QSize(AnchoMetodo - 2, AltoFilaMetodo));
}

void PantallaReducir::DibujaBotonesLista() {
    // Los errores solo tienen sentido con la columna probable.
    const bool probable = estado_.Red.Metodo == MetodoColumnaProbable;
    Pic_BotMinErr->setVisible(probable);
    Pic_BotMaxErr->setVisible(probable);
    desplegables_.Redibuja();
    if (probable) {
        CreaLisErrores(Lis_MinErrores, Pic_BotMinErr, estado_.Red.MinErrores);
        CreaLisErrores(Lis_MaxErrores, Pic_BotMaxErr, estado_.Red.MaxErrores);
    }
}

void PantallaReducir::Conecta() {
    connect(Tex_Descripcion, &QLineEdit::textChanged, this,
            [this](const QString& texto) { clics_.CambiaDescripcion(texto); });
    connect(Pic_BotSelTodo, &BotonImagen::pulsado, this,
            [this] { PulsaBotonTodo(Pic_BotSelTodo, true); });
    connect(Pic_BotBorTodo, &BotonImagen::pulsado, this,
            [this] { PulsaBotonTodo(Pic_BotBorTodo, false); });
    connect(Pic_BotReducir, &BotonImagen::pulsado, this, &PantallaReducir::Reduce);
    connect(Pic_BotProbab, &BotonImagen::pulsado, this, &PantallaReducir::AbreProbabilidades);
    connect(Pic_Salir, &BotonImagen::pulsado, this, &PantallaReducir::Sal);
    connect(Pic_Indice, &BotonImagen::pulsado, this, &PantallaReducir::AbreIndice);
    connect(Pic_Ayuda, &BotonImagen::pulsado, this, &PantallaReducir::Ayuda);
    connect(Pic_BotCancelar, &BotonImagen::pulsado, this, &PantallaReducir::CancelaDesdePanel);
    connect(Pic_SalirPorcen, &BotonImagen::pulsado, this, &PantallaReducir::SalDelPanel);
}

void PantallaReducir::OrdenTabulador() {
    EncadenaTabulador({Pic_BotNroJor, Pic_BotOrden, Pic_BotMetodo, Pic_BotMinErr, Pic_BotMaxErr,
                       Pic_BotSelTodo, Pic_BotBorTodo, Tex_Descripcion, Pic_BotReducir,
                       Pic_BotProbab, Pic_Indice, Pic_Ayuda, Pic_Salir});
}

namespace {

// Un rótulo a la izquierda de un control, alineado a la derecha.
TextoPantalla RotuloIzquierda(const QRect& caja, const QString& texto) {
    return {caja, texto, TextoPantalla::Estilo::Rotulo, Qt::AlignRight | Qt::AlignVCenter};
}

} // namespace

// Los encabezados del método sobre las cajas y los rótulos de los errores y la descripción.
void PantallaReducir::AnadeTextos(std::vector<TextoPantalla>& t) const {
    const int metodo = estado_.Red.Metodo;
    AnadeEncabezadosBase(t, *this, metodo);
    if (metodo == MetodoColumnaProbable) {
        const QRect b = Pic_BotMinErr->geometry();
        t.push_back(
            RotuloIzquierda(QRect(b.left() - 84, b.top() - 3, 78, 14), QStringLiteral("Errores")));
        t.push_back(RotuloIzquierda(QRect(b.left() - 84, b.top() + 11, 78, 14),
                                    QStringLiteral("permitidos:")));
    }
    const QRect d = Tex_Descripcion->geometry();
    t.push_back(RotuloIzquierda(QRect(d.left() - 96, d.top(), 90, d.height()),
                                QStringLiteral("Descripción.:")));
}

void PantallaReducir::Ayuda() {
    desplegables_.CierraTodas();
    TocaSonido(estado_, 9);
    AbreAyuda(TemaAyuda(estado_.Red.Metodo));
}

void PantallaReducir::showEvent(QShowEvent* evento) {
    QDialog::showEvent(evento);
    // Se abre escribiendo la descripción, con el cursor al final y sin elegir el texto, para
    // que una tecla no borre la guardada. Después de mostrarse: QDialog le da el foco como
    // con el tabulador, y eso elige todo el texto.
    Tex_Descripcion->setFocus(Qt::OtherFocusReason);
    QTimer::singleShot(0, Tex_Descripcion, [this] {
        Tex_Descripcion->deselect();
        Tex_Descripcion->end(false);
    });
}

void PantallaReducir::CreaLisErrores(QListWidget* lista, BotonImagen* boton, int valor) {
    const int multiples = clics_.Estadisticas().MultiplesAReducir;
    ContenidoLista contenido;
    contenido.Geometria =
        QRect(boton->x() + (boton->width() - AnchoListaErrores) / 2, boton->y() + AltoBoton + 2,
              AnchoListaErrores, AltoListaErrores(multiples));
    contenido.Entradas = EntradasListaErrores(multiples);
    contenido.Seleccion = std::clamp(valor, 0, multiples);
    GuardaModoEdicion edicion(estado_);
    LlenaLista(lista, contenido);
}

void PantallaReducir::TrasCambio() {
    const EstadisticasReduccion& est = clics_.Estadisticas();
    if (estado_.Red.Metodo == MetodoColumnaProbable) {
        // Las listas ofrecen 0..M; los botones muestran el valor, que puede haber bajado.
        if (Lis_MinErrores->count() != est.MultiplesAReducir + 1 ||
            Lis_MinErrores->currentRow() != estado_.Red.MinErrores)
            CreaLisErrores(Lis_MinErrores, Pic_BotMinErr, estado_.Red.MinErrores);
        if (Lis_MaxErrores->count() != est.MultiplesAReducir + 1 ||
            Lis_MaxErrores->currentRow() != estado_.Red.MaxErrores)
            CreaLisErrores(Lis_MaxErrores, Pic_BotMaxErr, estado_.Red.MaxErrores);
        for (ListaDesplegable* d : {desplegableMinErr_, desplegableMaxErr_})
            if (!d->RotuloAlDia())
                d->Redibuja();
    }
    for (QWidget* w : {static_cast<QWidget*>(Pic_Base), static_cast<QWidget*>(Pic_Elegir),
                       static_cast<QWidget*>(Pic_ColBas), static_cast<QWidget*>(Pic_Signos),
                       static_cast<QWidget*>(Pic_Esta)})
        w->update();
    Pic_Valor->RecalculaBase();
}

void PantallaReducir::AbreProbabilidades() {
    desplegables_.CierraTodas();
    PantallaProbabilidades dialogo(estado_, estado_.Datos.JornadaActual, estado_.RegistroJornada,
                                   this);
    dialogo.exec();
    if (!dialogo.Guardado())
        return;
    Pic_Valor->LeeDatos();
    Pic_Valor->RecalculaBase();
}

CursorRejilla PantallaReducir::CursorEn(CajaRejilla* caja, QPoint punto) const {
    const QuinielaBase& base = estado_.Red.Base;
    switch (caja->TipoCaja()) {
    case CajaRejilla::Tipo::Base:
        return CursorSobreBase(base, QueBaseHaPulsado(punto.x(), punto.y()));
    case CajaRejilla::Tipo::ColBas:
        return CursorSobreProbable(base, QueProbableHaPulsado(punto.x(), punto.y()));
    case CajaRejilla::Tipo::Elegir:
        return CursorSobreElegida(base, QueElegidaHaPulsado(base, punto.x(), punto.y()));
    case CajaRejilla::Tipo::Signos:
        return CursorSobreSignos(clics_.Estadisticas(), QueSignoUEDHaPulsado(punto.x(), punto.y()));
    }
    return CursorRejilla::Normal;
}

void PantallaReducir::PonCursorCaja(CajaRejilla* caja, CursorRejilla cursor) {
    CursorRejilla& actual = cursorCaja_[static_cast<std::size_t>(caja->TipoCaja())];
    // Solo cuando cambia lo que hay bajo el puntero.
    if (cursor == actual)
        return;
    actual = cursor;
    if (cursor == CursorRejilla::Prohibido) {
        caja->setCursor(Qt::ForbiddenCursor);
        return;
    }
    caja->unsetCursor();
    PonCursor(caja, NombreCursor(cursor));
}

void PantallaReducir::MueveSobreCaja(CajaRejilla* caja, QPoint punto) {
    if (reduciendo_)
        return;
    switch (caja->TipoCaja()) {
    case CajaRejilla::Tipo::Signos: {
        const CeldaRejilla c = QueSignoUEDHaPulsado(punto.x(), punto.y());
        estado_.PuntoCursor = c ? QPoint(c.Fila, c.Columna) : QPoint();
        break;
    }
    case CajaRejilla::Tipo::Elegir: {
        const int m = QueElegidaHaPulsado(estado_.Red.Base, punto.x(), punto.y());
        estado_.PuntoCursor = m != 0 ? QPoint(m, 1) : QPoint();
        break;
    }
    default: {
        const CeldaRejilla c = QueBaseHaPulsado(punto.x(), punto.y());
        estado_.PuntoCursor = c ? QPoint(c.Fila, c.Columna) : QPoint();
        break;
    }
    }
    PonCursorCaja(caja, CursorEn(caja, punto));
}

void PantallaReducir::SaleDeCaja(CajaRejilla* caja) {
    estado_.PuntoCursor = QPoint();
    PonCursorCaja(caja, CursorRejilla::Normal);
}

// Lo que hace la lógica con la pulsación en la celda del punto; true si algo cambia.
bool PantallaReducir::CambiaCelda(CajaRejilla* caja, QPoint punto) {
    switch (caja->TipoCaja()) {
    case CajaRejilla::Tipo::Base: {
        const CeldaRejilla c = QueBaseHaPulsado(punto.x(), punto.y());
        return c && clics_.PulsaBase(c.Fila, c.Columna);
    }
    case CajaRejilla::Tipo::Elegir: {
        const int m = QueElegidaHaPulsado(estado_.Red.Base, punto.x(), punto.y());
        return m != 0 && clics_.PulsaElegida(m);
    }
    case CajaRejilla::Tipo::ColBas: {
        const CeldaRejilla c = QueProbableHaPulsado(punto.x(), punto.y());
        return c && clics_.PulsaProbable(c.Fila, c.Columna);
    }
    case CajaRejilla::Tipo::Signos: {
        const CeldaRejilla c = QueSignoUEDHaPulsado(punto.x(), punto.y());
        return c && clics_.PulsaSignoUED(c.Columna, c.Fila);
    }
    }
    return false;
}

void PantallaReducir::PulsaCaja(CajaRejilla* caja, QPoint punto) {
    if (reduciendo_)
        return;
    desplegables_.CierraTodas();
    if (!CambiaCelda(caja, punto))
        return;
    TocaSonido(estado_, 1);
    TrasCambio();
    // La celda ha cambiado bajo el puntero: lápiz y goma se intercambian sin mover el ratón.
    PonCursorCaja(caja, CursorEn(caja, punto));
}

void PantallaReducir::PulsaBotonTodo(BotonImagen* boton, bool selecciona) {
    if (reduciendo_)
        return;
    desplegables_.CierraTodas();
    TocaSonido(estado_, 6);
    DibujaBoton(boton, AnchoTodo, boton->Rotulo(), true);
    if (selecciona)
        clics_.SeleccionaTodo();
    else
        clics_.BorraTodo();
    TrasCambio();
    Espera(100);
    DibujaBoton(boton, AnchoTodo, boton->Rotulo(), false);
}

void PantallaReducir::CierraParaReabrir() {
    // La petición de reabrir ya está puesta: el menú vuelve a abrir la pantalla.
    QDialog::accept();
}

void PantallaReducir::AbreIndice() {
    if (reduciendo_)
        return;
    desplegables_.CierraTodas();
    TocaSonido(estado_, 6);
    DibujaBoton(Pic_Indice, AnchoCortoRejilla, Pic_Indice->Rotulo(), true);
    const bool elegida = AbreHistorico(estado_, this);
    DibujaBoton(Pic_Indice, AnchoCortoRejilla, Pic_Indice->Rotulo(), false);
    if (!elegida)
        return;
    clics_.ReduccionDelIndice();
    CierraParaReabrir();
}

void PantallaReducir::Sal() {
    if (saliendo_ || reduciendo_)
        return;
    saliendo_ = true;
    desplegables_.CierraTodas();
    TocaSonido(estado_, 5);
    if (const auto fallo = clics_.Sal())
        MuestraMensaje(fallo->Titulo, fallo->Texto);
    QDialog::reject();
}

void PantallaReducir::reject() {
    if (reduciendo_) {
        // Escape durante la reducción cancela; en el panel terminado, sale de él.
        if (esperandoSalida_ && saleDelPanel_)
            saleDelPanel_();
        else
            cancelado_ = true;
        return;
    }
    if (!desplegables_.CierraAbierta())
        Sal();
}

void PantallaReducir::closeEvent(QCloseEvent* evento) {
    if (reduciendo_) {
        evento->ignore();
        return;
    }
    QDialog::closeEvent(evento);
}

void PantallaReducir::paintEvent(QPaintEvent*) {
    QPainter p(this);
    PintaFondoPanel(p, rect());
    // Paneles hundidos detrás de los partidos con sus rejillas y de la parte de abajo.
    PintaPanelHundido(p, QRect(XPartidos - 6, PosBase.y() - 36,
                               AreaEstadisticas.left() - XPartidos - 4, AltoCajaBase + 42));
    PintaPanelHundido(
        p, QRect(XPartidos - 6, YTodo - 6, AnchoVentana - 2 * XPartidos + 12, AltoBoton + 12));
    PintaPantallaComun(p, estado_, *this);
}

} // namespace quiniela
