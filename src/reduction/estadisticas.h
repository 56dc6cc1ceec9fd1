#pragma once
// Estadísticas de una reducción calculadas sin desarrollar la base: cuentas de múltiples,
// columnas de la base y aceptadas, factor, importes, y las líneas del panel y del resumen
// de una reducción guardada, listas para dibujar.

#include "core/tipos.h"
#include "reduction/tablas_directas.h"

#include <QLocale>
#include <QRect>
#include <QString>

#include <array>
#include <cstdint>
#include <vector>

namespace quiniela {

struct EstadisticasReduccion {
    int16_t Dobles = 0;                               // partidos 1..15 con dos signos
    int16_t Triples = 0;                              // partidos 1..15 con tres signos
    int16_t DoblesAReducir = 0;                       // D
    int16_t TriplesAReducir = 0;                      // T
    int16_t MultiplesAReducir = 0;                    // M
    std::array<int16_t, NumSignosMax + 1> MaxSigno{}; // [1..3]
    int32_t Total = 1;                                // columnas que desarrolla la base
    int32_t Aceptadas = 0;                            // columnas que acepta la reducción
    int32_t Excluidas = 0;                            // Total - Aceptadas
    float Factor = 1.0f;                              // 0 cuando no se acepta ninguna
    bool HayTabla = false;                            // método directo: se eligió una tabla
};

// Recuenta todo tras un cambio de la base o de los parámetros. Mantiene coherentes los
// parámetros: MinErrores y MaxErrores no pasan de M y se borran los totales de signos por
// encima de MaxSigno. En el método directo elige la tabla en `tablaElegida`.
EstadisticasReduccion CalculaEstadisticas(Reduccion& red, TablaDirecta& tablaElegida);

// Columnas del método directo: las de la tabla por el desarrollo completo de los partidos
// sin hueco (cuenta exacta, igual a lo que escribe la reducción).
int32_t ColumnasMetodoDirecto(const QuinielaBase& base, const TablaDirecta& tabla);

// Formas de dar a cada partido elegido uno de sus signos marcados de modo que haya
// exactamente c1 "1", cX "X" y c2 "2" entre ellos.
int32_t CuentaColumnasPorTotales(const QuinielaBase& base, int c1, int cX, int c2);

// Importe de unas columnas al precio de la apuesta, redondeado a céntimos.
double Importe(double precio, int64_t columnas);
// parte × 100 / total; 0 sin total.
double Porcentaje(int64_t parte, int64_t total);

// C(n, k) redondeado a entero de 16 bits; C(n, 0) = 1 y C(n, k) = 0 si k > n.
int16_t Combinaciones(int n, int k);

// Una línea del panel de estadísticas: grupo 1..4, rótulo y valor con su máscara.
struct LineaEstadistica {
    int Grupo;
    QString Rotulo;
    QString Valor;
};
std::vector<LineaEstadistica> LineasPanelEstadisticas(const EstadisticasReduccion& est, int metodo,
                                                      float precio, const QLocale& regional);

// Resumen de una reducción guardada, con la geometría de la superficie donde se dibuja.
struct LineaResumen {
    QString Rotulo; // en x0
    QString Valor;  // en x0 + 120 (vacío en la primera línea, que va entera desde x0)
};
struct ResumenReduccion {
    bool Dibuja = false; // nada que dibujar si la base no desarrolla más de una columna
    int X0 = 0;          // margen del texto
    QRect Banda;         // franja clara de 240 × 68 detrás del texto
    int YTexto = 418;    // primera línea
    std::vector<LineaResumen> Lineas;
};
ResumenReduccion DibujaResumenReduccion(const Reduccion& red, float precio, int anchoSuperficie,
                                        const QLocale& regional);

} // namespace quiniela
