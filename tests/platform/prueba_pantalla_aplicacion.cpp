// Lo que el programa ajusta al arrancar y vale para todas las pantallas (las pruebas de
// pantallas arrancan igual), sus recursos y sus servicios del sistema.
#include "platform/qt/boton_imagen.h"
#include "platform/qt/servicios_qt.h"
#include "platform/qt/sonidos_qt.h"
#include "support/pantallas.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QSet>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace quiniela;
using namespace quiniela::prueba;

namespace {

// Tira de prueba: cada columna y cada fila (suelta o pulsada) de un color distinto.
QImage TiraDePrueba() {
    QImage tira(7, 49, QImage::Format_RGB32);
    for (int x = 0; x < 7; ++x)
        for (int y = 0; y < 49; ++y)
            tira.setPixel(x, y, qRgb(10 * x, y < 25 ? 0 : 200, 50));
    return tira;
}

TEST(Aplicacion, QtHablaEspanol) {
    QStringList botones;
    AlAbrirseModal([&](QWidget* caja) {
        for (const QAbstractButton* b : caja->findChildren<QAbstractButton*>())
            botones << b->text().remove(u'&');
        caja->close();
    });
    AvisoSistemaQt().Avisa(u"Prueba"_s);
    EXPECT_EQ(botones, QStringList{u"Aceptar"_s});
}

// Una caja de lista editable (como las de equipos) y una de números.
TEST(Aplicacion, LaRuedaSoloCambiaLaCajaEnLaQueSeHaPulsado) {
    QDialog ventana;
    ventana.resize(300, 200);
    auto* caja = new QComboBox(&ventana);
    caja->setEditable(true);
    caja->addItems({u"Deportivo"_s, u"Espanyol"_s, u"Mallorca"_s, u"Sevilla"_s});
    caja->setGeometry(10, 10, 150, 24);
    auto* numeros = new QSpinBox(&ventana);
    numeros->setGeometry(10, 80, 80, 24);
    ventana.show();
    ventana.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&ventana));
    // Sin foco nada cambia, ni sobre el campo de texto ni sobre la flecha; con el foco llegado
    // por el teclado tampoco: el usuario no ha pulsado en ella.
    GiraRueda(caja, QPoint(20, 12), -1);
    GiraRueda(caja, QPoint(caja->width() - 8, 12), -5);
    GiraRueda(numeros, QPoint(10, 12), 3);
    caja->setFocus(Qt::TabFocusReason);
    GiraRueda(caja, QPoint(20, 12), -1);
    EXPECT_EQ(caja->currentIndex(), 0);
    EXPECT_EQ(numeros->value(), 0);

    // Pulsada, la rueda sí la recorre; al pasar el foco a otra con el tabulador, ninguna cambia.
    QTest::mouseClick(caja->lineEdit(), Qt::LeftButton, {}, QPoint(20, 12));
    ASSERT_TRUE(caja->hasFocus());
    GiraRueda(caja, QPoint(20, 12), -1);
    EXPECT_EQ(caja->currentText(), u"Espanyol"_s);
    numeros->setFocus(Qt::TabFocusReason);
    GiraRueda(caja, QPoint(20, 12), -1);
    GiraRueda(numeros, QPoint(10, 12), 3);
    EXPECT_EQ(caja->currentText(), u"Espanyol"_s);
    EXPECT_EQ(numeros->value(), 0);
}

TEST(Aplicacion, LaMarcaDeFocoDeUnBotonNoTapaSuRotulo) {
    QWidget ventana;
    auto* boton = new BotonImagen(&ventana);
    // Rótulo largo para su ancho, como "14  Máximo".
    boton->Dibuja(80, u"14  Máximo"_s, false);
    ventana.show();
    ventana.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&ventana));
    ventana.setFocus();
    const QImage sinFoco = boton->grab().toImage();
    boton->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(boton->hasFocus());
    const QImage conFoco = boton->grab().toImage();
    EXPECT_FALSE(conFoco == sinFoco) << "el foco se ve";
    // Solo en el borde del botón.
    const QRect dentro = conFoco.rect().adjusted(1, 1, -1, -1);
    EXPECT_TRUE(conFoco.copy(dentro) == sinFoco.copy(dentro));
}

// Bordes de la tira a los lados, su columna central repetida, la fila de abajo al pulsarlo y el
// rótulo verde con sombra amarilla, centrado.
TEST(DibujaBoton, CopiaLaTiraYCentraElRotulo) {
    const QImage imagen = ImagenBoton(TiraDePrueba(), 132, QString(), false, FuenteBotones());
    ASSERT_EQ(imagen.size(), QSize(132, 24));
    // (x, rojo de la columna de la tira que le toca)
    const std::pair<int, int> columnas[] = {{0, 0},    {2, 20},   {3, 30},
                                            {128, 30}, {129, 40}, {131, 60}};
    for (const auto& [x, rojo] : columnas)
        EXPECT_EQ(imagen.pixel(x, 12), qRgb(rojo, 0, 50)) << "x = " << x;
    const QImage pulsado = ImagenBoton(TiraDePrueba(), 132, QString(), true, FuenteBotones());
    EXPECT_EQ(pulsado.pixel(60, 0), qRgb(30, 200, 50)) << "la fila pulsada empieza en y = 25";

    const QImage rotulo =
        ImagenBoton(TiraDePrueba(), 215, QStringLiteral("DATOS GENERALES"), false, FuenteBotones());
    int verdes = 0;
    int minX = 215;
    int maxX = 0;
    for (int x = 0; x < rotulo.width(); ++x)
        for (int y = 0; y < rotulo.height(); ++y) {
            verdes += rotulo.pixel(x, y) == qRgb(0, 64, 0);
            if (rotulo.pixel(x, y) == qRgb(255, 255, 0)) {
                minX = std::min(minX, x);
                maxX = std::max(maxX, x);
            }
        }
    EXPECT_GT(verdes, 20);
    EXPECT_LT(minX, maxX - 20) << "sombra amarilla";
    // Tanto margen a la izquierda como a la derecha (±2).
    EXPECT_NEAR(minX, 215 - 1 - maxX, 3);
}

TEST(Recursos, ImagenesConSusMedidasYSeisSonidosPcmMonoDistintos) {
    const QImage careta(u":/imagenes/careta.png"_s);
    EXPECT_EQ(QImage(u":/imagenes/tira_botones.png"_s).size(), QSize(7, 49));
    ASSERT_EQ(careta.size(), QSize(404, 188));
    // La careta tapa entera la zona del menú: nada transparente.
    for (int y = 0; y < careta.height(); ++y)
        for (int x = 0; x < careta.width(); ++x)
            ASSERT_EQ(qAlpha(careta.pixel(x, y)), 255) << x << "," << y;

    // Los seis sonidos: PCM mono, cortos, distintos, y tocarlos no cuelga (sin dispositivo de
    // audio vuelve enseguida; con él, al acabar el clip).
    SonidosQt sonidos(QStringLiteral(QUINIELA_MODULO_SONIDO_COMPILADO));
    QSet<QByteArray> contenidos;
    for (const int numero : {1, 5, 6, 7, 9, 10}) {
        QFile f(SonidosQt::RecursoSonido(numero));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << numero;
        const QByteArray wav = f.readAll();
        ASSERT_GE(wav.size(), 512) << numero;
        EXPECT_LE(wav.size(), 9 * 1024) << numero;
        EXPECT_EQ(wav.mid(0, 4) + wav.mid(8, 8), QByteArray("RIFFWAVEfmt ")) << numero;
        EXPECT_EQ(wav.mid(20, 4), QByteArray("\1\0\1\0", 4)) << "PCM mono " << numero;
        contenidos.insert(wav.mid(44));
        sonidos.Toca(numero);
    }
    EXPECT_EQ(contenidos.size(), 6);
}

TEST(ServiciosQt, CursoresPropiosYEsperaDeVerdad) {
    CursoresQt cursores;
    QWidget ventana;
    QWidget control(&ventana);
    for (const QString& nombre : {u"ManoIndice"_s, u"lapiz"_s, u"goma"_s}) {
        EXPECT_EQ(cursores.Cursor(nombre).shape(), Qt::BitmapCursor) << nombre.toStdString();
        cursores.PonCursor(&control, nombre);
        EXPECT_TRUE(control.testAttribute(Qt::WA_SetCursor));
    }
    cursores.PonCursor(&control, QString());
    EXPECT_FALSE(control.testAttribute(Qt::WA_SetCursor));

    QElapsedTimer medida;
    medida.start();
    RelojQt().Espera(30);
    EXPECT_GE(medida.elapsed(), 30) << "la espera espera de verdad";
}

} // namespace
