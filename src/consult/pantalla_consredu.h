#pragma once
// Pantalla "consredu": una reducción guardada tal como irá en los boletos, de tres en tres,
// con su base y su resumen. No escribe datos propios; solo rehace el fichero de boletos.

#include "consult/consulta.h"
#include "shell/lista_desplegable.h"
#include "shell/pantalla_comun.h"

#include <QWidget>

namespace quiniela {

struct EstadoGlobal;
class BotonImagen;
class BotonesNavegacion;
class PanelColumnas;

class PantallaConsredu : public QWidget, public ControlesRejilla {
    Q_OBJECT
public:
    explicit PantallaConsredu(EstadoGlobal& estado, QWidget* padre = nullptr);

    PanelColumnas* Pic_Colum;
    BotonesNavegacion* Pic_BotAdeAtr;

    const Consulta& Vista() const { return consultaActual_; }
    // Textos escritos sobre la ventana: el número de boletos y los títulos de los boletos.
    QString TextoBoletos() const;
    QRect CajaTituloBoleto(int boleto) const; // boleto 0..2 del bloque
    // "Boleto n" dentro de su caja, sin pisar el del boleto de al lado (80 píxeles más allá).
    static void PintaTituloBoleto(QPainter& p, const QRect& caja, const QString& titulo);

protected:
    void paintEvent(QPaintEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;

private:
    void CreaRejillas();
    void CreaBotones();
    void CreaDesplegables();
    void Conecta();
    void OrdenTabulador();

    void TrasCarga();
    void ColocaPorMetodo();
    void EligeJornada(int fila);
    void AbreIndice();
    void PulsaNavegacion(BotonNavegacion boton);
    void PintaBoletos(QPainter& p) const;

    EstadoGlobal& estado_;
    Consulta consultaActual_;
    GrupoDesplegables desplegables_;
};

} // namespace quiniela
