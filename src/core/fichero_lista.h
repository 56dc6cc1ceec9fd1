#pragma once
// Ficheros de lista (equipos, direcciones): un valor por línea, sin blancos a los lados,
// CR LF, en Windows-1252. Se leen con las reglas de texto delimitado: una coma también
// termina un valor, y un valor entre comillas puede llevarla.

#include <QByteArray>
#include <QStringList>

namespace quiniela {

// Los valores del contenido, en su orden, sin blancos a los lados; los vacíos no cuentan.
QStringList ValoresDeLista(const QByteArray& contenido);

// Contenido exacto del fichero para una lista: cada valor sin blancos a los lados y CR LF.
QByteArray ContenidoDeLista(const QStringList& valores);

} // namespace quiniela
