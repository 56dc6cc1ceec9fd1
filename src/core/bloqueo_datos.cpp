#include "core/bloqueo_datos.h"

namespace quiniela {

BloqueoDatos::BloqueoDatos(const QString& carpeta, int esperaMs)
    : fichero_(carpeta + QString::fromLatin1(NombreBloqueoDatos)) {
    if (!fichero_.tryLock(esperaMs))
        ocupada_ = fichero_.error() == QLockFile::LockFailedError;
}

ResultadoFichero ConCarpetaBloqueada(const QString& carpeta,
                                     const std::function<ResultadoFichero()>& cambio) {
    const BloqueoDatos bloqueo(carpeta);
    if (bloqueo.Ocupado())
        return {ErrorFichero::CarpetaOcupada, carpeta + QString::fromLatin1(NombreBloqueoDatos)};
    return cambio();
}

} // namespace quiniela
