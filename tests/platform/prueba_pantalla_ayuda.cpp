#include "platform/qt/ayuda_qt.h"
#include "platform/qt/boton_imagen.h"
#include "platform/qt/servicios_qt.h"
#include "settings/datos_generales.h"
#include "settings/pantalla_datosgen.h"
#include "support/carpeta_temporal.h"
#include "support/pantallas.h"
#include "support/plataforma_falsa.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMainWindow>
#include <QMessageBox>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QToolBar>
#include <QTreeView>

#include <gtest/gtest.h>

namespace quiniela {
namespace {

using namespace Qt::StringLiterals;

const QString Coleccion = QStringLiteral(QUINIELA_BINARIOS "/app/quiniela.qhc");

// El tamaño y el sitio de la ventana se recuerdan aparte, no en la configuración del usuario.
const QString Ajustes = QStringLiteral("ayuda.ini");

// Los temas que piden las pantallas (0 = menú principal), con el encabezado de su página.
const std::pair<int, const char*> Temas[] = {
    {0, "Menú principal"},
    {1120, "Descripción general del programa"},
    {2100, "Datos de jornadas"},
    {2151, "Lista de equipos"},
    {2210, "Reducción por el Método Directo"},
    {2230, "Reducción por el Método de Columna Probable"},
    {2250, "Reducción por el Método de Selección de Signos"},
    {2300, "Consultar reducciones"},
    {2400, "Salida de datos"},
    {2410, "Imprimir los datos básicos de la reducción"},
    {2420, "Imprimir boletos individuales"},
    {2430, "Imprimir relación de boletos"},
    {2440, "Copiar apuestas a disco"},
    {2450, "Imprimir boletos en papel continuo"},
    {2460, "Enviar datos por correo electrónico"},
    {2500, "Escrutinio de aciertos"},
    {2700, "Datos generales"},
    {2800, "Borrado de datos"},
};

QTextBlock BloqueConTexto(const QTextDocument* doc, const QString& texto) {
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next())
        if (b.text() == texto)
            return b;
    return {};
}

TEST(AyudaQt, CadaTemaAbreSuPropiaPaginaEnUnaSolaVentanaQueSeRecuerda) {
    ASSERT_TRUE(QFileInfo::exists(Coleccion)) << qPrintable(Coleccion);
    prueba::CarpetaTemporal ajustes;
    AyudaQt ayuda(Coleccion, ajustes.Ruta(Ajustes));
    EXPECT_TRUE(ayuda.UrlDeTema(9999).isEmpty());
    QMainWindow* primera = nullptr;
    for (const auto& [numero, titulo] : Temas) {
        ayuda.AbreAyuda(numero);
        primera = primera ? primera : ayuda.Ventana();
        ASSERT_NE(primera, nullptr);
        EXPECT_EQ(ayuda.Ventana(), primera) << "una sola ventana para todos los temas";
        const QTextBlock encabezado =
            BloqueConTexto(ayuda.Visor()->document(), QString::fromUtf8(titulo));
        ASSERT_TRUE(encabezado.isValid()) << numero << " " << titulo;
        // La hoja de estilo común (enlace relativo dentro del fichero de ayuda) se aplica.
        EXPECT_EQ(encabezado.begin().fragment().charFormat().foreground().color(),
                  QColor(0x00, 0x40, 0x00))
            << numero;
    }
    const QRect elegido(420, 40, 360, 500);
    primera->setGeometry(elegido);
    primera->close();
    AyudaQt otraVez(Coleccion, ajustes.Ruta(Ajustes));
    otraVez.AbreAyuda(2700);
    EXPECT_EQ(otraVez.Ventana()->geometry(), elegido);
}

TEST(AyudaQt, SinFicheroOSinSuDocumentacionAvisaYFuncionaEnOtraCarpeta) {
    prueba::CarpetaTemporal dir;
    const QString ruta = dir.Ruta(u"quiniela.qhc"_s);
    const QString origen = QFileInfo(Coleccion).absolutePath() + u'/';
    // Sin la colección y con ella pero sin quiniela.qch al lado; con las dos, funciona.
    for (const char* aviso :
         {"No se encuentra el fichero de ayuda", "No se puede leer el fichero de ayuda"}) {
        AyudaQt ayuda(ruta, dir.Ruta(Ajustes));
        QString texto;
        prueba::AlAbrirseModal([&](QWidget* modal) {
            if (auto* caja = qobject_cast<QMessageBox*>(modal)) {
                texto = caja->text();
                caja->close();
            }
        });
        ayuda.AbreAyuda(2700);
        EXPECT_TRUE(texto.startsWith(QString::fromUtf8(aviso))) << qPrintable(texto);
        EXPECT_TRUE(texto.contains(QDir::toNativeSeparators(ruta)));
        EXPECT_EQ(ayuda.Ventana(), nullptr);
        const QString falta = QFile::exists(ruta) ? u"quiniela.qch"_s : u"quiniela.qhc"_s;
        ASSERT_TRUE(QFile::copy(origen + falta, dir.Ruta(falta)));
    }
    AyudaQt ayuda(ruta, dir.Ruta(Ajustes));
    ayuda.AbreAyuda(2700);
    ASSERT_NE(ayuda.Visor(), nullptr);
    EXPECT_TRUE(BloqueConTexto(ayuda.Visor()->document(), u"Datos generales"_s).isValid());
}

TEST(AyudaQt, SeColocaAlLadoDeLaPantallaSinTaparla) {
    const QRect escritorio(0, 0, 1920, 1040);
    const QRect pequeno(0, 0, 1024, 768);
    struct Caso {
        QRect AyudaEnLinea, Pantalla, Disponible, Esperado;
    };
    const Caso casos[] = {
        // Donde la dejó el usuario, si no tapa la pantalla.
        {{1200, 100, 600, 500}, {100, 100, 700, 500}, escritorio, {1200, 100, 600, 500}},
        // Encima: a la derecha, más estrecha para caber entera.
        {{0, 0, 920, 620}, {500, 200, 600, 400}, escritorio, {1108, 200, 812, 620}},
        // Sin sitio a la derecha: a la izquierda, con su ancho.
        {{900, 0, 920, 620}, {1000, 100, 900, 500}, escritorio, {72, 100, 920, 620}},
        // Fuera del escritorio: vuelve al lado de la pantalla.
        {{1800, 900, 600, 500}, {100, 100, 700, 500}, escritorio, {808, 100, 600, 500}},
        // Más alta que el área disponible: se acorta y no sale por abajo.
        {{0, 0, 500, 1200}, {0, 300, 800, 600}, escritorio, {808, 0, 500, 1040}},
        // Estrecho a los lados pero con sitio debajo: debajo, sin taparla.
        {{0, 0, 920, 620}, {280, 200, 722, 470}, {0, 0, 1280, 984}, {280, 678, 920, 306}},
        // Ni encima ni debajo: al lado con más sitio, más estrecha aún (el contenido irá encima
        // de la página).
        {{0, 0, 920, 620}, {280, 50, 722, 470}, {0, 0, 1280, 560}, {0, 0, 272, 560}},
        // Sin sitio a ningún lado: pegada al borde, lo menos estrecha que se deja leer.
        {{0, 0, 920, 620}, {112, 84, 800, 600}, pequeno, {664, 84, 360, 620}},
    };
    for (const Caso& c : casos) {
        const QRect sitio = SitioAyuda(c.AyudaEnLinea, c.Pantalla, c.Disponible);
        EXPECT_EQ(sitio, c.Esperado) << "caso " << &c - casos;
    }
}

// Pulsa en el contenido de la ayuda, ya cargado, como el usuario y devuelve la página que se ve.
QString PulsaEnElContenido(AyudaQt& ayuda, const QString& titulo) {
    auto* arbol = ayuda.Ventana()->findChild<QTreeView*>(QStringLiteral("contenidoAyuda"));
    QModelIndex entrada;
    if (!QTest::qWaitFor([&] {
            entrada = arbol->model()
                          ->match(arbol->model()->index(0, 0), Qt::DisplayRole, titulo, 1,
                                  Qt::MatchExactly | Qt::MatchRecursive)
                          .value(0);
            return entrada.isValid();
        }))
        return QStringLiteral("(no está en el contenido)");
    arbol->scrollTo(entrada);
    prueba::PulsaEnSuVentana(arbol->viewport(), arbol->visualRect(entrada).center());
    return ayuda.Visor()->source().fileName();
}

TEST(AyudaQt, SeUsaDesdeUnaPantallaModalYSeCierraSinCerrarla) {
    prueba::CarpetaTemporal carpeta;
    EstadoGlobal estado = carpeta.Estado();
    CargaDatosGenerales(estado);
    prueba::PlataformaFalsa plataforma(&estado);
    AyudaQt ayuda(Coleccion, carpeta.Ruta(Ajustes));
    AvisoSistemaQt aviso;
    Plataforma servicios = ServiciosPlataforma();
    servicios.AyudaEnLinea = &ayuda;
    servicios.Aviso = &aviso;
    InstalaPlataforma(servicios);

    PantallaDatosgen pantalla(estado);
    // A un lado del escritorio de pruebas (800 × 600), para que la ayuda quepa al otro.
    pantalla.move(0, 0);
    prueba::AlAbrirseModal([&](QWidget* modal) {
        ASSERT_EQ(modal, &pantalla);
        prueba::Pulsa(pantalla.Pic_Ayuda);
        QMainWindow* ventana = ayuda.Ventana();
        ASSERT_NE(ventana, nullptr);
        EXPECT_FALSE(ventana->frameGeometry().intersects(pantalla.frameGeometry()))
            << "al lado de la pantalla, no encima";

        EXPECT_EQ(PulsaEnElContenido(ayuda, u"Datos de jornadas"_s), u"jornadas.html"_s);
        prueba::GuardaCaptura({&pantalla, ventana}, u"ayuda_junto_a_datosgen"_s);

        // Otra ventana modal encima (un aviso del sistema): la ayuda sigue atendiendo.
        QString alAviso;
        QTimer::singleShot(0, [&] {
            alAviso = PulsaEnElContenido(ayuda, u"Lista de equipos"_s);
            QApplication::activeModalWidget()->close();
        });
        AvisaSistema(u"Aviso encima de la pantalla"_s);
        EXPECT_EQ(alAviso, u"equipos.html"_s);
        // Lo que la pantalla atiende antes del siguiente clic.
        QCoreApplication::processEvents();
        // Y cerrado el aviso, también.
        EXPECT_EQ(PulsaEnElContenido(ayuda, u"Datos generales"_s), u"datosgen.html"_s);

        QWidget* botonCerrar = ventana->findChild<QToolBar*>()->widgetForAction(
            ventana->findChild<QAction*>(u"cerrarAyuda"_s));
        ASSERT_NE(botonCerrar, nullptr);
        prueba::PulsaEnSuVentana(botonCerrar, botonCerrar->rect().center());
        EXPECT_FALSE(ventana->isVisible());
        EXPECT_TRUE(pantalla.isVisible());
        prueba::Pulsa(pantalla.Pic_Salir);
    });
    pantalla.exec();
}

} // namespace
} // namespace quiniela
