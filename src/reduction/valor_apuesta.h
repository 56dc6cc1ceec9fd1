#pragma once
// Lo que vale una reducción antes de jugarla: con las probabilidades de cada partido (1, X, 2;
// partidos independientes), la probabilidad exacta del mejor premio y las columnas que el
// escrutinio contaría, de media, en cada categoría. Se suma sobre los 3^15 resultados sin
// muestrear, leyendo las columnas una vez (del fichero o del desarrollo) con memoria fija.

#include "core/tipos.h"
#include "reduction/tablas_directas.h"

#include <QIODevice>
#include <QString>

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace quiniela {

inline constexpr int CategoriasValor = 6; // 15, 14, 13, 12, 11 y 10 aciertos

// Estimación de un partido: porcentajes enteros de "1", "X" y "2" que suman 100.
struct EstimacionPartido {
    bool Estimado = false;
    std::array<int, NumSignosMax> Porcentaje{}; // [0] "1", [1] "X", [2] "2"
    bool operator==(const EstimacionPartido&) const = default;
};
// Las quince de una jornada; el índice 0 no se usa.
using EstimacionesJornada = std::array<EstimacionPartido, NumPartidos + 1>;

bool HayEstimaciones(const EstimacionesJornada& e);

// Probabilidad de cada signo por partido: el porcentaje / 100, o 1/3 sin estimación.
using ProbabilidadesJornada = std::array<std::array<double, NumSignosMax>, NumPartidos + 1>;
ProbabilidadesJornada ProbabilidadesDe(const EstimacionesJornada& e);

// Cuotas decimales a porcentajes enteros: 1/cuota normalizado y redondeado por restos
// mayores (a igual resto, antes "1", luego "X", luego "2"). nullopt si alguna cuota es <= 1
// o no es un número.
std::optional<std::array<int, NumSignosMax>>
PorcentajesDeCuotas(const std::array<double, NumSignosMax>& cuotas);

// Resultado del cálculo. Los índices de categoría van de 0 (15 aciertos) a 5 (10 aciertos).
struct ValorApuesta {
    int64_t Columnas = 0;
    // Probabilidad de que la mejor columna tenga h aciertos (h = 0..15), con la regla del
    // escrutinio: el partido 15 solo cuenta con los catorce primeros acertados.
    std::array<double, NumPartidos + 1> ProbMejor{};
    std::array<double, CategoriasValor> Probabilidad{};   // mejor = 15 - i
    std::array<double, CategoriasValor> ProbAlMenos{};    // mejor >= 15 - i
    std::array<double, CategoriasValor> ColumnasMedias{}; // como las cuenta el escrutinio
};

// Columnas leídas hasta ahora, contadas por resultado (un byte por cada uno de los 3^15,
// con las repeticiones que no caben aparte).
class ColumnasValor {
public:
    ColumnasValor();
    ~ColumnasValor();
    ColumnasValor(const ColumnasValor&) = delete;
    ColumnasValor& operator=(const ColumnasValor&) = delete;

    // Líneas de un fichero de columnas (la última puede venir sin CR LF). Las de 19 bytes
    // van por el camino rápido; otras se leen como el escrutinio: el primer campo, entre
    // comillas o hasta la coma. Las vacías no cuentan. false si una no es una columna de 1, X
    // y 2 (queda su número en LineaMala()).
    bool AnadeLineas(const char* datos, qsizetype bytes);
    // Índice de una columna: la suma de (signo - 1) × 3^(m - 1).
    void AnadeIndice(uint32_t indice);

    int64_t Columnas() const { return columnas_; }
    int64_t LineaMala() const { return lineaMala_; }
    // Veces que está la columna de ese índice.
    int64_t Veces(uint32_t indice) const;

    const uint8_t* Cuentas() const { return cuentas_.get(); }
    const std::vector<std::pair<uint32_t, int64_t>>& Exceso() const { return exceso_; }

private:
    bool AnadeLineaGeneral(const char* p, qsizetype n);
    void AnadeExceso(uint32_t indice);
    std::unique_ptr<uint8_t[]> cuentas_;
    std::vector<std::pair<uint32_t, int64_t>> exceso_; // lo que pasa de 255, por índice
    int64_t columnas_ = 0;
    int64_t lineas_ = 0;
    int64_t lineaMala_ = 0;
};

// El cálculo sobre las columnas reunidas. nullopt si se canceló.
std::optional<ValorApuesta> CalculaValor(const ColumnasValor& columnas,
                                         const ProbabilidadesJornada& p,
                                         const std::atomic<bool>* cancelar = nullptr);

enum class FinValor { Hecho, Cancelado, ErrorLectura, LineaMala };
struct ResultadoValor {
    FinValor Fin = FinValor::Hecho;
    ValorApuesta Valor;
    int64_t LineaMala = 0;
};

// Desde un fichero de columnas abierto para leer.
ResultadoValor ValorDeFichero(QIODevice& fichero, const ProbabilidadesJornada& p,
                              const std::atomic<bool>* cancelar = nullptr);

// Desde el desarrollo de una base que se está editando, sin escribir nada. `tabla` es la del
// método directo (la que elige CalculaEstadisticas).
ResultadoValor ValorDeDesarrollo(const Reduccion& red, const TablaDirecta& tabla,
                                 const ProbabilidadesJornada& p,
                                 const std::atomic<bool>* cancelar = nullptr);

// Premios por columna de las seis categorías (índice 0 = 15 aciertos); nullopt el que no se sabe.
using PremiosValor = std::array<std::optional<double>, CategoriasValor>;

// Importes: premio medio de cada categoría (columnas medias × premio), su suma y el
// rendimiento (premio / coste) solo si se conocen los seis premios.
struct ImportesValor {
    double Coste = 0;
    std::array<std::optional<double>, CategoriasValor> PremioCategoria{};
    std::optional<double> PremioEsperado;
    std::optional<double> Rendimiento;
};
ImportesValor CalculaImportes(const ValorApuesta& v, const PremiosValor& premios,
                              double precioApuesta);

} // namespace quiniela
