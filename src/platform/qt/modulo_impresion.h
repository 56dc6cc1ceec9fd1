#pragma once
// La impresión de quiniela-cli va en un módulo aparte que el ejecutable carga solo para las
// órdenes que dibujan: así las demás no pagan al arrancar Qt Gui ni PrintSupport.
//
// El módulo no enlaza la lógica: sus referencias a ella se resuelven al cargarlo con la copia
// del ejecutable (que exporta sus símbolos). Así hay un solo registro de plataforma, de
// creadores, etc., y el que instala main es el que usan las órdenes.

#include "platform/impresora.h"

class QCoreApplication;

namespace quiniela {

struct ModuloImpresion {
    // La aplicación gráfica (sin pantalla) que necesitan las fuentes; es de quien la pide.
    QCoreApplication* Aplicacion = nullptr;
    std::unique_ptr<Impresora> (*CreaPdf)(const QString& ruta) = nullptr;
    std::unique_ptr<Impresora> (*CreaSistema)(const QString& nombreDocumento,
                                              VisorDocumentos& visor) = nullptr;
};

// Nombre de la función de entrada del módulo, de tipo IniciaImpresion.
inline constexpr char SimboloIniciaImpresion[] = "quiniela_inicia_impresion";
// argc ha de vivir tanto como la aplicación.
using IniciaImpresion = void (*)(int& argc, char** argv, ModuloImpresion& modulo);

} // namespace quiniela
