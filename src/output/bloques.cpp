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
    : Fichero(ruta + u'.' + QString::number(QCoreApplication::applicationPid()) +
              QStringLiteral(".tmp")),
      Destino(ruta), Bufer(bytesBloque, Qt::Uninitialized), Datos(Bufer.data()),
      Bloque(bytesBloque), Trabajo(uso) {}

SalidaBloques::~SalidaBloques() {
    if (Creado && !Confirmado)
        Fichero.remove(); // sin confirmar, el temporal se va y el destino queda como estaba
}

bool SalidaBloques::Abre() {
    // Sin búfer: con él, Qt puede perder el fallo del último vaciado y dar por bueno un
    // fichero a medias.
    Fallido = !Fichero.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered);
    Creado = !Fallido;
    return !Fallido;
}

void SalidaBloques::Escribe(const char* datos, qsizetype bytes) {
    if (!Fallido && Fichero.write(datos, bytes) != bytes)
        Fallido = true;
}

void SalidaBloques::AnadeGrande(const char* datos, qsizetype bytes) {
    Vacia();
    if (bytes >= Bloque / 2) {
        Escribe(datos, bytes);
        return;
    }
    std::memcpy(Datos, datos, size_t(bytes));
    Lleno = bytes;
}

bool SalidaBloques::Vacia() {
    if (Lleno > 0)
        Escribe(Bufer.constData(), Lleno);
    Lleno = 0;
    return !Fallido;
}

bool SalidaBloques::Confirma() {
    if (!Vacia())
        return false;
    Fichero.close();
    Fallido = Fichero.error() != QFileDevice::NoError || !Sustituye();
    Confirmado = !Fallido;
    return !Fallido;
}

bool SalidaBloques::Sustituye() {
    const QByteArray temporal = QFile::encodeName(Fichero.fileName());
    const QByteArray destino = QFile::encodeName(Destino);
#if defined(RENAME_EXCHANGE)
    // Un fichero de trabajo se rehace cada vez: no vale la pena que ext4, al sustituir uno
    // que existe con rename(), fuerce a escribir en el disco los cientos de megas del nuevo
    // (tarda más que copiarlo). Intercambiados, el anterior queda con el nombre del
    // temporal y se borra; donde no se puede intercambiar, rename().
    if (Trabajo == Uso::Trabajo && renameat2(AT_FDCWD, temporal.constData(), AT_FDCWD,
                                             destino.constData(), RENAME_EXCHANGE) == 0) {
        ::unlink(temporal.constData());
        return true;
    }
#endif
    // rename() sustituye el destino de una vez: nunca queda a medias ni desaparece.
    return std::rename(temporal.constData(), destino.constData()) == 0;
}

} // namespace quiniela
