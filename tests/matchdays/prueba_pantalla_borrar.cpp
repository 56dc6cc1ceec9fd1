#include "core/estado_global.h"
#include "matchdays/pantalla_borrar.h"
#include "platform/qt/boton_imagen.h"
#include "shell/lista_desplegable.h"
#include "shell/pantalla_mensajes.h"
#include "support/carpeta_temporal.h"
#include "support/datos_distribuidos.h"
#include "support/pantallas.h"
#include "support/plataforma_falsa.h"

#include <QListWidget>
#include <QTest>
#include <gtest/gtest.h>

using namespace quiniela;
using namespace quiniela::prueba;
using namespace Qt::StringLiterals;

namespace {

// Abre la lista con su botón y hace clic en la jornada, como el usuario.
void Elige(QWidget* boton, QListWidget* lista, int jornada) {
    Pulsa(boton);
    ASSERT_TRUE(lista->isVisible());
    QTest::mouseClick(lista->viewport(), Qt::LeftButton, {},
                      lista->visualItemRect(lista->item(jornada - 1)).center());
}

class PantallaBorrarPrueba : public testing::Test {
protected:
    void SetUp() override {
        CopiaDatosDistribuidos(carpeta);
        pantalla.show();
        pantalla.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&pantalla));
    }
    CarpetaTemporal carpeta;
    EstadoGlobal estado{carpeta.Estado()};
    PlataformaFalsa plataforma{&estado};
    PantallaBorrar pantalla{estado};
};

TEST_F(PantallaBorrarPrueba, AbreConLaJornadaUnoYUnTramoAlRevesAbreLaOtraLista) {
    EXPECT_EQ(pantalla.Pic_BotJorIni->Rotulo(), u"Desde la jornada 1"_s);
    EXPECT_EQ(pantalla.Pic_BotJorFin->Rotulo(), u"Hasta la jornada 1"_s);
    EXPECT_EQ(pantalla.Lis_JorIni->count(), 52);
    EXPECT_TRUE(plataforma.sonidos.empty()); // la apertura llena las listas sin sonidos

    Elige(pantalla.Pic_BotJorFin, pantalla.Lis_JorFin, 5);
    Elige(pantalla.Pic_BotJorIni, pantalla.Lis_JorIni, 20);
    // "Desde" 20 con "Hasta" 5: la lista "Hasta" se abre con el 20 elegido.
    EXPECT_TRUE(pantalla.Lis_JorFin->isVisible());
    EXPECT_EQ(pantalla.Lis_JorFin->currentRow(), 19);
    EXPECT_TRUE(pantalla.Pic_BotJorFin->EstaPulsado());
    EXPECT_EQ(pantalla.Pic_BotJorIni->Rotulo(), u"Desde la jornada 20"_s);
    GuardaCaptura(&pantalla, u"borrar_lista"_s);
    QTest::mouseClick(pantalla.Lis_JorFin->viewport(), Qt::LeftButton, {},
                      pantalla.Lis_JorFin->visualItemRect(pantalla.Lis_JorFin->item(19)).center());
    EXPECT_FALSE(pantalla.Lis_JorFin->isVisible());
    EXPECT_EQ(pantalla.Rango().JorFin(), 20);
    EXPECT_EQ(pantalla.Pic_BotJorFin->Rotulo(), u"Hasta la jornada 20"_s);
    EXPECT_EQ(plataforma.sonidos, (std::vector<int>{6, 7, 6, 7, 6, 7}));
    Pulsa(pantalla.Pic_Ayuda);
    EXPECT_EQ(plataforma.temasAyuda, std::vector<int>{2800});
}

TEST_F(PantallaBorrarPrueba, SalirDelDialogoNoBorraNadaYBorrarDatosBorraElTramo) {
    const auto antes = ContenidoCarpeta(carpeta);
    GuardaCaptura(&pantalla, u"borrar"_s);
    Elige(pantalla.Pic_BotJorIni, pantalla.Lis_JorIni, 3);
    // "Hasta" seguía en 1: su lista se ha abierto con el 3, y se confirma con Intro.
    ASSERT_TRUE(pantalla.Lis_JorFin->isVisible());
    QTest::keyClick(pantalla.Lis_JorFin, Qt::Key_Return);
    ASSERT_EQ(pantalla.Rango().JorFin(), 3);
    Pulsa(pantalla.Pic_BotBorrar); // la falsa responde como Salir
    ASSERT_EQ(plataforma.mensajes.size(), 1u);
    EXPECT_EQ(plataforma.mensajes[0].titulo, u"BORRADO DE DATOS"_s);
    EXPECT_EQ(plataforma.mensajes[0].texto, TextoConfirmacionBorrado(3, 3));
    EXPECT_EQ(ContenidoCarpeta(carpeta), antes);

    // Con el diálogo de verdad: captura y su botón "Borrar datos".
    MensajeroQt mensajero(estado);
    Plataforma servicios = ServiciosPlataforma();
    servicios.mensajero = &mensajero;
    InstalaPlataforma(servicios);
    AlAbrirseModal([&](QWidget* modal) {
        ASSERT_NE(modal, nullptr);
        auto* dialogo = static_cast<PantallaMensajes*>(modal);
        EXPECT_TRUE(dialogo->Pic_BotBorrar->isVisible());
        GuardaCaptura({&pantalla, dialogo}, u"borrar_confirmacion"_s);
        Pulsa(dialogo->Pic_BotBorrar);
    });
    Pulsa(pantalla.Pic_BotBorrar);
    EXPECT_FALSE(carpeta.Existe(u"RED0301.ZPK"_s));
    EXPECT_FALSE(carpeta.Existe(u"RED0302.ZPK"_s));
    EXPECT_TRUE(carpeta.Existe(u"RED0401.ZPK"_s));
    EXPECT_EQ(carpeta.Lee(u"JORNADAS.ZPK"_s).mid(2 * 544, 544), QByteArray(544, ' '));
    EXPECT_EQ(carpeta.Lee(u"JORNADAS.ZPK"_s).left(2 * 544),
              antes.at(u"JORNADAS.ZPK"_s).left(2 * 544));
    EXPECT_TRUE(pantalla.isVisible()); // sigue abierta con el mismo tramo
    EXPECT_EQ(pantalla.Rango().JorIni(), 3);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

} // namespace
