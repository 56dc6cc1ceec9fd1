// Lo que el programa ajusta al arrancar y vale para todas las pantallas (las pruebas de
// pantallas arrancan igual).
#include "platform/qt/boton_imagen.h"
#include "platform/qt/servicios_qt.h"
#include "support/pantallas.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMessageBox>
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

QStringList TextosDeBotones(const QWidget* ventana) {
    QStringList textos;
    for (const QAbstractButton* b : ventana->findChildren<QAbstractButton*>())
        textos << b->text().remove(u'&');
    return textos;
}

TEST(Aplicacion, QtHablaEspanol) {
    // La caja de mensajes del sistema.
    QStringList botones;
    QTimer::singleShot(0, [&] {
        QWidget* caja = QApplication::activeModalWidget();
        botones = TextosDeBotones(caja);
        caja->close();
    });
    AvisoSistemaQt().Avisa(u"Prueba"_s);
    EXPECT_EQ(botones, QStringList{u"Aceptar"_s});

    // Los botones estándar de los diálogos.
    QDialogButtonBox caja(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Yes |
                          QDialogButtonBox::No | QDialogButtonBox::Close);
    QStringList estandar = TextosDeBotones(&caja);
    estandar.sort();
    EXPECT_EQ(estandar, (QStringList{u"Aceptar"_s, u"Cancelar"_s, u"Cerrar"_s, u"No"_s, u"Sí"_s}));
}

// Una ventana con cajas de lista editables (como las de equipos), una no editable y una de
// números, todas con entradas para cambiar.
struct VentanaDeCajas {
    VentanaDeCajas() {
        Ventana.resize(300, 200);
        for (int i = 0; i < 3; ++i) {
            auto* caja = new QComboBox(&Ventana);
            caja->setEditable(i < 2);
            caja->addItems({u"Deportivo"_s, u"Espanyol"_s, u"Mallorca"_s, u"Sevilla"_s});
            caja->setGeometry(10, 10 + 30 * i, 150, 24);
            Cajas[i] = caja;
        }
        Numeros = new QSpinBox(&Ventana);
        Numeros->setGeometry(10, 110, 80, 24);
        Ventana.show();
        Ventana.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&Ventana));
    }
    QDialog Ventana;
    QComboBox* Cajas[3] = {};
    QSpinBox* Numeros = nullptr;
};

TEST(Aplicacion, LaRuedaSoloCambiaLaCajaEnLaQueSeHaPulsado) {
    VentanaDeCajas v;
    QComboBox* primera = v.Cajas[0];
    // Sin foco: nada cambia, ni sobre el campo de texto ni sobre la flecha.
    for (QComboBox* caja : v.Cajas) {
        GiraRueda(caja, QPoint(20, 12), -1);
        GiraRueda(caja, QPoint(caja->width() - 8, 12), -5);
        EXPECT_EQ(caja->currentIndex(), 0) << caja->currentText().toStdString();
    }
    GiraRueda(v.Numeros, QPoint(10, 12), 3);
    EXPECT_EQ(v.Numeros->value(), 0);

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
    GiraRueda(v.Cajas[1], QPoint(20, 12), -1);
    EXPECT_EQ(v.Cajas[1]->currentIndex(), 0);
    // Y al pasar el foco a otra con el tabulador, la pulsada deja de cambiar.
    v.Cajas[1]->setFocus(Qt::TabFocusReason);
    GiraRueda(primera, QPoint(20, 12), -1);
    GiraRueda(v.Cajas[1], QPoint(20, 12), -1);
    EXPECT_EQ(primera->currentText(), u"Espanyol"_s);
    EXPECT_EQ(v.Cajas[1]->currentIndex(), 0);
}

TEST(Aplicacion, LaMarcaDeFocoDeUnBotonNoTapaSuRotulo) {
    QWidget ventana;
    auto* boton = new BotonImagen(&ventana);
    auto* otro = new BotonImagen(&ventana);
    otro->move(0, 40);
    // Rótulo largo para su ancho, como "14  Máximo".
    boton->Dibuja(80, u"14  Máximo"_s, false);
    otro->Dibuja(80, u"Ayuda"_s, false);
    ventana.show();
    ventana.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&ventana));
    otro->setFocus();
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

} // namespace
