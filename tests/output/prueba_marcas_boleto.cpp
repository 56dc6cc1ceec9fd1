// Matriz de marcas de un boleto y su dibujo en twips en las dos disposiciones.
#include "output/marcas_boleto.h"
#include "support/impresora_falsa.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <tuple>

using namespace quiniela;
using namespace quiniela::prueba;

namespace {

using Celda = std::tuple<int, int, int>; // columna, partido, posición

std::set<Celda> Celdas(const MatrizMarcas& m) {
    std::set<Celda> r;
    for (int c = 1; c <= 8; ++c)
        for (int p = 1; p <= 15; ++p)
            for (int s = 1; s <= 3; ++s)
                if (m.Marcada(c, p, s))
                    r.insert({c, p, s});
    return r;
}

std::array<std::string_view, 8> Boleto(std::initializer_list<std::string_view> columnas) {
    std::array<std::string_view, 8> b;
    b.fill("               ");
    std::copy(columnas.begin(), columnas.end(), b.begin());
    return b;
}

using Rect = std::tuple<int, int, int, int>;

std::multiset<Rect> Rectangulos(const ImpresoraFalsa& f) {
    std::multiset<Rect> r;
    for (const auto& x : f.Rectangulos)
        r.insert({x.X, x.Y, x.Ancho, x.Alto});
    return r;
}

} // namespace

TEST(MatrizMarcas, PrimeraColumnaUnoEquisDosYHuecosSinMarcas) {
    const MatrizMarcas m = MatrizDeBoleto(Boleto({"1X21X21X21X21X2"}));
    std::set<Celda> esperadas;
    for (int p = 1; p <= 14; ++p)
        esperadas.insert({1, p, (p - 1) % 3 + 1}); // (1,1,1), (1,2,2), (1,3,3) … (1,14,2)
    esperadas.insert({6, 15, 1});                  // el "2" del partido 15
    EXPECT_EQ(Celdas(m), esperadas);
}

TEST(MatrizMarcas, PartidoQuinceSoloPorLaPrimeraColumna) {
    struct Caso {
        std::string_view Primera, Segunda;
        Celda Celda15;
    } casos[] = {{"111111111111111", "22222222222222X", {4, 15, 3}},
                 {"11111111111111X", "222222222222222", {5, 15, 2}},
                 {"x1111111111111x", "222222222222221", {5, 15, 2}},
                 {"111111111111112", "11111111111111X", {6, 15, 1}}};
    for (const Caso& k : casos) {
        const auto celdas = Celdas(MatrizDeBoleto(Boleto({k.Primera, k.Segunda})));
        int en15 = 0;
        for (const Celda& c : celdas)
            en15 += std::get<1>(c) == 15 ? 1 : 0;
        EXPECT_EQ(en15, 1) << k.Primera;
        EXPECT_TRUE(celdas.count(k.Celda15)) << k.Primera;
        EXPECT_EQ(celdas.size(), 14u * 2 + 1) << k.Primera;
    }
}

// Márgenes de 10 mm a la izquierda (567 twips) y 2 mm arriba (113,4 twips).
TEST(DibujoBoleto, Disposicion1CajasNumeroYReferencias) {
    ImpresoraFalsa f;
    DibujaBoleto(f, MatrizPrueba(), 999999, 1, {100, 20, 0, true}, QLocale(QLocale::Spanish));
    // Cada caja dos veces en el mismo sitio, 70 × 130.
    std::multiset<Rect> cajas;
    for (int k = 0; k < 24; ++k)
        for (int m = 1; m <= 14; ++m)
            cajas.insert({1507 + 212 * k, qRound(113.4 + 10 + (15 - m) * 284), 70, 130});
    for (int x : {3203, 3627, 4051}) // celdas 16, 14 y 12 de la fila del partido 15
        cajas.insert({x, 123, 70, 130});
    std::multiset<Rect> esperados;
    for (const Rect& r : cajas)
        esperados.insert({r, r});
    const std::multiset<Rect> referencias{
        {292, 7, 145, 170},    {8820, 7, 145, 170},   {8975, 1032, 57, 227},
        {8975, 1375, 57, 227}, {8975, 2400, 57, 227}, {8975, 2743, 57, 227},
        {8975, 3086, 57, 227}, {8975, 3429, 57, 227}, {8975, 4116, 57, 227}};
    esperados.insert(referencias.begin(), referencias.end());
    EXPECT_EQ(Rectangulos(f), esperados);
    ASSERT_EQ(f.Textos.size(), 1u);
    EXPECT_EQ(f.Textos[0].X, 7067);
    EXPECT_EQ(f.Textos[0].Y, 123);
    EXPECT_EQ(f.Textos[0].Texto, QStringLiteral("999.999"));
    EXPECT_EQ(f.Textos[0].Fuente.Puntos, 9);
}

TEST(DibujoBoleto, Disposicion2SegundoBoletoDelFormulario) {
    ImpresoraFalsa f;
    DibujaBoleto(f, MatrizDeBoleto(Boleto({"1X21X21X21X21X2"})), 1234, 2, {100, 20, 1, true},
                 QLocale::c());
    std::multiset<Rect> esperados;
    const int xPartido1 = 567 + 1050 + 5990;
    for (int m = 1; m <= 14; ++m) {
        const int k = 23 - (m - 1) % 3; // columna 1: sus tres posiciones son las de abajo
        const Rect caja{xPartido1 + (m - 1) * 284, qRound(113.4 + 1270 + k * 213), 130, 70};
        esperados.insert({caja, caja});
    }
    const Rect quince{xPartido1 + 14 * 284, qRound(113.4 + 1270 + 8 * 213), 130, 70};
    esperados.insert({quince, quince});
    const std::multiset<Rect> referencias{
        {11677, 178, 170, 145}, {11677, 8706, 170, 145}, {7521, 8861, 227, 57},
        {8208, 8861, 227, 57},  {8551, 8861, 227, 57},   {8894, 8861, 227, 57},
        {9237, 8861, 227, 57},  {10263, 8861, 227, 57},  {10605, 8861, 227, 57}};
    esperados.insert(referencias.begin(), referencias.end());
    EXPECT_EQ(Rectangulos(f), esperados);
    ASSERT_EQ(f.Textos.size(), 1u);
    EXPECT_EQ(f.Textos[0].X, 6557);
    EXPECT_EQ(f.Textos[0].Y, 113);
    EXPECT_EQ(f.Textos[0].Texto, QStringLiteral("1,234"));
}

TEST(DibujoBoleto, SinReferenciasEnElAnverso) {
    for (int orientacion : {1, 2}) {
        ImpresoraFalsa f;
        DibujaBoleto(f, MatrizMarcas(), 1, orientacion, {0, 0, 0, false}, QLocale::c());
        EXPECT_TRUE(f.Rectangulos.empty()) << orientacion;
        ASSERT_EQ(f.Textos.size(), 1u);
        // Sin márgenes, el número va donde dice cada disposición.
        EXPECT_EQ(std::pair(f.Textos[0].X, f.Textos[0].Y),
                  orientacion == 1 ? std::pair(6500, 10) : std::pair(0, 0));
    }
}
