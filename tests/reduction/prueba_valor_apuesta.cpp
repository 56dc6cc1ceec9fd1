#include "reduction/bases_prueba.h"
#include "reduction/desarrollo.h"
#include "reduction/estadisticas.h"
#include "reduction/valor_apuesta.h"
#include "support/carpeta_temporal.h"

#include <QBuffer>
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using namespace Qt::StringLiterals;
using namespace quiniela;
using namespace quiniela::prueba;

namespace {

// Columnas de una reducción, desarrollada de verdad.
std::vector<std::string> ColumnasDe(Reduccion red, TablaDirecta& tabla) {
    CalculaEstadisticas(red, tabla);
    std::vector<std::string> columnas;
    DesarrollaReduccion(red, tabla, {}, [&](const char* datos, qsizetype n) {
        for (qsizetype i = 0; i < n; i += 19)
            columnas.emplace_back(datos + i + 1, 15);
        return true;
    });
    return columnas;
}

QByteArray Fichero(const std::vector<std::string>& columnas) {
    QByteArray bytes;
    for (const auto& c : columnas)
        bytes += '"' + QByteArray::fromStdString(c) + "\"\r\n";
    return bytes;
}

// Aciertos como los cuenta el escrutinio, escrito aparte.
int Aciertos(const std::string& c, const std::string& r) {
    int h = 0;
    for (int j = 0; j < 14; ++j)
        h += c[size_t(j)] == r[size_t(j)];
    return h == 14 && c[14] == r[14] ? 15 : h;
}

// Cálculo lento: cada resultado contra cada columna. Solo los partidos libres tienen
// probabilidades repartidas; los demás acaban seguro con el signo de `seguro`, así que basta
// con recorrer los resultados de los libres.
struct Lento {
    std::array<double, 16> ProbMejor{};
    std::array<double, 16> Columnas{}; // por aciertos, sin contar la de 15 en 14
};

Lento CalculoLento(const std::vector<std::string>& columnas, const std::string& seguro,
                   const std::vector<int>& libres, const ProbabilidadesJornada& p) {
    Lento l;
    const std::string signos = "1X2";
    int total = 1;
    for (size_t i = 0; i < libres.size(); ++i)
        total *= 3;
    for (int n = 0; n < total; ++n) {
        std::string r = seguro;
        double prob = 1;
        for (int i = 0, resto = n; i < int(libres.size()); ++i, resto /= 3) {
            r[size_t(libres[size_t(i)] - 1)] = signos[size_t(resto % 3)];
            prob *= p[libres[size_t(i)]][resto % 3];
        }
        int mejor = 0;
        for (const auto& c : columnas) {
            const int h = Aciertos(c, r);
            mejor = std::max(mejor, h);
            l.Columnas[size_t(h)] += prob;
        }
        l.ProbMejor[size_t(mejor)] += prob;
    }
    return l;
}

// Partidos seguros con probabilidad 1 en su signo; los libres, al azar.
ProbabilidadesJornada Probabilidades(const std::string& seguro, const std::vector<int>& libres,
                                     std::mt19937& azar) {
    ProbabilidadesJornada p{};
    for (int m = 1; m <= 15; ++m)
        p[m][size_t(std::string("1X2").find(seguro[size_t(m - 1)]))] = 1;
    for (int m : libres) {
        const double a = 1 + azar() % 60;
        const double b = 1 + azar() % 60;
        const double c = 1 + azar() % 60;
        p[m] = {a / (a + b + c), b / (a + b + c), c / (a + b + c)};
    }
    return p;
}

void ComparaConLento(const ValorApuesta& v, const Lento& l, int64_t columnas) {
    EXPECT_EQ(v.Columnas, columnas);
    double suma = 0;
    for (int h = 0; h <= 15; ++h) {
        EXPECT_NEAR(v.ProbMejor[size_t(h)], l.ProbMejor[size_t(h)], 1e-12) << h << " aciertos";
        suma += v.ProbMejor[size_t(h)];
    }
    EXPECT_NEAR(suma, 1.0, 1e-12);
    double alMenos = 0;
    for (int i = 0; i < CategoriasValor; ++i) {
        const int h = 15 - i;
        alMenos += l.ProbMejor[size_t(h)];
        EXPECT_NEAR(v.Probabilidad[size_t(i)], l.ProbMejor[size_t(h)], 1e-12);
        EXPECT_NEAR(v.ProbAlMenos[size_t(i)], alMenos, 1e-12);
        const double esperadas = l.Columnas[size_t(h)] + (h == 14 ? l.Columnas[15] : 0.0);
        EXPECT_NEAR(v.ColumnasMedias[size_t(i)], esperadas, 1e-9 * std::max(1.0, esperadas))
            << h << " aciertos";
    }
}

} // namespace

TEST(ValorApuesta, LosTresMetodosComoElCalculoLento) {
    // Los partidos libres caen en las dos mitades y en el 15; algún partido seguro acaba con
    // un signo que ninguna columna tiene, para que haya distancias de verdad.
    struct Caso {
        const char* Base;
        int Metodo;
        int Min, Max;
        std::vector<int> Libres;
        const char* Seguro;
    };
    const std::vector<Caso> casos{
        {"1 1X2* 1 1 12* 1 1 1 1X2* 1 1 1X2* 1 1 1X2",
         MetodoDirecto,
         0,
         0,
         {2, 5, 9, 12, 15, 1},
         "11111111111X111"},
        {"1X2*=1 1 1 1 1 1 12*=2 1 1 1X2*=X 1 1 1 1X2*=2 12",
         MetodoColumnaProbable,
         1,
         2,
         {1, 7, 10, 14, 15, 3},
         "111X11111111111"},
        {"1X2* 1X2* 1 1 1 1 1 1 1 1X2* 12* 1 1 1X2* 1X2",
         MetodoSeleccionSignos,
         0,
         0,
         {1, 2, 10, 11, 14, 15},
         "111111X1111X111"},
        {"1X2* 1X2* 1 1 1 1 1 1 1 1X2* 12* 1 1 1X2* 1X2",
         MetodoSeleccionSignos,
         0,
         0,
         {1, 2, 10, 11, 14, 15},
         "111111111111111"},
    };
    std::mt19937 azar(26);
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.Base);
        Reduccion red = BaseDeFichas(QString::fromLatin1(caso.Base), caso.Metodo);
        red.MinErrores = int16_t(caso.Min);
        red.MaxErrores = int16_t(caso.Max);
        if (caso.Metodo == MetodoSeleccionSignos)
            for (int r : {1, 2, 3})
                red.Totales(1, r) = red.Totales(2, r) = red.Totales(3, 3 - r + 1) = 1;
        TablaDirecta tabla;
        const auto columnas = ColumnasDe(red, tabla);
        ASSERT_GT(columnas.size(), 3u);
        const auto p = Probabilidades(caso.Seguro, caso.Libres, azar);
        const Lento lento = CalculoLento(columnas, caso.Seguro, caso.Libres, p);

        QByteArray bytes = Fichero(columnas);
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        const ResultadoValor deFichero = ValorDeFichero(buffer, p);
        ASSERT_EQ(deFichero.Fin, FinValor::Hecho);
        ComparaConLento(deFichero.Valor, lento, int64_t(columnas.size()));

        CalculaEstadisticas(red, tabla);
        const ResultadoValor deBase = ValorDeDesarrollo(red, tabla, p);
        ASSERT_EQ(deBase.Fin, FinValor::Hecho);
        ComparaConLento(deBase.Valor, lento, int64_t(columnas.size()));
    }
}

TEST(ValorApuesta, ColumnasRepetidasYLineasComoLasLeeElEscrutinio) {
    // Una columna repetida 300 veces (más de lo que cabe en su byte), líneas sin comillas,
    // con coma, con blancos delante, vacías y la última sin CR LF.
    std::mt19937 azar(7);
    const std::vector<int> libres{1, 4, 8, 13, 15};
    const std::string seguro = "1X21X21X21X21X2";
    std::vector<std::string> columnas(300, "1X21X21X21X21X2");
    QByteArray bytes = Fichero(columnas);
    for (const char* linea : {"1X21X21X21X21X1\r\n", "  \"XX21X21X21X21X2\"\r\n", "\r\n",
                              "1X22X21X21X21X2,algo\r\n", "2X21X21X21X2XX2"}) {
        bytes += linea;
        std::string c = QByteArray(linea).trimmed().replace("\"", "").left(15).toStdString();
        if (!c.empty())
            columnas.push_back(c);
    }
    const auto p = Probabilidades(seguro, libres, azar);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    const ResultadoValor r = ValorDeFichero(buffer, p);
    ASSERT_EQ(r.Fin, FinValor::Hecho);
    ComparaConLento(r.Valor, CalculoLento(columnas, seguro, libres, p), 304);
}

TEST(ValorApuesta, UnaLineaQueNoEsColumnaSeDiceConSuNumero) {
    const std::vector<std::pair<QByteArray, int64_t>> casos{
        {"\"111111111111111\"\r\n\"11111111111111x\"\r\n", 2},
        {"\"111111111111111\"\r\n\r\n\"1111111\"\r\n", 3},
    };
    for (const auto& [bytes, linea] : casos) {
        QByteArray copia = bytes;
        QBuffer buffer(&copia);
        buffer.open(QIODevice::ReadOnly);
        const ResultadoValor r = ValorDeFichero(buffer, ProbabilidadesDe({}));
        EXPECT_EQ(r.Fin, FinValor::LineaMala);
        EXPECT_EQ(r.LineaMala, linea);
    }
}

TEST(ValorApuesta, TodoCubiertoYNadaCubierto) {
    // 3^15 entero: el pleno es seguro; las columnas de 15 suman 1 y las de 14 son 3, porque
    // cada resultado de los 14 primeros está en tres columnas.
    Reduccion red = BaseDeFichas(u"1X2* 1X2* 1X2* 1X2* 1X2* 1X2* 1X2* 1X2* 1X2* 1X2* 1X2* "
                                 u"1X2* 1X2* 1X2* 1X2"_s,
                                 MetodoColumnaProbable);
    red.MaxErrores = 14;
    TablaDirecta tabla;
    CalculaEstadisticas(red, tabla);
    std::mt19937 azar(3);
    EstimacionesJornada e;
    for (int m = 1; m <= 15; m += 2) {
        const int a = int(azar() % 50);
        e[m] = {true, {a, 100 - a - 10, 10}};
    }
    const ResultadoValor r = ValorDeDesarrollo(red, tabla, ProbabilidadesDe(e));
    ASSERT_EQ(r.Fin, FinValor::Hecho);
    EXPECT_EQ(r.Valor.Columnas, 14348907);
    EXPECT_NEAR(r.Valor.Probabilidad[0], 1.0, 1e-12);
    for (int i = 0; i < CategoriasValor; ++i)
        EXPECT_NEAR(r.Valor.ProbAlMenos[size_t(i)], 1.0, 1e-12);
    EXPECT_NEAR(r.Valor.ColumnasMedias[0], 1.0, 1e-9);
    EXPECT_NEAR(r.Valor.ColumnasMedias[1], 3.0, 1e-9);

    QByteArray vacio;
    QBuffer buffer(&vacio);
    buffer.open(QIODevice::ReadOnly);
    const ResultadoValor nada = ValorDeFichero(buffer, ProbabilidadesDe(e));
    EXPECT_EQ(nada.Valor.Columnas, 0);
    EXPECT_NEAR(nada.Valor.ProbMejor[0], 1.0, 1e-12);
    EXPECT_EQ(nada.Valor.ProbAlMenos[5], 0.0);
}

TEST(ValorApuesta, CancelarParaElCalculo) {
    std::atomic<bool> cancelar{true};
    Reduccion red = BaseDeFichas(u"1X2* 1X2* 1 1 1 1 1 1 1 1 1 1 1 1 1"_s, MetodoDirecto);
    TablaDirecta tabla;
    CalculaEstadisticas(red, tabla);
    EXPECT_EQ(ValorDeDesarrollo(red, tabla, ProbabilidadesDe({}), &cancelar).Fin,
              FinValor::Cancelado);
    ColumnasValor columnas;
    columnas.AnadeIndice(0);
    EXPECT_FALSE(CalculaValor(columnas, ProbabilidadesDe({}), &cancelar));
}

TEST(ValorApuesta, CuotasAPorcentajesPorRestosMayores) {
    struct Caso {
        std::array<double, 3> Cuotas;
        std::optional<std::array<int, 3>> Esperado;
    };
    const std::vector<Caso> casos{
        {{2.0, 4.0, 4.0}, std::array{50, 25, 25}},
        {{3.0, 3.0, 3.0}, std::array{34, 33, 33}}, // empate: el 1 primero
        {{6.0, 3.0, 3.0}, std::array{20, 40, 40}},
        {{1.5, 6.0, 6.0}, std::array{67, 17, 16}}, // 66,67 16,67 16,67: X antes que 2
        {{7.0, 7.0, 3.5}, std::array{25, 25, 50}},
        {{9.0, 1.125, 9.0}, std::array{10, 80, 10}},
        {{2.10, 3.40, 3.60}, std::array{45, 28, 27}}, // 45,43 28,06 26,50
        {{1.0, 3.0, 3.0}, std::nullopt},
        {{2.0, 0.5, 3.0}, std::nullopt},
        {{2.0, 3.0, std::nan("")}, std::nullopt},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(testing::Message() << c.Cuotas[0] << " " << c.Cuotas[1] << " " << c.Cuotas[2]);
        EXPECT_EQ(PorcentajesDeCuotas(c.Cuotas), c.Esperado);
    }
}

TEST(ValorApuesta, ImportesSoloConLosSeisPremios) {
    ValorApuesta v;
    v.Columnas = 9915;
    v.ColumnasMedias = {0.001, 0.02, 0.3, 2.0, 10.0, 40.0};
    PremiosValor premios{1e6, 5e4, 1000.0, 100.0, 10.0, 1.0};
    ImportesValor r = CalculaImportes(v, premios, 0.75);
    EXPECT_DOUBLE_EQ(r.Coste, 7436.25);
    EXPECT_DOUBLE_EQ(*r.PremioCategoria[0], 1000.0);
    ASSERT_TRUE(r.PremioEsperado);
    EXPECT_DOUBLE_EQ(*r.PremioEsperado, 1000.0 + 1000.0 + 300.0 + 200.0 + 100.0 + 40.0);
    EXPECT_DOUBLE_EQ(*r.Rendimiento, 2640.0 / 7436.25);
    premios[3].reset();
    r = CalculaImportes(v, premios, 0.75);
    EXPECT_FALSE(r.PremioCategoria[3]);
    EXPECT_TRUE(r.PremioCategoria[4]);
    EXPECT_FALSE(r.PremioEsperado);
    EXPECT_FALSE(r.Rendimiento);
}

TEST(ValorApuesta, ElFicheroProyectadoPorVentanasLeeLoMismoQueLeidoABloques) {
    // Más de una ventana (4 MB), con líneas que no son de 19 bytes repartidas, para que alguna
    // quede partida entre dos ventanas.
    std::mt19937 azar(15);
    QByteArray bytes;
    const char signos[] = "1X2";
    for (int n = 0; n < 260000; ++n) {
        QByteArray c(15, '1');
        for (char& s : c)
            s = signos[azar() % 3];
        // La misma columna 260 veces: más de lo que cabe en un byte.
        if (n % 1000 == 500)
            c = "1X21X21X21X21X2";
        bytes += n % 997 == 0 ? c + ",resto\n" : '"' + c + "\"\r\n";
    }
    bytes += "\"1X21X21X21X21X2\""; // la última sin CR LF
    CarpetaTemporal carpeta;
    carpeta.Escribe(u"RED0101.ZPK"_s, bytes);
    EstimacionesJornada e;
    e[3] = {true, {60, 30, 10}};
    e[15] = {true, {20, 20, 60}};
    const ProbabilidadesJornada p = ProbabilidadesDe(e);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    const ResultadoValor bloques = ValorDeFichero(buffer, p);
    QFile fichero(carpeta.Ruta(u"RED0101.ZPK"_s));
    ASSERT_TRUE(fichero.open(QIODevice::ReadOnly));
    const ResultadoValor proyectado = ValorDeFichero(fichero, p);
    ASSERT_EQ(proyectado.Fin, FinValor::Hecho);
    EXPECT_EQ(proyectado.Valor.Columnas, 260001);
    EXPECT_EQ(proyectado.Valor.ProbMejor, bloques.Valor.ProbMejor);
    EXPECT_EQ(proyectado.Valor.ColumnasMedias, bloques.Valor.ColumnasMedias);

    // Una línea mala pasada la primera ventana se dice con su número.
    const qsizetype inicio = bytes.indexOf('\n', 19 * 250000) + 1;
    bytes[inicio + 3] = 'Y'; // un signo, con comillas o sin ellas
    const int64_t linea = bytes.left(inicio).count('\n') + 1;
    carpeta.Escribe(u"RED0101.ZPK"_s, bytes);
    QFile malo(carpeta.Ruta(u"RED0101.ZPK"_s));
    ASSERT_TRUE(malo.open(QIODevice::ReadOnly));
    const ResultadoValor r = ValorDeFichero(malo, p);
    EXPECT_EQ(r.Fin, FinValor::LineaMala);
    EXPECT_EQ(r.LineaMala, linea);
}
