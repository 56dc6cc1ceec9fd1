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
    return {static_cast<int>(numero), descripcion, {}, 0};
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

// Lo que falló, en español, según el número de curl.
QString ExplicaCodigo(CURLcode numero) {
    switch (numero) {
    case CURLE_COULDNT_RESOLVE_HOST:
        return QStringLiteral("no se encuentra el servidor de correo: compruebe su nombre en la "
                              "cuenta y la conexión a internet");
    case CURLE_COULDNT_CONNECT:
        return QStringLiteral("el servidor de correo rechaza la conexión o no responde en ese "
                              "puerto: compruebe el servidor y el puerto de la cuenta");
    case CURLE_OPERATION_TIMEDOUT:
        return QStringLiteral("el servidor de correo no contesta: se ha agotado el tiempo de "
                              "espera");
    case CURLE_SSL_CONNECT_ERROR:
        return QStringLiteral("no se ha podido establecer la conexión cifrada con el servidor de "
                              "correo: compruebe la seguridad y el puerto de la cuenta");
    case CURLE_PEER_FAILED_VERIFICATION:
        return QStringLiteral("el certificado del servidor de correo no es de confianza o es de "
                              "otro servidor: la conexión no es segura y no se ha enviado nada");
    case CURLE_SSL_CACERT_BADFILE:
        return QStringLiteral("no se puede leer el fichero de certificados de la cuenta");
    case CURLE_USE_SSL_FAILED:
        return QStringLiteral("el servidor de correo no ofrece conexión cifrada (STARTTLS): sin "
                              "ella no se envía nada");
    case CURLE_LOGIN_DENIED:
        return QStringLiteral("el servidor de correo no acepta el usuario o la clave de la cuenta");
    case CURLE_AUTH_ERROR:
        return QStringLiteral("no hay ninguna forma de identificarse que admitan a la vez el "
                              "servidor de correo y este programa");
    case CURLE_SEND_ERROR:
    case CURLE_RECV_ERROR:
    case CURLE_GOT_NOTHING:
        return QStringLiteral("se ha cortado la conexión con el servidor de correo");
    case CURLE_WEIRD_SERVER_REPLY:
        return QStringLiteral("el servidor de correo ha dado una respuesta inesperada");
    case CURLE_ABORTED_BY_CALLBACK:
        return QStringLiteral("se ha interrumpido el envío del mensaje");
    case CURLE_OUT_OF_MEMORY:
        return QStringLiteral("no hay memoria suficiente para enviar el mensaje");
    case CURLE_UNSUPPORTED_PROTOCOL:
        return QStringLiteral("la biblioteca de correo de este sistema no sabe enviar por SMTP");
    case CURLE_FAILED_INIT:
        return QStringLiteral("no se ha podido preparar la biblioteca de correo");
    default:
        return QStringLiteral("la biblioteca de correo ha fallado (error %1)").arg(int(numero));
    }
}

// Lo que falló, en español, según la respuesta del servidor y la orden a la que contestaba
// (la dice curl en su detalle: "MAIL failed: 552"). Vacío si no hay respuesta que explicar.
QString ExplicaRespuesta(long respuesta, const QString& detalle) {
    const bool remitente = detalle.startsWith(QStringLiteral("MAIL failed"));
    const bool destinatario = detalle.startsWith(QStringLiteral("RCPT failed"));
    switch (respuesta) {
    case 552:
        return destinatario ? QStringLiteral("el buzón del destinatario está lleno")
                            : QStringLiteral("el servidor de correo no admite un mensaje tan "
                                             "grande: supera el tamaño máximo que acepta");
    case 550:
    case 551:
    case 553:
        if (remitente)
            return QStringLiteral("el servidor de correo no acepta la dirección del remitente "
                                  "de la cuenta");
        if (destinatario)
            return QStringLiteral("el servidor de correo no acepta la dirección de destino: no "
                                  "existe o no se puede entregar en ella");
        return QStringLiteral("el servidor de correo ha rechazado el mensaje");
    case 554:
        return QStringLiteral("el servidor de correo ha rechazado el mensaje (por su contenido "
                              "o porque no permite enviarlo desde esta cuenta)");
    case 535:
        return QStringLiteral("el servidor de correo no acepta el usuario o la clave de la "
                              "cuenta");
    case 530:
        return QStringLiteral("el servidor de correo exige identificarse: ponga el usuario y la "
                              "clave en la cuenta");
    case 421:
        return QStringLiteral("el servidor de correo no está disponible ahora y ha cerrado la "
                              "conexión: inténtelo más tarde");
    case 450:
    case 451:
    case 452:
        return QStringLiteral("el servidor de correo no puede aceptar el mensaje ahora: "
                              "inténtelo más tarde");
    default:
        return {};
    }
}

// El fallo de curl: la frase en español (por la respuesta del servidor si la hay, si no por
// el número) y, aparte, el texto en inglés de curl con su detalle de ERRORBUFFER.
FalloCorreo DescribeFallo(CURLcode numero, const char* detalle, long respuesta) {
    const QString general = QString::fromUtf8(Lib().easy_strerror(numero));
    QString extra = QString::fromUtf8(detalle).trimmed();
    // curl a veces repite su texto general al final del detalle.
    if (extra.endsWith(QStringLiteral(": ") + general))
        extra.chop(general.size() + 2);
    QString ingles = general;
    if (!extra.isEmpty() && extra != general)
        ingles += QStringLiteral(": ") + extra;
    if (respuesta >= 400 && !ingles.contains(QString::number(respuesta)))
        ingles += QStringLiteral("; respuesta del servidor: %1").arg(respuesta);
    // Tras un fallo de conexión o de tiempo la última respuesta no es la que explica nada.
    const bool conRespuesta = numero != CURLE_COULDNT_CONNECT &&
                              numero != CURLE_COULDNT_RESOLVE_HOST &&
                              numero != CURLE_OPERATION_TIMEDOUT && respuesta >= 400;
    QString espanol = conRespuesta ? ExplicaRespuesta(respuesta, extra) : QString();
    if (espanol.isEmpty())
        espanol = ExplicaCodigo(numero);
    if (conRespuesta)
        espanol += QStringLiteral(" (respuesta %1)").arg(respuesta);
    return {static_cast<int>(numero), espanol, ingles, static_cast<int>(respuesta)};
}

// El mensaje se entrega a curl por trozos desde su fuente; curl hace la transparencia de los
// puntos al principio de línea.
size_t LeeMensaje(char* destino, size_t tamano, size_t cuantos, void* usuario) {
    auto* mensaje = static_cast<FuenteMensaje*>(usuario);
    const qint64 n = mensaje->Lee(destino, static_cast<qint64>(tamano * cuantos));
    return n < 0 ? CURL_READFUNC_ABORT : static_cast<size_t>(n);
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
        return Fallo(Lib().Inicio, ExplicaCodigo(Lib().Inicio));
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
        return Fallo(CURLE_FAILED_INIT, ExplicaCodigo(CURLE_FAILED_INIT));
    ConfiguraConexion(sesion->manejador, cuenta, sesion->error);
    ConfiguraSeguridad(sesion->manejador, cuenta, clave);
    ConfiguraTiempos(sesion->manejador, tiempos_);
    sesion_ = std::move(sesion);
    return {};
}

FalloCorreo TransporteCurl::Envia(const QString& destinatario, FuenteMensaje& mensaje) {
    if (!sesion_)
        return Fallo(CURLE_FAILED_INIT, QStringLiteral("La sesión de correo no está abierta"));
    if (!DireccionDeSobre(destinatario))
        return Fallo(CURLE_BAD_FUNCTION_ARGUMENT,
                     QStringLiteral("Dirección de destino no válida para el sobre del mensaje"));

    CURL* h = sesion_->manejador;
    const QByteArray para = '<' + destinatario.toUtf8() + '>';
    curl_slist* destinatarios = Lib().slist_append(nullptr, para.constData());
    if (!destinatarios)
        return Fallo(CURLE_OUT_OF_MEMORY, ExplicaCodigo(CURLE_OUT_OF_MEMORY));
    Lib().easy_setopt(h, CURLOPT_MAIL_RCPT, destinatarios);
    Lib().easy_setopt(h, CURLOPT_READDATA, &mensaje);
    Lib().easy_setopt(h, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(mensaje.Tamano()));
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
    return DescribeFallo(resultado, sesion_->error, respuesta);
}

void TransporteCurl::Cierra() {
    sesion_.reset();
}

} // namespace quiniela
