#include "core/codificacion.h"
#include "core/mascaras.h"
#include "core/regional.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace quiniela;

TEST(Mascaras, NumerosConSeparadoresRegionalesYRedondeo) {
    const QLocale es(QLocale::Spanish, QLocale::Spain);
    const QLocale c = QLocale::c();
    const struct {
        double Valor;
        const char16_t* Mascara;
        QLocale Regional;
        QString Esperado;
    } casos[] = {
        {1234.5, u"##,###,##0.00", es, u"1.234,50"_s},
        {1234.5, u"##,###,##0.00", c, u"1,234.50"_s},
        {14348907, u"###,###", es, u"14.348.907"_s},
        {999, u"###,###", es, u"999"_s},
        {0.5, u"##0.00", es, u"0,50"_s},
        {0.125, u"#######0.00", c, u"0.13"_s}, // mitad hacia fuera
        {-2.5, u"#0", c, u"-3"_s},
        {0, u"#0", c, u"0"_s},
        {1000000, u"##,###,##0.00", es, u"1.000.000,00"_s},
    };
    for (const auto& caso : casos)
        EXPECT_EQ(FormatoNumero(caso.Valor, caso.Mascara, caso.Regional), caso.Esperado)
            << caso.Valor;
}

TEST(Mascaras, CifrasYAlineaciones) {
    EXPECT_EQ(DosCifras(7), u"07"_s);
    EXPECT_EQ(FormatoTexto(u"5"_s, u"@@"), u" 5"_s);
    EXPECT_EQ(FormatoTexto(u"81"_s, u"!@@@@@@@"), u"81     "_s);
    EXPECT_EQ(FormatoTexto(u"123456789"_s, u"@@@"), u"123456789"_s);
    EXPECT_EQ(ADerecha(14348907, 9), u" 14348907"_s);
    EXPECT_EQ(AnchoFijo(u"0.5"_s, 4), u"0.5 "_s);
    EXPECT_EQ(AnchoFijo(u"0.555"_s, 4), u"0.55"_s);
    EXPECT_EQ(CifrasFijas(u"123"_s, 5), u"00123"_s);
}

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
