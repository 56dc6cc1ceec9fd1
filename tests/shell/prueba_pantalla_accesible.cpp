// Lo que recibe un lector de pantalla (las interfaces de QAccessible) y el uso sin ratón: los
// botones pintados son botones que se pulsan, las rejillas dicen cada casilla y el teclado
// llega a todo.
#include "consult/pantalla_consredu.h"
#include "consult/pantalla_consredu_paneles.h"
#include "core/estado_global.h"
#include "output/boton_dibujo.h"
#include "output/pantalla_salida.h"
#include "platform/qt/boton_imagen.h"
#include "scrutiny/pantalla_escrutin.h"
#include "settings/datos_generales.h"
#include "settings/pantalla_datosgen.h"
#include "shell/pantalla_velmo.h"
#include "support/carpeta_temporal.h"
#include "support/datos_distribuidos.h"
#include "support/pantallas.h"
#include "support/plataforma_falsa.h"

#include <QAccessible>
#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace quiniela;
using namespace quiniela::prueba;

namespace {

QAccessibleInterface* Interfaz(QObject* objeto) {
    return QAccessible::queryAccessibleInterface(objeto);
}

QStringList Acciones(QAccessibleInterface* i) {
    return i->actionInterface() != nullptr ? i->actionInterface()->actionNames() : QStringList();
}

struct Accesible : testing::Test {
    CarpetaTemporal Carpeta;
    EstadoGlobal Estado = Carpeta.Estado();
    PlataformaFalsa Plataforma{&Estado};

    void SetUp() override {
        CopiaDatosDistribuidos(Carpeta);
        CargaDatosGenerales(Estado);
        Estado.Datos.JornadaActual = 1;
        Estado.Datos.OrdenActual = 1;
    }
};

TEST_F(Accesible, LasEntradasDelMenuSonBotonesQueSePulsanTambienConElTeclado) {
    PantallaVelmo menu(Estado);
    menu.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
    for (int i = 1; i <= 7; ++i) {
        SCOPED_TRACE(i);
        QAccessibleInterface* boton = Interfaz(menu.Pic_Boton[i]);
        ASSERT_NE(boton, nullptr);
        EXPECT_EQ(boton->role(), QAccessible::PushButton);
        EXPECT_EQ(boton->text(QAccessible::Name), PantallaVelmo::Entradas()[i].Rotulo);
        EXPECT_TRUE(Acciones(boton).contains(QAccessibleActionInterface::pressAction()));
    }
    EXPECT_EQ(Interfaz(menu.Pic_Salir)->role(), QAccessible::PushButton);
    // El tabulador recorre las entradas por columnas y luego Ayuda y Salir.
    EXPECT_EQ(OrdenDelTabulador(menu.Pic_Boton[1], 8),
              (QStringList{u"Pic_Boton1"_s, u"Pic_Boton2"_s, u"Pic_Boton3"_s, u"Pic_Boton4"_s,
                           u"Pic_Boton5"_s, u"Pic_Boton7"_s, u"Pic_Boton6"_s, u"Pic_Ayuda"_s,
                           u"Pic_Salir"_s}));

    // La acción de pulsar del lector y la tecla Intro abren la entrada, como el ratón.
    int abiertas = 0;
    const auto cierraDatosGenerales = [&](QWidget* modal) {
        ASSERT_NE(modal, nullptr);
        EXPECT_EQ(modal->objectName(), u"datosgen"_s);
        ++abiertas;
        Pulsa(static_cast<PantallaDatosgen*>(modal)->Pic_Salir);
    };
    AlAbrirseModal(cierraDatosGenerales);
    Interfaz(menu.Pic_Boton[6])
        ->actionInterface()
        ->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(abiertas, 1);
    AlAbrirseModal(cierraDatosGenerales);
    menu.Pic_Boton[6]->setFocus();
    QTest::keyClick(menu.Pic_Boton[6], Qt::Key_Return);
    EXPECT_EQ(abiertas, 2);
}

TEST_F(Accesible, LaRejillaGanadoraDiceCadaCasillaYSeMarcaSinRaton) {
    PantallaEscrutin p(Estado);
    p.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&p));
    for (int m = 1; m <= NumPartidos; ++m)
        for (int s = 1; s <= NumSignosMax; ++s)
            ASSERT_EQ(p.Entrada().Marcas[m][s], 0);
    QAccessibleInterface* rejilla = Interfaz(p.Pic_Ganadora);
    ASSERT_NE(rejilla, nullptr);
    ASSERT_EQ(rejilla->childCount(), NumPartidos * NumSignosMax);
    // Partido 2, "X": el quinto hijo; su caja en la pantalla es la de la rejilla.
    QAccessibleInterface* celda = rejilla->child(4);
    EXPECT_EQ(celda->text(QAccessible::Name), u"Partido 2, resultado X"_s);
    EXPECT_EQ(celda->text(QAccessible::Description), u"sin marcar"_s);
    EXPECT_FALSE(celda->state().checked);
    EXPECT_TRUE(celda->state().checkable);
    EXPECT_EQ(rejilla->childAt(celda->rect().center().x(), celda->rect().center().y()), celda);
    ASSERT_EQ(Acciones(celda), QStringList{QAccessibleActionInterface::toggleAction()});
    celda->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_EQ(p.Entrada().Marcas[2][2], 1);
    EXPECT_TRUE(celda->state().checked);
    EXPECT_EQ(celda->text(QAccessible::Description), u"marcada"_s);

    // Con el teclado: el tabulador llega a la rejilla; abajo y a la derecha es el partido 2,
    // "2"; Espacio lo marca (y quita la X del mismo partido).
    p.Pic_Ganadora->setFocus();
    ASSERT_TRUE(p.Pic_Ganadora->hasFocus());
    QTest::keyClick(p.Pic_Ganadora, Qt::Key_Down);
    QTest::keyClick(p.Pic_Ganadora, Qt::Key_Right);
    QTest::keyClick(p.Pic_Ganadora, Qt::Key_Right);
    EXPECT_EQ(p.Pic_Ganadora->CasillaDelTeclado(), 5);
    QTest::keyClick(p.Pic_Ganadora, Qt::Key_Space);
    EXPECT_EQ(p.Entrada().Marcas[2][3], 1);
    EXPECT_EQ(p.Entrada().Marcas[2][2], 0);
    // La base, que aquí solo se mira, dice sus casillas pero no se pulsa.
    QAccessibleInterface* base = Interfaz(p.Pic_Base);
    ASSERT_EQ(base->childCount(), NumPartidos * NumSignosMax);
    EXPECT_EQ(base->child(0)->text(QAccessible::Name), u"Partido 1, signo 1"_s);
    EXPECT_TRUE(Acciones(base->child(0)).isEmpty());
    EXPECT_EQ(p.Pic_Base->focusPolicy(), Qt::NoFocus);
}

TEST_F(Accesible, LosBotonesDeLaConsultaYDeLaSalidaSeOyenYSePulsan) {
    {
        PantallaConsredu p(Estado);
        p.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&p));
        QAccessibleInterface* botones = Interfaz(p.Pic_BotAdeAtr);
        ASSERT_EQ(botones->childCount(), 4);
        QStringList nombres;
        for (int i = 0; i < 4; ++i) {
            nombres << botones->child(i)->text(QAccessible::Name);
            EXPECT_EQ(botones->child(i)->role(), QAccessible::PushButton);
        }
        EXPECT_EQ(nombres, (QStringList{u"Ir al principio"_s, u"Retroceder tres boletos"_s,
                                        u"Avanzar tres boletos"_s, u"Ir al final"_s}));
        // Al principio, ir al principio está inactivo y no hace nada.
        EXPECT_TRUE(botones->child(0)->state().disabled);
        const bool hayMas = !botones->child(2)->state().disabled;
        const int64_t antes = p.Vista().PrimeraColumna();
        botones->child(2)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        EXPECT_EQ(p.Vista().PrimeraColumna(), hayMas ? antes + 24 : antes);
        // Sin ratón: Inicio vuelve al principio.
        QTest::keyClick(&p, Qt::Key_Home);
        EXPECT_EQ(p.Vista().PrimeraColumna(), 1);
    }
    PantallaSalida salida(Estado);
    salida.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&salida));
    QAccessibleInterface* boletos = Interfaz(salida.Pic_Salida[1]);
    EXPECT_EQ(boletos->role(), QAccessible::PushButton);
    EXPECT_EQ(boletos->text(QAccessible::Name), u"Boletos"_s);
    EXPECT_TRUE(Acciones(boletos).contains(QAccessibleActionInterface::pressAction()));
}

} // namespace
