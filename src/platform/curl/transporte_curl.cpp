#include "platform/curl/transporte_curl.h"

#include <QFile>
#include <QFileInfo>
#include <QLibrary>
#include <QUrl>

#include <curl/curl.h>

#include <algorithm>
#include <cstring>

#include <sys/socket.h>

namespace quiniela {

namespace {

// libcurl se carga la primera vez que hace falta: enlazarla arrastra decenas de bibliotecas
// (TLS, Kerberos, LDAP...) que cada arranque del programa pagaría aunque nunca envíe correo.
struct Curl {
    decltype(&curl_global_init) global_init = nullptr;
    decltype(&curl_easy_init) easy_init = nullptr;
    decltype(&curl_easy_setopt) easy_setopt = nullptr;
    decltype(&curl_easy_perform) easy_perform = nullptr;
    decltype(&curl_easy_getinfo) easy_getinfo = nullptr;
    decltype(&curl_easy_cleanup) easy_cleanup = nullptr;
    decltype(&curl_easy_strerror) easy_strerror = nullptr;
    decltype(&curl_slist_append) slist_append = nullptr;
    decltype(&curl_slist_free_all) slist_free_all = nullptr;
    CURLcode Inicio = CURLE_FAILED_INIT;
    QString error; // por qué no se pudo cargar
};

template <typename F> bool Resuelve(QLibrary& biblioteca, const char* nombre, F& funcion) {
    funcion = reinterpret_cast<F>(biblioteca.resolve(nombre));
    return funcion != nullptr;
}

Curl CargaCurl() {
    Curl c;
    QLibrary biblioteca(QStringLiteral("curl"), 4);
    if (!biblioteca.load()) {
        c.error = biblioteca.errorString();
        return c;
    }
    const bool completa = Resuelve(biblioteca, "curl_global_init", c.global_init) &&
                          Resuelve(biblioteca, "curl_easy_init", c.easy_init) &&
                          Resuelve(biblioteca, "curl_easy_setopt", c.easy_setopt) &&
                          Resuelve(biblioteca, "curl_easy_perform", c.easy_perform) &&
                          Resuelve(biblioteca, "curl_easy_getinfo", c.easy_getinfo) &&
                          Resuelve(biblioteca, "curl_easy_cleanup", c.easy_cleanup) &&
                          Resuelve(biblioteca, "curl_easy_strerror", c.easy_strerror) &&
                          Resuelve(biblioteca, "curl_slist_append", c.slist_append) &&
                          Resuelve(biblioteca, "curl_slist_free_all", c.slist_free_all);
    if (!completa) {
        c.error = biblioteca.errorString();
        c.easy_init = nullptr;
        return c;
    }
    c.Inicio = c.global_init(CURL_GLOBAL_DEFAULT);
    return c;
}

// Una sola vez por proceso y a salvo de hilos (inicialización de un estático local). La
// biblioteca no se descarga nunca.
const Curl& Lib() {
    static const Curl curl = CargaCurl();
    return curl;
}

FalloCorreo Fallo(CURLcode numero, const QString& descripcion) {
    return {static_cast<int>(numero), descripcion};
}

// Una dirección va entre < > en MAIL FROM y RCPT TO: con un salto de línea, un nulo, un
// ángulo o un blanco podría colar órdenes SMTP o romper el sobre. La lógica ya las valida;
// esto es la segunda línea de defensa.
bool DireccionDeSobre(const QString& direccion) {
    if (direccion.isEmpty())
        return false;
    return std::none_of(direccion.begin(), direccion.end(), [](QChar c) {
        return c.unicode() < 0x20 || c.unicode() == 0x7F || c.isSpace() || c == u'<' || c == u'>';
    });
}

// El nombre del servidor en la URL: en ASCII (IDN) y sin nada que cambie el sentido de la URL
// ("usuario@", "/ruta", "?"...). Una dirección IPv6 va entre corchetes. Vacío si no vale.
QString ServidorDeUrl(QString servidor) {
    servidor = servidor.trimmed();
    if (servidor.startsWith(u'[') && servidor.endsWith(u']'))
        servidor = servidor.mid(1, servidor.size() - 2);
    if (servidor.isEmpty())
        return {};
    if (servidor.contains(u':')) {
        const bool ipv6 = std::all_of(servidor.begin(), servidor.end(), [](QChar c) {
            return c.isDigit() || (c.toLower() >= u'a' && c.toLower() <= u'f') || c == u':' ||
                   c == u'.';
        });
        return ipv6 ? u'[' + servidor + u']' : QString();
    }
    const QString ascii = QString::fromLatin1(QUrl::toAce(servidor));
    const bool bien = !ascii.isEmpty() && std::all_of(ascii.begin(), ascii.end(), [](QChar c) {
        return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c.isDigit() || c == u'.' ||
               c == u'-' || c == u'_';
    });
    return bien ? ascii : QString();
}

// Lo que significa para el usuario un fallo de los que se ven al enviar correo.
QString Explicacion(CURLcode numero) {
    switch (numero) {
    case CURLE_COULDNT_RESOLVE_HOST:
        return QStringLiteral("No se encuentra el servidor de correo");
    case CURLE_COULDNT_CONNECT:
        return QStringLiteral("No se puede conectar con el servidor de correo");
    case CURLE_OPERATION_TIMEDOUT:
        return QStringLiteral("El servidor de correo no contesta");
    case CURLE_SSL_CONNECT_ERROR:
        return QStringLiteral("No se pudo establecer la conexión cifrada");
    case CURLE_PEER_FAILED_VERIFICATION:
        return QStringLiteral("El certificado del servidor no es de confianza o no es suyo");
    case CURLE_USE_SSL_FAILED:
        return QStringLiteral("El servidor no ofrece conexión cifrada");
    case CURLE_LOGIN_DENIED:
        return QStringLiteral("El servidor no acepta el usuario o la clave");
    case CURLE_SEND_ERROR:
        return QStringLiteral("El servidor no aceptó el mensaje");
    case CURLE_RECV_ERROR:
    case CURLE_GOT_NOTHING:
        return QStringLiteral("Se cortó la conexión con el servidor");
    case CURLE_WEIRD_SERVER_REPLY:
        return QStringLiteral("Respuesta inesperada del servidor de correo");
    default:
        return {};
    }
}

// Descripción de un fallo de curl: la explicación, su texto, el detalle de ERRORBUFFER y, si
// no lo dice ya, la respuesta negativa del servidor.
QString DescribeFallo(CURLcode numero, const char* detalle, long respuesta) {
    const QString general = QString::fromUtf8(Lib().easy_strerror(numero));
    QString extra = QString::fromUtf8(detalle).trimmed();
    // curl a veces repite su texto general al final del detalle.
    if (extra.endsWith(QStringLiteral(": ") + general))
        extra.chop(general.size() + 2);
    QString texto = general;
    if (!extra.isEmpty() && extra != general)
        texto += QStringLiteral(": ") + extra;
    if (respuesta >= 400 && !texto.contains(QString::number(respuesta)))
        texto += QStringLiteral("; respuesta del servidor: %1").arg(respuesta);
    const QString explicacion = Explicacion(numero);
    return explicacion.isEmpty() ? texto : explicacion + QStringLiteral(" (") + texto + u')';
}

// El cuerpo se entrega a curl por trozos desde el QByteArray; curl hace la transparencia de
// los puntos al principio de línea.
struct Lectura {
    const char* Datos;
    size_t quedan;
};

size_t LeeMensaje(char* destino, size_t tamano, size_t cuantos, void* usuario) {
    auto* lectura = static_cast<Lectura*>(usuario);
    const size_t n = std::min(tamano * cuantos, lectura->quedan);
    std::memcpy(destino, lectura->Datos, n);
    lectura->Datos += n;
    lectura->quedan -= n;
    return n;
}

} // namespace

struct TransporteCurl::Sesion {
    CURL* manejador = nullptr;
    char error[CURL_ERROR_SIZE] = {};

    Sesion() = default;
    Sesion(const Sesion&) = delete;
    Sesion& operator=(const Sesion&) = delete;
    // La limpieza despide la conexión abierta con QUIT.
    ~Sesion() {
        if (manejador)
            Lib().easy_cleanup(manejador);
    }
};

TransporteCurl::TransporteCurl(TiemposCorreo tiempos) : tiempos_(tiempos) {}

TransporteCurl::~TransporteCurl() = default;

namespace {

// Lo que se puede decir de la cuenta antes de conectar: así el fallo llega con su causa.
FalloCorreo CompruebaCuenta(const CuentaCorreo& cuenta) {
    if (!Lib().easy_init)
        return Fallo(CURLE_FAILED_INIT,
                     QStringLiteral("No se puede cargar la biblioteca de correo libcurl (") +
                         Lib().error + u')');
    if (Lib().Inicio != CURLE_OK)
        return Fallo(Lib().Inicio, QString::fromUtf8(Lib().easy_strerror(Lib().Inicio)));
    if (ServidorDeUrl(cuenta.Servidor).isEmpty())
        return Fallo(
            CURLE_BAD_FUNCTION_ARGUMENT,
            QStringLiteral("Nombre de servidor de correo no válido: «%1»").arg(cuenta.Servidor));
    if (cuenta.PuertoEfectivo() > 65535)
        return Fallo(CURLE_BAD_FUNCTION_ARGUMENT,
                     QStringLiteral("Puerto de correo no válido: %1").arg(cuenta.Puerto));
    if (!DireccionDeSobre(cuenta.Remitente))
        return Fallo(
            CURLE_BAD_FUNCTION_ARGUMENT,
            QStringLiteral("Dirección del remitente no válida: «%1»").arg(cuenta.Remitente));
    if (!cuenta.Certificado.isEmpty() && !QFileInfo(cuenta.Certificado).isReadable())
        return Fallo(CURLE_SSL_CACERT_BADFILE,
                     QStringLiteral("No se puede leer el fichero de certificados «%1»")
                         .arg(cuenta.Certificado));
    return {};
}

void ConfiguraConexion(CURL* h, const CuentaCorreo& cuenta, char* error) {
    const bool tlsDirecto = cuenta.Seguridad == SeguridadCorreo::Tls;
    const QByteArray url = (tlsDirecto ? "smtps://" : "smtp://") +
                           ServidorDeUrl(cuenta.Servidor).toLatin1() + ':' +
                           QByteArray::number(cuenta.PuertoEfectivo());
    Lib().easy_setopt(h, CURLOPT_URL, url.constData());
    Lib().easy_setopt(h, CURLOPT_PROTOCOLS_STR, "smtp,smtps");
    Lib().easy_setopt(h, CURLOPT_ERRORBUFFER, error);
    Lib().easy_setopt(h, CURLOPT_VERBOSE, 0L);
    // Sin señales: la tanda corre en un hilo de trabajo.
    Lib().easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
    Lib().easy_setopt(h, CURLOPT_TCP_KEEPALIVE, 1L);
    const QByteArray remitente = '<' + cuenta.Remitente.toUtf8() + '>';
    Lib().easy_setopt(h, CURLOPT_MAIL_FROM, remitente.constData());
    Lib().easy_setopt(h, CURLOPT_UPLOAD, 1L);
    Lib().easy_setopt(h, CURLOPT_READFUNCTION, &LeeMensaje);
}

void ConfiguraSeguridad(CURL* h, const CuentaCorreo& cuenta, const QString& clave) {
    // Sin cifrar solo si el usuario lo ha elegido; con STARTTLS, o cifra o no sigue.
    Lib().easy_setopt(h, CURLOPT_USE_SSL,
                      cuenta.Seguridad == SeguridadCorreo::Ninguna
                          ? static_cast<long>(CURLUSESSL_NONE)
                          : static_cast<long>(CURLUSESSL_ALL));
    Lib().easy_setopt(h, CURLOPT_SSL_VERIFYPEER, 1L);
    Lib().easy_setopt(h, CURLOPT_SSL_VERIFYHOST, 2L);
    // Con OpenSSL, CAINFO cambia solo el fichero de autoridades; la carpeta del sistema
    // (CAPATH, /etc/ssl/certs en Debian) sigue valiendo, así que el fichero se suma a ella.
    if (!cuenta.Certificado.isEmpty())
        Lib().easy_setopt(h, CURLOPT_CAINFO, QFile::encodeName(cuenta.Certificado).constData());
    if (!cuenta.Usuario.isEmpty()) {
        const QByteArray usuario = cuenta.Usuario.toUtf8();
        QByteArray clave8 = clave.toUtf8();
        Lib().easy_setopt(h, CURLOPT_USERNAME, usuario.constData());
        Lib().easy_setopt(h, CURLOPT_PASSWORD, clave8.constData());
        // curl guarda su copia; la nuestra no se queda en memoria.
        clave8.fill('\0');
    }
}

// La conexión (con saludo, STARTTLS y AUTH) tiene su límite; después, cada respuesta del
// servidor y cada tramo de datos. Sin tiempo total: un mensaje grande que avanza no se corta.
void ConfiguraTiempos(CURL* h, const TiemposCorreo& tiempos) {
    Lib().easy_setopt(h, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(tiempos.Conexion.count()));
    const long sinRespuesta = static_cast<long>(tiempos.SinRespuesta.count());
    Lib().easy_setopt(h, CURLOPT_SERVER_RESPONSE_TIMEOUT, sinRespuesta);
    Lib().easy_setopt(h, CURLOPT_LOW_SPEED_LIMIT, 1L);
    Lib().easy_setopt(h, CURLOPT_LOW_SPEED_TIME, sinRespuesta);
    Lib().easy_setopt(h, CURLOPT_TIMEOUT, 0L);
}

} // namespace

FalloCorreo TransporteCurl::Abre(const CuentaCorreo& cuenta, const QString& clave) {
    Cierra();
    if (const FalloCorreo fallo = CompruebaCuenta(cuenta); !fallo.Bien())
        return fallo;
    auto sesion = std::make_unique<Sesion>();
    sesion->manejador = Lib().easy_init();
    if (!sesion->manejador)
        return Fallo(CURLE_FAILED_INIT, QString::fromUtf8(Lib().easy_strerror(CURLE_FAILED_INIT)));
    ConfiguraConexion(sesion->manejador, cuenta, sesion->error);
    ConfiguraSeguridad(sesion->manejador, cuenta, clave);
    ConfiguraTiempos(sesion->manejador, tiempos_);
    sesion_ = std::move(sesion);
    return {};
}

FalloCorreo TransporteCurl::Envia(const QString& destinatario, const QByteArray& mensaje) {
    if (!sesion_)
        return Fallo(CURLE_FAILED_INIT, QStringLiteral("La sesión de correo no está abierta"));
    if (!DireccionDeSobre(destinatario))
        return Fallo(CURLE_BAD_FUNCTION_ARGUMENT,
                     QStringLiteral("Dirección de destino no válida para el sobre del mensaje"));

    CURL* h = sesion_->manejador;
    const QByteArray para = '<' + destinatario.toUtf8() + '>';
    curl_slist* destinatarios = Lib().slist_append(nullptr, para.constData());
    if (!destinatarios)
        return Fallo(CURLE_OUT_OF_MEMORY,
                     QString::fromUtf8(Lib().easy_strerror(CURLE_OUT_OF_MEMORY)));
    Lectura lectura{mensaje.constData(), static_cast<size_t>(mensaje.size())};
    Lib().easy_setopt(h, CURLOPT_MAIL_RCPT, destinatarios);
    Lib().easy_setopt(h, CURLOPT_READDATA, &lectura);
    Lib().easy_setopt(h, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(mensaje.size()));
    sesion_->error[0] = '\0';

    const CURLcode resultado = Lib().easy_perform(h);

    // Nada de punteros a lo que muere aquí.
    Lib().easy_setopt(h, CURLOPT_MAIL_RCPT, static_cast<curl_slist*>(nullptr));
    Lib().easy_setopt(h, CURLOPT_READDATA, static_cast<void*>(nullptr));
    Lib().slist_free_all(destinatarios);
    if (resultado == CURLE_OK)
        return {};
    if (resultado == CURLE_OPERATION_TIMEDOUT) {
        // Un servidor que no contesta tampoco contestará al QUIT: sin esto, Cierra esperaría
        // otra vez el tiempo entero. Se corta la conexión y, si hay otro envío, se abre otra.
        curl_socket_t socket = CURL_SOCKET_BAD;
        if (Lib().easy_getinfo(h, CURLINFO_ACTIVESOCKET, &socket) == CURLE_OK &&
            socket != CURL_SOCKET_BAD)
            shutdown(socket, SHUT_RDWR);
    }
    long respuesta = 0;
    Lib().easy_getinfo(h, CURLINFO_RESPONSE_CODE, &respuesta);
    return Fallo(resultado, DescribeFallo(resultado, sesion_->error, respuesta));
}

void TransporteCurl::Cierra() {
    sesion_.reset();
}

} // namespace quiniela
