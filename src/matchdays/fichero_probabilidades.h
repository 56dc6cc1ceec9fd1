#pragma once
// Estimaciones de cada jornada, PROBAB.ZPK: una línea de 137 caracteres por jornada estimada,
// en orden de jornada, CR LF. Jornada "00" (1-2) y, por partido m, tres porcentajes "@@@" de
// "1", "X" y "2" desde la posición 3 + 9 × (m - 1); nueve blancos si el partido no se estimó.
// Una jornada sin ningún partido estimado no tiene línea.

#include "core/error_fichero.h"
#include "reduction/valor_apuesta.h"

#include <QByteArray>
#include <QString>

#include <map>
#include <optional>

namespace quiniela {

struct EstadoGlobal;

inline constexpr auto NombreFicheroProbabilidades = "PROBAB.ZPK";
inline constexpr int LongitudRegistroProbabilidades = 2 + NumPartidos * 9;

using EstimacionesGuardadas = std::map<int, EstimacionesJornada>;

// Línea de una jornada, sin CR LF.
QString RegistroProbabilidades(int jornada, const EstimacionesJornada& e);

// Jornadas del contenido de un fichero. Una línea que no empieza por una jornada de dos
// cifras no cuenta; un partido cuyos porcentajes no suman 100 queda sin estimar.
EstimacionesGuardadas EstimacionesDeContenido(const QByteArray& contenido);

// Contenido exacto del fichero, en orden de jornada, sin las jornadas sin estimaciones.
QByteArray ContenidoFicheroProbabilidades(const EstimacionesGuardadas& jornadas);

// Las de una jornada (etiqueta "LPR"). Sin fichero, ninguna y sin aviso (es lo normal
// antes de la primera estimación); otro fallo se avisa y da nullopt.
std::optional<EstimacionesJornada> LeeEstimaciones(EstadoGlobal& estado, int jornada);

// Sustituye las de una jornada (sin ninguna estimada, quita su línea): releído y escrito con
// la carpeta bloqueada.
ResultadoFichero GuardaEstimaciones(const EstadoGlobal& estado, int jornada,
                                    const EstimacionesJornada& e);

// Quita las de un tramo de jornadas (el borrado); `quitadas` recibe cuántas había.
ResultadoFichero BorraEstimaciones(const EstadoGlobal& estado, int desde, int hasta,
                                   int* quitadas = nullptr);

// Aviso de un guardado que falló.
QString TextoErrorGuardarEstimaciones(const ResultadoFichero& resultado);

} // namespace quiniela
