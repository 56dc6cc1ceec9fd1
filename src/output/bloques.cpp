#include "output/bloques.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

#include <cstdio>
#include <cstring>

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

SalidaBloques::SalidaBloques(const QString& ruta, Uso uso, qsizetype bytesBloque)
    : fichero_(uso == Uso::Trabajo
                   ? ruta
                   : ruta + u'.' + QString::number(QCoreApplication::applicationPid()) +
                         QStringLiteral(".tmp")),
      destino_(ruta), bufer_(bytesBloque, Qt::Uninitialized), datos_(bufer_.data()),
      bloque_(bytesBloque), trabajo_(uso) {}

SalidaBloques::~SalidaBloques() {
    if (creado_ && !confirmado_)
        fichero_.remove(); // el temporal, o el fichero de trabajo a medias
}

bool SalidaBloques::Abre() {
    // Sin búfer: con él, Qt puede perder el fallo del último vaciado y dar por bueno un
    // fichero a medias.
    QIODevice::OpenMode modo = QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered;
    if (trabajo_ == Uso::Trabajo) {
        // Un enlace simbólico se quita: se escribiría en el fichero al que apunta.
        if (QFileInfo(fichero_.fileName()).isSymLink())
            QFile::remove(fichero_.fileName());
        modo = QIODevice::ReadWrite | QIODevice::Unbuffered; // sin Truncate, a propósito
    }
    fallido_ = !fichero_.open(modo);
    creado_ = !fallido_;
    return !fallido_;
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
    if (trabajo_ == Uso::Trabajo && !fichero_.resize(fichero_.pos()))
        fallido_ = true;
    fichero_.close();
    fallido_ = fallido_ || fichero_.error() != QFileDevice::NoError ||
               (trabajo_ == Uso::Destino && !Sustituye());
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
