#pragma once
// Lo que comparten el cálculo del valor y la lectura de columnas.

#include "reduction/valor_apuesta.h"

#include <atomic>
#include <cstdint>

namespace quiniela {

inline constexpr uint32_t Tres7 = 2187;
inline constexpr uint32_t Tres14 = Tres7 * Tres7;
inline constexpr uint32_t Tres15 = Tres14 * 3;

inline bool Cancelado(const std::atomic<bool>* cancelar) {
    return cancelar != nullptr && cancelar->load(std::memory_order_relaxed);
}

// El cálculo sobre las columnas leídas, o Cancelado.
ResultadoValor ValorDeColumnas(const ColumnasValor& columnas, const ProbabilidadesJornada& p,
                               const std::atomic<bool>* cancelar);
// El resultado de una línea que no es una columna.
ResultadoValor ResultadoLineaMala(const ColumnasValor& columnas);

} // namespace quiniela
