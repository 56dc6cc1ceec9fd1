#include "matchdays/pantalla_equipos.h"

#include "core/estado_global.h"
#include "core/tipos.h"
#include "platform/plataforma.h"
#include "platform/qt/boton_imagen.h"
#include "platform/qt/estilo.h"
#include "shell/piezas_pantalla.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>

namespace quiniela {

namespace {
constexpr int AnchoVentana = 380;
constexpr int AltoVentana = 400;
constexpr int XIzquierda = 25;
constexpr int XBotones = 222;
constexpr int AnchoCampo = 180;
constexpr int AnchoBotonLargo = 133;
constexpr int AnchoBotonCorto = 70;
constexpr int YCampo = 40;
constexpr int YLista = 102;
constexpr int YBotonesAbajo = 356;
} // namespace

PantallaEquipos::PantallaEquipos(EstadoGlobal& estado, QWidget* padre)
    : QDialog(padre), estado_(estado) {
    setObjectName(QStringLiteral("equipos"));
    setWindowTitle(QStringLiteral("Lista de equipos"));
    setFixedSize(AnchoVentana, AltoVentana);
    setStyleSheet(EstiloEditor());
    CreaCampoNuevo();
    CreaLista();
    CreaBotonesAbajo();
    editor_.Carga(estado_);
    Lis_Equipos->addItems(editor_.Lista());
    ActualizaBotones();
    Conecta();
    EncadenaTabulador({Tex_NuevoEquipo, Pic_BotAnadir, Lis_Equipos, Pic_BotBorrar, Pic_BotGuardar,
                       Pic_Ayuda, Pic_Salir});
    Tex_NuevoEquipo->setFocus();
    CentraEnPantalla(this);
}

void PantallaEquipos::CreaRotulo(const QString& texto, int y) {
    auto* rotulo = new QLabel(texto, this);
    rotulo->setGeometry(XIzquierda, y, AnchoCampo, 20);
    rotulo->setStyleSheet(EstiloTitulo());
}

void PantallaEquipos::CreaCampoNuevo() {
    CreaRotulo(QStringLiteral("Nombre del equipo"), YCampo - 22);
    Tex_NuevoEquipo = new QLineEdit(this);
    Tex_NuevoEquipo->setObjectName(QStringLiteral("Tex_NuevoEquipo"));
    Tex_NuevoEquipo->setAccessibleName(QStringLiteral("Nombre del equipo"));
    Tex_NuevoEquipo->setGeometry(XIzquierda, YCampo, AnchoCampo, AltoBoton);
    Tex_NuevoEquipo->setMaxLength(LongitudNombreEquipo);
    FiltraNoCodificables(Tex_NuevoEquipo);
    Tex_NuevoEquipo->installEventFilter(this);
    Pic_BotAnadir = CreaBoton(this, QStringLiteral("Pic_BotAñadir"), QPoint(XBotones, YCampo),
                              AnchoBotonLargo, QStringLiteral("Añadir equipo"));
}

void PantallaEquipos::CreaLista() {
    CreaRotulo(QStringLiteral("Lista de equipos"), YLista - 22);
    Lis_Equipos = new QListWidget(this);
    Lis_Equipos->setObjectName(QStringLiteral("Lis_Equipos"));
    Lis_Equipos->setAccessibleName(QStringLiteral("Lista de equipos"));
    Lis_Equipos->setGeometry(XIzquierda, YLista, AnchoCampo, YBotonesAbajo - 20 - YLista);
    Lis_Equipos->setSelectionMode(QAbstractItemView::SingleSelection);
    Lis_Equipos->installEventFilter(this);
    Pic_BotBorrar = CreaBoton(this, QStringLiteral("Pic_BotBorrar"), QPoint(XBotones, YLista),
                              AnchoBotonLargo, QStringLiteral("Borrar equipo"));
}

void PantallaEquipos::CreaBotonesAbajo() {
    Pic_BotGuardar =
        CreaBoton(this, QStringLiteral("Pic_BotGuardar"), QPoint(XIzquierda, YBotonesAbajo),
                  AnchoBotonLargo, QStringLiteral("Guardar datos"));
    Pic_BotGuardar->hide();
    Pic_Salir = CreaBoton(this, QStringLiteral("Pic_Salir"),
                          QPoint(XBotones + AnchoBotonLargo - AnchoBotonCorto, YBotonesAbajo),
                          AnchoBotonCorto, QStringLiteral("Salir"));
    Pic_Ayuda = CreaBoton(this, QStringLiteral("Pic_Ayuda"),
                          QPoint(Pic_Salir->x() - 10 - AnchoBotonCorto, YBotonesAbajo),
                          AnchoBotonCorto, QStringLiteral("Ayuda"));
}

void PantallaEquipos::Conecta() {
    connect(Tex_NuevoEquipo, &QLineEdit::textChanged, this, [this](const QString& texto) {
        editor_.PonNuevoEquipo(texto);
        ActualizaBotones();
    });
    connect(Tex_NuevoEquipo, &QLineEdit::returnPressed, this, &PantallaEquipos::Anade);
    connect(Lis_Equipos, &QListWidget::itemSelectionChanged, this, [this] {
        const QList<QListWidgetItem*> elegidos = Lis_Equipos->selectedItems();
        editor_.Selecciona(elegidos.isEmpty() ? -1 : Lis_Equipos->row(elegidos.first()));
        ActualizaBotones();
    });
    connect(Pic_BotAnadir, &BotonImagen::pulsado, this, &PantallaEquipos::Anade);
    connect(Pic_BotBorrar, &BotonImagen::pulsado, this, &PantallaEquipos::Borra);
    connect(Pic_BotGuardar, &BotonImagen::pulsado, this, &PantallaEquipos::Guarda);
    connect(Pic_Salir, &BotonImagen::pulsado, this, &PantallaEquipos::Sal);
    connect(Pic_Ayuda, &BotonImagen::pulsado, this, [this] {
        TocaSonido(estado_, 9);
        AbreAyuda(2151);
    });
}

void PantallaEquipos::ActualizaBotones() {
    Pic_BotAnadir->setVisible(editor_.AnadirVisible());
    Pic_BotBorrar->setVisible(editor_.BorrarVisible());
}

void PantallaEquipos::Anade() {
    if (!editor_.AnadirVisible())
        return;
    TocaSonido(estado_, 6);
    DibujaBoton(Pic_BotAnadir, AnchoBotonLargo, Pic_BotAnadir->Rotulo(), true);
    // Se añade tal como se escribió; los blancos de los lados se quitan al guardar.
    const QString nombre = editor_.NuevoEquipo();
    editor_.Anade();
    Lis_Equipos->addItem(nombre);
    Lis_Equipos->scrollToBottom();
    Tex_NuevoEquipo->clear();
    Tex_NuevoEquipo->setFocus();
    Espera(300);
    DibujaBoton(Pic_BotAnadir, AnchoBotonLargo, Pic_BotAnadir->Rotulo(), false);
    TocaSonido(estado_, 6);
    Pic_BotGuardar->show();
}

void PantallaEquipos::Borra() {
    if (!editor_.BorrarVisible())
        return;
    TocaSonido(estado_, 6);
    DibujaBoton(Pic_BotBorrar, AnchoBotonLargo, Pic_BotBorrar->Rotulo(), true);
    const int fila = editor_.Seleccion();
    editor_.BorraSeleccionado();
    {
        // La lista de la pantalla sigue a la del editor, sin elegir otra fila.
        const QSignalBlocker bloqueo(Lis_Equipos);
        delete Lis_Equipos->takeItem(fila);
        Lis_Equipos->clearSelection();
    }
    Espera(300);
    DibujaBoton(Pic_BotBorrar, AnchoBotonLargo, Pic_BotBorrar->Rotulo(), false);
    Pic_BotGuardar->show();
    Espera(200);
    ActualizaBotones();
}

void PantallaEquipos::Guarda() {
    TocaSonido(estado_, 6);
    DibujaBoton(Pic_BotGuardar, AnchoBotonLargo, Pic_BotGuardar->Rotulo(), true);
    const ResultadoFichero resultado = editor_.Guarda(estado_);
    Espera(300);
    DibujaBoton(Pic_BotGuardar, AnchoBotonLargo, Pic_BotGuardar->Rotulo(), false);
    if (!resultado.Bien()) {
        // La lista sigue en pantalla para poder intentarlo otra vez.
        MuestraMensaje(QStringLiteral("ERROR AL GUARDAR"), TextoErrorGuardarEquipos(resultado));
        return;
    }
    TocaSonido(estado_, 6);
    Espera(200);
    Pic_BotGuardar->hide();
}

void PantallaEquipos::Sal() {
    if (saliendo_)
        return;
    saliendo_ = true;
    TocaSonido(estado_, 5);
    QDialog::reject();
}

void PantallaEquipos::reject() {
    // Escape o cerrar la ventana salen como el botón Salir.
    Sal();
}

bool PantallaEquipos::eventFilter(QObject* objeto, QEvent* evento) {
    if (objeto == Tex_NuevoEquipo && evento->type() == QEvent::FocusIn) {
        editor_.EntraEnNuevoEquipo();
        Lis_Equipos->clearSelection();
        ActualizaBotones();
    } else if (objeto == Lis_Equipos && evento->type() == QEvent::KeyPress &&
               static_cast<QKeyEvent*>(evento)->key() == Qt::Key_Delete &&
               editor_.BorrarVisible()) {
        Borra();
        return true;
    }
    return QDialog::eventFilter(objeto, evento);
}

void PantallaEquipos::paintEvent(QPaintEvent*) {
    QPainter p(this);
    PintaFondoPanel(p, rect());
}

} // namespace quiniela
