#include "consult/pantalla_historic.h"
#include "core/estado_global.h"
#include "matchdays/pantalla_equipos.h"
#include "matchdays/pantalla_jornadas.h"
#include "platform/qt/boton_imagen.h"
#include "settings/datos_generales.h"
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
        if (!datosgen.isEmpty())
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

TEST(PantallaVelmo, EntradasEnSusPosicionesYDatosGeneralesCreados) {
    Menu m(QByteArray{});
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m.Pantalla.get()));
    const struct {
        const char* Rotulo;
        QPoint Sitio;
    } entradas[] = {{"DATOS DE JORNADAS", {40, 225}},       {"REDUCCIÓN DE APUESTAS", {40, 270}},
                    {"CONSULTAR REDUCCIONES", {40, 315}},   {"SALIDA DE DATOS", {300, 225}},
                    {"ESCRUTINIO DE ACIERTOS", {300, 270}}, {"DATOS GENERALES", {170, 360}},
                    {"BORRADO DE DATOS", {300, 315}}};
    for (int i = 1; i <= 7; ++i) {
        EXPECT_EQ(m.Pantalla->Pic_Boton[i]->Rotulo(), QString::fromUtf8(entradas[i - 1].Rotulo));
        EXPECT_EQ(m.Pantalla->Pic_Boton[i]->geometry(),
                  QRect(entradas[i - 1].Sitio, QSize(215, 24)));
        EXPECT_TRUE(m.Pantalla->Pic_Boton[i]->isVisible());
    }
    // Faltaba DATOSGEN.ZPK: un aviso y el fichero creado.
    EXPECT_EQ(m.Plataforma.Avisos.size(), 1);
    EXPECT_EQ(m.Carpeta.Lee(u"DATOSGEN.ZPK"_s), LineaPorDefecto);
    GuardaCaptura(m.Pantalla.get(), u"velmo"_s);
}

// Una entrada cierra antes las pantallas sin modo abiertas (consulta, salida, escrutinio).
TEST(PantallaVelmo, EntradaSeisCierraLasSinModoYAbreDatosGenerales) {
    Menu m;
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
    EXPECT_EQ(m.Plataforma.Esperas.front(), 600);
    EXPECT_EQ(m.Plataforma.Sonido.front(), 6);
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

TEST(ArranquePrograma, PantallaPequenaTerminaConSuMensaje) {
    CarpetaTemporal programa;
    CarpetaTemporal respaldo;
    EstadoGlobal estado;
    PlataformaFalsa plataforma(&estado);
    plataforma.Pantalla = QSize(640, 480);
    EXPECT_EQ(ArrancaPrograma(estado, programa.Ruta(), respaldo.Ruta(), SondaEscrituraReal),
              nullptr);
    ASSERT_EQ(plataforma.Mensajes.size(), 1u);
    EXPECT_EQ(plataforma.Mensajes[0].Titulo, u"Resolución de pantalla"_s);
    EXPECT_TRUE(plataforma.Mensajes[0].Texto.contains(u"(640x480)"_s));
    EXPECT_FALSE(programa.Existe(u"DATOSGEN.ZPK"_s)) << "no se ha escrito nada";
}

TEST(ArranquePrograma, MenuYAyudaInicial) {
    CarpetaTemporal programa;
    CarpetaTemporal respaldo;
    programa.Escribe(u"DATOSGEN.ZPK"_s, LineaPorDefecto);
    EstadoGlobal estado;
    PlataformaFalsa plataforma(&estado);
    const auto menu = ArrancaPrograma(estado, programa.Ruta(), respaldo.Ruta(),
                                      [](const QString&) { return false; });
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(estado.CarpetaDatos, respaldo.Ruta());
    EXPECT_TRUE(respaldo.Existe(u"DATOSGEN.ZPK"_s));
    ASSERT_EQ(plataforma.Mensajes.size(), 1u);
    EXPECT_EQ(plataforma.Mensajes[0].Botones, BotonesMensaje(BotonMensaje::Ayuda));
    EXPECT_TRUE(plataforma.Mensajes[0].Texto.startsWith(u"Si desea consultar  una"_s));
    EXPECT_TRUE(menu->isVisible());
}

// Los títulos de todas las ventanas, sin blancos de relleno.
TEST(Titulos, NingunaVentanaLlevaBlancosDeRelleno) {
    CarpetaTemporal carpeta;
    carpeta.Escribe(u"DATOSGEN.ZPK"_s, LineaDatosGenerales(DatosGenerales{}));
    carpeta.Escribe(u"EQUIPOS.ZPK"_s, "Betis\r\nSevilla\r\n");
    EstadoGlobal estado = carpeta.Estado();
    PlataformaFalsa plataforma(&estado);
    std::vector<std::unique_ptr<QWidget>> ventanas;
    ventanas.push_back(std::make_unique<PantallaVelmo>(estado));
    ventanas.push_back(std::make_unique<PantallaDatosgen>(estado));
    ventanas.push_back(std::make_unique<PantallaJornadas>(estado));
    ventanas.push_back(std::make_unique<PantallaEquipos>(estado));
    ventanas.push_back(std::make_unique<PantallaHistoric>(estado));
    ventanas.push_back(
        std::make_unique<PantallaMensajes>(estado, u"TÍTULO"_s, u"Texto"_s, BotonMensaje::Ninguno));
    for (const auto& ventana : ventanas) {
        const QString titulo = ventana->windowTitle();
        EXPECT_FALSE(titulo.isEmpty()) << ventana->objectName().toStdString();
        EXPECT_EQ(titulo, titulo.simplified()) << titulo.toStdString();
    }
}
