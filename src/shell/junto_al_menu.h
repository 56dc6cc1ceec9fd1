#pragma once
// Las pantallas sin modo (consulta, salida, escrutinio) se abren junto al menú sin taparle las
// entradas, que son las que cambian de tarea. En una pantalla pequeña, la que no cabe entera
// se enseña en una ventana desplazable.

#include <QPointer>
#include <QRect>
#include <QScrollArea>

namespace quiniela {

// La ventana de una pantalla que no cabe entera: la lleva dentro, desplazable, con su título,
// y se cierra con ella.
class VentanaDesplazable : public QScrollArea {
    Q_OBJECT
public:
    VentanaDesplazable(QWidget* pantalla, int altoVisible, QWidget* padre);
    QWidget* Pantalla() const { return pantalla_; }

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;
    void closeEvent(QCloseEvent* evento) override;

private:
    void Ajusta();
    QPointer<QWidget> pantalla_;
    int altoVisible_;
    bool cerrando_ = false;
};

// Coloca y muestra `pantalla` junto a `menu`, cuyas entradas ocupan `entradas` (coordenadas
// del menú); mueve el menú si hace falta y lo devuelve a su sitio al cerrarse la pantalla.
void AbreJuntoAlMenu(QWidget* pantalla, QWidget* menu, const QRect& entradas);

} // namespace quiniela
