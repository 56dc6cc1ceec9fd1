#include "reduction/bases_prueba.h"
#include "reduction/desarrollo.h"
#include "reduction/estadisticas.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace quiniela;
using namespace quiniela::prueba;

namespace {

struct Desarrollado {
    EstadisticasReduccion Est;
    ResultadoDesarrollo Resultado;
    QStringList Columnas;
};

// Desarrolla con un bloque pequeño para que se vacíe muchas veces.
Desarrollado Desarrolla(Reduccion red, qsizetype bloque = 19 * 7) {
    TablaDirecta tabla;
    Desarrollado d;
    d.Est = CalculaEstadisticas(red, tabla);
    QByteArray bytes;
    d.Resultado = DesarrollaReduccion(
        red, tabla, {},
        [&](const char* datos, qsizetype n) {
            bytes.append(datos, n);
            return true;
        },
        bloque);
    for (qsizetype i = 0; i < bytes.size(); i += 19)
        d.Columnas << QString::fromLatin1(bytes.mid(i + 1, 15));
    EXPECT_EQ(bytes, LineasColumnas(d.Columnas));
    return d;
}

} // namespace

TEST(Desarrollo, CadaMetodoComoLaReferenciaYLasFormulasComoLoEscrito) {
    // El orden (partido 1 el más rápido), los huecos del directo y la aceptación, contra la
    // referencia literal. Algunas bases pasan del bloque precalculado y mueven las ruedas
    // exteriores.
    std::mt19937 azar(20240607);
    for (int metodo = 1; metodo <= 3; ++metodo) {
        for (int i = 0; i < 120; ++i) {
            Reduccion red = BaseAleatoria(azar, metodo, i % 10 == 0 ? 20000 : 3000);
            SCOPED_TRACE(testing::Message() << "método " << metodo << " base " << i);
            const QStringList esperado = ReduccionDeReferencia(red);
            const auto d = Desarrolla(red, 19 * (1 + i % 5));
            ASSERT_EQ(d.Columnas, esperado);
            EXPECT_EQ(d.Resultado.Fin, FinDesarrollo::Completo);
            EXPECT_EQ(d.Resultado.PasosHechos, d.Resultado.Pasos);
            EXPECT_EQ(d.Resultado.Lineas, esperado.size());
            EXPECT_EQ(d.Est.Aceptadas, esperado.size());
            EXPECT_EQ(d.Est.Excluidas, d.Est.Total - d.Est.Aceptadas);
        }
    }
}

TEST(Desarrollo, MetodoDirectoCuentaExactaConLasTablasDeFactor533) {
    // 6 dobles elegidos y cinco triples sin elegir: 15.552 columnas, 2.916 escritas.
    const auto d = Desarrolla(
        BaseDeFichas(u"12* 12* 12* 12* 12* 12* 1X2 1X2 1X2 1X2 1X2 1 1 1 1"_s, MetodoDirecto),
        19 * 4096);
    EXPECT_EQ(d.Est.Total, 15552);
    EXPECT_FLOAT_EQ(d.Est.Factor, 5.33f);
    EXPECT_EQ(d.Est.Aceptadas, 2916);
    EXPECT_EQ(d.Columnas.size(), 2916);
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

    red.Metodo = MetodoColumnaProbable;
    red.Base[1].SignoProbable = red.Base[2].SignoProbable = 1;
    red.MaxErrores = 2;
    qsizetype bytes = 0;
    d = DesarrollaReduccion(
        red, tabla, [](int32_t paso, int32_t) { return paso == 5; },
        [&](const char*, qsizetype n) {
            bytes += n;
            return true;
        },
        19);
    EXPECT_EQ(d.Fin, FinDesarrollo::Cancelado);
    EXPECT_EQ(d.PasosHechos, 5);
    EXPECT_EQ(bytes, 4 * 19) << "la columna del paso cancelado no se escribe";

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
