#include "shell/lista_desplegable.h"

#include "core/estado_global.h"
#include "platform/plataforma.h"
#include "platform/qt/boton_imagen.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QListWidget>

namespace quiniela {

ListaDesplegable::ListaDesplegable(EstadoGlobal& estado, BotonImagen* boton, QListWidget* lista,
                                   int ancho, std::function<QString()> rotulo)
    : QObject(lista), estado_(estado), boton_(boton), lista_(lista), ancho_(ancho),
      rotulo_(std::move(rotulo)) {
    lista_->hide();
    lista_->installEventFilter(this);
    connect(boton_, &BotonImagen::pulsado, this, &ListaDesplegable::Pulsa);
    const auto eligeYCierra = [this] {
        if (abierta_)
            Cierra(true);
    };
    connect(lista_, &QListWidget::itemClicked, this, eligeYCierra);
    connect(lista_, &QListWidget::itemActivated, this, eligeYCierra);
}

void ListaDesplegable::Pulsa() {
    if (abierta_)
        Cierra(true);
    else
        Abre();
}

void ListaDesplegable::Abre() {
    if (estado_.ModoEdicion || (PuedeAbrir && !PuedeAbrir()))
        return;
    TocaSonido(estado_, 6);
    if (PreparaApertura && !PreparaApertura())
        return;
    DibujaBoton(boton_, ancho_, rotulo_(), true);
    abierta_ = true;
    filaAlAbrir_ = lista_->currentRow();
    // Un clic en cualquier otro sitio la pliega, también donde no hay control que tome el foco.
    qApp->installEventFilter(this);
    lista_->raise();
    lista_->show();
    lista_->setFocus();
    if (QListWidgetItem* item = lista_->currentItem())
        lista_->scrollToItem(item);
}

void ListaDesplegable::Cierra(bool aplica) {
    abierta_ = false;
    qApp->removeEventFilter(this);
    // El foco vuelve al botón de la lista, no al siguiente control.
    if (lista_->hasFocus())
        boton_->setFocus(Qt::OtherFocusReason);
    lista_->hide();
    if (!estado_.ModoEdicion)
        TocaSonido(estado_, 7);
    DibujaBoton(boton_, ancho_, rotulo_(), false);
    if ((aplica || CierreElige) && Elige)
        Elige(lista_->currentRow());
}

void ListaDesplegable::Cancela() {
    if (!abierta_)
        return;
    lista_->setCurrentRow(filaAlAbrir_);
    const bool elige = CierreElige;
    CierreElige = false;
    Cierra(false);
    CierreElige = elige;
}

void ListaDesplegable::Redibuja() {
    boton_->Dibuja(ancho_, rotulo_(), abierta_);
}

bool ListaDesplegable::RotuloAlDia() const {
    return boton_->Rotulo() == rotulo_();
}

bool ListaDesplegable::eventFilter(QObject* objeto, QEvent* evento) {
    if (!abierta_)
        return QObject::eventFilter(objeto, evento);
    if (objeto == lista_ && evento->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(evento)->key() == Qt::Key_Escape) {
        Cancela();
        return true;
    }
    if (evento->type() == QEvent::MouseButtonPress && objeto->isWidgetType()) {
        // Fuera de la lista y de su botón, en la misma ventana: como perder el foco.
        auto* w = static_cast<QWidget*>(objeto);
        const bool suyo = w == lista_ || lista_->isAncestorOf(w) || w == boton_;
        if (!suyo && w->window() == lista_->window())
            Cierra(false);
        return QObject::eventFilter(objeto, evento);
    }
    if (objeto == lista_ && evento->type() == QEvent::FocusOut) {
        // Un clic en otro control pliega la lista; no así el paso a otra ventana (el diálogo
        // de mensajes, la ayuda u otro programa).
        const Qt::FocusReason razon = static_cast<QFocusEvent*>(evento)->reason();
        if (razon != Qt::ActiveWindowFocusReason && razon != Qt::PopupFocusReason)
            Cierra(false);
    }
    return QObject::eventFilter(objeto, evento);
}

ListaDesplegable* GrupoDesplegables::Anade(BotonImagen* boton, QListWidget* lista, int ancho,
                                           std::function<QString()> rotulo,
                                           std::function<void(int fila)> elige) {
    auto* d = new ListaDesplegable(estado_, boton, lista, ancho, std::move(rotulo));
    d->PuedeAbrir = [this] {
        if (Ocupada && Ocupada())
            return false;
        CierraTodas();
        return true;
    };
    d->Elige = [elige = std::move(elige)](int fila) {
        if (fila >= 0)
            elige(fila);
    };
    listas_.push_back(d);
    return d;
}

void GrupoDesplegables::CierraTodas() {
    for (ListaDesplegable* d : listas_)
        if (d->Abierta())
            d->Cierra(false);
}

bool GrupoDesplegables::CierraAbierta() {
    for (ListaDesplegable* d : listas_)
        if (d->Abierta()) {
            d->Cancela();
            return true;
        }
    return false;
}

void GrupoDesplegables::Redibuja() {
    for (ListaDesplegable* d : listas_)
        d->Redibuja();
}

} // namespace quiniela
