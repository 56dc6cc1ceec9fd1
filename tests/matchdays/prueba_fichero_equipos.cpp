#include "core/estado_global.h"
#include "matchdays/fichero_equipos.h"
#include "support/carpeta_temporal.h"
#include "support/plataforma_falsa.h"

#include <gtest/gtest.h>

using namespace quiniela;
using namespace Qt::StringLiterals;
using prueba::CarpetaTemporal;
using prueba::PlataformaFalsa;

namespace {
const QString Equipos = QStringLiteral("EQUIPOS.ZPK");
} // namespace

TEST(FicheroEquipos, UnaComaTerminaElNombreYSeQuitanLosBlancos) {
    const QByteArray contenido = "  Real Madrid  \r\nAthletic, Club\r\n\r\nM\xe1laga\r\nSevilla";
    EXPECT_EQ(NombresDeEquipos(contenido),
              QStringList({u"Real Madrid"_s, u"Athletic"_s, u"Club"_s, u"Málaga"_s, u"Sevilla"_s}));
    EXPECT_TRUE(NombresDeEquipos(QByteArray()).isEmpty());

    EXPECT_EQ(ContenidoFicheroEquipos({u"  Real Madrid "_s, u"Málaga"_s, u"Athletic, Club"_s}),
              QByteArray("Real Madrid\r\nM\xe1laga\r\nAthletic, Club\r\n"));
    EXPECT_EQ(ContenidoFicheroEquipos({}), QByteArray());
}

TEST(FicheroEquipos, FicheroQueFaltaOQueNoSePuedeAbrir) {
    CarpetaTemporal carpeta;
    EstadoGlobal estado = carpeta.Estado();
    PlataformaFalsa plataforma(&estado);

    // Las casillas de jornadas avisan y no crean nada.
    EXPECT_FALSE(CreaCboEquipo(estado).has_value());
    EXPECT_EQ(estado.UltimoErrorFichero, 53);
    EXPECT_FALSE(carpeta.Existe(Equipos));

    // La pantalla de equipos avisa con dos líneas y lo crea vacío.
    EXPECT_TRUE(CargaLisEquipos(estado).isEmpty());
    EXPECT_EQ(estado.UltimoErrorFichero, 53);
    EXPECT_TRUE(carpeta.Existe(Equipos));
    EXPECT_EQ(carpeta.Lee(Equipos), QByteArray());
    EXPECT_EQ(plataforma.avisos,
              QStringList({u"No se encuentra el fichero de equipos EQUIPOS.ZPK."_s,
                           u"No se encuentra el fichero de equipos EQUIPOS.ZPK.\r\n"
                           u"Se ha procedido a crearlo automáticamente con los valores "
                           u"establecidos por defecto."_s}));

    // Ya existe, vacío: lista vacía válida y sin avisos.
    plataforma.avisos.clear();
    ASSERT_TRUE(CreaCboEquipo(estado).has_value());
    EXPECT_TRUE(CreaCboEquipo(estado)->isEmpty());
    EXPECT_TRUE(plataforma.avisos.isEmpty());

    estado.CarpetaDatos = carpeta.Ruta(u"no_existe/"_s);
    CargaLisEquipos(estado);
    CreaCboEquipo(estado);
    EXPECT_EQ(plataforma.avisos,
              QStringList({u"CLE ERROR 76: No existe el fichero de equipos EQUIPOS.ZPK"_s,
                           u"CCE ERROR 76: No existe el fichero de equipos EQUIPOS.ZPK"_s}));
    EXPECT_EQ(GuardaListaEquipos(estado, {u"Betis"_s}), 76);
    EXPECT_EQ(TextoErrorGuardarEquipos(76),
              u"No se ha podido guardar el fichero de equipos EQUIPOS.ZPK (error 76)."_s);
}

TEST(FicheroEquipos, EditorAnadeBorraYGuarda) {
    CarpetaTemporal carpeta;
    EstadoGlobal estado = carpeta.Estado();
    PlataformaFalsa plataforma(&estado);
    carpeta.Escribe(Equipos, "Betis\r\nOsasuna\r\n");

    EditorEquipos editor;
    editor.Carga(estado);
    EXPECT_EQ(editor.Lista(), QStringList({u"Betis"_s, u"Osasuna"_s}));
    EXPECT_FALSE(editor.AnadirVisible());
    EXPECT_FALSE(editor.BorrarVisible());
    EXPECT_FALSE(editor.GuardarVisible());
    EXPECT_FALSE(editor.Anade());
    EXPECT_FALSE(editor.BorraSeleccionado());

    // Solo blancos: el botón de añadir no aparece.
    editor.PonNuevoEquipo(u"   "_s);
    EXPECT_FALSE(editor.AnadirVisible());
    // Como mucho 15 caracteres; se añade tal como se escribió y se guarda sin blancos.
    editor.PonNuevoEquipo(u"  Real Valladolid C.F."_s);
    EXPECT_EQ(editor.NuevoEquipo(), u"  Real Valladol"_s);
    EXPECT_TRUE(editor.AnadirVisible());
    ASSERT_TRUE(editor.Anade());
    EXPECT_TRUE(editor.NuevoEquipo().isEmpty());
    EXPECT_FALSE(editor.AnadirVisible());
    EXPECT_TRUE(editor.GuardarVisible());
    editor.PonNuevoEquipo(u"Celta, Vigo "_s);
    ASSERT_TRUE(editor.Anade());
    EXPECT_EQ(editor.Lista().at(2), u"  Real Valladol"_s);

    editor.Selecciona(0);
    EXPECT_TRUE(editor.BorrarVisible());
    editor.EntraEnNuevoEquipo();
    EXPECT_FALSE(editor.BorrarVisible());
    editor.Selecciona(7);
    EXPECT_FALSE(editor.BorrarVisible());
    editor.Selecciona(0);
    ASSERT_TRUE(editor.BorraSeleccionado());
    EXPECT_EQ(editor.Seleccion(), -1);
    EXPECT_FALSE(editor.BorrarVisible());

    ASSERT_EQ(editor.Guarda(estado), 0);
    EXPECT_FALSE(editor.GuardarVisible());
    EXPECT_EQ(carpeta.Lee(Equipos), QByteArray("Osasuna\r\nReal Valladol\r\nCelta, Vigo\r\n"));
    // El nombre con coma vuelve como dos.
    EXPECT_EQ(*CreaCboEquipo(estado),
              QStringList({u"Osasuna"_s, u"Real Valladol"_s, u"Celta"_s, u"Vigo"_s}));

    // Borrarlos todos y guardar deja el fichero vacío.
    while (!editor.Lista().isEmpty()) {
        editor.Selecciona(0);
        editor.BorraSeleccionado();
    }
    ASSERT_EQ(editor.Guarda(estado), 0);
    EXPECT_EQ(carpeta.Lee(Equipos), QByteArray());
    EXPECT_TRUE(plataforma.avisos.isEmpty());
}
