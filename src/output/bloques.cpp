#include "output/bloques.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

#include <cstdio>
#include <cstring>

#if defined(Q_OS_UNIX)
#include <sys/file.h>
#endif

namespace quiniela {

QString CausaFalloEscritura(const QFileDevice& fichero, const QString& ruta) {
    const QDir carpeta = QFileInfo(ruta).absoluteDir();
    const QStorageInfo volumen(carpeta.path());
    QString causa;
    if (!carpeta.exists())
        causa = QStringLiteral("no existe la carpeta ") + QDir::toNativeSeparators(carpeta.path());
    else if (fichero.error() == QFileDevice::ResourceError ||
             (volumen.isValid() && volumen.bytesAvailable() == 0))
        causa = QStringLiteral("el disco está lleno");
    else if (volumen.isValid() && volumen.isReadOnly())
        causa = QStringLiteral("el disco es de solo lectura");
    else if (!QFileInfo(carpeta.path()).isWritable())
        causa = QStringLiteral("no tiene permiso para escribir en la carpeta");
    else
        causa = QStringLiteral("el sistema no lo ha permitido");
    return causa + QStringLiteral(" (") + fichero.errorString() + u')';
}

namespace {

// Cerrojos de aviso entre quien lee y quien reescribe: no impiden nada a quien no los mira.
bool Cerrojo([[maybe_unused]] const QFile& fichero, [[maybe_unused]] bool exclusivo) {
#if defined(Q_OS_UNIX)
    return ::flock(fichero.handle(), (exclusivo ? LOCK_EX : LOCK_SH) | LOCK_NB) == 0;
#else
    return false; // sin cerrojos, el de trabajo va siempre aparte
#endif
}

QString RutaTemporal(const QString& ruta) {
    return ruta + u'.' + QString::number(QCoreApplication::applicationPid()) +
           QStringLiteral(".tmp");
}

} // namespace

void MarcaLectura(const QFile& fichero) {
    Cerrojo(fichero, false);
}

SalidaBloques::SalidaBloques(const QString& ruta, Uso uso, qsizetype bytesBloque)
    : fichero_(RutaTemporal(ruta)), destino_(ruta), bufer_(bytesBloque, Qt::Uninitialized),
      datos_(bufer_.data()), bloque_(bytesBloque), trabajo_(uso) {}

SalidaBloques::~SalidaBloques() {
    if (creado_ && !confirmado_)
        fichero_.remove(); // el temporal, o el fichero de trabajo a medias
}

// Sin búfer: con él, Qt puede perder el fallo del último vaciado y dar por bueno un fichero a
// medias.
bool SalidaBloques::Abre() {
    if (trabajo_ == Uso::Trabajo && AbreEnSuSitio())
        return !fallido_;
    fallido_ = !fichero_.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered);
    creado_ = !fallido_;
    return !fallido_;
}

// El de trabajo, abierto en su sitio sin truncarlo; false si alguien lo está leyendo y hay
// que escribirlo aparte.
bool SalidaBloques::AbreEnSuSitio() {
    // Un enlace simbólico se quita: se escribiría en el fichero al que apunta.
    if (QFileInfo(destino_).isSymLink())
        QFile::remove(destino_);
    fichero_.setFileName(destino_);
    fallido_ = !fichero_.open(QIODevice::ReadWrite | QIODevice::Unbuffered);
    if (fallido_ || Cerrojo(fichero_, true)) {
        enSuSitio_ = creado_ = !fallido_;
        return true;
    }
    fichero_.close();
    fichero_.setFileName(RutaTemporal(destino_));
    return false;
}

void SalidaBloques::Escribe(const char* datos, qsizetype bytes) {
    if (!fallido_ && fichero_.write(datos, bytes) != bytes)
        fallido_ = true;
}

void SalidaBloques::AnadeGrande(const char* datos, qsizetype bytes) {
    Vacia();
    if (bytes >= bloque_ / 2) {
        Escribe(datos, bytes);
        return;
    }
    std::memcpy(datos_, datos, size_t(bytes));
    lleno_ = bytes;
}

bool SalidaBloques::Vacia() {
    if (lleno_ > 0)
        Escribe(bufer_.constData(), lleno_);
    lleno_ = 0;
    return !fallido_;
}

bool SalidaBloques::Confirma() {
    if (!Vacia())
        return false;
    // El de trabajo acaba donde acaba lo escrito: lo que sobre del anterior se corta.
    if (enSuSitio_ && !fichero_.resize(fichero_.pos()))
        fallido_ = true;
    fichero_.close();
    fallido_ =
        fallido_ || fichero_.error() != QFileDevice::NoError || (!enSuSitio_ && !Sustituye());
    confirmado_ = !fallido_;
    return !fallido_;
}

bool SalidaBloques::Sustituye() {
    const QByteArray temporal = QFile::encodeName(fichero_.fileName());
    const QByteArray destino = QFile::encodeName(destino_);
    // rename() sustituye el destino de una vez: nunca queda a medias ni desaparece.
    return std::rename(temporal.constData(), destino.constData()) == 0;
}

} // namespace quiniela
