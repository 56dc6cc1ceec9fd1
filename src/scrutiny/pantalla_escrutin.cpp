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

// Cabe en 800 × 600 con la barra de tareas, la de título y el borde: 526 de alto.
constexpr int AltoVentana = 526;
const QPoint PosIndice(213, PosJornadaRejilla.y());

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

// Listas del resultado y botones de abajo. Se ven el total y los aciertos con premio (15 a 11);
// el resto, desplazando la lista.
constexpr int YListas = 402;
constexpr int AltoListas = 6 * 14 + 2;
constexpr int AnchoAciertos = 320;
constexpr int YAbajo = AltoVentana - 32;
constexpr int AnchoEscrutar = 170;

QString EstiloPantalla() {
    return EstiloEditor() + EstiloListasRejilla() +
           QStringLiteral( // Ocho píxeles por carácter: las cifras caen bajo los encabezados.
               "QListWidget#Lis_Aciertos, QListWidget#Lis_Boletos { background: "
               "#fdfbf0; color: #18286e; font-family: 'Liberation Mono', "
               "'Courier New', monospace; font-size: 13px; }"
               "QListWidget#Lis_Aciertos::item, QListWidget#Lis_Boletos::item { "
               "height: 14px; }"
               "QLabel { color: white; font-weight: bold; }"
               "QLineEdit { border: 1px solid #003010; padding: 0 3px; }");
}

} // namespace

CajaGanadora::CajaGanadora(const MarcasGanadora& marcas, QWidget* padre)
    : CajaPulsable(padre), marcas_(marcas) {
    setObjectName(QStringLiteral("Pic_Ganadora"));
    setAccessibleName(QStringLiteral("Columna ganadora"));
    resize(AnchoCajaBase, AltoCajaBase);
}

ElementoAccesible CajaGanadora::Elemento(int indice) const {
    const int m = indice / NumSignosMax + 1;
    const int k = indice % NumSignosMax + 1;
    ElementoAccesible e;
    e.Caja = CeldaBase(m, k);
    e.Nombre = QStringLiteral("Partido %1, resultado %2").arg(m).arg(CaracterSigno(k));
    e.Marcable = true;
    e.Marcado = marcas_[m][k] == 1;
    e.Descripcion = e.Marcado ? QStringLiteral("marcada") : QStringLiteral("sin marcar");
    e.Pulsa = [this, caja = e.Caja] { const_cast<CajaGanadora*>(this)->PulsaEn(caja); };
    return e;
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
            if (marcas_[m][s] == 1) {
                p.fillRect(r, VerdeOscuro);
                p.setPen(AmarilloTexto);
            } else {
                p.setPen(rojo);
                p.drawRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5));
                p.setPen(rojo.lighter(140));
            }
            p.drawText(r, Qt::AlignCenter, QString(CaracterSigno(s)));
        }
    PintaCasillaDelTeclado(p);
}

PantallaEscrutin::PantallaEscrutin(EstadoGlobal& estado, QWidget* padre)
    : QDialog(padre),
      ControlesRejilla(this, XPartidos, [this](std::vector<TextoPantalla>& t) { AnadeTextos(t); }),
      estado_(estado), desplegables_(estado) {
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
    CreaDesplegables();
    Conecta();
    OrdenTabulador();
    // Abre con la jornada y el orden actuales, tomados como una elección confirmada.
    PreparaPantallaRejilla(estado_, *this);
    {
        GuardaModoEdicion edicion(estado_);
        EligeJornada(Lis_Jornadas->currentRow());
    }
    CentraEnPantalla(this);
    Pic_BotNroJor->setFocus();
}

void PantallaEscrutin::CreaRejillas() {
    CreaCajasRejilla(*this, estado_, PosBase, PosSignos);
    // Aquí la base solo se mira.
    for (CajaRejilla* caja : {Pic_Base, Pic_Elegir, Pic_ColBas, Pic_Signos})
        caja->setAttribute(Qt::WA_TransparentForMouseEvents);
    Pic_Ganadora = new CajaGanadora(entrada_.Marcas, this);
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
    CreaBotonesJornadaOrden(*this);
    Pic_BotEscrutar = CreaBoton(this, QStringLiteral("Pic_BotEscrutar"), QPoint(XPartidos, YAbajo),
                                AnchoEscrutar, QStringLiteral("Realizar el escrutinio"));
    Pic_BotImprimir = CreaBoton(this, QStringLiteral("Pic_BotImprimir"),
                                QPoint(XPartidos + AnchoEscrutar + 10, YAbajo), AnchoEscrutar,
                                QStringLiteral("Imprimir escrutinio"));
    Pic_BotImprimir->hide();
    // El índice, arriba junto al orden; Salir y Ayuda, abajo a la derecha (ColocaPorMetodo).
    CreaSalirAyudaIndice(*this);
    Pic_Indice->move(PosIndice);
}

void PantallaEscrutin::CreaListas() {
    Lis_Aciertos = CreaLista(this, QStringLiteral("Lis_Aciertos"));
    Lis_Boletos = CreaLista(this, QStringLiteral("Lis_Boletos"));
    for (QListWidget* lista : {Lis_Aciertos, Lis_Boletos}) {
        lista->setFocusPolicy(Qt::NoFocus);
        lista->setSelectionMode(QAbstractItemView::NoSelection);
    }
    // Los importes de muchas cifras ensanchan las líneas: se desplazan en vez de cortarse.
    Lis_Boletos->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Lis_Aciertos->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    Lis_Aciertos->setGeometry(XPartidos, YListas, AnchoAciertos, AltoListas);
    // Las listas desplegables, encima de todo lo demás.
    CreaListasJornadaOrden(*this);
}

void PantallaEscrutin::CreaDesplegables() {
    desplegables_.Ocupada = [this] { return ocupada_; };
    AnadeDesplegablesJornadaOrden(
        desplegables_, estado_, *this, [this](int fila) { EligeJornada(fila); },
        [this](int fila) { EligeOrden(fila); });
    // Perder el foco con la lista abierta vale como segunda pulsación.
    for (ListaDesplegable* d : desplegables_.Listas())
        d->CierreElige = true;
}

void PantallaEscrutin::Conecta() {
    connect(Pic_Ganadora, &CajaPulsable::pulsada, this, &PantallaEscrutin::PulsaRejilla);
    connect(Pic_Ganadora, &CajaPulsable::movida, this, &PantallaEscrutin::MueveSobreRejilla);
    connect(Pic_Ganadora, &CajaPulsable::abandonada, this,
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
        desplegables_.CierraTodas();
        TocaSonido(estado_, 9);
        AbreAyuda(2500);
    });
}

void PantallaEscrutin::OrdenTabulador() {
    EncadenaTabulador({Pic_BotNroJor, Pic_BotOrden, Pic_Indice, Pic_Ganadora, Tex_Premios[1],
                       Tex_Premios[2], Tex_Premios[3], Tex_Premios[4], Tex_Premios[5],
                       Tex_Premios[6], Pic_BotEscrutar, Pic_BotImprimir, Pic_Ayuda, Pic_Salir});
}

// Los encabezados de la columna ganadora y de las dos listas del resultado.
void PantallaEscrutin::AnadeTextos(std::vector<TextoPantalla>& t) const {
    AnadeEncabezadosBase(t, *this, estado_.Red.Metodo);
    DosLineasEncima(t, Pic_Ganadora->pos(), Pic_Ganadora->width() + 20, QStringLiteral("Columna"),
                    QStringLiteral("Ganadora"));
    DosLineasEncima(t, Lis_Aciertos->pos(), 420,
                    QStringLiteral("------------------- Escrutinio -------------------"),
                    tablaAciertos_.Encabezado, TextoPantalla::Estilo::Rotulo);
    DosLineasEncima(t, Lis_Boletos->pos(), 420,
                    QStringLiteral("------------ Localización de aciertos ------------"),
                    QStringLiteral("Boleto nro.    15   14   13   12   11   10"),
                    TextoPantalla::Estilo::Rotulo);
}

void PantallaEscrutin::EligeJornada(int fila) {
    if (fila < 0)
        return;
    if (fila + 1 != estado_.Datos.JornadaActual || estado_.ModoEdicion) {
        estado_.Datos.JornadaActual = int16_t(fila + 1);
        if (!estado_.ModoEdicion) {
            estado_.Datos.OrdenActual = 1;
            SiguenJornadaYOrden(estado_, *this);
        }
        CargaEscrutinio();
        AvisaSiFalla();
    }
}

void PantallaEscrutin::EligeOrden(int fila) {
    if (fila < 0 || fila + 1 == estado_.Datos.OrdenActual)
        return;
    // Un orden sin reducción se enseña vacío, sin aviso: el aviso es de la jornada.
    estado_.Datos.OrdenActual = int16_t(fila + 1);
    CargaEscrutinio();
}

void PantallaEscrutin::AvisaSiFalla() {
    // Al abrir no se avisa: la pantalla enseña la jornada actual tenga o no reducción.
    if (cargaFallida_ && !estado_.ModoEdicion)
        MuestraMensaje(TituloErrorJornadaOrden(), TextoErrorJornadaOrden());
}

void PantallaEscrutin::AbreIndice() {
    if (ocupada_)
        return;
    desplegables_.CierraTodas();
    TocaSonido(estado_, 9);
    if (!AbreHistorico(estado_, this))
        return;
    GuardaModoEdicion edicion(estado_);
    SiguenJornadaYOrden(estado_, *this);
    // La jornada, elegida en modo de edición, carga también el orden que dejó el índice.
    EligeJornada(estado_.Datos.JornadaActual - 1);
}

void PantallaEscrutin::CargaEscrutinio() {
    LimpiaResultados();
    const quiniela::CargaEscrutinio carga = CargaEntradasEscrutinio(estado_);
    entrada_ = carga.Entrada;
    premios_ = carga.Premios;
    cargaFallida_ = carga.Falla;
    MuestraPremios();
    ColocaPorMetodo();
    DibujaPantallaComun(estado_, *this);
    desplegables_.Redibuja();
    Pic_Ganadora->update();
}

void PantallaEscrutin::ColocaPorMetodo() {
    const int ancho = AnchoVentanaEscrutinio(estado_.Red.Metodo);
    setFixedSize(ancho, AltoVentana);
    setWindowTitle(TituloEscrutinio(estado_.Red.Metodo));
    Pic_Ganadora->move(ancho - GanadoraDesdeDerecha, PosBase.y());
    const int x = Pic_Ganadora->geometry().right() + 18;
    Fra_Premios->setGeometry(x, YPremios, ancho - MargenDerecho - x, AltoPremios);
    const int xBoletos = XPartidos + AnchoAciertos + 15;
    Lis_Boletos->setGeometry(xBoletos, YListas, ancho - MargenDerecho - xBoletos, AltoListas);
    ColocaDesdeLaDerecha({Pic_Salir, Pic_Ayuda}, ancho - MargenDerecho, YAbajo);
    Pic_BotImprimir->hide();
}

void PantallaEscrutin::MuestraPremios() {
    GuardaModoEdicion edicion(estado_);
    for (int k = 1; k <= NumCategorias; ++k) {
        const QString& texto = entrada_.Textos[k];
        Tex_Premios[k]->setText(texto.isEmpty() ? QStringLiteral("0.00") : texto);
    }
}

void PantallaEscrutin::PulsaRejilla(QPointF punto) {
    if (ocupada_)
        return;
    desplegables_.CierraTodas();
    const CeldaRejilla celda = QueGanadoraHaPulsado(estado_, punto.x(), punto.y());
    if (!celda)
        return;
    TocaSonido(estado_, 1);
    PulsaGanadora(entrada_.Marcas, celda);
    Pic_Ganadora->update(CeldaBase(celda.Fila, 1).united(CeldaBase(celda.Fila, NumSignosMax)));
    // Lápiz y goma se intercambian sin mover el ratón.
    PonCursorRejilla(CursorSobreGanadora(entrada_.Marcas, celda));
}

void PantallaEscrutin::MueveSobreRejilla(QPointF punto) {
    if (ocupada_)
        return;
    const CeldaRejilla celda = QueGanadoraHaPulsado(estado_, punto.x(), punto.y());
    PonCursorRejilla(CursorSobreGanadora(entrada_.Marcas, celda));
}

void PantallaEscrutin::PonCursorRejilla(CursorRejilla cursor) {
    if (cursor == cursorRejilla_)
        return;
    cursorRejilla_ = cursor;
    Pic_Ganadora->unsetCursor();
    PonCursor(Pic_Ganadora, NombreCursor(cursor));
}

void PantallaEscrutin::mouseMoveEvent(QMouseEvent* evento) {
    estado_.PuntoCursor = QPoint();
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
    entrada_.Textos[k] = premio.Texto;
    premios_[k] = premio.Valor;
    if (Tex_Premios[k]->text() != premio.Texto)
        Tex_Premios[k]->setText(premio.Texto);
}

bool PantallaEscrutin::eventFilter(QObject* objeto, QEvent* evento) {
    if (ocupada_) {
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
    if (saliendo_ || ocupada_)
        return;
    saliendo_ = true;
    desplegables_.CierraTodas();
    TocaSonido(estado_, 5);
    // Como cerrar la ventana: con WA_DeleteOnClose, el menú la destruye.
    QDialog::reject();
}

void PantallaEscrutin::reject() {
    if (ocupada_)
        return;
    if (!desplegables_.CierraAbierta())
        Sal();
}

void PantallaEscrutin::closeEvent(QCloseEvent* evento) {
    if (ocupada_) {
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
    PintaPantallaComun(p, estado_, *this);
    // El resumen de la reducción bajo los premios (su franja empieza en y = 416).
    // En una superficie de 250 la franja de 240 empieza en su borde: se centra bajo los premios.
    const QRect zona(Fra_Premios->geometry().center().x() - 120, YResumen, 250, 70);
    p.save();
    p.translate(zona.left(), zona.top() - 416);
    PintaResumenReduccion(p, estado_, zona.width());
    p.restore();
}

} // namespace quiniela
