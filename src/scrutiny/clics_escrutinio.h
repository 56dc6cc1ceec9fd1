#pragma once
// Lo que hace cada pulsación de la pantalla de escrutinio, sin ventana: la prueba de la
// rejilla de la columna ganadora, una marca por partido, el puntero sobre la rejilla, la
// carga de lo guardado de la jornada y el aspecto de la ventana según el método.

#include "reduction/clics_reduccion.h"
#include "scrutiny/realiza_escrutinio.h"

#include <QString>

namespace quiniela {

struct EstadoGlobal;

// Celda (partido 1..15, signo 1..3) de la rejilla ganadora bajo el punto, en píxeles de la
// rejilla: filas cada 18 con celdas de 15 de alto, columnas cada 15 con celdas de 13 de
// ancho; el primer signo empieza justo a la derecha de x = 3. Deja el resultado en
// PuntoCursor ((0, 0) si el punto cae en un hueco o fuera).
CeldaRejilla QueGanadoraHaPulsado(EstadoGlobal& estado, double x, double y);

// Pulsación en una celda: esa celda cambia y las otras dos del partido se quedan sin marca.
void PulsaGanadora(MarcasGanadora& marcas, CeldaRejilla celda);
// Lápiz sobre una celda libre, goma sobre la marcada, normal fuera.
CursorRejilla CursorSobreGanadora(const MarcasGanadora& marcas, CeldaRejilla celda);

// Título y ancho de la ventana (en píxeles, 15 twips cada uno) para el método.
QString TituloEscrutinio(int metodo);
int AnchoVentanaEscrutinio(int metodo);

// Lo guardado de la jornada y el orden actuales: registro de la jornada, columna ganadora,
// premios y reducción. Falla si una carga falló o no hay reducción con esa clave.
struct CargaEscrutinio {
    EntradaEscrutinio Entrada;
    PremiosCategoria Premios{};
    bool Falla = false;
};
CargaEscrutinio CargaEntradasEscrutinio(EstadoGlobal& estado);

const QString& TituloErrorJornadaOrden();
const QString& TextoErrorJornadaOrden();

} // namespace quiniela
