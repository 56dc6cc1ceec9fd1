#include "shell/junto_al_menu.h"

#include "core/colocacion_ventanas.h"
#include "platform/qt/estilo.h"

#include <QCloseEvent>
#include <QScrollBar>

#include <algorithm>

namespace quiniela {

VentanaDesplazable::VentanaDesplazable(QWidget* pantalla, int altoVisible, QWidget* padre)
    : QScrollArea(padre), pantalla_(pantalla), altoVisible_(altoVisible) {
    setWindowFlags(Qt::Window);
    setObjectName(pantalla->objectName() + QStringLiteral("_desplazable"));
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setWidgetResizable(false);
    setWidget(pantalla);
    setWindowTitle(pantalla->windowTitle());
    pantalla->installEventFilter(this);
    Ajusta();
}

void VentanaDesplazable::Ajusta() {
    if (!pantalla_)
        return;
    setFixedSize(pantalla_->width() + verticalScrollBar()->sizeHint().width(),
                 std::min(pantalla_->height(), altoVisible_));
}

bool VentanaDesplazable::eventFilter(QObject* objeto, QEvent* evento) {
    if (objeto == pantalla_) {
        switch (evento->type()) {
        case QEvent::Resize:
            Ajusta();
            break;
        case QEvent::WindowTitleChange:
            setWindowTitle(pantalla_->windowTitle());
            break;
        case QEvent::Hide:
            // La pantalla se ha cerrado (Salir, Escape o el menú): su ventana con ella.
            if (!cerrando_ && isVisible()) {
                cerrando_ = true;
                close();
                deleteLater();
            }
            break;
        default:
            break;
        }
    }
    return QScrollArea::eventFilter(objeto, evento);
}

void VentanaDesplazable::closeEvent(QCloseEvent* evento) {
    // Cerrar la ventana es cerrar la pantalla, que puede negarse (un escrutinio en marcha).
    if (!cerrando_ && pantalla_ && !pantalla_->close()) {
        evento->ignore();
        return;
    }
    cerrando_ = true;
    evento->accept();
    deleteLater();
}

namespace {

// El menú recuerda su sitio propio mientras una pantalla sin modo lo tiene movido, y cuál: al
// abrir otra se coloca desde su sitio propio, y al cerrarse la que lo movió vuelve a él.
constexpr auto SitioPropio = "quiniela_sitioPropio";
constexpr auto SitioMovido = "quiniela_sitioMovido";
constexpr auto MovidoPor = "quiniela_movidoPor";

QPoint SitioDelMenu(const QWidget* menu) {
    const QVariant movido = menu->property(SitioMovido);
    if (movido.isValid() && movido.toPoint() == menu->pos())
        return menu->property(SitioPropio).toPoint();
    return menu->pos();
}

void MueveMenu(QWidget* menu, QWidget* pantalla, QPoint propio, QPoint destino) {
    if (destino != menu->pos())
        menu->move(destino);
    if (destino == propio) {
        for (const char* nombre : {SitioPropio, SitioMovido, MovidoPor})
            menu->setProperty(nombre, QVariant());
        return;
    }
    // Ahora lo tiene movido esta pantalla, aunque ya estuviera ahí por la anterior.
    menu->setProperty(SitioPropio, propio);
    menu->setProperty(SitioMovido, destino);
    menu->setProperty(MovidoPor, QVariant::fromValue(quintptr(pantalla)));
    QObject::connect(pantalla, &QObject::destroyed, menu, [menu, pantalla] {
        // Si nadie lo ha movido entretanto (el usuario u otra pantalla).
        if (menu->property(MovidoPor).value<quintptr>() != quintptr(pantalla) ||
            menu->property(SitioMovido).toPoint() != menu->pos())
            return;
        menu->move(menu->property(SitioPropio).toPoint());
        for (const char* nombre : {SitioPropio, SitioMovido, MovidoPor})
            menu->setProperty(nombre, QVariant());
    });
}

} // namespace

void AbreJuntoAlMenu(QWidget* pantalla, QWidget* menu, const QRect& entradas) {
    // El menú ya está a la vista: su marco es el de verdad. La pantalla aún no, y se le
    // supone el marco más alto de los dos.
    const QPoint propio = SitioDelMenu(menu);
    const QRect marcoMenu(propio, menu->frameGeometry().size());
    const QPoint dentro = menu->geometry().topLeft() - menu->frameGeometry().topLeft();
    const QMargins marco = MargenesMarco(menu);
    const ColocacionJuntoAlMenu sitio =
        ColocaJuntoAlMenu(AreaUtilPantalla(), marcoMenu, entradas.translated(dentro),
                          pantalla->size().grownBy(marco));
    MueveMenu(menu, pantalla, propio, sitio.Menu);
    QWidget* ventana = pantalla;
    if (sitio.AltoVisible < pantalla->height() + marco.top() + marco.bottom())
        ventana = new VentanaDesplazable(pantalla, sitio.AltoVisible - marco.top() - marco.bottom(),
                                         menu);
    // La barra de desplazamiento la ensancha: que no se salga por la derecha.
    const QRect area = AreaUtilPantalla();
    const int ancho = ventana->width() + marco.left() + marco.right();
    ventana->move(std::max(area.left(), std::min(sitio.Pantalla.x(), area.right() + 1 - ancho)),
                  sitio.Pantalla.y());
    ventana->show();
    pantalla->show();
}

} // namespace quiniela
