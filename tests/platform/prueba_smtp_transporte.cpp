// El transporte con libcurl contra un servidor SMTP de verdad en 127.0.0.1.
#include "platform/curl/transporte_curl.h"
#include "support/carpeta_temporal.h"
#include "support/servidor_smtp.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>

using namespace quiniela;
using namespace quiniela::prueba;
using namespace std::chrono_literals;
using namespace Qt::StringLiterals;

namespace {

const QString Ana = QStringLiteral("ana@example.com");
const QString Beto = QStringLiteral("beto@example.com");
const QString ClaveBuena = QStringLiteral("secreta ñ");

constexpr TiemposCorreo TiemposCortos{1000ms, 2s};

QByteArray Mensaje(const QByteArray& asunto, const QByteArray& cuerpo) {
    return "From: remitente@example.com\r\nSubject: " + asunto + "\r\n\r\n" + cuerpo;
}

// Líneas que empiezan por punto: la transparencia del SMTP no puede perderlas ni tomar una de
// ellas por el final del mensaje.
const QByteArray CuerpoConPuntos = ".\r\n..\r\n.hola\r\nlínea normal\r\n. \r\n";

FalloCorreo Envia(TransporteCorreo& transporte, const QString& destino, const QByteArray& mensaje) {
    MensajeEnMemoria fuente(mensaje);
    return transporte.Envia(destino, fuente);
}

// Lo que ve el usuario está en español: el texto de curl va solo aparte, en Detalle.
void EsEspanol(const FalloCorreo& fallo) {
    for (const char* ingles : {"failed", "Failed", "error", "Couldn't", "Timeout", "peer"})
        EXPECT_FALSE(fallo.Descripcion.contains(QLatin1String(ingles)))
            << fallo.Descripcion.toStdString();
}

} // namespace

TEST(TransporteSmtp, UnaTandaUnaConexionMensajesIntactosYUnaDireccionMalaNoLaCorta) {
    // El segundo, un par de megas con líneas de longitudes distintas que empiezan por punto,
    // para que los cortes entre trozos de lectura caigan en todas las posiciones de un "\r\n.".
    QByteArray grande;
    for (int i = 0; grande.size() < 2 * 1024 * 1024; ++i)
        grande += '.' + QByteArray(i % 41, static_cast<char>('a' + i % 26)) + "\r\n";
    const QByteArray primero = Mensaje("Uno", CuerpoConPuntos);
    const QByteArray segundo = Mensaje("Grande", grande);
    const QString malo = QStringLiteral("nadie@example.com");
    ServidorSmtp servidor(OpcionesServidorSmtp().Rechaza(malo));
    ASSERT_TRUE(servidor.Escuchando()) << servidor.Error().toStdString();

    TransporteCurl transporte;
    ASSERT_TRUE(transporte.Abre(servidor.Cuenta(), QString()).Bien());
    EXPECT_TRUE(Envia(transporte, Ana, primero).Bien());
    EXPECT_TRUE(Envia(transporte, Beto, segundo).Bien());
    EXPECT_EQ(servidor.Conexiones(), 1);
    const FalloCorreo fallo = Envia(transporte, malo, primero);
    EXPECT_EQ(fallo.Numero, 55) << fallo.Descripcion.toStdString();
    EXPECT_EQ(fallo.Descripcion, u"el servidor de correo no acepta la dirección de destino: no "
                                 u"existe o no se puede entregar en ella (respuesta 550)"_s);
    EXPECT_EQ(fallo.Respuesta, 550);
    EXPECT_TRUE(fallo.Detalle.contains(u"RCPT failed: 550"_s)) << fallo.Detalle.toStdString();
    EXPECT_TRUE(Envia(transporte, Ana, primero).Bien());
    for (const QString& destino : {u"ana@example.com\r\nRCPT TO:<beto@example.com>"_s,
                                   u"ana@example.com>"_s, u"ana @example.com"_s, QString()}) {
        SCOPED_TRACE(destino.toStdString());
        EXPECT_EQ(Envia(transporte, destino, primero).Numero, 43);
    }
    transporte.Cierra();

    const auto recibidos = servidor.Mensajes();
    ASSERT_EQ(recibidos.size(), 3u);
    EXPECT_EQ(recibidos[0].Datos, primero);
    EXPECT_EQ(recibidos[0].Remitente, u"remitente@example.com");
    EXPECT_TRUE(recibidos[1].Datos == segundo);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(recibidos[i].Destinatarios, QStringList{i == 1 ? Beto : Ana}) << i;
}

TEST(TransporteSmtp, CifradoConAuthOFalloDeLaSesionSinEntregarNada) {
    CarpetaTemporal carpeta;
    const CertificadoPrueba bueno = FabricaCertificado(carpeta.Ruta());
    const CertificadoPrueba otroNombre =
        FabricaCertificado(carpeta.Ruta(), {QStringLiteral("otro.example")});
    ASSERT_TRUE(bueno.Bien() && otroNombre.Bien());

    const auto cifrado = [](const CertificadoPrueba& c,
                            SeguridadCorreo s = SeguridadCorreo::StartTls) {
        return OpcionesServidorSmtp().Cifrado(s, c).Auth(u"pepe"_s, ClaveBuena);
    };
    struct Caso {
        const char* Nombre;
        OpcionesServidorSmtp Servidor;
        bool ConCertificado; // el de la cuenta
        QString Clave;
        int Numero; // 0: entregado
        const char* EnDescripcion;
    };
    // La verificación del certificado está siempre activa; con STARTTLS pedido, un servidor que
    // no lo ofrece no recibe nada en claro.
    const Caso casos[] = {
        {"STARTTLS", cifrado(bueno), true, ClaveBuena, 0, ""},
        {"TLS desde el principio", cifrado(bueno, SeguridadCorreo::Tls), true, ClaveBuena, 0, ""},
        {"sin el certificado en la cuenta", cifrado(bueno), false, ClaveBuena, 60,
         "el certificado del servidor de correo no es de confianza"},
        {"certificado de confianza pero de otro nombre", cifrado(otroNombre), true, ClaveBuena, 60,
         "el certificado del servidor de correo no es de confianza"},
        {"servidor sin STARTTLS",
         {},
         false,
         {},
         64,
         "el servidor de correo no ofrece conexión cifrada"},
        {"clave errónea", cifrado(bueno), true, u"otra"_s, 67,
         "el servidor de correo no acepta el usuario o la clave de la cuenta (respuesta 535)"},
    };
    const QByteArray mensaje = Mensaje("Cifrado", CuerpoConPuntos);
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.Nombre);
        ServidorSmtp servidor(caso.Servidor);
        ASSERT_TRUE(servidor.Escuchando()) << servidor.Error().toStdString();
        CuentaCorreo cuenta = servidor.Cuenta();
        if (caso.Servidor.Seguridad == SeguridadCorreo::Ninguna)
            cuenta.Seguridad = SeguridadCorreo::StartTls;
        if (!caso.ConCertificado)
            cuenta.Certificado.clear();

        TransporteCurl transporte;
        ASSERT_TRUE(transporte.Abre(cuenta, caso.Clave).Bien());
        const FalloCorreo fallo = Envia(transporte, Ana, mensaje);
        EXPECT_EQ(fallo.Numero, caso.Numero) << fallo.Descripcion.toStdString();
        EXPECT_TRUE(fallo.Descripcion.contains(QString::fromUtf8(caso.EnDescripcion)))
            << fallo.Descripcion.toStdString();
        EsEspanol(fallo);
        transporte.Cierra();
        const auto recibidos = servidor.Mensajes();
        ASSERT_EQ(recibidos.size(), caso.Numero == 0 ? 1u : 0u);
        for (const MensajeRecibido& m : recibidos) {
            EXPECT_TRUE(m.Cifrado);
            EXPECT_EQ(m.Usuario, u"pepe");
            EXPECT_EQ(m.Datos, mensaje);
        }
    }
}

// Nada escuchando falla enseguida, aun con el límite de conexión por defecto (medio minuto);
// un servidor callado acaba por tiempo, y cerrar no vuelve a esperarlo.
TEST(TransporteSmtp, NadaEscuchandoOUnServidorQueNoContestaNoCuelgan) {
    OpcionesServidorSmtp mudo;
    mudo.Mudo = true;
    OpcionesServidorSmtp colgado;
    colgado.Colgados = {Ana};
    // (caso, servidor, si escucha, número del fallo)
    const std::tuple<const char*, OpcionesServidorSmtp, bool, int> casos[] = {
        {"nada escuchando", {}, false, 7},
        {"ni saluda", mudo, true, 28},
        {"no contesta al final del mensaje", colgado, true, 28},
    };
    for (const auto& [nombre, opciones, escucha, numero] : casos) {
        SCOPED_TRACE(nombre);
        ServidorSmtp servidor(opciones);
        ASSERT_TRUE(servidor.Escuchando()) << servidor.Error().toStdString();
        CuentaCorreo cuenta = servidor.Cuenta();
        if (!escucha)
            cuenta.Puerto = 1; // donde nadie escucha
        TransporteCurl transporte(escucha ? TiemposCortos : TiemposCorreo{});
        ASSERT_TRUE(transporte.Abre(cuenta, QString()).Bien());
        QElapsedTimer reloj;
        reloj.start();
        const FalloCorreo fallo = Envia(transporte, Ana, Mensaje("X", "x\r\n"));
        EXPECT_EQ(fallo.Numero, numero) << fallo.Descripcion.toStdString();
        EsEspanol(fallo);
        EXPECT_TRUE(fallo.Descripcion.startsWith(
            numero == 7 ? u"el servidor de correo rechaza la conexión"_s
                        : u"el servidor de correo no contesta"_s))
            << fallo.Descripcion.toStdString();
        EXPECT_LT(reloj.elapsed(), 10000) << "margen amplio: solo que no se quede colgado";
        reloj.restart();
        transporte.Cierra();
        EXPECT_LT(reloj.elapsed(), TiemposCortos.SinRespuesta.count() * 1000 / 2);
        EXPECT_EQ(servidor.Conexiones(), escucha ? 1 : 0);
        EXPECT_TRUE(servidor.Mensajes().empty());
    }
}

TEST(TransporteSmtp, UnaCuentaQuePodriaColarOrdenesNoAbre) {
    TransporteCurl transporte;
    CuentaCorreo buena;
    buena.Servidor = QStringLiteral("correo.example.com");
    buena.Remitente = QStringLiteral("remitente@example.com");
    const std::tuple<const char*, void (*)(CuentaCorreo&), int> casos[] = {
        {"remitente con salto de línea",
         [](CuentaCorreo& c) { c.Remitente += u"\r\nRCPT TO:<x@y.es>"_s; }, 43},
        {"sin servidor", [](CuentaCorreo& c) { c.Servidor = u"  "_s; }, 43},
        {"servidor con ruta", [](CuentaCorreo& c) { c.Servidor += u"/x"_s; }, 43},
        {"puerto imposible", [](CuentaCorreo& c) { c.Puerto = 70000; }, 43},
        {"fichero de certificados que no existe",
         [](CuentaCorreo& c) { c.Certificado = u"/no/existe.pem"_s; }, 77},
    };
    for (const auto& [nombre, cambia, numero] : casos) {
        SCOPED_TRACE(nombre);
        CuentaCorreo cuenta = buena;
        cambia(cuenta);
        EXPECT_EQ(transporte.Abre(cuenta, QString()).Numero, numero);
        EXPECT_EQ(Envia(transporte, Ana, "x\r\n").Numero, 2); // sin sesión no envía
    }
    // Un nombre internacional o una IPv6 sí valen.
    for (const char* nombre : {"correo.españa.example", "[::1]", "::1"}) {
        CuentaCorreo cuenta = buena;
        cuenta.Servidor = QString::fromUtf8(nombre);
        EXPECT_TRUE(transporte.Abre(cuenta, QString()).Bien()) << nombre;
    }
}

// Las respuestas negativas del servidor a cada paso, dichas en español con lo que falló; el
// texto de curl queda aparte.
TEST(TransporteSmtp, RespuestasDelServidorEnEspanol) {
    OpcionesServidorSmtp pequeno;
    pequeno.Limite = 1000;
    OpcionesServidorSmtp rechazaDatos;
    rechazaDatos.RechazaDatos = true;
    // (caso, servidor, número, respuesta, frase, en el detalle de curl)
    const std::tuple<const char*, OpcionesServidorSmtp, int, int, QString, const char*> casos[] = {
        {"mayor que el SIZE del servidor", pequeno, 55, 552,
         u"el servidor de correo no admite un mensaje tan grande: supera el tamaño máximo que "
         u"acepta (respuesta 552)"_s,
         "MAIL failed: 552"},
        {"mensaje rechazado al final", rechazaDatos, 8, 554,
         u"el servidor de correo ha rechazado el mensaje (por su contenido o porque no permite "
         u"enviarlo desde esta cuenta) (respuesta 554)"_s,
         ""},
    };
    const QByteArray mensaje = Mensaje("Grande", (QByteArray(98, 'x') + "\r\n").repeated(30));
    for (const auto& [nombre, opciones, numero, respuesta, frase, detalle] : casos) {
        SCOPED_TRACE(nombre);
        ServidorSmtp servidor(opciones);
        ASSERT_TRUE(servidor.Escuchando()) << servidor.Error().toStdString();
        TransporteCurl transporte(TiemposCortos);
        ASSERT_TRUE(transporte.Abre(servidor.Cuenta(), QString()).Bien());
        const FalloCorreo fallo = Envia(transporte, Ana, mensaje);
        EXPECT_EQ(fallo.Numero, numero) << fallo.Detalle.toStdString();
        EXPECT_EQ(fallo.Respuesta, respuesta) << fallo.Detalle.toStdString();
        EXPECT_EQ(fallo.Descripcion, frase);
        EXPECT_TRUE(fallo.Detalle.contains(QLatin1String(detalle))) << fallo.Detalle.toStdString();
        EsEspanol(fallo);
        EXPECT_TRUE(servidor.Mensajes().empty());
    }
}
