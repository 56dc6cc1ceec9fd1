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

TEST(PantallaMensajes, BotonesVisiblesYConfirmacion) {
    EstadoGlobal estado;
    PlataformaFalsa plataforma(&estado);
    PantallaMensajes dialogo(estado, QStringLiteral("REDUCCIÓN YA EXISTE"),
                             QStringLiteral("Primera línea") + FinLinea +
                                 QStringLiteral("Segunda línea"),
                             BotonMensaje::Reducir);
    dialogo.show();
    EXPECT_EQ(dialogo.Tex_Titulo->text(), QStringLiteral("REDUCCIÓN YA EXISTE"));
    EXPECT_EQ(dialogo.Tex_Mensaje->text(), QStringLiteral("Primera línea\nSegunda línea"));
    EXPECT_TRUE(dialogo.Pic_BotReducir->isVisible());
    EXPECT_FALSE(dialogo.Pic_BotBorrar->isVisible());
    EXPECT_FALSE(dialogo.Pic_BotCopiar->isVisible());
    EXPECT_FALSE(dialogo.Pic_Ayuda->isVisible());
    EXPECT_EQ(dialogo.Pic_BotReducir->geometry(), QRect(140, 183, 133, 24));
    GuardaCaptura(&dialogo, QStringLiteral("mensajes"));

    Pulsa(dialogo.Pic_BotReducir);
    EXPECT_TRUE(estado.ReducirConfirmado);
    EXPECT_FALSE(estado.BorrarConfirmado);
    EXPECT_EQ(dialogo.result(), QDialog::Accepted);
    EXPECT_EQ(plataforma.sonidos, std::vector<int>{6});
    EXPECT_EQ(plataforma.esperas, std::vector<int>{300});
}

TEST(PantallaMensajes, CualquierTeclaCierraSinConfirmar) {
    EstadoGlobal estado;
    PlataformaFalsa plataforma(&estado);
    PantallaMensajes dialogo(estado, QStringLiteral("T"), QStringLiteral("x"),
                             BotonMensaje::Borrar | BotonMensaje::Ayuda);
    dialogo.show();
    QTest::keyClick(&dialogo, Qt::Key_Space);
    EXPECT_FALSE(dialogo.isVisible());
    EXPECT_FALSE(estado.BorrarConfirmado);
    EXPECT_FALSE(estado.ReducirConfirmado);
    EXPECT_FALSE(estado.CopiarConfirmado);
    EXPECT_EQ(plataforma.sonidos, std::vector<int>{5});
}

TEST(PantallaMensajes, AyudaSoloConElModoDeLaAyudaInicial) {
    EstadoGlobal estado;
    PlataformaFalsa plataforma(&estado);
    PantallaMensajes dialogo(estado, QStringLiteral("T"), QStringLiteral("x"), BotonMensaje::Ayuda);
    dialogo.show();
    Pulsa(dialogo.Pic_Ayuda);
    EXPECT_TRUE(plataforma.temasAyuda.empty());
    estado.ModoMensaje = 2;
    Pulsa(dialogo.Pic_Ayuda);
    EXPECT_EQ(plataforma.temasAyuda, std::vector<int>{1120});
    EXPECT_EQ(plataforma.sonidos, (std::vector<int>{9, 9}));
    Pulsa(dialogo.Pic_Salir);
    EXPECT_FALSE(dialogo.isVisible());
}

TEST(PantallaMensajes, ElMensajeroAbreElDialogoModal) {
    EstadoGlobal estado;
    PlataformaFalsa plataforma(&estado);
    MensajeroQt mensajero(estado);
    QString titulo;
    AlAbrirseModal([&](QWidget* modal) {
        ASSERT_NE(modal, nullptr);
        EXPECT_EQ(modal->objectName(), QStringLiteral("mensajes"));
        auto* dialogo = static_cast<PantallaMensajes*>(modal);
        titulo = dialogo->Tex_Titulo->text();
        Pulsa(dialogo->Pic_BotCopiar);
    });
    mensajero.MuestraMensaje(QStringLiteral("COPIAR"), QStringLiteral("¿Copiar?"),
                             BotonMensaje::Copiar);
    EXPECT_EQ(titulo, QStringLiteral("COPIAR"));
    EXPECT_TRUE(estado.CopiarConfirmado);
}
