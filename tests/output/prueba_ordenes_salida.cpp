// quiniela-cli exportar, imprimir y enviar: sus opciones, lo que escriben y dicen, sus estados
// de salida y Ctrl-C.
#include "core/datos_generales_tipo.h"
#include "output/cuenta_correo.h"
#include "output/impresora_apuntada.h"
#include "output/reduccion_prueba.h"
#include "settings/datos_generales.h"
#include "support/linea_cli.h"
#include "support/mime_prueba.h"
#include "support/transporte_falso.h"

#include <QDir>
#include <QFile>
#include <QSettings>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace quiniela;
using namespace quiniela::prueba;

namespace {

QStringList Exportar(const QString& formato, const QString& destino, int jornada = 7,
                     int orden = 3) {
    return {u"exportar"_s, u"--jornada"_s,         QString::number(jornada),
            u"--orden"_s,  QString::number(orden), u"--formato"_s,
            formato,       u"--destino"_s,         destino};
}

class OrdenExportar : public testing::Test {
protected:
    void SetUp() override {
        DatosGenerales d;
        d.CodigoDelegacion = u"28"_s;
        d.CodigoReceptor = u"12345"_s;
        datos.Escribe(u"DATOSGEN.ZPK"_s, LineaDatosGenerales(d));
    }
    CarpetaTemporal datos;
    CarpetaTemporal destino;
};

class OrdenImprimir : public testing::Test {
protected:
    void SetUp() override {
        InstalaCreadorImpresoraPdf([this](const QString& ruta) {
            dibujado.Ruta = ruta;
            return std::make_unique<ImpresoraApuntada>(dibujado);
        });
        DatosGenerales d;
        d.Orientacion = 2;
        d.MargenIzquierdo = {0, 10, 20};
        datos.Escribe(u"DATOSGEN.ZPK"_s, LineaDatosGenerales(d));
        EstadoGlobal estado = datos.Estado();
        GuardaReduccion(datos, estado, 7, 3, ColumnasPrueba(17));
    }
    void TearDown() override { InstalaCreadorImpresoraPdf(nullptr); }
    Linea Imprime(const QString& tipo, const QStringList& mas = {}) {
        return EjecutaCli(datos, QStringList{u"imprimir"_s, u"--jornada"_s, u"7"_s, u"--orden"_s,
                                             u"3"_s, u"--tipo"_s, tipo, u"--pdf"_s, u"x.pdf"_s} +
                                     mas);
    }
    CarpetaTemporal datos;
    Apuntes dibujado;
};

// Ajustes del usuario en una carpeta temporal; el transporte, uno falso que apunta lo enviado.
struct Enviar : testing::Test {
    CarpetaTemporal carpeta;
    CarpetaTemporal ajustes;
    TransporteFalso falso;
    Enviar() {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, ajustes.Ruta());
        InstalaCreadorTransporteCorreo(
            [this] { return std::make_unique<TransportePrestado>(falso); });
        EstadoGlobal estado = carpeta.Estado();
        GuardaReduccion(carpeta, estado, 3, 1, ColumnasPrueba(2));
    }
    ~Enviar() override { InstalaCreadorTransporteCorreo({}); }
    Linea Envia(const QStringList& extra) {
        return EjecutaCli(carpeta,
                          QStringList{u"enviar"_s, u"--jornada"_s, u"3"_s, u"--servidor"_s,
                                      u"127.0.0.1:25"_s, u"--remitente"_s, u"pena@example.com"_s} +
                              extra);
    }
};

} // namespace

TEST_F(OrdenExportar, DestinoCarpetaOArchivoYAvisoEnStderr) {
    datos.Escribe(u"RED0703.ZPK"_s, FicheroColumnas(ColumnasPrueba(17, u'1')));
    // Un índice que dice otra cuenta no cambia los boletos: cuentan las columnas del fichero.
    datos.Escribe(u"BASES.ZPK"_s, "07032 0 0          48    5761" + QByteArray(201, ' ') + "\r\n");
    const Linea l = EjecutaCli(datos, Exportar(u"ad243"_s, destino.Ruta()));
    ASSERT_EQ(l.Estado, 0) << l.Err.toStdString();
    const QString unidad = QDir::toNativeSeparators(QDir(destino.Ruta()).absolutePath());
    EXPECT_EQ(l.Out, u"Se está creando en la unidad "_s + unidad + u" el archivo AD243\n"_s +
                         u"Se ha copiado a la unidad "_s + unidad + u" el archivo AD243\n"_s +
                         u"17 columnas en 3 boletos\n"_s);
    EXPECT_TRUE(l.Err.startsWith(u"BOLETO INCOMPLETO\nCon esta reducción, hay 1 boleto "_s));
    // Los códigos de la agencia salen de DATOSGEN.ZPK: número de control 04.
    EXPECT_EQ(destino.Lee(u"AD243"_s).left(37),
              QByteArray("C01243070000002812345") + "000018" + "01" + "000003" + "04");

    EXPECT_EQ(EjecutaCli(datos, Exportar(u"TXT4"_s, destino.Ruta())).Err, QString());
    EXPECT_EQ(destino.Lee(u"Col0703.txt"_s), datos.Lee(u"RED0703.ZPK"_s));
    EXPECT_EQ(EjecutaCli(datos, Exportar(u"TXT1"_s, destino.Ruta(u"a.txt"_s))).Estado, 0);
    EXPECT_EQ(destino.Lee(u"a.txt"_s).size(), 17 * 15);
}

TEST_F(OrdenExportar, ErroresConMensajeYEstado1) {
    datos.Escribe(u"RED0703.ZPK"_s, FicheroColumnas(ColumnasPrueba(2, u'1')));
    const std::pair<QStringList, QString> casos[] = {
        {Exportar(u"TXT1"_s, destino.Ruta(), 7, 4),
         u"No existe la reducción de la jornada 7 con el orden 4: falta su fichero de columnas "
         "RED0704.ZPK.\n"_s},
        {Exportar(u"TXT1"_s, destino.Ruta(u"falta/x.txt"_s)),
         u"No se puede escribir "_s + destino.Ruta(u"falta/x.txt"_s) +
             u": no existe la carpeta "_s + destino.Ruta(u"falta"_s) + u".\n"_s},
        {Exportar(u"TXT1"_s, datos.Ruta(u"BASES.ZPK"_s)), u"NOMBRE DE ARCHIVO NO VÁLIDO\n"_s},
        {Exportar(u"TXT1"_s, u"/proc/AD243"_s),
         u"ERROR AL COPIAR\nNo se ha podido escribir el archivo /proc/AD243: "_s}};
    for (const auto& [args, err] : casos) {
        const Linea l = EjecutaCli(datos, args);
        EXPECT_EQ(l.Estado, 1);
        EXPECT_TRUE(l.Err.startsWith(err)) << l.Err.toStdString();
    }
    EXPECT_FALSE(datos.Existe(u"BASES.ZPK"_s)); // nunca se escribe sobre un fichero de datos
}

// 3^13 columnas: demasiadas para AD243; en TXT6, Ctrl-C deja el destino anterior idéntico.
TEST_F(OrdenExportar, ReduccionGrandeRechazadaEnAD243YCtrlC) {
    datos.Escribe(u"RED0703.ZPK"_s, QByteArray("\"1X21X21X21X21X1\"\r\n").repeated(1594323));
    const Linea ad243 = EjecutaCli(datos, Exportar(u"AD243"_s, destino.Ruta()));
    EXPECT_EQ(ad243.Estado, 1);
    // Los miles con punto, también los de cuatro cifras.
    EXPECT_TRUE(ad243.Err.startsWith(u"REDUCCIÓN DEMASIADO GRANDE\nLa reducción tiene "
                                     "1.594.323 columnas en 199.291 boletos"_s))
        << ad243.Err.toStdString();
    EXPECT_TRUE(QDir(destino.Ruta()).isEmpty());

    destino.Escribe(u"Col0703.txt"_s, "la de la semana pasada");
    // La orden pone su manejador; si no, la señal se pierde y la copia acaba bien.
    auto anterior = std::signal(SIGINT, SIG_IGN);
    std::atomic<bool> fin{false};
    std::thread interruptor([&] {
        // En cuanto empieza el fichero de boletos (su temporal aparece en la carpeta).
        while (!fin && QDir(datos.Ruta()).entryList({u"FORBOLW*"_s}, QDir::Files).isEmpty())
            std::this_thread::sleep_for(std::chrono::microseconds(100));
        if (!fin)
            kill(getpid(), SIGINT);
    });
    const Linea l = EjecutaCli(datos, Exportar(u"TXT6"_s, destino.Ruta()));
    fin = true;
    interruptor.join();
    std::signal(SIGINT, anterior);
    EXPECT_EQ(l.Estado, 130);
    EXPECT_EQ(destino.Lee(u"Col0703.txt"_s), "la de la semana pasada");
    EXPECT_EQ(QDir(destino.Ruta()).entryList(QDir::Files), QStringList{u"Col0703.txt"_s});
}

// Las seis reducciones distribuidas en los siete formatos: cada formato sale de las mismas
// columnas, y AD243 las agrupa en boletos de 8 que no mezclan el signo 15.
TEST_F(OrdenExportar, ReduccionesDistribuidasEnLosSieteFormatos) {
    const QString fuentes = QStringLiteral(QUINIELA_FUENTES) + u"/data/"_s;
    for (const QString& f : QDir(fuentes).entryList({u"*.ZPK"_s}, QDir::Files))
        QFile::copy(fuentes + f, datos.Ruta(f));
    const std::pair<int, int> reducciones[] = {{1, 1}, {1, 2}, {1, 3}, {3, 1}, {3, 2}, {4, 1}};
    for (const auto& [j, o] : reducciones) {
        const QByteArray red = datos.Lee(NombreFicheroApuestas(j, o));
        QByteArrayList cols, signos;
        for (qsizetype i = 0; i < red.size(); i += 19) {
            cols << red.mid(i + 1, 15);
            QByteArrayList s;
            for (char x : cols.last())
                s << '"' + QByteArray(1, x) + '"';
            signos << s.join(',');
        }
        const qsizetype n = cols.size();
        const std::pair<QString, QByteArray> esperados[] = {
            {u"TXT1"_s, cols.join()},
            {u"TXT2"_s, cols.join("\r\n") + "\r\n"},
            {u"TXT3"_s, '"' + cols.join("\",\"") + '"'},
            {u"TXT4"_s, red},
            {u"TXT5"_s, signos.join(',')},
            {u"TXT6"_s, signos.join("\r\n") + "\r\n"}};
        for (const auto& [formato, bytes] : esperados) {
            ASSERT_EQ(EjecutaCli(datos, Exportar(formato, destino.Ruta(u"s"_s), j, o)).Estado, 0);
            EXPECT_EQ(destino.Lee(u"s"_s), bytes) << j << o << formato.toStdString();
        }
        ASSERT_EQ(EjecutaCli(datos, Exportar(u"AD243"_s, destino.Ruta(u"s"_s), j, o)).Estado, 0);
        const QByteArray ad = destino.Lee(u"s"_s);
        ASSERT_EQ(ad.size() % 123, 0);
        qsizetype c = 0;
        for (qsizetype r = 123; r < ad.size(); r += 123) {
            const int cuenta = ad.at(r + 9) - '0';
            for (int k = 0; k < cuenta; ++k, ++c)
                ASSERT_EQ(ad.mid(r + 10 + 14 * k, 14), cols[c].left(14)) << j << o << c;
            EXPECT_EQ(ad.at(r + 122), cols[c - 1].at(14));
            EXPECT_TRUE(cuenta == 8 || c == n || cols[c].at(14) != cols[c - 1].at(14));
        }
        EXPECT_EQ(c, n);
        EXPECT_EQ(ad.mid(21, 6).toInt(), n); // ninguna trae un boleto de una sola columna
        EXPECT_EQ(ad.mid(29, 6).toInt(), ad.size() / 123 - 1);
    }
}

// Cada tipo imprime su documento; con una opción mala, estado 1 y nada impreso.
TEST_F(OrdenImprimir, CadaTipoImprimeSuDocumentoYConOpcionesMalasNada) {
    struct Caso {
        QString Tipo;
        QStringList Mas;
        QString Salida; // la de stdout, o parte de la de stderr si falla
        int Paginas;    // 0: falla
        int Rectangulos;
    } casos[] = {
        {u"datos"_s, {u"--copias"_s, u"2"_s}, u"2 copias impresas\n"_s, 2, 0},
        {u"boletos"_s, {u"--desde"_s, u"2"_s}, u"2 boletos impresos\n"_s, 2, -1},
        {u"boletos"_s, {u"--prueba"_s, u"--reverso"_s}, u"1 boleto impreso\n"_s, 1, 2 * 339 + 9},
        {u"relacion"_s, {u"--papel"_s, u"350"_s}, u"1 bloque impreso\n"_s, 1, 0},
        {u"continuo"_s, {u"--hasta"_s, u"99"_s}, u"3 boletos impresos\n"_s, 2, -1},
        {u"rejilla"_s, {}, u"Tipo desconocido"_s, 0, 0},
        {u"datos"_s, {u"--copias"_s, u"0"_s}, u"--copias va de 1 a 999"_s, 0, 0},
        {u"boletos"_s, {u"--copias"_s, u"2"_s}, u"--copias solo vale"_s, 0, 0},
        {u"relacion"_s, {u"--papel"_s, u"a3"_s}, u"--papel es a4 o 350"_s, 0, 0},
        {u"datos"_s, {u"--reverso"_s}, u"--orientacion y --reverso"_s, 0, 0},
        {u"datos"_s, {u"--otra"_s}, u"Argumento desconocido: --otra"_s, 0, 0}};
    for (const Caso& k : casos) {
        dibujado = {};
        const Linea l = Imprime(k.Tipo, k.Mas);
        const bool bien = k.Paginas > 0;
        SCOPED_TRACE(k.Salida.toStdString());
        EXPECT_EQ(l.Estado, bien ? 0 : 1) << l.Err.toStdString();
        EXPECT_TRUE(bien ? l.Out == k.Salida : l.Err.contains(k.Salida))
            << l.Out.toStdString() << l.Err.toStdString();
        EXPECT_EQ(dibujado.Ruta, bien ? u"x.pdf"_s : QString());
        EXPECT_EQ(int(dibujado.Paginas.size()), k.Paginas);
        if (k.Rectangulos >= 0) {
            EXPECT_EQ(dibujado.Rectangulos, k.Rectangulos);
        }
    }
    // El aviso de la columna sola de 17 columnas va a stderr con la impresión de boletos.
    EXPECT_TRUE(Imprime(u"boletos"_s).Err.startsWith(u"ÚLTIMO BOLETO INCOMPLETO\n"_s));
}

TEST_F(OrdenImprimir, CtrlCCancelaTrasElBoletoEnCurso) {
    dibujado.Interrumpe = true;
    const Linea l = Imprime(u"continuo"_s);
    EXPECT_EQ(l.Estado, 130);
    EXPECT_TRUE(l.Err.contains(u"Se ha cancelado la impresión"_s)) << l.Err.toStdString();
    EXPECT_EQ(dibujado.Textos, QStringList{u"1"_s}); // solo el primer boleto
    EXPECT_EQ(dibujado.Documentos, 1);               // y lo impreso sale
}

TEST_F(Enviar, ALasDireccionesGuardadasUnaLineaPorMensaje) {
    carpeta.Escribe(u"DIRECC.ZPK"_s, "ana@example.com\r\nmala\r\nluis@example.com\r\n");
    const Linea l = Envia({u"--orden"_s, u"1"_s, u"--columnas"_s, u"--seguridad"_s, u"ninguna"_s});
    EXPECT_EQ(l.Estado, 0) << l.Err.toStdString();
    EXPECT_EQ(l.Out, u"Enviado a ana@example.com (1 de 2)\nEnviado a luis@example.com (2 de 2)\n"
                     u"Se han enviado 2 mensajes\n"_s);
    EXPECT_TRUE(l.Err.contains(u"mala"_s));
    ASSERT_EQ(falso.Enviados.size(), 2u);
    EXPECT_EQ(falso.Cuenta.Remitente, u"pena@example.com"_s);
    EXPECT_EQ(falso.Cuenta.Seguridad, SeguridadCorreo::Ninguna);
    // Solo --columnas: el cuerpo no lleva los datos básicos.
    EXPECT_EQ(DecodificaMensaje(falso.Enviados[1].Mensaje).Cuerpo,
              u"Apuesta nro.    1  "_s + ColumnasPrueba(2)[0] + u"\r\nApuesta nro.    2  "_s +
                  ColumnasPrueba(2)[1] + u"\r\n"_s);
}

// Con usuario, la clave viene del entorno; cada fallo da estado 1 y dice por qué, y solo el del
// servidor llega a abrir sesión.
TEST_F(Enviar, ConUsuarioLaClaveVieneDelEntornoYCadaFalloDaEstado1) {
    const QStringList orden{u"--orden"_s,         u"1"_s,         u"--a"_s,
                            u"ana@example.com"_s, u"--usuario"_s, u"pena"_s};
    qputenv("QUINIELA_CLAVE_CORREO", "secreta");
    EXPECT_EQ(Envia(orden).Estado, 0);
    EXPECT_EQ(falso.Cuenta.Usuario, u"pena"_s);
    EXPECT_EQ(falso.Clave, u"secreta"_s);
    falso.FalloAbrir = {67, u"el servidor de correo no acepta el usuario o la clave de la cuenta"_s,
                        u"Login denied"_s, 535};
    const std::pair<QStringList, QString> fallos[] = {
        {orden, u"No se ha podido enviar el mensaje a ana@example.com: el servidor de correo no "
                u"acepta el usuario o la clave de la cuenta\nSe han enviado 0 de 1 mensaje.\n"
                u"(Login denied; error 67)\n"_s},
        {{u"--orden"_s, u"9"_s, u"--a"_s, u"ana@example.com"_s},
         u"No hay ninguna reducción guardada"_s},
        {{u"--orden"_s, u"1"_s, u"--a"_s, u"a@b@example.com"_s}, u"a@b@example.com"_s},
        {{u"--orden"_s, u"1"_s, u"--seguridad"_s, u"quiza"_s}, u"--seguridad"_s},
        {{u"--orden"_s, u"1"_s, u"--a"_s}, u"--a"_s}};
    for (const auto& [args, err] : fallos) {
        const Linea l = Envia(args);
        EXPECT_EQ(l.Estado, 1) << args.join(u' ').toStdString();
        EXPECT_TRUE(l.Err.contains(err)) << l.Err.toStdString();
    }
    qunsetenv("QUINIELA_CLAVE_CORREO");
    // Sin la variable y sin terminal no hay a quién preguntar la clave.
    const Linea sin = Envia(orden);
    EXPECT_EQ(sin.Estado, 1);
    EXPECT_TRUE(sin.Err.contains(u"QUINIELA_CLAVE_CORREO"_s));
    EXPECT_EQ(falso.Aperturas, 2);
}

// El máximo de la cuenta (guardado o con --maximo) para el mensaje antes de abrir sesión, con su
// tamaño en palabras; una dirección de megas en DIRECC.ZPK se cita cortada.
TEST_F(Enviar, MayorQueElMaximoNoSeEnviaYUnaLineaLargaSeCitaCortada) {
    EstadoGlobal estado = carpeta.Estado();
    GuardaReduccion(carpeta, estado, 3, 2, ColumnasPrueba(30000)); // 1,1 MB de columnas
    const QStringList orden{u"--orden"_s, u"2"_s, u"--a"_s, u"ana@example.com"_s};
    const QString aviso = u"El mensaje ocupa 1,1 MB y el máximo de la cuenta es 1 MB: no se ha "
                          u"enviado nada.\n"_s;
    EXPECT_EQ(Envia(orden).Estado, 0); // 20 MB por defecto
    Linea l;
    carpeta.Escribe(u"DIRECC.ZPK"_s, "ana@example.com\r\n" + QByteArray(2000000, 'x') + "\r\n");
    l = Envia({u"--orden"_s, u"2"_s});
    EXPECT_EQ(l.Estado, 0);
    EXPECT_LT(l.Err.size(), 1000);
    EXPECT_TRUE(l.Err.contains(QString(80, u'x') + u"…"_s)) << l.Err.left(300).toStdString();
    EXPECT_EQ(falso.Enviados.size(), 2u); // el de ana, antes y ahora
    l = Envia(orden + QStringList{u"--maximo"_s, u"1"_s});
    EXPECT_EQ(l.Estado, 1);
    EXPECT_TRUE(l.Err.contains(aviso)) << l.Err.toStdString();
    EXPECT_EQ(falso.Aperturas, 2);
    l = Envia(orden + QStringList{u"--maximo"_s, u"0"_s});
    EXPECT_EQ(l.Estado, 1);
    EXPECT_TRUE(l.Err.endsWith(u"\n--maximo va de 1 a 100000 (MB).\n"_s)) << l.Err.toStdString();
    // El de la cuenta guardada, en un fichero de ajustes de los de antes más la línea nueva.
    ajustes.Escribe(u"quiniela.conf"_s, "[correo]\nmaximo=1\nservidor=127.0.0.1\n");
    EXPECT_TRUE(Envia(orden).Err.contains(aviso));
    EXPECT_EQ(falso.Aperturas, 2);
}

// Sin memoria para lo que pide la orden (una lista de direcciones de 100 MB que leer como texto,
// con el espacio de direcciones limitado): estado 1 y un mensaje en español, no un aborto.
TEST_F(Enviar, SinMemoriaSaleConUnMensajeYNoAborta) {
    carpeta.Escribe(u"DIRECC.ZPK"_s, QByteArray(100 * 1000 * 1000, 'x'));
    const pid_t hijo = fork();
    if (hijo == 0) {
        QFile estado(u"/proc/self/status"_s);
        qint64 usado = 0;
        if (estado.open(QIODevice::ReadOnly))
            for (const QByteArray& linea : estado.readAll().split('\n'))
                if (linea.startsWith("VmSize:"))
                    usado = linea.mid(7).trimmed().split(' ').first().toLongLong() * 1024;
        // Cabe el fichero leído (100 MB), no su texto (200 MB más).
        const rlim_t limite = rlim_t(usado + 160 * 1000 * 1000);
        const rlimit espacio{limite, limite};
        if (usado == 0 || setrlimit(RLIMIT_AS, &espacio) != 0)
            _exit(20);
        const Linea l = Envia({u"--orden"_s, u"1"_s});
        _exit(l.Estado == 1 && l.Err.contains(u"No hay memoria suficiente para terminar la orden"_s)
                  ? 0
                  : 10);
    }
    ASSERT_GT(hijo, 0);
    int estado = 0;
    ASSERT_EQ(waitpid(hijo, &estado, 0), hijo);
    ASSERT_TRUE(WIFEXITED(estado)) << "el hijo murió por la señal " << WTERMSIG(estado);
    EXPECT_EQ(WEXITSTATUS(estado), 0);
    EXPECT_TRUE(falso.Enviados.empty());
}
