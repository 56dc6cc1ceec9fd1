#include "output/bloques.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

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
    : fichero_(ruta + u'.' + QString::number(QCoreApplication::applicationPid()) +
               QStringLiteral(".tmp")),
      destino_(ruta), bufer_(bytesBloque, Qt::Uninitialized), datos_(bufer_.data()),
      bloque_(bytesBloque), trabajo_(uso) {}

SalidaBloques::~SalidaBloques() {
    if (creado_ && !confirmado_)
        fichero_.remove(); // sin confirmar, el temporal se va y el destino queda como estaba
}

bool SalidaBloques::Abre() {
    // Sin búfer: con él, Qt puede perder el fallo del último vaciado y dar por bueno un
    // fichero a medias.
    fallido_ = !fichero_.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered);
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
    fichero_.close();
    fallido_ = fichero_.error() != QFileDevice::NoError || !Sustituye();
    confirmado_ = !fallido_;
    return !fallido_;
}

bool SalidaBloques::Sustituye() {
    const QByteArray temporal = QFile::encodeName(fichero_.fileName());
    const QByteArray destino = QFile::encodeName(destino_);
#if defined(RENAME_EXCHANGE)
    // Un fichero de trabajo se rehace cada vez: no vale la pena que ext4, al sustituir uno
    // que existe con rename(), fuerce a escribir en el disco los cientos de megas del nuevo
    // (tarda más que copiarlo). Intercambiados, el anterior queda con el nombre del
    // temporal y se borra; donde no se puede intercambiar, rename().
    if (trabajo_ == Uso::Trabajo && renameat2(AT_FDCWD, temporal.constData(), AT_FDCWD,
                                              destino.constData(), RENAME_EXCHANGE) == 0) {
        ::unlink(temporal.constData());
        return true;
    }
#endif
    // rename() sustituye el destino de una vez: nunca queda a medias ni desaparece.
    return std::rename(temporal.constData(), destino.constData()) == 0;
}

} // namespace quiniela
