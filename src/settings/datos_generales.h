#pragma once
// Fichero de datos generales DATOSGEN.ZPK: una línea de 14 valores delimitados.

#include <QByteArray>
#include <QString>

namespace quiniela {

struct EstadoGlobal;
struct DatosGenerales;

inline constexpr auto NombreDatosGenerales = "DATOSGEN.ZPK";

// Carga los datos generales; si falla, avisa (etiqueta "LDG"), pone los valores por
// defecto y los guarda. Deja el resultado en UltimoErrorFichero.
void CargaDatosGenerales(EstadoGlobal& estado);

// Guarda los datos generales. Devuelve el número de error (0 si fue bien).
int GuardaDatosGenerales(const EstadoGlobal& estado);

// Contenido exacto del fichero (Windows-1252, CR LF).
QByteArray LineaDatosGenerales(const DatosGenerales& datos);

// Lectura numérica de un texto: cifras con "." decimal; se detiene en otro carácter.
double ValorNumerico(const QString& texto);

} // namespace quiniela
