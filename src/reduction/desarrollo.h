#pragma once
// Desarrollo de una base en su orden fijo (el partido 1 cambia en cada paso, el 15 es el
// más lento) y filtro de las columnas por el método. Trabaja sobre bytes: cada columna
// aceptada es una línea de 19 bytes (comillas, 15 signos, comillas, CR LF) que se pasa en
// bloques grandes a un sumidero; no guarda columnas en memoria.

#include "core/tipos.h"
#include "reduction/tablas_directas.h"

#include <QtGlobal>

#include <cstdint>
#include <functional>

namespace quiniela {

inline constexpr int BytesLineaColumna = 19;

// Se llama una vez por combinación desarrollada con el contador de pasos (1..pasos) y el
// número de pasos. Devuelve true para cancelar.
using AvisoProgreso = std::function<bool(int32_t paso, int32_t pasos)>;

// Recibe un bloque de líneas completas; devuelve false si no pudo guardarlo.
using SumideroLineas = std::function<bool(const char* datos, qsizetype bytes)>;

enum class FinDesarrollo { Completo, Cancelado, FalloSumidero };

struct ResultadoDesarrollo {
    FinDesarrollo fin = FinDesarrollo::Completo;
    int32_t pasos = 0;       // combinaciones que hay que desarrollar
    int32_t pasosHechos = 0; // combinaciones avisadas
    int64_t lineas = 0;      // líneas entregadas al sumidero
};

// Número de pasos: el producto de los signos de los partidos que se mueven (en el método
// directo, los que no ocupan hueco de la tabla).
int32_t PasosReduccion(const Reduccion& red, const TablaDirecta& tabla);

// Desarrolla y filtra. En el método directo `tabla` es la elegida para la base (sin tabla,
// columnas = 0, todo se desarrolla entero). Las columnas llegan al sumidero en su orden.
ResultadoDesarrollo DesarrollaReduccion(const Reduccion& red, const TablaDirecta& tabla,
                                        const AvisoProgreso& aviso, const SumideroLineas& sumidero,
                                        qsizetype bytesBloque = qsizetype(BytesLineaColumna) *
                                                                65536);

} // namespace quiniela
