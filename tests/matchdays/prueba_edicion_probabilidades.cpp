#include "matchdays/edicion_probabilidades.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace quiniela;

namespace {

using Modo = ModoProbabilidades;

} // namespace

TEST(EdicionProbabilidades, CadaFilaSeCompruebaMientrasSeEscribe) {
    struct Caso {
        TextosFila Textos;
        Modo M;
        bool Vacia;
        std::optional<std::array<int, 3>> Valida;
        QString Texto;
    };
    const std::vector<Caso> casos{
        {{u""_s, u" "_s, u""_s}, Modo::Porcentajes, true, std::nullopt, QString()},
        {{u"50"_s, u""_s, u""_s}, Modo::Porcentajes, false, std::nullopt, u"50"_s},
        {{u"50"_s, u"30"_s, u"20"_s}, Modo::Porcentajes, false, std::array{50, 30, 20}, u"100"_s},
        {{u"100"_s, u""_s, u""_s}, Modo::Porcentajes, false, std::array{100, 0, 0}, u"100"_s},
        {{u"60"_s, u"30"_s, u"20"_s}, Modo::Porcentajes, false, std::nullopt, u"110"_s},
        {{u"101"_s, u"0"_s, u"0"_s}, Modo::Porcentajes, false, std::nullopt, u"de 0 a 100"_s},
        {{u"50,5"_s, u"29,5"_s, u"20"_s}, Modo::Porcentajes, false, std::nullopt, u"de 0 a 100"_s},
        {{u"2,10"_s, u"3.40"_s, u"3,6"_s},
         Modo::Cuotas,
         false,
         std::array{45, 28, 27},
         u"45 28 27"_s},
        {{u"3"_s, u"3"_s, u"3"_s}, Modo::Cuotas, false, std::array{34, 33, 33}, u"34 33 33"_s},
        {{u"2"_s, u"3"_s, u""_s}, Modo::Cuotas, false, std::nullopt, u"cuotas > 1"_s},
        {{u"1"_s, u"3"_s, u"3"_s}, Modo::Cuotas, false, std::nullopt, u"cuotas > 1"_s},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE((c.Textos[0] + u'|' + c.Textos[1] + u'|' + c.Textos[2]).toStdString());
        const ComprobacionFila r = CompruebaFila(c.Textos, c.M);
        EXPECT_EQ(r.Vacia, c.Vacia);
        EXPECT_EQ(r.Valida.has_value(), c.Valida.has_value());
        if (r.Valida && c.Valida) {
            EXPECT_EQ(r.Valida->Porcentaje, *c.Valida);
        }
        EXPECT_EQ(r.Texto, c.Texto);
    }
}

TEST(EdicionProbabilidades, LasFilasSeLeenTodasONingunaYVuelvenALasCasillas) {
    std::array<TextosFila, NumPartidos + 1> filas{};
    filas[2] = {u"20"_s, u"30"_s, u"50"_s};
    filas[15] = {u"0"_s, u"0"_s, u"100"_s};
    const LecturaFilas bien = LeeFilas(filas, Modo::Porcentajes);
    ASSERT_TRUE(bien.Estimaciones);
    EXPECT_FALSE((*bien.Estimaciones)[1].Estimado);
    EXPECT_EQ((*bien.Estimaciones)[2], (EstimacionPartido{true, {20, 30, 50}}));
    EXPECT_EQ(TextosDeEstimacion((*bien.Estimaciones)[15]), filas[15]);
    EXPECT_EQ(TextosDeEstimacion((*bien.Estimaciones)[3]), TextosFila{});

    filas[9] = {u"1"_s, u"1"_s, u"1"_s};
    const LecturaFilas mal = LeeFilas(filas, Modo::Porcentajes);
    EXPECT_FALSE(mal.Estimaciones);
    EXPECT_EQ(mal.PartidoMalo, 9);
    EXPECT_TRUE(TextoProbabilidadesMal(9, Modo::Porcentajes)
                    .startsWith(u"Las probabilidades del partido 9 deben ser tres porcentajes"_s));
}
