#pragma once
// Conversión entre QString y Windows-1252, en el borde de los ficheros, y la comprobación de
// que un texto cabe en ella antes de guardarlo.

#include <QByteArray>
#include <QString>

#include <optional>

namespace quiniela {

// Un byte por carácter; lo que no existe en Windows-1252 se escribe como "?". Quien guarda
// texto tecleado lo comprueba antes con CompruebaTextoGuardable.
QByteArray AWindows1252(QStringView texto);
QString DeWindows1252(QByteArrayView bytes);

// ¿Tiene el carácter (un punto de código) un byte propio en Windows-1252?
bool CodificableWindows1252(char32_t c);

// El primer carácter que Windows-1252 no puede guardar (entero, aunque ocupe dos unidades
// UTF-16); vacío si todos caben.
QString PrimerNoCodificable(QStringView texto);

// El texto sin los caracteres que Windows-1252 no puede guardar: el filtro del tecleo.
QString SoloWindows1252(QStringView texto);

// El texto con cada carácter de control (bytes nulos, saltos, escapes del terminal...)
// cambiado por "?": lo que se muestra de un fichero que pudo editarse a mano.
QString Imprimible(QStringView texto);

// Lo mismo, cortado a `maximo` caracteres con "…" si es más largo: un mensaje nunca repite
// entera una línea de megas de un fichero editado a mano.
QString CitaCorta(QStringView texto, qsizetype maximo = 80);

// Mensaje de rechazo de un texto con algún carácter que Windows-1252 no puede guardar
// (nombre del campo con su artículo: "El nombre del equipo"); nullopt si vale.
std::optional<QString> CompruebaCodificable(QStringView texto, const QString& campo);

// Lo mismo y además el largo: mensaje de rechazo de un texto que se va a guardar en un campo de
// "maximo" caracteres
// ("La descripción"); nullopt si vale. La longitud se
// cuenta en caracteres guardados, un byte cada uno.
std::optional<QString> CompruebaTextoGuardable(QStringView texto, const QString& campo,
                                               qsizetype maximo);

} // namespace quiniela
