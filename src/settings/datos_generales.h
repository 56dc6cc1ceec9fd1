#pragma once
// Fichero de datos generales DATOSGEN.ZPK: una línea de 14 valores delimitados.

#include "core/error_fichero.h"

#include <QByteArray>
#include <QString>

namespace quiniela {

struct EstadoGlobal;
struct DatosGenerales;

inline constexpr auto NombreDatosGenerales = "DATOSGEN.ZPK";

// Las órdenes que solo leen nunca escriben los datos generales.
enum class EscrituraDatosGenerales { Permitida, SoloLectura };

// Carga los datos generales; si falla, avisa (etiqueta "LDG") y pone los valores por
// defecto. Un fichero que no existía se crea; uno dañado se copia antes aparte
// ("DATOSGEN.ZPK.dañado") y solo entonces se sustituye. Con SoloLectura no se escribe nada.
// Deja el resultado en UltimoErrorFichero.
void CargaDatosGenerales(EstadoGlobal& estado,
                         EscrituraDatosGenerales modo = EscrituraDatosGenerales::Permitida);

// Guarda los datos generales.
ResultadoFichero GuardaDatosGenerales(const EstadoGlobal& estado);

// Aviso de la pantalla cuando no se pudieron guardar.
QString TextoErrorGuardarDatosGenerales(const ResultadoFichero& resultado);

// Contenido exacto del fichero (Windows-1252, CR LF).
QByteArray LineaDatosGenerales(const DatosGenerales& datos);

// Lectura numérica de un texto: cifras con "." decimal; se detiene en otro carácter.
double ValorNumerico(const QString& texto);

} // namespace quiniela
