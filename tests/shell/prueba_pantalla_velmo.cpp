#include "core/estado_global.h"
#include "matchdays/pantalla_equipos.h"
#include "matchdays/pantalla_jornadas.h"
#include "platform/qt/boton_imagen.h"
#include "settings/pantalla_datosgen.h"
#include "shell/arranque_programa.h"
#include "shell/pantalla_mensajes.h"
#include "shell/pantalla_velmo.h"
#include "support/carpeta_temporal.h"
#include "support/pantallas.h"
#include "support/plataforma_falsa.h"

#include <QTest>
#include <gtest/gtest.h>

#include <memory>

using namespace Qt::StringLiterals;
using namespace quiniela;
using namespace quiniela::prueba;

namespace {
const QByteArray LineaPorDefecto =
    "1,\"28/08/05\",1,1,0,0,0,0,1,42,\"0.50\",\"00\",\"00000\",\"Si\"\r\n";

// Menú sobre una carpeta temporal con la plataforma falsa.
struct Menu {
    explicit Menu(const QByteArray& datosgen = LineaPorDefecto) {
        Carpeta.Escribe(u"DATOSGEN.ZPK"_s, datosgen);
        Pantalla = std::make_unique<PantallaVelmo>(Estado);
        Pantalla->show();
    }
    CarpetaTemporal Carpeta;
    EstadoGlobal Estado = Carpeta.Estado();
    PlataformaFalsa Plataforma{&Estado};
    std::unique_ptr<PantallaVelmo> Pantalla;
};
} // namespace

// Una entrada cierra antes las pantallas sin modo abiertas (consulta, salida, escrutinio).
TEST(PantallaVelmo, LaSextaEntradaCierraLasSinModoYAbreDatosGenerales) {
    Menu m;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m.Pantalla.get()));
    GuardaCaptura(m.Pantalla.get(), u"velmo"_s);

    QWidget consulta;
    consulta.show();
    m.Pantalla->RegistraPantallaSinModo(&consulta);
    QString abierta;
    AlAbrirseModal([&](QWidget* modal) {
        ASSERT_NE(modal, nullptr);
        abierta = modal->objectName();
        EXPECT_FALSE(consulta.isVisible());
        GuardaCaptura(modal, u"datosgen_desde_menu"_s);
        Pulsa(static_cast<PantallaDatosgen*>(modal)->Pic_Salir);
    });
    Pulsa(m.Pantalla->Pic_Boton[6]);
    EXPECT_EQ(abierta, u"datosgen"_s);
    EXPECT_FALSE(m.Pantalla->Pic_Boton[6]->EstaPulsado());
}

TEST(PantallaVelmo, SalirGuardaYBorraElFicheroDeBoletos) {
    Menu m("1,\"28/08/05\",1,1,0,0,0,0,1,42,\"0.50\",\"00\",\"00000\",\"No\"\r\n");
    m.Carpeta.Escribe(u"FORBOLW.ZPK"_s, "x");
    m.Estado.Datos.JornadaActual = 9;
    m.Estado.Datos.OrdenActual = 4;
    m.Estado.Datos.Metodo = 3;

    Pulsa(m.Pantalla->Pic_Salir);
    EXPECT_FALSE(m.Pantalla->isVisible());
    EXPECT_FALSE(m.Carpeta.Existe(u"FORBOLW.ZPK"_s));
    EXPECT_EQ(m.Carpeta.Lee(u"DATOSGEN.ZPK"_s),
              QByteArray("9,\"28/08/05\",4,3,0,0,0,0,1,42,\"0.50\",\"00\",\"00000\",\"No\"\r\n"));
    EXPECT_TRUE(m.Plataforma.Sonido.empty()) << "con el sonido apagado no suena nada";
    EXPECT_TRUE(m.Plataforma.Avisos.isEmpty()) << "sin FORBOLW.ZPK no hay mensaje";
}

// Con una pantalla pequeña no arranca y lo dice; con una buena, el menú y la ayuda inicial.
TEST(ArranquePrograma, MensajeDePantallaPequenaOMenuYAyudaInicial) {
    for (const QSize pantalla : {QSize(640, 480), QSize(1024, 768)}) {
        CarpetaTemporal programa;
        CarpetaTemporal respaldo;
        programa.Escribe(u"DATOSGEN.ZPK"_s, LineaPorDefecto);
        EstadoGlobal estado;
        PlataformaFalsa plataforma(&estado);
        plataforma.Pantalla = pantalla;
        const auto menu = ArrancaPrograma(estado, programa.Ruta(), respaldo.Ruta(),
                                          [](const QString&) { return false; });
        ASSERT_EQ(plataforma.Mensajes.size(), 1u);
        if (pantalla.width() < 800) {
            EXPECT_EQ(menu, nullptr);
            EXPECT_EQ(plataforma.Mensajes[0].Titulo, u"Resolución de pantalla"_s);
            continue;
        }
        ASSERT_NE(menu, nullptr);
        EXPECT_TRUE(menu->isVisible());
        EXPECT_EQ(estado.CarpetaDatos, respaldo.Ruta());
        EXPECT_EQ(plataforma.Mensajes[0].Botones, BotonesMensaje(BotonMensaje::Ayuda));
        EXPECT_TRUE(plataforma.Mensajes[0].Texto.startsWith(u"Si desea consultar  una"_s));
    }
}

// Los títulos de las ventanas que no lo comprueban en sus pruebas, sin blancos de relleno.
TEST(Titulos, NingunaVentanaLlevaBlancosDeRelleno) {
    Menu m;
    m.Carpeta.Escribe(u"EQUIPOS.ZPK"_s, "Betis\r\nSevilla\r\n");
    PantallaDatosgen datosgen(m.Estado);
    PantallaJornadas jornadas(m.Estado);
    PantallaEquipos equipos(m.Estado);
    PantallaMensajes mensajes(m.Estado, u"TÍTULO"_s, u"Texto"_s, BotonMensaje::Ninguno);
    const QWidget* ventanas[] = {m.Pantalla.get(), &datosgen, &jornadas, &equipos, &mensajes};
    for (const QWidget* ventana : ventanas) {
        const QString titulo = ventana->windowTitle();
        EXPECT_FALSE(titulo.isEmpty()) << ventana->objectName().toStdString();
        EXPECT_EQ(titulo, titulo.simplified()) << titulo.toStdString();
    }
}
