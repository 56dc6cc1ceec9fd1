#include "core/arranque.h"
#include "support/carpeta_temporal.h"

#include <QDir>
#include <QFile>
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

namespace {

// Un árbol con el ejecutable en "bin/" y, según el caso, "bin/data/" (compilación) o la
// carpeta compartida de la instalación, con los once ficheros.
struct Arbol {
    CarpetaTemporal raiz;
    QString bin = raiz.Ruta() + QStringLiteral("bin");
    QString compartida = raiz.Ruta() + QStringLiteral("share/quiniela/");

    void Crea(const QString& carpeta) const {
        ASSERT_TRUE(QDir().mkpath(carpeta));
        for (const QString& nombre : FicherosDistribuidos()) {
            QFile f(carpeta + nombre);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write("distribuido " + nombre.toLatin1());
        }
    }
};

} // namespace

TEST(Arranque, DistribucionSegunDondeEstaElEjecutable) {
    enum Caso { Compilacion, Instalado, Ambos, Ninguno };
    for (const Caso caso : {Compilacion, Instalado, Ambos, Ninguno}) {
        SCOPED_TRACE(caso);
        Arbol arbol;
        QDir().mkpath(arbol.bin);
        if (caso == Compilacion || caso == Ambos)
            arbol.Crea(arbol.bin + QStringLiteral("/data/"));
        if (caso == Instalado || caso == Ambos)
            arbol.Crea(arbol.compartida);

        const Distribucion d = BuscaDistribucion(arbol.bin);
        if (caso == Instalado) {
            // Relativa al ejecutable: la instalación en una carpeta cualquiera se encuentra.
            EXPECT_TRUE(d.instalada);
            EXPECT_EQ(d.datos, arbol.compartida);
            EXPECT_EQ(d.ayuda, arbol.compartida + QStringLiteral("quiniela.qhc"));
        } else {
            EXPECT_FALSE(d.instalada);
            EXPECT_EQ(d.datos, arbol.bin + QStringLiteral("/data/"));
            EXPECT_EQ(d.ayuda, arbol.bin + QStringLiteral("/quiniela.qhc"));
        }
    }
}

TEST(Arranque, InstaladoSeCopiaALaCarpetaDelUsuarioSinTocarLaCompartida) {
    Arbol arbol;
    arbol.Crea(arbol.compartida);
    CarpetaTemporal usuario;
    const QString respaldo = usuario.Ruta() + QStringLiteral("quiniela/Temp/Tvr/");
    const Distribucion d = BuscaDistribucion(arbol.bin);
    ASSERT_TRUE(d.instalada);
    const QStringList antes = QDir(arbol.compartida).entryList(QDir::Files);

    // Aunque la carpeta compartida admita escritura (root), no se usa ni se sondea.
    EXPECT_EQ(EligeCarpetaDatos(d, respaldo), respaldo);
    EXPECT_EQ(QDir(arbol.compartida).entryList(QDir::Files), antes);
    for (const QString& nombre : FicherosDistribuidos())
        EXPECT_EQ(usuario.Lee(QStringLiteral("quiniela/Temp/Tvr/") + nombre),
                  "distribuido " + nombre.toLatin1());

    // En el siguiente arranque se quedan los datos del usuario.
    usuario.Escribe(QStringLiteral("quiniela/Temp/Tvr/BASES.ZPK"), "del usuario");
    EXPECT_EQ(EligeCarpetaDatos(d, respaldo), respaldo);
    EXPECT_EQ(usuario.Lee(QStringLiteral("quiniela/Temp/Tvr/BASES.ZPK")),
              QByteArray("del usuario"));
}

TEST(Arranque, EnLaCompilacionSeTrabajaEnDataJuntoAlEjecutable) {
    Arbol arbol;
    arbol.Crea(arbol.bin + QStringLiteral("/data/"));
    CarpetaTemporal respaldo;
    EXPECT_EQ(EligeCarpetaDatos(BuscaDistribucion(arbol.bin), respaldo.Ruta()),
              arbol.bin + QStringLiteral("/data/"));
    EXPECT_TRUE(QDir(respaldo.Ruta()).isEmpty());
    EXPECT_FALSE(QFile::exists(arbol.bin + QStringLiteral("/data/CSCD.WRK")));
}
