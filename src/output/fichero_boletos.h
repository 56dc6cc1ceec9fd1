#pragma once
// Fichero de trabajo de boletos FORBOLW.ZPK y cuentas de boletos. Un registro son 19 bytes:
// comillas, 15 caracteres, comillas, CR LF; es una columna o un hueco de 15 blancos. Cada 8
// registros son un boleto, y un boleto no mezcla signos distintos en el partido 15 porque
// el boleto oficial solo tiene una marca para él.

#include "core/tipos.h"

#include <QIODevice>
#include <QString>

#include <atomic>
#include <cstdint>

namespace quiniela {

struct EstadoGlobal;

inline constexpr auto NombreFicheroBoletos = "FORBOLW.ZPK";
inline constexpr int ColumnasPorBoleto = 8;
inline constexpr int BytesRegistroBoleto = 19;

// Reparto de las columnas en boletos a medida que se leen. Sirve para el fichero de
// trabajo y para quien necesite saber en qué boleto cae cada columna sin escribirlo.
struct RecuentoBoletos {
    int64_t RegistrosBoletos = 0;  // registros del fichero de trabajo, huecos incluidos
    int64_t Columnas = 0;          // columnas anotadas
    int64_t Boletos = 0;           // boletos empezados: el de la última columna
    int64_t BoletosUnaColumna = 0; // boletos que tienen, por ahora, una sola columna
    int ColumnasUltimoBoleto = 0;  // columnas del último boleto
    char Signo15 = 0;              // signo del partido 15 de la última columna (mayúscula)

    // Anota una columna por su signo del partido 15; devuelve los huecos en blanco que hay
    // que escribir antes de ella (0..7) para que abra boleto.
    int AnadeColumna(char signo15);
};

// Columnas de un fichero de columnas por su tamaño (19 bytes por línea); 0 si no existe.
int64_t ColumnasEnFichero(const QString& ruta);

// Número de signos del partido 15 de la base: los grupos de columnas por su signo 15.
int GruposPartido15(const QuinielaBase& base);

// Boletos de una reducción de `total` columnas repartidas en grupos iguales por el signo
// del partido 15, y columnas de su último boleto (1..8). Sin columnas o sin signos en el
// partido 15 no hay reducción: 0 y 0.
int64_t CalculaBoletos(const QuinielaBase& base, int64_t total);
int ColumnasUltimoBoleto(const QuinielaBase& base, int64_t total);

// Boleto (desde 1) de la columna n (desde 1) de un fichero de `total` columnas con esa base.
// 0 si no hay reducción o n está fuera de 1..total.
int64_t BoletoDeColumna(const QuinielaBase& base, int64_t total, int64_t n);

struct ResultadoFicheroBoletos {
    int Error = 0;            // número de error (0 si fue bien)
    QString Fichero;          // el fichero del error: el de columnas o FORBOLW.ZPK
    QString Causa;            // por qué falló, en español
    int64_t LineaErronea = 0; // línea del fichero de columnas que no es una columna
    bool Cancelado = false;
    RecuentoBoletos Recuento;
};

// Rehace FORBOLW.ZPK en la carpeta de datos con las columnas leídas de `columnas` (abierto
// para leer). Se escribe en un temporal que sustituye al anterior solo si todo fue bien.
// Mira `cancelar` tras cada columna. El nombre de `columnas` solo sirve para los mensajes.
ResultadoFicheroBoletos CreaFicheroBoletos(const EstadoGlobal& estado, QIODevice& columnas,
                                           const QString& nombreColumnas,
                                           const std::atomic<bool>* cancelar = nullptr);

} // namespace quiniela
