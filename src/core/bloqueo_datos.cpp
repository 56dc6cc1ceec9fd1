#include "core/bloqueo_datos.h"

namespace quiniela {

BloqueoDatos::BloqueoDatos(const QString& carpeta, int esperaMs)
    : fichero_(carpeta + QString::fromLatin1(NombreBloqueoDatos)) {
    if (!fichero_.tryLock(esperaMs))
        ocupada_ = fichero_.error() == QLockFile::LockFailedError;
}

namespace {

// La carpeta que este hilo ya tiene bloqueada: un cambio que se compone de otros (un borrado,
// una sustitución) no espera por su propio bloqueo.
thread_local QString CarpetaDeEsteHilo;

} // namespace

ResultadoFichero ConCarpetaBloqueada(const QString& carpeta,
                                     const std::function<ResultadoFichero()>& cambio) {
    if (!CarpetaDeEsteHilo.isEmpty() && CarpetaDeEsteHilo == carpeta)
        return cambio();
    const BloqueoDatos bloqueo(carpeta);
    if (bloqueo.Ocupado())
        return {ErrorFichero::CarpetaOcupada, carpeta + QString::fromLatin1(NombreBloqueoDatos)};
    struct Marca {
        explicit Marca(const QString& c) { CarpetaDeEsteHilo = c; }
        ~Marca() { CarpetaDeEsteHilo.clear(); }
    } marca(carpeta);
    return cambio();
}

} // namespace quiniela
