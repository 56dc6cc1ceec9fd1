#pragma once
// Un botón de imagen con su lista desplegable: la pulsación la abre o la cierra, una
// elección (clic, Intro) la cierra aplicándola, un clic fuera de ella la pliega y Escape la
// pliega sin elegir.

#include <QObject>
#include <QString>

#include <functional>
#include <vector>

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
    // Escape: vuelve a la fila que tenía al abrirse y se cierra sin elegir nada.
    void Cancela();
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
    int filaAlAbrir_ = -1;
};

// Las listas desplegables de una pantalla: al abrir una, las demás se pliegan, y mientras la
// pantalla está ocupada (reduciendo, escrutando) ninguna se abre.
class GrupoDesplegables {
public:
    explicit GrupoDesplegables(EstadoGlobal& estado) : estado_(estado) {}
    GrupoDesplegables(const GrupoDesplegables&) = delete;
    GrupoDesplegables& operator=(const GrupoDesplegables&) = delete;

    // Si la pantalla está ocupada ahora; sin él, nunca lo está.
    std::function<bool()> Ocupada;

    // La lista que abre `boton`; `elige` recibe la fila confirmada, nunca -1.
    ListaDesplegable* Anade(BotonImagen* boton, QListWidget* lista, int ancho,
                            std::function<QString()> rotulo, std::function<void(int fila)> elige);
    const std::vector<ListaDesplegable*>& Listas() const { return listas_; }

    // Pliega las abiertas sin elegir.
    void CierraTodas();
    // Escape: pliega la abierta sin elegir (vuelve a su fila); false si no había ninguna.
    bool CierraAbierta();
    void Redibuja();

private:
    EstadoGlobal& estado_;
    std::vector<ListaDesplegable*> listas_;
};

} // namespace quiniela
