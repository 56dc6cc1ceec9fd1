#pragma once
// Relación de boletos: listado en texto de los boletos de un rango, varios boletos uno al
// lado del otro (ocho columnas de signos sobre quince filas cada uno), tres bloques por
// página con la cabecera de la jornada y el número de página.

#include "output/edicion_listados.h"
#include "output/trabajo_impresion.h"

#include <QString>
#include <QStringList>

#include <string>
#include <vector>

namespace quiniela {

struct EstadoGlobal;
class Impresora;

// Anchos de papel: 0 "Papel estrecho (Din A4)", 1 "Papel ancho (350 mm.)".
QStringList EntradasAnchoPapel();
inline constexpr int AnchoPapel350Twips = 19843; // 350 mm

inline int RegistrosPorBloque(int anchoPapel) {
    return 24 * anchoPapel + 32;
}
inline int BoletosPorBloque(int anchoPapel) {
    return 3 * anchoPapel + 4;
}
inline constexpr int BloquesPorPagina = 3;

struct OpcionesRelacion {
    RangoBoletos Rango;
    int AnchoPapel = 0;
    AvisosImpresion Avisos;
};

ResultadoImpresion ImprimeRelacion(EstadoGlobal& estado, Impresora& impresora,
                                   const OpcionesRelacion& opciones);

// Línea de la cabecera de página (tras tres líneas vacías y antes de una).
QString LineaCabeceraRelacion(int jornada, const QString& fecha, int orden, int anchoPapel,
                              int pagina);

// Las 22 líneas de un bloque: cuatro vacías, los rótulos "Boleto" y sus rayas, una vacía y
// los quince partidos. `registros` son los del bloque (15 caracteres; blancos fuera del
// rango); los boletos sin columnas quedan en blanco y sin rótulo.
std::vector<QString> LineasBloqueRelacion(const std::vector<std::string>& registros,
                                          int64_t primerBoleto, int boletosPorBloque);

} // namespace quiniela
