// Impresiones escritas en PDF de verdad (necesitan Qt Gui, por eso van con las pruebas de
// pantallas): las cajas rasterizadas a 600 ppp caen a menos de 0,1 mm de su sitio y el texto
// de la relación y de los datos básicos se lee en columnas.
#include "output/continuo.h"
#include "output/datos_basicos.h"
#include "output/impresion_boletos.h"
#include "output/reduccion_prueba.h"
#include "output/relacion.h"
#include "platform/qt/impresora_pintor.h"

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QRegularExpression>

#include <algorithm>
#include <map>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace quiniela;
using namespace quiniela::prueba;

namespace {

constexpr double PixelesPorTwip = 600.0 / 1440.0;
constexpr double PixelesPorMm = 600.0 / 25.4;

// Rasteriza una página a 600 ppp en gris.
QImage Rasteriza(const QString& pdf, int pagina) {
    const QString base = pdf + u"-p"_s + QString::number(pagina);
    const int rc = QProcess::execute(
        u"pdftoppm"_s, {u"-r"_s, u"600"_s, u"-gray"_s, u"-png"_s, u"-singlefile"_s, u"-f"_s,
                        QString::number(pagina), u"-l"_s, QString::number(pagina), pdf, base});
    if (rc != 0 || !QFile::exists(base + u".png"_s))
        ADD_FAILURE() << "pdftoppm " << rc << " " << QFile(pdf).size();
    QImageReader::setAllocationLimit(0); // una hoja A4 a 600 ppp pasa del límite de Qt
    return QImage(base + u".png"_s).convertToFormat(QImage::Format_Grayscale8);
}

// Lo que lee pdftotext con esas opciones.
QString Texto(const QString& pdf, const QStringList& opciones) {
    QProcess p;
    p.start(u"pdftotext"_s, opciones + QStringList{pdf, u"-"_s});
    p.waitForFinished();
    return QString::fromUtf8(p.readAllStandardOutput());
}

bool Negro(const QImage& i, int x, int y) {
    return x >= 0 && y >= 0 && x < i.width() && y < i.height() && qGray(i.pixel(x, y)) < 128;
}

// Bordes (en mm) de la mancha negra que contiene el punto dado (en twips).
QRectF Caja(const QImage& i, double xTwips, double yTwips) {
    const int cx = int(xTwips * PixelesPorTwip), cy = int(yTwips * PixelesPorTwip);
    if (!Negro(i, cx, cy))
        return {};
    int izq = cx, der = cx, arr = cy, aba = cy;
    while (Negro(i, izq - 1, cy))
        --izq;
    while (Negro(i, der + 1, cy))
        ++der;
    while (Negro(i, cx, arr - 1))
        --arr;
    while (Negro(i, cx, aba + 1))
        ++aba;
    return QRectF(QPointF(izq / PixelesPorMm, arr / PixelesPorMm),
                  QPointF((der + 1) / PixelesPorMm, (aba + 1) / PixelesPorMm));
}

// La caja de twips (x, y, ancho, alto) está a menos de 0,1 mm de donde se ve.
void CompruebaCaja(const QImage& i, double x, double y, double ancho, double alto) {
    const QRectF vista = Caja(i, x + ancho / 2, y + alto / 2);
    const double mm = 25.4 / 1440.0;
    SCOPED_TRACE(testing::Message() << "caja en " << x << ", " << y);
    ASSERT_FALSE(vista.isNull());
    EXPECT_NEAR(vista.left(), x * mm, 0.1);
    EXPECT_NEAR(vista.top(), y * mm, 0.1);
    EXPECT_NEAR(vista.right(), (x + ancho) * mm, 0.1);
    EXPECT_NEAR(vista.bottom(), (y + alto) * mm, 0.1);
}

class ImpresionPdf : public testing::Test {
protected:
    // Imprime con `imprime` en el PDF `nombre` de la carpeta y devuelve su ruta.
    QString Pdf(const QString& nombre,
                const std::function<ResultadoImpresion(Impresora&)>& imprime) {
        ImpresoraPdf pdf(datos.Ruta(nombre));
        EXPECT_EQ(imprime(pdf).Fin, FinImpresion::Terminada) << nombre.toStdString();
        return pdf.Ruta();
    }
    CarpetaTemporal datos;
    EstadoGlobal estado = datos.Estado();
};

} // namespace

TEST_F(ImpresionPdf, CajasDelBoletoYSusReferenciasEnSuSitio) {
    OpcionesBoletos o;
    o.Prueba = true;
    o.Reverso = true;
    o.MargenIzquierdo = 100; // 567 twips
    o.MargenSuperior = 200;  // 1134 twips
    const QImage pagina = Rasteriza(
        Pdf(u"boletos.pdf"_s, [&](Impresora& i) { return ImprimeBoletos(estado, i, o); }), 1);
    for (int m : {1, 8, 14})
        for (int k : {0, 11, 23})
            CompruebaCaja(pagina, 567 + 940 + k * 212, 1134 + 10 + (15 - m) * 284, 70, 130);
    CompruebaCaja(pagina, 567 + 940 + 8 * 212, 1144, 70, 130); // "2" del partido 15
    CompruebaCaja(pagina, 567 - 275, 1134 - 106, 145, 170);
    CompruebaCaja(pagina, 567 + 8253, 1134 - 106, 145, 170);
    for (int y : {919, 1262, 2287, 2630, 2973, 3316, 4003})
        CompruebaCaja(pagina, 567 + 8408, 1134 + y, 57, 227);
    // Entre dos casillas de una fila queda papel blanco.
    EXPECT_TRUE(Caja(pagina, 567 + 940 + 70 + 71, 1144 + 65).isNull());
}

TEST_F(ImpresionPdf, ContinuoDosBoletosPorFormulario) {
    GuardaReduccion(datos, estado, 5, 1, ColumnasPrueba(8 * 3, u'X'));
    const OpcionesContinuo o{{1, 3}, false, 50, 10, QLocale::c(), {}};
    const QString ruta =
        Pdf(u"continuo.pdf"_s, [&](Impresora& i) { return ImprimeContinuo(estado, i, o); });
    const QImage pagina = Rasteriza(ruta, 1);
    EXPECT_NEAR(pagina.height() / PixelesPorMm, 158.5, 0.1);
    const double l = 283.5, t = 56.7;
    for (int q : {0, 1}) {
        const double d = 5990.0 * q;
        CompruebaCaja(pagina, qRound(l + 5120 + d), qRound(t + 65), 170, 145);
        CompruebaCaja(pagina, qRound(l + 5120 + d), qRound(t + 8593), 170, 145);
        for (int x : {964, 1651, 1994, 2337, 2680, 3706, 4048})
            CompruebaCaja(pagina, qRound(l + d + x), qRound(t + 8748), 227, 57);
        // El "X" del partido 15: columna 5, posición 2 (orden 10 de arriba abajo).
        CompruebaCaja(pagina, qRound(l + 1050 + 14 * 284 + d), qRound(t + 1270 + 10 * 213), 130,
                      70);
    }
    EXPECT_FALSE(Rasteriza(ruta, 2).isNull());
}

TEST_F(ImpresionPdf, RelacionYDatosBasicosSeLeenEnColumnas) {
    const QStringList columnas = ColumnasPrueba(8 * 5, u'2');
    GuardaReduccion(datos, estado, 5, 1, columnas);
    const QString relacion = Pdf(u"relacion.pdf"_s, [&](Impresora& i) {
        return ImprimeRelacion(estado, i, {{1, 5}, 0, {}});
    });
    const QString basicos = Pdf(u"basicos.pdf"_s, [&](Impresora& i) {
        return ImprimeDatosBasicos(estado, i, 1, QLocale::c(), {});
    });
    // Palabras de la página 1 con su posición: los rótulos "Boleto" y los signos de cada fila
    // han de caer en las mismas columnas del texto de ancho fijo.
    // (pdftotext -bbox: la esquina superior izquierda de cada una).
    static const QRegularExpression palabra(
        uR"re(<word xMin="([\d.]+)" yMin="([\d.]+)"[^>]*>([^<]*)</word>)re"_s);
    std::map<int, std::vector<std::pair<double, QString>>> filas; // y en décimas de punto
    for (const auto& m :
         palabra.globalMatch(Texto(relacion, {u"-bbox"_s, u"-f"_s, u"1"_s, u"-l"_s, u"1"_s})))
        filas[qRound(m.captured(2).toDouble() * 10)].push_back(
            {m.captured(1).toDouble(), m.captured(3)});
    std::vector<double> rotulos;
    std::vector<std::vector<double>> signos;
    for (auto& [y, palabras] : filas) {
        std::sort(palabras.begin(), palabras.end());
        if (palabras.front().second == u"Boleto")
            for (const auto& [x, t] : palabras)
                if (t == u"Boleto")
                    rotulos.push_back(x);
        if (palabras.size() == 2 + 32 && palabras[1].second == u"-") {
            signos.emplace_back();
            for (size_t k = 2; k < palabras.size(); ++k)
                signos.back().push_back(palabras[k].first);
            EXPECT_EQ(palabras[2].second, QString(columnas[0].at(palabras[0].second.toInt() - 1)));
        }
    }
    ASSERT_EQ(rotulos.size(), 5u); // 4 en el primer bloque y el 5 en el segundo
    ASSERT_EQ(signos.size(), 15u); // solo las filas del primer bloque tienen 4 boletos
    for (const auto& fila : signos)
        for (size_t k = 0; k < 32; ++k) {
            EXPECT_NEAR(fila[k], signos[0][k], 0.1) << k;
            if (k % 8 == 0) {
                EXPECT_NEAR(fila[k], rotulos[k / 8], 0.1) << k;
            }
        }

    // pdftotext no respeta siempre los blancos entre palabras: se comparan las palabras, en su
    // orden.
    const std::vector<QString> lineas =
        LineasDatosBasicos(DatosBasicosDe(estado, QLocale::c()), MonedaImpresa());
    EXPECT_EQ(Texto(basicos, {u"-layout"_s}).simplified(),
              QStringList(lineas.begin(), lineas.end()).join(u'\n').simplified());
}
