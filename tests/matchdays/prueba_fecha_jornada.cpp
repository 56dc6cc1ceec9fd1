#include "matchdays/fecha_jornada.h"

#include <gtest/gtest.h>

using namespace quiniela;
using namespace Qt::StringLiterals;

TEST(FechaJornada, CalendarioDiaMesAno) {
    const auto valida = [](const QString& d, const QString& m, const QString& a) {
        return FechaValida({d, m, a});
    };
    EXPECT_FALSE(valida(u"31"_s, u"02"_s, u"05"_s));
    EXPECT_TRUE(valida(u"29"_s, u"02"_s, u"04"_s));
    EXPECT_FALSE(valida(u"29"_s, u"02"_s, u"05"_s));
    EXPECT_TRUE(valida(u"28"_s, u"08"_s, u"05"_s));
    EXPECT_FALSE(valida(u"00"_s, u"00"_s, u"00"_s));
    EXPECT_FALSE(valida(u"12"_s, u"13"_s, u"05"_s)); // día/mes, nunca mes/día
    EXPECT_FALSE(valida(u"31"_s, u"04"_s, u"05"_s));
    EXPECT_FALSE(valida(u"5"_s, u"09"_s, u"05"_s)); // sin completar
    EXPECT_FALSE(valida(u"a5"_s, u"09"_s, u"05"_s));
    EXPECT_FALSE(valida(u"05"_s, u" 9"_s, u"05"_s));
    EXPECT_FALSE(valida(QString(), u"09"_s, u"05"_s));
    // 00..29 son 2000..2029 y 30..99 son 1930..1999: 2000 y 1932 fueron bisiestos, 1900 no.
    EXPECT_EQ(AnoCompleto(0), 2000);
    EXPECT_EQ(AnoCompleto(29), 2029);
    EXPECT_EQ(AnoCompleto(30), 1930);
    EXPECT_EQ(AnoCompleto(99), 1999);
    EXPECT_TRUE(valida(u"29"_s, u"02"_s, u"00"_s));
    EXPECT_TRUE(valida(u"29"_s, u"02"_s, u"32"_s));
    EXPECT_FALSE(valida(u"29"_s, u"02"_s, u"31"_s));
}

TEST(FechaJornada, CierreDelPanelCompletaYComparaConLaActual) {
    EXPECT_EQ(CompletaCampoFecha(u"5"_s), u"05"_s);
    EXPECT_EQ(CompletaCampoFecha(u"15"_s), u"15"_s);
    EXPECT_EQ(CompletaCampoFecha(QString()), QString());

    CierreFecha c = CierraPanelFecha({u"5"_s, u"9"_s, u"5"_s}, u"28/08/05"_s);
    EXPECT_TRUE(c.valida);
    EXPECT_EQ(c.campos, (CamposFecha{u"05"_s, u"09"_s, u"05"_s}));
    EXPECT_EQ(c.fecha, u"05/09/05"_s);
    EXPECT_TRUE(c.cambiada);

    c = CierraPanelFecha({u"28"_s, u"08"_s, u"05"_s}, u"28/08/05"_s);
    EXPECT_TRUE(c.valida);
    EXPECT_FALSE(c.cambiada);

    c = CierraPanelFecha({u"29"_s, u"2"_s, u"05"_s}, u"28/08/05"_s);
    EXPECT_FALSE(c.valida);
    EXPECT_EQ(c.campos.mes, u"02"_s);
    EXPECT_FALSE(c.cambiada);

    EXPECT_EQ(CamposDeFecha(u"05/09/05"_s), (CamposFecha{u"05"_s, u"09"_s, u"05"_s}));
    EXPECT_EQ(ComponeFecha({u"05"_s, u"09"_s, u"05"_s}), u"05/09/05"_s);
}

TEST(FechaJornada, EscrituraDeLosCampos) {
    // Más de dos caracteres: se cortan y el cursor se queda donde pueda.
    EXPECT_EQ(RecortaTexto({u"123"_s, 3}, 2), (TextoConCursor{u"12"_s, 2}));
    EXPECT_EQ(RecortaTexto({u"9123"_s, 1}, 2), (TextoConCursor{u"91"_s, 1}));
    EXPECT_EQ(RecortaTexto({u"1"_s, 1}, 2), (TextoConCursor{u"1"_s, 1}));
    // Casilla de equipo: 20 caracteres se quedan en 15.
    EXPECT_EQ(RecortaTexto({u"Real Valladolid C.F."_s, 20}, 15),
              (TextoConCursor{u"Real Valladolid"_s, 15}));

    EXPECT_TRUE(PasaAlSiguienteCampo({u"05"_s, 2}));
    EXPECT_FALSE(PasaAlSiguienteCampo({u"05"_s, 1}));
    EXPECT_FALSE(PasaAlSiguienteCampo({u"5"_s, 1}));
}
