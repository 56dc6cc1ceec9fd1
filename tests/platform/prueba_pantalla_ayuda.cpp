// Ayuda (quiniela.qhc generada en app/ del árbol de compilación) y recursos propios.

#include "platform/qt/ayuda_qt.h"

#include <QApplication>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QMainWindow>
#include <QMessageBox>
#include <QSet>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTimer>
#include <QtEndian>

#include <gtest/gtest.h>

#include <functional>
#include <iterator>

namespace quiniela {
namespace {

QString Coleccion() {
    return QStringLiteral(QUINIELA_BINARIOS "/app/quiniela.qhc");
}

struct Tema {
    int numero;
    const char* pagina;
    const char* titulo; // encabezado de la página
};

// Los temas que piden las pantallas (0 = menú principal).
const Tema kTemas[] = {
    {0, "index.html", "Menú principal"},
    {1120, "general.html", "Descripción general del programa"},
    {2100, "jornadas.html", "Datos de jornadas"},
    {2151, "equipos.html", "Lista de equipos"},
    {2210, "reducir_directo.html", "Reducción por el Método Directo"},
    {2230, "reducir_probable.html", "Reducción por el Método de Columna Probable"},
    {2250, "reducir_signos.html", "Reducción por el Método de Selección de Signos"},
    {2300, "consultar.html", "Consultar reducciones"},
    {2400, "salida.html", "Salida de datos"},
    {2410, "salida_datos.html", "Imprimir los datos básicos de la reducción"},
    {2420, "salida_boletos.html", "Imprimir boletos individuales"},
    {2430, "salida_relacion.html", "Imprimir relación de boletos"},
    {2440, "salida_disco.html", "Copiar apuestas a disco"},
    {2450, "salida_continuo.html", "Imprimir boletos en papel continuo"},
    {2460, "salida_correo.html", "Enviar datos por correo electrónico"},
    {2500, "escrutinio.html", "Escrutinio de aciertos"},
    {2700, "datosgen.html", "Datos generales"},
    {2800, "borrar.html", "Borrado de datos"},
};

// Bloque cuyo texto es exactamente `texto`, o uno inválido.
QTextBlock BloqueConTexto(const QTextDocument* doc, const QString& texto) {
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next())
        if (b.text() == texto)
            return b;
    return {};
}

// Cierra el primer cuadro de mensaje modal que aparezca y devuelve su texto.
QString TextoDelAvisoAl(const std::function<void()>& accion) {
    QString texto;
    QTimer vigia;
    vigia.setInterval(10);
    QObject::connect(&vigia, &QTimer::timeout, [&] {
        if (auto* caja = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            texto = caja->text();
            caja->accept();
        }
    });
    vigia.start();
    accion();
    return texto;
}

TEST(AyudaQt, CadaTemaLlevaASuPropiaPagina) {
    ASSERT_TRUE(QFileInfo::exists(Coleccion())) << qPrintable(Coleccion());
    AyudaQt ayuda(Coleccion());
    QSet<QString> paginas;
    for (const Tema& t : kTemas) {
        const QUrl url = ayuda.UrlDeTema(t.numero);
        EXPECT_EQ(url.scheme(), QStringLiteral("qthelp")) << t.numero;
        EXPECT_EQ(url.fileName(), QString::fromUtf8(t.pagina)) << t.numero;
        paginas.insert(url.path());
    }
    EXPECT_EQ(paginas.size(), static_cast<qsizetype>(std::size(kTemas)));
    EXPECT_TRUE(ayuda.UrlDeTema(9999).isEmpty());
    // Sin abrir ningún tema no se crea ninguna ventana.
    EXPECT_EQ(ayuda.Ventana(), nullptr);
}

TEST(AyudaQt, LaVentanaMuestraElTextoDelTemaYSeReutiliza) {
    AyudaQt ayuda(Coleccion());
    QMainWindow* primera = nullptr;
    for (const Tema& t : kTemas) {
        ayuda.AbreAyuda(t.numero);
        QMainWindow* ventana = ayuda.Ventana();
        ASSERT_NE(ventana, nullptr);
        if (primera == nullptr)
            primera = ventana;
        EXPECT_EQ(ventana, primera) << "una sola ventana para todos los temas";
        EXPECT_TRUE(ventana->isVisible());
        EXPECT_FALSE(ventana->isModal());
        EXPECT_EQ(ventana->windowTitle(), QStringLiteral("Ayuda de Quiniela"));

        const QTextBrowser* visor = ayuda.Visor();
        ASSERT_NE(visor, nullptr);
        EXPECT_EQ(visor->source(), ayuda.UrlDeTema(t.numero));
        const QString titulo = QString::fromUtf8(t.titulo);
        const QTextBlock encabezado = BloqueConTexto(visor->document(), titulo);
        ASSERT_TRUE(encabezado.isValid()) << t.numero << " " << t.titulo;
        // La hoja de estilo común (enlace relativo dentro del fichero de ayuda) se aplica.
        EXPECT_EQ(encabezado.begin().fragment().charFormat().foreground().color(),
                  QColor(0x00, 0x40, 0x00))
            << t.numero;
        EXPECT_GT(visor->toPlainText().size(), 300) << "página con contenido " << t.numero;
    }
}

TEST(AyudaQt, LosEnlacesEntrePaginasLlevanAPaginasExistentes) {
    AyudaQt ayuda(Coleccion());
    ayuda.AbreAyuda(0);
    QTextBrowser* visor = ayuda.Visor();
    ASSERT_NE(visor, nullptr);

    // Recorre todas las páginas alcanzables desde la portada.
    QList<QUrl> pendientes{ayuda.UrlDeTema(0)};
    QSet<QString> vistas;
    while (!pendientes.isEmpty()) {
        const QUrl pagina = pendientes.takeFirst();
        if (vistas.contains(pagina.path()))
            continue;
        vistas.insert(pagina.path());
        visor->setSource(pagina);
        const QTextDocument* doc = visor->document();
        for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
            for (auto it = b.begin(); !it.atEnd(); ++it) {
                const QTextCharFormat f = it.fragment().charFormat();
                if (!f.isAnchor() || f.anchorHref().isEmpty())
                    continue;
                const QUrl destino = pagina.resolved(QUrl(f.anchorHref()));
                const QString html =
                    visor->loadResource(QTextDocument::HtmlResource, destino).toString();
                EXPECT_TRUE(html.contains(QStringLiteral("<h1>")))
                    << qPrintable(pagina.fileName()) << " -> " << qPrintable(f.anchorHref());
                pendientes.append(destino);
            }
        }
    }
    // Contenido, índice, reducción y los dieciocho temas: todas enlazadas entre sí.
    EXPECT_EQ(vistas.size(), 21);
}

TEST(AyudaQt, SinFicheroDeAyudaAvisaYNoAbreVentana) {
    QTemporaryDir dir;
    const QString ruta = dir.filePath(QStringLiteral("quiniela.qhc"));
    AyudaQt ayuda(ruta);
    EXPECT_TRUE(ayuda.UrlDeTema(0).isEmpty());
    const QString texto = TextoDelAvisoAl([&] { ayuda.AbreAyuda(2100); });
    EXPECT_TRUE(texto.startsWith(QStringLiteral("No se encuentra el fichero de ayuda")))
        << qPrintable(texto);
    EXPECT_TRUE(texto.contains(QDir::toNativeSeparators(ruta)));
    EXPECT_EQ(ayuda.Ventana(), nullptr);
}

TEST(AyudaQt, ColeccionSinSuDocumentacionAvisaQueNoSePuedeLeer) {
    QTemporaryDir dir;
    const QString ruta = dir.filePath(QStringLiteral("quiniela.qhc"));
    ASSERT_TRUE(QFile::copy(Coleccion(), ruta));
    AyudaQt ayuda(ruta);
    EXPECT_TRUE(ayuda.UrlDeTema(2700).isEmpty());
    const QString texto = TextoDelAvisoAl([&] { ayuda.AbreAyuda(2700); });
    EXPECT_TRUE(texto.startsWith(QStringLiteral("No se puede leer el fichero de ayuda")))
        << qPrintable(texto);
    EXPECT_EQ(ayuda.Ventana(), nullptr);
}

TEST(AyudaQt, LaAyudaInstaladaEnOtraCarpetaSigueFuncionando) {
    QTemporaryDir dir;
    const QString origen = QFileInfo(Coleccion()).absolutePath();
    for (const QString& nombre : {QStringLiteral("quiniela.qhc"), QStringLiteral("quiniela.qch")})
        ASSERT_TRUE(QFile::copy(origen + u'/' + nombre, dir.filePath(nombre)));
    AyudaQt ayuda(dir.filePath(QStringLiteral("quiniela.qhc")));
    ayuda.AbreAyuda(2700);
    ASSERT_NE(ayuda.Visor(), nullptr);
    EXPECT_TRUE(
        BloqueConTexto(ayuda.Visor()->document(), QStringLiteral("Datos generales")).isValid());
}

TEST(AyudaQt, PorDefectoBuscaLaAyudaJuntoAlPrograma) {
    AyudaQt ayuda;
    EXPECT_EQ(
        ayuda.RutaColeccion(),
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("quiniela.qhc")));
}

// ---- Recursos propios ----

double Luminancia(QRgb c) {
    return 0.2126 * qRed(c) + 0.7152 * qGreen(c) + 0.0722 * qBlue(c);
}

TEST(Recursos, ImagenesConSusMedidas) {
    const QImage tira(QStringLiteral(":/imagenes/tira_botones.png"));
    const QImage careta(QStringLiteral(":/imagenes/careta.png"));
    const QImage icono(QStringLiteral(":/imagenes/icono.png"));
    EXPECT_EQ(tira.size(), QSize(7, 49));
    EXPECT_EQ(careta.size(), QSize(404, 188));
    EXPECT_EQ(icono.size(), QSize(64, 64));
    // La careta tapa entera la zona del menú: nada transparente.
    for (int y = 0; y < careta.height(); ++y)
        for (int x = 0; x < careta.width(); ++x)
            ASSERT_EQ(qAlpha(careta.pixel(x, y)), 255) << x << "," << y;
}

TEST(Recursos, TiraConBiselSueltoYPulsadoInvertido) {
    const QImage tira(QStringLiteral(":/imagenes/tira_botones.png"));
    ASSERT_EQ(tira.size(), QSize(7, 49));
    for (const int y0 : {0, 25}) {
        const bool pulsado = y0 == 25;
        const double arriba = Luminancia(tira.pixel(3, y0 + 1));
        const double abajo = Luminancia(tira.pixel(3, y0 + 22));
        const double izquierda = Luminancia(tira.pixel(1, y0 + 12));
        const double derecha = Luminancia(tira.pixel(5, y0 + 12));
        EXPECT_EQ(arriba > abajo, !pulsado) << y0;
        EXPECT_EQ(izquierda > derecha, !pulsado) << y0;
        // El relleno queda entre el verde oscuro del rótulo y el amarillo de la sombra.
        const double relleno = Luminancia(tira.pixel(3, y0 + 12));
        EXPECT_GT(relleno, Luminancia(qRgb(0, 64, 0)) + 40) << y0;
        EXPECT_LT(relleno, Luminancia(qRgb(255, 255, 0)) - 60) << y0;
    }
    EXPECT_LT(Luminancia(tira.pixel(3, 25 + 12)), Luminancia(tira.pixel(3, 12)));
}

TEST(Recursos, CursoresDe32ConPuntoCalienteSobreElDibujo) {
    QFile puntos(QStringLiteral(":/cursores/puntos_calientes.txt"));
    ASSERT_TRUE(puntos.open(QIODevice::ReadOnly | QIODevice::Text));
    QSet<QString> nombres;
    while (!puntos.atEnd()) {
        const QStringList campos = QString::fromUtf8(puntos.readLine()).simplified().split(u' ');
        ASSERT_EQ(campos.size(), 3);
        nombres.insert(campos[0]);
        const QImage imagen(QStringLiteral(":/cursores/") + campos[0] + QStringLiteral(".png"));
        ASSERT_EQ(imagen.size(), QSize(32, 32)) << qPrintable(campos[0]);
        EXPECT_TRUE(imagen.hasAlphaChannel());
        const int x = campos[1].toInt();
        const int y = campos[2].toInt();
        ASSERT_TRUE(imagen.rect().contains(x, y));
        EXPECT_EQ(qAlpha(imagen.pixel(x, y)), 255) << qPrintable(campos[0]);
        // Contorno oscuro para verse sobre cualquier fondo: los píxeles del borde del dibujo
        // (visibles y junto a uno transparente) son oscuros.
        const auto visible = [&imagen](int i, int j) {
            return imagen.rect().contains(i, j) && qAlpha(imagen.pixel(i, j)) >= 128;
        };
        int borde = 0;
        int oscuros = 0;
        for (int j = 0; j < 32; ++j)
            for (int i = 0; i < 32; ++i)
                if (visible(i, j) && (!visible(i - 1, j) || !visible(i + 1, j) ||
                                      !visible(i, j - 1) || !visible(i, j + 1))) {
                    ++borde;
                    if (Luminancia(imagen.pixel(i, j)) < 100)
                        ++oscuros;
                }
        EXPECT_GT(borde, 40) << qPrintable(campos[0]);
        EXPECT_GE(oscuros * 10, borde * 9) << qPrintable(campos[0]);
    }
    EXPECT_EQ(nombres, (QSet<QString>{QStringLiteral("manoindice"), QStringLiteral("lapiz"),
                                      QStringLiteral("goma")}));
}

TEST(Recursos, SeisSonidosPcmMonoCortosYDistintos) {
    QSet<QByteArray> contenidos;
    for (const int numero : {1, 5, 6, 7, 9, 10}) {
        QFile f(QStringLiteral(":/sonidos/sonido%1.wav").arg(numero, 2, 10, QLatin1Char('0')));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << numero;
        const QByteArray wav = f.readAll();
        EXPECT_GE(wav.size(), 512) << numero;
        EXPECT_LE(wav.size(), 9 * 1024) << numero;
        ASSERT_GE(wav.size(), 44);
        const auto* d = reinterpret_cast<const uchar*>(wav.constData());
        EXPECT_EQ(wav.mid(0, 4), QByteArray("RIFF"));
        EXPECT_EQ(wav.mid(8, 8), QByteArray("WAVEfmt "));
        EXPECT_EQ(qFromLittleEndian<quint32>(d + 4), static_cast<quint32>(wav.size() - 8));
        EXPECT_EQ(qFromLittleEndian<quint16>(d + 20), 1) << "PCM";
        EXPECT_EQ(qFromLittleEndian<quint16>(d + 22), 1) << "mono";
        const quint32 frecuencia = qFromLittleEndian<quint32>(d + 24);
        EXPECT_GE(frecuencia, 8000u);
        EXPECT_LE(frecuencia, 22050u);
        const quint16 bits = qFromLittleEndian<quint16>(d + 34);
        EXPECT_TRUE(bits == 8 || bits == 16) << bits;
        EXPECT_EQ(wav.mid(36, 4), QByteArray("data"));
        EXPECT_EQ(qFromLittleEndian<quint32>(d + 40), static_cast<quint32>(wav.size() - 44));
        contenidos.insert(wav.mid(44));
    }
    EXPECT_EQ(contenidos.size(), 6);
}

} // namespace
} // namespace quiniela
