#include "reduction/pantalla_reducir.h"

#include "consult/pantalla_historic.h"
#include "core/estado_global.h"
#include "core/listas.h"
#include "matchdays/fichero_jornadas.h"
#include "platform/plataforma.h"
#include "platform/qt/boton_imagen.h"
#include "platform/qt/estilo.h"
#include "reduction/motor_reduccion.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QTimer>

#include <algorithm>
#include <limits>

namespace quiniela {

namespace {

constexpr int AnchoVentana = 720;
constexpr int AltoVentana = 442;

// Fila de arriba: jornada, orden y método; a la derecha, debajo, los errores.
constexpr int YArriba = 12;
const QPoint PosJornada(15, YArriba);
constexpr int AnchoJornada = 90;
const QPoint PosOrden(119, YArriba);
constexpr int AnchoOrden = 80;
const QPoint PosMetodo(475, YArriba);
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
constexpr int AnchoReducir = 150;
constexpr int AnchoCorto = 80;

// Panel de progreso: 320 × 225 en el centro, con sus dos franjas.
constexpr int AnchoPanel = 320;
constexpr int AltoPanel = 225;
const QRect FranjaTamanos(12, 60, AnchoPanel - 24, 30);
const QRect FranjaProgreso(12, 100, AnchoPanel - 24, 30);
constexpr int AnchoCancelar = 170;
constexpr int YBotonPanel = 168;

// Estadísticas: rótulo, guía hasta x = 100, dos puntos y valor desde x = 111.
constexpr int XGuia = 100;
constexpr int XValor = 111;
constexpr int AltoLineaEsta = 16;
constexpr int HuecoGrupos = 10;

// Combinaciones entre dos miradas al reloj durante la reducción: se ajusta sola para mirarlo
// cada uno o pocos milisegundos, sea cual sea la velocidad de la máquina y del método.
constexpr int32_t ZancadaInicial = 4096;
constexpr int32_t ZancadaMinima = 64;
constexpr int32_t ZancadaMaxima = 1 << 22;
constexpr qint64 NanosegundosZancadaCorta = 1'000'000;
constexpr qint64 NanosegundosZancadaLarga = 8'000'000;

QString EstiloPantalla() {
    return EstiloEditor() +
           QStringLiteral("QListWidget { font-size: 11px; border: 1px solid #003010; }"
                          "QListWidget::item { padding: 0; margin: 0; }"
                          "QListWidget::item:selected { background: #286e46; color: #ffff00; }"
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

// Aviso de progreso de la pantalla: dice al desarrollo en qué paso volver a llamarlo (otro
// porcentaje o mirar el reloj), así que no cuesta nada en las demás combinaciones.
struct AvisoPantallaReducir {
    PantallaReducir* pantalla;
    RespuestaAviso operator()(int32_t paso, int32_t pasos) {
        return pantalla->AtiendeProgreso(paso, pasos);
    }
};

PanelEstadisticas::PanelEstadisticas(PantallaReducir* pantalla)
    : QWidget(pantalla), pantalla_(pantalla) {
    setObjectName(QStringLiteral("Pic_Esta"));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

std::vector<LineaEstadistica> PanelEstadisticas::Lineas() const {
    const EstadoGlobal& estado = pantalla_->Estado();
    return LineasPanelEstadisticas(pantalla_->Clics().Estadisticas(), estado.Red.Metodo,
                                   estado.Datos.PrecioApuestaValor, QLocale());
}

void PanelEstadisticas::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), VerdePanel);
    p.fillRect(QRect(0, 0, width(), 2), VerdeOscuro);
    p.fillRect(QRect(0, 0, 2, height()), VerdeOscuro);
    const QFont rotulos = LetraPrograma(11);
    const QFont valores = LetraPrograma(11, true);
    const QFontMetrics medidas(rotulos);
    int y = 10;
    int grupo = 1;
    for (const LineaEstadistica& linea : Lineas()) {
        if (linea.grupo != grupo) {
            y += HuecoGrupos;
            grupo = linea.grupo;
            p.setPen(QPen(QColor(70, 160, 100), 1));
            p.drawLine(8, y - HuecoGrupos / 2 - 1, width() - 8, y - HuecoGrupos / 2 - 1);
        }
        const QRect fila(8, y, width() - 16, AltoLineaEsta);
        p.setFont(rotulos);
        p.setPen(Qt::white);
        p.drawText(fila, Qt::AlignLeft | Qt::AlignVCenter, linea.rotulo);
        // Línea de guía de puntos desde el final del rótulo hasta x = 100.
        const int desde = fila.left() + medidas.horizontalAdvance(linea.rotulo) + 3;
        const int base = fila.top() + (AltoLineaEsta + medidas.ascent()) / 2 - 1;
        p.setPen(QPen(QColor(200, 230, 205), 1, Qt::DotLine));
        if (desde < XGuia - 1)
            p.drawLine(desde, base, XGuia - 1, base);
        p.setPen(Qt::white);
        p.drawText(QRect(XGuia + 1, y, 8, AltoLineaEsta), Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral(":"));
        p.setFont(valores);
        p.setPen(AmarilloTexto);
        p.drawText(QRect(XValor, y, width() - XValor - 4, AltoLineaEsta),
                   Qt::AlignLeft | Qt::AlignVCenter, linea.valor);
        y += AltoLineaEsta;
    }
}

PanelProgreso::PanelProgreso(QWidget* padre) : QWidget(padre) {
    setObjectName(QStringLiteral("Pic_Porcen"));
    setFixedSize(AnchoPanel, AltoPanel);
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

PantallaReducir::PantallaReducir(EstadoGlobal& estado, QWidget* padre)
    : QDialog(padre), estado_(estado), clics_(estado) {
    setObjectName(QStringLiteral("reducir"));
    setFixedSize(AnchoVentana, AltoVentana);
    setStyleSheet(EstiloPantalla());

    // Apertura: jornada, reducción guardada o base por defecto, método recordado.
    clics_.Abre();
    const int metodo = estado_.Red.Metodo;
    setWindowTitle(TituloReducir(metodo));

    const auto creaBoton = [this](const QString& nombre, QPoint posicion, QWidget* padreBoton) {
        auto* boton = new BotonImagen(padreBoton != nullptr ? padreBoton : this);
        boton->setObjectName(nombre);
        boton->move(posicion);
        PonCursor(boton, QStringLiteral("ManoIndice"));
        return boton;
    };
    const auto creaLista = [this](const QString& nombre) {
        auto* lista = new QListWidget(this);
        lista->setObjectName(nombre);
        lista->hide();
        lista->installEventFilter(this);
        return lista;
    };

    // Las rejillas primero: las listas desplegadas y el panel quedan encima.
    Pic_Base = new CajaRejilla(CajaRejilla::Tipo::Base, estado_, this);
    Pic_Base->move(PosBase);
    Pic_Elegir = new CajaRejilla(CajaRejilla::Tipo::Elegir, estado_, this);
    Pic_Elegir->move(PosBase + QPoint(68, 0));
    Pic_ColBas = new CajaRejilla(CajaRejilla::Tipo::ColBas, estado_, this);
    Pic_ColBas->move(PosBase + QPoint(106, 0));
    Pic_Signos = new CajaRejilla(CajaRejilla::Tipo::Signos, estado_, this);
    Pic_Signos->move(PosSignos);
    Pic_Base->setAccessibleName(QStringLiteral("Quiniela base"));
    Pic_Elegir->setAccessibleName(QStringLiteral("Partidos reducidos"));
    Pic_ColBas->setAccessibleName(QStringLiteral("Columna probable"));
    Pic_Signos->setAccessibleName(QStringLiteral("Totales de signos"));
    for (CajaRejilla* caja : {Pic_Base, Pic_Elegir, Pic_ColBas, Pic_Signos}) {
        connect(caja, &CajaRejilla::pulsada, this,
                [this, caja](QPoint punto) { PulsaCaja(caja, punto); });
        connect(caja, &CajaRejilla::movida, this,
                [this, caja](QPoint punto) { MueveSobreCaja(caja, punto); });
        connect(caja, &CajaRejilla::abandonada, this, [this, caja] { SaleDeCaja(caja); });
    }

    Pic_Esta = new PanelEstadisticas(this);
    Pic_Esta->setGeometry(AreaEstadisticas);

    Pic_BotNroJor = creaBoton(QStringLiteral("Pic_BotNroJor"), PosJornada, nullptr);
    Pic_BotOrden = creaBoton(QStringLiteral("Pic_BotOrden"), PosOrden, nullptr);
    Pic_BotMetodo = creaBoton(QStringLiteral("Pic_BotMetodo"), PosMetodo, nullptr);
    Pic_BotMinErr = creaBoton(QStringLiteral("Pic_BotMinErr"), PosMinErr, nullptr);
    Pic_BotMaxErr = creaBoton(QStringLiteral("Pic_BotMaxErr"), PosMaxErr, nullptr);
    Pic_BotSelTodo = creaBoton(QStringLiteral("Pic_BotSelTodo"), QPoint(XPartidos, YTodo), nullptr);
    Pic_BotBorTodo = creaBoton(QStringLiteral("Pic_BotBorTodo"),
                               QPoint(XPartidos + AnchoTodo + 10, YTodo), nullptr);
    Pic_BotReducir =
        creaBoton(QStringLiteral("Pic_BotReducir"), QPoint(XPartidos, YAbajo), nullptr);
    Pic_BotReducir->Dibuja(AnchoReducir, QStringLiteral("Reducir apuestas"), false);
    Pic_Salir = creaBoton(QStringLiteral("Pic_Salir"),
                          QPoint(AnchoVentana - 15 - AnchoCorto, YAbajo), nullptr);
    Pic_Salir->Dibuja(AnchoCorto, QStringLiteral("Salir"), false);
    Pic_Ayuda = creaBoton(QStringLiteral("Pic_Ayuda"),
                          QPoint(Pic_Salir->x() - 8 - AnchoCorto, YAbajo), nullptr);
    Pic_Ayuda->Dibuja(AnchoCorto, QStringLiteral("Ayuda"), false);
    Pic_Indice = creaBoton(QStringLiteral("Pic_Indice"),
                           QPoint(Pic_Ayuda->x() - 8 - AnchoCorto, YAbajo), nullptr);
    Pic_Indice->Dibuja(AnchoCorto, QStringLiteral("Índice"), false);

    Tex_Descripcion = new QLineEdit(this);
    Tex_Descripcion->setObjectName(QStringLiteral("Tex_Descripcion"));
    Tex_Descripcion->setAccessibleName(QStringLiteral("Descripción"));
    Tex_Descripcion->setGeometry(AreaDescripcion);
    Tex_Descripcion->setMaxLength(LongitudDescripcion);
    Tex_Descripcion->setText(estado_.Red.Descripcion);
    connect(Tex_Descripcion, &QLineEdit::textChanged, this,
            [this](const QString& texto) { clics_.CambiaDescripcion(texto); });

    Lis_Jornadas = creaLista(QStringLiteral("Lis_Jornadas"));
    Lis_Orden = creaLista(QStringLiteral("Lis_Orden"));
    Lis_Metodos = creaLista(QStringLiteral("Lis_Metodos"));
    Lis_MinErrores = creaLista(QStringLiteral("Lis_MinErrores"));
    Lis_MaxErrores = creaLista(QStringLiteral("Lis_MaxErrores"));

    // El panel de progreso, oculto hasta la reducción.
    Pic_Porcen = new PanelProgreso(this);
    Pic_Porcen->move((AnchoVentana - AnchoPanel) / 2, (AltoVentana - AltoPanel) / 2);
    Pic_BotCancelar = creaBoton(QStringLiteral("Pic_BotCancelar"),
                                QPoint((AnchoPanel - AnchoCancelar) / 2, YBotonPanel), Pic_Porcen);
    Pic_BotCancelar->Dibuja(AnchoCancelar, QStringLiteral("Cancelar el proceso"), false);
    Pic_SalirPorcen = creaBoton(QStringLiteral("Pic_SalirPorcen"),
                                QPoint((AnchoPanel - AnchoCorto) / 2, YBotonPanel), Pic_Porcen);
    Pic_SalirPorcen->Dibuja(AnchoCorto, QStringLiteral("Salir"), false);
    Pic_SalirPorcen->hide();
    Pic_Porcen->hide();

    controles_.pantalla = this;
    controles_.Pic_BotNroJor = Pic_BotNroJor;
    controles_.anchoBotonJornada = AnchoJornada;
    controles_.Pic_BotOrden = Pic_BotOrden;
    controles_.anchoBotonOrden = AnchoOrden;
    controles_.Pic_Base = Pic_Base;
    controles_.Pic_Elegir = Pic_Elegir;
    controles_.Pic_ColBas = Pic_ColBas;
    controles_.Pic_Signos = Pic_Signos;
    controles_.Pic_BotSelTodo = Pic_BotSelTodo;
    controles_.Pic_BotBorTodo = Pic_BotBorTodo;
    controles_.anchoBotonesTodo = AnchoTodo;
    controles_.Pic_BotMinErr = Pic_BotMinErr;
    controles_.Tex_Descripcion = Tex_Descripcion;
    controles_.Lis_Jornadas = Lis_Jornadas;
    controles_.Lis_Orden = Lis_Orden;
    controles_.xPartidos = XPartidos;

    // Los botones con lista: qué muestran y qué hace la elección.
    desplegables_[0] = {Pic_BotNroJor, Lis_Jornadas, AnchoJornada,
                        [this] { return TituloBotonJornada(estado_.Datos.JornadaActual); },
                        [this](int fila) {
                            if (clics_.EligeJornada(fila + 1))
                                CierraParaReabrir();
                        }};
    desplegables_[1] = {Pic_BotOrden, Lis_Orden, AnchoOrden,
                        [this] { return RotuloOrden(estado_.Datos.OrdenActual); },
                        [this](int fila) {
                            if (clics_.EligeOrden(fila + 1))
                                CierraParaReabrir();
                        }};
    desplegables_[2] = {Pic_BotMetodo, Lis_Metodos, AnchoMetodo,
                        [this] { return NombresMetodo()[estado_.Red.Metodo].trimmed(); },
                        [this](int fila) {
                            if (clics_.EligeMetodo(fila + 1))
                                CierraParaReabrir();
                        }};
    desplegables_[3] = {Pic_BotMinErr, Lis_MinErrores, AnchoErrores,
                        [this] { return RotuloMinErrores(estado_.Red.MinErrores); },
                        [this](int fila) {
                            clics_.EligeMinErrores(fila);
                            TrasCambio();
                        }};
    desplegables_[4] = {Pic_BotMaxErr, Lis_MaxErrores, AnchoErrores,
                        [this] { return RotuloMaxErrores(estado_.Red.MaxErrores); },
                        [this](int fila) {
                            clics_.EligeMaxErrores(fila);
                            TrasCambio();
                        }};
    for (Desplegable& d : desplegables_)
        PreparaDesplegable(d);

    // Listas rellenas por el programa: sin sonidos ni elecciones.
    estado_.ModoEdicion = true;
    LlenaLista(Lis_Jornadas, CargaLisJornadas(estado_, false));
    LlenaLista(Lis_Orden, CargaLisOrden(estado_));
    ContenidoLista metodos;
    metodos.geometria =
        QRect(PosMetodo.x(), PosMetodo.y() + AltoBoton + 2, AnchoMetodo, NumMetodos * 16 + 2);
    for (int m = 1; m <= NumMetodos; ++m)
        metodos.entradas << NombresMetodoCortos()[m].trimmed();
    metodos.seleccion = metodo - 1;
    LlenaLista(Lis_Metodos, metodos);
    estado_.ModoEdicion = false;
    Lis_Metodos->setGridSize(QSize(AnchoMetodo - 2, 16));

    const bool probable = metodo == MetodoColumnaProbable;
    Pic_BotMinErr->setVisible(probable);
    Pic_BotMaxErr->setVisible(probable);
    for (Desplegable& d : desplegables_)
        d.boton->Dibuja(d.ancho, d.rotulo(), false);
    if (probable) {
        CreaLisErrores(Lis_MinErrores, Pic_BotMinErr, estado_.Red.MinErrores);
        CreaLisErrores(Lis_MaxErrores, Pic_BotMaxErr, estado_.Red.MaxErrores);
    }
    DibujaPantallaComun(estado_, controles_);

    connect(Pic_BotSelTodo, &BotonImagen::pulsado, this,
            [this] { PulsaBotonTodo(Pic_BotSelTodo, true); });
    connect(Pic_BotBorTodo, &BotonImagen::pulsado, this,
            [this] { PulsaBotonTodo(Pic_BotBorTodo, false); });
    connect(Pic_BotReducir, &BotonImagen::pulsado, this, &PantallaReducir::Reduce);
    connect(Pic_Salir, &BotonImagen::pulsado, this, &PantallaReducir::Sal);
    connect(Pic_Indice, &BotonImagen::pulsado, this, &PantallaReducir::AbreIndice);
    connect(Pic_Ayuda, &BotonImagen::pulsado, this, [this] {
        CierraDesplegables();
        TocaSonido(estado_, 9);
        AbreAyuda(TemaAyuda(estado_.Red.Metodo));
    });
    connect(Pic_BotCancelar, &BotonImagen::pulsado, this, [this] {
        if (reduciendo_ && !esperandoSalida_)
            cancelado_ = true;
    });
    connect(Pic_SalirPorcen, &BotonImagen::pulsado, this, [this] {
        if (esperandoSalida_ && saleDelPanel_)
            saleDelPanel_();
    });

    QWidget* anterior = Pic_BotNroJor;
    for (QWidget* w : {static_cast<QWidget*>(Pic_BotOrden), static_cast<QWidget*>(Pic_BotMetodo),
                       static_cast<QWidget*>(Pic_BotMinErr), static_cast<QWidget*>(Pic_BotMaxErr),
                       static_cast<QWidget*>(Pic_BotSelTodo), static_cast<QWidget*>(Pic_BotBorTodo),
                       static_cast<QWidget*>(Tex_Descripcion),
                       static_cast<QWidget*>(Pic_BotReducir), static_cast<QWidget*>(Pic_Indice),
                       static_cast<QWidget*>(Pic_Ayuda), static_cast<QWidget*>(Pic_Salir)}) {
        setTabOrder(anterior, w);
        anterior = w;
    }
    CentraEnPantalla(this);
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

void PantallaReducir::PreparaDesplegable(Desplegable& d) {
    connect(d.boton, &BotonImagen::pulsado, this, [this, &d] { PulsaDesplegable(d); });
    connect(d.lista, &QListWidget::itemClicked, this, [this, &d] {
        if (d.abierta)
            CierraDesplegable(d, true);
    });
    connect(d.lista, &QListWidget::itemActivated, this, [this, &d] {
        if (d.abierta)
            CierraDesplegable(d, true);
    });
}

void PantallaReducir::PulsaDesplegable(Desplegable& d) {
    if (d.abierta)
        CierraDesplegable(d, true);
    else
        AbreDesplegable(d);
}

void PantallaReducir::AbreDesplegable(Desplegable& d) {
    if (estado_.ModoEdicion || reduciendo_)
        return;
    CierraDesplegables();
    TocaSonido(estado_, 6);
    DibujaBoton(d.boton, d.ancho, d.rotulo(), true);
    d.abierta = true;
    d.lista->raise();
    d.lista->show();
    d.lista->setFocus();
    if (QListWidgetItem* item = d.lista->currentItem())
        d.lista->scrollToItem(item);
}

void PantallaReducir::CierraDesplegable(Desplegable& d, bool aplica) {
    d.abierta = false;
    // El foco vuelve al botón de la lista, no al siguiente control.
    if (d.lista->hasFocus())
        d.boton->setFocus(Qt::OtherFocusReason);
    d.lista->hide();
    if (!estado_.ModoEdicion)
        TocaSonido(estado_, 7);
    DibujaBoton(d.boton, d.ancho, d.rotulo(), false);
    if (aplica && d.lista->currentRow() >= 0)
        d.elige(d.lista->currentRow());
}

void PantallaReducir::CierraDesplegables() {
    for (Desplegable& d : desplegables_)
        if (d.abierta)
            CierraDesplegable(d, false);
}

void PantallaReducir::CreaLisErrores(QListWidget* lista, BotonImagen* boton, int valor) {
    const int multiples = clics_.Estadisticas().MultiplesAReducir;
    ContenidoLista contenido;
    contenido.geometria =
        QRect(boton->x() + (boton->width() - AnchoListaErrores) / 2, boton->y() + AltoBoton + 2,
              AnchoListaErrores, AltoListaErrores(multiples));
    contenido.entradas = EntradasListaErrores(multiples);
    contenido.seleccion = std::clamp(valor, 0, multiples);
    const bool modo = estado_.ModoEdicion;
    estado_.ModoEdicion = true;
    LlenaLista(lista, contenido);
    estado_.ModoEdicion = modo;
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
        for (Desplegable* d : {&desplegables_[3], &desplegables_[4]})
            if (d->boton->Rotulo() != d->rotulo())
                d->boton->Dibuja(d->ancho, d->rotulo(), d->abierta);
    }
    for (QWidget* w : {static_cast<QWidget*>(Pic_Base), static_cast<QWidget*>(Pic_Elegir),
                       static_cast<QWidget*>(Pic_ColBas), static_cast<QWidget*>(Pic_Signos),
                       static_cast<QWidget*>(Pic_Esta)})
        w->update();
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
        estado_.PuntoCursor = c ? QPoint(c.fila, c.columna) : QPoint();
        break;
    }
    case CajaRejilla::Tipo::Elegir: {
        const int m = QueElegidaHaPulsado(estado_.Red.Base, punto.x(), punto.y());
        estado_.PuntoCursor = m != 0 ? QPoint(m, 1) : QPoint();
        break;
    }
    default: {
        const CeldaRejilla c = QueBaseHaPulsado(punto.x(), punto.y());
        estado_.PuntoCursor = c ? QPoint(c.fila, c.columna) : QPoint();
        break;
    }
    }
    PonCursorCaja(caja, CursorEn(caja, punto));
}

void PantallaReducir::SaleDeCaja(CajaRejilla* caja) {
    estado_.PuntoCursor = QPoint();
    PonCursorCaja(caja, CursorRejilla::Normal);
}

void PantallaReducir::PulsaCaja(CajaRejilla* caja, QPoint punto) {
    if (reduciendo_)
        return;
    CierraDesplegables();
    bool cambio = false;
    switch (caja->TipoCaja()) {
    case CajaRejilla::Tipo::Base: {
        const CeldaRejilla c = QueBaseHaPulsado(punto.x(), punto.y());
        cambio = c && clics_.PulsaBase(c.fila, c.columna);
        break;
    }
    case CajaRejilla::Tipo::Elegir: {
        const int m = QueElegidaHaPulsado(estado_.Red.Base, punto.x(), punto.y());
        cambio = m != 0 && clics_.PulsaElegida(m);
        break;
    }
    case CajaRejilla::Tipo::ColBas: {
        const CeldaRejilla c = QueProbableHaPulsado(punto.x(), punto.y());
        cambio = c && clics_.PulsaProbable(c.fila, c.columna);
        break;
    }
    case CajaRejilla::Tipo::Signos: {
        const CeldaRejilla c = QueSignoUEDHaPulsado(punto.x(), punto.y());
        cambio = c && clics_.PulsaSignoUED(c.columna, c.fila);
        break;
    }
    }
    if (!cambio)
        return;
    TocaSonido(estado_, 1);
    TrasCambio();
    // La celda ha cambiado bajo el puntero: lápiz y goma se intercambian sin mover el ratón.
    PonCursorCaja(caja, CursorEn(caja, punto));
}

void PantallaReducir::PulsaBotonTodo(BotonImagen* boton, bool selecciona) {
    if (reduciendo_)
        return;
    CierraDesplegables();
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
    CierraDesplegables();
    TocaSonido(estado_, 6);
    DibujaBoton(Pic_Indice, AnchoCorto, Pic_Indice->Rotulo(), true);
    const bool elegida = AbreHistorico(estado_, this);
    DibujaBoton(Pic_Indice, AnchoCorto, Pic_Indice->Rotulo(), false);
    if (!elegida)
        return;
    clics_.ReduccionDelIndice();
    CierraParaReabrir();
}

void PantallaReducir::ActivaControles(bool activos) {
    // Fuera del panel no se atiende el ratón ni el teclado. Un filtro en vez de desactivar los
    // controles: desactivarlos obligaría a repintar la pantalla entera al empezar.
    if (activos)
        qApp->removeEventFilter(this);
    else
        qApp->installEventFilter(this);
}

void PantallaReducir::Reduce() {
    if (reduciendo_)
        return;
    CierraDesplegables();
    TocaSonido(estado_, 6);
    DibujaBoton(Pic_BotReducir, AnchoReducir, Pic_BotReducir->Rotulo(), true);
    reduciendo_ = true;
    panelVisible_ = false;
    ActivaControles(false);

    OpcionesReduccion opciones;
    opciones.alEmpezar = [this](int32_t total, int32_t aceptadas) {
        MuestraPanel(total, aceptadas);
    };
    opciones.aviso = AvisoPantallaReducir{this};
    const ResultadoReduccion resultado = EjecutaReduccion(estado_, opciones);

    switch (resultado.fin) {
    case FinReduccion::Rechazada:
        MuestraMensaje(resultado.mensaje->titulo, resultado.mensaje->texto);
        break;
    case FinReduccion::NoReemplazada:
        break; // la pregunta ya se hizo y el usuario conserva la guardada
    case FinReduccion::Terminada:
        Pic_Porcen->PonProgreso(TextoReduccionTerminada(), 100);
        break;
    case FinReduccion::Cancelada:
        Pic_Porcen->PonProgreso(TextoReduccionCancelada(), -1);
        break;
    case FinReduccion::Fallida:
        if (panelVisible_)
            Pic_Porcen->PonProgreso(TextoReduccionCancelada(), -1);
        unsetCursor();
        MuestraMensaje(resultado.mensaje->titulo, resultado.mensaje->texto);
        break;
    }

    if (panelVisible_) {
        Pic_BotCancelar->hide();
        Pic_SalirPorcen->show();
        cancelado_ = false;
        unsetCursor();
        EsperaSalidaPanel();
        Pic_Porcen->hide();
        panelVisible_ = false;
    }
    reduciendo_ = false;
    ActivaControles(true);
    DibujaBoton(Pic_BotReducir, AnchoReducir, Pic_BotReducir->Rotulo(), false);
    // La reducción limpia los parámetros que su método no usa: se vuelve a contar.
    clics_.Recalcula();
    TrasCambio();
}

void PantallaReducir::MuestraPanel(int32_t total, int32_t aceptadas) {
    setCursor(Qt::BusyCursor);
    cancelado_ = false;
    ultimoPorcentaje_ = -1;
    Pic_Porcen->PonTamanos(TextoTamanosReduccion(total, aceptadas));
    Pic_Porcen->PonProgreso(QString(), -1);
    Pic_BotCancelar->show();
    Pic_SalirPorcen->hide();
    Pic_Porcen->raise();
    Pic_Porcen->show();
    panelVisible_ = true;
    Pic_Porcen->repaint();
    reloj_.start();
    ultimoBombeo_ = std::numeric_limits<qint64>::min() / 2; // el primer paso atiende eventos
    ultimaLlamada_ = 0;
    zancada_ = ZancadaInicial;
}

RespuestaAviso PantallaReducir::AtiendeProgreso(int32_t paso, int32_t pasos) {
    const int porcentaje = PorcentajeReduccion(paso, pasos);
    if (porcentaje != ultimoPorcentaje_) {
        ultimoPorcentaje_ = porcentaje;
        Pic_Porcen->PonProgreso(TextoPorcentajeReduccion(porcentaje), porcentaje);
    }
    // La zancada se alarga si el reloj se mira demasiado a menudo y se acorta si tarda.
    const qint64 ahora = reloj_.nsecsElapsed();
    const qint64 transcurrido = ahora - ultimaLlamada_;
    ultimaLlamada_ = ahora;
    if (transcurrido < NanosegundosZancadaCorta)
        zancada_ = std::min(zancada_ * 2, ZancadaMaxima);
    else if (transcurrido > NanosegundosZancadaLarga)
        zancada_ = std::max(zancada_ / 2, ZancadaMinima);
    // Los eventos (pintar, el botón de cancelar) se atienden cada pocos milisegundos, no en
    // cada combinación: así la reducción va casi tan deprisa como en la línea de órdenes.
    if (ahora - ultimoBombeo_ >= qint64(intervaloEventos_) * 1'000'000) {
        ProcesaEventos();
        ultimoBombeo_ = reloj_.nsecsElapsed();
    }
    const int64_t otroPorcentaje = (int64_t(porcentaje + 1) * pasos + 99) / 100;
    const int64_t siguiente = std::min<int64_t>(otroPorcentaje, int64_t(paso) + zancada_);
    return {cancelado_, static_cast<int32_t>(siguiente)};
}

void PantallaReducir::EsperaSalidaPanel() {
    // Sin espera activa: el bucle de eventos duerme hasta que se pulsa la salida del panel.
    QEventLoop bucle;
    saleDelPanel_ = [this, &bucle] {
        TocaSonido(estado_, 5);
        esperandoSalida_ = false;
        bucle.quit();
    };
    esperandoSalida_ = true;
    bucle.exec();
    esperandoSalida_ = false;
    saleDelPanel_ = nullptr;
}

void PantallaReducir::Sal() {
    if (saliendo_ || reduciendo_)
        return;
    saliendo_ = true;
    CierraDesplegables();
    TocaSonido(estado_, 5);
    if (const auto fallo = clics_.Sal())
        MuestraMensaje(fallo->titulo, fallo->texto);
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
    for (Desplegable& d : desplegables_)
        if (d.abierta) {
            CierraDesplegable(d, false);
            return;
        }
    Sal();
}

void PantallaReducir::closeEvent(QCloseEvent* evento) {
    if (reduciendo_) {
        evento->ignore();
        return;
    }
    QDialog::closeEvent(evento);
}

bool PantallaReducir::eventFilter(QObject* objeto, QEvent* evento) {
    if (reduciendo_) {
        switch (evento->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Wheel:
        case QEvent::ShortcutOverride: {
            auto* w = qobject_cast<QWidget*>(objeto);
            // Escape llega a la pantalla: cancela o sale del panel (reject).
            const bool escape = evento->type() == QEvent::KeyPress &&
                                static_cast<QKeyEvent*>(evento)->key() == Qt::Key_Escape;
            if (w != nullptr && w != this && isAncestorOf(w) && !Pic_Porcen->isAncestorOf(w) &&
                !escape)
                return true;
            break;
        }
        default:
            break;
        }
    }
    if (evento->type() == QEvent::FocusOut) {
        // Un clic en otro control pliega la lista sin elegir; no así el paso a otra ventana.
        const Qt::FocusReason razon = static_cast<QFocusEvent*>(evento)->reason();
        for (Desplegable& d : desplegables_)
            if (d.lista == objeto && d.abierta && razon != Qt::ActiveWindowFocusReason &&
                razon != Qt::PopupFocusReason)
                CierraDesplegable(d, false);
    }
    return QDialog::eventFilter(objeto, evento);
}

void PantallaReducir::paintEvent(QPaintEvent*) {
    QPainter p(this);
    PintaFondoPanel(p, rect());
    // Paneles hundidos detrás de los partidos con sus rejillas y de la parte de abajo.
    PintaPanelHundido(p, QRect(XPartidos - 6, PosBase.y() - 36,
                               AreaEstadisticas.left() - XPartidos - 4, AltoCajaBase + 42));
    PintaPanelHundido(
        p, QRect(XPartidos - 6, YTodo - 6, AnchoVentana - 2 * XPartidos + 12, AltoBoton + 12));
    PintaPantallaComun(p, estado_, controles_);
}

} // namespace quiniela
