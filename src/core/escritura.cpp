#include "core/escritura.h"

#include "core/arranque.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QStorageInfo>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <system_error>

#if defined(Q_OS_UNIX)
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace quiniela {

namespace {

const QString MarcaTemporal = QStringLiteral(".quiniela-");
const QString ExtensionTemporal = QStringLiteral(".tmp");

// Sin esto, pasar del límite de tamaño (ulimit -f) mata el proceso sin un mensaje.
void IgnoraLimiteTamano() {
#if defined(Q_OS_UNIX)
    static std::once_flag una;
    std::call_once(una, [] { std::signal(SIGXFSZ, SIG_IGN); });
#endif
}

QByteArray RutaSistema(const QString& ruta) {
    return QFile::encodeName(ruta);
}

bool ProcesoVivo(qint64 pid);

// Un temporal es abandonado si su proceso (el del nombre) ya no existe y nadie lo tiene cerrado
// con flock: lo segundo cubre un proceso nuevo con el mismo número; lo primero, el instante entre
// crear el temporal y cerrarlo. Sin cerrojos, se deja siempre.
bool TemporalAbandonado(const QString& ruta) {
#if defined(Q_OS_UNIX)
    static const QRegularExpression proceso(QStringLiteral(R"(\.quiniela-(\d+)(-\d+)?\.tmp$)"));
    const QRegularExpressionMatch m = proceso.match(ruta);
    if (!m.hasMatch() || ProcesoVivo(m.captured(1).toLongLong()))
        return false;
    const int fd = ::open(RutaSistema(ruta).constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool libre = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    ::close(fd);
    return libre;
#else
    Q_UNUSED(ruta);
    return false;
#endif
}

// Temporales en uso en este proceso: dos escrituras a la vez del mismo destino (dos hilos) no
// comparten temporal; la segunda lleva "-2" tras el proceso.
std::mutex MutexEnUso;
QSet<QString> TemporalesEnUso;

QString ReservaTemporal(const QString& destino) {
    const std::lock_guard<std::mutex> bloqueo(MutexEnUso);
    QString ruta = RutaTemporalEscritura(destino);
    for (int n = 2; TemporalesEnUso.contains(ruta); ++n)
        ruta = RutaTemporalEscritura(destino).chopped(ExtensionTemporal.size()) + u'-' +
               QString::number(n) + ExtensionTemporal;
    TemporalesEnUso.insert(ruta);
    return ruta;
}

void LiberaTemporal(const QString& ruta) {
    const std::lock_guard<std::mutex> bloqueo(MutexEnUso);
    TemporalesEnUso.remove(ruta);
}

bool ProcesoVivo(qint64 pid) {
#if defined(Q_OS_UNIX)
    return pid > 0 && (::kill(pid_t(pid), 0) == 0 || errno == EPERM);
#else
    Q_UNUSED(pid);
    return true;
#endif
}

// Borra los temporales abandonados de un destino (o de todos, con nombre vacío).
void LimpiaTemporales(const QDir& carpeta, const QString& nombre) {
    const QString patron = (nombre.isEmpty() ? QStringLiteral("*") : nombre) + MarcaTemporal +
                           u'*' + ExtensionTemporal;
    for (const QString& t : carpeta.entryList({patron}, QDir::Files | QDir::Hidden | QDir::System))
        if (TemporalAbandonado(carpeta.filePath(t)))
            QFile::remove(carpeta.filePath(t));
    // Los de versiones anteriores llevan el proceso en el nombre: "<nombre>.<proceso>.tmp".
    static const QRegularExpression antiguo(QStringLiteral(R"(\.(\d+)\.(parcial|tmp)(\.lck)?$)"));
    const QString patronAntiguo =
        (nombre.isEmpty() ? QStringLiteral("*") : nombre) + u'.' + QStringLiteral("*");
    for (const QString& t : carpeta.entryList({patronAntiguo}, QDir::Files | QDir::Hidden)) {
        const QRegularExpressionMatch m = antiguo.match(t);
        if (m.hasMatch() && !t.contains(MarcaTemporal) &&
            (nombre.isEmpty() || t.size() == nombre.size() + m.capturedLength(0)) &&
            !ProcesoVivo(m.captured(1).toLongLong()))
            QFile::remove(carpeta.filePath(t));
    }
}

// El número (y, si hace falta, la causa) de un fallo del sistema al escribir o renombrar la ruta.
ResultadoFichero FalloDelSistema(int errorSistema, const QString& ruta) {
    switch (errorSistema) {
    case ENOSPC:
#if defined(EDQUOT)
    case EDQUOT:
#endif
    case EFBIG: // el límite de tamaño del proceso, como un disco lleno
        return {ErrorFichero::DiscoLleno, ruta};
    case ENOMEM:
        return {ErrorFichero::SinMemoria, ruta};
    case EACCES:
    case EPERM:
        return {ErrorFichero::PermisoDenegado, ruta};
    case EROFS:
        return {ErrorFichero::AccesoRuta, ruta, QStringLiteral("el disco es de solo lectura")};
    case ENOENT:
    case ENOTDIR:
        return {QFileInfo(ruta).absoluteDir().exists() ? ErrorFichero::NoExiste
                                                       : ErrorFichero::RutaNoExiste,
                ruta};
    default:
        return {ErrorFichero::ErrorEntradaSalida, ruta,
                QStringLiteral("el sistema no lo ha permitido (") +
                    QString::fromLocal8Bit(std::strerror(errorSistema)) + u')'};
    }
}

} // namespace

QString RutaTemporalEscritura(const QString& destino) {
    return destino + MarcaTemporal + QString::number(QCoreApplication::applicationPid()) +
           ExtensionTemporal;
}

QString DestinoNoEscribible(const QString& destino) {
#if defined(Q_OS_UNIX)
    struct stat datos {};
    if (::lstat(RutaSistema(destino).constData(), &datos) != 0 || S_ISREG(datos.st_mode) ||
        S_ISLNK(datos.st_mode))
        return QString();
    if (S_ISDIR(datos.st_mode))
        return QStringLiteral("en su lugar hay una carpeta con ese nombre");
    if (S_ISFIFO(datos.st_mode))
        return QStringLiteral("no es un fichero sino una tubería (FIFO)");
    if (S_ISSOCK(datos.st_mode))
        return QStringLiteral("no es un fichero sino un socket");
    return QStringLiteral("no es un fichero sino un dispositivo");
#else
    const QFileInfo info(destino);
    if (info.isSymLink() || !info.exists() || info.isFile())
        return QString();
    return info.isDir() ? QStringLiteral("en su lugar hay una carpeta con ese nombre")
                        : QStringLiteral("no es un fichero normal");
#endif
}

EscrituraFichero::EscrituraFichero(const QString& destino, qint64 bytesBufer)
    : destino_(destino), temporal_(ReservaTemporal(destino)), fichero_(temporal_),
      bytesBufer_(bytesBufer) {
    IgnoraLimiteTamano();
}

EscrituraFichero::~EscrituraFichero() {
    if (!publicado_)
        BorraTemporal();
    LiberaTemporal(temporal_);
}

void EscrituraFichero::AnotaFallo(int numero, const QString& causa) {
    if (fallo_.Numero == 0)
        fallo_ = {numero, destino_, causa};
}

void EscrituraFichero::AnotaFalloSistema(int errorSistema) {
    if (fallo_.Numero == 0)
        fallo_ = FalloDelSistema(errorSistema, destino_);
}

bool EscrituraFichero::Abre() {
    const QString motivo = DestinoNoEscribible(destino_);
    if (!motivo.isEmpty()) {
        AnotaFallo(ErrorFichero::AccesoRuta, motivo);
        return false;
    }
    const QFileInfo info(destino_);
    LimpiaTemporales(info.absoluteDir(), info.fileName());
#if defined(Q_OS_UNIX)
    const int fd = ::open(RutaSistema(temporal_).constData(),
                          O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) {
        const int error = errno;
        const QString carpeta = QDir::toNativeSeparators(info.absolutePath());
        if (info.absoluteDir().exists() && (error == ENOENT || error == ENOTDIR))
            AnotaFallo(ErrorFichero::AccesoRuta,
                       QStringLiteral("no se pueden crear ficheros en la carpeta ") + carpeta);
        else
            AnotaFalloSistema(error);
        return false;
    }
    ::flock(fd, LOCK_EX | LOCK_NB); // dice que el temporal es de un proceso vivo
    if (!fichero_.open(fd, QIODevice::WriteOnly | QIODevice::Unbuffered,
                       QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        AnotaFallo(NumeroErrorFichero(fichero_.error(), temporal_));
        return false;
    }
#else
    if (!fichero_.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
        AnotaFallo(NumeroErrorFichero(fichero_.error(), destino_));
        return false;
    }
#endif
    abierto_ = true;
    bufer_.reserve(bytesBufer_);
    return QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

bool EscrituraFichero::EscribeEnFichero(const char* datos, qint64 bytes) {
    if (HaFallado())
        return false;
#if defined(Q_OS_UNIX)
    const int fd = fichero_.handle();
    while (bytes > 0) {
        const ssize_t n = ::write(fd, datos, size_t(bytes));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            AnotaFalloSistema(n < 0 ? errno : ENOSPC);
            return false;
        }
        datos += n;
        bytes -= n;
    }
    return true;
#else
    if (fichero_.write(datos, bytes) == bytes)
        return true;
    AnotaFallo(NumeroEscrituraCorta(fichero_, destino_));
    return false;
#endif
}

bool EscrituraFichero::VaciaBufer() {
    const bool bien = EscribeEnFichero(bufer_.constData(), bufer_.size());
    bufer_.clear();
    return bien;
}

bool EscrituraFichero::Escribe(const char* datos, qint64 bytes) {
    if (!abierto_ || HaFallado())
        return false;
    escritos_ += bytes;
    if (bufer_.size() + bytes <= bytesBufer_) {
        bufer_.append(datos, bytes);
        return true;
    }
    // Los trozos grandes van directos, sin copiarlos al búfer.
    return VaciaBufer() && EscribeEnFichero(datos, bytes);
}

qint64 EscrituraFichero::writeData(const char* datos, qint64 bytes) {
    return Escribe(datos, bytes) ? bytes : -1;
}

ResultadoFichero EscrituraFichero::Publica() {
    if (!abierto_ && !HaFallado())
        AnotaFallo(ErrorFichero::ErrorEntradaSalida);
    if (!HaFallado())
        VaciaBufer();
#if defined(Q_OS_UNIX)
    // Volcado al disco antes del cambio de nombre: tras un corte de luz, o el fichero anterior
    // o el nuevo entero.
    if (!HaFallado() && ::fdatasync(fichero_.handle()) != 0 && errno != EINVAL)
        AnotaFalloSistema(errno);
#endif
    QIODevice::close();
    fichero_.close();
    if (!HaFallado() && fichero_.error() != QFileDevice::NoError)
        AnotaFallo(NumeroEscrituraCorta(fichero_, destino_));
    // El destino pudo cambiar mientras tanto: RenombraEncima lo vuelve a mirar.
    if (!HaFallado()) {
        if (const ResultadoFichero r = RenombraEncima(temporal_, destino_); !r.Bien())
            fallo_ = r;
    }
    if (HaFallado()) {
        BorraTemporal();
        return fallo_;
    }
    publicado_ = true;
#if defined(Q_OS_UNIX)
    // La entrada de la carpeta también, para que el nombre nuevo sobreviva a un corte.
    const int carpeta = ::open(RutaSistema(QFileInfo(destino_).absolutePath()).constData(),
                               O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (carpeta >= 0) {
        ::fsync(carpeta);
        ::close(carpeta);
    }
#endif
    return {0, destino_};
}

void EscrituraFichero::Descarta() {
    QIODevice::close();
    BorraTemporal();
}

void EscrituraFichero::BorraTemporal() {
    if (publicado_)
        return;
    if (fichero_.isOpen())
        fichero_.close();
    if (abierto_)
        QFile::remove(temporal_);
    abierto_ = false;
}

QString CausaEnPalabras(const ResultadoFichero& fallo) {
    if (!fallo.Causa.isEmpty())
        return fallo.Causa;
    const QString carpeta = QDir::toNativeSeparators(QFileInfo(fallo.Ruta).absolutePath());
    switch (fallo.Numero) {
    case ErrorFichero::DiscoLleno:
    case ErrorFichero::SinMemoria:
        return CausaErrorFichero(fallo.Numero);
    case ErrorFichero::RutaNoExiste:
        return QStringLiteral("no existe la carpeta ") + carpeta;
    case ErrorFichero::PermisoDenegado:
    case ErrorFichero::AccesoRuta:
        return QStringLiteral("no tiene permiso para escribir en la carpeta ") + carpeta;
    case ErrorFichero::NoExiste:
        return QStringLiteral("el fichero ha desaparecido mientras se escribía");
    default:
        return CausaErrorFichero(fallo.Numero) + QStringLiteral(" (error ") +
               QString::number(fallo.Numero) + u')';
    }
}

ResultadoFichero RenombraEncima(const QString& origen, const QString& destino) {
    if (const QString motivo = DestinoNoEscribible(destino); !motivo.isEmpty())
        return {ErrorFichero::AccesoRuta, destino, motivo};
    std::error_code error;
    std::filesystem::rename(std::filesystem::path(origen.toStdU16String()),
                            std::filesystem::path(destino.toStdU16String()), error);
    return error ? FalloDelSistema(error.value(), destino) : ResultadoFichero{0, destino};
}

ResultadoFichero GuardaFicheroEntero(const QString& ruta, const QByteArray& contenido) {
    EscrituraFichero fichero(ruta);
    if (fichero.Abre())
        fichero.Escribe(contenido);
    return fichero.Publica();
}

ResultadoFichero CopiaFichero(const QString& origen, const QString& destino) {
    QFile entrada(origen);
    if (!entrada.open(QIODevice::ReadOnly))
        return {NumeroErrorFichero(entrada.error(), origen), origen};
    EscrituraFichero salida(destino);
    if (!salida.Abre())
        return salida.Publica();
    QByteArray bloque(qsizetype(1) << 18, Qt::Uninitialized);
    for (;;) {
        const qint64 leidos = entrada.read(bloque.data(), bloque.size());
        if (leidos < 0) {
            salida.Descarta();
            return {NumeroErrorFichero(entrada.error(), origen), origen};
        }
        if (leidos == 0 || !salida.Escribe(bloque.constData(), leidos))
            break;
    }
    return salida.Publica();
}

bool EsFicheroDelPrograma(const QString& nombre) {
    return nombre.endsWith(QStringLiteral(".ZPK"), Qt::CaseInsensitive) ||
           nombre.endsWith(QStringLiteral(".LCK"), Qt::CaseInsensitive) ||
           nombre.compare(QStringLiteral("CSCD.WRK"), Qt::CaseInsensitive) == 0 ||
           (nombre.contains(MarcaTemporal) && nombre.endsWith(ExtensionTemporal)) ||
           nombre.contains(QStringLiteral(".ZPK.dañado"), Qt::CaseInsensitive);
}

namespace {

// La ruta con la carpeta resuelta (enlaces, "..") aunque el fichero aún no exista.
QString RutaResuelta(const QString& ruta) {
    const QFileInfo info(ruta);
    const QString carpeta = QFileInfo(info.absolutePath()).canonicalFilePath();
    return carpeta.isEmpty() ? QString() : carpeta + u'/' + info.fileName();
}

bool Dentro(const QString& ruta, const QString& carpeta) {
    const QString c = QFileInfo(carpeta).canonicalFilePath();
    return !c.isEmpty() && !ruta.isEmpty() &&
           (ruta == c || ruta.startsWith(c.endsWith(u'/') ? c : c + u'/'));
}

// Instalado (con su carpeta compartida), ni la carpeta del ejecutable ni la de sus ficheros.
bool DentroDeLaInstalacion(const QString& ruta) {
    if (QCoreApplication::instance() == nullptr)
        return false;
    const Distribucion d = BuscaDistribucion(QCoreApplication::applicationDirPath());
    return d.Instalada &&
           (Dentro(ruta, QCoreApplication::applicationDirPath()) || Dentro(ruta, d.Datos));
}

} // namespace

QString SalidaSobreElPrograma(const QString& carpetaDatos, const QString& ruta) {
    // La propia ruta y, si es un enlace, a donde apunta.
    QStringList resueltas{RutaResuelta(ruta)};
    if (QFileInfo(ruta).isSymLink())
        resueltas << QFileInfo(ruta).canonicalFilePath();
    const QString datos = QFileInfo(carpetaDatos).canonicalFilePath();
    for (const QString& r : resueltas) {
        if (r.isEmpty())
            continue;
        const QFileInfo info(r);
        if (!datos.isEmpty() && QFileInfo(info.absolutePath()).canonicalFilePath() == datos &&
            EsFicheroDelPrograma(info.fileName()))
            return info.fileName() +
                   QStringLiteral(" es un fichero de datos del programa y se perdería");
        if (r == datos)
            return QStringLiteral("es la carpeta de datos del programa");
        if (DentroDeLaInstalacion(r))
            return QStringLiteral("está en la carpeta donde se ha instalado el programa");
    }
    return QString();
}

QString MotivoSalidaNoValida(const QString& carpetaDatos, const QString& ruta) {
    if (ruta.isEmpty())
        return QStringLiteral("falta el nombre del fichero");
    if (QFileInfo(ruta).fileName().isEmpty())
        return QStringLiteral("es una carpeta, no un nombre de fichero");
    if (const QString motivo = DestinoNoEscribible(ruta); !motivo.isEmpty())
        return motivo;
    if (const QString motivo = SalidaSobreElPrograma(carpetaDatos, ruta); !motivo.isEmpty())
        return motivo;
    if (!QFileInfo(QFileInfo(ruta).absolutePath()).isDir())
        return QStringLiteral("no existe la carpeta ") +
               QDir::toNativeSeparators(QFileInfo(ruta).absolutePath());
    return QString();
}

void LimpiaTemporalesAbandonados(const QString& carpeta) {
    const QDir dir(carpeta);
    LimpiaTemporales(dir, QString());
    // Los de QSaveFile ("BASES.ZPK.a1B2c3") de versiones anteriores, pasada una hora.
    static const QRegularExpression guardado(QStringLiteral(R"(\.ZPK\.[A-Za-z0-9]{6}$)"));
    const QDateTime hace = QDateTime::currentDateTimeUtc().addSecs(-3600);
    for (const QFileInfo& info : dir.entryInfoList({QStringLiteral("*.ZPK.??????")}, QDir::Files))
        if (guardado.match(info.fileName()).hasMatch() && info.lastModified() < hace)
            QFile::remove(info.filePath());
}

} // namespace quiniela
