#include "platform/qt/aplicacion_qt.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // gtest_discover_tests lanza el binario sin el entorno de la prueba.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // La pantalla offscreen, de la menor que admite el programa: 800 × 600 (sin ella, 800 × 800).
    if (qgetenv("QT_QPA_PLATFORM") == "offscreen")
        qputenv("QT_QPA_PLATFORM",
                "offscreen:configfile=" QUINIELA_FUENTES "/tests/support/pantalla_800x600.json");
    quiniela::AplicacionQuiniela app(argc, argv);
    // Como el programa: traducción, formatos, rueda y colores comunes.
    quiniela::PreparaAplicacion(app);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
