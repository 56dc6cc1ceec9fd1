#pragma once
// Pantalla "reducir": la quiniela base de una jornada, los múltiples a reducir, el método
// con sus parámetros, las estadísticas al momento y la reducción con su panel de progreso.
// Se cierra para volver a abrirse cuando cambian la jornada, el orden o el método.

#include "reduction/clics_reduccion.h"
#include "reduction/desarrollo.h"
#include "reduction/estadisticas.h"
#include "reduction/pantalla_reducir_paneles.h"
#include "reduction/pantalla_valor.h"
#include "shell/lista_desplegable.h"
#include "shell/pantalla_comun.h"

#include <QDialog>
#include <QElapsedTimer>

#include <array>
#include <functional>
#include <vector>

class QLineEdit;
class QListWidget;

namespace quiniela {

struct EstadoGlobal;
class BotonImagen;
struct ResultadoReduccion;

class PantallaReducir : public QDialog, public ControlesRejilla {
    Q_OBJECT
public:
    explicit PantallaReducir(EstadoGlobal& estado, QWidget* padre = nullptr);

    BotonImagen* Pic_BotMetodo;
    QListWidget* Lis_Metodos;
    BotonImagen* Pic_BotMinErr;
    QListWidget* Lis_MinErrores;
    BotonImagen* Pic_BotMaxErr;
    QListWidget* Lis_MaxErrores;
    PanelEstadisticas* Pic_Esta;
    PanelProgreso* Pic_Porcen;
    BotonImagen* Pic_BotCancelar;
    BotonImagen* Pic_SalirPorcen;
    BotonImagen* Pic_BotReducir;
    BotonImagen* Pic_BotSelTodo;
    BotonImagen* Pic_BotBorTodo;
    BotonImagen* Pic_BotProbab; // abre el diálogo "Probabilidades"
    PanelValor* Pic_Valor;      // valor de la apuesta de la base que se edita
    QLineEdit* Tex_Descripcion;

    const ClicsReduccion& Clics() const { return clics_; }
    const EstadoGlobal& Estado() const { return estado_; }
    const ControlesRejilla& Controles() const { return *this; }
    // Cada cuánto, como poco, se atienden los eventos de la ventana durante la reducción.
    void PonIntervaloEventos(int milisegundos) { intervaloEventos_ = milisegundos; }

    void Reduce();
    void Sal();

protected:
    void paintEvent(QPaintEvent* evento) override;
    void showEvent(QShowEvent* evento) override;
    void reject() override;
    void closeEvent(QCloseEvent* evento) override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    friend struct AvisoPantallaReducir;
    static constexpr int AnchoReducir = 150;

    // Construcción, en el orden en que se apilan los controles.
    void CreaRejillas();
    void CreaBotones();
    void CreaDescripcion();
    void CreaListas();
    void CreaPanelProgreso();
    void CreaDesplegables();
    void LlenaListas();
    void DibujaBotonesLista();
    void Conecta();
    void OrdenTabulador();
    void AnadeTextos(std::vector<TextoPantalla>& t) const;

    void CreaLisErrores(QListWidget* lista, BotonImagen* boton, int valor);
    void Ayuda();

    void PulsaCaja(CajaRejilla* caja, QPoint punto);
    bool CambiaCelda(CajaRejilla* caja, QPoint punto);
    void MueveSobreCaja(CajaRejilla* caja, QPoint punto);
    void SaleDeCaja(CajaRejilla* caja);
    void PonCursorCaja(CajaRejilla* caja, CursorRejilla cursor);
    CursorRejilla CursorEn(CajaRejilla* caja, QPoint punto) const;
    void TrasCambio();
    void PulsaBotonTodo(BotonImagen* boton, bool selecciona);
    void CierraParaReabrir();
    void AbreProbabilidades();
    void AbreIndice();
    void ActivaControles(bool activos);

    // Reducción: panel de progreso y bucle de espera a su salida.
    void MuestraPanel(int32_t total, int32_t aceptadas);
    RespuestaAviso AtiendeProgreso(int32_t paso, int32_t pasos);
    void EsperaSalidaPanel();
    void TerminaReduccion(const ResultadoReduccion& resultado);
    void CancelaDesdePanel();
    void SalDelPanel();

    EstadoGlobal& estado_;
    ClicsReduccion clics_;
    GrupoDesplegables desplegables_;
    ListaDesplegable* desplegableMinErr_ = nullptr;
    ListaDesplegable* desplegableMaxErr_ = nullptr;
    std::array<CursorRejilla, 4> cursorCaja_{};

    bool reduciendo_ = false;
    bool cancelado_ = false;
    bool esperandoSalida_ = false;
    bool saliendo_ = false;
    bool panelVisible_ = false;
    int ultimoPorcentaje_ = -1;
    int intervaloEventos_ = 25;
    qint64 ultimoBombeo_ = 0;  // nanosegundos
    qint64 ultimaLlamada_ = 0; // nanosegundos
    int32_t zancada_ = 0;
    QElapsedTimer reloj_;
    std::function<void()> saleDelPanel_;
};

} // namespace quiniela
