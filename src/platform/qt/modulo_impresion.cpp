// Entrada del módulo de impresión de quiniela-cli.
#include "platform/qt/modulo_impresion.h"

#include "platform/qt/impresora_pintor.h"
#include "platform/qt/impresora_sistema.h"

#include <QGuiApplication>

#include <type_traits>

extern "C" Q_DECL_EXPORT void quiniela_inicia_impresion(int& argc, char** argv,
                                                        quiniela::ModuloImpresion& modulo) {
    // Sin pantalla: solo se dibuja en PDF o se manda a la impresora.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    modulo.Aplicacion = new QGuiApplication(argc, argv);
    modulo.CreaPdf = quiniela::CreaImpresoraPdfQt;
    modulo.CreaSistema = quiniela::CreaImpresoraSistema;
}

// El tipo de la entrada ha de ser el que espera el ejecutable.
static_assert(std::is_same_v<decltype(&quiniela_inicia_impresion), quiniela::IniciaImpresion>);
