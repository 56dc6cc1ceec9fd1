// La tanda de correo entera contra un servidor SMTP de verdad en 127.0.0.1: lo que llega,
// después de deshacer el MIME, es el texto de la reducción; los fallos dejan lo enviado.
#include "output/datos_basicos.h"
#include "output/envio_correo.h"
#include "output/mensaje_correo.h"
#include "output/reduccion_prueba.h"
#include "platform/curl/transporte_curl.h"
#include "support/mime_prueba.h"
#include "support/servidor_smtp.h"

#include <QRegularExpression>
#include <QTimeZone>
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace quiniela;
using namespace quiniela::prueba;

namespace {

struct Tanda {
    CarpetaTemporal Carpeta;
    EstadoGlobal Estado = Carpeta.Estado();
    Tanda() { GuardaReduccion(Carpeta, Estado, 6, 2, ColumnasPrueba(20)); }

    ResultadoEnvio Envia(const ServidorSmtp& s, const PeticionCorreo& p, const QString& clave = {},
                         std::optional<CuentaCorreo> cuenta = std::nullopt) {
        const PreparacionCorreo preparada = PreparaEnvio(Estado, p, QLocale::c());
        TransporteCurl transporte(
            TiemposCorreo{std::chrono::milliseconds(3000), std::chrono::seconds(3)});
        return EjecutaEnvio(*preparada.Envio, cuenta.value_or(s.Cuenta()), clave, transporte, {});
    }
    QString TextoEsperado() const {
        QString texto =
            TextoDeLineas(LineasDatosBasicos(DatosBasicosDe(Estado, QLocale::c()), MonedaCorreo()));
        const QStringList c = ColumnasPrueba(20);
        for (int i = 0; i < c.size(); ++i)
            texto += u"Apuesta nro."_s + QString::number(i + 1).rightJustified(5) + u"  "_s + c[i] +
                     u"\r\n"_s;
        return texto;
    }
};

} // namespace

TEST(EnvioSmtp, DosDireccionesDosMensajesConElMismoTextoLasMalasNuncaYSinCasillasVacios) {
    Tanda t;
    ServidorSmtp servidor;
    ASSERT_TRUE(servidor.Escuchando()) << servidor.Error().toStdString();
    const ResultadoEnvio r =
        t.Envia(servidor, {{u"ana@example.com"_s, u"x@y.es\r\nRCPT TO:<intruso@example.com>"_s,
                            u"a,b@example.com"_s, u"a@b@example.com"_s, u" luis@example.com "_s},
                           true,
                           true});
    EXPECT_EQ(r.Enviados, 2);
    const auto recibidos = servidor.Mensajes();
    ASSERT_EQ(recibidos.size(), 2u);
    EXPECT_EQ(servidor.Conexiones(), 1);
    EXPECT_EQ(recibidos[0].Destinatarios, QStringList{u"ana@example.com"_s});
    EXPECT_EQ(recibidos[1].Destinatarios, QStringList{u"luis@example.com"_s});
    const MensajeDecodificado a = DecodificaMensaje(recibidos[0].Datos);
    const MensajeDecodificado b = DecodificaMensaje(recibidos[1].Datos);
    EXPECT_EQ(a.Para, u"ana@example.com"_s);
    EXPECT_EQ(a.Asunto, u"Datos de la jornada 6. Reducción nro. 2"_s);
    EXPECT_EQ(a.Asunto, b.Asunto);
    EXPECT_EQ(a.Cuerpo, t.TextoEsperado());
    EXPECT_EQ(a.Cuerpo, b.Cuerpo);

    // Sin ninguna elegida no hay ni conexión; sin casillas, los cuerpos van vacíos.
    EXPECT_EQ(t.Envia(servidor, {{}, true, true}).Enviados, 0);
    EXPECT_EQ(servidor.Conexiones(), 1);
    EXPECT_EQ(t.Envia(servidor, {{u"a@example.com"_s, u"b@example.com"_s}, false, false}).Enviados,
              2);
    ASSERT_EQ(servidor.Mensajes().size(), 4u);
    for (size_t i : {2, 3})
        EXPECT_EQ(DecodificaMensaje(servidor.Mensajes()[i].Datos).Cuerpo, QString()) << i;
}

TEST(EnvioSmtp, StartTlsConAutenticacionYCertificadoDeLaCuenta) {
    Tanda t;
    const CertificadoPrueba certificado = FabricaCertificado(t.Carpeta.Ruta());
    ASSERT_TRUE(certificado.Bien());
    ServidorSmtp servidor(OpcionesServidorSmtp()
                              .Cifrado(SeguridadCorreo::StartTls, certificado)
                              .Auth(u"pena"_s, u"clave ñ"_s));
    ASSERT_TRUE(servidor.Escuchando()) << servidor.Error().toStdString();
    const ResultadoEnvio r = t.Envia(
        servidor, {{u"ana@example.com"_s, u"luis@example.com"_s}, true, false}, u"clave ñ"_s);
    EXPECT_EQ(r.Fin, FinEnvio::Terminado) << (r.Aviso ? r.Aviso->Texto.toStdString() : "");
    const auto recibidos = servidor.Mensajes();
    ASSERT_EQ(recibidos.size(), 2u);
    EXPECT_TRUE(recibidos[0].Cifrado);
    EXPECT_EQ(recibidos[0].Usuario, u"pena"_s);

    // La clave equivocada: error de la biblioteca y nada enviado.
    const ResultadoEnvio mala = t.Envia(servidor, {{u"ana@example.com"_s}, true, false}, u"otra"_s);
    EXPECT_EQ(mala.Fin, FinEnvio::Fallido);
    ASSERT_TRUE(mala.Aviso);
    EXPECT_TRUE(mala.Aviso->Texto.startsWith(
        u"No se ha podido enviar el mensaje a ana@example.com: el servidor de correo no acepta "
        u"el usuario o la clave de la cuenta (respuesta 535)\r\nSe han enviado 0 de 1 mensaje."
        u"\r\n("_s))
        << mala.Aviso->Texto.toStdString();
    EXPECT_TRUE(mala.Aviso->Texto.endsWith(u"; error 67)"_s)) << mala.Aviso->Texto.toStdString();
    EXPECT_EQ(servidor.Mensajes().size(), 2u);
}

TEST(EnvioSmtp, UnDestinatarioRechazadoYNadieEscuchando) {
    Tanda t;
    ServidorSmtp servidor(OpcionesServidorSmtp().Rechaza(u"nadie@example.com"_s));
    ASSERT_TRUE(servidor.Escuchando());
    const ResultadoEnvio r = t.Envia(
        servidor,
        {{u"ana@example.com"_s, u"nadie@example.com"_s, u"luis@example.com"_s}, true, true});
    EXPECT_EQ(r.Fin, FinEnvio::Fallido);
    EXPECT_EQ(r.Enviados, 1);
    ASSERT_TRUE(r.Aviso);
    EXPECT_TRUE(r.Aviso->Texto.startsWith(
        u"No se ha podido enviar el mensaje a nadie@example.com: el servidor de correo no acepta "
        u"la dirección de destino: no existe o no se puede entregar en ella (respuesta 550)\r\n"
        u"Se han enviado 1 de 3 mensajes.\r\n"_s))
        << r.Aviso->Texto.toStdString();
    EXPECT_EQ(servidor.Mensajes().size(), 1u);

    CuentaCorreo sinServidor = servidor.Cuenta();
    sinServidor.Puerto = 1; // nadie escucha en el 1
    const ResultadoEnvio nadie =
        t.Envia(servidor, {{u"ana@example.com"_s}, true, true}, {}, sinServidor);
    ASSERT_TRUE(nadie.Aviso);
    EXPECT_TRUE(nadie.Aviso->Texto.startsWith(
        u"No se ha podido enviar el mensaje a ana@example.com: el servidor de correo rechaza la "
        u"conexión o no responde en ese puerto"_s))
        << nadie.Aviso->Texto.toStdString();
    EXPECT_TRUE(nadie.Aviso->Texto.endsWith(u"; error 7)"_s)) << nadie.Aviso->Texto.toStdString();
}

// Lo que llega al servidor, byte a byte: cabeceras, y las columnas leídas del fichero por trozos.
TEST(EnvioSmtp, ElServidorRecibeElMensajeExacto) {
    Tanda t;
    ServidorSmtp servidor;
    ASSERT_TRUE(servidor.Escuchando()) << servidor.Error().toStdString();
    const PreparacionCorreo p =
        PreparaEnvio(t.Estado, {{u"ana@example.com"_s}, false, true}, QLocale::c());
    AvisosEnvio avisos;
    avisos.Reloj = [] { return QDateTime(QDate(2026, 12, 7), QTime(3, 10), QTimeZone(3600)); };
    TransporteCurl transporte;
    ASSERT_EQ(EjecutaEnvio(*p.Envio, servidor.Cuenta(), {}, transporte, avisos).Enviados, 1);
    ASSERT_EQ(servidor.Mensajes().size(), 1u);
    const QByteArray datos = servidor.Mensajes()[0].Datos;
    const auto id = QRegularExpression(u"Message-ID: <([0-9a-f-]{36}@example\\.com)>\r\n"_s)
                        .match(QString::fromLatin1(datos));
    ASSERT_TRUE(id.hasMatch()) << datos.left(400).toStdString();
    QByteArray esperado =
        "From: remitente@example.com\r\n"
        "To: ana@example.com\r\n"
        "Subject: =?UTF-8?Q?Datos_de_la_jornada_6=2E_Reducci=C3=B3n_nro=2E_2?=\r\n"
        "Date: Mon, 07 Dec 2026 03:10:00 +0100\r\n"
        "Message-ID: <" +
        id.captured(1).toLatin1() +
        ">\r\n"
        "MIME-Version: 1.0\r\n"
        "Content-Type: text/plain; charset=UTF-8\r\n"
        "Content-Transfer-Encoding: quoted-printable\r\n"
        "\r\n";
    const QStringList c = ColumnasPrueba(20);
    for (int i = 0; i < c.size(); ++i)
        esperado += "Apuesta nro." + QByteArray::number(i + 1).rightJustified(5) + "  " +
                    c[i].toLatin1() + "\r\n";
    EXPECT_EQ(datos, esperado);
}

// Un mensaje de más del máximo de la cuenta no llega ni a conectar, y se dice cuánto ocupa.
TEST(EnvioSmtp, MayorQueElMaximoDeLaCuentaNiConecta) {
    CarpetaTemporal carpeta;
    EstadoGlobal estado = carpeta.Estado();
    GuardaReduccion(carpeta, estado, 6, 2, ColumnasPrueba(30000)); // 1.080.000 bytes de columnas
    ServidorSmtp servidor;
    ASSERT_TRUE(servidor.Escuchando()) << servidor.Error().toStdString();
    CuentaCorreo cuenta = servidor.Cuenta();
    cuenta.MaximoMensaje = 1;
    const auto envia = [&](bool columnas) {
        const PreparacionCorreo p =
            PreparaEnvio(estado, {{u"ana@example.com"_s}, true, columnas}, QLocale::c());
        TransporteCurl transporte;
        return EjecutaEnvio(*p.Envio, cuenta, {}, transporte, {});
    };
    const ResultadoEnvio r = envia(true);
    EXPECT_EQ(r.Fin, FinEnvio::Fallido);
    ASSERT_TRUE(r.Aviso);
    EXPECT_EQ(r.Aviso->Texto,
              u"El mensaje ocupa 1,1 MB y el máximo de la cuenta es 1 MB: no se ha enviado nada."
              u"\r\nEnvíe solo los datos básicos, o suba el máximo en la cuenta de correo si su "
              u"servidor admite mensajes mayores."_s);
    EXPECT_EQ(servidor.Conexiones(), 0);
    // Sin las columnas cabe.
    EXPECT_EQ(envia(false).Enviados, 1);
}

namespace {

qint64 MemoriaVirtual() {
    QFile estado(u"/proc/self/status"_s);
    if (!estado.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& linea : estado.readAll().split('\n'))
        if (linea.startsWith("VmSize:"))
            return linea.mid(7).trimmed().split(' ').first().toLongLong() * 1024;
    return 0;
}

} // namespace

// 3^13 columnas son un mensaje de 59 MB. Un hijo lo envía con el espacio de direcciones limitado
// a lo que ya usa más 40 MB: entero en memoria (tres copias, como antes) no cabría.
TEST(EnvioSmtp, UnMensajeDeMillonesDeColumnasNoCreceEnMemoria) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer reserva su memoria sombra: no admite un RLIMIT_AS";
#endif
    constexpr int Columnas = 1594323;
    CarpetaTemporal carpeta;
    {
        QByteArray fichero;
        fichero.reserve(qsizetype(Columnas) * 19);
        for (int i = 0; i < Columnas; ++i)
            fichero += i % 2 ? "\"1X21X21X21X21X2\"\r\n" : "\"222111XXX222111\"\r\n";
        carpeta.Escribe(u"RED0101.ZPK"_s, fichero);
    }
    OpcionesServidorSmtp opciones;
    opciones.Limite = 0;
    ServidorSmtp servidor(opciones);
    ASSERT_TRUE(servidor.Escuchando()) << servidor.Error().toStdString();
    EnvioPreparado envio;
    envio.Asunto = AsuntoCorreo(1, 1);
    envio.RutaColumnas = carpeta.Ruta(u"RED0101.ZPK"_s);
    envio.Validas = QStringList{u"ana@example.com"_s};
    CuentaCorreo cuenta = servidor.Cuenta();
    cuenta.MaximoMensaje = 100;

    const pid_t hijo = fork();
    if (hijo == 0) {
        TransporteCurl transporte;
        transporte.Abre(cuenta, {}); // carga libcurl antes de medir
        const rlim_t limite = rlim_t(MemoriaVirtual() + 40 * 1024 * 1024);
        const rlimit espacio{limite, limite};
        if (setrlimit(RLIMIT_AS, &espacio) != 0)
            _exit(20);
        const ResultadoEnvio r = EjecutaEnvio(envio, cuenta, {}, transporte, {});
        _exit(r.Fin == FinEnvio::Terminado ? 0 : 10 + int(r.Fin));
    }
    ASSERT_GT(hijo, 0);
    int estado = 0;
    ASSERT_EQ(waitpid(hijo, &estado, 0), hijo);
    ASSERT_TRUE(WIFEXITED(estado)) << "el hijo murió por la señal " << WTERMSIG(estado);
    EXPECT_EQ(WEXITSTATUS(estado), 0) << "10 + FinEnvio, o 20 sin límite";
    const auto recibidos = servidor.Mensajes();
    ASSERT_EQ(recibidos.size(), 1u);
    const QByteArray& datos = recibidos[0].Datos;
    const qsizetype cuerpo = datos.indexOf("\r\n\r\n") + 4;
    EXPECT_EQ(datos.size() - cuerpo, BytesColumnasCorreo(Columnas));
    EXPECT_EQ(datos.mid(cuerpo, 36), "Apuesta nro.    1  222111XXX222111\r\n");
    EXPECT_TRUE(datos.endsWith("\r\nApuesta nro.1594323  222111XXX222111\r\n"));
}
