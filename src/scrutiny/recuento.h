#pragma once
// Recuento de un fichero de columnas en una sola pasada: aciertos por categoría y por
// boleto. Solo se guardan contadores y los boletos premiados, así que la memoria no crece con
// el número de columnas; las líneas de 19 bytes ("15 signos" y CR LF) van por un camino
// rápido y cualquier otra línea se lee como un campo entre comillas.

#include "scrutiny/escrutinio.h"

#include <QIODevice>

#include <functional>

namespace quiniela {

// Boleto de la columna n (desde 1). Debe crecer con n y no dar más de 8 columnas por boleto.
using NumeraBoletos = std::function<int64_t(int64_t)>;

// Cuenta las columnas que quedan por leer en el dispositivo contra la ganadora (15 signos)
// y deja los contadores y los boletos premiados en el resultado (que debe llegar a cero).
// Devuelve false si la lectura falla. alBloque se llama tras cada bloque leído (unas 16.000
// columnas): la pantalla repinta desde ahí durante un escrutinio largo.
bool CuentaColumnas(QIODevice& fichero, const QString& ganadora, const NumeraBoletos& boletoDe,
                    ResultadoEscrutinio& resultado, const std::function<void()>& alBloque = {});

} // namespace quiniela
