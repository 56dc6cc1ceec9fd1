#include "matchdays/fecha_jornada.h"

#include <gtest/gtest.h>

using namespace quiniela;
using namespace Qt::StringLiterals;

TEST(FechaJornada, CalendarioDiaMesAno) {
    struct Caso {
        QString dia, mes, ano;
        bool valida;
    };
    // 00..29 son 2000..2029 y 30..99 son 1930..1999: 2000 y 1932 bisiestos, 1931 no.
    const Caso casos[] = {
        {u"31"_s, u"02"_s, u"05"_s, false},   {u"29"_s, u"02"_s, u"04"_s, true},
        {u"29"_s, u"02"_s, u"05"_s, false},   {u"28"_s, u"08"_s, u"05"_s, true},
        {u"00"_s, u"00"_s, u"00"_s, false},   {u"12"_s, u"13"_s, u"05"_s, false},
        {u"31"_s, u"04"_s, u"05"_s, false},   {u"5"_s, u"09"_s, u"05"_s, false},
        {u"a5"_s, u"09"_s, u"05"_s, false},   {u"05"_s, u" 9"_s, u"05"_s, false},
        {QString(), u"09"_s, u"05"_s, false}, {u"29"_s, u"02"_s, u"00"_s, true},
        {u"29"_s, u"02"_s, u"32"_s, true},    {u"29"_s, u"02"_s, u"31"_s, false},
    };
    for (const Caso& c : casos)
        EXPECT_EQ(FechaValida({c.dia, c.mes, c.ano}), c.valida)
            << c.dia.toStdString() << '/' << c.mes.toStdString() << '/' << c.ano.toStdString();
}

TEST(FechaJornada, CierreDelPanelCompletaYComparaConLaActual) {
    EXPECT_EQ(CompletaCampoFecha(u"5"_s), u"05"_s);
    const CierreFecha c = CierraPanelFecha({u"5"_s, u"9"_s, u"5"_s}, u"28/08/05"_s);
    EXPECT_TRUE(c.valida && c.cambiada);
    EXPECT_EQ(c.fecha, u"05/09/05"_s);
    EXPECT_FALSE(CierraPanelFecha({u"28"_s, u"08"_s, u"05"_s}, u"28/08/05"_s).cambiada);
}
