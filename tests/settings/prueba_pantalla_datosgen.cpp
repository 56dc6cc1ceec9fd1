#include "core/estado_global.h"
#include "platform/qt/boton_imagen.h"
#include "settings/datos_generales.h"
#include "settings/pantalla_datosgen.h"
#include "support/carpeta_temporal.h"
#include "support/pantallas.h"
#include "support/plataforma_falsa.h"

#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <gtest/gtest.h>

using namespace quiniela;
using namespace quiniela::prueba;

namespace {

class PantallaDatosgenPrueba : public ::testing::Test {
protected:
    void SetUp() override {
        carpeta.Escribe(QStringLiteral("DATOSGEN.ZPK"),
                        "3,\"11/09/05\",2,3,0,0,0,0,1,42,\"0.50\",\"00\",\"00000\",\"Si\"\r\n");
        CargaDatosGenerales(estado);
        plataforma.Sonido.clear();
    }

    // Abre el editor con su botón, escribe y lo cierra pulsando otra vez.
    void Edita(BotonImagen* boton, QLineEdit* campo, const QString& texto) {
        Pulsa(boton);
        ASSERT_TRUE(campo->isVisible());
        campo->selectAll();
        Teclea(campo, texto);
        Pulsa(boton);
        ASSERT_FALSE(campo->isVisible());
    }

    CarpetaTemporal carpeta;
    EstadoGlobal estado = carpeta.Estado();
    PlataformaFalsa plataforma{&estado};
};

} // namespace

TEST_F(PantallaDatosgenPrueba, EditaYGuardaLosCincoValores) {
    PantallaDatosgen pantalla(estado);
    pantalla.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&pantalla));
    EXPECT_TRUE(plataforma.Sonido.empty()) << "al abrir no suena nada";
    EXPECT_FALSE(pantalla.Pic_BotGuardar->isVisible());

    Edita(pantalla.Pic_BotPreApu, pantalla.Tex_PreApu, QStringLiteral(".125"));
    EXPECT_EQ(estado.Datos.PrecioApuesta, QStringLiteral("0.12"));
    EXPECT_EQ(pantalla.Pic_BotPreApu->Rotulo(), QStringLiteral("Precio apuesta: 0.12"));
    EXPECT_TRUE(pantalla.Pic_BotGuardar->isVisible());

    Edita(pantalla.Pic_BotTotJor, pantalla.Tex_TotJor, QStringLiteral("60"));
    EXPECT_EQ(estado.Datos.TotalJornadas, 52);
    Edita(pantalla.Pic_BotDelega, pantalla.Tex_Delegacion, QStringLiteral("7"));
    EXPECT_EQ(estado.Datos.CodigoDelegacion, QStringLiteral("07"));
    Edita(pantalla.Pic_BotReceptor, pantalla.Tex_Receptor, QStringLiteral("123"));
    EXPECT_EQ(estado.Datos.CodigoReceptor, QStringLiteral("00123"));

    Pulsa(pantalla.Pic_BotSonido);
    GuardaCaptura(&pantalla, QStringLiteral("datosgen_lista"));
    const QRect fila = pantalla.Lis_Sonido->visualItemRect(pantalla.Lis_Sonido->item(1));
    QTest::mouseClick(pantalla.Lis_Sonido->viewport(), Qt::LeftButton, {}, fila.center());
    EXPECT_EQ(estado.Datos.Sonido, QStringLiteral("No"));
    GuardaCaptura(&pantalla, QStringLiteral("datosgen"));

    // Nada llega al disco hasta pulsar "Guardar datos".
    EXPECT_EQ(carpeta.Lee(QStringLiteral("DATOSGEN.ZPK")),
              QByteArray("3,\"11/09/05\",2,3,0,0,0,0,1,42,\"0.50\",\"00\",\"00000\",\"Si\"\r\n"));
    Pulsa(pantalla.Pic_BotGuardar);
    EXPECT_FALSE(pantalla.Pic_BotGuardar->isVisible());
    EXPECT_EQ(carpeta.Lee(QStringLiteral("DATOSGEN.ZPK")),
              QByteArray("3,\"11/09/05\",2,3,0,0,0,0,1,52,\"0.12\",\"07\",\"00123\",\"No\"\r\n"));
}

TEST_F(PantallaDatosgenPrueba, FiltrosDeTecleoYCierreConIntro) {
    PantallaDatosgen pantalla(estado);
    pantalla.show();
    Pulsa(pantalla.Pic_BotPreApu);
    pantalla.Tex_PreApu->selectAll();
    Teclea(pantalla.Tex_PreApu, QStringLiteral("a.7€"));
    EXPECT_EQ(pantalla.Tex_PreApu->text(), QStringLiteral(".7"));
    // Intro cierra el editor como el botón.
    QTest::keyClick(pantalla.Tex_PreApu, Qt::Key_Return);
    EXPECT_FALSE(pantalla.Tex_PreApu->isVisible());
    EXPECT_FLOAT_EQ(estado.Datos.PrecioApuestaValor, 0.7f);

    Pulsa(pantalla.Pic_BotTotJor);
    pantalla.Tex_TotJor->selectAll();
    Teclea(pantalla.Tex_TotJor, QStringLiteral("0"));
    EXPECT_EQ(pantalla.Tex_TotJor->text(), QString()) << "un total por debajo de 1 vacía el campo";
    Pulsa(pantalla.Pic_BotTotJor);
    EXPECT_EQ(estado.Datos.TotalJornadas, 44);

    // Sonidos: 6 al abrir cada editor, 7 al cerrarlo.
    EXPECT_EQ(plataforma.Sonido, (std::vector<int>{6, 7, 6, 7}));
}

TEST_F(PantallaDatosgenPrueba, SalirSinGuardarDescartaYLaJornadaSeRecortaAlTotalGuardado) {
    estado.Datos.JornadaActual = 20;
    {
        PantallaDatosgen pantalla(estado);
        pantalla.show();
        Edita(pantalla.Pic_BotTotJor, pantalla.Tex_TotJor, QStringLiteral("10"));
        EXPECT_EQ(estado.Datos.TotalJornadas, 10);
        Pulsa(pantalla.Pic_Salir);
        EXPECT_EQ(estado.Datos.TotalJornadas, 42) << "se relee el fichero";
        EXPECT_EQ(estado.Datos.JornadaActual, 3) << "la jornada guardada es la del fichero";
    }
    PantallaDatosgen pantalla(estado);
    pantalla.show();
    Edita(pantalla.Pic_BotTotJor, pantalla.Tex_TotJor, QStringLiteral("2"));
    Pulsa(pantalla.Pic_BotGuardar);
    Pulsa(pantalla.Pic_Ayuda);
    EXPECT_EQ(plataforma.TemasAyuda, std::vector<int>{2700});
    Pulsa(pantalla.Pic_Salir);
    EXPECT_EQ(estado.Datos.TotalJornadas, 2);
    EXPECT_EQ(estado.Datos.JornadaActual, 2);
}
