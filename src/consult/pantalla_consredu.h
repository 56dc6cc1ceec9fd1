#pragma once
// Pantalla "consredu": una reducción guardada tal como irá en los boletos, de tres en tres,
// con su base y su resumen. No escribe datos propios; solo rehace el fichero de boletos.

#include "consult/consulta.h"
#include "reduction/pantalla_comun.h"

#include <QWidget>

#include <array>
#include <functional>

class QListWidget;

namespace quiniela {

struct EstadoGlobal;
class BotonImagen;
class BotonesNavegacion;
class ListaDesplegable;
class PanelColumnas;

class PantallaConsredu : public QWidget {
    Q_OBJECT
public:
    explicit PantallaConsredu(EstadoGlobal& estado, QWidget* padre = nullptr);

    BotonImagen* Pic_BotNroJor;
    QListWidget* Lis_Jornadas;
    BotonImagen* Pic_BotOrden;
    QListWidget* Lis_Orden;
    BotonImagen* Pic_Indice;
    CajaRejilla* Pic_Base;
    CajaRejilla* Pic_Elegir;
    CajaRejilla* Pic_ColBas;
    CajaRejilla* Pic_Signos;
    PanelColumnas* Pic_Colum;
    BotonesNavegacion* Pic_BotAdeAtr;
    BotonImagen* Pic_Ayuda;
    BotonImagen* Pic_Salir;

    const Consulta& Vista() const { return ConsultaActual; }
    // Textos escritos sobre la ventana: el número de boletos y los títulos de los boletos.
    QString TextoBoletos() const;
    QRect CajaTituloBoleto(int boleto) const; // boleto 0..2 del bloque

protected:
    void paintEvent(QPaintEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;

private:
    void CreaRejillas();
    void CreaBotones();
    void CreaListas();
    void ReuneControles();
    ListaDesplegable* CreaDesplegable(BotonImagen* boton, QListWidget* lista, int ancho,
                                      std::function<QString()> rotulo,
                                      std::function<void(int fila)> elige);
    void CreaDesplegables();
    void Conecta();
    void OrdenTabulador();

    void TrasCarga();
    void ColocaPorMetodo();
    void EligeJornada(int fila);
    void AbreIndice();
    void PulsaNavegacion(BotonNavegacion boton);
    void CierraDesplegables();
    void PintaBoletos(QPainter& p) const;

    EstadoGlobal& Estado;
    Consulta ConsultaActual;
    ControlesRejilla Controles;
    std::array<ListaDesplegable*, 2> Desplegables{};
};

} // namespace quiniela
