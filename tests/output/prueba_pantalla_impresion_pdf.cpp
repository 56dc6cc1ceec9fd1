// Impresiones escritas en PDF de verdad (necesitan Qt Gui, por eso van con las pruebas de
// pantallas): las cajas rasterizadas a 600 ppp caen a menos de 0,1 mm de su sitio, el texto
// de la relación y de los datos básicos se lee en columnas dentro del área de una impresora, y
// los boletos uno a uno sin impresora quedan en un PDF por tanda.
#include "output/continuo.h"
#include "output/datos_basicos.h"
#include "output/impresion_boletos.h"
#include "output/pantalla_listados.h"
#include "output/reduccion_prueba.h"
#include "output/relacion.h"
#include "platform/qt/boton_imagen.h"
#include "platform/qt/impresora_pintor.h"
#include "platform/qt/impresora_sistema.h"
#include "support/pantallas.h"
#include "support/pdf_prueba.h"
#include "support/plataforma_falsa.h"

#include <QDir>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <map>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace quiniela;
using namespace quiniela::prueba;

namespace {

constexpr double PixelesPorTwip = 600.0 / 1440.0;
constexpr double PixelesPorMm = 600.0 / 25.4;

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
    const QImage pagina = RasterizaPdf(
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
    const QImage pagina = RasterizaPdf(ruta, 1);
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
    EXPECT_FALSE(RasterizaPdf(ruta, 2).isNull());
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
         palabra.globalMatch(TextoPdf(relacion, {u"-bbox"_s, u"-f"_s, u"1"_s, u"-l"_s, u"1"_s})))
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
    EXPECT_EQ(TextoPdf(basicos, {u"-layout"_s}).simplified(),
              QStringList(lineas.begin(), lineas.end()).join(u'\n').simplified());
}

// Los listados de texto quedan dentro del área de una impresora corriente (6,35 mm a los lados
// y arriba, 12,7 mm abajo); los datos básicos, que empiezan en la columna 0, justo en el borde.
TEST_F(ImpresionPdf, ListadosDeTextoDentroDelAreaDeUnaImpresora) {
    GuardaReduccion(datos, estado, 5, 1, ColumnasPrueba(8 * 40, u'2'));
    const double izquierdo = MargenesImpresoraComun.Izquierdo / 20.0;
    const double superior = MargenesImpresoraComun.Superior / 20.0;
    const double derecho = MargenesImpresoraComun.Derecho / 20.0;
    const double inferior = MargenesImpresoraComun.Inferior / 20.0;
    const std::pair<QString, std::function<ResultadoImpresion(Impresora&)>> casos[] = {
        {u"basicos.pdf"_s,
         [&](Impresora& i) { return ImprimeDatosBasicos(estado, i, 2, QLocale::c(), {}); }},
        {u"relacion.pdf"_s,
         [&](Impresora& i) {
             return ImprimeRelacion(estado, i, {{1, 40}, 0, {}});
         }},
        {u"relacion350.pdf"_s,
         [&](Impresora& i) {
             return ImprimeRelacion(estado, i, {{1, 40}, 1, {}});
         }},
        // Sin saltos propios: la página se acaba donde empieza el margen de abajo.
        {u"lineas.pdf"_s,
         [&](Impresora& i) {
             i.ApartaDeLosBordes();
             for (int n = 0; n < 100; ++n)
                 i.Imprime(u"Línea"_s);
             ResultadoImpresion r;
             TerminaDocumento(i, r);
             return r;
         }},
    };
    for (const auto& [nombre, imprime] : casos) {
        SCOPED_TRACE(nombre.toStdString());
        const std::vector<PalabraPdf> palabras = PalabrasPdf(Pdf(nombre, imprime));
        ASSERT_FALSE(palabras.empty());
        double minimoX = 1e9;
        for (const PalabraPdf& p : palabras) {
            minimoX = std::min(minimoX, p.Caja.left());
            EXPECT_GE(p.Caja.left(), izquierdo - 0.01) << p.Texto.toStdString();
            EXPECT_GE(p.Caja.top(), superior - 0.01) << p.Texto.toStdString();
            EXPECT_LE(p.Caja.right(), p.Papel.width() - derecho) << p.Texto.toStdString();
            EXPECT_LE(p.Caja.bottom(), p.Papel.height() - inferior) << p.Texto.toStdString();
        }
        if (nombre == u"basicos.pdf") {
            EXPECT_NEAR(minimoX, izquierdo, 0.01);
        }
        // Más de una página: el salto respeta el margen de abajo.
        EXPECT_GE(palabras.back().Pagina, 2);
    }
}

namespace {

// Listados de boletos abierto sobre la reducción de `datos`; sin impresora, cada tanda va a un
// PDF de la carpeta de documentos `documentos`, que el visor no puede abrir.
struct ListadosSinImpresora {
    ListadosSinImpresora(EstadoGlobal& estado, const QString& documentos, int64_t boletos)
        : Pantalla(estado, 1, boletos) {
        Visor.Abre = [this](const QString& ruta) {
            Abiertos << ruta;
            return false;
        };
        Pantalla.CreaImpresora = [this, documentos](const QString& nombre) {
            return CreaPdfParaVisor(documentos, nombre, Visor);
        };
        Pantalla.show();
    }

    void Rango(int64_t inicial, int64_t final) {
        for (const auto& [boton, campo, valor] :
             {std::tuple(Pantalla.Pic_BotBolFin, Pantalla.Tex_BolFin, final),
              std::tuple(Pantalla.Pic_BotBolIni, Pantalla.Tex_BolIni, inicial)}) {
            Pulsa(boton);
            Teclea(campo, QString::number(valor));
            QTest::keyClick(campo, Qt::Key_Return);
        }
    }

    // Pulsa Imprimir y, tras cada boleto, el botón siguiente de la lista.
    void Imprime(std::vector<BotonImagen*> pulsaciones) {
        QTimer usuario;
        QObject::connect(&usuario, &QTimer::timeout, [&] {
            if (Pantalla.EsperandoDecision() && !pulsaciones.empty()) {
                Pulsa(pulsaciones.front());
                pulsaciones.erase(pulsaciones.begin());
            }
        });
        usuario.start(0);
        Pulsa(Pantalla.Pic_BotImprimir);
        EXPECT_TRUE(pulsaciones.empty());
    }

    PantallaListados Pantalla;
    VisorDocumentosQt Visor;
    QStringList Abiertos;
};

} // namespace

// Boletos 1 a 3 uno a uno sin impresora: un PDF de tres páginas y un solo mensaje al final;
// cada página se ve igual, punto por punto, que el PDF de ese boleto solo. Repetir añade la
// página otra vez.
TEST_F(ImpresionPdf, BoletosUnoAUnoSinImpresoraUnPdfPorTanda) {
    PlataformaFalsa plataforma(&estado);
    GuardaReduccion(datos, estado, 5, 1, ColumnasPrueba(8 * 3));
    const QString documentos = datos.Ruta(u"Documentos"_s);
    ListadosSinImpresora l(estado, documentos, 3);
    const QDir carpeta(documentos + u"/Quiniela"_s);
    const QString base = carpeta.filePath(u"Boletos jornada 05 orden 01"_s);

    BotonImagen* siguiente = l.Pantalla.Pic_BotSiguiente;
    BotonImagen* repetir = l.Pantalla.Pic_BotRepetir;
    BotonImagen* salir = l.Pantalla.Pic_Salir; // tras el último solo se repite o se sale
    l.Imprime({siguiente, siguiente, salir});
    const QString tanda = base + u".pdf"_s;
    ASSERT_EQ(carpeta.entryList(QDir::Files), QStringList{QFileInfo(tanda).fileName()});
    EXPECT_EQ(PaginasPdf(tanda), 3);
    ASSERT_EQ(plataforma.Mensajes.size(), 1u);
    EXPECT_EQ(plataforma.Mensajes[0].Titulo, u"DOCUMENTO GUARDADO EN PDF"_s);
    // El visor no lo abrió: no se promete que se abra.
    EXPECT_EQ(plataforma.Mensajes[0].Texto, TextoDocumentoGuardado(tanda, false));
    EXPECT_FALSE(plataforma.Mensajes[0].Texto.contains(u"visor"_s));
    EXPECT_EQ(l.Abiertos, QStringList{tanda});

    std::vector<QString> solos;
    for (int b = 1; b <= 3; ++b) {
        l.Rango(b, b);
        l.Imprime({salir});
        solos.push_back(base + u" (%1).pdf"_s.arg(b + 1));
        EXPECT_EQ(PaginasPdf(solos.back()), 1) << b;
    }
    l.Rango(2, 3);
    l.Visor.Abre = [](const QString&) { return true; };
    l.Imprime({repetir, siguiente, salir});
    const QString repetida = base + u" (5).pdf"_s;
    EXPECT_EQ(PaginasPdf(repetida), 3);
    ASSERT_EQ(plataforma.Mensajes.size(), 5u);
    EXPECT_EQ(plataforma.Mensajes[4].Texto, TextoDocumentoGuardado(repetida, true));
    EXPECT_TRUE(
        plataforma.Mensajes[4].Texto.endsWith(u"se ha abierto con el visor de documentos."_s));
    EXPECT_EQ(carpeta.entryList(QDir::Files).size(), 5);

    std::vector<QImage> vistas;
    for (const QString& solo : solos)
        vistas.push_back(RasterizaPdf(solo, 1, 300));
    ASSERT_NE(vistas[0], vistas[1]); // cada boleto se distingue de los demás
    ASSERT_NE(vistas[1], vistas[2]);
    for (int p = 1; p <= 3; ++p) {
        EXPECT_EQ(RasterizaPdf(tanda, p, 300), vistas[size_t(p - 1)]) << "página " << p;
        EXPECT_EQ(RasterizaPdf(repetida, p, 300), vistas[p == 3 ? 2 : 1]) << "página " << p;
    }
}
