// Reglas de edición del rango de boletos, los márgenes y las copias.
#include "core/datos_generales_tipo.h"
#include "output/edicion_listados.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace quiniela;

TEST(EdicionListados, ValorEnteroComoSeTeclea) {
    const std::pair<QString, int64_t> casos[] = {
        {u"12"_s, 12}, {u"  7"_s, 7}, {u"12ab"_s, 12},
        {u"abc"_s, 0}, {u"-3"_s, -3}, {u""_s, 0},
        {u"+5"_s, 5},  {u"1 2"_s, 1}, {u"99999999999999999999999"_s, INT64_MAX}};
    for (const auto& [texto, valor] : casos)
        EXPECT_EQ(ValorEntero(texto), valor) << texto.toStdString();
}

TEST(EdicionListados, RangoAcotadoAntesDeLasReglas) {
    struct Caso {
        bool Inicial; // campo que se cierra
        QString Texto;
        RangoBoletos Antes, Despues;
    } casos[] = {
        {true, u""_s, {4, 6}, {1, 6}},
        {true, u"0"_s, {4, 6}, {1, 6}}, // nunca por debajo de 1
        {true, u"-3"_s, {4, 6}, {1, 6}},
        {true, u"abc"_s, {4, 6}, {1, 6}},
        {true, u"99999999999999999999"_s, {4, 6}, {10, 10}}, // el total, y arrastra el final
        {true, u"8"_s, {4, 6}, {8, 8}},
        {true, u"5"_s, {4, 6}, {5, 6}},
        {false, u""_s, {4, 6}, {4, 10}},
        {false, u"12"_s, {4, 6}, {4, 10}},
        {false, u"2"_s, {4, 6}, {2, 2}}, // arrastra el inicial
        {false, u"-1"_s, {4, 6}, {1, 1}},
    };
    for (const Caso& k : casos) {
        RangoBoletos r = k.Antes;
        if (k.Inicial)
            CierraBoletoInicial(r, k.Texto, 10);
        else
            CierraBoletoFinal(r, k.Texto, 10);
        EXPECT_EQ(std::pair(r.Inicial, r.Final), std::pair(k.Despues.Inicial, k.Despues.Final))
            << (k.Inicial ? "inicial " : "final ") << k.Texto.toStdString();
    }
}

TEST(EdicionListados, MargenesTresCaracteresSinNegativosYPorPar) {
    const std::pair<QString, int> casos[] = {{u"125"_s, 125}, {u"1234"_s, 123}, {u"-5"_s, 0},
                                             {u""_s, 0},      {u"7x"_s, 7},     {u"-99"_s, 0}};
    for (const auto& [texto, valor] : casos)
        EXPECT_EQ(CierraMargen(texto), valor) << texto.toStdString();
    EXPECT_EQ(RecortaCampoCorto(u"12345"_s), u"123"_s);
    DatosGenerales d;
    PonMargenIzquierdo(d, 1, 40);
    PonMargenSuperior(d, 1, 50);
    for (int tipo : {0, 2, 4}) {
        PonMargenIzquierdo(d, tipo, 60 + tipo);
        EXPECT_EQ(MargenIzquierdo(d, tipo), 60 + tipo);
    }
    EXPECT_EQ(d.MargenIzquierdo, (std::array<int16_t, 3>{0, 40, 64}));
    EXPECT_EQ(d.MargenSuperior, (std::array<int16_t, 3>{0, 50, 0}));
}

TEST(EdicionListados, CopiasDeUnoANovecientosNoventaYNueve) {
    const std::pair<QString, QString> escribiendo[] = {{u"12"_s, u"12"_s}, {u"1234"_s, u"123"_s},
                                                       {u"0"_s, u""_s},    {u"-"_s, u""_s},
                                                       {u"abc"_s, u""_s},  {u"5a"_s, u"5a"_s}};
    for (const auto& [texto, campo] : escribiendo)
        EXPECT_EQ(CampoCopiasAlEscribir(texto), campo) << texto.toStdString();
    const std::pair<QString, int> cerrando[] = {
        {u""_s, 1}, {u"3"_s, 3}, {u"999"_s, 999}, {u"1000"_s, 100}, {u"0"_s, 1}};
    for (const auto& [texto, copias] : cerrando)
        EXPECT_EQ(CierraCopias(texto), copias) << texto.toStdString();
}
