// Boletos: la matriz de marcas, su dibujo en twips en las dos disposiciones y la impresión
// desde el fichero de boletos (rango, repetición, cancelación, avisos).
#include "output/continuo.h"
#include "output/datos_basicos.h"
#include "output/impresion_boletos.h"
#include "output/marcas_boleto.h"
#include "output/reduccion_prueba.h"
#include "output/relacion.h"
#include "support/impresora_falsa.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <tuple>

using namespace Qt::StringLiterals;
using namespace quiniela;
using namespace quiniela::prueba;

namespace {

using Rect = std::tuple<int, int, int, int>;
using Celda = std::tuple<int, int, int>; // columna, partido, posición

// Rectángulos de una página (0: todas).
std::multiset<Rect> Rectangulos(const ImpresoraFalsa& f, int pagina = 0) {
    std::multiset<Rect> r;
    for (const auto& x : f.Rectangulos)
        if (pagina == 0 || x.Pagina == pagina)
            r.insert({x.X, x.Y, x.Ancho, x.Alto});
    return r;
}

std::set<Celda> Celdas(const MatrizMarcas& m) {
    std::set<Celda> r;
    for (int c = 1; c <= 8; ++c)
        for (int p = 1; p <= 15; ++p)
            for (int s = 1; s <= 3; ++s)
                if (m.Marcada(c, p, s))
                    r.insert({c, p, s});
    return r;
}

std::array<std::string_view, 8> Boleto(std::initializer_list<std::string_view> columnas) {
    std::array<std::string_view, 8> b;
    b.fill("               ");
    std::copy(columnas.begin(), columnas.end(), b.begin());
    return b;
}

// Lo que dibujaría un boleto con esas columnas (las que falten, huecos).
std::multiset<Rect> Dibujo(const QStringList& columnas, int orientacion, bool referencias) {
    std::array<std::string, 8> texto;
    std::array<std::string_view, 8> vistas;
    for (int j = 0; j < 8; ++j) {
        texto[j] = j < columnas.size() ? columnas[j].toStdString() : std::string(15, ' ');
        vistas[j] = texto[j];
    }
    ImpresoraFalsa f;
    DibujaBoleto(f, MatrizDeBoleto(vistas), 1, orientacion, {30, 40, 0, referencias}, QLocale::c());
    return Rectangulos(f, 1);
}

class ImpresionBoletos : public testing::Test {
protected:
    OpcionesBoletos Opciones(int64_t desde, int64_t hasta) {
        OpcionesBoletos o;
        o.Rango = {desde, hasta};
        o.MargenIzquierdo = 30;
        o.MargenSuperior = 40;
        o.Regional = QLocale::c();
        return o;
    }
    CarpetaTemporal datos;
    EstadoGlobal estado = datos.Estado();
    ImpresoraFalsa impresora;
};

} // namespace

TEST(MatrizMarcas, PrimeraColumnaUnoEquisDosYHuecosSinMarcas) {
    const MatrizMarcas m = MatrizDeBoleto(Boleto({"1X21X21X21X21X2"}));
    std::set<Celda> esperadas;
    for (int p = 1; p <= 14; ++p)
        esperadas.insert({1, p, (p - 1) % 3 + 1}); // (1,1,1), (1,2,2), (1,3,3) … (1,14,2)
    esperadas.insert({6, 15, 1});                  // el "2" del partido 15
    EXPECT_EQ(Celdas(m), esperadas);
}

TEST(MatrizMarcas, PartidoQuinceSoloPorLaPrimeraColumna) {
    struct Caso {
        std::string_view Primera, Segunda;
        Celda Celda15;
    } casos[] = {{"111111111111111", "22222222222222X", {4, 15, 3}},
                 {"11111111111111X", "222222222222222", {5, 15, 2}},
                 {"x1111111111111x", "222222222222221", {5, 15, 2}},
                 {"111111111111112", "11111111111111X", {6, 15, 1}}};
    for (const Caso& k : casos) {
        const auto celdas = Celdas(MatrizDeBoleto(Boleto({k.Primera, k.Segunda})));
        int en15 = 0;
        for (const Celda& c : celdas)
            en15 += std::get<1>(c) == 15 ? 1 : 0;
        EXPECT_EQ(en15, 1) << k.Primera;
        EXPECT_TRUE(celdas.count(k.Celda15)) << k.Primera;
        EXPECT_EQ(celdas.size(), 14u * 2 + 1) << k.Primera;
    }
}

// Márgenes de 10 mm a la izquierda (567 twips) y 2 mm arriba (113,4 twips).
TEST(DibujoBoleto, Disposicion1CajasNumeroYReferencias) {
    ImpresoraFalsa f;
    DibujaBoleto(f, MatrizPrueba(), 999999, 1, {100, 20, 0, true}, QLocale(QLocale::Spanish));
    // Las referencias y cada caja dos veces en el mismo sitio, 70 × 130.
    std::multiset<Rect> esperados{
        {292, 7, 145, 170},    {8820, 7, 145, 170},   {8975, 1032, 57, 227},
        {8975, 1375, 57, 227}, {8975, 2400, 57, 227}, {8975, 2743, 57, 227},
        {8975, 3086, 57, 227}, {8975, 3429, 57, 227}, {8975, 4116, 57, 227}};
    const auto dos = [&](const Rect& r) { esperados.insert({r, r}); };
    for (int k = 0; k < 24; ++k)
        for (int m = 1; m <= 14; ++m)
            dos({1507 + 212 * k, qRound(113.4 + 10 + (15 - m) * 284), 70, 130});
    for (int x : {3203, 3627, 4051}) // celdas 16, 14 y 12 de la fila del partido 15
        dos({x, 123, 70, 130});
    EXPECT_EQ(Rectangulos(f), esperados);
    ASSERT_EQ(f.Textos.size(), 1u);
    EXPECT_EQ(
        std::tuple(f.Textos[0].X, f.Textos[0].Y, f.Textos[0].Texto, f.Textos[0].Fuente.Puntos),
        std::tuple(7067, 123, u"999.999"_s, 9.0));
}

TEST(DibujoBoleto, Disposicion2SegundoBoletoDelFormulario) {
    ImpresoraFalsa f;
    DibujaBoleto(f, MatrizDeBoleto(Boleto({"1X21X21X21X21X2"})), 1234, 2, {100, 20, 1, true},
                 QLocale::c());
    std::multiset<Rect> esperados{
        {11677, 178, 170, 145}, {11677, 8706, 170, 145}, {7521, 8861, 227, 57},
        {8208, 8861, 227, 57},  {8551, 8861, 227, 57},   {8894, 8861, 227, 57},
        {9237, 8861, 227, 57},  {10263, 8861, 227, 57},  {10605, 8861, 227, 57}};
    const int xPartido1 = 567 + 1050 + 5990;
    for (int m = 1; m <= 14; ++m) {
        const int k = 23 - (m - 1) % 3; // columna 1: sus tres posiciones son las de abajo
        const Rect caja{xPartido1 + (m - 1) * 284, qRound(113.4 + 1270 + k * 213), 130, 70};
        esperados.insert({caja, caja});
    }
    const Rect quince{xPartido1 + 14 * 284, qRound(113.4 + 1270 + 8 * 213), 130, 70};
    esperados.insert({quince, quince});
    EXPECT_EQ(Rectangulos(f), esperados);
    ASSERT_EQ(f.Textos.size(), 1u);
    EXPECT_EQ(std::tuple(f.Textos[0].X, f.Textos[0].Y, f.Textos[0].Texto),
              std::tuple(6557, 113, u"1,234"_s));
}

TEST(DibujoBoleto, SinReferenciasEnElAnverso) {
    for (int orientacion : {1, 2}) {
        ImpresoraFalsa f;
        DibujaBoleto(f, MatrizMarcas(), 1, orientacion, {0, 0, 0, false}, QLocale::c());
        EXPECT_TRUE(f.Rectangulos.empty()) << orientacion;
        ASSERT_EQ(f.Textos.size(), 1u);
        // Sin márgenes, el número va donde dice cada disposición.
        EXPECT_EQ(std::pair(f.Textos[0].X, f.Textos[0].Y),
                  orientacion == 1 ? std::pair(6500, 10) : std::pair(0, 0));
    }
}

TEST_F(ImpresionBoletos, BoletoInicialTresLeeDesdeElRegistro17) {
    EXPECT_EQ(ByteDeBoleto(3), 304);
    const QStringList columnas = Columnas(37); // 5 boletos, el último con 5 columnas
    GuardaReduccion(datos, estado, 7, 3, columnas);
    std::vector<QString> avisos;
    OpcionesBoletos o = Opciones(3, 5);
    o.Orientacion = 2;
    o.Avisos.AlImprimir = [&](const QString& t) { avisos.push_back(t); };
    const ResultadoImpresion r = ImprimeBoletos(estado, impresora, o);
    EXPECT_EQ(r.Fin, FinImpresion::Terminada);
    EXPECT_EQ(r.Impresos, 3);
    EXPECT_EQ(impresora.Paginas, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(impresora.DocumentosTerminados, (std::vector<int>{3}));
    // Página 1: las columnas 17 a 24; la 3: las 33 a 37 y tres huecos.
    EXPECT_EQ(Rectangulos(impresora, 1), Dibujo(columnas.mid(16, 8), 2, false));
    EXPECT_EQ(Rectangulos(impresora, 3), Dibujo(columnas.mid(32), 2, false));
    EXPECT_EQ(avisos, (std::vector<QString>{u"Imprimiendo el boleto nro. 3"_s,
                                            u"Imprimiendo el boleto nro. 4"_s,
                                            u"Imprimiendo el boleto nro. 5"_s}));
}

TEST_F(ImpresionBoletos, GruposDelPartidoQuinceEmpiezanBoletoYElFinalAcota) {
    // 10 columnas con "1" y 3 con "X": el boleto 2 tiene 2 columnas y 6 huecos.
    const QStringList columnas = Columnas(10, u'1') + ColumnasPrueba(3, u'X', 50);
    GuardaReduccion(datos, estado, 7, 3, columnas);
    OpcionesBoletos o = Opciones(2, 2);
    o.Reverso = true;
    ImprimeBoletos(estado, impresora, o);
    EXPECT_EQ(impresora.Paginas.size(), 1u);
    EXPECT_EQ(Rectangulos(impresora, 1), Dibujo(columnas.mid(8, 2), 1, true));
}

TEST_F(ImpresionBoletos, CancelarDesdeFueraParaTrasElBoletoYGuardaLoImpreso) {
    GuardaReduccion(datos, estado, 7, 3, Columnas(40));
    std::atomic<bool> cancelar{false};
    OpcionesBoletos o = Opciones(1, 5);
    o.Avisos.CancelarProceso = &cancelar;
    o.Avisos.AlImprimir = [&](const QString& t) { cancelar = t.endsWith(u" 2"_s); };
    const ResultadoImpresion r = ImprimeBoletos(estado, impresora, o);
    EXPECT_EQ(r.Fin, FinImpresion::Cancelada);
    EXPECT_EQ(r.Impresos, 2);
    EXPECT_EQ(impresora.DocumentosTerminados, (std::vector<int>{2}));
}

TEST_F(ImpresionBoletos, AvisoDeUnaColumnaPorColumnasDelUltimoBoleto) {
    struct Caso {
        QStringList Columnas;
        bool Avisa;
    } casos[] = {
        {Columnas(17), true},                                    // 8 + 8 + 1
        {Columnas(9, u'1') + ColumnasPrueba(9, u'X', 20), true}, // dos boletos de una
        {Columnas(16), false},                                   // 8 + 8
        {Columnas(3, u'1') + ColumnasPrueba(3, u'X', 20) + ColumnasPrueba(3, u'2', 40), false},
    };
    for (const Caso& k : casos) {
        ImpresoraFalsa f;
        GuardaReduccion(datos, estado, 7, 3, k.Columnas);
        std::vector<QString> titulos;
        OpcionesBoletos o = Opciones(1, 1);
        o.Avisos.AlAvisar = [&](const MensajeImpresion& m) { titulos.push_back(m.Titulo); };
        ImprimeBoletos(estado, f, o);
        EXPECT_EQ(titulos, k.Avisa ? std::vector<QString>{u"ÚLTIMO BOLETO INCOMPLETO"_s}
                                   : std::vector<QString>{})
            << k.Columnas.size();
    }
}

TEST_F(ImpresionBoletos, SinReduccionOSinColumnasNoSeImprimeNada) {
    estado.Datos.JornadaActual = 7;
    estado.Datos.OrdenActual = 3;
    LeeFicheroBases(estado);
    const auto tipos = [&](ImpresoraFalsa& f) {
        return std::vector<ResultadoImpresion>{
            ImprimeBoletos(estado, f, Opciones(1, 1)), ImprimeRelacion(estado, f, {{1, 1}, 0, {}}),
            ImprimeContinuo(estado, f, {{1, 1}, false, 0, 0, QLocale::c(), {}}),
            ImprimeDatosBasicos(estado, f, 1, QLocale::c(), {})};
    };
    for (const ResultadoImpresion& r : tipos(impresora)) {
        EXPECT_EQ(r.Fin, FinImpresion::SinReduccion);
        ASSERT_TRUE(r.Mensaje);
        EXPECT_TRUE(r.Mensaje->Texto.contains(u"jornada 7 con el orden 3"_s));
    }
    EXPECT_TRUE(impresora.Paginas.empty());
    // Con la reducción en el índice pero sin su fichero de columnas.
    GuardaReduccion(datos, estado, 7, 3, Columnas(9));
    QFile::remove(datos.Ruta(u"RED0703.ZPK"_s));
    ImpresoraFalsa otra;
    const std::vector<ResultadoImpresion> sinColumnas = tipos(otra);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(sinColumnas[i].Fin, FinImpresion::SinColumnas);
        EXPECT_TRUE(sinColumnas[i].Mensaje->Texto.contains(u"RED0703.ZPK"_s));
    }
    EXPECT_EQ(sinColumnas[3].Fin, FinImpresion::Terminada); // los datos básicos no las leen
    EXPECT_EQ(otra.Paginas.size(), 1u);
}
