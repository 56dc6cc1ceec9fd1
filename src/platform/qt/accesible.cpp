#include "platform/qt/accesible.h"

#include <QAccessibleWidget>
#include <QPointer>
#include <QWidget>

#include <map>

namespace quiniela {

namespace {

const QString& AccionPulsar() {
    return QAccessibleActionInterface::pressAction();
}

// Un botón pintado: un botón con su rótulo y la acción de pulsar.
class AccesibleBoton : public QAccessibleWidget {
public:
    AccesibleBoton(QWidget* control, BotonAccesible* boton)
        : QAccessibleWidget(control, QAccessible::PushButton), boton_(boton) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return boton_->RotuloAccesible();
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.pressed = boton_->PulsadoAccesible();
        return s;
    }
    QStringList actionNames() const override {
        return QStringList{AccionPulsar()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& accion) override {
        if (accion == AccionPulsar()) {
            if (widget()->isEnabled())
                boton_->PulsaAccesible();
            return;
        }
        QAccessibleWidget::doAction(accion);
    }
    QStringList keyBindingsForAction(const QString& accion) const override {
        if (accion == AccionPulsar())
            return {QStringLiteral("Space"), QStringLiteral("Return")};
        return QAccessibleWidget::keyBindingsForAction(accion);
    }

private:
    BotonAccesible* boton_;
};

// Una parte de un control pintado.
class AccesibleElemento : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    AccesibleElemento(QAccessibleInterface* padre, QWidget* control, int indice)
        : padre_(padre), control_(control), indice_(indice) {}

    bool isValid() const override { return control_ != nullptr; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return padre_->window(); }
    QAccessibleInterface* parent() const override { return padre_; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    void setText(QAccessible::Text, const QString&) override {}

    QString text(QAccessible::Text t) const override {
        const ElementoAccesible e = Elemento();
        if (t == QAccessible::Name)
            return e.Nombre;
        if (t == QAccessible::Description)
            return e.Descripcion;
        return {};
    }
    QRect rect() const override {
        const QRect caja = Elemento().Caja;
        return QRect(control_->mapToGlobal(caja.topLeft()), caja.size());
    }
    QAccessible::Role role() const override { return Elemento().Rol; }
    QAccessible::State state() const override {
        const ElementoAccesible e = Elemento();
        QAccessible::State s;
        s.checkable = e.Marcable;
        s.checked = e.Marcado;
        s.disabled = !e.Activo || !control_->isEnabled();
        s.invisible = !control_->isVisible();
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType tipo) override {
        if (tipo == QAccessible::ActionInterface)
            return static_cast<QAccessibleActionInterface*>(this);
        return nullptr;
    }

    QStringList actionNames() const override {
        const ElementoAccesible e = Elemento();
        if (!e.Pulsa)
            return {};
        return {e.Marcable ? toggleAction() : AccionPulsar()};
    }
    void doAction(const QString& accion) override {
        const ElementoAccesible e = Elemento();
        if (e.Pulsa && e.Activo && control_->isEnabled() && actionNames().contains(accion))
            e.Pulsa();
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    ElementoAccesible Elemento() const {
        return dynamic_cast<const ElementosAccesibles*>(control_.data())->Elemento(indice_);
    }
    QAccessibleInterface* padre_;
    QPointer<QWidget> control_;
    int indice_;
};

// Un control pintado por partes: cada parte es un hijo accesible.
class AccesibleConPartes : public QAccessibleWidget {
public:
    explicit AccesibleConPartes(QWidget* control)
        : QAccessibleWidget(control, QAccessible::Table) {}
    ~AccesibleConPartes() override {
        for (const auto& [indice, id] : hijos_)
            QAccessible::deleteAccessibleInterface(id);
    }

    int childCount() const override { return Partes()->NumElementos(); }
    QAccessibleInterface* child(int indice) const override {
        if (indice < 0 || indice >= childCount())
            return nullptr;
        auto it = hijos_.find(indice);
        if (it == hijos_.end()) {
            auto* hijo =
                new AccesibleElemento(const_cast<AccesibleConPartes*>(this), widget(), indice);
            it = hijos_.emplace(indice, QAccessible::registerAccessibleInterface(hijo)).first;
        }
        return QAccessible::accessibleInterface(it->second);
    }
    int indexOfChild(const QAccessibleInterface* hijo) const override {
        for (const auto& [indice, id] : hijos_)
            if (QAccessible::accessibleInterface(id) == hijo)
                return indice;
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        const QPoint punto = widget()->mapFromGlobal(QPoint(x, y));
        for (int i = 0; i < childCount(); ++i)
            if (Partes()->Elemento(i).Caja.contains(punto))
                return child(i);
        return nullptr;
    }

private:
    const ElementosAccesibles* Partes() const {
        return dynamic_cast<const ElementosAccesibles*>(widget());
    }
    mutable std::map<int, QAccessible::Id> hijos_;
};

QAccessibleInterface* Fabrica(const QString&, QObject* objeto) {
    auto* control = qobject_cast<QWidget*>(objeto);
    if (control == nullptr)
        return nullptr;
    if (auto* boton = dynamic_cast<BotonAccesible*>(control))
        return new AccesibleBoton(control, boton);
    if (dynamic_cast<ElementosAccesibles*>(control) != nullptr)
        return new AccesibleConPartes(control);
    return nullptr;
}

} // namespace

void InstalaAccesibilidad() {
    static const bool instalada = [] {
        QAccessible::installFactory(Fabrica);
        return true;
    }();
    (void)instalada;
}

void AvisaCambioElementos(QWidget* control) {
    if (!QAccessible::isActive())
        return;
    QAccessibleEvent evento(control, QAccessible::StateChanged);
    QAccessible::updateAccessibility(&evento);
}

} // namespace quiniela
