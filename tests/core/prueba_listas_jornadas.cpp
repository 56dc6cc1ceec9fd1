// La lista de jornadas llega hasta la jornada actual aunque pase del total de la temporada.
#include "core/estado_global.h"
#include "core/listas.h"

#include <gtest/gtest.h>

using namespace quiniela;

TEST(ListaJornadas, LlegaHastaLaJornadaActual) {
    const struct {
        int total, actual, entradas, columnas;
    } casos[] = {{42, 7, 42, 5}, {10, 10, 10, 1}, {38, 42, 42, 5}, {10, 11, 11, 2}};
    for (const auto& c : casos) {
        EstadoGlobal estado;
        estado.Datos.TotalJornadas = int16_t(c.total);
        estado.Datos.JornadaActual = int16_t(c.actual);
        const ContenidoLista lista = CargaLisJornadas(estado, false);
        EXPECT_EQ(lista.entradas.size(), c.entradas) << c.total << "/" << c.actual;
        EXPECT_EQ(lista.columnas, c.columnas);
        ASSERT_GE(lista.seleccion, 0);
        EXPECT_LT(lista.seleccion, lista.entradas.size()); // nunca una fila que no existe
    }
}
