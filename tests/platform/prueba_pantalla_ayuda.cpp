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

using namespace Qt::StringLiterals;

QString Coleccion() {
    return QStringLiteral(QUINIELA_BINARIOS "/app/quiniela.qhc");
}

// Los temas que piden las pantallas (0 = menú principal), con su página y su encabezado.
struct Tema {
    int numero;
    const char* pagina;
    const char* titulo;
};
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

TEST(AyudaQt, CadaTemaAbreSuPropiaPaginaEnUnaSolaVentana) {
    ASSERT_TRUE(QFileInfo::exists(Coleccion())) << qPrintable(Coleccion());
    AyudaQt ayuda(Coleccion());
    EXPECT_TRUE(ayuda.UrlDeTema(9999).isEmpty());
    EXPECT_EQ(ayuda.Ventana(), nullptr) << "sin abrir ningún tema no hay ventana";
    QSet<QString> paginas;
    QMainWindow* primera = nullptr;
    for (const Tema& t : kTemas) {
        const QUrl url = ayuda.UrlDeTema(t.numero);
        EXPECT_EQ(url.fileName(), QString::fromUtf8(t.pagina)) << t.numero;
        paginas.insert(url.path());

        ayuda.AbreAyuda(t.numero);
        QMainWindow* ventana = ayuda.Ventana();
        ASSERT_NE(ventana, nullptr);
        primera = primera ? primera : ventana;
        EXPECT_EQ(ventana, primera) << "una sola ventana para todos los temas";
        const QTextBrowser* visor = ayuda.Visor();
        EXPECT_EQ(visor->source(), url);
        const QTextBlock encabezado =
            BloqueConTexto(visor->document(), QString::fromUtf8(t.titulo));
        ASSERT_TRUE(encabezado.isValid()) << t.numero << " " << t.titulo;
        // La hoja de estilo común (enlace relativo dentro del fichero de ayuda) se aplica.
        EXPECT_EQ(encabezado.begin().fragment().charFormat().foreground().color(),
                  QColor(0x00, 0x40, 0x00))
            << t.numero;
    }
    EXPECT_EQ(paginas.size(), static_cast<qsizetype>(std::size(kTemas)));
}

TEST(AyudaQt, SinFicheroOSinSuDocumentacionAvisaYFuncionaEnOtraCarpeta) {
    QTemporaryDir dir;
    const QString ruta = dir.filePath(u"quiniela.qhc"_s);
    const QString origen = QFileInfo(Coleccion()).absolutePath() + u'/';
    // Sin la colección, con ella pero sin quiniela.qch al lado y con las dos.
    const char* avisos[] = {"No se encuentra el fichero de ayuda",
                            "No se puede leer el fichero de ayuda", nullptr};
    for (const char* aviso : avisos) {
        AyudaQt ayuda(ruta);
        const QString texto = TextoDelAvisoAl([&] { ayuda.AbreAyuda(2700); });
        if (aviso == nullptr) {
            ASSERT_NE(ayuda.Visor(), nullptr);
            EXPECT_TRUE(BloqueConTexto(ayuda.Visor()->document(), u"Datos generales"_s).isValid());
            break;
        }
        EXPECT_TRUE(texto.startsWith(QString::fromUtf8(aviso))) << qPrintable(texto);
        EXPECT_TRUE(texto.contains(QDir::toNativeSeparators(ruta)));
        EXPECT_EQ(ayuda.Ventana(), nullptr);
        const QString falta = QFile::exists(ruta) ? u"quiniela.qch"_s : u"quiniela.qhc"_s;
        ASSERT_TRUE(QFile::copy(origen + falta, dir.filePath(falta)));
    }
}

TEST(Recursos, ImagenesConSusMedidas) {
    const QImage careta(u":/imagenes/careta.png"_s);
    EXPECT_EQ(QImage(u":/imagenes/tira_botones.png"_s).size(), QSize(7, 49));
    EXPECT_EQ(QImage(u":/imagenes/icono.png"_s).size(), QSize(64, 64));
    ASSERT_EQ(careta.size(), QSize(404, 188));
    // La careta tapa entera la zona del menú: nada transparente.
    for (int y = 0; y < careta.height(); ++y)
        for (int x = 0; x < careta.width(); ++x)
            ASSERT_EQ(qAlpha(careta.pixel(x, y)), 255) << x << "," << y;
}

TEST(Recursos, SeisSonidosPcmMonoCortosYDistintos) {
    QSet<QByteArray> contenidos;
    for (const int numero : {1, 5, 6, 7, 9, 10}) {
        QFile f(u":/sonidos/sonido%1.wav"_s.arg(numero, 2, 10, QLatin1Char('0')));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << numero;
        const QByteArray wav = f.readAll();
        EXPECT_GE(wav.size(), 512) << numero;
        EXPECT_LE(wav.size(), 9 * 1024) << numero;
        ASSERT_GE(wav.size(), 44);
        const auto* d = reinterpret_cast<const uchar*>(wav.constData());
        EXPECT_EQ(wav.mid(0, 4) + wav.mid(8, 8), QByteArray("RIFFWAVEfmt ")) << numero;
        EXPECT_EQ(qFromLittleEndian<quint16>(d + 20), 1) << "PCM";
        EXPECT_EQ(qFromLittleEndian<quint16>(d + 22), 1) << "mono";
        contenidos.insert(wav.mid(44));
    }
    EXPECT_EQ(contenidos.size(), 6);
}

} // namespace
} // namespace quiniela
