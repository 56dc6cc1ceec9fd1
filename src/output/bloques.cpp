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

SalidaBloques::SalidaBloques(const QString& ruta, qsizetype bytesBloque)
    : Fichero(ruta + u'.' + QString::number(QCoreApplication::applicationPid()) +
              QStringLiteral(".tmp")),
      Destino(ruta), Bufer(bytesBloque, Qt::Uninitialized), Bloque(bytesBloque) {}

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
    std::memcpy(Bufer.data(), datos, size_t(bytes));
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
    // rename() sustituye el destino de una vez: nunca queda a medias ni desaparece.
    Fallido = Fichero.error() != QFileDevice::NoError ||
              std::rename(QFile::encodeName(Fichero.fileName()).constData(),
                          QFile::encodeName(Destino).constData()) != 0;
    Confirmado = !Fallido;
    return !Fallido;
}

} // namespace quiniela
