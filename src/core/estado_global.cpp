#include "core/estado_global.h"

#include "core/mascaras.h"

namespace quiniela {

QString NombreFicheroApuestas(int jornada, int orden) {
    return QStringLiteral("RED") + DosCifras(jornada) + DosCifras(orden) + QStringLiteral(".ZPK");
}

void EstadoGlobal::ActualizaFicheroApuestas() {
    FicheroApuestas = NombreFicheroApuestas(Datos.JornadaActual, Datos.OrdenActual);
}

} // namespace quiniela
