#include "reduction/bases_prueba.h"
#include "reduction/criterios.h"
#include "reduction/estadisticas.h"

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
const QString SinProbable =
    u"seleccionado ningun signo en la Columna probable.  Debe seleccionar en la Columna probable "
    "un  signo de cada  partido a reducir antes de efectuar la reducción."_s;
const MensajeReduccion Probables{
    u"ERROR EN LA QUINIELA BASE"_s,
    u"Hay  2 partidos múltiples a reducir de la Quiniela Base de los que no ha "_s + SinProbable};
const MensajeReduccion UnProbable{
    u"ERROR EN LA QUINIELA BASE"_s,
    u"Hay  1  partido  múltiple  a  reducir de  la   Quiniela  Base  del  que no "
    "ha "_s +
        SinProbable};
const MensajeReduccion Errores{
    u"NO CONCUERDAN LOS ERRORES PERMITIDOS"_s,
    u"El mínimo de errores permitidos es superior al máximo de errores permitidos. "
    "El mínimo debe ser igual o inferior al máximo. Debe corregir estos "
    "parámetros antes de efectuar la reducción."_s};
const MensajeReduccion Totales{
    u"ERROR EN TOTALES DE CADA SIGNO"_s,
    u"Tiene que marcar como mínimo un valor en cada una de las tres columnas que "
    "indican el total de signos 1, X y 2 que deben tener las apuestas reducidas."_s};
const MensajeReduccion SinSignos{
    u"ERROR EN LA QUINIELA BASE"_s,
    u"Hay  algún  partido  de  la  Quiniela Base  que  no tiene marcado ningún "
    "signo. Debe seleccionar en la Quiniela Base al menos un signo de cada partido "
    "antes de efectuar la reducción."_s};
const MensajeReduccion SinMultiples{
    u"MULTIPLES A REDUCIR"_s,
    u"No ha seleccionado ningún múltiple a reducir. Seleccione los múltiples que "
    "desea reducir antes de iniciar la reducción."_s};
const MensajeReduccion Rechazadas{
    u"NO HAY APUESTAS REDUCIDAS"_s,
    u"La combinación  de  la  quiniela base y los factores de reducción actuales   "
    "da   lugar   a   que  la  totalidad  de  las  apuestas  sean rechazadas.  "
    "Modifique  estos  factores hasta que haya al menos una apuesta aceptada para "
    "poder efectuar una reducción válida."_s};

} // namespace

TEST(Criterios, TextosYOrdenDeLasComprobaciones) {
    struct Caso {
        QString Fichas;
        int Metodo;
        int MinErrores, MaxErrores;
        std::vector<std::pair<int, int>> Totales;
        std::optional<MensajeReduccion> Esperado;
    };
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
