#include "reduction/bases_prueba.h"
#include "reduction/estadisticas.h"

#include <gtest/gtest.h>

#include <set>

using namespace quiniela;
using namespace quiniela::prueba;

namespace {

Reduccion Base(const QString& texto, int metodo) {
    return BaseDeFichas(texto.split(u' ', Qt::SkipEmptyParts), metodo);
}

EstadisticasReduccion Calcula(Reduccion& red) {
    TablaDirecta tabla;
    return CalculaEstadisticas(red, tabla);
}

const QLocale Es(QLocale::Spanish, QLocale::Spain);

// Cuenta literal: selecciones de t(A) partidos de L en orden lexicográfico, forzados y libres.
int CuentaLiteral(const QuinielaBase& base, int c1, int cx, int c2) {
    const int t[4] = {0, c1, cx, c2};
    const int a = t[3] > 0 ? 3 : t[2] > 0 ? 2 : 1;
    int b = a == 1 ? 3 : a == 2 ? 1 : 2;
    if (a == 3 && t[2] == 0 && t[1] > 0)
        b = 1;
    const int c = 6 - a - b;
    std::vector<int> elegidos, l;
    for (int m = 1; m <= 14; ++m)
        if (base[m].AReducir == 1) {
            elegidos.push_back(m);
            if (base[m].Signo[a] == 1)
                l.push_back(m);
        }
    if (t[a] > int(l.size()))
        return 0;
    std::vector<int> sel(t[a]);
    for (int i = 0; i < t[a]; ++i)
        sel[i] = i;
    int cuenta = 0;
    for (;;) {
        std::set<int> tomados;
        for (int i : sel)
            tomados.insert(l[i]);
        int forzadosB = 0, libres = 0;
        for (int m : elegidos) {
            if (tomados.count(m))
                continue;
            const auto& s = base[m].Signo;
            if (s[b] == 1 && s[c] == 1)
                ++libres;
            else if (s[a] == 1 && s[b] == 1)
                ++forzadosB;
        }
        const int resto = t[b] - forzadosB;
        if (resto >= 0)
            cuenta += Combinaciones(libres, resto);
        // siguiente selección
        int i = t[a] - 1;
        while (i >= 0 && sel[i] == int(l.size()) - t[a] + i)
            --i;
        if (i < 0)
            break;
        ++sel[i];
        for (int j = i + 1; j < t[a]; ++j)
            sel[j] = sel[j - 1] + 1;
    }
    return cuenta;
}

} // namespace

TEST(Estadisticas, CasosDeLasCuentas) {
    // Quince sencillos: 1 columna, 1 aceptada, sin resumen.
    Reduccion red = Base(QStringLiteral("1 1 1 1 1 1 1 1 1 1 1 1 1 1 1"), MetodoDirecto);
    auto est = Calcula(red);
    EXPECT_EQ(est.Total, 1);
    EXPECT_EQ(est.Aceptadas, 1);
    EXPECT_FALSE(est.HayTabla);

    // Columna probable, T = 0, D = 4, errores 0..1: 1 + 4 = 5, factor 3.20.
    red = Base(QStringLiteral("12*=1 1X*=X X2*=2 12*=1 1 1 1 1 1 1 1 1 1 1 1"),
               MetodoColumnaProbable);
    red.MaxErrores = 1;
    est = Calcula(red);
    EXPECT_EQ(est.Aceptadas, 5);
    EXPECT_EQ(est.Excluidas, 11);
    EXPECT_FLOAT_EQ(est.Factor, 3.2f);

    // T = 2, D = 0, errores 2..2: C(2,2) × 4 = 4 de 9.
    red = Base(QStringLiteral("1X2*=1 1X2*=2 1 1 1 1 1 1 1 1 1 1 1 1 1"), MetodoColumnaProbable);
    red.MinErrores = red.MaxErrores = 2;
    est = Calcula(red);
    EXPECT_EQ(est.Total, 9);
    EXPECT_EQ(est.Aceptadas, 4);

    // Un múltiple sin elegir multiplica total y aceptadas por igual.
    red = Base(QStringLiteral("1X2*=1 1X2*=2 1 1 1 1 1 1 1 1 1 1 1 1 12"), MetodoColumnaProbable);
    red.MinErrores = red.MaxErrores = 2;
    const auto conDoble = Calcula(red);
    EXPECT_EQ(conDoble.Total, 18);
    EXPECT_EQ(conDoble.Aceptadas, 8);
    EXPECT_FLOAT_EQ(conDoble.Factor, est.Factor);

    // Directo, cuatro triples: 81, factor 9, 9 aceptadas.
    red = Base(QStringLiteral("1X2* 1X2* 1X2* 1X2* 1 1 1 1 1 1 1 1 1 1 1"), MetodoDirecto);
    est = Calcula(red);
    EXPECT_EQ(est.Total, 81);
    EXPECT_EQ(est.Aceptadas, 9);
    EXPECT_FLOAT_EQ(est.Factor, 9.0f);
    EXPECT_EQ(est.TriplesAReducir, 4);
    EXPECT_EQ(est.MultiplesAReducir, 4);
    EXPECT_EQ(est.MaxSigno, (std::array<int16_t, 4>{0, 4, 4, 4}));
}

TEST(Estadisticas, ParametrosCoherentesConLaBase) {
    // Errores por encima de M bajan a M; totales por encima de MaxSigno se borran.
    Reduccion red =
        Base(QStringLiteral("1X*=1 12*=2 1X2 1 1 1 1 1 1 1 1 1 1 1 1"), MetodoColumnaProbable);
    red.MinErrores = 5;
    red.MaxErrores = 9;
    red.Totales(1, 2) = 1;
    red.Totales(1, 3) = 1;
    red.Totales(2, 1) = 1;
    red.Totales(2, 2) = 1;
    red.Totales(3, 0) = 1;
    red.Totales(3, 14) = 1;
    auto est = Calcula(red);
    EXPECT_EQ(red.MinErrores, 2);
    EXPECT_EQ(red.MaxErrores, 2);
    EXPECT_EQ(red.Totales(1, 2), 1);
    EXPECT_EQ(red.Totales(1, 3), 0);
    EXPECT_EQ(red.Totales(2, 1), 1);
    EXPECT_EQ(red.Totales(2, 2), 0);
    EXPECT_EQ(red.Totales(3, 0), 1);
    EXPECT_EQ(red.Totales(3, 14), 0);
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
    EXPECT_EQ(lineas.back().rotulo, QStringLiteral("Posibil. cubiertas"));
    EXPECT_EQ(lineas.back().valor, QStringLiteral("0,00 %"));
    EXPECT_EQ(lineas.at(lineas.size() - 2).valor, QStringLiteral("0,00"));
}

TEST(Estadisticas, CuentaPorTotalesComoLaEnumeracionDeSelecciones) {
    std::mt19937 azar(5);
    for (int i = 0; i < 40; ++i) {
        Reduccion red = BaseAleatoria(azar, MetodoSeleccionSignos, 3 * 4782969LL);
        int m = 0;
        for (int p = 1; p <= 14; ++p)
            m += red.Base[p].AReducir;
        for (int c1 = 0; c1 <= m; ++c1)
            for (int cx = 0; c1 + cx <= m; ++cx)
                ASSERT_EQ(CuentaColumnasPorTotales(red.Base, c1, cx, m - c1 - cx),
                          CuentaLiteral(red.Base, c1, cx, m - c1 - cx))
                    << i << ": " << c1 << " " << cx;
    }
    // Peor caso: catorce triples elegidos y todos los totales.
    Reduccion red = Base(QStringLiteral("1X2* 1X2* 1X2* 1X2* 1X2* 1X2* 1X2* 1X2* 1X2* 1X2* "
                                        "1X2* 1X2* 1X2* 1X2* 1X2"),
                         MetodoSeleccionSignos);
    for (int k = 1; k <= 3; ++k)
        for (int r = 0; r <= 14; ++r)
            red.Totales(k, r) = 1;
    const auto est = Calcula(red);
    EXPECT_EQ(est.Total, 14348907);
    EXPECT_EQ(est.Aceptadas, 14348907);
    EXPECT_EQ(CuentaColumnasPorTotales(red.Base, 5, 5, 4), 252252);
}

TEST(Estadisticas, Combinaciones) {
    EXPECT_EQ(Combinaciones(14, 7), 3432);
    EXPECT_EQ(Combinaciones(5, 0), 1);
    EXPECT_EQ(Combinaciones(0, 0), 1);
    EXPECT_EQ(Combinaciones(3, 4), 0);
    EXPECT_EQ(Combinaciones(10, 3), 120);
}

TEST(Estadisticas, LineasDelPanel) {
    Reduccion red =
        Base(QStringLiteral("1X2* 1X2* 1X2* 1X2* 12 1 1 1 1 1 1 1 1 1 1"), MetodoDirecto);
    const auto est = Calcula(red);
    const auto lineas = LineasPanelEstadisticas(est, MetodoDirecto, 0.5f, Es);
    std::vector<std::tuple<int, QString, QString>> vistas;
    for (const auto& l : lineas)
        vistas.emplace_back(l.grupo, l.rotulo, l.valor);
    const std::vector<std::tuple<int, QString, QString>> esperadas{
        {1, QStringLiteral("Partidos a doble"), QStringLiteral("1")},
        {1, QStringLiteral("Partidos a triple"), QStringLiteral("4")},
        {1, QStringLiteral("Total múltiples"), QStringLiteral("5")},
        {1, QStringLiteral("Apuest. directas"), QStringLiteral("162")},
        {2, QStringLiteral("Dobles a reducir"), QStringLiteral("0")},
        {2, QStringLiteral("Triples a reducir"), QStringLiteral("4")},
        {2, QStringLiteral("Múltiples a reducir"), QStringLiteral("4")},
        {2, QStringLiteral("Apuest. aceptadas"), QStringLiteral("18")},
        {2, QStringLiteral("Apuest. excluidas"), QStringLiteral("144")},
        {3, QStringLiteral("Importe total"), QStringLiteral("81,00 €")},
        {3, QStringLiteral("Importe reducidas"), QStringLiteral("9,00 €")},
        {4, QStringLiteral("Factor reducción"), QStringLiteral("9,00")},
        {4, QStringLiteral("Probab. 14 aciertos"), QStringLiteral("11,11 %")},
        {4, QStringLiteral("Probab. 13 aciertos"), QStringLiteral("88,89 %")},
    };
    EXPECT_EQ(vistas, esperadas);

    // Miles con separador y el precio redondeado a céntimos.
    EstadisticasReduccion grande;
    grande.Total = 14348907;
    grande.Aceptadas = 1234567;
    const auto l2 = LineasPanelEstadisticas(grande, MetodoColumnaProbable, 0.3f, Es);
    EXPECT_EQ(l2.at(3).valor, QStringLiteral("14.348.907"));
    EXPECT_EQ(l2.at(9).valor, QStringLiteral("4.304.672,10 €"));
    EXPECT_EQ(l2.size(), 13u);
}

TEST(Estadisticas, ResumenDeUnaReduccionGuardada) {
    Reduccion red;
    red.Metodo = MetodoColumnaProbable;
    red.ApuestasBase = 1594323;
    red.ApuestasReducidas = 2187;
    red.MinErrores = 1;
    red.MaxErrores = 3;
    const auto r = DibujaResumenReduccion(red, 0.5f, 640, Es);
    ASSERT_TRUE(r.dibuja);
    EXPECT_EQ(r.x0, 205);
    EXPECT_EQ(r.banda, QRect(195, 416, 240, 68));
    ASSERT_EQ(r.lineas.size(), 5u);
    EXPECT_EQ(r.lineas[0].rotulo, QStringLiteral("1.594.323 apuestas reducidas a 2.187"));
    EXPECT_EQ(r.lineas[1].rotulo, QStringLiteral("Factor de  reducción.....:"));
    EXPECT_EQ(r.lineas[1].valor, QStringLiteral("729,00"));
    EXPECT_EQ(r.lineas[2].rotulo, QStringLiteral("Errores permitidos.........:"));
    EXPECT_EQ(r.lineas[2].valor, QStringLiteral("De 1 a 3"));
    EXPECT_EQ(r.lineas[3].valor, QStringLiteral("1.093,50 €"));
    EXPECT_EQ(r.lineas[4].rotulo, QStringLiteral("Posibilidades cubiertas.:"));
    EXPECT_EQ(r.lineas[4].valor, QStringLiteral("0,14 %"));

    red.Metodo = MetodoDirecto;
    red.ApuestasBase = 81;
    red.ApuestasReducidas = 9;
    const auto d = DibujaResumenReduccion(red, 0.5f, 250, QLocale::c());
    ASSERT_EQ(d.lineas.size(), 5u);
    EXPECT_EQ(d.lineas[3].rotulo, QStringLiteral("Probabilidad 14 aciertos:"));
    EXPECT_EQ(d.lineas[3].valor, QStringLiteral("11.11 %"));
    EXPECT_EQ(d.lineas[4].rotulo, QStringLiteral("Probabilidad 13 aciertos:"));
    EXPECT_EQ(d.lineas[4].valor, QStringLiteral("88.89 %"));

    red.ApuestasBase = 1;
    EXPECT_FALSE(DibujaResumenReduccion(red, 0.5f, 640, Es).dibuja);
}
