#pragma once
// Reducciones guardadas de prueba: su registro en BASES.ZPK y su fichero de columnas.

#include "core/codificacion.h"
#include "output/columnas_prueba.h"
#include "reduction/fichero_bases.h"
#include "support/carpeta_temporal.h"

namespace quiniela::prueba {

// Añade al índice el registro de (jornada, orden), con `signos15` signos en el partido 15, y
// escribe su fichero de columnas.
inline void GuardaReduccionPrueba(const CarpetaTemporal& carpeta, int jornada, int orden,
                                  const QStringList& columnas, int signos15 = 1) {
    Reduccion red;
    red.PonPorDefecto();
    for (int k = 1; k <= signos15; ++k)
        red.Base[NumPartidos].Signo[k] = 1;
    red.Base[NumPartidos].RecuentaSignos();
    red.ApuestasReducidas = static_cast<int32_t>(columnas.size());
    const QString indice = QStringLiteral("BASES.ZPK");
    carpeta.Escribe(indice, (carpeta.Existe(indice) ? carpeta.Lee(indice) : QByteArray()) +
                                AWindows1252(ConstruyeRegistroReduccion(jornada, orden, red)) +
                                "\r\n");
    carpeta.Escribe(NombreFicheroApuestas(jornada, orden), FicheroColumnas(columnas));
}

} // namespace quiniela::prueba
