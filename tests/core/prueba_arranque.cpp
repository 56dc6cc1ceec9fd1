#include "consult/historial.h"
#include "core/arranque.h"
#include "matchdays/fichero_equipos.h"
#include "matchdays/fichero_jornadas.h"
#include "reduction/fichero_bases.h"
#include "settings/datos_generales.h"
#include "support/carpeta_temporal.h"
#include "support/plataforma_falsa.h"

#include <QFileInfo>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace quiniela;
using namespace quiniela::prueba;

namespace {

QByteArray Distribuido(const QString& nombre) {
    return "distribuido " + nombre.toLatin1();
}

// La carpeta con los once ficheros distribuidos.
void Llena(const QString& carpeta) {
    ASSERT_TRUE(QDir().mkpath(carpeta));
    for (const QString& nombre : FicherosDistribuidos()) {
        QFile f(carpeta + nombre);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(Distribuido(nombre));
    }
}

void EsperaCopiados(const QString& carpeta) {
    for (const QString& nombre : FicherosDistribuidos()) {
        QFile f(carpeta + nombre);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << nombre.toStdString();
        EXPECT_EQ(f.readAll(), Distribuido(nombre));
    }
}

const auto SoloLectura = [](const QString&) { return false; };

} // namespace

TEST(Arranque, ConEscrituraSeUsaLaDelProgramaYSinEllaSeCopianLosOnceFicheros) {
    CarpetaTemporal programa;
    CarpetaTemporal base;
    EXPECT_EQ(EligeCarpetaDatos(programa.Ruta().chopped(1), base.Ruta(), SondaEscrituraReal),
              programa.Ruta());
    EXPECT_FALSE(programa.Existe(u"CSCD.WRK"_s)) << "la sonda no se queda";
    EXPECT_TRUE(QDir(base.Ruta()).isEmpty());

    Llena(programa.Ruta());
    const QString respaldo = base.Ruta() + u"Temp/Tvr/"_s;
    EXPECT_EQ(EligeCarpetaDatos(programa.Ruta(), respaldo, SoloLectura), respaldo);
    EsperaCopiados(respaldo);

    // Con DATOSGEN.ZPK en el respaldo no se copia nada: los datos del usuario se quedan.
    base.Escribe(u"Temp/Tvr/JORNADAS.ZPK"_s, "del usuario");
    EligeCarpetaDatos(programa.Ruta(), respaldo, SoloLectura);
    EXPECT_EQ(base.Lee(u"Temp/Tvr/JORNADAS.ZPK"_s), QByteArray("del usuario"));

    // Si solo falta DATOSGEN.ZPK se vuelven a copiar los once, encima de los que hay.
    QFile::remove(respaldo + u"DATOSGEN.ZPK"_s);
    EligeCarpetaDatos(programa.Ruta(), respaldo, SoloLectura);
    EsperaCopiados(respaldo);

    // Un fichero que no se puede copiar se salta.
    QFile::remove(programa.Ruta(u"BASES.ZPK"_s));
    EligeCarpetaDatos(programa.Ruta(), base.Ruta(u"otro/"_s), SoloLectura);
    EXPECT_TRUE(base.Existe(u"otro/DATOSGEN.ZPK"_s));
    EXPECT_FALSE(base.Existe(u"otro/BASES.ZPK"_s));
}

TEST(Arranque, ResolucionDePantallaYCarpetaDeRespaldo) {
    EXPECT_TRUE(CarpetaRespaldo().endsWith(u"/Temp/Tvr/"_s));
    EXPECT_TRUE(PantallaSuficiente(QSize(800, 300)));
    EXPECT_FALSE(PantallaSuficiente(QSize(640, 480)));
    EXPECT_TRUE(TextoResolucion(QSize(640, 480)).contains(u"es de (640x480).  Debe  cambiar"_s));
    EXPECT_TRUE(TextoResolucion(QSize(80, 60)).contains(u"( 80x 60)"_s));
}

// Instalado se copia a la carpeta del usuario aunque la compartida admita escritura (root), sin
// sondearla; compilando se usa data/ y la sonda no se queda.
TEST(Arranque, DistribucionYCarpetaDeDatosSegunDondeEstaElEjecutable) {
    enum Caso { Compilacion, Instalado, Ambos, Ninguno };
    for (const Caso caso : {Compilacion, Instalado, Ambos, Ninguno}) {
        SCOPED_TRACE(caso);
        // El ejecutable en "bin/" y los datos en "bin/data/" (compilación) o en la carpeta
        // compartida de la instalación.
        CarpetaTemporal raiz;
        const QString bin = raiz.Ruta() + u"bin"_s;
        const QString compartida = raiz.Ruta() + u"share/quiniela/"_s;
        QDir().mkpath(bin);
        if (caso == Compilacion || caso == Ambos)
            Llena(bin + u"/data/"_s);
        if (caso == Instalado || caso == Ambos)
            Llena(compartida);
        const Distribucion d = BuscaDistribucion(bin);
        // Relativa al ejecutable: la instalación en una carpeta cualquiera se encuentra.
        const QString datos = caso == Instalado ? compartida : bin + u"/data/"_s;
        EXPECT_EQ(d.Instalada, caso == Instalado);
        EXPECT_EQ(d.Datos, datos);
        EXPECT_EQ(d.AyudaEnLinea,
                  caso == Instalado ? datos + u"quiniela.qhc"_s : bin + u"/quiniela.qhc"_s);
        if (caso == Ninguno)
            continue;
        const QString respaldo = raiz.Ruta() + u"usuario/Temp/Tvr/"_s;
        const QStringList antes = QDir(datos).entryList(QDir::Files);
        EXPECT_EQ(EligeCarpetaDatos(d, respaldo), caso == Instalado ? respaldo : datos);
        EXPECT_EQ(QDir(datos).entryList(QDir::Files), antes);
        EXPECT_EQ(QFileInfo::exists(respaldo), caso == Instalado);
        if (caso == Instalado)
            EsperaCopiados(respaldo);
    }
}

// Los datos distribuidos deben ser coherentes: un usuario nuevo los abre tal cual.
TEST(DatosDistribuidos, SeCarganSinAvisosConSeisReduccionesYSusColumnas) {
    EstadoGlobal estado;
    estado.CarpetaDatos = QStringLiteral(QUINIELA_FUENTES "/data/");
    PlataformaFalsa plataforma(&estado);
    CargaDatosGenerales(estado);
    EXPECT_EQ(estado.UltimoErrorFichero, 0);
    EXPECT_EQ(CargaLisEquipos(estado).size(), 42);
    for (int j = 1; j <= 4; ++j) {
        estado.Datos.JornadaActual = static_cast<int16_t>(j);
        LeeFicheroJornadas(estado);
        EXPECT_TRUE(RegistroJornadaValido(estado.RegistroJornada, j)) << j;
        for (int m = 1; m <= NumPartidos; ++m)
            EXPECT_FALSE(EquipoLocal(estado.RegistroJornada, m).isEmpty()) << j << " " << m;
    }

    Historial historial(estado);
    historial.Abre();
    ASSERT_EQ(historial.Lis_Datos().size(), 6);

    const QList<QPair<int, int>> claves{{1, 1}, {1, 2}, {1, 3}, {3, 1}, {3, 2}, {4, 1}};
    QList<int> metodos;
    for (const auto& [jornada, orden] : claves) {
        estado.Datos.JornadaActual = static_cast<int16_t>(jornada);
        estado.Datos.OrdenActual = static_cast<int16_t>(orden);
        LeeFicheroBases(estado);
        ASSERT_GT(estado.NumeroRegistroReduccion, 0) << jornada << "/" << orden;
        EXPECT_FALSE(estado.Red.Descripcion.isEmpty());
        metodos << estado.Red.Metodo;
        // Cada columna ocupa 19 bytes y hay tantas como dice el índice.
        const QFileInfo columnas(estado.Ruta(NombreFicheroApuestas(jornada, orden)));
        EXPECT_EQ(columnas.size(), qint64(estado.Red.ApuestasReducidas) * 19);
        EXPECT_GT(estado.Red.ApuestasReducidas, 0);
    }
    EXPECT_TRUE(metodos.contains(1) && metodos.contains(2) && metodos.contains(3));
    EXPECT_TRUE(plataforma.Avisos.isEmpty()) << plataforma.Avisos.join(u'\n').toStdString();
}
