// Un desarrollo de 3^12 por selección de signos estrecha, para contar con callgrind las
// instrucciones por columna desarrollada:
//   valgrind --tool=callgrind --toggle-collect='quiniela::DesarrollaReduccion*' medida_callgrind
// y dividir las instrucciones (Ir) entre 531.441.

#include "bases_bench.h"
#include "reduction/desarrollo.h"
#include "reduction/estadisticas.h"

#include <cstdio>

using namespace quiniela;

int main() {
    Reduccion red = bench::BaseSeleccionEstrecha3a12();
    TablaDirecta tabla;
    const auto est = CalculaEstadisticas(red, tabla);
    // El aviso de la línea de órdenes: un umbral para el porcentaje y la marca de Ctrl-C.
    volatile int interrumpido = 0;
    int32_t siguiente = 0;
    const AvisoProgreso aviso = [&](int32_t paso, int32_t pasos) {
        if (paso >= siguiente)
            siguiente = static_cast<int32_t>(
                (int64_t(int(int64_t(paso) * 100 / pasos) + 1) * pasos + 99) / 100);
        return interrumpido != 0;
    };
    int64_t bytes = 0;
    const SumideroLineas sumidero = [&](const char*, qsizetype n) {
        bytes += n;
        return true;
    };
    const auto r = DesarrollaReduccion(red, tabla, aviso, sumidero);
    std::printf("pasos %d, columnas aceptadas %lld (estadísticas: %d)\n", r.Pasos,
                static_cast<long long>(r.Lineas), est.Aceptadas);
    return r.Lineas == est.Aceptadas ? 0 : 1;
}
