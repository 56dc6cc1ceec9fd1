#pragma once
// Tablas del método directo: 56 cadenas de signos que forman doce tablas de recubrimiento
// de radio uno, las 23 entradas que eligen una tabla según los triples y dobles a reducir,
// y el reparto de los partidos elegidos en los huecos de la tabla.

#include "core/tipos.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace quiniela {

inline constexpr int NumCadenasTablas = 56;
inline constexpr int NumEntradasTablaDirecta = 23;
inline constexpr int MaxColumnasTabla = 36;

// Tabla elegida: la última elección de EligeTablaDirecta.
struct TablaDirecta {
    float Factor = 0.0f;      // desarrollo completo ÷ columnas, tal como se guarda (5.33)
    int16_t Inicio = 0;       // número de la cadena anterior a la primera de la tabla
    int16_t Columnas = 0;     // columnas de la tabla
    int16_t TriplesTabla = 0; // huecos de triple (van primero)
    int16_t DoblesTabla = 0;  // huecos de doble
    bool operator==(const TablaDirecta&) const = default;
};

// Una entrada de elección: los triples y dobles a reducir que atiende y su tabla.
struct EntradaTablaDirecta {
    int16_t Triples;
    int16_t Dobles;
    TablaDirecta Tabla;
};

// Cadenas 1..56 (la 0 está vacía). La cifra c de la cadena de un hueco es la posición,
// entre los signos marcados del partido ("1", "X", "2"), del signo de la columna c.
const std::array<std::string_view, NumCadenasTablas + 1>& CadenasTablas();

// Entradas 1..23 (la 0 no se usa).
const std::array<EntradaTablaDirecta, NumEntradasTablaDirecta + 1>& EntradasTablaDirecta();

// Elige la tabla para T triples y D dobles a reducir. Con T = D = 0 no hay tabla: deja
// `elegida` como estaba y devuelve false.
bool EligeTablaDirecta(int triples, int dobles, TablaDirecta& elegida);

// Un partido elegido para reducir: solo los partidos 1..14 con dos o tres signos.
inline bool PartidoElegido(const QuinielaBase& base, int m) {
    return m < NumPartidos && base[m].AReducir == 1 && base[m].NumSignos >= 2;
}

// Hueco de la tabla que ocupa cada partido (0: se desarrolla entero). Los triples
// elegidos toman los huecos 1..triplesTabla en orden de partido; los dobles elegidos,
// triplesTabla + 1 ... triplesTabla + doblesTabla.
std::array<int8_t, NumPartidos + 1> AsignaHuecos(const QuinielaBase& base,
                                                 const TablaDirecta& tabla);

// Signo (1..3) del partido m en la columna c (1..columnas) de la tabla, según su hueco.
int SignoEnTabla(const PartidoBase& partido, const TablaDirecta& tabla, int hueco, int columna);

} // namespace quiniela
