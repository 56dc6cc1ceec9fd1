#include "reduction/tablas_directas.h"

namespace quiniela {

const std::array<std::string_view, NumCadenasTablas + 1>& CadenasTablas() {
    static constexpr std::array<std::string_view, NumCadenasTablas + 1> cadenas{
        "",
        // 4 triples
        "123123123", "123231312", "321132213", "111222333",
        // 3 triples + 3 dobles
        "123123123123123123123123", "123231312123123231312123", "123312231123123312231123",
        "111222111222222111222111", "111222222111222111111222", "111111111111222222222222",
        // 7 dobles
        "1212121212121212", "1122112211221122", "1111222211112222", "1111111122222222",
        "1122221122111122", "1212212121211212", "1221122121122112",
        // 1 triple + 2 dobles
        "123", "212", "121",
        // 2 triples + 5 dobles
        "111122221111222233333333111122223333", "111111112222222211112222333333333333",
        "121212121212121212121212121212121212", "112211221122112211221122112211221122",
        "112222112211112211222211112222111122", "121221212121121212122121121221211212",
        "122112212112211212212112122112211221",
        // 2 triples + 3 dobles
        "123123123123", "123321321123", "121212121212", "121121212212", "111222111222",
        // 1 triple + 6 dobles
        "111111112222222233333333", "121212121212121212121212", "112211221122112211221122",
        "111122221111222211112222", "112222112211112211222211", "121221212121121212122121",
        "122112212112211212211221",
        // 1 triple + 5 dobles
        "111211221222333333", "111121212222121222", "111112122222112222", "211222111221211221",
        "121222111212211212", "112222111122211122",
        // 6 dobles
        "111211221222", "111121212222", "111112122222", "211222111221", "121222111212",
        "112222111122",
        // 3 dobles
        "12", "21", "12",
        // 1 triple
        "2",
        // 1 doble
        "2"};
    return cadenas;
}

namespace {
// Las doce tablas tal como las usan las entradas.
constexpr TablaDirecta Tabla4T{9.0f, 0, 9, 4, 0};
constexpr TablaDirecta Tabla3T3D{9.0f, 4, 24, 3, 3};
constexpr TablaDirecta Tabla7D{8.0f, 10, 16, 0, 7};
constexpr TablaDirecta Tabla1T2D{4.0f, 17, 3, 1, 2};
constexpr TablaDirecta Tabla2T5D{8.0f, 20, 36, 2, 5};
constexpr TablaDirecta Tabla2T3D{6.0f, 27, 12, 2, 3};
constexpr TablaDirecta Tabla1T6D{8.0f, 32, 24, 1, 6};
constexpr TablaDirecta Tabla1T5D{5.33f, 39, 18, 1, 5};
constexpr TablaDirecta Tabla6D{5.33f, 45, 12, 0, 6};
constexpr TablaDirecta Tabla3D{4.0f, 51, 2, 0, 3};
constexpr TablaDirecta Tabla1T{3.0f, 54, 1, 1, 0};
constexpr TablaDirecta Tabla1D{2.0f, 55, 1, 0, 1};
} // namespace

const std::array<EntradaTablaDirecta, NumEntradasTablaDirecta + 1>& EntradasTablaDirecta() {
    static constexpr std::array<EntradaTablaDirecta, NumEntradasTablaDirecta + 1> entradas{{
        {0, 0, {}},        {3, 2, Tabla1T2D}, // 1
        {3, 1, Tabla1T},                      // 2
        {3, 0, Tabla1T},                      // 3
        {2, 6, Tabla2T5D},                    // 4
        {2, 5, Tabla2T5D},                    // 5
        {2, 4, Tabla2T3D},                    // 6
        {2, 3, Tabla2T3D},                    // 7
        {2, 2, Tabla1T2D},                    // 8
        {2, 1, Tabla1T},                      // 9
        {2, 0, Tabla1T},                      // 10
        {1, 6, Tabla1T6D},                    // 11
        {1, 5, Tabla1T5D},                    // 12
        {1, 4, Tabla1T2D},                    // 13
        {1, 3, Tabla1T2D},                    // 14
        {1, 2, Tabla1T2D},                    // 15
        {1, 1, Tabla1T},                      // 16
        {1, 0, Tabla1T},                      // 17
        {0, 6, Tabla6D},                      // 18
        {0, 5, Tabla3D},                      // 19
        {0, 4, Tabla3D},                      // 20
        {0, 3, Tabla3D},                      // 21
        {0, 2, Tabla1D},                      // 22
        {0, 1, Tabla1D},                      // 23
    }};
    return entradas;
}

bool EligeTablaDirecta(int triples, int dobles, TablaDirecta& elegida) {
    if (triples >= 4) {
        elegida = Tabla4T;
        return true;
    }
    if (triples == 3 && dobles >= 3) {
        elegida = Tabla3T3D;
        return true;
    }
    if (dobles >= 7) {
        elegida = Tabla7D;
        return true;
    }
    const auto& entradas = EntradasTablaDirecta();
    for (int e = 1; e <= NumEntradasTablaDirecta; ++e) {
        if (entradas[e].Triples == triples && entradas[e].Dobles == dobles) {
            elegida = entradas[e].Tabla;
            return true;
        }
    }
    return false;
}

std::array<int8_t, NumPartidos + 1> AsignaHuecos(const QuinielaBase& base,
                                                 const TablaDirecta& tabla) {
    std::array<int8_t, NumPartidos + 1> hueco{};
    int triples = 0;
    int dobles = 0;
    for (int m = 1; m <= NumPartidos; ++m) {
        if (!PartidoElegido(base, m))
            continue;
        if (base[m].NumSignos == 3 && triples < tabla.TriplesTabla)
            hueco[m] = static_cast<int8_t>(++triples);
        else if (base[m].NumSignos == 2 && dobles < tabla.DoblesTabla)
            hueco[m] = static_cast<int8_t>(tabla.TriplesTabla + ++dobles);
    }
    return hueco;
}

int SignoEnTabla(const PartidoBase& partido, const TablaDirecta& tabla, int hueco, int columna) {
    const std::string_view cadena = CadenasTablas()[tabla.Inicio + hueco];
    int posicion = cadena[columna - 1] - '0';
    for (int k = 1; k <= NumSignosMax; ++k) {
        if (partido.Signo[k] == 1 && --posicion == 0)
            return k;
    }
    return 0;
}

} // namespace quiniela
