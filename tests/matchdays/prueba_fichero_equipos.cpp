#include "core/estado_global.h"
#include "matchdays/fichero_equipos.h"
#include "support/banco.h"

#include <gtest/gtest.h>

using namespace quiniela;
using namespace Qt::StringLiterals;
using prueba::Banco;

TEST(FicheroEquipos, UnaComaTerminaElNombreYSeQuitanLosBlancos) {
    const QByteArray contenido = "  Real Madrid  \r\nAthletic, Club\r\n\r\nM\xe1laga\r\nSevilla";
    EXPECT_EQ(NombresDeEquipos(contenido),
              QStringList({u"Real Madrid"_s, u"Athletic"_s, u"Club"_s, u"Málaga"_s, u"Sevilla"_s}));
    EXPECT_EQ(ContenidoFicheroEquipos({u"  Real Madrid "_s, u"Málaga"_s, u"Athletic, Club"_s}),
              QByteArray("Real Madrid\r\nM\xe1laga\r\nAthletic, Club\r\n"));
    EXPECT_EQ(ContenidoFicheroEquipos({}), QByteArray());
}

// El primer uso (aviso de dos líneas y fichero creado vacío) se prueba en la pantalla.
TEST(FicheroEquipos, LasCasillasNoCreanElFicheroYLosFallosLlevanSuEtiqueta) {
    Banco banco(false);
    auto& [carpeta, estado, plataforma] = banco;
    EXPECT_FALSE(CreaCboEquipo(estado).has_value());
    EXPECT_EQ(estado.UltimoErrorFichero, 53);
    EXPECT_FALSE(carpeta.Existe(u"EQUIPOS.ZPK"_s));
    EXPECT_EQ(plataforma.avisos,
              QStringList{u"No se encuentra el fichero de equipos EQUIPOS.ZPK."_s});

    plataforma.avisos.clear();
    estado.CarpetaDatos = carpeta.Ruta(u"no_existe/"_s);
    CargaLisEquipos(estado);
    CreaCboEquipo(estado);
    EXPECT_EQ(plataforma.avisos,
              QStringList({u"CLE ERROR 76: No existe el fichero de equipos EQUIPOS.ZPK"_s,
                           u"CCE ERROR 76: No existe el fichero de equipos EQUIPOS.ZPK"_s}));
    EXPECT_FALSE(carpeta.Existe(u"no_existe/EQUIPOS.ZPK"_s));
}
