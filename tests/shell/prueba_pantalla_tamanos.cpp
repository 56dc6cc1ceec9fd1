// Todas las pantallas en la pantalla más pequeña, 800 × 600 menos una barra de tareas de 40: la
// ventana con su barra de título dentro del área y cada control dentro de su ventana. Las
// pantallas sin modo, abiertas desde el menú, no tapan sus entradas.
#include "consult/pantalla_consredu.h"
#include "consult/pantalla_historic.h"
#include "core/colocacion_ventanas.h"
#include "core/estado_global.h"
#include "matchdays/pantalla_borrar.h"
#include "matchdays/pantalla_equipos.h"
#include "matchdays/pantalla_jornadas.h"
#include "output/cuenta_correo.h"
#include "output/dialogo_cuenta_correo.h"
#include "output/pantalla_listados.h"
#include "output/pantalla_salida.h"
#include "platform/qt/boton_imagen.h"
#include "platform/qt/estilo.h"
#include "reduction/pantalla_reducir.h"
#include "scrutiny/pantalla_escrutin.h"
#include "settings/datos_generales.h"
#include "settings/pantalla_datosgen.h"
#include "shell/junto_al_menu.h"
#include "shell/pantalla_mensajes.h"
#include "shell/pantalla_velmo.h"
#include "support/carpeta_temporal.h"
#include "support/datos_distribuidos.h"
#include "support/pantallas.h"
#include "support/plataforma_falsa.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace Qt::StringLiterals;
using namespace quiniela;
using namespace quiniela::prueba;

namespace {

// Lo que deja libre una barra de tareas de 40 píxeles en 800 × 600.
const QRect AreaPequena(0, 0, 800, 560);

// El marco de la ventana, con la barra de título que se le supone si el sistema no da la suya.
QRect Marco(const QWidget* ventana) {
    return QRect(ventana->pos(), ventana->size().grownBy(MargenesMarco(ventana)));
}

// Los controles visibles que se salen de `raiz` (la pantalla, aunque vaya dentro de una ventana
// desplazable), con su sitio.
QStringList ControlesFuera(QWidget* raiz) {
    QStringList fuera;
    for (QWidget* w : raiz->findChildren<QWidget*>()) {
        if (w->isWindow() || !w->isVisibleTo(raiz))
            continue;
        const QRect r(w->mapTo(raiz, QPoint(0, 0)), w->size());
        if (!raiz->rect().contains(r))
            fuera << u"%1 %2,%3 %4x%5"_s
                         .arg(w->objectName().isEmpty()
                                  ? QString::fromLatin1(w->metaObject()->className())
                                  : w->objectName())
                         .arg(r.x())
                         .arg(r.y())
                         .arg(r.width())
                         .arg(r.height());
    }
    return fuera;
}

void CompruebaQueCabe(QWidget* pantalla, const QString& nombre) {
    SCOPED_TRACE(nombre.toStdString());
    QWidget* ventana = pantalla->window();
    EXPECT_TRUE(AreaPequena.contains(Marco(ventana)))
        << "marco " << Marco(ventana).x() << "," << Marco(ventana).y() << " "
        << Marco(ventana).width() << "x" << Marco(ventana).height();
    EXPECT_EQ(ControlesFuera(pantalla), QStringList());
}

struct Tamanos : testing::Test {
    CarpetaTemporal Carpeta;
    EstadoGlobal Estado = Carpeta.Estado();
    PlataformaFalsa Plataforma{&Estado};

    void SetUp() override {
        // La plataforma offscreen da una pantalla de 800 × 600 sin barra: el área útil es la
        // de diseño.
        ASSERT_EQ(QGuiApplication::primaryScreen()->geometry(), QRect(0, 0, 800, 600));
        ASSERT_EQ(AreaUtilPantalla(), AreaPequena);
        CopiaDatosDistribuidos(Carpeta);
        CargaDatosGenerales(Estado);
        Estado.Datos.JornadaActual = 1;
    }

    // Abre la pantalla como lo haría el programa (centrada o donde la ponga su constructor).
    void Abre(QWidget* pantalla, const QString& nombre) {
        pantalla->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(pantalla));
        CompruebaQueCabe(pantalla, nombre);
    }
};

TEST_F(Tamanos, CadaPantallaCabeEnOchocientosPorSeiscientosConSusControlesDentro) {
    {
        PantallaVelmo menu(Estado);
        Abre(&menu, u"velmo"_s);
    }
    // Las de la reducción: las tres del método, una por orden de la jornada 1.
    for (int orden = 1; orden <= 3; ++orden) {
        Estado.Datos.OrdenActual = int16_t(orden);
        const QString metodo = QString::number(orden);
        {
            PantallaReducir p(Estado);
            Abre(&p, u"reducir "_s + metodo);
        }
        {
            PantallaConsredu p(Estado);
            Abre(&p, u"consredu "_s + metodo);
        }
        {
            PantallaSalida p(Estado);
            Abre(&p, u"salida "_s + metodo);
        }
        {
            PantallaEscrutin p(Estado);
            Abre(&p, u"escrutin "_s + metodo);
        }
    }
    for (int tipo = 0; tipo <= 5; ++tipo) {
        PantallaListados p(Estado, tipo, 3);
        Abre(&p, u"listados "_s + QString::number(tipo));
    }
    {
        PantallaJornadas p(Estado);
        Abre(&p, u"jornadas"_s);
    }
    {
        PantallaEquipos p(Estado);
        Abre(&p, u"equipos"_s);
    }
    {
        PantallaHistoric p(Estado);
        Abre(&p, u"historic"_s);
    }
    {
        PantallaDatosgen p(Estado);
        Abre(&p, u"datosgen"_s);
    }
    {
        PantallaBorrar p(Estado);
        Abre(&p, u"borrar"_s);
    }
    {
        PantallaMensajes p(Estado, u"BORRADO DE DATOS"_s, QString(100, u'x'),
                           BotonMensaje::Borrar | BotonMensaje::Ayuda);
        Abre(&p, u"mensajes"_s);
    }
    {
        DialogoCuentaCorreo p{CuentaCorreo{}};
        Abre(&p, u"cuenta de correo"_s);
    }
}

// La pantalla sin modo que ha abierto el menú (o la ventana desplazable que la lleva).
QWidget* PantallaAbierta(const QString& nombre) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() &&
            (w->objectName() == nombre || w->objectName() == nombre + u"_desplazable"_s))
            return w;
    return nullptr;
}

TEST_F(Tamanos, LasPantallasSinModoDejanVerLasEntradasDelMenu) {
    PantallaVelmo menu(Estado);
    menu.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
    const QPoint centro = menu.pos();
    const std::pair<int, QString> entradas[] = {
        {3, u"consredu"_s}, {4, u"salida"_s}, {5, u"escrutin"_s}};
    for (int orden = 1; orden <= 3; ++orden) {
        Estado.Datos.OrdenActual = int16_t(orden);
        for (const auto& [entrada, nombre] : entradas) {
            SCOPED_TRACE((nombre + u" método "_s + QString::number(orden)).toStdString());
            Pulsa(menu.Pic_Boton[entrada]);
            QWidget* ventana = PantallaAbierta(nombre);
            ASSERT_NE(ventana, nullptr);
            ASSERT_TRUE(QTest::qWaitForWindowExposed(ventana));
            // Las dos dentro del área; la pantalla no tapa ninguna entrada del menú.
            EXPECT_TRUE(AreaPequena.contains(Marco(ventana)));
            EXPECT_TRUE(AreaPequena.contains(menu.frameGeometry())); // el menú ya tiene marco
            const QRect zona(menu.mapToGlobal(menu.ZonaEntradas().topLeft()),
                             menu.ZonaEntradas().size());
            EXPECT_FALSE(Marco(ventana).intersects(zona))
                << Marco(ventana).y() << "+" << Marco(ventana).height() << " " << zona.y() << " "
                << ventana->objectName().toStdString();
            // En 800 × 600 no cabe entera: se desplaza, con sus controles dentro de ella.
            auto* desplazable = qobject_cast<VentanaDesplazable*>(ventana);
            ASSERT_NE(desplazable, nullptr);
            EXPECT_EQ(ControlesFuera(desplazable->Pantalla()), QStringList());
            if (orden == 3)
                GuardaCaptura({&menu, ventana}, u"junto_al_menu_"_s + nombre);
            // Se llega a sus botones de abajo desplazando.
            desplazable->ensureWidgetVisible(
                desplazable->Pantalla()->findChild<QWidget*>(u"Pic_Salir"_s));
            EXPECT_GT(desplazable->verticalScrollBar()->value(), 0);
        }
    }
    // Otra entrada cierra la pantalla sin modo y el menú vuelve a su sitio.
    AlAbrirseModal([](QWidget* modal) {
        ASSERT_NE(modal, nullptr);
        Pulsa(static_cast<PantallaDatosgen*>(modal)->Pic_Salir);
    });
    Pulsa(menu.Pic_Boton[6]);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(PantallaAbierta(u"escrutin"_s), nullptr);
    EXPECT_EQ(menu.pos(), centro);
}

// Los títulos de los boletos de la consulta, de 80 en 80 píxeles: con siete cifras tampoco
// se pisan ni se salen de su sitio.
TEST(TitulosBoleto, DeSieteCifrasCabenEntreLosDeAlLado) {
    for (const QString& titulo : {u"Boleto 7"_s, u"Boleto 123"_s, u"Boleto 1793614"_s}) {
        SCOPED_TRACE(titulo.toStdString());
        QImage imagen(400, 100, QImage::Format_RGB32);
        imagen.fill(Qt::black);
        const QRect caja(120, 60, 75, 14);
        {
            QPainter p(&imagen);
            p.setPen(Qt::white);
            PantallaConsredu::PintaTituloBoleto(p, caja, titulo);
        }
        int izquierda = imagen.width(), derecha = -1, arriba = imagen.height();
        for (int y = 0; y < imagen.height(); ++y)
            for (int x = 0; x < imagen.width(); ++x)
                if (imagen.pixel(x, y) != qRgb(0, 0, 0)) {
                    izquierda = std::min(izquierda, x);
                    derecha = std::max(derecha, x);
                    arriba = std::min(arriba, y);
                }
        ASSERT_GE(derecha, 0) << "no se ha escrito nada";
        // Entre el final del de la izquierda y el principio del de la derecha.
        EXPECT_GE(izquierda, caja.left() - 5);
        EXPECT_LT(derecha, caja.left() + 80 - 5);
        // Y sin subir hasta el recuento de boletos (que acaba 12 píxeles más arriba).
        EXPECT_GE(arriba, caja.top() - 12);
    }
}

} // namespace
