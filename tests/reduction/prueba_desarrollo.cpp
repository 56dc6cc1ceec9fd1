#include "reduction/bases_prueba.h"
#include "reduction/desarrollo.h"
#include "reduction/estadisticas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

using namespace Qt::StringLiterals;
using namespace quiniela;
using namespace quiniela::prueba;

TEST(Desarrollo, CadaMetodoComoLaReferenciaYLasFormulasComoLoEscrito) {
    // El orden (partido 1 el más rápido), los huecos del directo y la aceptación, contra la
    // referencia literal. Algunas bases pasan del bloque precalculado y mueven las ruedas
    // exteriores; el bloque es pequeño para que se vacíe muchas veces.
    std::mt19937 azar(20240607);
    for (int metodo = 1; metodo <= 3; ++metodo) {
        for (int i = 0; i < 120; ++i) {
            Reduccion red = BaseAleatoria(azar, metodo, i % 10 == 0 ? 20000 : 3000);
            SCOPED_TRACE(testing::Message() << "método " << metodo << " base " << i);
            const QStringList esperado = ReduccionDeReferencia(red);
            TablaDirecta tabla;
            const EstadisticasReduccion est = CalculaEstadisticas(red, tabla);
            QByteArray bytes;
            const auto r = DesarrollaReduccion(
                red, tabla, {},
                [&](const char* datos, qsizetype n) {
                    bytes.append(datos, n);
                    return true;
                },
                19 * (1 + i % 5));
            ASSERT_EQ(bytes, LineasColumnas(esperado));
            EXPECT_EQ(r.Fin, FinDesarrollo::Completo);
            EXPECT_EQ(r.PasosHechos, r.Pasos);
            EXPECT_EQ(r.Lineas, esperado.size());
            EXPECT_EQ(est.Aceptadas, esperado.size());
            EXPECT_EQ(est.Excluidas, est.Total - est.Aceptadas);
        }
    }
}

TEST(Desarrollo, AvisoPorCombinacionYCancelacion) {
    Reduccion red = BaseDeFichas(u"1X2* 12* 1X2 1 1 1 1 1 1 1 1 1 1 1 1"_s,
                                 MetodoDirecto); // tabla de 1 triple: el doble y el triple, enteros
    TablaDirecta tabla;
    CalculaEstadisticas(red, tabla);
    std::vector<std::pair<int, int>> avisos;
    auto d = DesarrollaReduccion(red, tabla,
                                 [&](int32_t paso, int32_t pasos) {
                                     avisos.push_back({paso, pasos});
                                     return false;
                                 },
                                 {});
    EXPECT_EQ(avisos,
              (std::vector<std::pair<int, int>>{{1, 6}, {2, 6}, {3, 6}, {4, 6}, {5, 6}, {6, 6}}));

    // Un aviso que pide espaciar sus llamadas: pasos 1, 11, 21... y cancela en el 31.
    Reduccion grande =
        BaseDeFichas(u"1X2*=1 1X2*=1 1X2*=1 1X2*=1 1 1 1 1 1 1 1 1 1 1 1"_s, MetodoColumnaProbable);
    grande.MaxErrores = 4;
    std::vector<int> llamados;
    d = DesarrollaReduccion(grande, tabla,
                            [&](int32_t paso, int32_t) {
                                llamados.push_back(paso);
                                return RespuestaAviso{paso == 31, paso + 10};
                            },
                            {});
    EXPECT_EQ(llamados, (std::vector<int>{1, 11, 21, 31}));
    EXPECT_EQ(d.Fin, FinDesarrollo::Cancelado);
    EXPECT_EQ(d.PasosHechos, 31);
}

TEST(Desarrollo, ElBloqueEntregadoSigueIntactoHastaLaLlamadaSiguiente) {
    Reduccion red = BaseDeFichas(u"1X2*=1 1X2*=X 1X2*=2 1X2*=1 1X2*=1 12*=2 1 1 1 1 1 1 1 1 1"_s,
                                 MetodoColumnaProbable);
    red.MaxErrores = 6;
    TablaDirecta tabla;
    CalculaEstadisticas(red, tabla);
    for (const bool cancela : {false, true}) {
        const char* anterior = nullptr;
        QByteArray copia;
        int finales = 0, cambiados = 0;
        const auto d = DesarrollaReduccion(
            red, tabla, [&](int32_t paso, int32_t) { return cancela && paso == 300; },
            [&](const char* datos, qsizetype n) {
                cambiados += anterior != nullptr && QByteArray(anterior, copia.size()) != copia;
                finales += n == 0;
                anterior = datos;
                copia = QByteArray(datos, n);
                return true;
            },
            19 * 16);
        EXPECT_EQ(d.Fin, cancela ? FinDesarrollo::Cancelado : FinDesarrollo::Completo);
        EXPECT_EQ(cambiados, 0);
        EXPECT_EQ(finales, 1) << "una llamada final con 0 bytes, termine como termine";
    }
}

TEST(TablasDirectas, EleccionSegunTriplesYDoblesYCadaTablaCubreConRadioUno) {
    // Las tablas que puede elegir alguna combinación de triples y dobles, que nunca piden más
    // triples o dobles de los elegidos; sin ninguno no hay tabla y la previa queda como estaba.
    std::vector<TablaDirecta> tablas;
    for (int tr = 0; tr <= 14; ++tr)
        for (int d = 0; d + tr <= 14; ++d) {
            SCOPED_TRACE(testing::Message() << tr << " triples " << d << " dobles");
            const TablaDirecta previa{1.5f, 99, 99, 99, 99};
            TablaDirecta t = previa;
            if (!EligeTablaDirecta(tr, d, t)) {
                EXPECT_EQ(tr + d, 0);
                EXPECT_EQ(t, previa);
                continue;
            }
            EXPECT_LE(t.TriplesTabla, tr);
            EXPECT_LE(t.DoblesTabla, d);
            if (std::find(tablas.begin(), tablas.end(), t) == tablas.end())
                tablas.push_back(t);
        }
    ASSERT_EQ(tablas.size(), 12u);
    for (const TablaDirecta& t : tablas) {
        SCOPED_TRACE(t.Inicio);
        const int huecos = t.TriplesTabla + t.DoblesTabla;
        std::set<std::string> columnas;
        for (int c = 0; c < t.Columnas; ++c) {
            std::string col;
            for (int s = 1; s <= huecos; ++s) {
                const auto cadena = CadenasTablas()[t.Inicio + s];
                ASSERT_EQ(int(cadena.size()), t.Columnas);
                EXPECT_TRUE(cadena[c] >= '1' && cadena[c] <= (s <= t.TriplesTabla ? '3' : '2'));
                col += cadena[c];
            }
            columnas.insert(col);
        }
        EXPECT_EQ(int(columnas.size()), t.Columnas) << "columnas repetidas";

        // Todo resultado de los huecos queda a un error como mucho de alguna columna: las
        // columnas y sus vecinas a un signo son todos los resultados.
        long long completo = 1;
        std::set<std::string> cubiertos;
        for (int s = 0; s < huecos; ++s)
            completo *= s < t.TriplesTabla ? 3 : 2;
        for (const std::string& col : columnas)
            for (int s = 0; s < huecos; ++s)
                for (char signo = '1'; signo <= (s < t.TriplesTabla ? '3' : '2'); ++signo) {
                    std::string vecina = col;
                    vecina[s] = signo;
                    cubiertos.insert(vecina);
                }
        EXPECT_EQ(static_cast<long long>(cubiertos.size()), completo);
        EXPECT_NEAR(t.Factor, double(completo) / t.Columnas, 0.01);
    }
    // Las tres reglas previas y algunas entradas (triples, dobles, tabla).
    const std::vector<std::tuple<int, int, TablaDirecta>> casos{
        {5, 9, {9.0f, 0, 9, 4, 0}},    {3, 4, {9.0f, 4, 24, 3, 3}}, {2, 8, {8.0f, 10, 16, 0, 7}},
        {3, 2, {4.0f, 17, 3, 1, 2}},   {3, 1, {3.0f, 54, 1, 1, 0}}, {1, 5, {5.33f, 39, 18, 1, 5}},
        {0, 6, {5.33f, 45, 12, 0, 6}}, {0, 5, {4.0f, 51, 2, 0, 3}}, {0, 1, {2.0f, 55, 1, 0, 1}},
    };
    for (const auto& [tr, d, esperada] : casos) {
        TablaDirecta t;
        EligeTablaDirecta(tr, d, t);
        EXPECT_EQ(t, esperada) << tr << " triples " << d << " dobles";
    }
}
