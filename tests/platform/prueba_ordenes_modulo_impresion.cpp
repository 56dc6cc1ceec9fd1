// quiniela-cli compilado y su módulo de impresión: las órdenes que dibujan lo cargan y
// escriben el PDF; sin el módulo fallan con su motivo y sin tocar nada; las demás órdenes no
// arrastran las bibliotecas gráficas.
#include "support/carpeta_temporal.h"
#include "support/datos_distribuidos.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace quiniela;
using namespace quiniela::prueba;

namespace {

struct Salida {
    int estado = -1;
    QString out;
    QString err;
};

// Un proceso colgado es un fallo, no una prueba que no acaba.
Salida Lanza(const QString& programa, const QStringList& args) {
    QProcess p;
    p.start(programa, args);
    Salida s;
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished();
        ADD_FAILURE() << "no acaba: " << args.join(u' ').toStdString();
        return s;
    }
    s.estado = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    s.out = QString::fromUtf8(p.readAllStandardOutput());
    s.err = QString::fromUtf8(p.readAllStandardError());
    return s;
}

QString TextoPdf(const QString& pdf) {
    return Lanza(u"pdftotext"_s, {u"-layout"_s, pdf, u"-"_s}).out;
}

struct OrdenQueDibuja {
    const char* nombre;
    QStringList args; // sin --datos; el PDF se añade al final
    const char* opcionPdf;
    QString textoEsperado;
};

const std::vector<OrdenQueDibuja>& OrdenesQueDibujan() {
    static const std::vector<OrdenQueDibuja> ordenes{
        {"datos basicos",
         {u"imprimir"_s, u"--jornada"_s, u"1"_s, u"--orden"_s, u"1"_s, u"--tipo"_s, u"datos"_s},
         "--pdf",
         u"JORNADA NRO."_s},
        {"relacion",
         {u"imprimir"_s, u"--jornada"_s, u"1"_s, u"--orden"_s, u"1"_s, u"--tipo"_s, u"relacion"_s},
         "--pdf",
         u"Página..: 1"_s},
        {"informe del escrutinio",
         {u"escrutar"_s, u"--jornada"_s, u"1"_s, u"--orden"_s, u"1"_s, u"--ganadora"_s,
          u"1X21X21X21X21X2"_s, u"--premios"_s, u"1000,100,10,5,2,1"_s},
         "--informe",
         u"Escrutinio de la jornada nro.   1"_s},
    };
    return ordenes;
}

class ModuloImpresion : public testing::Test {
protected:
    void SetUp() override { CopiaDatosDistribuidos(datos); }
    QStringList Args(const OrdenQueDibuja& o, const QString& pdf) const {
        return QStringList{u"--datos"_s, datos.Ruta()} + o.args +
               QStringList{QString::fromLatin1(o.opcionPdf), pdf};
    }
    CarpetaTemporal datos;
    CarpetaTemporal salida;
};

} // namespace

TEST_F(ModuloImpresion, LasOrdenesQueDibujanEscribenSuPdf) {
    for (const auto& o : OrdenesQueDibujan()) {
        SCOPED_TRACE(o.nombre);
        const QString pdf = salida.Ruta(QString::fromLatin1(o.nombre) + u".pdf"_s);
        const Salida s = Lanza(QStringLiteral(QUINIELA_CLI), Args(o, pdf));
        ASSERT_EQ(s.estado, 0) << s.err.toStdString();
        QFile fichero(pdf);
        ASSERT_TRUE(fichero.open(QIODevice::ReadOnly));
        EXPECT_EQ(fichero.read(5), "%PDF-");
        EXPECT_TRUE(TextoPdf(pdf).contains(o.textoEsperado)) << TextoPdf(pdf).toStdString();
    }
}

TEST_F(ModuloImpresion, SinElModuloNoSeHaceNadaYElMotivoSeDice) {
    // El ejecutable solo, en una carpeta sin su módulo ni la de instalación.
    CarpetaTemporal suelto;
    const QString cli = suelto.Ruta(u"quiniela-cli"_s);
    ASSERT_TRUE(QFile::copy(QStringLiteral(QUINIELA_CLI), cli));
    const auto antes = ContenidoCarpeta(datos);
    for (const auto& o : OrdenesQueDibujan()) {
        SCOPED_TRACE(o.nombre);
        const QString pdf = salida.Ruta(QString::fromLatin1(o.nombre) + u".pdf"_s);
        const Salida s = Lanza(cli, Args(o, pdf));
        EXPECT_EQ(s.estado, 1);
        EXPECT_TRUE(
            s.err.startsWith(u"No se puede cargar el módulo de impresión de quiniela-cli"_s))
            << s.err.toStdString();
        EXPECT_TRUE(s.err.contains(u"quiniela_impresion"_s)) << "dice qué fichero falta";
        EXPECT_FALSE(QFileInfo::exists(pdf));
    }
    // El escrutinio no llegó a guardar la ganadora ni los premios.
    EXPECT_EQ(ContenidoCarpeta(datos), antes);
    // Lo que no dibuja no necesita el módulo.
    const Salida historial = Lanza(cli, {u"--datos"_s, datos.Ruta(), u"historial"_s});
    EXPECT_EQ(historial.estado, 0) << historial.err.toStdString();
}

TEST_F(ModuloImpresion, ElEjecutableNoEnlazaLasBibliotecasGraficas) {
    const Salida ldd = Lanza(u"ldd"_s, {QStringLiteral(QUINIELA_CLI)});
    ASSERT_EQ(ldd.estado, 0) << ldd.err.toStdString();
    EXPECT_TRUE(ldd.out.contains(u"libQt6Core"_s)) << ldd.out.toStdString();
    for (const QString& grafica : {u"libQt6Gui"_s, u"libQt6Widgets"_s, u"libQt6PrintSupport"_s})
        EXPECT_FALSE(ldd.out.contains(grafica)) << grafica.toStdString();
}
