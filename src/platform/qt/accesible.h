#pragma once
// Lo que oye un lector de pantalla: los botones de imagen son botones que se pulsan, y los
// controles pintados por partes (rejillas, los cuatro botones de la consulta) dicen cada parte:
// su partido, su signo y si está marcada, con la acción de pulsarla.

#include <QAccessible>
#include <QRect>
#include <QString>

#include <functional>

class QWidget;

namespace quiniela {

// Una parte de un control pintado: su caja en el control, lo que dice y qué hace al pulsarla.
struct ElementoAccesible {
    QRect Caja;
    QString Nombre;
    QString Descripcion;
    QAccessible::Role Rol = QAccessible::Cell;
    bool Marcable = false; // casilla que se marca y se borra
    bool Marcado = false;
    bool Activo = true;
    std::function<void()> Pulsa; // nulo: solo se lee
};

// Lo implementa un control pintado que es un solo botón (de imagen, de dibujo).
class BotonAccesible {
public:
    virtual ~BotonAccesible() = default;
    virtual QString RotuloAccesible() const = 0;
    virtual bool PulsadoAccesible() const { return false; }
    virtual void PulsaAccesible() = 0;
};

// Lo implementa el control pintado por partes.
class ElementosAccesibles {
public:
    virtual ~ElementosAccesibles() = default;
    virtual int NumElementos() const = 0;
    virtual ElementoAccesible Elemento(int indice) const = 0;
};

// Instala, una sola vez, la fábrica que da su interfaz accesible a los controles con
// BotonAccesible o ElementosAccesibles.
void InstalaAccesibilidad();

// Avisa al lector de pantalla de que han cambiado las partes de un control (marcas, activos).
void AvisaCambioElementos(QWidget* control);

} // namespace quiniela
