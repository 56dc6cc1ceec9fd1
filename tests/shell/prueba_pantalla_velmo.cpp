#include "core/estado_global.h"
#include "platform/qt/boton_imagen.h"
#include "settings/pantalla_datosgen.h"
#include "shell/arranque_programa.h"
#include "shell/pantalla_velmo.h"
#include "support/carpeta_temporal.h"
#include "support/pantallas.h"
#include "support/plataforma_falsa.h"

#include <QTest>
#include <gtest/gtest.h>

using namespace quiniela;
using namespace quiniela::prueba;

namespace {
const QByteArray LineaPorDefecto =
    "1,\"28/08/05\",1,1,0,0,0,0,1,42,\"0.50\",\"00\",\"00000\",\"Si\"\r\n";
}

TEST(PantallaVelmo, EntradasEnSusPosiciones) {
    CarpetaTemporal carpeta;
    EstadoGlobal estado = carpeta.Estado();
    PlataformaFalsa plataforma(&estado);
    PantallaVelmo menu(estado);
    menu.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));

    const QStringList rotulos{
        QStringLiteral("DATOS DE JORNADAS"),      QStringLiteral("REDUCCIÓN DE APUESTAS"),
        QStringLiteral("CONSULTAR REDUCCIONES"),  QStringLiteral("SALIDA DE DATOS"),
        QStringLiteral("ESCRUTINIO DE ACIERTOS"), QStringLiteral("DATOS GENERALES"),
        QStringLiteral("BORRADO DE DATOS")};
    const QList<QPoint> posiciones{{40, 225},  {40, 270},  {40, 315}, {300, 225},
                                   {300, 270}, {170, 360}, {300, 315}};
    for (int i = 1; i <= 7; ++i) {
        EXPECT_EQ(menu.Pic_Boton[i]->Rotulo(), rotulos[i - 1]);
        EXPECT_EQ(menu.Pic_Boton[i]->geometry(), QRect(posiciones[i - 1], QSize(215, 24)));
        EXPECT_TRUE(menu.Pic_Boton[i]->isVisible());
    }
    // Faltaba DATOSGEN.ZPK: un aviso y el fichero creado.
    EXPECT_EQ(plataforma.avisos.size(), 1);
    EXPECT_EQ(carpeta.Lee(QStringLiteral("DATOSGEN.ZPK")), LineaPorDefecto);
    GuardaCaptura(&menu, QStringLiteral("velmo"));
}

TEST(PantallaVelmo, EntradaSeisAbreDatosGenerales) {
    CarpetaTemporal carpeta;
    carpeta.Escribe(QStringLiteral("DATOSGEN.ZPK"), LineaPorDefecto);
    EstadoGlobal estado = carpeta.Estado();
    PlataformaFalsa plataforma(&estado);
    PantallaVelmo menu(estado);
    menu.show();

    QString abierta;
    AlAbrirseModal([&](QWidget* modal) {
        ASSERT_NE(modal, nullptr);
        abierta = modal->objectName();
        GuardaCaptura(modal, QStringLiteral("datosgen_desde_menu"));
        Pulsa(static_cast<PantallaDatosgen*>(modal)->Pic_Salir);
    });
    Pulsa(menu.Pic_Boton[6]);
    EXPECT_EQ(abierta, QStringLiteral("datosgen"));
    EXPECT_EQ(plataforma.esperas.front(), 600);
    EXPECT_EQ(plataforma.sonidos.front(), 6);
    EXPECT_FALSE(menu.Pic_Boton[6]->EstaPulsado());
}

TEST(PantallaVelmo, AbrirUnaEntradaCierraLasPantallasSinModo) {
    CarpetaTemporal carpeta;
    carpeta.Escribe(QStringLiteral("DATOSGEN.ZPK"), LineaPorDefecto);
    EstadoGlobal estado = carpeta.Estado();
    PlataformaFalsa plataforma(&estado);
    PantallaVelmo menu(estado);
    menu.show();
    QWidget consulta;
    consulta.show();
    menu.RegistraPantallaSinModo(&consulta);
    Pulsa(menu.Pic_Boton[4]);
    EXPECT_FALSE(consulta.isVisible());
}

TEST(PantallaVelmo, SalirGuardaYBorraElFicheroDeBoletos) {
    CarpetaTemporal carpeta;
    carpeta.Escribe(QStringLiteral("DATOSGEN.ZPK"),
                    "1,\"28/08/05\",1,1,0,0,0,0,1,42,\"0.50\",\"00\",\"00000\",\"No\"\r\n");
    carpeta.Escribe(QStringLiteral("FORBOLW.ZPK"), "x");
    EstadoGlobal estado = carpeta.Estado();
    PlataformaFalsa plataforma(&estado);
    PantallaVelmo menu(estado);
    menu.show();
    estado.Datos.JornadaActual = 9;
    estado.Datos.OrdenActual = 4;
    estado.Datos.Metodo = 3;

    Pulsa(menu.Pic_Salir);
    EXPECT_FALSE(menu.isVisible());
    EXPECT_FALSE(carpeta.Existe(QStringLiteral("FORBOLW.ZPK")));
    EXPECT_EQ(carpeta.Lee(QStringLiteral("DATOSGEN.ZPK")),
              QByteArray("9,\"28/08/05\",4,3,0,0,0,0,1,42,\"0.50\",\"00\",\"00000\",\"No\"\r\n"));
    EXPECT_TRUE(plataforma.sonidos.empty()) << "con el sonido apagado no suena nada";
    EXPECT_TRUE(plataforma.avisos.isEmpty()) << "sin FORBOLW.ZPK no hay mensaje";
}

TEST(ArranquePrograma, PantallaPequenaTerminaConSuMensaje) {
    CarpetaTemporal programa;
    CarpetaTemporal respaldo;
    EstadoGlobal estado;
    PlataformaFalsa plataforma(&estado);
    plataforma.pantalla = QSize(640, 480);
    const auto menu = ArrancaPrograma(estado, programa.Ruta(), respaldo.Ruta(), SondaEscrituraReal);
    EXPECT_EQ(menu, nullptr);
    ASSERT_EQ(plataforma.mensajes.size(), 1u);
    EXPECT_EQ(plataforma.mensajes[0].titulo, QStringLiteral("Resolución de pantalla"));
    EXPECT_TRUE(plataforma.mensajes[0].texto.contains(QStringLiteral("(640x480)")));
    EXPECT_FALSE(programa.Existe(QStringLiteral("DATOSGEN.ZPK"))) << "no se ha escrito nada";
}

TEST(ArranquePrograma, MenuYAyudaInicial) {
    CarpetaTemporal programa;
    CarpetaTemporal respaldo;
    programa.Escribe(QStringLiteral("DATOSGEN.ZPK"), LineaPorDefecto);
    EstadoGlobal estado;
    PlataformaFalsa plataforma(&estado);
    const auto menu = ArrancaPrograma(estado, programa.Ruta(), respaldo.Ruta(),
                                      [](const QString&) { return false; });
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(estado.CarpetaDatos, respaldo.Ruta());
    EXPECT_TRUE(respaldo.Existe(QStringLiteral("DATOSGEN.ZPK")));
    ASSERT_EQ(plataforma.mensajes.size(), 1u);
    EXPECT_EQ(plataforma.mensajes[0].botones, BotonesMensaje(BotonMensaje::Ayuda));
    EXPECT_TRUE(plataforma.mensajes[0].texto.startsWith(QStringLiteral("Si desea consultar  una")));
    EXPECT_TRUE(menu->isVisible());
}
