#pragma once
// Bases de las mediciones.

#include "core/tipos.h"

namespace quiniela::bench {

// n triples elegidos con probable "1" (el 15, si entra, triple sin elegir) y el resto "1".
inline Reduccion BaseTriples(int triples, int metodo) {
    Reduccion red;
    red.Metodo = static_cast<int16_t>(metodo);
    for (int m = 1; m <= NumPartidos; ++m) {
        PartidoBase& p = red.Base[m];
        if (m > triples)
            continue;
        p.Signo = {0, 1, 1, 1};
        p.RecuentaSignos();
        p.AReducir = m < NumPartidos ? 1 : 0;
        p.SignoProbable = p.AReducir == 1 ? 1 : 0;
    }
    return red;
}

// 3^15 que lo conserva todo: columna probable con errores de 0 a 14.
inline Reduccion BaseTodo3a15() {
    Reduccion red = BaseTriples(15, MetodoColumnaProbable);
    red.MinErrores = 0;
    red.MaxErrores = 14;
    return red;
}

// 3^12 por selección de signos con totales estrechos: pocas columnas aceptadas.
inline Reduccion BaseSeleccionEstrecha3a12() {
    Reduccion red = BaseTriples(12, MetodoSeleccionSignos);
    red.Totales(1, 6) = 1;
    red.Totales(2, 4) = 1;
    red.Totales(3, 2) = 1;
    return red;
}

} // namespace quiniela::bench
