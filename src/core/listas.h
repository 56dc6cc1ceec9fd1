#pragma once
// Colocación y contenido de las listas de jornadas y de orden de las pantallas.

#include <QRect>
#include <QStringList>

namespace quiniela {

struct EstadoGlobal;

struct ContenidoLista {
    QRect Geometria;      // izquierda, arriba, ancho, alto en píxeles
    int Columnas = 1;     // columnas de la lista (10 entradas como mucho en cada una)
    QStringList Entradas; // números alineados a la derecha en dos caracteres
    int Seleccion = -1;   // índice (desde 0) de la entrada elegida
};

// Lista de jornadas: desplazada 17 píxeles en la pantalla de jornadas.
ContenidoLista CargaLisJornadas(const EstadoGlobal& estado, bool pantallaJornadas);
// Lista de números de orden 1..30.
ContenidoLista CargaLisOrden(const EstadoGlobal& estado);

} // namespace quiniela
