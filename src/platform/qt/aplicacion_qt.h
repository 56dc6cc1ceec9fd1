#pragma once
// Ajustes de la aplicación de escritorio que valen para todas las pantallas. El programa y
// las pruebas de pantallas los aplican igual.

class QApplication;

namespace quiniela {

// Traducción española de Qt (botones "Aceptar", menús de los campos, diálogos estándar),
// sea cual sea el idioma del sistema: el programa entero está en español. Devuelve false
// si no se encuentra (paquete qt6-translations-l10n).
bool CargaTraduccionQt(QApplication& app);

// Traducción, formatos de números de la configuración regional, rueda del ratón y clics en
// el hueco de las listas que no cambian nada por accidente y colores comunes de selección.
void PreparaAplicacion(QApplication& app);

} // namespace quiniela
