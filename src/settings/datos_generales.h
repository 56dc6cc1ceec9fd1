#pragma once
// Fichero de datos generales DATOSGEN.ZPK: una línea de 14 valores delimitados.

#include "core/error_fichero.h"

#include <QByteArray>
#include <QString>

namespace quiniela {

struct EstadoGlobal;
struct DatosGenerales;

inline constexpr auto NombreDatosGenerales = "DATOSGEN.ZPK";

// Carga los datos generales; si falla, avisa (etiqueta "LDG"), pone los valores por
// defecto y los guarda. Deja el resultado en UltimoErrorFichero.
void CargaDatosGenerales(EstadoGlobal& estado);

// Guarda los datos generales.
ResultadoFichero GuardaDatosGenerales(const EstadoGlobal& estado);

// Aviso de la pantalla cuando no se pudieron guardar.
QString TextoErrorGuardarDatosGenerales(const ResultadoFichero& resultado);

// Contenido exacto del fichero (Windows-1252, CR LF).
QByteArray LineaDatosGenerales(const DatosGenerales& datos);

// Lectura numérica de un texto: cifras con "." decimal; se detiene en otro carácter.
double ValorNumerico(const QString& texto);

} // namespace quiniela
