#pragma once
// Ejecución de quiniela-cli dentro de una prueba y copia de los datos distribuidos.

#include "cli/linea_ordenes.h"
#include "support/carpeta_temporal.h"

#include <QDir>
#include <QFile>
#include <QTextStream>

namespace quiniela::prueba {

struct SalidaLinea {
    int estado = 0;
    QString out;
    QString err;
};

// quiniela-cli --datos CARPETA ARGUMENTOS...
inline SalidaLinea EjecutaOrden(const CarpetaTemporal& datos, const QStringList& argumentos) {
    SalidaLinea s;
    QTextStream out(&s.out);
    QTextStream err(&s.err);
    s.estado = EjecutaLineaOrdenes(
        QStringList{QStringLiteral("quiniela-cli"), QStringLiteral("--datos"), datos.Ruta()} +
            argumentos,
        out, err);
    return s;
}

// Copia a la carpeta los ficheros de datos que se distribuyen con el programa.
inline void CopiaDatosDistribuidos(const CarpetaTemporal& datos) {
    const QString fuentes = QStringLiteral(QUINIELA_FUENTES "/data/");
    for (const QString& f : QDir(fuentes).entryList({QStringLiteral("*.ZPK")}, QDir::Files))
        QFile::copy(fuentes + f, datos.Ruta(f));
}

} // namespace quiniela::prueba
