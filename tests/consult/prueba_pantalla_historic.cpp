#include "consult/pantalla_consredu.h"
#include "consult/pantalla_consredu_paneles.h"
#include "consult/pantalla_historic.h"
#include "platform/qt/boton_imagen.h"
#include "scrutiny/pantalla_escrutin.h"
#include "shell/pantalla_velmo.h"
#include "support/banco.h"
#include "support/datos_distribuidos.h"
#include "support/pantallas.h"
#include "support/registros_historial.h"

#include <QListWidget>
#include <QPointer>
#include <QTest>
#include <gtest/gtest.h>

using namespace quiniela;
using namespace quiniela::prueba;
using namespace Qt::StringLiterals;

namespace {

QPoint PuntoLinea(int k) {
    return QPoint(120, YPrimeraLinea + AltoLineaHistorial * k + 8);
}

TEST(PantallaHistoric, AbreEnLaHojaDeLaSeleccionPasaDeHojaConEsquinasYTeclasYEligeUnaLinea) {
    // 70 reducciones: la i-ésima es la jornada 1 + i / 10, orden 1 + i % 10.
    Banco h(false);
    QStringList registros;
    for (int i = 0; i < 70; ++i)
        registros << RegistroDe(1 + i / 10, 1 + i % 10, 1 + i % 3, 729, 81, u"Peña"_s);
    EscribeBases(h.carpeta, registros);
    h.estado.Datos.JornadaActual = 3; // línea 27: jornada 3, orden 8
    h.estado.Datos.OrdenActual = 8;
    h.estado.ReduccionElegida = true;
    {
        PantallaHistoric pantalla(h.estado);
        pantalla.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&pantalla));
        EXPECT_FALSE(h.estado.ReduccionElegida);
        EXPECT_EQ(pantalla.Datos().PrimeraLinea(), 20);
        CarpetaHistoric* hoja = pantalla.Pic_Carpeta;
        QTest::mouseMove(hoja, PuntoLinea(3));
        EXPECT_EQ(h.plataforma.Punteros.back().Nombre, u"ManoIndice"_s);

        // En la primera hoja la esquina izquierda no pasa: puntero de prohibido.
        QTest::keyClick(&pantalla, Qt::Key_PageUp);
        EXPECT_EQ(pantalla.Datos().PrimeraLinea(), 0);
        QTest::mouseMove(hoja, QPoint(10, hoja->height() - 6));
        EXPECT_EQ(hoja->cursor().shape(), Qt::ForbiddenCursor);
        QTest::keyClick(&pantalla, Qt::Key_PageDown);
        const QPoint derecha(hoja->width() - 10, hoja->height() - 6);
        QTest::mouseMove(hoja, derecha);
        QTest::mouseClick(hoja, Qt::LeftButton, Qt::NoModifier, derecha);
        QTest::mouseClick(hoja, Qt::LeftButton, Qt::NoModifier, derecha);
        EXPECT_EQ(pantalla.Datos().PrimeraLinea(), 60);
        // Ya en la última hoja, la misma esquina pasa a prohibido sin mover el ratón.
        EXPECT_EQ(hoja->cursor().shape(), Qt::ForbiddenCursor);
        QTest::keyClick(&pantalla, Qt::Key_Escape);
        EXPECT_FALSE(pantalla.isVisible());
    }

    ASSERT_EQ(EscribeRegistroJornada(h.estado, 7, RegistroDeJornada(7, u"09/10/05"_s)).Numero, 0);
    h.estado.Datos.JornadaActual = 7;
    h.estado.Datos.OrdenActual = 1; // línea 60, hoja 4
    QString linea;
    AlAbrirseModal([&](QWidget* modal) {
        auto* pantalla = qobject_cast<PantallaHistoric*>(modal);
        ASSERT_NE(pantalla, nullptr);
        ASSERT_EQ(pantalla->Datos().PrimeraLinea(), 60);
        linea = pantalla->Datos().Lis_Datos().at(62);
        QTest::mouseClick(pantalla->Pic_Carpeta, Qt::LeftButton, Qt::NoModifier, PuntoLinea(2));
    });
    EXPECT_TRUE(AbreHistorico(h.estado)) << "ReduccionElegida";
    EXPECT_TRUE(linea.startsWith(u"  7 09/10/05   3  "_s)) << linea.toStdString();
    EXPECT_EQ(h.estado.Datos.OrdenActual, 3);
}

using B = BotonNavegacion;

// Pulsa un botón de Pic_BotAdeAtr en su centro, como el usuario.
void PulsaNavegacion(PantallaConsredu& pantalla, B boton) {
    const QPoint centro(12 + 29 * (int(boton) - 1), 12);
    QTest::mouseMove(pantalla.Pic_BotAdeAtr, centro);
    QTest::mouseClick(pantalla.Pic_BotAdeAtr, Qt::LeftButton, {}, centro);
}

void EligeEnLista(QWidget* boton, QListWidget* lista, int fila) {
    Pulsa(boton);
    ASSERT_TRUE(lista->isVisible());
    prueba::EligeEnLista(lista, fila);
    ASSERT_FALSE(lista->isVisible());
}

TEST(PantallaConsredu, CadaMetodoConSuTituloYSusBloquesListasBotonesInactivosYMenu) {
    ConfiguracionEspanola espanola;
    Banco banco(false);
    auto& [carpeta, estado, plataforma] = banco;
    CopiaDatosDistribuidos(carpeta);
    // Orden, captura, método, boletos y qué paneles se ven.
    const std::tuple<int, QString, QString, QString, bool, bool> casos[] = {
        {1, u"directo"_s, u"Método Directo"_s, u"72 Boletos"_s, false, false},
        {2, u"probable"_s, u"Método de Columna Probable"_s, u"65 Boletos"_s, true, false},
        {3, u"signos"_s, u"Método de Selección de Signos"_s, u"525 Boletos"_s, false, true}};
    for (const auto& [orden, captura, titulo, boletos, colBas, signos] : casos) {
        SCOPED_TRACE(orden);
        estado.Datos.OrdenActual = int16_t(orden);
        PantallaConsredu pantalla(estado);
        pantalla.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&pantalla));
        EXPECT_EQ(pantalla.windowTitle(), u"Consulta de columnas reducidas con el "_s + titulo);
        EXPECT_EQ(pantalla.TextoBoletos(), boletos);
        EXPECT_EQ(pantalla.Pic_ColBas->isVisible(), colBas);
        EXPECT_EQ(pantalla.Pic_Signos->isVisible(), signos);
        GuardaCaptura(&pantalla, u"consredu_"_s + captura);
        PulsaNavegacion(pantalla, B::Avanzar);
        PulsaNavegacion(pantalla, B::Avanzar);
        EXPECT_EQ(pantalla.Vista().PrimeraColumna(), 49);
        GuardaCaptura(&pantalla, u"consredu_%1_bloque3"_s.arg(captura));
    }

    // Listas de jornada y orden, y botones inactivos.
    estado.Datos.OrdenActual = 1;
    PantallaConsredu pantalla(estado);
    pantalla.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&pantalla));
    // Otra jornada pone el orden a 1, también en su lista.
    EligeEnLista(pantalla.Pic_BotOrden, pantalla.Lis_Orden, 1);
    EligeEnLista(pantalla.Pic_BotNroJor, pantalla.Lis_Jornadas, 2);
    EXPECT_EQ(pantalla.Lis_Orden->currentRow(), 0);
    EXPECT_EQ(pantalla.TextoBoletos(), u"36 Boletos"_s);

    // Una reducción sin columnas: base y resumen; los botones, inactivos, no hacen nada y lo
    // dicen con el puntero.
    EligeEnLista(pantalla.Pic_BotNroJor, pantalla.Lis_Jornadas, 1);
    EXPECT_TRUE(pantalla.TextoBoletos().isEmpty());
    plataforma.Sonido.clear();
    for (B boton : {B::Principio, B::Retroceder, B::Avanzar, B::Final}) {
        PulsaNavegacion(pantalla, boton);
        EXPECT_EQ(pantalla.Pic_BotAdeAtr->cursor().shape(), Qt::ForbiddenCursor);
    }
    EXPECT_EQ(pantalla.Pic_BotAdeAtr->toolTip(), u" Ir al final "_s);
    EXPECT_TRUE(plataforma.Sonido.empty());
    QTest::mouseMove(pantalla.Pic_BotAdeAtr, QPoint(26, 12)); // entre dos botones
    EXPECT_EQ(pantalla.Pic_BotAdeAtr->EstadoPuntero(), 0);
    EXPECT_TRUE(pantalla.Pic_BotAdeAtr->toolTip().isEmpty());

    // Las entradas 1, 3, 5 y 7 del menú: las de consulta y escrutinio sin modo, y se cierran al
    // abrir otra entrada; las de jornadas y borrado, modales.
    PantallaVelmo menu(estado);
    menu.show();
    Pulsa(menu.Pic_Boton[5]);
    QPointer<PantallaEscrutin> escrutinio = menu.findChild<PantallaEscrutin*>(u"escrutin"_s);
    ASSERT_FALSE(escrutinio.isNull());
    Pulsa(escrutinio->Pic_Salir);
    EXPECT_TRUE(QTest::qWaitFor([&] { return escrutinio.isNull(); }, 2000));

    Pulsa(menu.Pic_Boton[3]);
    QPointer<PantallaConsredu> consulta = menu.findChild<PantallaConsredu*>();
    ASSERT_FALSE(consulta.isNull());
    QStringList abiertas;
    for (int entrada : {7, 1}) {
        AlAbrirseModal([&](QWidget* modal) {
            ASSERT_NE(modal, nullptr);
            abiertas << modal->objectName();
            static_cast<QDialog*>(modal)->reject();
        });
        Pulsa(menu.Pic_Boton[entrada]);
    }
    EXPECT_EQ(abiertas, (QStringList{u"borrar"_s, u"jornadas"_s}));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(consulta.isNull() || !consulta->isVisible());
}

} // namespace
