#pragma once
// Registros mínimos del índice y de las jornadas para las pruebas del histórico y de su orden.

#include "matchdays/fichero_jornadas.h"
#include "reduction/fichero_bases.h"
#include "support/carpeta_temporal.h"

#include <QStringList>

namespace quiniela::prueba {

inline QString RegistroDe(int jornada, int orden, int metodo, int base, int reducidas,
                          const QString& descripcion) {
    Reduccion red;
    red.Metodo = static_cast<int16_t>(metodo);
    red.ApuestasBase = base;
    red.ApuestasReducidas = reducidas;
    red.Descripcion = descripcion;
    return ConstruyeRegistroReduccion(jornada, orden, red);
}

inline QString RegistroDeJornada(int jornada, const QString& fecha) {
    return ComponeRegistroJornada(RegistroJornadaVacio(), jornada, fecha, EquiposJornada{});
}

inline void EscribeBases(const CarpetaTemporal& carpeta, const QStringList& registros) {
    QByteArray datos;
    for (const QString& r : registros)
        datos += r.toLatin1() + "\r\n";
    carpeta.Escribe(QStringLiteral("BASES.ZPK"), datos);
}

} // namespace quiniela::prueba
