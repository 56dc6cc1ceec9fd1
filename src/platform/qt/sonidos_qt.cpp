#include "platform/qt/sonidos_qt.h"

#include "core/mascaras.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace quiniela {

SonidosQt::SonidosQt() : SonidosQt(RutaModuloSonido()) {}

SonidosQt::SonidosQt(const QString& rutaModulo) : Modulo(rutaModulo) {}

QString SonidosQt::RecursoSonido(int numero) {
    return QStringLiteral(":/sonidos/sonido") + DosCifras(numero) + QStringLiteral(".wav");
}

QString SonidosQt::RutaModuloSonido() {
    const QDir ejecutable(QCoreApplication::applicationDirPath());
    const QString nombre = QStringLiteral(QUINIELA_MODULO_SONIDO);
    const QString junto = ejecutable.filePath(nombre);
    if (QFileInfo::exists(junto))
        return junto;
    return QDir::cleanPath(
        ejecutable.filePath(QStringLiteral(QUINIELA_MODULOS_RELATIVA "/") + nombre));
}

bool SonidosQt::Disponible() {
    if (!Intentado) {
        Intentado = true;
        // Un solo intento: si falta, cada sonido no vuelve a buscarlo. El módulo no se
        // descarga nunca (QLibrary no lo hace al destruirse): su código puede seguir en uso
        // por Qt Multimedia (hilos de audio) hasta el final del proceso.
        Modulo.setLoadHints(QLibrary::ResolveAllSymbolsHint);
        Tocar = reinterpret_cast<EntradaSonido>(Modulo.resolve(SimboloTocaSonido));
    }
    return Tocar != nullptr;
}

void SonidosQt::Toca(int numero) {
    if (Disponible())
        Tocar(RecursoSonido(numero));
}

} // namespace quiniela
