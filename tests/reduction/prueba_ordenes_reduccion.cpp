// quiniela-cli en proceso y, para matarlo a mitad o correr dos a la vez, el compilado.
#include "core/escritura.h"
#include "reduction/bases_prueba.h"
#include "reduction/cambios_pendientes.h"
#include "settings/datos_generales.h"
#include "support/linea_cli.h"
#include "support/locale_espanol.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <gtest/gtest.h>

#include <atomic>
#include <csignal>
#include <thread>
#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace quiniela;
using namespace quiniela::prueba;

namespace {

const QString Base = u"1X2*=1 12*=2 X2*=X 1X 1 1 1 1 1 1 1 1 1 1 12"_s;

class OrdenesReduccion : public testing::Test {
protected:
    void SetUp() override {
        carpeta.Escribe(u"BASES.ZPK"_s, QByteArray());
        carpeta.Escribe(u"DATOSGEN.ZPK"_s, LineaDatosGenerales(DatosGenerales{}));
    }
    static QStringList Args(const QString& base, const QString& metodo, int jornada = 7,
                            int orden = 3) {
        return u"reducir --jornada %1 --orden %2 --metodo %3 --base"_s.arg(jornada)
                   .arg(orden)
                   .arg(metodo)
                   .split(u' ') +
               QStringList{base};
    }
    Linea Ejecuta(const QStringList& args) { return EjecutaCli(carpeta, args); }
    Linea Reducir(const QString& base, const QString& metodo, const QStringList& mas = {}) {
        return Ejecuta(Args(base, metodo) + mas);
    }
    // Para el quiniela-cli compilado, en la jornada indicada, orden 1.
    QStringList Proceso(int jornada, const QString& base, const QString& metodo) const {
        return QStringList{u"--datos"_s, carpeta.Ruta()} + Args(base, metodo, jornada, 1) +
               QStringList{u"--reemplazar"_s};
    }
    QByteArray Columnas() const { return carpeta.Lee(u"RED0703.ZPK"_s); }

    CarpetaTemporal carpeta;
    LocaleEspanol regional;
};

} // namespace

TEST_F(OrdenesReduccion, ReducirEscribeRED0703YSuRegistro) {
    // Los totales no son de este método: se leen y la reducción los borra.
    const Linea l = Reducir(Base, u"probable"_s,
                            {u"--errores"_s, u"1-2"_s, u"--totales"_s, u"1:2 x:0"_s,
                             u"--descripcion"_s, u" Prueba "_s});
    ASSERT_EQ(l.Estado, 0) << l.Err.toStdString();
    Reduccion red = BaseDeFichas(Base, MetodoColumnaProbable);
    red.MinErrores = 1;
    red.MaxErrores = 2;
    EXPECT_EQ(Columnas(), LineasColumnas(ReduccionDeReferencia(red)));
    // Errores 1 y 2, 48 y 36 columnas, los cinco múltiples, totales a 0 y la descripción.
    EXPECT_EQ(RegistrosBases(carpeta),
              QStringList{u"07032 1 2          48      36"_s + u"111311101213011212110200"_s +
                          u"100100"_s.repeated(10) + u"101200 "_s + QString(45, u'0') +
                          QString(29, u' ') + u"Prueba"_s + QString(30, u' ')});
    EXPECT_EQ(l.Out, u"Ha finalizado el proceso de reducción\n"
                     "RED0703.ZPK: 36 columnas\n"
                     "48 apuestas reducidas a 36\n"
                     "Factor de  reducción.....: 1,33\n"
                     "Errores permitidos.........: De 1 a 2\n"
                     "Importe reducidas.........: 18,00 €\n"
                     "Posibilidades cubiertas.: 75,00 %\n"_s);
}

TEST_F(OrdenesReduccion, EstadosDeSalida) {
    // Comprobación fallida: 2, con título y texto en stderr y nada escrito.
    Linea l = Reducir(Base, u"probable"_s, {u"--errores"_s, u"3-1"_s});
    EXPECT_EQ(l.Estado, 2);
    EXPECT_TRUE(l.Err.startsWith(u"NO CONCUERDAN LOS ERRORES PERMITIDOS\n"_s));
    EXPECT_FALSE(carpeta.Existe(u"RED0703.ZPK"_s));
    EXPECT_TRUE(RegistrosBases(carpeta).isEmpty());

    // Primera vez bien; la segunda sin --reemplazar: 3 sin tocar nada; con --reemplazar: 0,
    // en el mismo registro y con el fichero truncado (de 48 columnas a 12).
    ASSERT_EQ(Reducir(Base, u"signos"_s, {u"--totales"_s, u"1:0-3 x:0-3 2:0-3"_s}).Estado, 0);
    const QByteArray primera = Columnas();
    ASSERT_EQ(primera.size(), 48 * 19);
    l = Reducir(Base, u"directo"_s);
    EXPECT_EQ(l.Estado, 3);
    EXPECT_TRUE(l.Err.startsWith(u"REDUCCIÓN YA EXISTE\n"_s));
    EXPECT_EQ(Columnas(), primera);
    EXPECT_EQ(Reducir(Base, u"directo"_s, {u"--reemplazar"_s}).Estado, 0);
    EXPECT_EQ(Columnas().size(), 12 * 19);
    EXPECT_EQ(RegistrosBases(carpeta).value(0).left(5), u"07031"_s);

    // Mal escrito: 1, sin tocar nada.
    const std::vector<QStringList> malas{
        Args(u"1* 12*=2 X2*=X 1X 1 1 1 1 1 1 1 1 1 1 12"_s, u"directo"_s),
        Args(u"1X2*=1 12*=2 X2*=X 1X 1 1 1 1 1 1 1 1 1 1 12*"_s, u"directo"_s),
        Args(u"1X2*=1 12*=X X2*=X 1X 1 1 1 1 1 1 1 1 1 1 12"_s, u"directo"_s),
        Args(u"1X2*=1 12*=2 X2*=X 1X 1 1 1 1 1 1 1 1 1 1"_s, u"directo"_s),
        Args(u"1X2*=1 11*=2 X2*=X 1X 1 1 1 1 1 1 1 1 1 1 12"_s, u"directo"_s),
        Args(Base, u"rapido"_s),
        Args(Base, u"probable"_s) << u"--errores"_s << u"15-1"_s,
        Args(Base, u"directo"_s, 7, 31),
    };
    for (const QStringList& args : malas) {
        l = Ejecuta(args + QStringList{u"--reemplazar"_s});
        EXPECT_EQ(l.Estado, 1) << args.join(u' ').toStdString();
        EXPECT_FALSE(l.Err.isEmpty());
    }
    EXPECT_EQ(Columnas().size(), 12 * 19);

    // Sin sitio para escribir: estado 1 y el mensaje del fallo.
    ConLimiteDeFichero(19 * 4, [&] { l = Reducir(Base, u"directo"_s, {u"--reemplazar"_s}); });
    EXPECT_EQ(l.Estado, 1);
    EXPECT_TRUE(l.Err.startsWith(u"ERROR AL GRABAR LA REDUCCIÓN\n"_s)) << l.Err.toStdString();
}

TEST_F(OrdenesReduccion, EstadisticasMuestraElPanelYLaComprobacion) {
    const Linea l = Ejecuta({u"estadisticas"_s, u"--metodo"_s, u"directo"_s, u"--base"_s,
                             u"1X2* 1X2* 1X2* 1X2* 1 1 1 1 1 1 1 1 1 1 1"_s});
    QFile esperado(
        QStringLiteral(QUINIELA_FUENTES "/tests/datos/reduction/estadisticas_directo.txt"));
    ASSERT_TRUE(esperado.open(QIODevice::ReadOnly));
    EXPECT_EQ(l.Estado, 0);
    EXPECT_EQ(l.Out, QString::fromUtf8(esperado.readAll()));
    const Linea m = Ejecuta({u"estadisticas"_s, u"--metodo"_s, u"signos"_s, u"--base"_s,
                             u"1X2 1 1 1 1 1 1 1 1 1 1 1 1 1 1"_s});
    EXPECT_EQ(m.Estado, 0);
    // El texto de la comprobación tiene su prueba; aquí, que va tras el panel.
    EXPECT_TRUE(m.Out.contains(u"\n\nERROR EN TOTALES DE CADA SIGNO\nTiene que marcar"_s));
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
    const QString ruta = RutaTemporalEscritura(RutaColumnasNuevas(carpeta.Ruta(u"RED0703.ZPK"_s)));
    std::atomic<bool> fin{false};
    std::thread interruptor([&] {
        while (!fin && !QFile::exists(ruta))
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        if (!fin)
            kill(getpid(), SIGINT);
    });
    const Linea l =
        Reducir(u"1X2*=1 "_s.repeated(14) + u"1X2"_s, u"probable"_s, {u"--errores"_s, u"0-14"_s});
    fin = true;
    interruptor.join();
    std::signal(SIGINT, anterior);
    EXPECT_EQ(SenalesPerdidas.load(), 0);
    EXPECT_EQ(l.Estado, 130);
    EXPECT_EQ(l.Err, u"El proceso de reducción ha sido cancelado\n"_s);
    EXPECT_FALSE(carpeta.Existe(u"RED0703.ZPK"_s));
    EXPECT_FALSE(QFile::exists(ruta));
}

TEST_F(OrdenesReduccion, TextoQueLosFicherosNoGuardanNoSeGuarda) {
    // Las reglas del texto tienen su prueba; aquí, que la orden las aplica y no escribe nada.
    struct Caso {
        QStringList Args;
        QString Mensaje;
    };
    const Caso casos[] = {
        {{u"--descripcion"_s, u"Peña ñandú 😀🎉 €"_s},
         u"La descripción no se puede guardar: «😀» no existe en la codificación"_s},
        {{u"--descripcion"_s, u"--reemplazar"_s},
         u"Falta el valor de --descripcion: en su lugar viene la opción --reemplazar. No se ha "
         u"hecho nada.\n"_s},
        {{u"--descripcion"_s}, u"Falta el valor de --descripcion. No se ha hecho nada.\n"_s},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.Args.join(u' ').toStdString());
        const Linea l = Reducir(Base, u"probable"_s, c.Args);
        EXPECT_NE(l.Estado, 0);
        EXPECT_TRUE(l.Err.contains(c.Mensaje)) << l.Err.toStdString();
        EXPECT_EQ(carpeta.Lee(u"BASES.ZPK"_s), QByteArray());
        EXPECT_FALSE(carpeta.Existe(u"RED0703.ZPK"_s));
    }
    const Linea bien = Reducir(Base, u"probable"_s, {u"--descripcion"_s, u"Peña ñandú €"_s});
    ASSERT_EQ(bien.Estado, 0) << bien.Err.toStdString();
    // Un byte por carácter en Windows-1252, y los 30 blancos del final del registro.
    EXPECT_TRUE(carpeta.Lee(u"BASES.ZPK"_s)
                    .contains("Pe\361a \361and\372 \200" + QByteArray(30, ' ') + "\r\n"));

    const Linea l = EjecutaCli(
        carpeta, {u"jornada"_s, u"2"_s, u"--partido"_s, u"1"_s, u"Betis 🎉"_s, u"Sevilla"_s});
    EXPECT_EQ(l.Estado, 1);
    EXPECT_TRUE(l.Err.startsWith(u"El equipo no se puede guardar: «🎉»"_s)) << l.Err.toStdString();
    EXPECT_FALSE(carpeta.Existe(u"JORNADAS.ZPK"_s) &&
                 carpeta.Lee(u"JORNADAS.ZPK"_s).contains("Betis"));
}

TEST_F(OrdenesReduccion, IndiceIlegibleYSalidaQueNoSePuedeEscribirDanEstado1ConSuCausa) {
    // Una salida que no se puede escribir no se calla.
    QFile lleno(u"/dev/full"_s);
    ASSERT_TRUE(lleno.open(QIODevice::WriteOnly));
    QTextStream out(&lleno);
    QString textoErr;
    QTextStream err(&textoErr);
    const int estado = EjecutaLineaOrdenes(
        {u"quiniela-cli"_s, u"--datos"_s, carpeta.Ruta(), u"historial"_s}, out, err);
    EXPECT_EQ(estado, 1);
    EXPECT_EQ(
        textoErr,
        u"No se ha podido escribir la salida de la orden: el disco está lleno (error 61).\n"_s);

    // Un índice que es una carpeta no se puede abrir: el error 75 de siempre, en palabras.
    QFile::remove(carpeta.Ruta(u"BASES.ZPK"_s));
    ASSERT_TRUE(QDir(carpeta.Ruta()).mkdir(u"BASES.ZPK"_s));
    const Linea l = Reducir(Base, u"probable"_s);
    EXPECT_EQ(l.Estado, 1);
    EXPECT_EQ(l.Err.count(u"EEB ERROR 75"_s), 1) << l.Err.toStdString();
    EXPECT_TRUE(l.Err.contains(u"No se ha podido leer el índice BASES.ZPK: no hay permiso "
                               u"(error 75). La reducción no se ha efectuado."_s));
    EXPECT_FALSE(QFile::exists(carpeta.Ruta(u"RED0703.ZPK"_s)));

    const Linea h = EjecutaCli(carpeta, {u"historial"_s});
    EXPECT_EQ(h.Estado, 1);
    EXPECT_TRUE(h.Err.startsWith(u"LFB ERROR 75"_s));
}

namespace {
// Cada registro del índice tiene su fichero de columnas entero: 19 bytes por aceptada.
void CompruebaIndiceYFicheros(const CarpetaTemporal& c) {
    for (const QString& registro : RegistrosBases(c)) {
        SCOPED_TRACE(registro.left(30).toStdString());
        const QString nombre = u"RED"_s + registro.left(4) + u".ZPK"_s;
        ASSERT_TRUE(c.Existe(nombre));
        EXPECT_EQ(c.Lee(nombre).size(), 19 * registro.mid(21, 8).trimmed().toLongLong());
    }
}
const QString Cli = QStringLiteral(QUINIELA_CLI);
} // namespace

TEST_F(OrdenesReduccion, MatarUnaReduccionNuncaDejaUnRegistroSinSuFichero) {
    // Primero una reducción guardada de la misma clave: matar la sustituta la deja o la
    // sustituye, nunca un registro con las cuentas de otro fichero.
    ASSERT_EQ(QProcess::execute(Cli, Proceso(7, Base, u"probable"_s)), 0);
    const QByteArray anterior = carpeta.Lee(u"RED0701.ZPK"_s);
    for (const int ms : {0, 30, 150, 400, 900, 1500}) {
        SCOPED_TRACE(ms);
        QProcess cli;
        cli.start(Cli, Proceso(7, u"1X2 "_s.repeated(14) + u"1X2"_s, u"signos"_s));
        ASSERT_TRUE(cli.waitForStarted());
        QThread::msleep(ms);
        ::kill(static_cast<pid_t>(cli.processId()), SIGKILL);
        cli.waitForFinished();
        // El siguiente arranque termina o deshace la sustitución y borra los temporales.
        ASSERT_EQ(Ejecuta({u"historial"_s}).Estado, 0);
        CompruebaIndiceYFicheros(carpeta);
        if (RegistrosBases(carpeta).value(0).startsWith(u"07012"_s)) {
            EXPECT_EQ(carpeta.Lee(u"RED0701.ZPK"_s), anterior) << "la anterior, intacta";
        }
        EXPECT_EQ(QDir(carpeta.Ruta()).entryList({u"*.tmp"_s, u"*.nuevo"_s, u"PENDIENT.ZPK"_s}),
                  QStringList());
    }
}

TEST_F(OrdenesReduccion, DosReduccionesALaVezConservanAmbosRegistros) {
    for (int vuelta = 0; vuelta < 100; ++vuelta) {
        SCOPED_TRACE(vuelta);
        carpeta.Escribe(u"BASES.ZPK"_s, QByteArray());
        QProcess a;
        QProcess b;
        a.start(Cli, Proceso(1, Base, u"probable"_s));
        b.start(Cli, Proceso(2, Base, u"probable"_s));
        ASSERT_TRUE(a.waitForFinished() && b.waitForFinished());
        ASSERT_EQ(a.exitCode() + b.exitCode(), 0)
            << a.readAllStandardError().toStdString() << b.readAllStandardError().toStdString();
        const QStringList indice = RegistrosBases(carpeta);
        ASSERT_EQ(indice.size(), 2);
        EXPECT_NE(indice.at(0).left(4), indice.at(1).left(4));
        CompruebaIndiceYFicheros(carpeta);
    }
}
