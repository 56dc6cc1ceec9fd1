// quiniela-cli compilado y su módulo de impresión: las órdenes que dibujan lo cargan y
// escriben el PDF; sin el módulo fallan con su motivo y sin tocar nada; las demás órdenes no
// arrastran las bibliotecas gráficas.
#include "support/carpeta_temporal.h"
#include "support/datos_distribuidos.h"
#include "support/linea_cli.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace quiniela;
using namespace quiniela::prueba;

namespace {

// Sin --datos; el PDF va tras la opción y el texto que ha de llevar.
struct OrdenQueDibuja {
    const char* Nombre;
    QString Args;
    QString TextoEsperado;
};
const OrdenQueDibuja OrdenesQueDibujan[] = {
    {"relacion", u"imprimir --jornada 1 --orden 1 --tipo relacion --pdf"_s, u"Página..: 1"_s},
    {"informe del escrutinio",
     u"escrutar --jornada 1 --orden 1 --ganadora 1X21X21X21X21X2 --premios 1000,100,10,5,2,1 "
     u"--informe"_s,
     u"Escrutinio de la jornada nro.   1"_s},
};

} // namespace

// Con el módulo (junto al ejecutable compilado) escriben su PDF; el ejecutable solo, en una
// carpeta sin su módulo ni la de instalación, no hace nada y dice qué falta.
TEST(ModuloImpresion, ConElModuloEscribenSuPdfYSinElNoHacenNada) {
    CarpetaTemporal datos;
    CarpetaTemporal salida;
    CarpetaTemporal suelto;
    CopiaDatosDistribuidos(datos);
    const QString cli = suelto.Ruta(u"quiniela-cli"_s);
    ASSERT_TRUE(QFile::copy(QStringLiteral(QUINIELA_CLI), cli));
    for (const auto& o : OrdenesQueDibujan) {
        SCOPED_TRACE(o.Nombre);
        const auto antes = ContenidoCarpeta(datos);
        const QString pdf = salida.Ruta(QString::fromLatin1(o.Nombre) + u".pdf"_s);
        const QStringList args =
            QStringList{u"--datos"_s, datos.Ruta()} + o.Args.split(u' ') + QStringList{pdf};
        const Linea sin = Lanza(cli, args);
        EXPECT_EQ(sin.Estado, 1);
        EXPECT_TRUE(
            sin.Err.startsWith(u"No se puede cargar el módulo de impresión de quiniela-cli"_s))
            << sin.Err.toStdString();
        EXPECT_TRUE(sin.Err.contains(u"quiniela_impresion"_s)) << "dice qué fichero falta";
        EXPECT_FALSE(QFileInfo::exists(pdf));
        // El escrutinio no llegó a guardar la ganadora ni los premios.
        EXPECT_EQ(ContenidoCarpeta(datos), antes);

        const Linea con = Lanza(QStringLiteral(QUINIELA_CLI), args);
        ASSERT_EQ(con.Estado, 0) << con.Err.toStdString();
        // Si no fuera un PDF, pdftotext no sacaría nada.
        const QString texto = Lanza(u"pdftotext"_s, {u"-layout"_s, pdf, u"-"_s}).Out;
        EXPECT_TRUE(texto.contains(o.TextoEsperado)) << texto.toStdString();
    }
    // Lo que no dibuja no necesita el módulo.
    const Linea historial = Lanza(cli, {u"--datos"_s, datos.Ruta(), u"historial"_s});
    EXPECT_EQ(historial.Estado, 0) << historial.Err.toStdString();
}

TEST(ModuloImpresion, ElEjecutableNoEnlazaLasBibliotecasGraficas) {
    const Linea ldd = Lanza(u"ldd"_s, {QStringLiteral(QUINIELA_CLI)});
    ASSERT_EQ(ldd.Estado, 0) << ldd.Err.toStdString();
    EXPECT_TRUE(ldd.Out.contains(u"libQt6Core"_s)) << ldd.Out.toStdString();
    for (const QString& grafica : {u"libQt6Gui"_s, u"libQt6Widgets"_s, u"libQt6PrintSupport"_s})
        EXPECT_FALSE(ldd.Out.contains(grafica)) << grafica.toStdString();
}
