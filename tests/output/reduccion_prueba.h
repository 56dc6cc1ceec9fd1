#pragma once
// Reducciones guardadas de prueba para las impresiones: índice y fichero de columnas.

#include "core/estado_global.h"
#include "output/columnas_prueba.h"
#include "reduction/fichero_bases.h"
#include "support/carpeta_temporal.h"

#include <QStringList>

namespace quiniela::prueba {

// Guarda la reducción (jornada, orden) con esas columnas: el partido 15 de la base lleva los
// signos 15 que aparecen (un grupo por signo). La deja cargada en el estado.
inline void GuardaReduccion(const CarpetaTemporal& datos, EstadoGlobal& estado, int jornada,
                            int orden, const QStringList& columnas, Reduccion red = {}) {
    red.ApuestasReducidas = int32_t(columnas.size());
    red.ApuestasBase = std::max<int32_t>(red.ApuestasBase, 3 * red.ApuestasReducidas);
    PartidoBase& p15 = red.Base[NumPartidos];
    p15.Signo = {};
    for (const QString& c : columnas)
        p15.Signo[QStringLiteral("?1X2").indexOf(c.at(NumPartidos - 1))] = 1;
    p15.RecuentaSignos();
    datos.Escribe(QString::fromLatin1(NombreFicheroBases),
                  ConstruyeRegistroReduccion(jornada, orden, red).toLatin1() + "\r\n");
    datos.Escribe(NombreFicheroApuestas(jornada, orden), FicheroColumnas(columnas));
    estado.Datos.JornadaActual = int16_t(jornada);
    estado.Datos.OrdenActual = int16_t(orden);
    LeeFicheroBases(estado);
}

} // namespace quiniela::prueba
