#include "core/fichero_parcial.h"

#include "core/error_fichero.h"

#include <QCoreApplication>
#include <QDir>

#include <filesystem>
#include <system_error>

namespace quiniela {

namespace {

const QString ExtensionParcial = QStringLiteral(".parcial");
const QString ExtensionBloqueo = QStringLiteral(".lck");

std::filesystem::path RutaSistema(const QString& ruta) {
    return std::filesystem::path(ruta.toStdU16String());
}

// Un temporal es abandonado si nadie tiene su bloqueo; nunca por antigüedad: una reducción
// de 3^15 en una máquina lenta puede durar mucho.
bool TomaAbandonado(QLockFile& bloqueo) {
    bloqueo.setStaleLockTime(0);
    return bloqueo.tryLock(0);
}

} // namespace

QString RutaParcial(const QString& rutaFinal) {
    return rutaFinal + u'.' + QString::number(QCoreApplication::applicationPid()) +
           ExtensionParcial;
}

FicheroParcial::FicheroParcial(const QString& rutaFinal)
    : rutaFinal_(rutaFinal), rutaTemporalFichero_(RutaParcial(rutaFinal)),
      bloqueo_(rutaTemporalFichero_ + ExtensionBloqueo), temporal_(rutaTemporalFichero_) {}

FicheroParcial::~FicheroParcial() {
    if (publicado_)
        return;
    temporal_.close();
    QFile::remove(rutaTemporalFichero_);
    bloqueo_.unlock();
}

bool FicheroParcial::Abre(QIODevice::OpenMode modo) {
    // Sin el bloqueo (carpeta que no existe...) la apertura falla igual y dice por qué.
    bloqueo_.setStaleLockTime(0);
    bloqueo_.tryLock(0);
    return temporal_.open(modo);
}

int FicheroParcial::Publica() {
    temporal_.close();
    std::error_code error;
    std::filesystem::rename(RutaSistema(rutaTemporalFichero_), RutaSistema(rutaFinal_), error);
    if (error) {
        if (!QFile::exists(rutaTemporalFichero_))
            return ErrorFichero::NoExiste;
        return error == std::errc::permission_denied ? ErrorFichero::PermisoDenegado
                                                     : ErrorFichero::ErrorEntradaSalida;
    }
    publicado_ = true;
    bloqueo_.unlock();
    return 0;
}

void LimpiaFicherosParciales(const QString& carpeta) {
    const QDir dir(carpeta);
    for (const QString& nombre :
         dir.entryList({u'*' + ExtensionParcial}, QDir::Files | QDir::Hidden)) {
        QLockFile bloqueo(dir.filePath(nombre) + ExtensionBloqueo);
        if (!TomaAbandonado(bloqueo))
            continue;
        QFile::remove(dir.filePath(nombre));
        bloqueo.unlock();
    }
    // Bloqueos sin temporal: el proceso murió entre crear uno y otro.
    for (const QString& nombre :
         dir.entryList({u'*' + ExtensionParcial + ExtensionBloqueo}, QDir::Files | QDir::Hidden)) {
        QLockFile bloqueo(dir.filePath(nombre));
        if (TomaAbandonado(bloqueo))
            bloqueo.unlock();
    }
}

} // namespace quiniela
