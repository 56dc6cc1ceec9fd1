#include "reduction/tablas_directas.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

using namespace quiniela;

namespace {

// Las doce tablas distintas que usan las entradas, más las de las tres reglas previas.
std::vector<TablaDirecta> TablasDistintas() {
    std::vector<TablaDirecta> tablas;
    auto anade = [&](const TablaDirecta& t) {
        for (const auto& u : tablas)
            if (u == t)
                return;
        tablas.push_back(t);
    };
    TablaDirecta t;
    EligeTablaDirecta(4, 0, t);
    anade(t);
    EligeTablaDirecta(3, 3, t);
    anade(t);
    EligeTablaDirecta(0, 7, t);
    anade(t);
    for (int e = 1; e <= NumEntradasTablaDirecta; ++e)
        anade(EntradasTablaDirecta()[e].tabla);
    return tablas;
}

} // namespace

TEST(TablasDirectas, CadaTablaCubreConRadioUnoSinColumnasRepetidas) {
    const auto tablas = TablasDistintas();
    ASSERT_EQ(tablas.size(), 12u);
    int cadenasUsadas = 0;
    for (const TablaDirecta& t : tablas) {
        SCOPED_TRACE(t.inicio);
        const int huecos = t.triplesTabla + t.doblesTabla;
        cadenasUsadas += huecos;
        std::vector<std::string_view> cadenas;
        for (int s = 1; s <= huecos; ++s) {
            const auto cadena = CadenasTablas()[t.inicio + s];
            ASSERT_EQ(int(cadena.size()), t.columnas);
            const char maximo = s <= t.triplesTabla ? '3' : '2';
            for (char c : cadena)
                EXPECT_TRUE(c >= '1' && c <= maximo) << cadena;
            cadenas.push_back(cadena);
        }
        std::set<std::string> columnas;
        for (int c = 0; c < t.columnas; ++c) {
            std::string col;
            for (auto cadena : cadenas)
                col += cadena[c];
            columnas.insert(col);
        }
        EXPECT_EQ(int(columnas.size()), t.columnas) << "columnas repetidas";

        // Todo resultado de los huecos queda a un error como mucho de alguna columna.
        long long completo = 1;
        for (int s = 0; s < huecos; ++s)
            completo *= s < t.triplesTabla ? 3 : 2;
        for (long long r = 0; r < completo; ++r) {
            std::string resultado;
            long long resto = r;
            for (int s = 0; s < huecos; ++s) {
                const int base = s < t.triplesTabla ? 3 : 2;
                resultado += char('1' + resto % base);
                resto /= base;
            }
            int mejor = huecos;
            for (const auto& col : columnas) {
                int fallos = 0;
                for (int s = 0; s < huecos; ++s)
                    fallos += col[s] != resultado[s];
                mejor = std::min(mejor, fallos);
            }
            EXPECT_LE(mejor, 1) << resultado;
        }
        // El factor es el desarrollo completo entre columnas (5.33 como constante guardada).
        EXPECT_NEAR(t.factor, double(completo) / t.columnas, 0.01);
    }
    EXPECT_EQ(cadenasUsadas, NumCadenasTablas);
}

TEST(TablasDirectas, EleccionSegunTriplesYDobles) {
    TablaDirecta t;
    for (int tr = 0; tr <= 14; ++tr) {
        for (int d = 0; d + tr <= 14; ++d) {
            SCOPED_TRACE(testing::Message() << tr << " triples " << d << " dobles");
            TablaDirecta elegida{1.5f, 99, 99, 99, 99};
            const bool hay = EligeTablaDirecta(tr, d, elegida);
            if (tr == 0 && d == 0) {
                EXPECT_FALSE(hay);
                EXPECT_EQ(elegida, (TablaDirecta{1.5f, 99, 99, 99, 99}))
                    << "debe quedar como estaba";
                continue;
            }
            ASSERT_TRUE(hay);
            // La tabla nunca pide más triples o dobles de los elegidos.
            EXPECT_LE(elegida.triplesTabla, tr);
            EXPECT_LE(elegida.doblesTabla, d);
        }
    }
    EligeTablaDirecta(5, 9, t);
    EXPECT_EQ(t, (TablaDirecta{9.0f, 0, 9, 4, 0}));
    EligeTablaDirecta(3, 4, t);
    EXPECT_EQ(t, (TablaDirecta{9.0f, 4, 24, 3, 3}));
    EligeTablaDirecta(2, 8, t);
    EXPECT_EQ(t, (TablaDirecta{8.0f, 10, 16, 0, 7}));
    EligeTablaDirecta(3, 2, t); // entrada 1
    EXPECT_EQ(t, (TablaDirecta{4.0f, 17, 3, 1, 2}));
    EligeTablaDirecta(3, 1, t); // entrada 2
    EXPECT_EQ(t, (TablaDirecta{3.0f, 54, 1, 1, 0}));
    EligeTablaDirecta(1, 5, t); // entrada 12
    EXPECT_EQ(t, (TablaDirecta{5.33f, 39, 18, 1, 5}));
    EligeTablaDirecta(0, 5, t); // entrada 19
    EXPECT_EQ(t, (TablaDirecta{4.0f, 51, 2, 0, 3}));
    EligeTablaDirecta(0, 1, t);
    EXPECT_EQ(t, (TablaDirecta{2.0f, 55, 1, 0, 1}));
}

TEST(TablasDirectas, HuecosEnOrdenDePartidoYSignoPorPosicion) {
    // Triples elegidos en 2, 4, 6, 8, 10; dobles elegidos en 1, 3; el 5 es triple sin elegir.
    QuinielaBase base = QuinielaBase::PorDefecto();
    auto pon = [&](int m, std::array<int16_t, 4> s, bool elegido) {
        base[m].Signo = s;
        base[m].RecuentaSignos();
        base[m].AReducir = elegido;
    };
    for (int m : {2, 4, 6, 8, 10})
        pon(m, {0, 1, 1, 1}, true);
    pon(1, {0, 0, 1, 1}, true); // doble "X2"
    pon(3, {0, 1, 0, 1}, true); // doble "12"
    pon(5, {0, 1, 1, 1}, false);
    TablaDirecta t;
    ASSERT_TRUE(EligeTablaDirecta(5, 2, t));
    auto hueco = AsignaHuecos(base, t);
    EXPECT_EQ(hueco[2], 1);
    EXPECT_EQ(hueco[4], 2);
    EXPECT_EQ(hueco[6], 3);
    EXPECT_EQ(hueco[8], 4);
    EXPECT_EQ(hueco[10], 0) << "quinto triple: fuera de la tabla";
    EXPECT_EQ(hueco[1], 0) << "dobles sin hueco en la tabla de 4 triples";
    EXPECT_EQ(hueco[5], 0);

    // Tabla de 1 doble: su única columna toma el segundo signo marcado.
    ASSERT_TRUE(EligeTablaDirecta(0, 2, t));
    QuinielaBase dobles = QuinielaBase::PorDefecto();
    dobles[1].Signo = {0, 0, 1, 1};
    dobles[1].RecuentaSignos();
    dobles[1].AReducir = 1;
    dobles[7].Signo = {0, 1, 1, 0};
    dobles[7].RecuentaSignos();
    dobles[7].AReducir = 1;
    hueco = AsignaHuecos(dobles, t);
    EXPECT_EQ(hueco[1], 1);
    EXPECT_EQ(hueco[7], 0);
    EXPECT_EQ(SignoEnTabla(dobles[1], t, 1, 1), 3) << "X2 con cifra 2 es el 2";
    // Un triple con cifra 3 es el "2", con cifra 1 el "1".
    ASSERT_TRUE(EligeTablaDirecta(4, 0, t));
    PartidoBase triple;
    triple.Signo = {0, 1, 1, 1};
    EXPECT_EQ(SignoEnTabla(triple, t, 3, 1), 3); // cadena 3 "321132213"
    EXPECT_EQ(SignoEnTabla(triple, t, 3, 3), 1);
}
