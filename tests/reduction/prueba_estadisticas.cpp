#include "reduction/bases_prueba.h"
#include "reduction/estadisticas.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace quiniela;
using namespace quiniela::prueba;

namespace {

EstadisticasReduccion Calcula(Reduccion& red) {
    TablaDirecta tabla;
    return CalculaEstadisticas(red, tabla);
}

const QLocale Es(QLocale::Spanish, QLocale::Spain);

} // namespace

TEST(Estadisticas, ParametrosCoherentesConLaBase) {
    // Errores por encima de M bajan a M; totales por encima de MaxSigno se borran.
    Reduccion red =
        BaseDeFichas(u"1X*=1 12*=2 1X2 1 1 1 1 1 1 1 1 1 1 1 1"_s, MetodoColumnaProbable);
    red.MinErrores = 5;
    red.MaxErrores = 9;
    // signo, total y si queda puesto
    const std::vector<std::array<int, 3>> totales{{1, 2, 1}, {1, 3, 0}, {2, 1, 1},
                                                  {2, 2, 0}, {3, 0, 1}, {3, 14, 0}};
    for (auto [k, r, queda] : totales)
        red.Totales(k, r) = 1;
    auto est = Calcula(red);
    EXPECT_EQ(red.MinErrores, 2);
    EXPECT_EQ(red.MaxErrores, 2);
    for (auto [k, r, queda] : totales)
        EXPECT_EQ(red.Totales(k, r), queda) << k << " " << r;
    EXPECT_EQ(est.MaxSigno, (std::array<int16_t, 4>{0, 2, 1, 1}));

    // Todo rechazado: excluidas = total, factor 0, porcentajes 0,00 %.
    red.Metodo = MetodoSeleccionSignos;
    red.Totales = TotalesSignos{};
    red.Totales(1, 0) = red.Totales(2, 0) = red.Totales(3, 0) = 1;
    est = Calcula(red);
    EXPECT_EQ(est.Aceptadas, 0);
    EXPECT_EQ(est.Excluidas, est.Total);
    EXPECT_EQ(est.Factor, 0.0f);
    const auto lineas = LineasPanelEstadisticas(est, MetodoSeleccionSignos, 0.5f, Es);
    EXPECT_EQ(lineas.back().Rotulo, u"Posibil. cubiertas"_s);
    EXPECT_EQ(lineas.back().Valor, u"0,00 %"_s);
    EXPECT_EQ(lineas.at(lineas.size() - 2).Valor, u"0,00"_s);
}

TEST(Estadisticas, CuentaPorTotalesEnElPeorCaso) {
    // Contra el recuento de columnas lo comprueba el desarrollo con bases aleatorias; aquí,
    // catorce triples elegidos y todos los totales, sin desbordar.
    Reduccion red = BaseDeFichas(u"1X2* 1X2* 1X2* 1X2* 1X2* 1X2* 1X2* 1X2* 1X2* "
                                 "1X2* 1X2* 1X2* 1X2* 1X2* 1X2"_s,
                                 MetodoSeleccionSignos);
    for (int k = 1; k <= 3; ++k)
        for (int r = 0; r <= 14; ++r)
            red.Totales(k, r) = 1;
    const auto est = Calcula(red);
    EXPECT_EQ(est.Total, 14348907);
    EXPECT_EQ(est.Aceptadas, 14348907);
    EXPECT_EQ(CuentaColumnasPorTotales(red.Base, 5, 5, 4), 252252); // 14! / (5! 5! 4!)
}

TEST(Estadisticas, ResumenDeUnaReduccionGuardada) {
    Reduccion red;
    red.Metodo = MetodoColumnaProbable;
    red.ApuestasBase = 1594323;
    red.ApuestasReducidas = 2187;
    red.MinErrores = 1;
    red.MaxErrores = 3;
    const auto r = DibujaResumenReduccion(red, 0.5f, 640, Es);
    ASSERT_TRUE(r.Dibuja);
    ASSERT_EQ(r.Lineas.size(), 5u);
    EXPECT_EQ(r.Lineas[0].Rotulo, u"1.594.323 apuestas reducidas a 2.187"_s);
    EXPECT_EQ(r.Lineas[3].Valor, u"1.093,50 €"_s);
    // Un precio sin representación exacta se redondea a céntimos antes de multiplicar.
    red.ApuestasReducidas = 14348907;
    EXPECT_EQ(DibujaResumenReduccion(red, 0.35f, 640, Es).Lineas[3].Valor, u"5.022.117,45 €"_s);

    // El método directo da las probabilidades en lugar de los errores y las posibilidades.
    red.Metodo = MetodoDirecto;
    red.ApuestasBase = 81;
    red.ApuestasReducidas = 9;
    const auto d = DibujaResumenReduccion(red, 0.5f, 250, QLocale::c());
    ASSERT_EQ(d.Lineas.size(), 5u);
    EXPECT_EQ(d.Lineas[3].Rotulo, u"Probabilidad 14 aciertos:"_s);
    EXPECT_EQ(d.Lineas[3].Valor, u"11.11 %"_s);
    EXPECT_EQ(d.Lineas[4].Rotulo, u"Probabilidad 13 aciertos:"_s);
    EXPECT_EQ(d.Lineas[4].Valor, u"88.89 %"_s);

    red.ApuestasBase = 1;
    EXPECT_FALSE(DibujaResumenReduccion(red, 0.5f, 640, Es).Dibuja);
}
