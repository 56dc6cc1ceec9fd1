#pragma once
// Reglas del diálogo "Probabilidades": cada fila son tres casillas (porcentajes enteros o
// cuotas decimales) y su comprobación al momento; la pantalla solo las muestra.

#include "reduction/valor_apuesta.h"

#include <QString>

#include <array>
#include <optional>

namespace quiniela {

enum class ModoProbabilidades { Porcentajes, Cuotas };

// Las tres casillas de una fila tal como están escritas.
using TextosFila = std::array<QString, NumSignosMax>;

struct ComprobacionFila {
    bool Vacia = true;                       // las tres en blanco: partido sin estimar
    std::optional<EstimacionPartido> Valida; // lo que se guardaría
    QString Texto;                           // "100", "95 (no suma 100)", "45 28 27"...
};

// Comprobación de una fila en el modo dado. En cuotas, el texto son los porcentajes que
// saldrían; una cuota acepta "," o "." decimal.
ComprobacionFila CompruebaFila(const TextosFila& textos, ModoProbabilidades modo);

// Las casillas de una estimación guardada (en porcentajes; vacías sin estimación).
TextosFila TextosDeEstimacion(const EstimacionPartido& e);

// Todas las filas a estimaciones; nullopt y el primer partido (1..15) que no vale.
struct LecturaFilas {
    std::optional<EstimacionesJornada> Estimaciones;
    int PartidoMalo = 0;
};
LecturaFilas LeeFilas(const std::array<TextosFila, NumPartidos + 1>& filas,
                      ModoProbabilidades modo);

// Mensaje de una fila mala al guardar.
QString TituloProbabilidadesMal();
QString TextoProbabilidadesMal(int partido, ModoProbabilidades modo);

} // namespace quiniela
