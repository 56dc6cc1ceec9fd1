#pragma once
// Menú de salida "salida": la jornada y el orden de una reducción guardada, su base, su
// resumen y sus boletos, y los seis botones que abren la pantalla de listados.

#include "reduction/pantalla_comun.h"

#include <QDialog>

#include <array>
#include <cstdint>

class QListWidget;

namespace quiniela {

struct EstadoGlobal;
class BotonImagen;
class BotonDibujo;
class ListaDesplegable;
class PantallaListados;

class PantallaSalida : public QDialog {
public:
    explicit PantallaSalida(EstadoGlobal& estado, QWidget* padre = nullptr);

    BotonImagen* Pic_BotNroJor;
    QListWidget* Lis_Jornadas;
    BotonImagen* Pic_BotOrden;
    QListWidget* Lis_Orden;
    CajaRejilla* Pic_Base;
    CajaRejilla* Pic_Elegir;
    CajaRejilla* Pic_ColBas;
    CajaRejilla* Pic_Signos;
    // Por TipoListado: 0 datos básicos, 1 boletos, 2 relación, 3 disco, 4 continuo, 5 correo.
    std::array<BotonDibujo*, 6> Pic_Salida{};
    BotonImagen* Pic_Indice;
    BotonImagen* Pic_Ayuda;
    BotonImagen* Pic_Salir;

    int TipoListado = 0;
    int64_t TotalBoletos = 0;
    // "###,###" + " Boletos", lo que se ve en la zona de salida.
    QString TextoBoletos() const;
    // Abre listados con el tipo dado (modal), como al pulsar su botón.
    void AbreListados(int tipo);

protected:
    void paintEvent(QPaintEvent* evento) override;

private:
    void CreaRejillas();
    void CreaBotones();
    void CreaBotonesSalida();
    void CreaListas();
    void ReuneControles();
    void CreaDesplegables();
    void Conecta();

    void EligeJornada(int fila);
    void EligeOrden(int fila);
    void Refresca();
    void AbreIndice();
    void Sal();
    void PintaEncabezados(QPainter& p) const;

    EstadoGlobal& estado_;
    ControlesRejilla Controles;
    std::array<ListaDesplegable*, 2> Desplegables{};
};

} // namespace quiniela
