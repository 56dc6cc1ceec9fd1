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
        TablaDirecta tabla;
        const auto est = CalculaEstadisticas(red, tabla);
        EXPECT_EQ(CompruebaReduccion(red, est), c.Esperado);
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
        const bool errores = metodo == MetodoColumnaProbable;
        EXPECT_EQ(red.MinErrores, errores ? 1 : 0) << metodo;
        EXPECT_EQ(red.MaxErrores, errores ? 2 : 0) << metodo;
        EXPECT_EQ(red.Totales(2, 4), metodo == MetodoSeleccionSignos ? 1 : 0) << metodo;
    }
}
