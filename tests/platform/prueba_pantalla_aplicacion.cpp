// Lo que el programa ajusta al arrancar y vale para todas las pantallas (las pruebas de
// pantallas arrancan igual).
#include "platform/qt/boton_imagen.h"
#include "platform/qt/servicios_qt.h"
#include "support/pantallas.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

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

// La traducción de Qt está cargada: la caja de mensajes del sistema dice "Aceptar".
TEST(Aplicacion, QtHablaEspanol) {
    QStringList botones;
    QTimer::singleShot(0, [&] {
        QWidget* caja = QApplication::activeModalWidget();
        for (const QAbstractButton* b : caja->findChildren<QAbstractButton*>())
            botones << b->text().remove(u'&');
        caja->close();
    });
    AvisoSistemaQt().Avisa(u"Prueba"_s);
    EXPECT_EQ(botones, QStringList{u"Aceptar"_s});
}

// Dos cajas de lista editables (como las de equipos) y una de números.
TEST(Aplicacion, LaRuedaSoloCambiaLaCajaEnLaQueSeHaPulsado) {
    QDialog ventana;
    ventana.resize(300, 200);
    QComboBox* cajas[2] = {};
    for (int i = 0; i < 2; ++i) {
        cajas[i] = new QComboBox(&ventana);
        cajas[i]->setEditable(true);
        cajas[i]->addItems({u"Deportivo"_s, u"Espanyol"_s, u"Mallorca"_s, u"Sevilla"_s});
        cajas[i]->setGeometry(10, 10 + 30 * i, 150, 24);
    }
    auto* numeros = new QSpinBox(&ventana);
    numeros->setGeometry(10, 80, 80, 24);
    ventana.show();
    ventana.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&ventana));
    QComboBox* primera = cajas[0];
    // Sin foco: nada cambia, ni sobre el campo de texto ni sobre la flecha.
    for (QComboBox* caja : cajas) {
        GiraRueda(caja, QPoint(20, 12), -1);
        GiraRueda(caja, QPoint(caja->width() - 8, 12), -5);
        EXPECT_EQ(caja->currentIndex(), 0) << caja->currentText().toStdString();
    }
    GiraRueda(numeros, QPoint(10, 12), 3);
    EXPECT_EQ(numeros->value(), 0);

    // Con el foco llegado por el teclado tampoco: el usuario no ha pulsado en ella.
    primera->setFocus(Qt::TabFocusReason);
    GiraRueda(primera, QPoint(20, 12), -1);
    EXPECT_EQ(primera->currentIndex(), 0);

    // Pulsada (el campo de texto de la caja), la rueda sí la recorre.
    QTest::mouseClick(primera->lineEdit(), Qt::LeftButton, {}, QPoint(20, 12));
    ASSERT_TRUE(primera->hasFocus());
    GiraRueda(primera, QPoint(20, 12), -1);
    EXPECT_EQ(primera->currentText(), u"Espanyol"_s);
    // Pero no la de al lado, aunque esté debajo del ratón.
    GiraRueda(cajas[1], QPoint(20, 12), -1);
    EXPECT_EQ(cajas[1]->currentIndex(), 0);
    // Y al pasar el foco a otra con el tabulador, la pulsada deja de cambiar.
    cajas[1]->setFocus(Qt::TabFocusReason);
    GiraRueda(primera, QPoint(20, 12), -1);
    GiraRueda(cajas[1], QPoint(20, 12), -1);
    EXPECT_EQ(primera->currentText(), u"Espanyol"_s);
    EXPECT_EQ(cajas[1]->currentIndex(), 0);
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
    int marcados = 0;
    for (int y = 0; y < conFoco.height(); ++y)
        for (int x = 0; x < conFoco.width(); ++x)
            if (conFoco.pixel(x, y) != sinFoco.pixel(x, y)) {
                ++marcados;
                // Solo en el borde del botón.
                EXPECT_TRUE(x == 0 || y == 0 || x == conFoco.width() - 1 ||
                            y == conFoco.height() - 1)
                    << x << "," << y;
            }
    EXPECT_GT(marcados, 40) << "el foco se ve";
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

} // namespace
