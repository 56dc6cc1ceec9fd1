#include "core/datos_generales_tipo.h"
#include "core/mascaras.h"
#include "core/regional.h"
#include "settings/datos_generales.h"
#include "support/carpeta_temporal.h"

#include <QLocale>
#include <QTextStream>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace quiniela;
using namespace quiniela::prueba;

namespace {

TEST(Regional, SinConfiguracionDelUsuarioSeUsaLaEspanola) {
    struct Caso {
        const char* Sistema;
        const char* Cifras;
        const char* Importe;
    };
    // Lo que llega de LANG / LC_ALL / LC_NUMERIC tal cual, y lo que se ve en pantalla.
    const Caso casos[] = {
        {"C", "5.184", "2.592,00"},           {"C.UTF-8", "5.184", "2.592,00"},
        {"POSIX", "5.184", "2.592,00"},       {"es_ES.UTF-8", "5.184", "2.592,00"},
        {"en_US.UTF-8", "5,184", "2,592.00"}, {"en_GB", "5,184", "2,592.00"},
    };
    for (const Caso& c : casos) {
        const QLocale pantallas = RegionalDePantallas(QLocale(QString::fromUtf8(c.Sistema)));
        EXPECT_EQ(FormatoNumero(5184, u"##,###,##0", pantallas), QString::fromUtf8(c.Cifras))
            << c.Sistema;
        EXPECT_EQ(FormatoNumero(2592, u"##,###,##0.00", pantallas), QString::fromUtf8(c.Importe))
            << c.Sistema;
    }
}

} // namespace
