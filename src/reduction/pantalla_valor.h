#pragma once
// Panel "Valor de la apuesta": la probabilidad de cada premio, el premio esperado y el
// rendimiento de la base que se edita (o de la reducción guardada), con las estimaciones de
// la jornada. Se calcula en otro hilo; un cálculo nuevo cancela el que siga en marcha y la
// ventana nunca espera.

#include "reduction/texto_valor.h"
#include "reduction/valor_apuesta.h"

#include <QWidget>

#include <atomic>
#include <list>
#include <memory>

class QThread;

namespace quiniela {

struct EstadoGlobal;

class PanelValor : public QWidget {
    Q_OBJECT
public:
    static constexpr int Ancho = 690;
    static constexpr int Alto = 58;

    explicit PanelValor(EstadoGlobal& estado, QWidget* padre = nullptr);
    ~PanelValor() override;

    // Lee las estimaciones y los premios (al abrir y tras cambiar las estimaciones).
    void LeeDatos();
    // Vuelve a calcular con la base del estado (desarrollándola, sin fichero).
    void RecalculaBase();
    // Vuelve a calcular con el fichero de columnas de la jornada y orden actuales.
    void RecalculaGuardada();

    enum class Situacion { SinEstimaciones, Calculando, Listo, SinColumnas };
    Situacion Estado() const { return situacion_; }
    const ValorApuesta& Valor() const { return valor_; }
    // Espera a que acabe el cálculo en marcha (las pruebas; la pantalla nunca espera).
    bool EsperaCalculo(int milisegundos);

Q_SIGNALS:
    void calculado();

protected:
    void paintEvent(QPaintEvent* evento) override;

private:
    struct Calculo;
    void Lanza(std::function<ResultadoValor(const std::atomic<bool>*)> trabajo);
    void Recibe(int numero, const ResultadoValor& r);

    EstadoGlobal& estado_;
    EstimacionesJornada estimaciones_;
    PremiosValor premios_;
    Situacion situacion_ = Situacion::SinEstimaciones;
    ValorApuesta valor_;
    ImportesValor importes_;
    int numero_ = 0; // del último cálculo pedido
    std::list<std::shared_ptr<Calculo>> calculos_;
};

} // namespace quiniela
