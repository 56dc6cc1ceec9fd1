#include "consult/historial.h"
#include "consult/pantalla_historic.h"
#include "core/estado_global.h"
#include "matchdays/fichero_jornadas.h"
#include "platform/qt/boton_imagen.h"
#include "reduction/fichero_bases.h"
#include "support/carpeta_temporal.h"
#include "support/pantallas.h"
#include "support/plataforma_falsa.h"

#include <QDate>
#include <QTest>
#include <gtest/gtest.h>

using namespace quiniela;
using namespace quiniela::prueba;

namespace {

// Centro de la línea k de la hoja.
QPoint PuntoLinea(int k, int x = 120) {
    return QPoint(x, YPrimeraLinea + AltoLineaHistorial * k + 8);
}

// Índice con n reducciones: la i-ésima es la jornada 1 + i / 10, orden 1 + i % 10, con
// fecha en las jornadas que se dan de alta.
void PreparaDatos(const CarpetaTemporal& carpeta, int n) {
    EstadoGlobal estado = carpeta.Estado();
    QByteArray bases;
    const QStringList descripciones{
        QStringLiteral("Dobles del Madrid"), QStringLiteral("Triples en la Liga"),
        QStringLiteral("Peña del bar Central"), QStringLiteral("Prueba de signos"),
        QStringLiteral("Columna probable")};
    for (int i = 0; i < n; ++i) {
        Reduccion red;
        red.Metodo = static_cast<int16_t>(1 + i % 3);
        red.ApuestasBase = 729 * (1 + i % 4);
        red.ApuestasReducidas = 81 + 7 * i;
        red.Descripcion = descripciones.at(i % descripciones.size());
        bases += ConstruyeRegistroReduccion(1 + i / 10, 1 + i % 10, red).toLatin1() + "\r\n";
    }
    carpeta.Escribe(QStringLiteral("BASES.ZPK"), bases);
    for (int j = 1; j <= n / 10 + 1; ++j) {
        if (j == 2)
            continue; // una jornada sin dar de alta: fecha en blanco
        const QString fecha =
            QDate(2005, 8, 28).addDays(7 * (j - 1)).toString(QStringLiteral("dd/MM/yy"));
        ASSERT_EQ(EscribeRegistroJornada(
                      estado, j,
                      ComponeRegistroJornada(RegistroJornadaVacio(), j, fecha, EquiposJornada{})),
                  0);
    }
}

} // namespace

TEST(PantallaHistoric, AbreEnLaHojaDeLaSeleccion) {
    CarpetaTemporal carpeta;
    PreparaDatos(carpeta, 45);
    EstadoGlobal estado = carpeta.Estado();
    PlataformaFalsa plataforma(&estado);
    estado.Datos.JornadaActual = 3; // línea 27: jornada 3, orden 8
    estado.Datos.OrdenActual = 8;
    estado.ReduccionElegida = true;

    PantallaHistoric pantalla(estado);
    pantalla.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&pantalla));
    EXPECT_EQ(pantalla.objectName(), QStringLiteral("historic"));
    EXPECT_EQ(pantalla.windowTitle(), QStringLiteral("Fichero Histórico de resultados"));
    EXPECT_FALSE(estado.ReduccionElegida);
    EXPECT_EQ(pantalla.Datos().PrimeraLinea(), 20);
    EXPECT_EQ(pantalla.Datos().LineaActual(), 27);
    // 83 caracteres desde x = 20 caben en la hoja.
    EXPECT_GE(pantalla.Pic_Carpeta->width(), XTextoHistorial + 83 * 7 + 6);

    GuardaCaptura(&pantalla, QStringLiteral("historic_seleccion"));

    // El puntero sobre la línea 3 de la hoja: mano y marcador.
    QTest::mouseMove(pantalla.Pic_Carpeta, PuntoLinea(3));
    EXPECT_EQ(pantalla.Datos().LineaBajoPuntero(), 3);
    ASSERT_FALSE(plataforma.cursores.empty());
    EXPECT_EQ(plataforma.cursores.back().control, pantalla.Pic_Carpeta);
    EXPECT_EQ(plataforma.cursores.back().nombre, QStringLiteral("ManoIndice"));
    GuardaCaptura(&pantalla, QStringLiteral("historic_hoja2"));

    // Elegir la línea 0 de la hoja: la 20, jornada 3, orden 1.
    QTest::mouseClick(pantalla.Pic_Carpeta, Qt::LeftButton, Qt::NoModifier, PuntoLinea(0));
    EXPECT_TRUE(estado.ReduccionElegida);
    EXPECT_EQ(estado.Datos.JornadaActual, 3);
    EXPECT_EQ(estado.Datos.OrdenActual, 1);
    EXPECT_FALSE(pantalla.isVisible());
    EXPECT_EQ(pantalla.result(), QDialog::Accepted);
}

TEST(PantallaHistoric, ElegirJornadaSieteOrdenTresDesdeAbreHistorico) {
    CarpetaTemporal carpeta;
    PreparaDatos(carpeta, 70);
    EstadoGlobal estado = carpeta.Estado();
    PlataformaFalsa plataforma(&estado);
    estado.Datos.JornadaActual = 7;
    estado.Datos.OrdenActual = 1; // línea 60, hoja 4

    QString linea;
    AlAbrirseModal([&](QWidget* modal) {
        ASSERT_NE(modal, nullptr);
        auto* pantalla = static_cast<PantallaHistoric*>(modal);
        ASSERT_EQ(pantalla->Datos().PrimeraLinea(), 60);
        // La jornada 7, orden 3 es la línea 62: la tercera de la hoja.
        linea = pantalla->Datos().Lis_Datos().at(62);
        QTest::mouseClick(pantalla->Pic_Carpeta, Qt::LeftButton, Qt::NoModifier, PuntoLinea(2));
    });
    EXPECT_TRUE(AbreHistorico(estado));
    EXPECT_EQ(linea.mid(1, 2), QStringLiteral(" 7"));
    EXPECT_EQ(linea.mid(14, 2), QStringLiteral(" 3"));
    EXPECT_EQ(estado.Datos.JornadaActual, 7);
    EXPECT_EQ(estado.Datos.OrdenActual, 3);
    EXPECT_TRUE(plataforma.sonidos.empty());
}

TEST(PantallaHistoric, EsquinasYTeclasPasanDeHoja) {
    CarpetaTemporal carpeta;
    PreparaDatos(carpeta, 45);
    EstadoGlobal estado = carpeta.Estado();
    PlataformaFalsa plataforma(&estado);
    estado.Datos.JornadaActual = 30; // no está: primera hoja

    PantallaHistoric pantalla(estado);
    pantalla.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&pantalla));
    CarpetaHistoric* hoja = pantalla.Pic_Carpeta;
    const QPoint derecha(hoja->width() - 10, hoja->height() - 6);
    const QPoint izquierda(10, hoja->height() - 6);
    GuardaCaptura(&pantalla, QStringLiteral("historic_hoja1"));

    // En la primera hoja la esquina izquierda no pasa: puntero de prohibido y sin sonido.
    QTest::mouseMove(hoja, izquierda);
    EXPECT_EQ(hoja->cursor().shape(), Qt::ForbiddenCursor);
    QTest::mouseClick(hoja, Qt::LeftButton, Qt::NoModifier, izquierda);
    EXPECT_TRUE(plataforma.sonidos.empty());
    EXPECT_TRUE(pantalla.isVisible());

    QTest::mouseMove(hoja, derecha);
    EXPECT_NE(hoja->cursor().shape(), Qt::ForbiddenCursor);
    EXPECT_EQ(plataforma.cursores.back().nombre, QStringLiteral("ManoIndice"));
    QTest::mouseClick(hoja, Qt::LeftButton, Qt::NoModifier, derecha);
    QTest::mouseClick(hoja, Qt::LeftButton, Qt::NoModifier, derecha);
    EXPECT_EQ(pantalla.Datos().PrimeraLinea(), 40);
    EXPECT_EQ(plataforma.sonidos, (std::vector<int>{10, 10}));
    EXPECT_EQ(plataforma.esperas, (std::vector<int>{50, 50}));
    // Ya en la última hoja, la misma esquina pasa a prohibido sin mover el ratón.
    EXPECT_EQ(hoja->cursor().shape(), Qt::ForbiddenCursor);
    GuardaCaptura(&pantalla, QStringLiteral("historic_ultima_hoja"));

    QTest::keyClick(&pantalla, Qt::Key_PageUp);
    EXPECT_EQ(pantalla.Datos().PrimeraLinea(), 20);
    QTest::keyClick(&pantalla, Qt::Key_PageDown);
    QTest::keyClick(&pantalla, Qt::Key_PageDown);
    EXPECT_EQ(pantalla.Datos().PrimeraLinea(), 40);
    EXPECT_EQ(plataforma.sonidos.size(), 4u);

    // Escape sale como Salir: sonido 5 y nada elegido.
    QTest::keyClick(&pantalla, Qt::Key_Escape);
    EXPECT_FALSE(pantalla.isVisible());
    EXPECT_EQ(plataforma.sonidos.back(), 5);
    EXPECT_FALSE(estado.ReduccionElegida);
    EXPECT_EQ(estado.Datos.JornadaActual, 30);
}

TEST(PantallaHistoric, SinReduccionesSoloCabeceras) {
    CarpetaTemporal carpeta;
    carpeta.Escribe(QStringLiteral("BASES.ZPK"), RegistroLibreBases().toLatin1() + "\r\n" +
                                                     RegistroLibreBases().toLatin1() + "\r\n");
    EstadoGlobal estado = carpeta.Estado();
    PlataformaFalsa plataforma(&estado);

    PantallaHistoric pantalla(estado);
    pantalla.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&pantalla));
    EXPECT_TRUE(pantalla.Datos().Lis_Datos().isEmpty());
    GuardaCaptura(&pantalla, QStringLiteral("historic_vacio"));

    QTest::mouseMove(pantalla.Pic_Carpeta, PuntoLinea(0));
    for (const CursorPuesto& c : plataforma.cursores)
        EXPECT_NE(c.control, pantalla.Pic_Carpeta) << "sin líneas no hay mano sobre la hoja";
    QTest::mouseClick(pantalla.Pic_Carpeta, Qt::LeftButton, Qt::NoModifier, PuntoLinea(0));
    EXPECT_TRUE(pantalla.isVisible());
    EXPECT_FALSE(estado.ReduccionElegida);

    Pulsa(pantalla.Pic_BotSalir);
    EXPECT_FALSE(pantalla.isVisible());
    EXPECT_EQ(plataforma.sonidos, std::vector<int>{5});
    EXPECT_EQ(pantalla.result(), QDialog::Rejected);
    EXPECT_FALSE(estado.ReduccionElegida);
}
