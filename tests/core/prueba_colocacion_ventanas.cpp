// Dónde se abren las pantallas sin modo junto al menú, en pantallas de varios tamaños.
#include "core/colocacion_ventanas.h"

#include <gtest/gtest.h>

using namespace quiniela;

namespace {

// El menú de 555 × 405 con el marco supuesto, y sus entradas en coordenadas de su marco.
const QSize MarcoMenu = QSize(555, 405).grownBy(MarcoSupuesto);
const QRect Entradas = QRect(40, 225, 475, 160).translated(2, 30);

QRect Centrado(const QRect& area, QSize tamano) {
    return QRect(CentraMarco(area, tamano), tamano);
}

TEST(ColocacionVentanas, AreaUtilSinBarraDeTareasReservaLaDeDiseno) {
    EXPECT_EQ(AreaUtil(QRect(0, 0, 800, 600), QRect(0, 0, 800, 600)), QRect(0, 0, 800, 560));
    // Si el sistema ya descuenta una barra, se usa la suya.
    EXPECT_EQ(AreaUtil(QRect(0, 0, 1280, 1024), QRect(0, 30, 1280, 994)), QRect(0, 30, 1280, 994));
    // Más grande que el área: arriba a la izquierda, con la barra de título a la vista.
    EXPECT_EQ(CentraMarco(QRect(0, 0, 800, 560), QSize(900, 700)), QPoint(0, 0));
}

TEST(ColocacionVentanas, PantallaSinModoJuntoAlMenuSinTaparSusEntradas) {
    struct Caso {
        QRect Area;
        QSize Pantalla; // marco de la pantalla
        QPoint Menu, Sitio;
        int AltoVisible;
    };
    const QSize salida = QSize(720, 442).grownBy(MarcoSupuesto);
    const QSize escrutinio = QSize(760, 530).grownBy(MarcoSupuesto);
    const QRect pequena(0, 0, 800, 560), mediana(0, 0, 1280, 984), grande(0, 0, 1920, 1040),
        enorme(0, 0, 2560, 1400);
    const Caso casos[] = {
        // Sobra sitio: al lado del menú, que no se mueve.
        {enorme, salida, {1000, 481}, {1563, 481}, salida.height()},
        // Juntos caben si se centran los dos: el menú se corre a la izquierda.
        {grande, salida, {316, 301}, {879, 301}, salida.height()},
        // Al lado no caben: encima de las entradas, tapando solo el dibujo del menú.
        {mediana, salida, {360, 273}, {277, 50}, salida.height()},
        // Más alta: el menú baja al pie del área para dejarle sitio encima.
        {mediana, escrutinio, {360, 547}, {257, 236}, escrutinio.height()},
        // 800 × 600: no cabe sin tapar; el menú al pie y la pantalla arriba, desplazable.
        {pequena, salida, {120, 123}, {37, 0}, 374},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(testing::Message() << "caso " << &c - casos);
        const QRect menu = Centrado(c.Area, MarcoMenu);
        const ColocacionJuntoAlMenu r = ColocaJuntoAlMenu(c.Area, menu, Entradas, c.Pantalla);
        EXPECT_EQ(r.Menu, c.Menu);
        EXPECT_EQ(r.Pantalla, c.Sitio);
        EXPECT_EQ(r.AltoVisible, c.AltoVisible);
        // Siempre: las dos dentro del área y las entradas del menú a la vista.
        const QRect pantalla(r.Pantalla, QSize(c.Pantalla.width(), r.AltoVisible));
        EXPECT_TRUE(c.Area.contains(pantalla));
        EXPECT_TRUE(c.Area.contains(QRect(r.Menu, MarcoMenu)));
        EXPECT_FALSE(pantalla.intersects(Entradas.translated(r.Menu)));
    }
}

} // namespace
