#include "core/listas.h"

#include "core/estado_global.h"
#include "core/mascaras.h"

#include <algorithm>

namespace quiniela {

ContenidoLista CargaLisJornadas(const EstadoGlobal& estado, bool pantallaJornadas) {
    ContenidoLista lista;
    const int desplazamiento = pantallaJornadas ? 17 : 0;
    // Una reducción guardada en una jornada por encima del total (el total se bajó después)
    // tiene que poder elegirse: la lista llega hasta la jornada actual.
    const int total = std::max<int>(estado.Datos.TotalJornadas, estado.Datos.JornadaActual);
    lista.Columnas = (total + 9) / 10;
    const int ancho = 18 * lista.Columnas;
    lista.Geometria =
        QRect((90 - ancho) / 2 + 15 + desplazamiento, 38 + desplazamiento, ancho, 140);
    for (int j = 1; j <= total; ++j)
        lista.Entradas << ADerecha(j, 2);
    lista.Seleccion = estado.Datos.JornadaActual - 1;
    return lista;
}

ContenidoLista CargaLisOrden(const EstadoGlobal& estado) {
    ContenidoLista lista;
    lista.Geometria = QRect(140, 54, 38, 198);
    for (int o = 1; o <= MaxOrden; ++o)
        lista.Entradas << ADerecha(o, 2);
    lista.Seleccion = estado.Datos.OrdenActual - 1;
    return lista;
}

} // namespace quiniela
