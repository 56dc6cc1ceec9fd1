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

LectorLineas::LectorLineas(QIODevice& dispositivo, qsizetype bytesBloque)
    : Dispositivo(dispositivo), Bufer(bytesBloque, Qt::Uninitialized) {}

bool LectorLineas::Rellena() {
    if (Agotado)
        return false;
    // Lo que queda sin leer pasa al principio; si una línea no cabe, el búfer crece.
    const qsizetype resto = Fin - Inicio;
    std::memmove(Bufer.data(), Bufer.constData() + Inicio, size_t(resto));
    Inicio = 0;
    Fin = resto;
    if (Fin == Bufer.size())
        Bufer.resize(Bufer.size() * 2);
    const qint64 leidos = Dispositivo.read(Bufer.data() + Fin, Bufer.size() - Fin);
    if (leidos < 0)
        FalloLectura = true;
    if (leidos <= 0) {
        Agotado = true;
        return false;
    }
    Fin += leidos;
    return true;
}

bool LectorLineas::Siguiente(const char*& datos, qsizetype& largo) {
    for (;;) {
        const char* inicio = Bufer.constData() + Inicio;
        const auto* salto =
            static_cast<const char*>(std::memchr(inicio, '\n', size_t(Fin - Inicio)));
        if (salto == nullptr && Rellena())
            continue;
        if (salto == nullptr && (FalloLectura || Fin == Inicio))
            return false;
        // Sin salto: la última línea del fichero.
        inicio = Bufer.constData() + Inicio;
        const char* final = salto != nullptr ? salto : Bufer.constData() + Fin;
        datos = inicio;
        largo = final - inicio;
        Inicio = salto != nullptr ? (salto - Bufer.constData()) + 1 : Fin;
        if (largo > 0 && datos[largo - 1] == '\r')
            --largo;
        return true;
    }
}

SalidaBloques::SalidaBloques(const QString& ruta, qsizetype bytesBloque)
    : Fichero(ruta + u'.' + QString::number(QCoreApplication::applicationPid()) +
              QStringLiteral(".tmp")),
      Destino(ruta), Bufer(bytesBloque + 4096, Qt::Uninitialized), Bloque(bytesBloque) {}

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

char* SalidaBloques::Reserva(qsizetype bytes) {
    if (Lleno + bytes > Bufer.size() || Lleno >= Bloque)
        Vacia();
    if (bytes > Bufer.size())
        Bufer.resize(bytes);
    return Bufer.data() + Lleno;
}

void SalidaBloques::Anade(const char* datos, qsizetype bytes) {
    std::memcpy(Reserva(bytes), datos, size_t(bytes));
    Lleno += bytes;
}

bool SalidaBloques::Vacia() {
    if (!Fallido && Lleno > 0 && Fichero.write(Bufer.constData(), Lleno) != Lleno)
        Fallido = true;
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
