#include "cli/linea_ordenes.h"
#include "core/datos_generales_tipo.h"
#include "reduction/bases_prueba.h"
#include "reduction/ordenes_reduccion.h"
#include "settings/datos_generales.h"
#include "support/carpeta_temporal.h"

#include <QFile>
#include <QLocale>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <thread>
#include <unistd.h>

using namespace quiniela;
using namespace quiniela::prueba;

namespace {

struct Linea {
    int estado = 0;
    QString out;
    QString err;
};

class OrdenesReduccion : public testing::Test {
protected:
    void SetUp() override {
        anterior_ = QLocale();
        QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
        carpeta.Escribe(QStringLiteral("BASES.ZPK"), QByteArray());
        carpeta.Escribe(QStringLiteral("DATOSGEN.ZPK"), LineaDatosGenerales(DatosGenerales{}));
    }
    void TearDown() override { QLocale::setDefault(anterior_); }

    Linea Ejecuta(QStringList args) {
        args.prepend(carpeta.Ruta());
        args.prepend(QStringLiteral("--datos"));
        args.prepend(QStringLiteral("quiniela-cli"));
        Linea l;
        QTextStream out(&l.out);
        QTextStream err(&l.err);
        l.estado = EjecutaLineaOrdenes(args, out, err);
        return l;
    }

    QStringList Registros() const {
        QStringList r;
        for (const QByteArray& l : carpeta.Lee(QStringLiteral("BASES.ZPK")).split('\n'))
            if (!l.isEmpty())
                r << QString::fromLatin1(l.chopped(1));
        return r;
    }

    CarpetaTemporal carpeta;

private:
    QLocale anterior_;
};

const QString Base = QStringLiteral("1X2*=1 12*=2 X2*=X 1X 1 1 1 1 1 1 1 1 1 1 12");

QStringList Reducir(const QString& base, const QString& metodo, const QStringList& mas = {}) {
    return QStringList{QStringLiteral("reducir"),
                       QStringLiteral("--jornada"),
                       QStringLiteral("7"),
                       QStringLiteral("--orden"),
                       QStringLiteral("3"),
                       QStringLiteral("--metodo"),
                       metodo,
                       QStringLiteral("--base"),
                       base} +
           mas;
}

} // namespace

TEST_F(OrdenesReduccion, ReducirEscribeRED0703YSuRegistro) {
    const Linea l = Ejecuta(Reducir(Base, QStringLiteral("probable"),
                                    {QStringLiteral("--errores"), QStringLiteral("1-2"),
                                     QStringLiteral("--descripcion"), QStringLiteral(" Prueba ")}));
    ASSERT_EQ(l.estado, 0) << l.err.toStdString();
    Reduccion red = BaseDeFichas(Base.split(u' '), MetodoColumnaProbable);
    red.MinErrores = 1;
    red.MaxErrores = 2;
    const QStringList esperado = ReduccionDeReferencia(red);
    QByteArray bytes;
    for (const QString& c : esperado)
        bytes += '"' + c.toLatin1() + "\"\r\n";
    EXPECT_EQ(carpeta.Lee(QStringLiteral("RED0703.ZPK")), bytes);
    const QStringList registros = Registros();
    ASSERT_EQ(registros.size(), 1);
    EXPECT_EQ(registros.at(0).left(4), QStringLiteral("0703"));
    EXPECT_EQ(registros.at(0).size(), 230);
    EXPECT_TRUE(registros.at(0).endsWith(QStringLiteral("Prueba") + QString(30, u' ')));
    // 48 columnas, la columna probable con 3 elegidos: C(1,1)2 + C(2,1)... = 2+2+ (1-2 errores)
    EXPECT_EQ(l.out, QStringLiteral("Ha finalizado el proceso de reducción\n"
                                    "RED0703.ZPK: %1 columnas\n"
                                    "48 apuestas reducidas a %1\n"
                                    "Factor de  reducción.....: %2\n"
                                    "Errores permitidos.........: De 1 a 2\n"
                                    "Importe reducidas.........: %3 €\n"
                                    "Posibilidades cubiertas.: %4 %\n")
                         .arg(esperado.size())
                         .arg(QLocale().toString(48.0 / esperado.size(), 'f', 2))
                         .arg(QLocale().toString(esperado.size() * 0.5, 'f', 2))
                         .arg(QLocale().toString(esperado.size() * 100.0 / 48, 'f', 2)));
}

TEST_F(OrdenesReduccion, EstadosDeSalida) {
    // Comprobación fallida: 2, con título y texto en stderr.
    Linea l = Ejecuta(Reducir(Base, QStringLiteral("probable"),
                              {QStringLiteral("--errores"), QStringLiteral("3-1")}));
    EXPECT_EQ(l.estado, SalidaComprobacionFallida);
    EXPECT_TRUE(l.err.startsWith(QStringLiteral("NO CONCUERDAN LOS ERRORES PERMITIDOS\n")));
    l = Ejecuta(Reducir(Base, QStringLiteral("signos"),
                        {QStringLiteral("--totales"), QStringLiteral("1:0-3 2:1,3-4")}));
    EXPECT_EQ(l.estado, SalidaComprobacionFallida);
    EXPECT_TRUE(l.err.startsWith(QStringLiteral("ERROR EN TOTALES DE CADA SIGNO\n")));
    EXPECT_FALSE(carpeta.Existe(QStringLiteral("RED0703.ZPK")));
    EXPECT_TRUE(Registros().isEmpty());

    // Primera vez bien; la segunda sin --reemplazar: 3; con --reemplazar: 0.
    l = Ejecuta(Reducir(Base, QStringLiteral("directo")));
    ASSERT_EQ(l.estado, 0) << l.err.toStdString();
    const QByteArray primera = carpeta.Lee(QStringLiteral("RED0703.ZPK"));
    l = Ejecuta(Reducir(Base, QStringLiteral("signos"),
                        {QStringLiteral("--totales"), QStringLiteral("1:0-3 x:0-3 2:0-3")}));
    EXPECT_EQ(l.estado, SalidaReduccionExiste);
    EXPECT_TRUE(l.err.startsWith(QStringLiteral("REDUCCIÓN YA EXISTE\n")));
    EXPECT_EQ(carpeta.Lee(QStringLiteral("RED0703.ZPK")), primera);
    l = Ejecuta(Reducir(Base, QStringLiteral("signos"),
                        {QStringLiteral("--totales"), QStringLiteral("1:0-3 x:0-3 2:0-3"),
                         QStringLiteral("--reemplazar")}));
    EXPECT_EQ(l.estado, 0) << l.err.toStdString();
    EXPECT_EQ(carpeta.Lee(QStringLiteral("RED0703.ZPK")).size(), 48 * 19);
    ASSERT_EQ(Registros().size(), 1);
    EXPECT_EQ(Registros().at(0).at(4), u'3');

    // Mal escrito: 1, sin tocar nada.
    for (const QString& mala : {QStringLiteral("1* 12*=2 X2*=X 1X 1 1 1 1 1 1 1 1 1 1 12"),
                                QStringLiteral("1X2*=1 12*=2 X2*=X 1X 1 1 1 1 1 1 1 1 1 1 12*"),
                                QStringLiteral("1X2*=1 12*=X X2*=X 1X 1 1 1 1 1 1 1 1 1 1 12"),
                                QStringLiteral("1X2*=1 12*=2 X2*=X 1X 1 1 1 1 1 1 1 1 1 1"),
                                QStringLiteral("1X2*=1 11*=2 X2*=X 1X 1 1 1 1 1 1 1 1 1 1 12"),
                                QStringLiteral("1X2*=1 12*=2 X2=X* 1X 1 1 1 1 1 1 1 1 1 1 12")}) {
        l = Ejecuta(Reducir(mala, QStringLiteral("directo"), {QStringLiteral("--reemplazar")}));
        EXPECT_EQ(l.estado, 1) << mala.toStdString();
        EXPECT_FALSE(l.err.isEmpty());
    }
    EXPECT_EQ(Ejecuta(Reducir(Base, QStringLiteral("rapido"))).estado, 1);
    EXPECT_EQ(Ejecuta(Reducir(Base, QStringLiteral("signos"),
                              {QStringLiteral("--totales"), QStringLiteral("1:3-2")}))
                  .estado,
              1);
    EXPECT_EQ(Ejecuta(Reducir(Base, QStringLiteral("probable"),
                              {QStringLiteral("--errores"), QStringLiteral("15-1")}))
                  .estado,
              1);
    EXPECT_EQ(Ejecuta({QStringLiteral("reducir"), QStringLiteral("--jornada"), QStringLiteral("7"),
                       QStringLiteral("--orden"), QStringLiteral("31"), QStringLiteral("--metodo"),
                       QStringLiteral("directo"), QStringLiteral("--base"), Base})
                  .estado,
              1);
    EXPECT_EQ(carpeta.Lee(QStringLiteral("RED0703.ZPK")).size(), 48 * 19);
}

TEST_F(OrdenesReduccion, ProbableEnUnMultipleSinElegirNoCuentaErrores) {
    // Doble elegido con probable "1" y doble sin elegir que conserva un probable "1".
    const QString base = QStringLiteral("1X*=1 12=1 1 1 1 1 1 1 1 1 1 1 1 1 1");
    Linea l = Ejecuta({QStringLiteral("estadisticas"), QStringLiteral("--metodo"),
                       QStringLiteral("probable"), QStringLiteral("--base"), base,
                       QStringLiteral("--errores"), QStringLiteral("0-0")});
    ASSERT_EQ(l.estado, 0);
    EXPECT_TRUE(l.out.contains(QStringLiteral("Apuest. aceptadas...: 2\n"))) << l.out.toStdString();
    l = Ejecuta(Reducir(base, QStringLiteral("probable"),
                        {QStringLiteral("--errores"), QStringLiteral("0-0")}));
    ASSERT_EQ(l.estado, 0) << l.err.toStdString();
    EXPECT_EQ(carpeta.Lee(QStringLiteral("RED0703.ZPK")),
              QByteArray("\"111111111111111\"\r\n\"121111111111111\"\r\n"));
    EXPECT_EQ(Registros().at(0).mid(21, 8), QStringLiteral("       2"));
}

TEST_F(OrdenesReduccion, EstadisticasMuestraElPanelYLaComprobacion) {
    const Linea l = Ejecuta({QStringLiteral("estadisticas"), QStringLiteral("--metodo"),
                             QStringLiteral("directo"), QStringLiteral("--base"),
                             QStringLiteral("1X2* 1X2* 1X2* 1X2* 1 1 1 1 1 1 1 1 1 1 1")});
    ASSERT_EQ(l.estado, 0);
    EXPECT_EQ(l.out, QStringLiteral("Partidos a doble....: 0\n"
                                    "Partidos a triple...: 4\n"
                                    "Total múltiples.....: 4\n"
                                    "Apuest. directas....: 81\n"
                                    "\n"
                                    "Dobles a reducir....: 0\n"
                                    "Triples a reducir...: 4\n"
                                    "Múltiples a reducir.: 4\n"
                                    "Apuest. aceptadas...: 9\n"
                                    "Apuest. excluidas...: 72\n"
                                    "\n"
                                    "Importe total.......: 40,50 €\n"
                                    "Importe reducidas...: 4,50 €\n"
                                    "\n"
                                    "Factor reducción....: 9,00\n"
                                    "Probab. 14 aciertos.: 11,11 %\n"
                                    "Probab. 13 aciertos.: 88,89 %\n"));
    const Linea m = Ejecuta({QStringLiteral("estadisticas"), QStringLiteral("--metodo"),
                             QStringLiteral("signos"), QStringLiteral("--base"),
                             QStringLiteral("1X2 1 1 1 1 1 1 1 1 1 1 1 1 1 1")});
    ASSERT_EQ(m.estado, 0);
    EXPECT_TRUE(m.out.endsWith(QStringLiteral("\n\nERROR EN TOTALES DE CADA SIGNO\nTiene que "
                                              "marcar como mínimo un valor en cada una de las "
                                              "tres columnas que indican el total de signos 1, "
                                              "X y 2 que deben tener las apuestas reducidas.\n")));
}

namespace {
std::atomic<int> SenalesPerdidas{0};
extern "C" void SenalPerdida(int) {
    ++SenalesPerdidas;
}
} // namespace

TEST_F(OrdenesReduccion, CtrlCCancelaComoElBotonDelPanel) {
    // Si la señal llegara fuera de la reducción la recoge este manejador, no mata la prueba.
    auto anterior = std::signal(SIGINT, SenalPerdida);
    const QString ruta = carpeta.Ruta(QStringLiteral("RED0703.ZPK"));
    std::atomic<bool> fin{false};
    std::thread interruptor([&] {
        while (!fin && !QFile::exists(ruta))
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        if (!fin)
            kill(getpid(), SIGINT);
    });
    const QString todo = QStringLiteral("1X2*=1 1X2*=1 1X2*=1 1X2*=1 1X2*=1 1X2*=1 1X2*=1 1X2*=1 "
                                        "1X2*=1 1X2*=1 1X2*=1 1X2*=1 1X2*=1 1X2*=1 1X2");
    const Linea l = Ejecuta(Reducir(todo, QStringLiteral("probable"),
                                    {QStringLiteral("--errores"), QStringLiteral("0-14")}));
    fin = true;
    interruptor.join();
    std::signal(SIGINT, anterior);
    EXPECT_EQ(SenalesPerdidas.load(), 0);
    EXPECT_EQ(l.estado, SalidaCancelada);
    EXPECT_EQ(l.err, QStringLiteral("El proceso de reducción ha sido cancelado\n"));
    EXPECT_FALSE(carpeta.Existe(QStringLiteral("RED0703.ZPK")));
    EXPECT_EQ(Registros(), QStringList{QStringLiteral("0000") + QString(226, u' ')});
}
