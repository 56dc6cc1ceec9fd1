#pragma once
// Recuento de un fichero de columnas en una sola pasada: aciertos por categoría y por
// boleto. Solo se guardan contadores y los boletos premiados, así que la memoria no crece con
// el número de columnas. El fichero se lee con PasaColumnas, como en la consulta, la copia y la
// impresión: mismas comprobaciones y los boletos numerados como en el fichero de boletos.

#include "output/fichero_boletos.h"
#include "scrutiny/escrutinio.h"

#include <QIODevice>

#include <functional>

namespace quiniela {

// Cuenta las columnas que quedan por leer en el dispositivo contra la ganadora (15 signos)
// y deja los contadores y los boletos premiados en el resultado (que debe llegar a cero).
// Completa si leyó el fichero entero; si no, `linea` es la que no es una columna
// (LineaErronea) o la última leída (FalloLectura), y el resultado no vale. alBloque se llama
// cada unas 16.000 columnas: la pantalla repinta desde ahí durante un escrutinio largo.
FinPasada CuentaColumnas(QIODevice& fichero, const QString& ganadora,
                         ResultadoEscrutinio& resultado, int64_t& linea,
                         const std::function<void()>& alBloque = {});

} // namespace quiniela
