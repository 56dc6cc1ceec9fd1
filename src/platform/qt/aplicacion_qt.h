#pragma once
// Ajustes de la aplicación de escritorio que valen para todas las pantallas. El programa y
// las pruebas de pantallas los aplican igual.

#include <QApplication>

namespace quiniela {

// La aplicación del programa: una falta de memoria en lo que hace un evento (un clic que
// prepara algo enorme) se avisa con palabras y el programa sigue, en vez de cerrarse de golpe.
class AplicacionQuiniela : public QApplication {
public:
    AplicacionQuiniela(int& argc, char** argv) : QApplication(argc, argv) {}
    bool notify(QObject* receptor, QEvent* evento) override;
};

// El aviso de esa falta de memoria.
QString TextoSinMemoria();

// Traducción española de Qt (botones "Aceptar", menús de los campos, diálogos estándar),
// sea cual sea el idioma del sistema: el programa entero está en español. Devuelve false
// si no se encuentra (paquete qt6-translations-l10n).
bool CargaTraduccionQt(QApplication& app);

// Traducción, formatos de números de la configuración regional, rueda del ratón y clics en
// el hueco de las listas que no cambian nada por accidente y colores comunes de selección.
void PreparaAplicacion(QApplication& app);

} // namespace quiniela
