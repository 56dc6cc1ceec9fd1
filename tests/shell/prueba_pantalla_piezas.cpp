// Piezas comunes de las pantallas: el grupo de listas desplegables, la fila de botones y la
// ventana de mensajes.
#include "core/estado_global.h"
#include "core/listas.h"
#include "platform/qt/boton_imagen.h"
#include "shell/lista_desplegable.h"
#include "shell/pantalla_mensajes.h"
#include "shell/piezas_pantalla.h"
#include "support/pantallas.h"
#include "support/plataforma_falsa.h"

#include <QLabel>
#include <QListWidget>
#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace quiniela;
using namespace quiniela::prueba;

TEST(GrupoDesplegables, AbrirUnaPliegaLaOtraEscapePliegaYOcupadaNoAbre) {
    EstadoGlobal estado;
    PlataformaFalsa plataforma(&estado);
    QWidget ventana;
    ventana.resize(400, 300);
    GrupoDesplegables grupo(estado);
    std::vector<std::pair<int, int>> elegidas; // (lista, fila)
    std::array<BotonImagen*, 2> botones{};
    std::array<QListWidget*, 2> listas{};
    for (int i = 0; i < 2; ++i) {
        botones[i] = CreaBoton(&ventana, u"boton%1"_s.arg(i), QPoint(10 + 150 * i, 10));
        listas[i] = CreaLista(&ventana, u"lista%1"_s.arg(i));
        ContenidoLista contenido;
        contenido.Geometria = QRect(10 + 150 * i, 40, 60, 3 * 13 + 2);
        contenido.Entradas = {u"1"_s, u"2"_s, u"3"_s};
        LlenaLista(listas[i], contenido);
        grupo.Anade(
            botones[i], listas[i], 100, [] { return u"Lista"_s; },
            [&elegidas, i](int fila) { elegidas.emplace_back(i, fila); });
    }
    ventana.show();

    // Que un clic la abre lo dice la elección del final.
    Pulsa(botones[0]);
    Pulsa(botones[1]);
    EXPECT_FALSE(listas[0]->isVisible()) << "abrir una pliega la otra";
    EXPECT_TRUE(grupo.CierraAbierta());
    EXPECT_FALSE(listas[1]->isVisible());
    EXPECT_FALSE(grupo.CierraAbierta()) << "sin ninguna abierta, Escape es de la pantalla";
    EXPECT_TRUE(elegidas.empty()) << "plegar no elige";

    bool ocupada = true;
    grupo.Ocupada = [&ocupada] { return ocupada; };
    Pulsa(botones[0]);
    EXPECT_FALSE(listas[0]->isVisible());
    ocupada = false;
    Pulsa(botones[0]);
    EligeEnLista(listas[0], 2);
    EXPECT_EQ(elegidas, (std::vector<std::pair<int, int>>{{0, 2}}));

    // Aunque cerrarla elija (como en el escrutinio): Escape con otra fila señalada vuelve a la
    // que tenía y no elige; un clic en el fondo de la ventana, donde nada toma el foco, la
    // pliega y elige la señalada.
    for (ListaDesplegable* d : grupo.Listas())
        d->CierreElige = true;
    listas[1]->setCurrentRow(0);
    Pulsa(botones[1]);
    QTest::keyClick(listas[1], Qt::Key_Down);
    EXPECT_EQ(listas[1]->currentRow(), 1);
    QTest::keyClick(listas[1], Qt::Key_Escape);
    EXPECT_FALSE(listas[1]->isVisible());
    EXPECT_EQ(listas[1]->currentRow(), 0);
    EXPECT_EQ(elegidas.size(), 1u);
    Pulsa(botones[1]);
    QTest::keyClick(listas[1], Qt::Key_Down);
    PulsaEnSuVentana(&ventana, QPoint(380, 280));
    EXPECT_FALSE(listas[1]->isVisible());
    EXPECT_EQ(elegidas, (std::vector<std::pair<int, int>>{{0, 2}, {1, 1}}));
}

TEST(PiezasPantalla, FilaDesdeLaDerechaConSuHueco) {
    QWidget ventana;
    QWidget salir(&ventana), ayuda(&ventana), indice(&ventana);
    salir.resize(80, 24);
    ayuda.resize(70, 24);
    indice.resize(90, 24);
    ColocaDesdeLaDerecha({&salir, &ayuda, &indice}, 705, 408);
    EXPECT_EQ(salir.geometry(), QRect(625, 408, 80, 24));
    EXPECT_EQ(ayuda.geometry(), QRect(547, 408, 70, 24));
    EXPECT_EQ(indice.geometry(), QRect(449, 408, 90, 24));
    ColocaDesdeLaDerecha({&salir, &ayuda}, 400, 10, 10);
    EXPECT_EQ(ayuda.pos(), QPoint(400 - 80 - 10 - 70, 10));
}

// Por el mensajero, como lo abre el programa: de los tres botones de confirmar solo se ve el
// pedido, y ese confirma lo suyo y nada más (sin abrirse, nada quedaría confirmado).
TEST(PantallaMensajes, ElMensajeroLoAbreConSoloElBotonPedidoQueConfirma) {
    const BotonMensaje botones[] = {BotonMensaje::Borrar, BotonMensaje::Reducir,
                                    BotonMensaje::Copiar};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EstadoGlobal estado;
        PlataformaFalsa plataforma(&estado);
        MensajeroQt mensajero(estado);
        AlAbrirseModal([&](QWidget* modal) {
            auto* dialogo = qobject_cast<PantallaMensajes*>(modal);
            ASSERT_NE(dialogo, nullptr);
            BotonImagen* pics[] = {dialogo->Pic_BotBorrar, dialogo->Pic_BotReducir,
                                   dialogo->Pic_BotCopiar};
            EXPECT_EQ(dialogo->Tex_Mensaje->text(), u"Primera línea\nSegunda línea"_s);
            for (int j = 0; j < 3; ++j)
                EXPECT_EQ(pics[j]->isVisible(), i == j) << j;
            EXPECT_FALSE(dialogo->Pic_Ayuda->isVisible());
            if (botones[i] == BotonMensaje::Reducir)
                GuardaCaptura(dialogo, u"mensajes"_s);
            Pulsa(pics[i]);
        });
        mensajero.MuestraMensaje(u"REDUCCIÓN YA EXISTE"_s,
                                 u"Primera línea"_s + FinLinea + u"Segunda línea"_s, botones[i]);
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
    PantallaMensajes dialogo(estado, u"T"_s, u"x"_s, BotonMensaje::Borrar | BotonMensaje::Ayuda);
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
