// Piezas comunes de las pantallas: el grupo de listas desplegables y la fila de botones.
#include "core/estado_global.h"
#include "core/listas.h"
#include "platform/qt/boton_imagen.h"
#include "shell/lista_desplegable.h"
#include "shell/piezas_pantalla.h"
#include "support/pantallas.h"
#include "support/plataforma_falsa.h"

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

    Pulsa(botones[0]);
    EXPECT_TRUE(listas[0]->isVisible());
    Pulsa(botones[1]);
    EXPECT_FALSE(listas[0]->isVisible()) << "abrir una pliega la otra";
    EXPECT_TRUE(listas[1]->isVisible());
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
