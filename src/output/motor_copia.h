#pragma once
// La copia a disco de la reducción actual: rehace el fichero de boletos, escribe el destino
// en el formato elegido con aviso de progreso y cancelación, y deja los textos de estado.
// El destino se escribe en un temporal de su carpeta que solo lo sustituye al terminar:
// cancelar o fallar deja intacto el archivo que hubiera.

#include "output/destinos.h"
#include "output/fichero_boletos.h"
#include "output/formatos_exportar.h"

#include <QString>

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>

namespace quiniela {

struct EstadoGlobal;

struct MensajeCopia {
    QString Titulo;
    QString Texto;
};

struct OpcionesCopia {
    FormatoExportar Formato = FormatoExportar::AD243;
    UnidadDestino Unidad;
    QString NombreArchivo; // el texto del campo; se le quitan los blancos de los lados
    // Solo cuando cambia el porcentaje entero de columnas copiadas.
    std::function<void(int porcentaje)> AlAvanzar;
    // Textos de estado: "Se está creando...", "Se ha copiado a...", la cancelación.
    std::function<void(const QString& texto)> AlCambiarEstado;
    // El aviso "BOLETO INCOMPLETO", antes de escribir; la copia sigue después.
    std::function<void(const MensajeCopia& mensaje)> AlAvisar;
    // "Cancelar el proceso": se mira tras cada hueco, cada tramo de columnas (un bloque de
    // lectura como mucho) y cada cambio de porcentaje.
    const std::atomic<bool>* CancelarProceso = nullptr;
};

enum class FinCopia {
    Terminada,
    Cancelada,   // nada cambia en el destino
    SinColumnas, // la reducción no tiene fichero de columnas: nada escrito, sin mensaje
    Rechazada,   // nombre no válido, reducción vacía o demasiado grande para AD243
    Fallida      // no se pudo leer o escribir: Mensaje dice qué fichero y por qué
};

struct ResultadoCopia {
    FinCopia Fin = FinCopia::Rechazada;
    std::optional<MensajeCopia> Mensaje; // Rechazada y Fallida
    RecuentoBoletos Recuento;            // del fichero de boletos
    int64_t ColumnasCopiadas = 0;
    int64_t BoletosCopiados = 0;
    int64_t TotalColumnas = 0; // en AD243, con las columnas duplicadas
    QString Ruta;              // el archivo de destino
};

// Copia la reducción de (Datos.JornadaActual, Datos.OrdenActual). Si la carpeta de destino
// ha desaparecido pregunta "NO HAY DISCO" con el botón "Copiar apuestas" y reintenta.
ResultadoCopia EjecutaCopia(EstadoGlobal& estado, const OpcionesCopia& opciones);

// Mensaje para un nombre de archivo que no se puede usar en esa carpeta (vacío, "..", con
// "/" o "\", o un fichero del programa en la carpeta de datos); nullopt si vale.
std::optional<MensajeCopia> CompruebaNombreArchivo(const EstadoGlobal& estado,
                                                   const QString& carpeta, const QString& nombre);

// Porcentaje de columnas copiadas, redondeado al entero más próximo (mitades al par).
int PorcentajeCopia(int64_t copiadas, int64_t total);

// Textos de la copia.
QString TextoPorcentajeCopia(int porcentaje); // "Se ha copiado el " + "##0" + " %"
QString TextoCreandoArchivo(const QString& unidad, const QString& nombre);
QString TextoArchivoCopiado(const QString& unidad, const QString& nombre);
QString TextoCopiaCancelada();
MensajeCopia MensajeBoletoIncompleto(int64_t boletos);
MensajeCopia MensajeNoHayDisco(const QString& unidad);

} // namespace quiniela
