// quiniela-cli sin configuración regional del usuario: cifras con las convenciones españolas.
#include "core/regional.h"
#include "reduction/ordenes_prueba.h"
#include "support/linea_cli.h"

#include <QLocale>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace quiniela;
using namespace quiniela::prueba;

namespace {

using RegionalOrdenes = CarpetaOrdenes;

TEST_F(RegionalOrdenes, LaLineaDeOrdenesMuestraLasCifrasEnEspanolConElLocaleC) {
    const QLocale anterior;
    FijaRegionalDePantallas(QLocale::c());
    // Cuatro triples y seis dobles sin elegir: 81 × 64 = 5184 apuestas a 0,50 €.
    const Linea l =
        EjecutaCli(carpeta, {u"estadisticas"_s, u"--metodo"_s, u"directo"_s, u"--base"_s,
                             u"1X2 1X2 1X2 1X2 1X 1X 1X 1X 1X 1X 1 1 1 1 1"_s});
    QLocale::setDefault(anterior);
    ASSERT_EQ(l.Estado, 0) << l.Err.toStdString();
    EXPECT_TRUE(l.Out.contains(u"Apuest. directas....: 5.184\n"_s)) << l.Out.toStdString();
    EXPECT_TRUE(l.Out.contains(u"Importe total.......: 2.592,00 €\n"_s)) << l.Out.toStdString();
}

} // namespace
