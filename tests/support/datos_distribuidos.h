#pragma once
// Los ficheros de datos que se distribuyen con el programa, copiados a una carpeta de prueba.

#include "support/carpeta_temporal.h"

#include <QDir>
#include <QFile>

namespace quiniela::prueba {

inline void CopiaDatosDistribuidos(const CarpetaTemporal& carpeta) {
    const QString fuentes = QStringLiteral(QUINIELA_FUENTES "/data/");
    for (const QString& f : QDir(fuentes).entryList({QStringLiteral("*.ZPK")}, QDir::Files))
        QFile::copy(fuentes + f, carpeta.Ruta(f));
}

} // namespace quiniela::prueba
