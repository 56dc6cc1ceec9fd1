#include "core/estado_global.h"
#include "matchdays/fichero_equipos.h"
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

namespace {

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

TEST_F(PantallaEquiposPrueba, PrimerUsoSinFichero) {
    PantallaEquipos pantalla(estado);
    Abre(pantalla);
    EXPECT_EQ(pantalla.objectName(), QStringLiteral("equipos"));
    EXPECT_EQ(pantalla.Pic_BotAnadir->objectName(), QStringLiteral("Pic_BotAñadir"));
    ASSERT_EQ(plataforma.avisos.size(), 1);
    EXPECT_EQ(plataforma.avisos[0],
              QStringLiteral("No se encuentra el fichero de equipos EQUIPOS.ZPK.\r\nSe ha "
                             "procedido a crearlo automáticamente con los valores establecidos "
                             "por defecto."));
    EXPECT_EQ(pantalla.Lis_Equipos->count(), 0);
    EXPECT_TRUE(carpeta.Existe(QStringLiteral("EQUIPOS.ZPK")));
    EXPECT_EQ(carpeta.Lee(QStringLiteral("EQUIPOS.ZPK")), QByteArray());
    EXPECT_FALSE(pantalla.Pic_BotAnadir->isVisible());
    EXPECT_FALSE(pantalla.Pic_BotBorrar->isVisible());
    EXPECT_FALSE(pantalla.Pic_BotGuardar->isVisible());
    EXPECT_TRUE(pantalla.Pic_Ayuda->isVisible());
    EXPECT_TRUE(pantalla.Pic_Salir->isVisible());
    EXPECT_EQ(pantalla.Pic_BotAnadir->width(), 133);
    EXPECT_TRUE(plataforma.sonidos.empty());
    // Todos los botones con la mano.
    int manos = 0;
    for (const CursorPuesto& c : plataforma.cursores)
        manos += c.nombre == u"ManoIndice" ? 1 : 0;
    EXPECT_EQ(manos, 5);
}

TEST_F(PantallaEquiposPrueba, AnadeConBlancosYGuardaSinEllos) {
    carpeta.Escribe(QStringLiteral("EQUIPOS.ZPK"), "Alav\xE9s\r\nBetis\r\n");
    PantallaEquipos pantalla(estado);
    Abre(pantalla);
    EXPECT_EQ(Lista(pantalla), (QStringList{QStringLiteral("Alavés"), QStringLiteral("Betis")}));
    EXPECT_EQ(QApplication::focusWidget(), pantalla.Tex_NuevoEquipo);

    // Solo blancos: no hay nada que añadir.
    Teclea(pantalla.Tex_NuevoEquipo, QStringLiteral("   "));
    EXPECT_FALSE(pantalla.Pic_BotAnadir->isVisible());
    QTest::keyClick(pantalla.Tex_NuevoEquipo, Qt::Key_Return);
    EXPECT_EQ(pantalla.Lis_Equipos->count(), 2);

    pantalla.Tex_NuevoEquipo->clear();
    Teclea(pantalla.Tex_NuevoEquipo, QStringLiteral("  Real Madrid  "));
    EXPECT_TRUE(pantalla.Pic_BotAnadir->isVisible());
    GuardaCaptura(&pantalla, QStringLiteral("equipos_nuevo"));
    Pulsa(pantalla.Pic_BotAnadir);
    EXPECT_EQ(pantalla.Lis_Equipos->item(2)->text(), QStringLiteral("  Real Madrid  "));
    EXPECT_EQ(pantalla.Tex_NuevoEquipo->text(), QString());
    EXPECT_EQ(QApplication::focusWidget(), pantalla.Tex_NuevoEquipo);
    EXPECT_FALSE(pantalla.Pic_BotAnadir->isVisible());
    EXPECT_TRUE(pantalla.Pic_BotGuardar->isVisible());
    EXPECT_EQ(plataforma.sonidos, (std::vector<int>{6, 6}));
    EXPECT_EQ(plataforma.esperas, std::vector<int>{300});

    // Intro añade también; el campo admite 15 caracteres.
    Teclea(pantalla.Tex_NuevoEquipo, QStringLiteral("Deportivo Alavés B"));
    EXPECT_EQ(pantalla.Tex_NuevoEquipo->text(), QStringLiteral("Deportivo Alavé"));
    QTest::keyClick(pantalla.Tex_NuevoEquipo, Qt::Key_Return);
    EXPECT_EQ(pantalla.Lis_Equipos->count(), 4);
    GuardaCaptura(&pantalla, QStringLiteral("equipos"));

    plataforma.sonidos.clear();
    plataforma.esperas.clear();
    Pulsa(pantalla.Pic_BotGuardar);
    EXPECT_FALSE(pantalla.Pic_BotGuardar->isVisible());
    EXPECT_EQ(plataforma.sonidos, (std::vector<int>{6, 6}));
    EXPECT_EQ(plataforma.esperas, (std::vector<int>{300, 200}));
    EXPECT_EQ(carpeta.Lee(QStringLiteral("EQUIPOS.ZPK")),
              QByteArray("Alav\xE9s\r\nBetis\r\nReal Madrid\r\nDeportivo Alav\xE9\r\n"));
    EXPECT_TRUE(plataforma.mensajes.empty());
}

TEST_F(PantallaEquiposPrueba, BorraYVisibilidadDeLosBotones) {
    carpeta.Escribe(QStringLiteral("EQUIPOS.ZPK"), "Alav\xE9s\r\nBetis\r\nSevilla\r\n");
    PantallaEquipos pantalla(estado);
    Abre(pantalla);

    ClicEnFila(pantalla.Lis_Equipos, 1);
    EXPECT_TRUE(pantalla.Pic_BotBorrar->isVisible());
    // Al entrar en el campo del nombre se quita la selección.
    QTest::mouseClick(pantalla.Tex_NuevoEquipo, Qt::LeftButton);
    EXPECT_FALSE(pantalla.Pic_BotBorrar->isVisible());
    EXPECT_TRUE(pantalla.Lis_Equipos->selectedItems().isEmpty());

    ClicEnFila(pantalla.Lis_Equipos, 1);
    ASSERT_TRUE(pantalla.Pic_BotBorrar->isVisible());
    GuardaCaptura(&pantalla, QStringLiteral("equipos_elegido"));
    Pulsa(pantalla.Pic_BotBorrar);
    EXPECT_EQ(Lista(pantalla), (QStringList{QStringLiteral("Alavés"), QStringLiteral("Sevilla")}));
    EXPECT_FALSE(pantalla.Pic_BotBorrar->isVisible());
    EXPECT_TRUE(pantalla.Lis_Equipos->selectedItems().isEmpty());
    EXPECT_TRUE(pantalla.Pic_BotGuardar->isVisible());
    EXPECT_EQ(plataforma.sonidos, std::vector<int>{6});
    EXPECT_EQ(plataforma.esperas, (std::vector<int>{300, 200}));

    // La tecla Supr borra el elegido; borrados todos, el fichero queda vacío.
    ClicEnFila(pantalla.Lis_Equipos, 0);
    QTest::keyClick(pantalla.Lis_Equipos, Qt::Key_Delete);
    ClicEnFila(pantalla.Lis_Equipos, 0);
    Pulsa(pantalla.Pic_BotBorrar);
    EXPECT_EQ(pantalla.Lis_Equipos->count(), 0);
    Pulsa(pantalla.Pic_BotGuardar);
    EXPECT_EQ(carpeta.Lee(QStringLiteral("EQUIPOS.ZPK")), QByteArray());

    plataforma.sonidos.clear();
    Pulsa(pantalla.Pic_Ayuda);
    EXPECT_EQ(plataforma.temasAyuda, std::vector<int>{2151});
    Pulsa(pantalla.Pic_Salir);
    EXPECT_FALSE(pantalla.isVisible());
    EXPECT_EQ(plataforma.sonidos, (std::vector<int>{9, 5}));
}

TEST_F(PantallaEquiposPrueba, SalirSinGuardarNoEscribeYElFalloSeAvisa) {
    carpeta.Escribe(QStringLiteral("EQUIPOS.ZPK"), "Betis\r\n");
    {
        PantallaEquipos pantalla(estado);
        Abre(pantalla);
        Teclea(pantalla.Tex_NuevoEquipo, QStringLiteral("Osasuna"));
        Pulsa(pantalla.Pic_BotAnadir);
        QTest::keyClick(pantalla.Tex_NuevoEquipo, Qt::Key_Escape);
        EXPECT_FALSE(pantalla.isVisible());
        EXPECT_EQ(carpeta.Lee(QStringLiteral("EQUIPOS.ZPK")), QByteArray("Betis\r\n"));
    }

    PantallaEquipos pantalla(estado);
    Abre(pantalla);
    Teclea(pantalla.Tex_NuevoEquipo, QStringLiteral("Osasuna"));
    Pulsa(pantalla.Pic_BotAnadir);
    // Una carpeta con contenido ocupa el nombre del fichero: no se puede reemplazar.
    ASSERT_TRUE(QFile::remove(carpeta.Ruta(QStringLiteral("EQUIPOS.ZPK"))));
    ASSERT_TRUE(QDir().mkpath(carpeta.Ruta(QStringLiteral("EQUIPOS.ZPK/dentro"))));
    Pulsa(pantalla.Pic_BotGuardar);
    ASSERT_EQ(plataforma.mensajes.size(), 1u);
    EXPECT_EQ(plataforma.mensajes[0].titulo, QStringLiteral("ERROR AL GUARDAR"));
    EXPECT_TRUE(plataforma.mensajes[0].texto.startsWith(
        QStringLiteral("No se ha podido guardar el fichero de equipos EQUIPOS.ZPK")));
    EXPECT_TRUE(pantalla.Pic_BotGuardar->isVisible());
    EXPECT_EQ(pantalla.Lis_Equipos->count(), 2);
}
