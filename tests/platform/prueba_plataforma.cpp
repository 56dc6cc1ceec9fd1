#include "core/estado_global.h"
#include "platform/plataforma.h"
#include "support/plataforma_falsa.h"

#include <gtest/gtest.h>

using namespace quiniela;
using namespace quiniela::prueba;

// Suena solo con Sonido "Si", escrito como sea; sin servicios instalados nada se rompe.
TEST(Plataforma, SoloSuenaConSonidoSiYSinServiciosNoPasaNada) {
    EstadoGlobal estado;
    {
        PlataformaFalsa plataforma(&estado);
        int numero = 0;
        for (const char* sonido : {"si", "SI", "No"}) {
            estado.Datos.Sonido = QString::fromLatin1(sonido);
            TocaSonido(estado, ++numero);
        }
        EXPECT_EQ(plataforma.Sonido, (std::vector<int>{1, 2}));
    }
    // La falsa, al irse, deja la plataforma vacía.
    estado.Datos.Sonido = QStringLiteral("Si");
    TocaSonido(estado, 6);
    Espera(1000);
    ProcesaEventos();
    AvisaSistema(QStringLiteral("x"));
    MuestraMensaje(QStringLiteral("T"), QStringLiteral("x"));
    AbreAyuda(2700);
    PonCursor(nullptr, QString());
}
