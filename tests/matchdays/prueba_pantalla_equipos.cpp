#include "core/estado_global.h"
#include "matchdays/pantalla_equipos.h"
#include "platform/qt/boton_imagen.h"
#include "support/carpeta_temporal.h"
#include "support/pantallas.h"
#include "support/plataforma_falsa.h"

#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <gtest/gtest.h>

using namespace quiniela;
using namespace quiniela::prueba;
using namespace Qt::StringLiterals;

namespace {

const QString Equipos = u"EQUIPOS.ZPK"_s;

class PantallaEquiposPrueba : public ::testing::Test {
protected:
    void Abre(PantallaEquipos& pantalla) {
        pantalla.show();
        pantalla.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&pantalla));
    }

    static QStringList Lista(const PantallaEquipos& pantalla) {
        QStringList nombres;
        for (int i = 0; i < pantalla.Lis_Equipos->count(); ++i)
            nombres << pantalla.Lis_Equipos->item(i)->text();
        return nombres;
    }

    static void ClicEnFila(QListWidget* lista, int fila) {
        QTest::mouseClick(lista->viewport(), Qt::LeftButton, {},
                          lista->visualItemRect(lista->item(fila)).center());
    }

    CarpetaTemporal carpeta;
    EstadoGlobal estado = carpeta.Estado();
    PlataformaFalsa plataforma{&estado};
};

} // namespace

TEST_F(PantallaEquiposPrueba, PrimerUsoSinFicheroYSalirSinGuardar) {
    PantallaEquipos pantalla(estado);
    Abre(pantalla);
    EXPECT_EQ(
        plataforma.avisos,
        QStringList{u"No se encuentra el fichero de equipos EQUIPOS.ZPK.\r\nSe ha procedido "
                    u"a crearlo automáticamente con los valores establecidos por defecto."_s});
    EXPECT_EQ(pantalla.Lis_Equipos->count(), 0);
    EXPECT_TRUE(carpeta.Existe(Equipos));
    EXPECT_EQ(carpeta.Lee(Equipos), QByteArray());
    EXPECT_FALSE(pantalla.Pic_BotAnadir->isVisible());
    EXPECT_FALSE(pantalla.Pic_BotBorrar->isVisible());
    EXPECT_FALSE(pantalla.Pic_BotGuardar->isVisible());
    EXPECT_EQ(
        OrdenDelTabulador(pantalla.Tex_NuevoEquipo, 6),
        (QStringList{u"Tex_NuevoEquipo"_s, u"Pic_BotAñadir"_s, u"Lis_Equipos"_s, u"Pic_BotBorrar"_s,
                     u"Pic_BotGuardar"_s, u"Pic_Ayuda"_s, u"Pic_Salir"_s}));

    Teclea(pantalla.Tex_NuevoEquipo, u"Osasuna"_s);
    Pulsa(pantalla.Pic_BotAnadir);
    QTest::keyClick(pantalla.Tex_NuevoEquipo, Qt::Key_Escape);
    EXPECT_FALSE(pantalla.isVisible());
    EXPECT_EQ(carpeta.Lee(Equipos), QByteArray()) << "salir no guarda";
}

TEST_F(PantallaEquiposPrueba, AnadeConBlancosYGuardaSinEllos) {
    carpeta.Escribe(Equipos, "Alav\xE9s\r\nBetis\r\n");
    PantallaEquipos pantalla(estado);
    Abre(pantalla);
    EXPECT_EQ(Lista(pantalla), (QStringList{u"Alavés"_s, u"Betis"_s}));
    EXPECT_EQ(QApplication::focusWidget(), pantalla.Tex_NuevoEquipo);

    // Solo blancos: no hay nada que añadir, ni con el botón ni con Intro.
    Teclea(pantalla.Tex_NuevoEquipo, u"   "_s);
    EXPECT_FALSE(pantalla.Pic_BotAnadir->isVisible());
    QTest::keyClick(pantalla.Tex_NuevoEquipo, Qt::Key_Return);
    EXPECT_EQ(pantalla.Lis_Equipos->count(), 2);

    pantalla.Tex_NuevoEquipo->clear();
    Teclea(pantalla.Tex_NuevoEquipo, u"  Real Madrid  "_s);
    GuardaCaptura(&pantalla, u"equipos_nuevo"_s);
    Pulsa(pantalla.Pic_BotAnadir);
    EXPECT_EQ(pantalla.Lis_Equipos->item(2)->text(), u"  Real Madrid  "_s);
    EXPECT_EQ(pantalla.Tex_NuevoEquipo->text(), QString());
    EXPECT_FALSE(pantalla.Pic_BotAnadir->isVisible());
    EXPECT_TRUE(pantalla.Pic_BotGuardar->isVisible());

    // Intro añade también; el campo admite 15 caracteres.
    Teclea(pantalla.Tex_NuevoEquipo, u"Deportivo Alavés B"_s);
    EXPECT_EQ(pantalla.Tex_NuevoEquipo->text(), u"Deportivo Alavé"_s);
    QTest::keyClick(pantalla.Tex_NuevoEquipo, Qt::Key_Return);
    EXPECT_EQ(pantalla.Lis_Equipos->count(), 4);
    GuardaCaptura(&pantalla, u"equipos"_s);

    Pulsa(pantalla.Pic_BotGuardar);
    EXPECT_FALSE(pantalla.Pic_BotGuardar->isVisible());
    EXPECT_EQ(carpeta.Lee(Equipos),
              QByteArray("Alav\xE9s\r\nBetis\r\nReal Madrid\r\nDeportivo Alav\xE9\r\n"));
}

TEST_F(PantallaEquiposPrueba, BorraVisibilidadDeLosBotonesYFalloAlGuardar) {
    carpeta.Escribe(Equipos, "Alav\xE9s\r\nBetis\r\nSevilla\r\n");
    PantallaEquipos pantalla(estado);
    Abre(pantalla);

    // Al entrar en el campo del nombre se quita la selección.
    ClicEnFila(pantalla.Lis_Equipos, 1);
    EXPECT_TRUE(pantalla.Pic_BotBorrar->isVisible());
    QTest::mouseClick(pantalla.Tex_NuevoEquipo, Qt::LeftButton);
    EXPECT_FALSE(pantalla.Pic_BotBorrar->isVisible());
    EXPECT_TRUE(pantalla.Lis_Equipos->selectedItems().isEmpty());

    ClicEnFila(pantalla.Lis_Equipos, 1);
    GuardaCaptura(&pantalla, u"equipos_elegido"_s);
    Pulsa(pantalla.Pic_BotBorrar);
    EXPECT_EQ(Lista(pantalla), (QStringList{u"Alavés"_s, u"Sevilla"_s}));
    EXPECT_FALSE(pantalla.Pic_BotBorrar->isVisible());
    EXPECT_TRUE(pantalla.Lis_Equipos->selectedItems().isEmpty());
    EXPECT_TRUE(pantalla.Pic_BotGuardar->isVisible());

    // La tecla Supr borra el elegido; borrados todos, el fichero queda vacío.
    ClicEnFila(pantalla.Lis_Equipos, 0);
    QTest::keyClick(pantalla.Lis_Equipos, Qt::Key_Delete);
    ClicEnFila(pantalla.Lis_Equipos, 0);
    Pulsa(pantalla.Pic_BotBorrar);
    EXPECT_EQ(pantalla.Lis_Equipos->count(), 0);
    Pulsa(pantalla.Pic_BotGuardar);
    EXPECT_EQ(carpeta.Lee(Equipos), QByteArray());

    Pulsa(pantalla.Pic_Ayuda);
    EXPECT_EQ(plataforma.temasAyuda, std::vector<int>{2151});

    // Una carpeta con contenido ocupa el nombre del fichero: se avisa y sigue sin guardar.
    pantalla.Tex_NuevoEquipo->setFocus();
    Teclea(pantalla.Tex_NuevoEquipo, u"Osasuna"_s);
    Pulsa(pantalla.Pic_BotAnadir);
    ASSERT_TRUE(QFile::remove(carpeta.Ruta(Equipos)));
    ASSERT_TRUE(QDir().mkpath(carpeta.Ruta(u"EQUIPOS.ZPK/dentro"_s)));
    Pulsa(pantalla.Pic_BotGuardar);
    ASSERT_EQ(plataforma.mensajes.size(), 1u);
    EXPECT_EQ(plataforma.mensajes[0].titulo, u"ERROR AL GUARDAR"_s);
    EXPECT_TRUE(plataforma.mensajes[0].texto.startsWith(
        u"No se ha podido guardar el fichero de equipos EQUIPOS.ZPK"_s));
    EXPECT_TRUE(pantalla.Pic_BotGuardar->isVisible());
}

TEST_F(PantallaEquiposPrueba, LoQueLosFicherosNoGuardanNoSeTeclea) {
    PantallaEquipos pantalla(estado);
    Abre(pantalla);
    Teclea(pantalla.Tex_NuevoEquipo, u"Peña"_s);
    QTest::sendKeyEvent(QTest::Click, pantalla.Tex_NuevoEquipo, Qt::Key_unknown, u"😀"_s,
                        Qt::NoModifier);
    Teclea(pantalla.Tex_NuevoEquipo, u" €ĉ"_s);
    EXPECT_EQ(pantalla.Tex_NuevoEquipo->text(), u"Peña €"_s);
    EXPECT_EQ(pantalla.Tex_NuevoEquipo->cursorPosition(), 6);
}
