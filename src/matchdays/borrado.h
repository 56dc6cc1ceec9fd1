#pragma once
// Borrado de un tramo de jornadas: sus registros de JORNADAS.ZPK quedan en blanco, sus
// reducciones salen del índice BASES.ZPK y se quitan sus ficheros de columnas. No se puede
// deshacer, así que borra exactamente el tramo pedido y, si algo falla, se para y lo dice.

#include "core/error_fichero.h"
#include "core/listas.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace quiniela {

struct EstadoGlobal;

inline constexpr int JornadasBorrado = 52; // las listas ofrecen siempre 52 jornadas
inline constexpr int TemaAyudaBorrado = 2800;

struct RangoJornadas {
    int Desde = 1;
    int Hasta = 1;
};

// Los dos extremos en orden, por si la lista "Desde" quedó detrás de "Hasta".
RangoJornadas OrdenaRango(int desde, int hasta);

// Lista de una de las dos jornadas del tramo: 1..52 con "@@", 6 columnas, la 1 elegida.
ContenidoLista CargaLisRango();

// Rótulos de los botones: "Desde la jornada" / "Hasta la jornada" + número con un blanco.
QString TituloDesde(int jornada);
QString TituloHasta(int jornada);

// Las dos jornadas del tramo que eligen las listas.
class RangoBorrado {
public:
    int JorIni() const { return desde_; }
    int JorFin() const { return hasta_; }
    // Elegida la primera (o la última): si el tramo queda al revés, la jornada que hay que
    // elegir en la otra lista, que se abre para confirmarla; 0 si no hace falta.
    int EligeDesde(int jornada);
    int EligeHasta(int jornada);

private:
    int desde_ = 1;
    int hasta_ = 1;
};

// Texto de la confirmación "BORRADO DE DATOS", con el tramo ya ordenado.
QString TextoConfirmacionBorrado(int jorIni, int jorFin);
QString TituloConfirmacionBorrado();

// Paso en el que se paró un borrado.
enum class PasoBorrado { Jornada, Columnas };

// Lo que hizo un borrado. Si falló, Alcanzada es la jornada en la que se paró.
struct ResultadoBorrado {
    RangoJornadas Rango;
    ResultadoFichero Fallo; // del registro de la jornada o de un fichero de columnas
    PasoBorrado Paso = PasoBorrado::Jornada;
    int Alcanzada = 0;
    ResultadoFichero FalloIndice;       // al liberar el índice
    int RegistrosIndice = 0;            // reducciones quitadas del índice
    QStringList FicherosBorrados;       // ficheros de columnas quitados
    ResultadoFichero FalloEstimaciones; // al quitar las estimaciones de PROBAB.ZPK
    int JornadasEstimadas = 0;          // jornadas cuyas estimaciones se quitaron
    bool Pendiente = false;             // la jornada alcanzada se terminará de borrar al arrancar
    bool Bien() const { return Fallo.Bien(); }
    bool Completo() const { return Fallo.Bien() && FalloIndice.Bien() && FalloEstimaciones.Bien(); }
};

// Borra el tramo (en cualquier orden), jornada a jornada: sus reducciones salen del índice, su
// registro queda en blanco y se quitan sus ficheros de columnas. Se para en el primer fallo.
ResultadoBorrado BorraJornadas(EstadoGlobal& estado, int desde, int hasta);

// Lo mismo para una jornada con la carpeta ya bloqueada (también al terminar un borrado que
// quedó a medias).
void BorraJornadaBloqueada(EstadoGlobal& estado, int jornada, ResultadoBorrado& r);
void BorraJornadaBloqueada(EstadoGlobal& estado, int jornada);

// Pulsación de "Borrar datos": sonido 9, la confirmación con su botón "Borrar datos" y, si
// se confirma, el borrado del tramo; un fallo se dice con el diálogo. nullopt sin confirmar.
// `espera` se llama con true antes de borrar y con false al acabar (el reloj de arena).
std::optional<ResultadoBorrado> PulsaBorrarDatos(EstadoGlobal& estado, const RangoBorrado& rango,
                                                 const std::function<void(bool)>& espera = {});

// Aviso de un borrado que falló a medias: hasta dónde llegó y qué falló.
QString TextoFalloBorrado(const ResultadoBorrado& r);
QString TituloFalloBorrado();
// Lo que se quitó, para la línea de órdenes.
QString TextoBorrado(const ResultadoBorrado& r);

} // namespace quiniela
