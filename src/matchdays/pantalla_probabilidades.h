#pragma once
// Diálogo "Probabilidades": las estimaciones de los quince partidos de una jornada, en
// porcentajes o en cuotas, con la comprobación de cada fila al momento. Se abre desde la
// pantalla de jornadas y desde la de reducción.

#include "matchdays/edicion_probabilidades.h"

#include <QDialog>

#include <array>

class QLabel;
class QLineEdit;
class QRadioButton;

namespace quiniela {

struct EstadoGlobal;
class BotonImagen;

class PantallaProbabilidades : public QDialog {
    Q_OBJECT
public:
    // Las de la jornada `jornada`, con los partidos del registro de jornada dado.
    PantallaProbabilidades(EstadoGlobal& estado, int jornada, const QString& registroJornada,
                           QWidget* padre = nullptr);

    // Casillas de la fila m (1..15) y su comprobación.
    QLineEdit* Casilla(int partido, int signo) const {
        return casillas_[size_t(partido)][size_t(signo)];
    }
    QLabel* Comprobacion(int partido) const { return comprobaciones_[size_t(partido)]; }
    QRadioButton* Opt_Porcentajes;
    QRadioButton* Opt_Cuotas;
    BotonImagen* Pic_BotGuardar;
    BotonImagen* Pic_Salir;

    // Guarda lo escrito; false (y el mensaje) si alguna fila no vale o no se pudo escribir.
    bool Guarda();
    // Se guardó algo desde que se abrió.
    bool Guardado() const { return guardado_; }

protected:
    void paintEvent(QPaintEvent* evento) override;

private:
    void CreaFilas(const QString& registroJornada);
    void CreaBotones();
    void CargaEstimaciones();
    void CambiaModo();
    void CompruebaFila(int partido);
    TextosFila Textos(int partido) const;

    EstadoGlobal& estado_;
    int jornada_;
    ModoProbabilidades modo_ = ModoProbabilidades::Porcentajes;
    std::array<std::array<QLineEdit*, NumSignosMax>, NumPartidos + 1> casillas_{};
    std::array<QLabel*, NumPartidos + 1> comprobaciones_{};
    QLabel* cabeceraComprobacion_ = nullptr;
    bool guardado_ = false;
};

} // namespace quiniela
