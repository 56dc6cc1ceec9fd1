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

using namespace Qt::StringLiterals;
using namespace quiniela;
using namespace quiniela::prueba;

namespace {

class PantallaDatosgenPrueba : public ::testing::Test {
protected:
    void SetUp() override {
        carpeta.Escribe(u"DATOSGEN.ZPK"_s,
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

    Edita(pantalla.Pic_BotPreApu, pantalla.Tex_PreApu, u".125"_s);
    EXPECT_EQ(pantalla.Pic_BotPreApu->Rotulo(), u"Precio apuesta: 0.12"_s);
    EXPECT_TRUE(pantalla.Pic_BotGuardar->isVisible());

    // Lo que queda de cada valor lo dice el fichero guardado al final.
    Edita(pantalla.Pic_BotTotJor, pantalla.Tex_TotJor, u"60"_s);
    Edita(pantalla.Pic_BotDelega, pantalla.Tex_Delegacion, u"7"_s);
    Edita(pantalla.Pic_BotReceptor, pantalla.Tex_Receptor, u"123"_s);

    Pulsa(pantalla.Pic_BotSonido);
    GuardaCaptura(&pantalla, u"datosgen_lista"_s);
    const QRect fila = pantalla.Lis_Sonido->visualItemRect(pantalla.Lis_Sonido->item(1));
    QTest::mouseClick(pantalla.Lis_Sonido->viewport(), Qt::LeftButton, {}, fila.center());
    GuardaCaptura(&pantalla, u"datosgen"_s);

    // Nada llega al disco hasta pulsar "Guardar datos".
    EXPECT_EQ(carpeta.Lee(u"DATOSGEN.ZPK"_s),
              QByteArray("3,\"11/09/05\",2,3,0,0,0,0,1,42,\"0.50\",\"00\",\"00000\",\"Si\"\r\n"));
    Pulsa(pantalla.Pic_BotGuardar);
    EXPECT_FALSE(pantalla.Pic_BotGuardar->isVisible());
    EXPECT_EQ(carpeta.Lee(u"DATOSGEN.ZPK"_s),
              QByteArray("3,\"11/09/05\",2,3,0,0,0,0,1,52,\"0.12\",\"07\",\"00123\",\"No\"\r\n"));
}

TEST_F(PantallaDatosgenPrueba, FiltrosDeTecleoYCierreConIntro) {
    PantallaDatosgen pantalla(estado);
    pantalla.show();
    Pulsa(pantalla.Pic_BotPreApu);
    pantalla.Tex_PreApu->selectAll();
    Teclea(pantalla.Tex_PreApu, u"a.7€"_s);
    EXPECT_EQ(pantalla.Tex_PreApu->text(), u".7"_s);
    // Intro cierra el editor como el botón.
    QTest::keyClick(pantalla.Tex_PreApu, Qt::Key_Return);
    EXPECT_FALSE(pantalla.Tex_PreApu->isVisible());
    EXPECT_FLOAT_EQ(estado.Datos.PrecioApuestaValor, 0.7f);

    Pulsa(pantalla.Pic_BotTotJor);
    pantalla.Tex_TotJor->selectAll();
    Teclea(pantalla.Tex_TotJor, u"0"_s);
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
        Edita(pantalla.Pic_BotTotJor, pantalla.Tex_TotJor, u"10"_s);
        EXPECT_EQ(estado.Datos.TotalJornadas, 10);
        Pulsa(pantalla.Pic_Salir);
        EXPECT_EQ(estado.Datos.TotalJornadas, 42) << "se relee el fichero";
        EXPECT_EQ(estado.Datos.JornadaActual, 3) << "la jornada guardada es la del fichero";
    }
    PantallaDatosgen pantalla(estado);
    pantalla.show();
    Edita(pantalla.Pic_BotTotJor, pantalla.Tex_TotJor, u"2"_s);
    Pulsa(pantalla.Pic_BotGuardar);
    Pulsa(pantalla.Pic_Ayuda);
    EXPECT_EQ(plataforma.TemasAyuda, std::vector<int>{2700});
    Pulsa(pantalla.Pic_Salir);
    EXPECT_EQ(estado.Datos.TotalJornadas, 2);
    EXPECT_EQ(estado.Datos.JornadaActual, 2);
}
