#include "core/estado_global.h"
#include "platform/qt/boton_imagen.h"
#include "shell/pantalla_mensajes.h"
#include "support/pantallas.h"
#include "support/plataforma_falsa.h"

#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

using namespace quiniela;
using namespace quiniela::prueba;

// Por el mensajero, como lo abre el programa: de los tres botones de confirmar solo se ve el
// pedido, y ese confirma lo suyo y nada más.
TEST(PantallaMensajes, ElMensajeroLoAbreConSoloElBotonPedidoQueConfirma) {
    const BotonMensaje botones[] = {BotonMensaje::Borrar, BotonMensaje::Reducir,
                                    BotonMensaje::Copiar};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EstadoGlobal estado;
        PlataformaFalsa plataforma(&estado);
        MensajeroQt mensajero(estado);
        bool visto = false;
        AlAbrirseModal([&](QWidget* modal) {
            auto* dialogo = qobject_cast<PantallaMensajes*>(modal);
            ASSERT_NE(dialogo, nullptr);
            BotonImagen* pics[] = {dialogo->Pic_BotBorrar, dialogo->Pic_BotReducir,
                                   dialogo->Pic_BotCopiar};
            EXPECT_EQ(dialogo->Tex_Mensaje->text(), QStringLiteral("Primera línea\nSegunda línea"));
            for (int j = 0; j < 3; ++j)
                EXPECT_EQ(pics[j]->isVisible(), i == j) << j;
            EXPECT_FALSE(dialogo->Pic_Ayuda->isVisible());
            if (botones[i] == BotonMensaje::Reducir)
                GuardaCaptura(dialogo, QStringLiteral("mensajes"));
            visto = true;
            Pulsa(pics[i]);
        });
        mensajero.MuestraMensaje(QStringLiteral("REDUCCIÓN YA EXISTE"),
                                 QStringLiteral("Primera línea") + FinLinea +
                                     QStringLiteral("Segunda línea"),
                                 botones[i]);
        EXPECT_TRUE(visto);
        const bool marcas[] = {estado.BorrarConfirmado, estado.ReducirConfirmado,
                               estado.CopiarConfirmado};
        for (int j = 0; j < 3; ++j)
            EXPECT_EQ(marcas[j], i == j) << j;
        EXPECT_EQ(plataforma.Sonido, std::vector<int>{6});
    }
}

// La ayuda solo abre su tema en el modo de la ayuda inicial; cualquier tecla cierra sin
// confirmar.
TEST(PantallaMensajes, AyudaSoloEnSuModoYCualquierTeclaCierraSinConfirmar) {
    EstadoGlobal estado;
    PlataformaFalsa plataforma(&estado);
    PantallaMensajes dialogo(estado, QStringLiteral("T"), QStringLiteral("x"),
                             BotonMensaje::Borrar | BotonMensaje::Ayuda);
    dialogo.show();
    Pulsa(dialogo.Pic_Ayuda);
    EXPECT_TRUE(plataforma.TemasAyuda.empty());
    estado.ModoMensaje = 2;
    Pulsa(dialogo.Pic_Ayuda);
    EXPECT_EQ(plataforma.TemasAyuda, std::vector<int>{1120});
    QTest::keyClick(&dialogo, Qt::Key_Space);
    EXPECT_FALSE(dialogo.isVisible());
    EXPECT_EQ(dialogo.result(), QDialog::Rejected);
    EXPECT_FALSE(estado.BorrarConfirmado || estado.ReducirConfirmado || estado.CopiarConfirmado);
    EXPECT_EQ(plataforma.Sonido, (std::vector<int>{9, 9, 5}));
}
