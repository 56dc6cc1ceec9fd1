#pragma once
// Pantalla "jornadas": la jornada, su fecha y los 30 equipos de los 15 partidos.

#include <QDialog>

#include <array>

class QComboBox;
class QLineEdit;
class QListWidget;

namespace quiniela {

struct EstadoGlobal;
class BotonImagen;
class ListaDesplegable;

class PantallaJornadas : public QDialog {
    Q_OBJECT
public:
    explicit PantallaJornadas(EstadoGlobal& estado, QWidget* padre = nullptr);

    BotonImagen* Pic_BotNroJor;
    QListWidget* Lis_Jornadas;
    BotonImagen* Pic_BotFecJor;
    QWidget* Pic_FecJor;
    QLineEdit* Tex_FecDia;
    QLineEdit* Tex_FecMes;
    QLineEdit* Tex_FecAno;
    // Casilla 2i-1: equipo de casa del partido i; casilla 2i: el de fuera. El 0 no se usa.
    std::array<QComboBox*, 31> Cbo_Equipo{};
    BotonImagen* Pic_Equipos;
    BotonImagen* Pic_BotProbab; // abre el diálogo "Probabilidades" de la jornada
    BotonImagen* Pic_BotGuardar;
    BotonImagen* Pic_Ayuda;
    BotonImagen* Pic_Salir;

    void PulsaFecJor();
    void Guarda();
    void AbreEquipos();
    void Sal();

    // Rellena las listas de las casillas con EQUIPOS.ZPK sin tocar sus textos.
    void CreaCboEquipo();

protected:
    void paintEvent(QPaintEvent* evento) override;
    void reject() override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    void CreaRejilla();
    QComboBox* CreaCasilla(int partido, bool fuera);
    void CreaBotonesArriba();
    void CreaPanelFecha();
    void CreaListaJornadas();
    void CreaBotonesAbajo();
    void Conecta();
    void OrdenTabulador();
    void MuestraJornadaAlAbrir();

    void CargaJornada(int fila);
    void CasillaEditada(QComboBox* casilla);
    void DespliegaPanelFecha();
    void PliegaPanelFecha();
    void MuestraJornada();
    void PonTextoCasilla(QComboBox* casilla, const QString& texto);
    void RecortaCasilla(QComboBox* casilla);
    void CampoFechaEditado(QLineEdit* campo, QLineEdit* siguiente);
    void ErrorEnLaFecha();

    EstadoGlobal& estado_;
    ListaDesplegable* listaJornadas_ = nullptr;
    bool panelAbierto_ = false;
    bool saliendo_ = false;
};

} // namespace quiniela
