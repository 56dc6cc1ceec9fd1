#include "core/arranque.h"
#include "support/carpeta_temporal.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace quiniela;
using namespace quiniela::prueba;

namespace {

// La carpeta del programa con los once ficheros distribuidos.
void LlenaPrograma(const CarpetaTemporal& programa) {
    for (const QString& nombre : FicherosDistribuidos())
        programa.Escribe(nombre, "distribuido " + nombre.toLatin1());
}

} // namespace

TEST(Arranque, CarpetaDelProgramaConEscritura) {
    CarpetaTemporal programa;
    CarpetaTemporal respaldo;
    const QString elegida =
        EligeCarpetaDatos(programa.Ruta().chopped(1), respaldo.Ruta(), SondaEscrituraReal);
    EXPECT_EQ(elegida, programa.Ruta());
    EXPECT_FALSE(programa.Existe(QStringLiteral("CSCD.WRK"))) << "la sonda no queda";
    EXPECT_TRUE(QDir(respaldo.Ruta()).isEmpty());
}

TEST(Arranque, SinEscrituraSeCopianLosOnceFicheros) {
    CarpetaTemporal programa;
    CarpetaTemporal base;
    LlenaPrograma(programa);
    const QString respaldo = base.Ruta() + QStringLiteral("Temp/Tvr/");
    const auto soloLectura = [](const QString&) { return false; };

    EXPECT_EQ(EligeCarpetaDatos(programa.Ruta(), respaldo, soloLectura), respaldo);
    for (const QString& nombre : FicherosDistribuidos())
        EXPECT_EQ(base.Lee(QStringLiteral("Temp/Tvr/") + nombre),
                  "distribuido " + nombre.toLatin1());

    // Con DATOSGEN.ZPK en el respaldo no se copia nada: los datos del usuario se quedan.
    base.Escribe(QStringLiteral("Temp/Tvr/JORNADAS.ZPK"), "del usuario");
    EligeCarpetaDatos(programa.Ruta(), respaldo, soloLectura);
    EXPECT_EQ(base.Lee(QStringLiteral("Temp/Tvr/JORNADAS.ZPK")), QByteArray("del usuario"));

    // Si solo falta DATOSGEN.ZPK se vuelven a copiar los once, encima de los que hay.
    QFile::remove(respaldo + QStringLiteral("DATOSGEN.ZPK"));
    EligeCarpetaDatos(programa.Ruta(), respaldo, soloLectura);
    EXPECT_EQ(base.Lee(QStringLiteral("Temp/Tvr/JORNADAS.ZPK")),
              QByteArray("distribuido JORNADAS.ZPK"));
    EXPECT_TRUE(base.Existe(QStringLiteral("Temp/Tvr/DATOSGEN.ZPK")));
}

TEST(Arranque, UnFicheroQueNoSePuedeCopiarSeSalta) {
    CarpetaTemporal programa;
    CarpetaTemporal respaldo;
    programa.Escribe(QStringLiteral("DATOSGEN.ZPK"), "d");
    programa.Escribe(QStringLiteral("RED0401.ZPK"), "r");
    EligeCarpetaDatos(programa.Ruta(), respaldo.Ruta(), [](const QString&) { return false; });
    EXPECT_TRUE(respaldo.Existe(QStringLiteral("DATOSGEN.ZPK")));
    EXPECT_TRUE(respaldo.Existe(QStringLiteral("RED0401.ZPK")));
    EXPECT_FALSE(respaldo.Existe(QStringLiteral("BASES.ZPK")));
}

TEST(Arranque, ResolucionDePantalla) {
    EXPECT_TRUE(PantallaSuficiente(QSize(1024, 768)));
    EXPECT_TRUE(PantallaSuficiente(QSize(800, 300)));
    EXPECT_FALSE(PantallaSuficiente(QSize(640, 480)));
    const QString texto = TextoResolucion(QSize(640, 480));
    EXPECT_TRUE(texto.contains(QStringLiteral("es de (640x480).  Debe  cambiar")));
    EXPECT_TRUE(texto.startsWith(QStringLiteral("Este  programa  se  ha  diseñado  para")));
    EXPECT_TRUE(TextoResolucion(QSize(80, 60)).contains(QStringLiteral("( 80x 60)")));
}

TEST(Arranque, CarpetaDeRespaldoDelUsuario) {
    EXPECT_TRUE(CarpetaRespaldo().endsWith(QStringLiteral("/Temp/Tvr/")));
}
