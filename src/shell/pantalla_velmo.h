#pragma once
// Menú principal "velmo": siete entradas, ayuda y salida.

#include <QPointer>
#include <QWidget>

#include <array>
#include <functional>
#include <vector>

namespace quiniela {

struct EstadoGlobal;
class BotonImagen;

class PantallaVelmo : public QWidget {
    Q_OBJECT
public:
    explicit PantallaVelmo(EstadoGlobal& estado, QWidget* padre = nullptr);

    // Rótulos y posiciones de las siete entradas (índice 1..7).
    struct Entrada {
        QString Rotulo;
        QPoint Posicion;
    };
    static const std::array<Entrada, 8>& Entradas();
    static constexpr int AnchoEntrada = 215;

    std::array<BotonImagen*, 8> Pic_Boton{};
    BotonImagen* Pic_Ayuda;
    BotonImagen* Pic_Salir;

    // Lo que abre cada entrada; las pantallas sin modo se registran para cerrarlas
    // antes de abrir cualquier otra entrada.
    void PonAccion(int entrada, std::function<void()> accion);
    void RegistraPantallaSinModo(QWidget* pantalla);

    void PulsaEntrada(int entrada);
    // Lo que ocupan las siete entradas, que las pantallas sin modo no tapan.
    QRect ZonaEntradas() const;
    void Sal();

protected:
    void paintEvent(QPaintEvent* evento) override;
    void closeEvent(QCloseEvent* evento) override;

private:
    void CreaBotones();
    void PonAcciones();
    void CierraPantallasSinModo();
    EstadoGlobal& estado_;
    std::array<std::function<void()>, 8> acciones_;
    std::vector<QPointer<QWidget>> sinModo_;
    bool saliendo_ = false;
};

} // namespace quiniela
