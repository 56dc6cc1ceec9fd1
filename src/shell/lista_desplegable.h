#pragma once
// Un botón de imagen con su lista desplegable: la pulsación la abre o la cierra, una
// elección (clic, Intro) la cierra aplicándola, y un clic en otro control la pliega.

#include <QObject>
#include <QString>

#include <functional>

class QListWidget;

namespace quiniela {

struct EstadoGlobal;
class BotonImagen;

class ListaDesplegable : public QObject {
public:
    ListaDesplegable(EstadoGlobal& estado, BotonImagen* boton, QListWidget* lista, int ancho,
                     std::function<QString()> rotulo);

    // Antes del sonido de apertura: false si la lista no puede abrirse ahora.
    std::function<bool()> PuedeAbrir;
    // Tras el sonido de apertura, justo antes de mostrarse: false si al final no se abre.
    std::function<bool()> PreparaApertura;
    // La fila confirmada (-1 si no hay ninguna).
    std::function<void(int fila)> Elige;
    // Si cualquier cierre confirma la fila actual (Escape y el clic fuera también).
    bool CierreElige = false;

    BotonImagen* Boton() const { return boton_; }
    QListWidget* Lista() const { return lista_; }
    bool Abierta() const { return abierta_; }

    void Pulsa();
    void Abre();
    void Cierra(bool aplica);
    // Dibuja el botón suelto o pulsado según la lista, con el rótulo de ahora.
    void Redibuja();
    bool RotuloAlDia() const;

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    EstadoGlobal& estado_;
    BotonImagen* boton_;
    QListWidget* lista_;
    int ancho_;
    std::function<QString()> rotulo_;
    bool abierta_ = false;
};

} // namespace quiniela
