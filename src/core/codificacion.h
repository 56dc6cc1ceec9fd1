#pragma once
// Conversión entre QString y Windows-1252, en el borde de los ficheros.

#include <QByteArray>
#include <QString>

namespace quiniela {

// Un byte por carácter; lo que no existe en Windows-1252 se escribe como "?".
QByteArray AWindows1252(QStringView texto);
QString DeWindows1252(QByteArrayView bytes);

} // namespace quiniela
