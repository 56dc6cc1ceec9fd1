#include "reduction/bases_prueba.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

using namespace quiniela;

TEST(TablasDirectas, CadaTablaCubreConRadioUnoSinColumnasRepetidas) {
    // Las tablas que puede elegir alguna combinación de triples y dobles.
    std::vector<TablaDirecta> tablas;
    for (int tr = 0; tr <= 14; ++tr)
        for (int d = 0; d + tr <= 14; ++d) {
            TablaDirecta t;
            if (EligeTablaDirecta(tr, d, t) &&
                std::find(tablas.begin(), tablas.end(), t) == tablas.end())
                tablas.push_back(t);
        }
    ASSERT_EQ(tablas.size(), 12u);
    for (const TablaDirecta& t : tablas) {
        SCOPED_TRACE(t.Inicio);
        const int huecos = t.TriplesTabla + t.DoblesTabla;
        std::set<std::string> columnas;
        for (int c = 0; c < t.Columnas; ++c) {
            std::string col;
            for (int s = 1; s <= huecos; ++s) {
                const auto cadena = CadenasTablas()[t.Inicio + s];
                ASSERT_EQ(int(cadena.size()), t.Columnas);
                EXPECT_TRUE(cadena[c] >= '1' && cadena[c] <= (s <= t.TriplesTabla ? '3' : '2'));
                col += cadena[c];
            }
            columnas.insert(col);
        }
        EXPECT_EQ(int(columnas.size()), t.Columnas) << "columnas repetidas";

        // Todo resultado de los huecos queda a un error como mucho de alguna columna.
        long long completo = 1;
        for (int s = 0; s < huecos; ++s)
            completo *= s < t.TriplesTabla ? 3 : 2;
        for (long long r = 0; r < completo; ++r) {
            std::string resultado;
            for (long long resto = r, s = 0; s < huecos; ++s) {
                const int base = s < t.TriplesTabla ? 3 : 2;
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
        EXPECT_NEAR(t.Factor, double(completo) / t.Columnas, 0.01);
    }
}

TEST(TablasDirectas, EleccionSegunTriplesYDobles) {
    for (int tr = 0; tr <= 14; ++tr)
        for (int d = 0; d + tr <= 14; ++d) {
            SCOPED_TRACE(testing::Message() << tr << " triples " << d << " dobles");
            const TablaDirecta previa{1.5f, 99, 99, 99, 99};
            TablaDirecta t = previa;
            if (!EligeTablaDirecta(tr, d, t)) {
                EXPECT_EQ(tr + d, 0);
                EXPECT_EQ(t, previa) << "debe quedar como estaba";
                continue;
            }
            // La tabla nunca pide más triples o dobles de los elegidos.
            EXPECT_LE(t.TriplesTabla, tr);
            EXPECT_LE(t.DoblesTabla, d);
        }
    // Las tres reglas previas y algunas entradas (triples, dobles, tabla).
    const std::vector<std::tuple<int, int, TablaDirecta>> casos{
        {5, 9, {9.0f, 0, 9, 4, 0}},    {3, 4, {9.0f, 4, 24, 3, 3}}, {2, 8, {8.0f, 10, 16, 0, 7}},
        {3, 2, {4.0f, 17, 3, 1, 2}},   {3, 1, {3.0f, 54, 1, 1, 0}}, {1, 5, {5.33f, 39, 18, 1, 5}},
        {0, 6, {5.33f, 45, 12, 0, 6}}, {0, 5, {4.0f, 51, 2, 0, 3}}, {0, 1, {2.0f, 55, 1, 0, 1}},
    };
    for (const auto& [tr, d, esperada] : casos) {
        TablaDirecta t;
        EligeTablaDirecta(tr, d, t);
        EXPECT_EQ(t, esperada) << tr << " triples " << d << " dobles";
    }
}
