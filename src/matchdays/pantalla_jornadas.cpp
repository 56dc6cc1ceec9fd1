#include "matchdays/pantalla_jornadas.h"

#include "core/estado_global.h"
#include "core/listas.h"
#include "core/modo_edicion.h"
#include "core/tipos.h"
#include "matchdays/fecha_jornada.h"
#include "matchdays/fichero_equipos.h"
#include "matchdays/fichero_jornadas.h"
#include "matchdays/pantalla_equipos.h"
#include "matchdays/pantalla_probabilidades.h"
#include "platform/plataforma.h"
#include "platform/qt/boton_imagen.h"
#include "platform/qt/estilo.h"
#include "shell/lista_desplegable.h"
#include "shell/piezas_pantalla.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>

namespace quiniela {

namespace {

constexpr int AnchoVentana = 560;
constexpr int AltoVentana = 526; // 800 × 600 con barra de tareas, de título y borde
constexpr int AnchoBotonJornada = 110;
constexpr int AnchoBotonFecha = 130;
constexpr int AnchoBotonLargo = 133;
constexpr int AnchoBotonCorto = 70;
constexpr int AnchoBotonProbab = 116;
constexpr int YBotonesArriba = 25;
constexpr int YBotonesAbajo = 496;

// Rejilla de los 15 partidos: número, casa y fuera.
constexpr int XNumero = 52;
constexpr int AnchoNumero = 34;
constexpr int XCasa = 92;
constexpr int XFuera = 308;
constexpr int AnchoCasilla = 200;
constexpr int AltoCasilla = 22;
constexpr int YPrimeraFila = 108;
constexpr int PasoFila = 25;
const QRect AreaPartidos(22, 62, AnchoVentana - 44, 426);

// Botón de la fecha y, a su derecha, el panel con los tres campos.
constexpr int XBotonFecha = 144;
constexpr int AnchoCampoFecha = 30;
constexpr int MargenPanelFecha = 9;
constexpr int HuecoCampoFecha = 12;
const QRect AreaPanelFecha(XBotonFecha + AnchoBotonFecha + 8, YBotonesArriba - 6,
                           2 * MargenPanelFecha + 3 * AnchoCampoFecha + 2 * HuecoCampoFecha, 36);

QString EstiloPantalla() {
    // Las casillas de equipos se pintan con el estilo del sistema (flecha incluida) y
    // los colores de la paleta; su campo interior va sin marco propio.
    return EstiloEditor() +
           QStringLiteral("QComboBox QLineEdit { border: none; padding: 0; background: #fffff0; }"
                          // Números alineados con blancos: letra de ancho fijo.
                          "QListWidget#Lis_Jornadas { font-family: 'Liberation Mono'; "
                          "font-size: 11px; border: 1px solid #003010; }"
                          "QListWidget#Lis_Jornadas::item { padding: 0; margin: 0; }"
                          "QLineEdit#Tex_FecDia, QLineEdit#Tex_FecMes, QLineEdit#Tex_FecAno"
                          " { border: 1px solid #003010; padding: 0; }");
}

QPalette PaletaCasilla(QPalette paleta) {
    paleta.setColor(QPalette::Base, QColor(0xff, 0xff, 0xf0));
    paleta.setColor(QPalette::Text, VerdeOscuro);
    paleta.setColor(QPalette::Button, QColor(0xc8, 0xdc, 0xc8));
    paleta.setColor(QPalette::ButtonText, VerdeOscuro);
    paleta.setColor(QPalette::Highlight, VerdePanel);
    paleta.setColor(QPalette::HighlightedText, AmarilloTexto);
    return paleta;
}

// Toda tecla pulsada en una casilla puede cambiar su equipo (flechas que recorren la lista,
// la de completar el nombre, pegar, deshacer...) salvo las que solo mueven el foco a otro
// sitio y las que no escriben nada por sí solas.
bool TeclaPuedeCambiarCasilla(int tecla) {
    switch (tecla) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Escape:
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
    case Qt::Key_ScrollLock:
        return false;
    default:
        return tecla < Qt::Key_F1 || tecla > Qt::Key_F35;
    }
}

QFont FuenteCasilla() {
    return LetraPrograma(13);
}

const QColor VerdeClaro(96, 176, 112);

// Panel hundido que guarda los tres campos de la fecha.
class PanelFecha : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        // Hundido: sombra oscura arriba y a la izquierda, borde claro abajo y a la derecha.
        p.fillRect(rect(), VerdeClaro);
        p.fillRect(rect().adjusted(0, 0, -1, -1), VerdeOscuro);
        p.fillRect(rect().adjusted(2, 2, -1, -1), VerdePanel);
    }
};

QLabel* Rotulo(QWidget* padre, const QString& texto, const QRect& area, const QString& estilo,
               Qt::Alignment alineacion = Qt::AlignCenter) {
    auto* rotulo = new QLabel(texto, padre);
    rotulo->setGeometry(area);
    rotulo->setAlignment(alineacion);
    rotulo->setStyleSheet(estilo);
    return rotulo;
}

} // namespace

PantallaJornadas::PantallaJornadas(EstadoGlobal& estado, QWidget* padre)
    : QDialog(padre), estado_(estado) {
    setObjectName(QStringLiteral("jornadas"));
    setWindowTitle(QStringLiteral("Datos de jornadas"));
    setFixedSize(AnchoVentana, AltoVentana);
    setStyleSheet(EstiloPantalla());

    // Rejilla de partidos: primero, para que las listas desplegadas queden encima.
    CreaRejilla();
    CreaBotonesArriba();
    CreaPanelFecha();
    CreaListaJornadas();
    CreaBotonesAbajo();
    Conecta();
    OrdenTabulador();
    MuestraJornadaAlAbrir();
    CentraEnPantalla(this);
}

void PantallaJornadas::CreaRejilla() {
    Rotulo(this, QStringLiteral("Partidos incluidos en el boleto"),
           QRect(AreaPartidos.left(), AreaPartidos.top() + 2, AreaPartidos.width(), 20),
           EstiloTitulo());
    const QString estiloCabecera = EstiloTexto() + QStringLiteral("font-size: 12px;");
    Rotulo(this, QStringLiteral("Local"), QRect(XCasa, 86, AnchoCasilla, 18), estiloCabecera);
    Rotulo(this, QStringLiteral("Visitante"), QRect(XFuera, 86, AnchoCasilla, 18), estiloCabecera);
    for (int partido = 1; partido <= NumPartidos; ++partido) {
        const int y = YPrimeraFila + (partido - 1) * PasoFila;
        Rotulo(this, QString::number(partido) + u'.', QRect(XNumero, y, AnchoNumero, AltoCasilla),
               EstiloTexto() + QStringLiteral("font-weight: bold;"),
               Qt::AlignRight | Qt::AlignVCenter);
        Cbo_Equipo[2 * partido - 1] = CreaCasilla(partido, false);
        Cbo_Equipo[2 * partido] = CreaCasilla(partido, true);
    }
}

QComboBox* PantallaJornadas::CreaCasilla(int partido, bool fuera) {
    auto* casilla = new QComboBox(this);
    casilla->setObjectName(QStringLiteral("Cbo_Equipo%1").arg(2 * partido - 1 + (fuera ? 1 : 0)));
    casilla->setEditable(true);
    casilla->setInsertPolicy(QComboBox::NoInsert);
    casilla->setMaxVisibleItems(16);
    casilla->setPalette(PaletaCasilla(casilla->palette()));
    casilla->setFont(FuenteCasilla());
    casilla->setGeometry(fuera ? XFuera : XCasa, YPrimeraFila + (partido - 1) * PasoFila,
                         AnchoCasilla, AltoCasilla);
    casilla->setAccessibleName(
        QStringLiteral("Partido %1, %2")
            .arg(partido)
            .arg(fuera ? QStringLiteral("equipo de fuera") : QStringLiteral("equipo de casa")));
    casilla->installEventFilter(this);
    casilla->lineEdit()->installEventFilter(this);
    FiltraNoCodificables(casilla->lineEdit());
    connect(casilla->lineEdit(), &QLineEdit::textEdited, this,
            [this, casilla] { CasillaEditada(casilla); });
    connect(casilla, &QComboBox::activated, this, [this, casilla] { CasillaEditada(casilla); });
    return casilla;
}

void PantallaJornadas::CasillaEditada(QComboBox* casilla) {
    RecortaCasilla(casilla);
    if (!estado_.ModoEdicion)
        Pic_BotGuardar->show();
}

void PantallaJornadas::CreaBotonesArriba() {
    Pic_BotNroJor = CreaBoton(this, QStringLiteral("Pic_BotNroJor"), QPoint(22, YBotonesArriba));
    Pic_BotFecJor =
        CreaBoton(this, QStringLiteral("Pic_BotFecJor"), QPoint(XBotonFecha, YBotonesArriba));
}

void PantallaJornadas::CreaPanelFecha() {
    Pic_FecJor = new PanelFecha(this);
    Pic_FecJor->setObjectName(QStringLiteral("Pic_FecJor"));
    Pic_FecJor->setGeometry(AreaPanelFecha);
    const auto creaCampo = [this](const QString& nombre, int x, const QString& accesible) {
        auto* campo = new QLineEdit(Pic_FecJor);
        campo->setObjectName(nombre);
        campo->setAccessibleName(accesible);
        campo->setGeometry(x, 7, AnchoCampoFecha, 22);
        campo->setAlignment(Qt::AlignCenter);
        return campo;
    };
    constexpr int paso = AnchoCampoFecha + HuecoCampoFecha;
    Tex_FecDia = creaCampo(QStringLiteral("Tex_FecDia"), MargenPanelFecha, QStringLiteral("Día"));
    Tex_FecMes =
        creaCampo(QStringLiteral("Tex_FecMes"), MargenPanelFecha + paso, QStringLiteral("Mes"));
    Tex_FecAno =
        creaCampo(QStringLiteral("Tex_FecAno"), MargenPanelFecha + 2 * paso, QStringLiteral("Año"));
    for (int i = 0; i < 2; ++i)
        Rotulo(Pic_FecJor, QStringLiteral("/"),
               QRect(MargenPanelFecha + AnchoCampoFecha + i * paso, 7, HuecoCampoFecha, 22),
               EstiloTexto() + QStringLiteral("font-weight: bold;"));
    Pic_FecJor->hide();
}

void PantallaJornadas::CreaListaJornadas() {
    Lis_Jornadas = new QListWidget(this);
    Lis_Jornadas->setObjectName(QStringLiteral("Lis_Jornadas"));
    Lis_Jornadas->setFlow(QListView::TopToBottom);
    Lis_Jornadas->setWrapping(true);
    Lis_Jornadas->setUniformItemSizes(true);
    Lis_Jornadas->setTextElideMode(Qt::ElideNone);
    Lis_Jornadas->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Lis_Jornadas->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    listaJornadas_ =
        new ListaDesplegable(estado_, Pic_BotNroJor, Lis_Jornadas, AnchoBotonJornada,
                             [this] { return TituloBotonJornada(estado_.Datos.JornadaActual); });
    // Con una fecha mal escrita el panel sigue abierto: primero hay que corregirla.
    listaJornadas_->PreparaApertura = [this] {
        if (panelAbierto_)
            PliegaPanelFecha();
        if (panelAbierto_)
            return false;
        Pic_BotGuardar->hide();
        return true;
    };
    // Todo cierre, también Escape o un clic fuera, carga la jornada elegida en la lista.
    listaJornadas_->CierreElige = true;
    listaJornadas_->Elige = [this](int fila) { CargaJornada(fila); };
}

void PantallaJornadas::CreaBotonesAbajo() {
    Pic_BotGuardar = CreaBoton(this, QStringLiteral("Pic_BotGuardar"), QPoint(22, YBotonesAbajo),
                               AnchoBotonLargo, QStringLiteral("Guardar datos"));
    Pic_BotGuardar->hide();
    Pic_Salir = CreaBoton(this, QStringLiteral("Pic_Salir"),
                          QPoint(AnchoVentana - 22 - AnchoBotonCorto, YBotonesAbajo),
                          AnchoBotonCorto, QStringLiteral("Salir"));
    Pic_Ayuda = CreaBoton(this, QStringLiteral("Pic_Ayuda"),
                          QPoint(Pic_Salir->x() - 10 - AnchoBotonCorto, YBotonesAbajo),
                          AnchoBotonCorto, QStringLiteral("Ayuda"));
    Pic_Equipos = CreaBoton(this, QStringLiteral("Pic_Equipos"),
                            QPoint(Pic_Ayuda->x() - 10 - AnchoBotonLargo, YBotonesAbajo),
                            AnchoBotonLargo, QStringLiteral("Equipos"));
    // Arriba a la derecha, donde el panel de la fecha no llega.
    Pic_BotProbab = CreaBoton(this, QStringLiteral("Pic_BotProbab"),
                              QPoint(AnchoVentana - 22 - AnchoBotonProbab, YBotonesArriba),
                              AnchoBotonProbab, QStringLiteral("Probabilidades"));
}

void PantallaJornadas::Conecta() {
    connect(Tex_FecDia, &QLineEdit::textEdited, this,
            [this] { CampoFechaEditado(Tex_FecDia, Tex_FecMes); });
    connect(Tex_FecMes, &QLineEdit::textEdited, this,
            [this] { CampoFechaEditado(Tex_FecMes, Tex_FecAno); });
    connect(Tex_FecAno, &QLineEdit::textEdited, this,
            [this] { CampoFechaEditado(Tex_FecAno, nullptr); });
    for (QLineEdit* campo : {Tex_FecDia, Tex_FecMes, Tex_FecAno})
        connect(campo, &QLineEdit::returnPressed, this, [this] {
            if (panelAbierto_)
                PliegaPanelFecha();
        });
    connect(Pic_BotFecJor, &BotonImagen::pulsado, this, &PantallaJornadas::PulsaFecJor);
    connect(Pic_BotGuardar, &BotonImagen::pulsado, this, &PantallaJornadas::Guarda);
    connect(Pic_Equipos, &BotonImagen::pulsado, this, &PantallaJornadas::AbreEquipos);
    connect(Pic_BotProbab, &BotonImagen::pulsado, this, [this] {
        PantallaProbabilidades dialogo(estado_, estado_.Datos.JornadaActual,
                                       estado_.RegistroJornada, this);
        dialogo.exec();
    });
    connect(Pic_Salir, &BotonImagen::pulsado, this, &PantallaJornadas::Sal);
    connect(Pic_Ayuda, &BotonImagen::pulsado, this, [this] {
        TocaSonido(estado_, 9);
        AbreAyuda(2100);
    });
}

void PantallaJornadas::OrdenTabulador() {
    // Arriba, la fecha, las casillas por partidos y los botones.
    EncadenaTabulador(
        {Pic_BotNroJor, Pic_BotFecJor, Tex_FecDia, Tex_FecMes, Tex_FecAno, Cbo_Equipo[1]});
    for (int k = 1; k < NumEquiposJornada; ++k)
        setTabOrder(Cbo_Equipo[k], Cbo_Equipo[k + 1]);
    EncadenaTabulador({Cbo_Equipo[NumEquiposJornada], Pic_BotGuardar, Pic_Equipos, Pic_Ayuda,
                       Pic_Salir, Pic_BotProbab});
}

void PantallaJornadas::MuestraJornadaAlAbrir() {
    // La jornada actual se elige en la lista como una elección confirmada, sin sonidos;
    // después se llenan las listas de equipos.
    GuardaModoEdicion edicion(estado_);
    const ContenidoLista lista = CargaLisJornadas(estado_, true);
    Lis_Jornadas->setGeometry(lista.Geometria);
    // Diez entradas por columna, en el hueco que deja el borde.
    Lis_Jornadas->setGridSize(QSize((lista.Geometria.width() - 2) / std::max(lista.Columnas, 1),
                                    (lista.Geometria.height() - 2) / 10));
    for (const QString& entrada : lista.Entradas) {
        auto* item = new QListWidgetItem(entrada, Lis_Jornadas);
        item->setTextAlignment(Qt::AlignCenter);
    }
    Lis_Jornadas->setCurrentRow(lista.Seleccion);
    listaJornadas_->Cierra(true);
    CreaCboEquipo();
}

void PantallaJornadas::CargaJornada(int fila) {
    if (fila >= 0)
        estado_.Datos.JornadaActual = static_cast<int16_t>(fila + 1);
    LeeFicheroJornadas(estado_);
    MuestraJornada();
    Pic_BotGuardar->hide();
}

void PantallaJornadas::MuestraJornada() {
    const CamposFecha campos = CamposDeFecha(estado_.Datos.FechaJornada);
    Tex_FecDia->setText(campos.Dia);
    Tex_FecMes->setText(campos.Mes);
    Tex_FecAno->setText(campos.Ano);
    // Las casillas muestran el nombre sin el relleno de blancos del registro; al guardar
    // se vuelve a rellenar, así que el registro no cambia.
    const EquiposJornada equipos = EquiposDeRegistro(estado_.RegistroJornada);
    for (int k = 1; k <= NumEquiposJornada; ++k)
        PonTextoCasilla(Cbo_Equipo[k], equipos[k].trimmed());
    DibujaBoton(Pic_BotFecJor, AnchoBotonFecha, TituloBotonFecha(estado_.Datos.FechaJornada),
                false);
    DibujaBoton(Pic_BotNroJor, AnchoBotonJornada, TituloBotonJornada(estado_.Datos.JornadaActual),
                false);
}

void PantallaJornadas::PulsaFecJor() {
    if (panelAbierto_)
        PliegaPanelFecha();
    else
        DespliegaPanelFecha();
}

void PantallaJornadas::DespliegaPanelFecha() {
    // La lista desplegada se cierra antes, para que no cargue la jornada con el panel abierto.
    if (listaJornadas_->Abierta())
        listaJornadas_->Cierra(true);
    TocaSonido(estado_, 6);
    DibujaBoton(Pic_BotFecJor, AnchoBotonFecha, Pic_BotFecJor->Rotulo(), true);
    panelAbierto_ = true;
    Pic_FecJor->raise();
    Pic_FecJor->show();
    Tex_FecDia->setFocus();
    // Cursor al principio y el texto elegido: lo que se escriba sustituye al "00".
    Tex_FecDia->setSelection(Tex_FecDia->text().size(), -Tex_FecDia->text().size());
}

void PantallaJornadas::PliegaPanelFecha() {
    if (!estado_.ModoEdicion)
        TocaSonido(estado_, 7);
    const CierreFecha cierre = quiniela::CierraPanelFecha(
        {Tex_FecDia->text(), Tex_FecMes->text(), Tex_FecAno->text()}, estado_.Datos.FechaJornada);
    Tex_FecDia->setText(cierre.Campos.Dia);
    Tex_FecMes->setText(cierre.Campos.Mes);
    Tex_FecAno->setText(cierre.Campos.Ano);
    if (!cierre.Valida) {
        ErrorEnLaFecha();
        return;
    }
    panelAbierto_ = false;
    Pic_FecJor->hide();
    if (cierre.Cambiada) {
        Pic_BotGuardar->show();
        estado_.Datos.FechaJornada = cierre.Fecha;
    }
    DibujaBoton(Pic_BotFecJor, AnchoBotonFecha, TituloBotonFecha(estado_.Datos.FechaJornada),
                false);
}

void PantallaJornadas::CampoFechaEditado(QLineEdit* campo, QLineEdit* siguiente) {
    const TextoConCursor recorte =
        RecortaTexto({campo->text(), campo->cursorPosition()}, LongitudCampoFecha);
    if (recorte.Texto != campo->text()) {
        campo->setText(recorte.Texto);
        campo->setCursorPosition(recorte.Cursor);
    }
    if (siguiente != nullptr && PasaAlSiguienteCampo(recorte)) {
        siguiente->setFocus();
        siguiente->setSelection(siguiente->text().size(), -siguiente->text().size());
    }
}

void PantallaJornadas::ErrorEnLaFecha() {
    MuestraErrorFecha();
    PonCursor(this, QString());
}

void PantallaJornadas::PonTextoCasilla(QComboBox* casilla, const QString& texto) {
    // El elemento igual al texto queda como el actual de la lista desplegada.
    casilla->setCurrentIndex(casilla->findText(texto));
    casilla->setEditText(texto);
}

void PantallaJornadas::RecortaCasilla(QComboBox* casilla) {
    QLineEdit* editor = casilla->lineEdit();
    const TextoConCursor recorte =
        RecortaTexto({editor->text(), editor->cursorPosition()}, LongitudNombreEquipo);
    if (recorte.Texto != editor->text()) {
        editor->setText(recorte.Texto);
        editor->setCursorPosition(recorte.Cursor);
    }
}

void PantallaJornadas::CreaCboEquipo() {
    GuardaModoEdicion edicion(estado_);
    // Si no se pudo leer el fichero (ya avisado), las casillas se quedan como estaban.
    if (const auto nombres = quiniela::CreaCboEquipo(estado_)) {
        for (int k = 1; k <= NumEquiposJornada; ++k) {
            QComboBox* casilla = Cbo_Equipo[k];
            const QString texto = casilla->currentText();
            casilla->clear();
            casilla->addItems(*nombres);
            PonTextoCasilla(casilla, texto);
        }
    }
}

void PantallaJornadas::Guarda() {
    if (panelAbierto_) {
        PliegaPanelFecha();
        if (panelAbierto_)
            return;
    }
    const CamposFecha campos{Tex_FecDia->text(), Tex_FecMes->text(), Tex_FecAno->text()};
    if (!quiniela::CierraPanelFecha(campos, estado_.Datos.FechaJornada).Valida) {
        ErrorEnLaFecha();
        return;
    }
    TocaSonido(estado_, 6);
    DibujaBoton(Pic_BotGuardar, AnchoBotonLargo, Pic_BotGuardar->Rotulo(), true);
    EquiposJornada equipos;
    for (int k = 1; k <= NumEquiposJornada; ++k)
        equipos[k] = Cbo_Equipo[k]->currentText();
    // Si la escritura falla, la lógica ya ha avisado; los cambios siguen en pantalla.
    const ResultadoGuardarJornada resultado = GuardaJornadaActual(estado_, campos, equipos);
    Espera(300);
    DibujaBoton(Pic_BotGuardar, AnchoBotonLargo, Pic_BotGuardar->Rotulo(), false);
    if (resultado != ResultadoGuardarJornada::Guardada)
        return;
    const CamposFecha guardados = CamposDeFecha(estado_.Datos.FechaJornada);
    Tex_FecDia->setText(guardados.Dia);
    Tex_FecMes->setText(guardados.Mes);
    Tex_FecAno->setText(guardados.Ano);
    DibujaBoton(Pic_BotFecJor, AnchoBotonFecha, TituloBotonFecha(estado_.Datos.FechaJornada),
                false);
    TocaSonido(estado_, 6);
    Espera(200);
    Pic_BotGuardar->hide();
}

void PantallaJornadas::AbreEquipos() {
    if (listaJornadas_->Abierta())
        listaJornadas_->Cierra(true);
    TocaSonido(estado_, 9);
    {
        PantallaEquipos equipos(estado_, this);
        equipos.exec();
    }
    // Las casillas ofrecen la lista tal como quedó en el fichero.
    CreaCboEquipo();
}

void PantallaJornadas::Sal() {
    if (saliendo_)
        return;
    saliendo_ = true;
    TocaSonido(estado_, 5);
    // Lo no guardado se descarta: el estado vuelve a tener la jornada del fichero.
    LeeFicheroJornadas(estado_);
    QDialog::reject();
}

void PantallaJornadas::reject() {
    // Escape pliega la lista desplegada; si no hay ninguna, sale como el botón Salir.
    if (listaJornadas_->Abierta()) {
        listaJornadas_->Cierra(true);
        return;
    }
    Sal();
}

bool PantallaJornadas::eventFilter(QObject* objeto, QEvent* evento) {
    QComboBox* casilla = qobject_cast<QComboBox*>(objeto);
    if (casilla == nullptr && objeto->parent() != nullptr)
        casilla = qobject_cast<QComboBox*>(objeto->parent());
    if (casilla == nullptr)
        return QDialog::eventFilter(objeto, evento);
    // La rueda sobre una casilla la vigila la aplicación entera (solo cambia la pulsada).
    if (evento->type() == QEvent::KeyPress) {
        const int tecla = static_cast<QKeyEvent*>(evento)->key();
        if (TeclaPuedeCambiarCasilla(tecla) && !estado_.ModoEdicion)
            Pic_BotGuardar->show();
        if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter) {
            const int k = static_cast<int>(
                std::find(Cbo_Equipo.begin() + 1, Cbo_Equipo.end(), casilla) - Cbo_Equipo.begin());
            if (k < NumEquiposJornada)
                Cbo_Equipo[k + 1]->setFocus(Qt::TabFocusReason);
            return true;
        }
    }
    return QDialog::eventFilter(objeto, evento);
}

void PantallaJornadas::paintEvent(QPaintEvent*) {
    QPainter p(this);
    PintaFondoPanel(p, rect());
    PintaPanelHundido(p, AreaPartidos);
}

} // namespace quiniela
