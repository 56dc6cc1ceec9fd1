#pragma once
// Comprobación de una línea del índice BASES.ZPK antes de listarla: una línea corta, con
// campos que no son números, con un método desconocido o con bytes de control no llega a
// ninguna lista ni al terminal.

#include <QByteArrayView>
#include <QString>

namespace quiniela {

// Por qué no se puede leer la línea (sin su CR LF), en palabras; vacío si se puede. Un
// registro libre ("0000" delante) se puede leer: quien lista lo salta sin avisar.
QString DefectoLineaBases(QByteArrayView linea);

} // namespace quiniela
