#pragma once
// Reglas de los editores de la pantalla de datos generales, sin ventana.

#include <QString>

#include <cstdint>

namespace quiniela {

struct DatosGenerales;

// Texto del editor tras una pulsación: se recorta y, si el carácter recién escrito no es
// una cifra (ni un punto, cuando se admite), se quita y el cursor retrocede.
struct TextoEditor {
    QString Texto;
    int Cursor = 0;
};
TextoEditor FiltraTecleo(const QString& texto, int cursor, bool admitePunto);

// Total de jornadas: un valor por debajo de 1 o por encima de 99 vacía el campo.
QString FiltraTotalJornadas(const QString& texto);
// Al cerrar: vacío o menor que 1 da 44; mayor que 52 da 52.
int16_t CierraTotalJornadas(const QString& texto);

// Precio al cerrar: forma decimal más corta sin cero inicial, cortada a 4 caracteres;
// si empieza por "." se le antepone "0" a sus 3 primeros caracteres.
QString CierraPrecio(const QString& texto);

// Códigos de delegación (2) y receptor (5): se rellenan con ceros por la izquierda.
QString CierraCodigo(const QString& texto, int ancho);

// Textos de los botones.
QString RotuloTotalJornadas(const DatosGenerales& d);
QString RotuloPrecio(const DatosGenerales& d);
QString RotuloDelegacion(const DatosGenerales& d);
QString RotuloReceptor(const DatosGenerales& d);
QString RotuloSonido(const DatosGenerales& d);

// ¿Ha cambiado algo que haya que guardar?
bool DatosGeneralesCambiados(const DatosGenerales& antes, const DatosGenerales& ahora);

} // namespace quiniela
