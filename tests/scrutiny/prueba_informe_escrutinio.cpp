// Informe del escrutinio por la impresora falsa: cada texto en su sitio y los saltos de página.
#include "matchdays/fichero_jornadas.h"
#include "scrutiny/informe_escrutinio.h"
#include "support/impresora_falsa.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace quiniela;
using namespace quiniela::prueba;

namespace {

DatosInforme Datos() {
    EquiposJornada equipos;
    equipos[1] = u"Alavés"_s;
    equipos[2] = u"Barcelona"_s;
    equipos[3] = u"Athletic Club"_s; // partido 2 sin visitante
    for (int k = 5; k <= 30; ++k)
        equipos[k] = u"Equipo largo %1"_s.arg(k).left(15);
    DatosInforme d;
    d.Jornada = 7;
    d.Orden = 3;
    d.Fecha = u"28/08/05"_s;
    d.RegistroJornada = ComponeRegistroJornada(RegistroJornadaVacio(), 7, d.Fecha, equipos);
    d.Regional = QLocale(QLocale::Spanish, QLocale::Spain);
    return d;
}

ResultadoEscrutinio Resultado(int boletos) {
    ResultadoEscrutinio r;
    r.ColumnaGanadora = u"1X21X21X21X21X2"_s;
    r.Premios = {0, 1500000, 1234.5, 0, 0, 0, 0};
    r.AciertosCategoria[14] = 3;
    r.AciertosCategoria[10] = 1;
    r.AciertosCategoria[0] = 12;
    for (int b = 1; b <= boletos; ++b)
        r.Boletos.push_back({b * 10, {0, b == 1 ? 2 : 0, 0, 0, 1, 0}});
    return r;
}

} // namespace

TEST(InformeEscrutinio, CadaTextoEnSuSitio) {
    ImpresoraFalsa impresora;
    ASSERT_TRUE(ImprimeInformeEscrutinio(impresora, Datos(), Resultado(2)));
    const int a = ImpresoraFalsa::AltoLineaFalso(9.75);
    const auto& t = impresora.textos;
    const struct {
        int x, y;
        QString texto;
    } esperados[] = {
        {0, a, u"   Escrutinio de la jornada nro.  7 de fecha 28/08/05 (Orden  3)"_s},
        {0, 4 * a, u"             Columna ganadora"_s},
        {0, 5 * a, QString(41, u'-')},
        {0, 6 * a, u" 1. Alavés - Barcelona...............  1"_s},
        {0, 7 * a, u" 2. Athletic Club......................  X"_s.left(37) + u"  X"_s},
        {0, 20 * a, u"15. Equipo largo 29 - Equipo largo 30  2"_s},
        {6000, 1500, u"Premios a repartir por categoría"_s},
        {6050, 2150, u" 15 aciertos.:  1.500.000,00 €"_s},
        {6050, 2500, u" 14 aciertos.:      1.234,50 €"_s},
        {1800, 5650, u" "_s + QString(47, u'=')},
        {1800, 5950, u"     0 columnas de 15 aciertos"_s},
        {1800, 6200, u"     3 columnas de 14 aciertos.:      3.703,50 €"_s},
        {1800, 7200, u"     1 columna  de 10 aciertos.:          0,00 €"_s},
        {1800, 9700, u"    12 columnas de  0 aciertos"_s},
        {2850, 10100, u"Total importe premios.:      3.703,50 €"_s},
        {2800, 11850, u"    10"_s + QString(13, u' ') + u"2"_s + QString(14, u' ') + u"1     "_s},
        {2800, 12100, u"    20"_s + QString(28, u' ') + u"1     "_s},
        {2800, 12400, u"    Total boletos premiados.: 2"_s},
    };
    for (const auto& e : esperados) {
        const auto hallado = std::find_if(
            t.begin(), t.end(), [&](const TextoImpreso& i) { return i.x == e.x && i.y == e.y; });
        ASSERT_NE(hallado, t.end()) << e.x << "," << e.y;
        EXPECT_EQ(hallado->texto, e.texto) << e.x << "," << e.y;
    }
    EXPECT_TRUE(t[0].fuente.Negrita);
    EXPECT_DOUBLE_EQ(t[0].fuente.Puntos, 9.75);
    EXPECT_EQ(t[0].fuente.Nombre, u"Courier New"_s);
    EXPECT_FALSE(t[1].fuente.Negrita);
    EXPECT_EQ(impresora.paginas, std::vector<int>{1});
    EXPECT_EQ(impresora.documentosTerminados, std::vector<int>{1});
}

TEST(InformeEscrutinio, TreceBoletosEnLaPrimeraYCincuentaYOchoEnLasDemas) {
    const struct {
        int boletos;
        std::vector<int> porPagina; // líneas de boletos de cada página
    } casos[] = {{13, {13}}, {14, {13, 1}}, {71, {13, 58}}, {72, {13, 58, 1}}};
    for (const auto& c : casos) {
        ImpresoraFalsa impresora;
        ASSERT_TRUE(ImprimeInformeEscrutinio(impresora, Datos(), Resultado(c.boletos)));
        ASSERT_EQ(impresora.paginas.size(), c.porPagina.size()) << c.boletos;
        for (size_t p = 0; p < c.porPagina.size(); ++p) {
            const auto textos = impresora.TextosDePagina(int(p) + 1);
            const auto boletos = std::count_if(textos.begin(), textos.end(), [](auto& t) {
                return t.x == 2800 && t.texto.endsWith(u"1     "_s);
            });
            EXPECT_EQ(boletos, c.porPagina[p]) << c.boletos << " página " << p + 1;
            if (p == 0)
                continue;
            // Cabecera repetida y primera línea a 750 twips.
            EXPECT_EQ(textos[0].y, 300);
            EXPECT_EQ(textos[0].texto, u"Boleto nro.  15   14   13   12   11   10"_s);
            EXPECT_EQ(textos[1].y, 460);
            EXPECT_EQ(textos[2].y, 750);
        }
        const TextoImpreso& ultima = impresora.textos.back();
        EXPECT_TRUE(ultima.texto.startsWith(u"    Total boletos premiados.: "_s));
        EXPECT_EQ(impresora.documentosTerminados.size(), 1u);
    }
}

TEST(Impresora, PaginasSoloCuandoAlgoSigueYSaltoSiLaLineaNoCabe) {
    ImpresoraFalsa impresora;
    const int a = impresora.AltoLinea();
    impresora.Imprime(u"uno"_s);
    impresora.NuevaPagina();
    EXPECT_EQ(impresora.Pagina(), 2);
    impresora.NuevaPagina(); // sin nada en medio no hay hoja en blanco
    EXPECT_EQ(impresora.Pagina(), 2);
    impresora.PonPosicion(100, impresora.AltoPagina() - a); // cabe justo
    impresora.Imprime(u"dos"_s);
    impresora.Imprime(u"tres"_s); // ya no cabe: página 3 arriba del todo
    impresora.RellenaRectangulo(50, 60, 70, -130);
    impresora.NuevaPagina();
    ASSERT_TRUE(impresora.FinDocumento()); // la página pedida al final no se empieza
    EXPECT_EQ(impresora.paginas, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(impresora.documentosTerminados, std::vector<int>{3});
    ASSERT_EQ(impresora.textos.size(), 3u);
    EXPECT_EQ(impresora.textos[1].x, 100);
    EXPECT_EQ(impresora.textos[2].pagina, 3);
    EXPECT_EQ(impresora.textos[2].x, 0);
    EXPECT_EQ(impresora.textos[2].y, 0);
    ASSERT_EQ(impresora.rectangulos.size(), 1u);
    EXPECT_EQ(impresora.rectangulos[0].y, -70); // hacia arriba desde (50, 60)
    EXPECT_EQ(impresora.rectangulos[0].alto, 130);

    impresora.PonAltoPagina(PapelA4Twips.height() * 1585 / 2970); // formulario continuo
    impresora.errorAlTerminar = u"sin papel"_s;
    impresora.Imprime(u"cuatro"_s);
    EXPECT_FALSE(impresora.FinDocumento());
    EXPECT_EQ(impresora.Error(), u"sin papel"_s);
    EXPECT_EQ(impresora.papeles.back(), QSize(11906, 8985));
}
