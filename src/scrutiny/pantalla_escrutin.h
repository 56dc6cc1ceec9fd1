#pragma once
// Pantalla "escrutin": la reducción elegida con su base, la columna ganadora en una rejilla,
// los premios de las seis categorías, el escrutinio con sus dos listas y el informe impreso.

#include "reduction/clics_reduccion.h"
#include "scrutiny/clics_escrutinio.h"
#include "shell/lista_desplegable.h"
#include "shell/pantalla_comun.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QPointF>

#include <array>
#include <functional>
#include <memory>

class QLineEdit;
class QListWidget;

namespace quiniela {

struct EstadoGlobal;
class BotonImagen;
class Impresora;

// La rejilla de la columna ganadora: 15 partidos por 3 signos, pintada desde las marcas.
class CajaGanadora : public CajaPulsable, public ElementosAccesibles {
    Q_OBJECT
public:
    CajaGanadora(const MarcasGanadora& marcas, QWidget* padre);
    int NumElementos() const override { return NumPartidos * NumSignosMax; }
    ElementoAccesible Elemento(int indice) const override;

protected:
    void paintEvent(QPaintEvent* evento) override;

private:
    const MarcasGanadora& marcas_;
};

class PantallaEscrutin : public QDialog, public ControlesRejilla {
    Q_OBJECT
public:
    explicit PantallaEscrutin(EstadoGlobal& estado, QWidget* padre = nullptr);

    CajaGanadora* Pic_Ganadora;
    QWidget* Fra_Premios;
    std::array<QLineEdit*, NumCategorias + 1> Tex_Premios{}; // 1..6
    QListWidget* Lis_Aciertos;
    QListWidget* Lis_Boletos;
    BotonImagen* Pic_BotEscrutar;
    BotonImagen* Pic_BotImprimir;

    // La impresora del informe; por omisión la del sistema (o un PDF si no hay ninguna).
    std::function<std::unique_ptr<Impresora>(const QString& nombreDocumento)> CreaImpresora;
    // Cada cuánto, como poco, se atienden los eventos de la ventana durante el escrutinio.
    int IntervaloEventos = 25;

    const EntradaEscrutinio& Entrada() const { return entrada_; }
    const PremiosCategoria& Premios() const { return premios_; }
    const ResultadoEscrutinio& Resultado() const { return resultado_; }
    bool Ocupada() const { return ocupada_; }

    void CargaEscrutinio();
    void Escruta();
    void Imprime();
    void Sal();

protected:
    void paintEvent(QPaintEvent* evento) override;
    void mouseMoveEvent(QMouseEvent* evento) override;
    void reject() override;
    void closeEvent(QCloseEvent* evento) override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    // Construcción.
    void CreaRejillas();
    void CreaPremios();
    void CreaListas();
    void CreaBotones();
    void CreaDesplegables();
    void Conecta();
    void OrdenTabulador();
    void AnadeTextos(std::vector<TextoPantalla>& t) const;

    // Jornada, orden e índice.
    void EligeJornada(int fila);
    void EligeOrden(int fila);
    void AbreIndice();
    void AvisaSiFalla();
    void ColocaPorMetodo();

    // Rejilla y premios.
    void PulsaRejilla(QPointF punto);
    void MueveSobreRejilla(QPointF punto);
    void PonCursorRejilla(CursorRejilla cursor);
    void CambiaPremio(int k);
    void NormalizaPremio(int k);
    void MuestraPremios();

    // Escrutinio e informe.
    void LimpiaResultados();
    void MuestraResultados();
    void AtiendeBloque();
    void Bloquea(bool bloqueada);
    void PulsaBoton(BotonImagen* boton, int ancho, const std::function<void()>& accion);

    EstadoGlobal& estado_;
    GrupoDesplegables desplegables_;
    EntradaEscrutinio entrada_;
    PremiosCategoria premios_{};
    ResultadoEscrutinio resultado_;
    TablaAciertos tablaAciertos_;
    bool cargaFallida_ = false;
    bool ocupada_ = false;
    bool saliendo_ = false;
    CursorRejilla cursorRejilla_ = CursorRejilla::Normal;
    QElapsedTimer reloj_;
};

} // namespace quiniela
