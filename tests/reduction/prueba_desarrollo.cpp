#include "reduction/bases_prueba.h"
#include "reduction/desarrollo.h"
#include "reduction/estadisticas.h"

#include <gtest/gtest.h>

using namespace quiniela;
using namespace quiniela::prueba;

namespace {

QStringList Fichas(const QString& texto) {
    return texto.split(u' ', Qt::SkipEmptyParts);
}

struct Desarrollado {
    ResultadoDesarrollo resultado;
    QByteArray bytes;
    QStringList columnas;
};

// Desarrolla con un bloque pequeño para que se vacíe muchas veces.
Desarrollado Desarrolla(Reduccion red, qsizetype bloque = 19 * 7) {
    TablaDirecta tabla;
    CalculaEstadisticas(red, tabla);
    Desarrollado d;
    d.resultado = DesarrollaReduccion(
        red, tabla, {},
        [&](const char* datos, qsizetype n) {
            d.bytes.append(datos, n);
            return true;
        },
        bloque);
    for (qsizetype i = 0; i + 19 <= d.bytes.size(); i += 19) {
        const QByteArray linea = d.bytes.mid(i, 19);
        EXPECT_EQ(linea.at(0), '"');
        EXPECT_EQ(linea.right(3), QByteArray("\"\r\n"));
        d.columnas << QString::fromLatin1(linea.mid(1, 15));
    }
    EXPECT_EQ(d.bytes.size() % 19, 0);
    return d;
}

} // namespace

TEST(Desarrollo, OrdenConElPartidoUnoMasRapido) {
    // 1X2, 12 y el resto "1": 111…, X11…, 211…, 121…, X21…, 221…
    Reduccion red = BaseDeFichas(Fichas(QStringLiteral("1X2 12* 1 1 1 1 1 1 1 1 1 1 1 1 1")),
                                 MetodoColumnaProbable);
    red.Base[2].SignoProbable = 1;
    red.MaxErrores = 1;
    const auto d = Desarrolla(red);
    const QString resto(13, u'1');
    EXPECT_EQ(d.columnas,
              (QStringList{QStringLiteral("11") + resto, QStringLiteral("X1") + resto,
                           QStringLiteral("21") + resto, QStringLiteral("12") + resto,
                           QStringLiteral("X2") + resto, QStringLiteral("22") + resto}));
    EXPECT_EQ(d.resultado.pasos, 6);
    EXPECT_EQ(d.resultado.pasosHechos, 6);

    // El partido 15 es el más lento.
    Reduccion lento =
        BaseDeFichas(Fichas(QStringLiteral("12* 1 1 1 1 1 1 1 1 1 1 1 1 1 X2")), MetodoDirecto);
    const auto l = Desarrolla(lento);
    EXPECT_EQ(l.columnas, (QStringList{QStringLiteral("2") + QString(13, u'1') + u'X',
                                       QStringLiteral("2") + QString(13, u'1') + u'2'}));
}

TEST(Desarrollo, MetodoDirectoFijaLosHuecosYDesarrollaElResto) {
    // Cuatro triples elegidos, un doble sin elegir al final: 9 columnas de tabla × 2.
    Reduccion red = BaseDeFichas(
        Fichas(QStringLiteral("1X2* 1X2* 1X2* 1X2* 1 1 1 1 1 1 1 1 1 1 X2")), MetodoDirecto);
    const auto d = Desarrolla(red);
    ASSERT_EQ(d.columnas.size(), 18);
    EXPECT_EQ(d.resultado.pasos, 2);
    // Primera columna de la tabla: cifras 1,1,3,1 -> "1", "1", "2", "1".
    EXPECT_EQ(d.columnas.at(0), QStringLiteral("1121") + QString(10, u'1') + u'X');
    EXPECT_EQ(d.columnas.at(9), QStringLiteral("1121") + QString(10, u'1') + u'2');
    // Seis dobles elegidos y nada más: 12 columnas; siete: 16.
    EXPECT_EQ(
        Desarrolla(BaseDeFichas(Fichas(QStringLiteral("12* 12* 12* 12* 12* 12* 1 1 1 1 1 1 1 1 1")),
                                MetodoDirecto))
            .columnas.size(),
        12);
    EXPECT_EQ(Desarrolla(BaseDeFichas(
                             Fichas(QStringLiteral("12* 12* 12* 12* 12* 12* 12* 1 1 1 1 1 1 1 1")),
                             MetodoDirecto))
                  .columnas.size(),
              16);
}

TEST(Desarrollo, CadaMetodoComoLaReferenciaEnBasesGeneradas) {
    std::mt19937 azar(20240607);
    for (int metodo = 1; metodo <= 3; ++metodo) {
        for (int i = 0; i < 120; ++i) {
            Reduccion red = BaseAleatoria(azar, metodo, 3000);
            SCOPED_TRACE(testing::Message() << "método " << metodo << " base " << i);
            const QStringList esperado = ReduccionDeReferencia(red);
            const auto d = Desarrolla(red, 19 * (1 + i % 5));
            ASSERT_EQ(d.columnas, esperado);
            EXPECT_EQ(d.resultado.fin, FinDesarrollo::Completo);
            EXPECT_EQ(d.resultado.lineas, esperado.size());
        }
    }
}

TEST(Desarrollo, BloqueInteriorGrandeYRuedasExteriores) {
    // 3^9 combinaciones: más que el bloque precalculado, así que giran ruedas exteriores.
    Reduccion red = BaseDeFichas(
        Fichas(QStringLiteral("1X2*=1 1X2*=X 12*=2 X2*=2 1X2*=1 1X* 1X2*=2 12*=1 1X2*=X 1 1 1 "
                              "12*=2 X 1X2")),
        MetodoColumnaProbable);
    red.Base[6].SignoProbable = 2;
    red.MinErrores = 3;
    red.MaxErrores = 5;
    EXPECT_EQ(Desarrolla(red, 19 * 1000).columnas, ReduccionDeReferencia(red));
    red.Metodo = MetodoSeleccionSignos;
    for (int r : {2, 3, 4})
        red.Totales(1, r) = 1;
    for (int r : {1, 3, 5})
        red.Totales(2, r) = 1;
    for (int r : {2, 3})
        red.Totales(3, r) = 1;
    EXPECT_EQ(Desarrolla(red, 19 * 1000).columnas, ReduccionDeReferencia(red));
}

TEST(Desarrollo, LasFormulasCuentanLoQueSeEscribe) {
    std::mt19937 azar(77);
    int probadas = 0;
    for (int metodo = 1; metodo <= 3; ++metodo) {
        for (int i = 0; i < 150; ++i) {
            Reduccion red = BaseAleatoria(azar, metodo, 20000);
            TablaDirecta tabla;
            const auto est = CalculaEstadisticas(red, tabla);
            if (est.MultiplesAReducir == 0)
                continue;
            SCOPED_TRACE(testing::Message() << "método " << metodo << " base " << i);
            ++probadas;
            const auto d = DesarrollaReduccion(red, tabla, {}, {});
            EXPECT_EQ(d.lineas, est.Aceptadas);
            EXPECT_EQ(est.Excluidas, est.Total - est.Aceptadas);
        }
    }
    EXPECT_GT(probadas, 300);
}

TEST(Desarrollo, MetodoDirectoCuentaExactaConLasTablasDeFactor533) {
    // 6 dobles elegidos y cinco triples sin elegir: 15.552 columnas.
    Reduccion red =
        BaseDeFichas(Fichas(QStringLiteral("12* 12* 12* 12* 12* 12* 1X2 1X2 1X2 1X2 1X2 1 1 1 1")),
                     MetodoDirecto);
    TablaDirecta tabla;
    const auto est = CalculaEstadisticas(red, tabla);
    EXPECT_EQ(est.Total, 15552);
    EXPECT_FLOAT_EQ(est.Factor, 5.33f);
    EXPECT_EQ(est.Aceptadas, 2916);
    EXPECT_EQ(DesarrollaReduccion(red, tabla, {}, {}).lineas, 2916);
}

TEST(Desarrollo, AvisoPorCombinacionYCancelacion) {
    Reduccion red =
        BaseDeFichas(Fichas(QStringLiteral("1X2* 12* 1X2 1 1 1 1 1 1 1 1 1 1 1 1")), MetodoDirecto);
    TablaDirecta tabla;
    CalculaEstadisticas(red, tabla); // 1 triple + 1 doble: tabla de 1 triple
    std::vector<std::pair<int, int>> avisos;
    auto d = DesarrollaReduccion(red, tabla,
                                 [&](int32_t paso, int32_t pasos) {
                                     avisos.push_back({paso, pasos});
                                     return false;
                                 },
                                 {});
    EXPECT_EQ(d.pasos, 6); // el doble y el triple sin hueco
    ASSERT_EQ(avisos.size(), 6u);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(avisos[i], std::make_pair(i + 1, 6));

    red.Metodo = MetodoColumnaProbable;
    red.Base[1].SignoProbable = 1;
    red.Base[2].SignoProbable = 1;
    red.MaxErrores = 2;
    qsizetype bytes = 0;
    d = DesarrollaReduccion(
        red, tabla, [](int32_t paso, int32_t) { return paso == 5; },
        [&](const char*, qsizetype n) {
            bytes += n;
            return true;
        },
        19);
    EXPECT_EQ(d.fin, FinDesarrollo::Cancelado);
    EXPECT_EQ(d.pasosHechos, 5);
    EXPECT_EQ(bytes, 4 * 19) << "la columna del paso cancelado no se escribe";

    // Un sumidero que falla detiene el desarrollo.
    int llamadas = 0;
    d = DesarrollaReduccion(
        red, tabla, {},
        [&](const char*, qsizetype n) {
            llamadas += n > 0;
            return false;
        },
        19 * 2);
    EXPECT_EQ(d.fin, FinDesarrollo::FalloSumidero);
    EXPECT_EQ(llamadas, 1);

    // Un aviso que pide espaciar sus llamadas: pasos 1, 11, 21... y cancela en el 31.
    Reduccion grande =
        BaseDeFichas(Fichas(QStringLiteral("1X2*=1 1X2*=1 1X2*=1 1X2*=1 1 1 1 1 1 1 1 1 1 1 1")),
                     MetodoColumnaProbable);
    grande.MaxErrores = 4;
    std::vector<int> llamados;
    d = DesarrollaReduccion(grande, tabla,
                            [&](int32_t paso, int32_t) {
                                llamados.push_back(paso);
                                return RespuestaAviso{paso == 31, paso + 10};
                            },
                            {});
    EXPECT_EQ(llamados, (std::vector<int>{1, 11, 21, 31}));
    EXPECT_EQ(d.fin, FinDesarrollo::Cancelado);
    EXPECT_EQ(d.pasosHechos, 31);

    // Un aviso hecho de una std::function vacía no se llama.
    EXPECT_FALSE(AvisoProgreso(std::function<bool(int32_t, int32_t)>()));
    d = DesarrollaReduccion(red, tabla, std::function<bool(int32_t, int32_t)>(), {});
    EXPECT_EQ(d.fin, FinDesarrollo::Completo);
}

TEST(Desarrollo, ElBloqueEntregadoSigueIntactoHastaLaLlamadaSiguiente) {
    Reduccion red = BaseDeFichas(
        Fichas(QStringLiteral("1X2*=1 1X2*=X 1X2*=2 1X2*=1 1X2*=1 12*=2 1 1 1 1 1 1 1 1 1")),
        MetodoColumnaProbable);
    red.MaxErrores = 6;
    TablaDirecta tabla;
    CalculaEstadisticas(red, tabla);
    for (const bool cancela : {false, true}) {
        const char* anterior = nullptr;
        QByteArray copia;
        int finales = 0;
        int cambiados = 0;
        const auto d = DesarrollaReduccion(
            red, tabla, [&](int32_t paso, int32_t) { return cancela && paso == 300; },
            [&](const char* datos, qsizetype n) {
                if (anterior != nullptr && QByteArray(anterior, copia.size()) != copia)
                    ++cambiados;
                finales += n == 0;
                anterior = datos;
                copia = QByteArray(datos, n);
                return true;
            },
            19 * 16);
        EXPECT_EQ(d.fin, cancela ? FinDesarrollo::Cancelado : FinDesarrollo::Completo);
        EXPECT_EQ(cambiados, 0);
        EXPECT_EQ(finales, 1) << "una llamada final con 0 bytes, termine como termine";
    }
}

TEST(Desarrollo, EntradasQueReducenMenosDeLoElegido) {
    // Tres triples y dos dobles: tabla de 1 triple + 2 dobles sobre el primer triple y los dos
    // dobles; los otros dos triples, enteros (27 columnas de 108).
    const QString unos(10, u'1');
    auto d = Desarrolla(BaseDeFichas(
        Fichas(QStringLiteral("1X2* 12* 1X2* 12* 1X2* 1 1 1 1 1 1 1 1 1 1")), MetodoDirecto));
    ASSERT_EQ(d.columnas.size(), 27);
    EXPECT_EQ(d.columnas.mid(0, 4),
              (QStringList{QStringLiteral("12111") + unos, QStringLiteral("X1121") + unos,
                           QStringLiteral("22111") + unos, QStringLiteral("12X11") + unos}));
    // Tres triples y un doble: el primer triple queda en su segundo signo, lo demás entero.
    d = Desarrolla(BaseDeFichas(Fichas(QStringLiteral("1 X2* 1X2* 12 1X2* 1X2* 1 1 1 1 1 1 1 1 1")),
                                MetodoDirecto));
    ASSERT_EQ(d.columnas.size(), 2 * 3 * 3 * 2);
    for (const QString& c : d.columnas)
        EXPECT_EQ(c.mid(2, 1), QStringLiteral("X")) << c.toStdString();
    EXPECT_EQ(d.columnas.at(0), QStringLiteral("1XX1") + QStringLiteral("11") + QString(9, u'1'));
    EXPECT_EQ(d.columnas.at(1), QStringLiteral("12X1") + QStringLiteral("11") + QString(9, u'1'));
}
