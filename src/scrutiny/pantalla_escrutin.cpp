#include "scrutiny/pantalla_escrutin.h"

#include "consult/pantalla_historic.h"
#include "core/estado_global.h"
#include "core/listas.h"
#include "core/modo_edicion.h"
#include "matchdays/fichero_jornadas.h"
#include "platform/impresora.h"
#include "platform/plataforma.h"
#include "platform/qt/boton_imagen.h"
#include "platform/qt/estilo.h"
#include "platform/qt/impresora_sistema.h"
#include "scrutiny/informe_escrutinio.h"
#include "shell/lista_desplegable.h"
#include "shell/piezas_pantalla.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>

namespace quiniela {

namespace {

constexpr int AltoVentana = 698;
constexpr int YArriba = 12;
const QPoint PosJornada(15, YArriba);
constexpr int AnchoJornada = 90;
const QPoint PosOrden(119, YArriba);
constexpr int AnchoOrden = 80;
const QPoint PosIndice(213, YArriba);
constexpr int AnchoCorto = 80;

// Rejillas: la base y sus cajas como en la reducción; la ganadora y los premios a la
// derecha, tanto más cuanto más ancha es la ventana del método.
const QPoint PosBase(275, 86);
const QPoint PosSignos(387, 89);
constexpr int XPartidos = 15;
constexpr int GanadoraDesdeDerecha = 314;
constexpr int MargenDerecho = 15;
constexpr int YPremios = 56;
constexpr int AltoPremios = 210;
constexpr int FilaPremio = 29;
constexpr int YResumen = 284; // arriba de la franja del resumen

// Listas del resultado y botones de abajo.
constexpr int YListas = 406;
constexpr int AltoListas = 17 * 14 + 6; // total y 16 líneas de aciertos
constexpr int AnchoAciertos = 320;
constexpr int YAbajo = 662;
constexpr int AnchoEscrutar = 170;

QString EstiloPantalla() {
    return EstiloEditor() +
           QStringLiteral("QListWidget { font-size: 11px; border: 1px solid #003010; }"
                          "QListWidget::item { padding: 0; margin: 0; }"
                          "QListWidget::item:selected { background: #286e46; color: #ffff00; }"
                          // Ocho píxeles por carácter: las cifras caen bajo los encabezados.
                          "QListWidget#Lis_Aciertos, QListWidget#Lis_Boletos { background: "
                          "#fdfbf0; color: #18286e; font-family: 'Liberation Mono', "
                          "'Courier New', monospace; font-size: 13px; }"
                          "QListWidget#Lis_Aciertos::item, QListWidget#Lis_Boletos::item { "
                          "height: 14px; }"
                          "QScrollBar:vertical { width: 10px; }"
                          "QLabel { color: white; font-weight: bold; }"
                          "QLineEdit { border: 1px solid #003010; padding: 0 3px; }");
}

QListWidget* CreaLista(QWidget* padre, const QString& nombre) {
    auto* lista = new QListWidget(padre);
    lista->setObjectName(nombre);
    return lista;
}

} // namespace

CajaGanadora::CajaGanadora(const MarcasGanadora& marcas, QWidget* padre)
    : QWidget(padre), Marcas_(marcas) {
    setObjectName(QStringLiteral("Pic_Ganadora"));
    setAccessibleName(QStringLiteral("Columna ganadora"));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(AnchoCajaBase, AltoCajaBase);
}

void CajaGanadora::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Papel);
    p.setPen(VerdeOscuro);
    p.drawRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
    p.setFont(LetraPrograma(9, true));
    const QColor rojo(200, 44, 40);
    for (int m = 1; m <= NumPartidos; ++m)
        for (int s = 1; s <= NumSignosMax; ++s) {
            const QRect r = CeldaBase(m, s);
            if (Marcas_[m][s] == 1) {
                p.fillRect(r, VerdeOscuro);
                p.setPen(AmarilloTexto);
            } else {
                p.setPen(rojo);
                p.drawRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5));
                p.setPen(rojo.lighter(140));
            }
            p.drawText(r, Qt::AlignCenter, QString(CaracterSigno(s)));
        }
}

void CajaGanadora::mousePressEvent(QMouseEvent* evento) {
    if (evento->button() == Qt::LeftButton)
        Q_EMIT pulsada(evento->position());
}

void CajaGanadora::mouseMoveEvent(QMouseEvent* evento) {
    Q_EMIT movida(evento->position());
}

void CajaGanadora::leaveEvent(QEvent*) {
    Q_EMIT abandonada();
}

PantallaEscrutin::PantallaEscrutin(EstadoGlobal& estado, QWidget* padre)
    : QDialog(padre), Estado_(estado) {
    setObjectName(QStringLiteral("escrutin"));
    setStyleSheet(EstiloPantalla());
    setMouseTracking(true);
    CreaImpresora = [](const QString& nombre) {
        static VisorDocumentosQt visor;
        return CreaImpresoraSistema(nombre, visor);
    };
    CreaRejillas();
    CreaPremios();
    CreaBotones();
    CreaListas();
    ReuneControles();
    CreaDesplegables();
    Conecta();
    OrdenTabulador();
    // Abre con la jornada y el orden actuales, tomados como una elección confirmada.
    PreparaPantallaRejilla(Estado_, Controles_);
    {
        GuardaModoEdicion edicion(Estado_);
        EligeJornada(Lis_Jornadas->currentRow());
    }
    CentraEnPantalla(this);
}

void PantallaEscrutin::CreaRejillas() {
    Pic_Base = new CajaRejilla(CajaRejilla::Tipo::Base, Estado_, this);
    Pic_Base->move(PosBase);
    Pic_Elegir = new CajaRejilla(CajaRejilla::Tipo::Elegir, Estado_, this);
    Pic_ColBas = new CajaRejilla(CajaRejilla::Tipo::ColBas, Estado_, this);
    Pic_Signos = new CajaRejilla(CajaRejilla::Tipo::Signos, Estado_, this);
    Pic_Signos->move(PosSignos);
    // Aquí la base solo se mira.
    for (QWidget* caja : {static_cast<QWidget*>(Pic_Base), static_cast<QWidget*>(Pic_Elegir),
                          static_cast<QWidget*>(Pic_ColBas), static_cast<QWidget*>(Pic_Signos)})
        caja->setAttribute(Qt::WA_TransparentForMouseEvents);
    Pic_Ganadora = new CajaGanadora(Entrada_.Marcas, this);
    Pic_Ganadora->move(AnchoVentanaEscrutinio(MetodoDirecto) - GanadoraDesdeDerecha, PosBase.y());
}

void PantallaEscrutin::CreaPremios() {
    Fra_Premios = new QWidget(this);
    Fra_Premios->setObjectName(QStringLiteral("Fra_Premios"));
    auto* titulo = new QLabel(QStringLiteral("Premio por columna (€)"), Fra_Premios);
    titulo->setGeometry(12, 6, 216, 18);
    titulo->setStyleSheet(QStringLiteral("color: #ffff00;"));
    for (int k = 1; k <= NumCategorias; ++k) {
        const int y = 30 + FilaPremio * (k - 1);
        auto* rotulo =
            new QLabel(QStringLiteral("%1 aciertos").arg(NumPartidos + 1 - k), Fra_Premios);
        rotulo->setGeometry(12, y, 90, 22);
        auto* campo = new QLineEdit(Fra_Premios);
        campo->setObjectName(QStringLiteral("Tex_Premios%1").arg(k));
        campo->setAccessibleName(rotulo->text());
        campo->setGeometry(112, y, 112, 22);
        campo->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        campo->setMaxLength(AnchoTextoPremio);
        campo->installEventFilter(this);
        Tex_Premios[k] = campo;
    }
}

void PantallaEscrutin::CreaBotones() {
    Pic_BotNroJor = CreaBoton(this, QStringLiteral("Pic_BotNroJor"), PosJornada);
    Pic_BotOrden = CreaBoton(this, QStringLiteral("Pic_BotOrden"), PosOrden);
    Pic_Indice = CreaBoton(this, QStringLiteral("Pic_Indice"), PosIndice, AnchoCorto,
                           QStringLiteral("Índice"));
    Pic_BotEscrutar = CreaBoton(this, QStringLiteral("Pic_BotEscrutar"), QPoint(XPartidos, YAbajo),
                                AnchoEscrutar, QStringLiteral("Realizar el escrutinio"));
    Pic_BotImprimir = CreaBoton(this, QStringLiteral("Pic_BotImprimir"),
                                QPoint(XPartidos + AnchoEscrutar + 10, YAbajo), AnchoEscrutar,
                                QStringLiteral("Imprimir escrutinio"));
    Pic_BotImprimir->hide();
    Pic_Salir = CreaBoton(this, QStringLiteral("Pic_Salir"), QPoint(0, YAbajo), AnchoCorto,
                          QStringLiteral("Salir"));
    Pic_Ayuda = CreaBoton(this, QStringLiteral("Pic_Ayuda"), QPoint(0, YAbajo), AnchoCorto,
                          QStringLiteral("Ayuda"));
}

void PantallaEscrutin::CreaListas() {
    Lis_Aciertos = CreaLista(this, QStringLiteral("Lis_Aciertos"));
    Lis_Boletos = CreaLista(this, QStringLiteral("Lis_Boletos"));
    for (QListWidget* lista : {Lis_Aciertos, Lis_Boletos}) {
        lista->setFocusPolicy(Qt::NoFocus);
        lista->setSelectionMode(QAbstractItemView::NoSelection);
        lista->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }
    Lis_Aciertos->setGeometry(XPartidos, YListas, AnchoAciertos, AltoListas);
    // Las listas desplegables, encima de todo lo demás.
    Lis_Jornadas = CreaLista(this, QStringLiteral("Lis_Jornadas"));
    Lis_Orden = CreaLista(this, QStringLiteral("Lis_Orden"));
}

void PantallaEscrutin::ReuneControles() {
    Controles_.pantalla = this;
    Controles_.Pic_BotNroJor = Pic_BotNroJor;
    Controles_.anchoBotonJornada = AnchoJornada;
    Controles_.Pic_BotOrden = Pic_BotOrden;
    Controles_.anchoBotonOrden = AnchoOrden;
    Controles_.Pic_Base = Pic_Base;
    Controles_.Pic_Elegir = Pic_Elegir;
    Controles_.Pic_ColBas = Pic_ColBas;
    Controles_.Pic_Signos = Pic_Signos;
    Controles_.Pic_Ganadora = Pic_Ganadora;
    Controles_.Lis_Aciertos = Lis_Aciertos;
    Controles_.Lis_Boletos = Lis_Boletos;
    Controles_.Lis_Jornadas = Lis_Jornadas;
    Controles_.Lis_Orden = Lis_Orden;
    Controles_.xPartidos = XPartidos;
}

void PantallaEscrutin::CreaDesplegables() {
    DesplegableJornada_ =
        new ListaDesplegable(Estado_, Pic_BotNroJor, Lis_Jornadas, AnchoJornada,
                             [this] { return TituloBotonJornada(Estado_.Datos.JornadaActual); });
    DesplegableOrden_ = new ListaDesplegable(Estado_, Pic_BotOrden, Lis_Orden, AnchoOrden, [this] {
        return RotuloOrden(Estado_.Datos.OrdenActual);
    });
    // Perder el foco con la lista abierta vale como segunda pulsación.
    for (ListaDesplegable* d : {DesplegableJornada_, DesplegableOrden_}) {
        d->CierreElige = true;
        d->PuedeAbrir = [this] {
            if (Ocupada_)
                return false;
            CierraDesplegables();
            return true;
        };
    }
    DesplegableJornada_->Elige = [this](int fila) { EligeJornada(fila); };
    DesplegableOrden_->Elige = [this](int fila) { EligeOrden(fila); };
}

void PantallaEscrutin::Conecta() {
    connect(Pic_Ganadora, &CajaGanadora::pulsada, this, &PantallaEscrutin::PulsaRejilla);
    connect(Pic_Ganadora, &CajaGanadora::movida, this, &PantallaEscrutin::MueveSobreRejilla);
    connect(Pic_Ganadora, &CajaGanadora::abandonada, this,
            [this] { PonCursorRejilla(CursorRejilla::Normal); });
    for (int k = 1; k <= NumCategorias; ++k) {
        connect(Tex_Premios[k], &QLineEdit::textEdited, this, [this, k] { CambiaPremio(k); });
        connect(Tex_Premios[k], &QLineEdit::returnPressed, this, [this, k] { NormalizaPremio(k); });
    }
    connect(Pic_BotEscrutar, &BotonImagen::pulsado, this, &PantallaEscrutin::Escruta);
    connect(Pic_BotImprimir, &BotonImagen::pulsado, this, &PantallaEscrutin::Imprime);
    connect(Pic_Indice, &BotonImagen::pulsado, this, &PantallaEscrutin::AbreIndice);
    connect(Pic_Salir, &BotonImagen::pulsado, this, &PantallaEscrutin::Sal);
    connect(Pic_Ayuda, &BotonImagen::pulsado, this, [this] {
        CierraDesplegables();
        TocaSonido(Estado_, 9);
        AbreAyuda(2500);
    });
}

void PantallaEscrutin::OrdenTabulador() {
    EncadenaTabulador({Pic_BotNroJor, Pic_BotOrden, Pic_Indice, Tex_Premios[1], Tex_Premios[2],
                       Tex_Premios[3], Tex_Premios[4], Tex_Premios[5], Tex_Premios[6],
                       Pic_BotEscrutar, Pic_BotImprimir, Pic_Ayuda, Pic_Salir});
}

void PantallaEscrutin::EligeJornada(int fila) {
    if (fila < 0)
        return;
    if (fila + 1 != Estado_.Datos.JornadaActual || Estado_.ModoEdicion) {
        Estado_.Datos.JornadaActual = int16_t(fila + 1);
        if (!Estado_.ModoEdicion) {
            Estado_.Datos.OrdenActual = 1;
            GuardaModoEdicion edicion(Estado_);
            Lis_Orden->setCurrentRow(0);
        }
        CargaEscrutinio();
        AvisaSiFalla();
    }
    DesplegableJornada_->Redibuja();
    DesplegableOrden_->Redibuja();
}

void PantallaEscrutin::EligeOrden(int fila) {
    if (fila < 0 || fila + 1 == Estado_.Datos.OrdenActual)
        return;
    Estado_.Datos.OrdenActual = int16_t(fila + 1);
    CargaEscrutinio();
    DesplegableOrden_->Redibuja();
    AvisaSiFalla();
}

void PantallaEscrutin::AvisaSiFalla() {
    // Al abrir no se avisa: la pantalla enseña la jornada actual tenga o no reducción.
    if (CargaFallida_ && !Estado_.ModoEdicion)
        MuestraMensaje(TituloErrorJornadaOrden(), TextoErrorJornadaOrden());
}

void PantallaEscrutin::AbreIndice() {
    if (Ocupada_)
        return;
    CierraDesplegables();
    TocaSonido(Estado_, 9);
    if (!AbreHistorico(Estado_, this))
        return;
    GuardaModoEdicion edicion(Estado_);
    Lis_Jornadas->setCurrentRow(Estado_.Datos.JornadaActual - 1);
    Lis_Orden->setCurrentRow(Estado_.Datos.OrdenActual - 1);
    // La jornada, elegida en modo de edición, carga también el orden que dejó el índice.
    EligeJornada(Estado_.Datos.JornadaActual - 1);
}

void PantallaEscrutin::CierraDesplegables() {
    for (ListaDesplegable* d : {DesplegableJornada_, DesplegableOrden_})
        if (d->Abierta())
            d->Cierra(false);
}

void PantallaEscrutin::CargaEscrutinio() {
    LimpiaResultados();
    const quiniela::CargaEscrutinio carga = CargaEntradasEscrutinio(Estado_);
    Entrada_ = carga.Entrada;
    Premios_ = carga.Premios;
    CargaFallida_ = carga.Falla;
    MuestraPremios();
    ColocaPorMetodo();
    DibujaPantallaComun(Estado_, Controles_);
    Pic_Ganadora->update();
}

void PantallaEscrutin::ColocaPorMetodo() {
    const int ancho = AnchoVentanaEscrutinio(Estado_.Red.Metodo);
    setFixedSize(ancho, AltoVentana);
    setWindowTitle(TituloEscrutinio(Estado_.Red.Metodo));
    Pic_Ganadora->move(ancho - GanadoraDesdeDerecha, PosBase.y());
    const int x = Pic_Ganadora->geometry().right() + 18;
    Fra_Premios->setGeometry(x, YPremios, ancho - MargenDerecho - x, AltoPremios);
    const int xBoletos = XPartidos + AnchoAciertos + 15;
    Lis_Boletos->setGeometry(xBoletos, YListas, ancho - MargenDerecho - xBoletos, AltoListas);
    Pic_Salir->move(ancho - MargenDerecho - AnchoCorto, YAbajo);
    Pic_Ayuda->move(Pic_Salir->x() - 8 - AnchoCorto, YAbajo);
    Pic_BotImprimir->hide();
}

void PantallaEscrutin::MuestraPremios() {
    GuardaModoEdicion edicion(Estado_);
    for (int k = 1; k <= NumCategorias; ++k) {
        const QString& texto = Entrada_.Textos[k];
        Tex_Premios[k]->setText(texto.isEmpty() ? QStringLiteral("0.00") : texto);
    }
}

void PantallaEscrutin::PulsaRejilla(QPointF punto) {
    if (Ocupada_)
        return;
    CierraDesplegables();
    const CeldaRejilla celda = QueGanadoraHaPulsado(Estado_, punto.x(), punto.y());
    if (!celda)
        return;
    TocaSonido(Estado_, 1);
    PulsaGanadora(Entrada_.Marcas, celda);
    Pic_Ganadora->update(CeldaBase(celda.fila, 1).united(CeldaBase(celda.fila, NumSignosMax)));
    // Lápiz y goma se intercambian sin mover el ratón.
    PonCursorRejilla(CursorSobreGanadora(Entrada_.Marcas, celda));
}

void PantallaEscrutin::MueveSobreRejilla(QPointF punto) {
    if (Ocupada_)
        return;
    const CeldaRejilla celda = QueGanadoraHaPulsado(Estado_, punto.x(), punto.y());
    PonCursorRejilla(CursorSobreGanadora(Entrada_.Marcas, celda));
}

void PantallaEscrutin::PonCursorRejilla(CursorRejilla cursor) {
    if (cursor == CursorRejilla_)
        return;
    CursorRejilla_ = cursor;
    Pic_Ganadora->unsetCursor();
    PonCursor(Pic_Ganadora, NombreCursor(cursor));
}

void PantallaEscrutin::mouseMoveEvent(QMouseEvent* evento) {
    Estado_.PuntoCursor = QPoint();
    PonCursorRejilla(CursorRejilla::Normal);
    QDialog::mouseMoveEvent(evento);
}

void PantallaEscrutin::CambiaPremio(int k) {
    QLineEdit* campo = Tex_Premios[k];
    const TextoCursor filtrado = FiltraTextoPremio(campo->text(), campo->cursorPosition());
    if (filtrado.Texto != campo->text())
        campo->setText(filtrado.Texto);
    campo->setCursorPosition(filtrado.Cursor);
}

void PantallaEscrutin::NormalizaPremio(int k) {
    const Premio premio = quiniela::NormalizaPremio(Tex_Premios[k]->text());
    Entrada_.Textos[k] = premio.Texto;
    Premios_[k] = premio.Valor;
    if (Tex_Premios[k]->text() != premio.Texto)
        Tex_Premios[k]->setText(premio.Texto);
}

bool PantallaEscrutin::eventFilter(QObject* objeto, QEvent* evento) {
    if (Ocupada_) {
        // Durante el escrutinio se repinta, pero esta ventana no atiende ni ratón ni teclado.
        auto* w = qobject_cast<QWidget*>(objeto);
        const bool entrada = evento->type() == QEvent::MouseButtonPress ||
                             evento->type() == QEvent::MouseButtonDblClick ||
                             evento->type() == QEvent::KeyPress || evento->type() == QEvent::Wheel;
        if (entrada && w != nullptr && w->window() == this)
            return true;
    }
    if (evento->type() == QEvent::FocusOut)
        for (int k = 1; k <= NumCategorias; ++k)
            if (objeto == Tex_Premios[k])
                NormalizaPremio(k);
    return QDialog::eventFilter(objeto, evento);
}

void PantallaEscrutin::Sal() {
    if (Saliendo_ || Ocupada_)
        return;
    Saliendo_ = true;
    CierraDesplegables();
    TocaSonido(Estado_, 5);
    // Como cerrar la ventana: con WA_DeleteOnClose, el menú la destruye.
    QDialog::reject();
}

void PantallaEscrutin::reject() {
    if (Ocupada_)
        return;
    for (ListaDesplegable* d : {DesplegableJornada_, DesplegableOrden_})
        if (d->Abierta()) {
            d->Cierra(false);
            return;
        }
    Sal();
}

void PantallaEscrutin::closeEvent(QCloseEvent* evento) {
    if (Ocupada_) {
        evento->ignore();
        return;
    }
    QDialog::closeEvent(evento);
}

void PantallaEscrutin::paintEvent(QPaintEvent*) {
    QPainter p(this);
    PintaFondoPanel(p, rect());
    const int ancho = width();
    PintaPanelHundido(p, QRect(XPartidos - 6, PosBase.y() - 36, Fra_Premios->x() - XPartidos - 4,
                               AltoCajaBase + 42));
    PintaPanelHundido(p, Fra_Premios->geometry().adjusted(-2, -2, 2, 2));
    PintaPanelHundido(
        p, QRect(XPartidos - 6, YListas - 36, ancho - 2 * XPartidos + 12, AltoListas + 42));
    PintaPantallaComun(p, Estado_, Controles_);
    // El resumen de la reducción bajo los premios (su franja empieza en y = 416).
    // En una superficie de 250 la franja de 240 empieza en su borde: se centra bajo los premios.
    const QRect zona(Fra_Premios->geometry().center().x() - 120, YResumen, 250, 70);
    p.save();
    p.translate(zona.left(), zona.top() - 416);
    PintaResumenReduccion(p, Estado_, zona.width());
    p.restore();
}

} // namespace quiniela
