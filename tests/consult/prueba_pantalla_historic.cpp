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
using namespace Qt::StringLiterals;

namespace {

QPoint PuntoLinea(int k) {
    return QPoint(120, YPrimeraLinea + AltoLineaHistorial * k + 8);
}

// Índice con n reducciones: la i-ésima es la jornada 1 + i / 10, orden 1 + i % 10. Todas las
// jornadas tienen fecha salvo la 2, que no se dio de alta.
void PreparaDatos(const CarpetaTemporal& carpeta, int n) {
    const QStringList descripciones{u"Dobles del Madrid"_s, u"Triples en la Liga"_s,
                                    u"Peña del bar Central"_s, u"Prueba de signos"_s};
    QByteArray bases;
    for (int i = 0; i < n; ++i) {
        Reduccion red;
        red.Metodo = static_cast<int16_t>(1 + i % 3);
        red.ApuestasBase = 729 * (1 + i % 4);
        red.ApuestasReducidas = 81 + 7 * i;
        red.Descripcion = descripciones.at(i % descripciones.size());
        bases += ConstruyeRegistroReduccion(1 + i / 10, 1 + i % 10, red).toLatin1() + "\r\n";
    }
    carpeta.Escribe(u"BASES.ZPK"_s, bases);
    for (int j = 1; j <= n / 10 + 1; ++j) {
        const QString fecha = QDate(2005, 8, 28).addDays(7 * (j - 1)).toString(u"dd/MM/yy"_s);
        if (j == 2)
            continue;
        ASSERT_EQ(EscribeRegistroJornada(
                      carpeta.Estado(), j,
                      ComponeRegistroJornada(RegistroJornadaVacio(), j, fecha, EquiposJornada{}))
                      .Numero,
                  0);
    }
}

struct Historico {
    explicit Historico(int reducciones) {
        if (reducciones > 0)
            PreparaDatos(carpeta, reducciones);
    }
    CarpetaTemporal carpeta;
    EstadoGlobal estado = carpeta.Estado();
    PlataformaFalsa plataforma{&estado};
};

} // namespace

TEST(PantallaHistoric, AbreEnLaHojaDeLaSeleccion) {
    Historico h(45);
    h.estado.Datos.JornadaActual = 3; // línea 27: jornada 3, orden 8
    h.estado.Datos.OrdenActual = 8;
    h.estado.ReduccionElegida = true;

    PantallaHistoric pantalla(h.estado);
    pantalla.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&pantalla));
    EXPECT_FALSE(h.estado.ReduccionElegida);
    EXPECT_EQ(pantalla.Datos().PrimeraLinea(), 20);
    EXPECT_EQ(pantalla.Datos().LineaActual(), 27);
    // 83 caracteres desde x = 20 caben en la hoja.
    EXPECT_GE(pantalla.Pic_Carpeta->width(), XTextoHistorial + 83 * 7 + 6);
    GuardaCaptura(&pantalla, u"historic_seleccion"_s);

    QTest::mouseMove(pantalla.Pic_Carpeta, PuntoLinea(3));
    EXPECT_EQ(pantalla.Datos().LineaBajoPuntero(), 3);
    ASSERT_FALSE(h.plataforma.cursores.empty());
    EXPECT_EQ(h.plataforma.cursores.back().control, pantalla.Pic_Carpeta);
    EXPECT_EQ(h.plataforma.cursores.back().nombre, u"ManoIndice"_s);
    GuardaCaptura(&pantalla, u"historic_hoja2"_s);
}

TEST(PantallaHistoric, ElegirJornadaSieteOrdenTresDesdeAbreHistorico) {
    Historico h(70);
    h.estado.Datos.JornadaActual = 7;
    h.estado.Datos.OrdenActual = 1; // línea 60, hoja 4

    QString linea;
    AlAbrirseModal([&](QWidget* modal) {
        auto* pantalla = qobject_cast<PantallaHistoric*>(modal);
        ASSERT_NE(pantalla, nullptr);
        ASSERT_EQ(pantalla->Datos().PrimeraLinea(), 60);
        linea = pantalla->Datos().Lis_Datos().at(62);
        QTest::mouseClick(pantalla->Pic_Carpeta, Qt::LeftButton, Qt::NoModifier, PuntoLinea(2));
    });
    EXPECT_TRUE(AbreHistorico(h.estado)) << "ReduccionElegida";
    EXPECT_TRUE(linea.startsWith(u"  7 09/10/05   3  "_s)) << linea.toStdString();
    EXPECT_EQ(h.estado.Datos.JornadaActual, 7);
    EXPECT_EQ(h.estado.Datos.OrdenActual, 3);
}

TEST(PantallaHistoric, EsquinasYTeclasPasanDeHoja) {
    Historico h(45);
    h.estado.Datos.JornadaActual = 30; // no está: primera hoja
    PantallaHistoric pantalla(h.estado);
    pantalla.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&pantalla));
    CarpetaHistoric* hoja = pantalla.Pic_Carpeta;
    const QPoint derecha(hoja->width() - 10, hoja->height() - 6);
    const QPoint izquierda(10, hoja->height() - 6);
    GuardaCaptura(&pantalla, u"historic_hoja1"_s);

    // En la primera hoja la esquina izquierda no pasa: puntero de prohibido.
    QTest::mouseMove(hoja, izquierda);
    EXPECT_EQ(hoja->cursor().shape(), Qt::ForbiddenCursor);

    QTest::mouseMove(hoja, derecha);
    EXPECT_EQ(h.plataforma.cursores.back().nombre, u"ManoIndice"_s);
    QTest::mouseClick(hoja, Qt::LeftButton, Qt::NoModifier, derecha);
    QTest::mouseClick(hoja, Qt::LeftButton, Qt::NoModifier, derecha);
    EXPECT_EQ(pantalla.Datos().PrimeraLinea(), 40);
    EXPECT_EQ(h.plataforma.sonidos, (std::vector<int>{10, 10}));
    // Ya en la última hoja, la misma esquina pasa a prohibido sin mover el ratón.
    EXPECT_EQ(hoja->cursor().shape(), Qt::ForbiddenCursor);
    GuardaCaptura(&pantalla, u"historic_ultima_hoja"_s);

    QTest::keyClick(&pantalla, Qt::Key_PageUp);
    EXPECT_EQ(pantalla.Datos().PrimeraLinea(), 20);
    QTest::keyClick(&pantalla, Qt::Key_PageDown);
    EXPECT_EQ(pantalla.Datos().PrimeraLinea(), 40);
    QTest::keyClick(&pantalla, Qt::Key_Escape);
    EXPECT_FALSE(pantalla.isVisible());
    EXPECT_EQ(h.plataforma.sonidos.back(), 5);
    EXPECT_FALSE(h.estado.ReduccionElegida);
}

TEST(PantallaHistoric, SinIndiceSoloCabeceras) {
    Historico h(0);
    PantallaHistoric pantalla(h.estado);
    pantalla.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&pantalla));
    EXPECT_EQ(h.plataforma.avisos.size(), 1) << "falta BASES.ZPK: se avisa y se crea";
    EXPECT_TRUE(h.carpeta.Existe(u"BASES.ZPK"_s));
    EXPECT_TRUE(pantalla.Datos().Lis_Datos().isEmpty());
    GuardaCaptura(&pantalla, u"historic_vacio"_s);

    QTest::mouseMove(pantalla.Pic_Carpeta, PuntoLinea(0));
    for (const CursorPuesto& c : h.plataforma.cursores)
        EXPECT_NE(c.control, pantalla.Pic_Carpeta) << "sin líneas no hay mano sobre la hoja";
    QTest::mouseClick(pantalla.Pic_Carpeta, Qt::LeftButton, Qt::NoModifier, PuntoLinea(0));
    EXPECT_TRUE(pantalla.isVisible());
    Pulsa(pantalla.Pic_BotSalir);
    EXPECT_FALSE(pantalla.isVisible());
    EXPECT_EQ(h.plataforma.sonidos, std::vector<int>{5});
    EXPECT_EQ(pantalla.result(), QDialog::Rejected);
}
