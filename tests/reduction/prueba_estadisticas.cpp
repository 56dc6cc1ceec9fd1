#include "reduction/bases_prueba.h"
#include "reduction/criterios.h"
#include "reduction/estadisticas.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace quiniela;
using namespace quiniela::prueba;

namespace quiniela {
void PrintTo(const MensajeReduccion& m, std::ostream* salida) {
    *salida << m.Titulo.toStdString() << ": " << m.Texto.toStdString();
}
} // namespace quiniela

namespace {

EstadisticasReduccion Calcula(Reduccion& red) {
    TablaDirecta tabla;
    return CalculaEstadisticas(red, tabla);
}

const QLocale Es(QLocale::Spanish, QLocale::Spain);

const QString BaseBuena = u"1X2*=1 12*=2 X2*=X 1 1 1 1 1 1 1 1 1 1 1 1"_s;

// Los mensajes esperados, título y texto, en el orden en que los usa la prueba.
std::vector<MensajeReduccion> Mensajes() {
    QFile f(QStringLiteral(QUINIELA_FUENTES "/tests/datos/reduction/comprobaciones.txt"));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    std::vector<MensajeReduccion> m;
    for (const QString& bloque : QString::fromUtf8(f.readAll()).split(u"\n\n"_s))
        m.push_back({bloque.section(u'\n', 0, 0), bloque.section(u'\n', 1, 1)});
    return m;
}

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

TEST(Criterios, TextosYOrdenDeLasComprobaciones) {
    struct Caso {
        QString Fichas;
        int Metodo;
        int MinErrores, MaxErrores;
        std::vector<std::pair<int, int>> Totales;
        std::optional<MensajeReduccion> Esperado;
    };
    const auto m = Mensajes();
    ASSERT_EQ(m.size(), 8u);
    const auto [Probables, UnProbable, Errores, Totales, SinSignos, SinMultiples, Rechazadas,
                Existe] = std::tuple(m[0], m[1], m[2], m[3], m[4], m[5], m[6], m[7]);
    const QString sinProbable = u"1X2* 1 1 1 1 1 1 1 1 1 1 1 1 1 1"_s;
    const QString vacio = u"- 1 1 1 1 1 1 1 1 1 1 1 1 1 1"_s;
    const std::vector<Caso> casos{
        {u"1X2* 12* X2*=X 1 1 1 1 1 1 1 1 1 1 1 1"_s, 2, 0, 0, {}, Probables},
        {u"1X2*=1 12* X2*=X 1 1 1 1 1 1 1 1 1 1 1 1"_s, 2, 0, 0, {}, UnProbable},
        {BaseBuena, 2, 3, 1, {}, Errores},
        {BaseBuena, 3, 0, 0, {{1, 1}, {3, 1}}, Totales}, // la "X" sin ningún total
        {u"1X2*=1 12*=2 X2*=X 1 1 1 1 1 1 1 1 1 1 1 -"_s, 1, 0, 0, {}, SinSignos},
        {u"1 1 1 1 1 1 1 1 1 1 1 1 1 1 1"_s, 1, 0, 0, {}, SinMultiples},
        {BaseBuena, 3, 0, 0, {{1, 0}, {2, 0}, {3, 0}}, Rechazadas},
        {BaseBuena, 1, 0, 0, {}, std::nullopt},
        {BaseBuena, 2, 0, 0, {}, std::nullopt},
        // Cuando fallan varias, la primera en su orden; la 2 solo en la columna probable.
        {sinProbable, 2, 1, 0, {}, UnProbable},
        {vacio, 3, 0, 0, {}, Totales},
        {vacio, 1, 0, 0, {}, SinSignos},
        {BaseBuena, 1, 2, 1, {}, std::nullopt},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE((c.Fichas + u' ' + QString::number(c.Metodo)).toStdString());
        Reduccion red = BaseDeFichas(c.Fichas, c.Metodo);
        red.MinErrores = int16_t(c.MinErrores);
        red.MaxErrores = int16_t(c.MaxErrores);
        for (auto [k, r] : c.Totales)
            red.Totales(k, r) = 1;
        EXPECT_EQ(CompruebaReduccion(red, Calcula(red)), c.Esperado);
    }
    EXPECT_EQ(MensajeReduccionExiste(), Existe);
}

TEST(Criterios, LimpiezaDeParametrosNoUsados) {
    for (int metodo : {MetodoDirecto, MetodoColumnaProbable, MetodoSeleccionSignos}) {
        Reduccion red;
        red.Metodo = int16_t(metodo);
        red.MinErrores = 1;
        red.MaxErrores = 2;
        red.Totales(2, 4) = 1;
        LimpiaParametrosNoUsados(red);
        EXPECT_EQ(red.MinErrores + red.MaxErrores, metodo == MetodoColumnaProbable ? 3 : 0)
            << metodo;
        EXPECT_EQ(red.Totales(2, 4), metodo == MetodoSeleccionSignos ? 1 : 0) << metodo;
    }
}
