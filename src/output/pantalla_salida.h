#pragma once
// Menú de salida "salida": la jornada y el orden de una reducción guardada, su base, su
// resumen y sus boletos, y los seis botones que abren la pantalla de listados.

#include "reduction/pantalla_valor.h"
#include "shell/lista_desplegable.h"
#include "shell/pantalla_comun.h"

#include <QDialog>

#include <array>
#include <cstdint>

namespace quiniela {

struct EstadoGlobal;
class BotonImagen;
class BotonDibujo;
class PantallaListados;

class PantallaSalida : public QDialog, public ControlesRejilla {
public:
    explicit PantallaSalida(EstadoGlobal& estado, QWidget* padre = nullptr);

    // Por TipoListado: 0 datos básicos, 1 boletos, 2 relación, 3 disco, 4 continuo, 5 correo.
    std::array<BotonDibujo*, 6> Pic_Salida{};
    PanelValor* Pic_Valor = nullptr; // valor de la apuesta de la reducción guardada

    int TipoListado = 0;
    int64_t TotalBoletos = 0;
    // "###,###" + " Boletos", lo que se ve en la zona de salida.
    QString TextoBoletos() const;
    // Abre listados con el tipo dado (modal), como al pulsar su botón.
    void AbreListados(int tipo);

protected:
    void paintEvent(QPaintEvent* evento) override;

private:
    void CreaBotones();
    void CreaBotonesSalida();
    void Conecta();
    void OrdenTabulador();

    void EligeJornada(int fila);
    void EligeOrden(int fila);
    void Refresca();
    void AbreIndice();
    void Sal();

    EstadoGlobal& estado_;
    GrupoDesplegables desplegables_;
};

} // namespace quiniela
