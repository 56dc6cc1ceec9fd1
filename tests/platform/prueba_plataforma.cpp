#include "core/estado_global.h"
#include "platform/plataforma.h"
#include "support/plataforma_falsa.h"

#include <gtest/gtest.h>

using namespace quiniela;
using namespace quiniela::prueba;

TEST(Plataforma, LosSonidosSoloSuenanConSonidoSi) {
    EstadoGlobal estado;
    PlataformaFalsa plataforma(&estado);
    estado.Datos.Sonido = QStringLiteral("si");
    TocaSonido(estado, 6);
    estado.Datos.Sonido = QStringLiteral("SI");
    TocaSonido(estado, 7);
    estado.Datos.Sonido = QStringLiteral("No");
    TocaSonido(estado, 5);
    EXPECT_EQ(plataforma.Sonido, (std::vector<int>{6, 7}));
}

TEST(Plataforma, SinServiciosInstaladosNoPasaNada) {
    EstadoGlobal estado;
    InstalaPlataforma(Plataforma{});
    TocaSonido(estado, 6);
    Espera(1000);
    AvisaSistema(QStringLiteral("x"));
    MuestraMensaje(QStringLiteral("T"), QStringLiteral("x"));
    AbreAyuda(2700);
    SUCCEED();
}
