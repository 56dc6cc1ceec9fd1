#include "consult/pantalla_consredu.h"
#include "consult/pantalla_consredu_paneles.h"
#include "consult/reducciones_prueba.h"
#include "core/estado_global.h"
#include "platform/qt/boton_imagen.h"
#include "shell/pantalla_velmo.h"
#include "support/datos_distribuidos.h"
#include "support/pantallas.h"
#include "support/plataforma_falsa.h"

#include <QDialog>
#include <QListWidget>
#include <QPointer>
#include <QTest>
#include <gtest/gtest.h>

using namespace quiniela;
using namespace quiniela::prueba;
using namespace Qt::StringLiterals;

namespace {

using B = BotonNavegacion;

// Centro de cada botón de Pic_BotAdeAtr, donde pulsaría el usuario.
QPoint CentroBoton(B boton) {
    return QPoint(12 + 29 * (int(boton) - 1), 12);
}

void PulsaNavegacion(PantallaConsredu& pantalla, B boton) {
    QTest::mouseMove(pantalla.Pic_BotAdeAtr, CentroBoton(boton));
    QTest::mouseClick(pantalla.Pic_BotAdeAtr, Qt::LeftButton, {}, CentroBoton(boton));
}

void EligeEnLista(QWidget* boton, QListWidget* lista, int fila) {
    Pulsa(boton);
    ASSERT_TRUE(lista->isVisible());
    const QRect caja = lista->visualItemRect(lista->item(fila));
    QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, caja.center());
    ASSERT_FALSE(lista->isVisible());
}

class PantallaConsreduPrueba : public testing::Test {
protected:
    void SetUp() override {
        CopiaDatosDistribuidos(carpeta);
        estado.Datos.JornadaActual = 1;
        estado.Datos.OrdenActual = 1;
    }
    void Muestra(PantallaConsredu& pantalla) {
        pantalla.show();
        pantalla.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&pantalla));
    }
    ConfiguracionEspanola espanola;
    CarpetaTemporal carpeta;
    EstadoGlobal estado{carpeta.Estado()};
    PlataformaFalsa plataforma{&estado};
};

TEST_F(PantallaConsreduPrueba, CadaMetodoConSuAnchoSuTituloYSusBloques) {
    struct Caso {
        int orden;
        const char* captura;
        int ancho;
        QString titulo, boletos;
        bool colBas, signos;
    };
    for (const Caso& c : std::vector<Caso>{
             {1, "directo", 607, u"Consulta de columnas reducidas con el Método Directo"_s,
              u"72 Boletos"_s, false, false},
             {2, "probable", 637,
              u"Consulta de columnas reducidas con el Método de Columna Probable"_s,
              u"65 Boletos"_s, true, false},
             {3, "signos", 637,
              u"Consulta de columnas reducidas con el Método de Selección de Signos"_s,
              u"525 Boletos"_s, false, true}}) {
        SCOPED_TRACE(c.captura);
        estado.Datos.OrdenActual = int16_t(c.orden);
        PantallaConsredu pantalla(estado);
        Muestra(pantalla);
        EXPECT_EQ(pantalla.width(), c.ancho);
        EXPECT_EQ(pantalla.windowTitle(), c.titulo);
        EXPECT_EQ(pantalla.TextoBoletos(), c.boletos);
        EXPECT_EQ(pantalla.Pic_ColBas->isVisible(), c.colBas);
        EXPECT_EQ(pantalla.Pic_Signos->isVisible(), c.signos);
        EXPECT_EQ(pantalla.Pic_BotNroJor->Rotulo(), u"Jornada 1"_s);
        GuardaCaptura(&pantalla, u"consredu_%1"_s.arg(QLatin1StringView(c.captura)));

        plataforma.sonidos.clear();
        plataforma.esperas.clear();
        PulsaNavegacion(pantalla, B::Avanzar);
        PulsaNavegacion(pantalla, B::Avanzar);
        EXPECT_EQ(pantalla.Vista().PrimeraColumna(), 49);
        EXPECT_EQ(pantalla.Vista().BloqueActual().Titulos[0], u"Boleto 7"_s);
        EXPECT_EQ(plataforma.sonidos, (std::vector<int>{6, 6, 6, 6}));
        EXPECT_EQ(plataforma.esperas, (std::vector<int>{180, 180}));
        GuardaCaptura(&pantalla, u"consredu_%1_bloque3"_s.arg(QLatin1StringView(c.captura)));
    }
}

TEST_F(PantallaConsreduPrueba, BotonesInactivosNoHacenNadaYLoDicenConElPuntero) {
    carpeta.Escribe(u"BASES.ZPK"_s, QByteArray());
    GuardaReduccionPrueba(carpeta, 1, 1, ColumnasPrueba(20, u'1'));
    PantallaConsredu pantalla(estado);
    Muestra(pantalla);
    EXPECT_EQ(pantalla.TextoBoletos(), u"3 Boletos"_s);
    plataforma.sonidos.clear();
    for (B boton : {B::Principio, B::Retroceder, B::Avanzar, B::Final}) {
        PulsaNavegacion(pantalla, boton);
        EXPECT_EQ(pantalla.Pic_BotAdeAtr->EstadoPuntero(), 12);
        EXPECT_EQ(pantalla.Pic_BotAdeAtr->cursor().shape(), Qt::ForbiddenCursor);
        EXPECT_EQ(pantalla.Pic_BotAdeAtr->toolTip(), TooltipNavegacion(boton));
    }
    EXPECT_TRUE(plataforma.sonidos.empty());
    EXPECT_EQ(pantalla.Vista().PrimeraColumna(), 1);
    const auto& fila = pantalla.Vista().BloqueActual().Filas[0];
    EXPECT_EQ(fila.mid(20), u"    "_s);
    QTest::mouseMove(pantalla.Pic_BotAdeAtr, QPoint(26, 12)); // entre dos botones
    EXPECT_EQ(pantalla.Pic_BotAdeAtr->EstadoPuntero(), 0);
    EXPECT_TRUE(pantalla.Pic_BotAdeAtr->toolTip().isEmpty());
}

TEST_F(PantallaConsreduPrueba, ListasDeJornadaYOrden) {
    PantallaConsredu pantalla(estado);
    Muestra(pantalla);
    PulsaNavegacion(pantalla, B::Final);
    EXPECT_EQ(pantalla.Vista().PrimeraColumna(), 553); // 576 registros: el bloque 24
    // La misma jornada otra vez no carga nada: se queda en el mismo bloque.
    EligeEnLista(pantalla.Pic_BotNroJor, pantalla.Lis_Jornadas, 0);
    EXPECT_EQ(pantalla.Vista().PrimeraColumna(), 553);
    // Otro orden carga desde el primer bloque.
    EligeEnLista(pantalla.Pic_BotOrden, pantalla.Lis_Orden, 1);
    EXPECT_EQ(estado.Datos.OrdenActual, 2);
    EXPECT_EQ(pantalla.Vista().PrimeraColumna(), 1);
    EXPECT_EQ(pantalla.Pic_BotOrden->Rotulo(), u"Orden 2"_s);
    // Otra jornada pone el orden a 1, también en su lista.
    EligeEnLista(pantalla.Pic_BotNroJor, pantalla.Lis_Jornadas, 2);
    EXPECT_EQ(estado.Datos.JornadaActual, 3);
    EXPECT_EQ(estado.Datos.OrdenActual, 1);
    EXPECT_EQ(pantalla.Lis_Orden->currentRow(), 0);
    EXPECT_EQ(pantalla.Pic_BotNroJor->Rotulo(), u"Jornada 3"_s);
    EXPECT_EQ(pantalla.TextoBoletos(), u"36 Boletos"_s);
    // Una reducción sin columnas: base y resumen, nada más.
    EligeEnLista(pantalla.Pic_BotNroJor, pantalla.Lis_Jornadas, 1);
    EXPECT_TRUE(pantalla.TextoBoletos().isEmpty());
    for (B boton : {B::Principio, B::Retroceder, B::Avanzar, B::Final})
        EXPECT_FALSE(pantalla.Vista().Activo(boton));
    Pulsa(pantalla.Pic_Ayuda);
    EXPECT_EQ(plataforma.temasAyuda, std::vector<int>{2300});
}

TEST_F(PantallaConsreduPrueba, ElMenuLaAbreSinModoYLaCierraAlAbrirOtraEntrada) {
    PantallaVelmo menu(estado);
    menu.show();
    Pulsa(menu.Pic_Boton[3]);
    QPointer<PantallaConsredu> consulta = menu.findChild<PantallaConsredu*>();
    ASSERT_FALSE(consulta.isNull());
    EXPECT_TRUE(consulta->isVisible());
    EXPECT_FALSE(consulta->isModal());
    AlAbrirseModal([](QWidget* modal) {
        ASSERT_NE(modal, nullptr);
        EXPECT_EQ(modal->objectName(), u"borrar"_s);
        static_cast<QDialog*>(modal)->reject();
    });
    Pulsa(menu.Pic_Boton[7]);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(consulta.isNull() || !consulta->isVisible());
}

} // namespace
