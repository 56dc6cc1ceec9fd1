#include "consult/historial.h"
#include "consult/pantalla_consredu.h"
#include "consult/pantalla_consredu_paneles.h"
#include "consult/pantalla_historic.h"
#include "consult/reducciones_prueba.h"
#include "core/estado_global.h"
#include "matchdays/fichero_jornadas.h"
#include "platform/qt/boton_imagen.h"
#include "reduction/fichero_bases.h"
#include "shell/pantalla_velmo.h"
#include "support/carpeta_temporal.h"
#include "support/datos_distribuidos.h"
#include "support/pantallas.h"
#include "support/plataforma_falsa.h"

#include <QDate>
#include <QDialog>
#include <QListWidget>
#include <QPointer>
#include <QTest>
#include <gtest/gtest.h>
#include <optional>

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
            PreparaDatos(Carpeta, reducciones);
    }
    // Crea la pantalla con el estado ya preparado y la enseña.
    PantallaHistoric& Muestra() {
        Pantalla.emplace(Estado);
        Pantalla->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&*Pantalla));
        return *Pantalla;
    }
    CarpetaTemporal Carpeta;
    EstadoGlobal Estado = Carpeta.Estado();
    PlataformaFalsa Plataforma{&Estado};
    std::optional<PantallaHistoric> Pantalla;
};

} // namespace

TEST(PantallaHistoric, AbreEnLaHojaDeLaSeleccion) {
    Historico h(45);
    h.Estado.Datos.JornadaActual = 3; // línea 27: jornada 3, orden 8
    h.Estado.Datos.OrdenActual = 8;
    h.Estado.ReduccionElegida = true;

    PantallaHistoric& pantalla = h.Muestra();
    EXPECT_FALSE(h.Estado.ReduccionElegida);
    EXPECT_EQ(pantalla.Datos().PrimeraLinea(), 20);
    EXPECT_EQ(pantalla.Datos().LineaActual(), 27);
    // 83 caracteres desde x = 20 caben en la hoja.
    EXPECT_GE(pantalla.Pic_Carpeta->width(), XTextoHistorial + 83 * 7 + 6);
    GuardaCaptura(&pantalla, u"historic_seleccion"_s);

    QTest::mouseMove(pantalla.Pic_Carpeta, PuntoLinea(3));
    EXPECT_EQ(pantalla.Datos().LineaBajoPuntero(), 3);
    ASSERT_FALSE(h.Plataforma.Punteros.empty());
    EXPECT_EQ(h.Plataforma.Punteros.back().Control, pantalla.Pic_Carpeta);
    EXPECT_EQ(h.Plataforma.Punteros.back().Nombre, u"ManoIndice"_s);
    GuardaCaptura(&pantalla, u"historic_hoja2"_s);
}

TEST(PantallaHistoric, ElegirJornadaSieteOrdenTresDesdeAbreHistorico) {
    Historico h(70);
    h.Estado.Datos.JornadaActual = 7;
    h.Estado.Datos.OrdenActual = 1; // línea 60, hoja 4

    QString linea;
    AlAbrirseModal([&](QWidget* modal) {
        auto* pantalla = qobject_cast<PantallaHistoric*>(modal);
        ASSERT_NE(pantalla, nullptr);
        ASSERT_EQ(pantalla->Datos().PrimeraLinea(), 60);
        linea = pantalla->Datos().Lis_Datos().at(62);
        QTest::mouseClick(pantalla->Pic_Carpeta, Qt::LeftButton, Qt::NoModifier, PuntoLinea(2));
    });
    EXPECT_TRUE(AbreHistorico(h.Estado)) << "ReduccionElegida";
    EXPECT_TRUE(linea.startsWith(u"  7 09/10/05   3  "_s)) << linea.toStdString();
    EXPECT_EQ(h.Estado.Datos.JornadaActual, 7);
    EXPECT_EQ(h.Estado.Datos.OrdenActual, 3);
}

TEST(PantallaHistoric, EsquinasYTeclasPasanDeHoja) {
    Historico h(45);
    h.Estado.Datos.JornadaActual = 30; // no está: primera hoja
    PantallaHistoric& pantalla = h.Muestra();
    CarpetaHistoric* hoja = pantalla.Pic_Carpeta;
    const QPoint derecha(hoja->width() - 10, hoja->height() - 6);
    const QPoint izquierda(10, hoja->height() - 6);
    GuardaCaptura(&pantalla, u"historic_hoja1"_s);

    // En la primera hoja la esquina izquierda no pasa: puntero de prohibido.
    QTest::mouseMove(hoja, izquierda);
    EXPECT_EQ(hoja->cursor().shape(), Qt::ForbiddenCursor);

    QTest::mouseMove(hoja, derecha);
    EXPECT_EQ(h.Plataforma.Punteros.back().Nombre, u"ManoIndice"_s);
    QTest::mouseClick(hoja, Qt::LeftButton, Qt::NoModifier, derecha);
    QTest::mouseClick(hoja, Qt::LeftButton, Qt::NoModifier, derecha);
    EXPECT_EQ(pantalla.Datos().PrimeraLinea(), 40);
    EXPECT_EQ(h.Plataforma.Sonido, (std::vector<int>{10, 10}));
    // Ya en la última hoja, la misma esquina pasa a prohibido sin mover el ratón.
    EXPECT_EQ(hoja->cursor().shape(), Qt::ForbiddenCursor);
    GuardaCaptura(&pantalla, u"historic_ultima_hoja"_s);

    QTest::keyClick(&pantalla, Qt::Key_PageUp);
    EXPECT_EQ(pantalla.Datos().PrimeraLinea(), 20);
    QTest::keyClick(&pantalla, Qt::Key_PageDown);
    EXPECT_EQ(pantalla.Datos().PrimeraLinea(), 40);
    QTest::keyClick(&pantalla, Qt::Key_Escape);
    EXPECT_FALSE(pantalla.isVisible());
    EXPECT_EQ(h.Plataforma.Sonido.back(), 5);
    EXPECT_FALSE(h.Estado.ReduccionElegida);
}

TEST(PantallaHistoric, SinIndiceSoloCabeceras) {
    Historico h(0);
    PantallaHistoric& pantalla = h.Muestra();
    EXPECT_EQ(h.Plataforma.Avisos.size(), 1) << "falta BASES.ZPK: se avisa y se crea";
    EXPECT_TRUE(h.Carpeta.Existe(u"BASES.ZPK"_s));
    EXPECT_TRUE(pantalla.Datos().Lis_Datos().isEmpty());
    GuardaCaptura(&pantalla, u"historic_vacio"_s);

    QTest::mouseMove(pantalla.Pic_Carpeta, PuntoLinea(0));
    for (const CursorPuesto& c : h.Plataforma.Punteros)
        EXPECT_NE(c.Control, pantalla.Pic_Carpeta) << "sin líneas no hay mano sobre la hoja";
    QTest::mouseClick(pantalla.Pic_Carpeta, Qt::LeftButton, Qt::NoModifier, PuntoLinea(0));
    EXPECT_TRUE(pantalla.isVisible());
    Pulsa(pantalla.Pic_BotSalir);
    EXPECT_FALSE(pantalla.isVisible());
    EXPECT_EQ(h.Plataforma.Sonido, std::vector<int>{5});
    EXPECT_EQ(pantalla.result(), QDialog::Rejected);
}

namespace {

using B = BotonNavegacion;

// Centro de cada botón de Pic_BotAdeAtr, donde pulsaría el usuario.
QPoint CentroBoton(B boton) {
    return QPoint(12 + 29 * (int(boton) - 1), 12);
}

void PulsaNavegacion(PantallaConsredu& pantalla, B boton) {
    QTest::mouseMove(pantalla.Pic_BotAdeAtr, CentroBoton(boton));
    QTest::mouseClick(pantalla.Pic_BotAdeAtr, Qt::LeftButton, {}, CentroBoton(boton));
}

void EligeEnLista(QWidget* boton, QListWidget* lista, int fila) {
    Pulsa(boton);
    ASSERT_TRUE(lista->isVisible());
    const QRect caja = lista->visualItemRect(lista->item(fila));
    QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, caja.center());
    ASSERT_FALSE(lista->isVisible());
}

class PantallaConsreduPrueba : public testing::Test {
protected:
    void SetUp() override {
        CopiaDatosDistribuidos(carpeta);
        estado.Datos.JornadaActual = 1;
        estado.Datos.OrdenActual = 1;
    }
    void Muestra(PantallaConsredu& pantalla) {
        pantalla.show();
        pantalla.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&pantalla));
    }
    ConfiguracionEspanola espanola;
    CarpetaTemporal carpeta;
    EstadoGlobal estado{carpeta.Estado()};
    PlataformaFalsa plataforma{&estado};
};

TEST_F(PantallaConsreduPrueba, CadaMetodoConSuAnchoSuTituloYSusBloques) {
    struct Caso {
        int Orden;
        const char* Captura;
        int Ancho;
        QString Titulo, Boletos;
        bool ColBas, Signos;
    };
    for (const Caso& c : std::vector<Caso>{
             {1, "directo", 607, u"Consulta de columnas reducidas con el Método Directo"_s,
              u"72 Boletos"_s, false, false},
             {2, "probable", 637,
              u"Consulta de columnas reducidas con el Método de Columna Probable"_s,
              u"65 Boletos"_s, true, false},
             {3, "signos", 637,
              u"Consulta de columnas reducidas con el Método de Selección de Signos"_s,
              u"525 Boletos"_s, false, true}}) {
        SCOPED_TRACE(c.Captura);
        estado.Datos.OrdenActual = int16_t(c.Orden);
        PantallaConsredu pantalla(estado);
        Muestra(pantalla);
        EXPECT_EQ(pantalla.width(), c.Ancho);
        EXPECT_EQ(pantalla.windowTitle(), c.Titulo);
        EXPECT_EQ(pantalla.TextoBoletos(), c.Boletos);
        EXPECT_EQ(pantalla.Pic_ColBas->isVisible(), c.ColBas);
        EXPECT_EQ(pantalla.Pic_Signos->isVisible(), c.Signos);
        EXPECT_EQ(pantalla.Pic_BotNroJor->Rotulo(), u"Jornada 1"_s);
        GuardaCaptura(&pantalla, u"consredu_%1"_s.arg(QLatin1StringView(c.Captura)));

        plataforma.Sonido.clear();
        plataforma.Esperas.clear();
        PulsaNavegacion(pantalla, B::Avanzar);
        PulsaNavegacion(pantalla, B::Avanzar);
        EXPECT_EQ(pantalla.Vista().PrimeraColumna(), 49);
        EXPECT_EQ(pantalla.Vista().BloqueActual().Titulos[0], u"Boleto 7"_s);
        EXPECT_EQ(plataforma.Sonido, (std::vector<int>{6, 6, 6, 6}));
        EXPECT_EQ(plataforma.Esperas, (std::vector<int>{180, 180}));
        GuardaCaptura(&pantalla, u"consredu_%1_bloque3"_s.arg(QLatin1StringView(c.Captura)));
    }
}

TEST_F(PantallaConsreduPrueba, BotonesInactivosNoHacenNadaYLoDicenConElPuntero) {
    carpeta.Escribe(u"BASES.ZPK"_s, QByteArray());
    GuardaReduccionPrueba(carpeta, 1, 1, ColumnasPrueba(20, u'1'));
    PantallaConsredu pantalla(estado);
    Muestra(pantalla);
    EXPECT_EQ(pantalla.TextoBoletos(), u"3 Boletos"_s);
    plataforma.Sonido.clear();
    for (const auto& [boton, ayuda] : {std::pair{B::Principio, u" Ir al principio "_s},
                                       {B::Retroceder, u" Retroceder tres boletos "_s},
                                       {B::Avanzar, u" Avanzar tres boletos "_s},
                                       {B::Final, u" Ir al final "_s}}) {
        PulsaNavegacion(pantalla, boton);
        EXPECT_EQ(pantalla.Pic_BotAdeAtr->EstadoPuntero(), 12);
        EXPECT_EQ(pantalla.Pic_BotAdeAtr->cursor().shape(), Qt::ForbiddenCursor);
        EXPECT_EQ(pantalla.Pic_BotAdeAtr->toolTip(), ayuda);
    }
    EXPECT_TRUE(plataforma.Sonido.empty());
    EXPECT_EQ(pantalla.Vista().PrimeraColumna(), 1);
    const auto& fila = pantalla.Vista().BloqueActual().Filas[0];
    EXPECT_EQ(fila.mid(20), u"    "_s);
    QTest::mouseMove(pantalla.Pic_BotAdeAtr, QPoint(26, 12)); // entre dos botones
    EXPECT_EQ(pantalla.Pic_BotAdeAtr->EstadoPuntero(), 0);
    EXPECT_TRUE(pantalla.Pic_BotAdeAtr->toolTip().isEmpty());
}

TEST_F(PantallaConsreduPrueba, ListasDeJornadaYOrden) {
    PantallaConsredu pantalla(estado);
    Muestra(pantalla);
    PulsaNavegacion(pantalla, B::Final);
    EXPECT_EQ(pantalla.Vista().PrimeraColumna(),
              553); // 576 registros: el bloque 24
    // La misma jornada otra vez no carga nada: se queda en el mismo bloque.
    EligeEnLista(pantalla.Pic_BotNroJor, pantalla.Lis_Jornadas, 0);
    EXPECT_EQ(pantalla.Vista().PrimeraColumna(), 553);
    // Otro orden carga desde el primer bloque.
    EligeEnLista(pantalla.Pic_BotOrden, pantalla.Lis_Orden, 1);
    EXPECT_EQ(estado.Datos.OrdenActual, 2);
    EXPECT_EQ(pantalla.Vista().PrimeraColumna(), 1);
    EXPECT_EQ(pantalla.Pic_BotOrden->Rotulo(), u"Orden 2"_s);
    // Otra jornada pone el orden a 1, también en su lista.
    EligeEnLista(pantalla.Pic_BotNroJor, pantalla.Lis_Jornadas, 2);
    EXPECT_EQ(estado.Datos.JornadaActual, 3);
    EXPECT_EQ(estado.Datos.OrdenActual, 1);
    EXPECT_EQ(pantalla.Lis_Orden->currentRow(), 0);
    EXPECT_EQ(pantalla.Pic_BotNroJor->Rotulo(), u"Jornada 3"_s);
    EXPECT_EQ(pantalla.TextoBoletos(), u"36 Boletos"_s);
    // Una reducción sin columnas: base y resumen, nada más.
    EligeEnLista(pantalla.Pic_BotNroJor, pantalla.Lis_Jornadas, 1);
    EXPECT_TRUE(pantalla.TextoBoletos().isEmpty());
    for (B boton : {B::Principio, B::Retroceder, B::Avanzar, B::Final})
        EXPECT_FALSE(pantalla.Vista().Activo(boton));
    Pulsa(pantalla.Pic_Ayuda);
    EXPECT_EQ(plataforma.TemasAyuda, std::vector<int>{2300});
}

TEST_F(PantallaConsreduPrueba, ElMenuLaAbreSinModoYLaCierraAlAbrirOtraEntrada) {
    PantallaVelmo menu(estado);
    menu.show();
    Pulsa(menu.Pic_Boton[3]);
    QPointer<PantallaConsredu> consulta = menu.findChild<PantallaConsredu*>();
    ASSERT_FALSE(consulta.isNull());
    EXPECT_TRUE(consulta->isVisible());
    EXPECT_FALSE(consulta->isModal());
    AlAbrirseModal([](QWidget* modal) {
        ASSERT_NE(modal, nullptr);
        EXPECT_EQ(modal->objectName(), u"borrar"_s);
        static_cast<QDialog*>(modal)->reject();
    });
    Pulsa(menu.Pic_Boton[7]);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(consulta.isNull() || !consulta->isVisible());
}

} // namespace
