#include "platform/qt/boton_imagen.h"

#include <QPainter>
#include <gtest/gtest.h>

using namespace quiniela;

namespace {

// Tira de prueba: cada columna y cada fila (suelta o pulsada) de un color distinto.
QImage TiraDePrueba() {
    QImage tira(7, 49, QImage::Format_RGB32);
    for (int x = 0; x < 7; ++x)
        for (int y = 0; y < 49; ++y)
            tira.setPixel(x, y, qRgb(10 * x, y < 25 ? 0 : 200, 50));
    return tira;
}

} // namespace

TEST(DibujaBoton, CopiaBordesYColumnaCentral) {
    const QImage imagen = ImagenBoton(TiraDePrueba(), 132, QString(), false, FuenteBotones());
    ASSERT_EQ(imagen.size(), QSize(132, 24));
    for (int y : {0, 12, 23}) {
        EXPECT_EQ(imagen.pixel(0, y), qRgb(0, 0, 50));
        EXPECT_EQ(imagen.pixel(2, y), qRgb(20, 0, 50));
        for (int x = 3; x <= 128; ++x)
            ASSERT_EQ(imagen.pixel(x, y), qRgb(30, 0, 50)) << "x = " << x;
        EXPECT_EQ(imagen.pixel(129, y), qRgb(40, 0, 50));
        EXPECT_EQ(imagen.pixel(131, y), qRgb(60, 0, 50));
    }
    const QImage pulsado = ImagenBoton(TiraDePrueba(), 132, QString(), true, FuenteBotones());
    EXPECT_EQ(pulsado.pixel(60, 0), qRgb(30, 200, 50)) << "la fila pulsada empieza en y = 25";
}

TEST(DibujaBoton, RotuloVerdeOscuroConSombraAmarilla) {
    const QImage imagen =
        ImagenBoton(TiraDePrueba(), 215, QStringLiteral("DATOS GENERALES"), false, FuenteBotones());
    int verdes = 0;
    int amarillos = 0;
    int minX = 215;
    int maxX = 0;
    for (int x = 0; x < imagen.width(); ++x) {
        for (int y = 0; y < imagen.height(); ++y) {
            const QRgb c = imagen.pixel(x, y);
            if (c == qRgb(0, 64, 0))
                ++verdes;
            if (c == qRgb(255, 255, 0)) {
                ++amarillos;
                minX = std::min(minX, x);
                maxX = std::max(maxX, x);
            }
        }
    }
    EXPECT_GT(verdes, 20);
    EXPECT_GT(amarillos, 20);
    // El rótulo queda centrado: tanto margen a la izquierda como a la derecha (±2).
    EXPECT_NEAR(minX, 215 - 1 - maxX, 3);
}
