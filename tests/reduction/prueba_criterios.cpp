#include "reduction/bases_prueba.h"
#include "reduction/criterios.h"
#include "reduction/estadisticas.h"

#include <gtest/gtest.h>

using namespace quiniela;
using namespace quiniela::prueba;

namespace {

std::optional<MensajeReduccion> Comprueba(const QString& fichas, int metodo,
                                          const std::function<void(Reduccion&)>& ajusta = {}) {
    Reduccion red = BaseDeFichas(fichas.split(u' ', Qt::SkipEmptyParts), metodo);
    if (ajusta)
        ajusta(red);
    TablaDirecta tabla;
    const auto est = CalculaEstadisticas(red, tabla);
    return CompruebaReduccion(red, est);
}

const QString BaseBuena = QStringLiteral("1X2*=1 12*=2 X2*=X 1 1 1 1 1 1 1 1 1 1 1 1");

} // namespace

TEST(Criterios, TextosExactosDeLasComprobaciones) {
    // 1: elegidos sin signo probable, con el texto de N > 1 y el de N = 1.
    auto m =
        Comprueba(QStringLiteral("1X2* 12* X2*=X 1 1 1 1 1 1 1 1 1 1 1 1"), MetodoColumnaProbable);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->titulo, QStringLiteral("ERROR EN LA QUINIELA BASE"));
    EXPECT_EQ(
        m->texto,
        QStringLiteral("Hay  2 partidos múltiples a reducir de la Quiniela Base de los que no ha "
                       "seleccionado ningun signo en la Columna probable.  Debe seleccionar en la "
                       "Columna probable un  signo de cada  partido a reducir antes de efectuar la "
                       "reducción."));
    m = Comprueba(QStringLiteral("1X2*=1 12* X2*=X 1 1 1 1 1 1 1 1 1 1 1 1"),
                  MetodoColumnaProbable);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->texto,
              QStringLiteral(
                  "Hay  1  partido  múltiple  a  reducir de  la   Quiniela  Base  del  que no ha "
                  "seleccionado ningun signo en la Columna probable.  Debe seleccionar en la "
                  "Columna probable un  signo de cada  partido a reducir antes de efectuar la "
                  "reducción."));

    // 2: mínimo por encima del máximo.
    m = Comprueba(BaseBuena, MetodoColumnaProbable, [](Reduccion& r) {
        r.MinErrores = 3;
        r.MaxErrores = 1;
    });
    ASSERT_TRUE(m);
    EXPECT_EQ(m->titulo, QStringLiteral("NO CONCUERDAN LOS ERRORES PERMITIDOS"));
    EXPECT_EQ(m->texto, QStringLiteral("El mínimo de errores permitidos es superior al máximo de "
                                       "errores permitidos. El mínimo debe ser igual o inferior "
                                       "al máximo. Debe corregir estos parámetros antes de "
                                       "efectuar la reducción."));

    // 3: la columna "X" sin ningún total, aunque las otras dos tengan.
    m = Comprueba(BaseBuena, MetodoSeleccionSignos, [](Reduccion& r) {
        r.Totales(1, 1) = 1;
        r.Totales(3, 1) = 1;
    });
    ASSERT_TRUE(m);
    EXPECT_EQ(m->titulo, QStringLiteral("ERROR EN TOTALES DE CADA SIGNO"));
    EXPECT_EQ(m->texto, QStringLiteral("Tiene que marcar como mínimo un valor en cada una de las "
                                       "tres columnas que indican el total de signos 1, X y 2 que "
                                       "deben tener las apuestas reducidas."));

    // 4: un partido sin signos (aquí el 15).
    m = Comprueba(QStringLiteral("1X2*=1 12*=2 X2*=X 1 1 1 1 1 1 1 1 1 1 1 -"), MetodoDirecto);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->titulo, QStringLiteral("ERROR EN LA QUINIELA BASE"));
    EXPECT_EQ(m->texto, QStringLiteral("Hay  algún  partido  de  la  Quiniela Base  que  no tiene "
                                       "marcado ningún signo. Debe seleccionar en la Quiniela "
                                       "Base al menos un signo de cada partido antes de efectuar "
                                       "la reducción."));

    // 5: ningún múltiple elegido (quince sencillos).
    m = Comprueba(QStringLiteral("1 1 1 1 1 1 1 1 1 1 1 1 1 1 1"), MetodoDirecto);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->titulo, QStringLiteral("MULTIPLES A REDUCIR"));
    EXPECT_EQ(m->texto, QStringLiteral("No ha seleccionado ningún múltiple a reducir. Seleccione "
                                       "los múltiples que desea reducir antes de iniciar la "
                                       "reducción."));

    // 6: todo rechazado.
    m = Comprueba(BaseBuena, MetodoSeleccionSignos,
                  [](Reduccion& r) { r.Totales(1, 0) = r.Totales(2, 0) = r.Totales(3, 0) = 1; });
    ASSERT_TRUE(m);
    EXPECT_EQ(m->titulo, QStringLiteral("NO HAY APUESTAS REDUCIDAS"));
    EXPECT_EQ(m->texto,
              QStringLiteral("La combinación  de  la  quiniela base y los factores de reducción "
                             "actuales   da   lugar   a   que  la  totalidad  de  las  apuestas  "
                             "sean rechazadas.  Modifique  estos  factores hasta que haya al "
                             "menos una apuesta aceptada para poder efectuar una reducción "
                             "válida."));

    EXPECT_FALSE(Comprueba(BaseBuena, MetodoDirecto));
    EXPECT_FALSE(Comprueba(BaseBuena, MetodoColumnaProbable));
}

TEST(Criterios, OrdenDeLasComprobaciones) {
    // Sin probable y con mínimo > máximo: gana la 1; partido vacío y sin múltiples: la 4.
    auto m = Comprueba(QStringLiteral("1X2* 1 1 1 1 1 1 1 1 1 1 1 1 1 1"), MetodoColumnaProbable,
                       [](Reduccion& r) {
                           r.MinErrores = 1;
                           r.MaxErrores = 0;
                       });
    ASSERT_TRUE(m);
    EXPECT_TRUE(m->texto.startsWith(QStringLiteral("Hay  1  partido")));
    m = Comprueba(QStringLiteral("- 1 1 1 1 1 1 1 1 1 1 1 1 1 1"), MetodoSeleccionSignos);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->titulo, QStringLiteral("ERROR EN TOTALES DE CADA SIGNO"));
    m = Comprueba(QStringLiteral("- 1 1 1 1 1 1 1 1 1 1 1 1 1 1"), MetodoDirecto);
    ASSERT_TRUE(m);
    EXPECT_TRUE(m->texto.contains(QStringLiteral("no tiene marcado ningún signo")));
    // El error 2 no se mira en los otros métodos.
    EXPECT_FALSE(Comprueba(BaseBuena, MetodoDirecto, [](Reduccion& r) {
        r.MinErrores = 2;
        r.MaxErrores = 1;
    }));
}

TEST(Criterios, LimpiezaDeParametrosNoUsados) {
    Reduccion red;
    auto llena = [&](int metodo) {
        red.Metodo = static_cast<int16_t>(metodo);
        red.MinErrores = 1;
        red.MaxErrores = 2;
        red.Totales(2, 4) = 1;
        LimpiaParametrosNoUsados(red);
    };
    llena(MetodoDirecto);
    EXPECT_EQ(red.MinErrores + red.MaxErrores, 0);
    EXPECT_EQ(red.Totales, TotalesSignos{});
    llena(MetodoColumnaProbable);
    EXPECT_EQ(red.MaxErrores, 2);
    EXPECT_EQ(red.Totales, TotalesSignos{});
    llena(MetodoSeleccionSignos);
    EXPECT_EQ(red.MinErrores + red.MaxErrores, 0);
    EXPECT_EQ(red.Totales(2, 4), 1);
}
