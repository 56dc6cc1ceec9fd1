#pragma once
// quiniela-cli en memoria sobre una carpeta temporal, o cualquier programa en su proceso:
// estado de salida, stdout y stderr.

#include "cli/linea_ordenes.h"
#include "support/carpeta_temporal.h"

#include <QProcess>

namespace quiniela::prueba {

struct Linea {
    int Estado = 0;
    QString Out;
    QString Err;
};

// quiniela-cli --datos CARPETA seguido de `args`.
inline Linea EjecutaCli(const CarpetaTemporal& carpeta, const QStringList& args) {
    Linea l;
    QTextStream out(&l.Out);
    QTextStream err(&l.Err);
    l.Estado = EjecutaLineaOrdenes(
        QStringList{QStringLiteral("quiniela-cli"), QStringLiteral("--datos"), carpeta.Ruta()} +
            args,
        out, err);
    return l;
}

// `programa` lanzado de verdad; uno colgado o que no acaba bien es un fallo (estado -1).
inline Linea Lanza(const QString& programa, const QStringList& args,
                   const QProcessEnvironment& entorno = QProcessEnvironment::systemEnvironment()) {
    QProcess p;
    p.setProcessEnvironment(entorno);
    p.start(programa, args);
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished();
        ADD_FAILURE() << "no acaba: " << programa.toStdString();
        return {-1, {}, {}};
    }
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

} // namespace quiniela::prueba
