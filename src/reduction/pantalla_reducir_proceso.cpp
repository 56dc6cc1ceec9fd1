// La reducción desde la pantalla: el panel de progreso, la cancelación y la espera a que
// se salga del panel; fuera del panel no se atiende ni el ratón ni el teclado.

#include "core/estado_global.h"
#include "platform/plataforma.h"
#include "platform/qt/boton_imagen.h"
#include "reduction/motor_reduccion.h"
#include "reduction/pantalla_reducir.h"

#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>

#include <algorithm>
#include <limits>

namespace quiniela {

namespace {

// Combinaciones entre dos miradas al reloj durante la reducción: se ajusta sola para mirarlo
// cada uno o pocos milisegundos, sea cual sea la velocidad de la máquina y del método.
constexpr int32_t ZancadaInicial = 4096;
constexpr int32_t ZancadaMinima = 64;
constexpr int32_t ZancadaMaxima = 1 << 22;
constexpr qint64 NanosegundosZancadaCorta = 1'000'000;
constexpr qint64 NanosegundosZancadaLarga = 8'000'000;

} // namespace

// Aviso de progreso de la pantalla: dice al desarrollo en qué paso volver a llamarlo (otro
// porcentaje o mirar el reloj), así que no cuesta nada en las demás combinaciones.
struct AvisoPantallaReducir {
    PantallaReducir* Pantalla;
    RespuestaAviso operator()(int32_t paso, int32_t pasos) {
        return Pantalla->AtiendeProgreso(paso, pasos);
    }
};

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
    desplegables_.CierraTodas();
    TocaSonido(estado_, 6);
    DibujaBoton(Pic_BotReducir, AnchoReducir, Pic_BotReducir->Rotulo(), true);
    reduciendo_ = true;
    panelVisible_ = false;
    ActivaControles(false);

    OpcionesReduccion opciones;
    opciones.AlEmpezar = [this](int32_t total, int32_t aceptadas) {
        MuestraPanel(total, aceptadas);
    };
    opciones.Aviso = AvisoPantallaReducir{this};
    TerminaReduccion(EjecutaReduccion(estado_, opciones));

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

void PantallaReducir::TerminaReduccion(const ResultadoReduccion& resultado) {
    switch (resultado.Fin) {
    case FinReduccion::Rechazada:
        MuestraMensaje(resultado.Mensaje->Titulo, resultado.Mensaje->Texto);
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
        MuestraMensaje(resultado.Mensaje->Titulo, resultado.Mensaje->Texto);
        break;
    }
}

void PantallaReducir::CancelaDesdePanel() {
    if (reduciendo_ && !esperandoSalida_)
        cancelado_ = true;
}

void PantallaReducir::SalDelPanel() {
    if (esperandoSalida_ && saleDelPanel_)
        saleDelPanel_();
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
    return QDialog::eventFilter(objeto, evento);
}

} // namespace quiniela
