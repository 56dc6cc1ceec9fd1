#pragma once
// La ejecución del escrutinio de la jornada y orden actuales, sin pantalla: la usan la
// pantalla de escrutinio y quiniela-cli.

#include "scrutiny/escrutinio.h"

#include <QString>

#include <functional>

namespace quiniela {

struct EstadoGlobal;

// Lo que el usuario marca y escribe en la pantalla.
struct EntradaEscrutinio {
    MarcasGanadora Marcas{};
    TextosPremio Textos;
};

enum class FinEscrutinio {
    Hecho,              // resultado completo: se puede imprimir el informe
    GanadoraIncompleta, // avisado con el diálogo de mensajes; la jornada ya está guardada
    SinColumnas,        // la reducción no tiene fichero de columnas (sin aviso)
    ErrorFichero,       // ya avisado con la caja del sistema
};

const QString& TituloGanadoraIncompleta();
const QString& TextoGanadoraIncompleta();

// Normaliza los premios (reescribe los textos), guarda la columna ganadora y los premios en
// la jornada, comprueba que la columna esté completa y cuenta el fichero de columnas de la
// reducción cargada en el estado. El resultado queda vacío salvo con Hecho. alBloque se
// llama durante el recuento, tras cada bloque del fichero de columnas.
FinEscrutinio RealizaEscrutinio(EstadoGlobal& estado, EntradaEscrutinio& entrada,
                                ResultadoEscrutinio& resultado,
                                const std::function<void()>& alBloque = {});

} // namespace quiniela
