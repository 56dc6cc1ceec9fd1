#include "consult/consulta.h"
#include "consult/historial.h"
#include "consult/reducciones_prueba.h"
#include "support/banco.h"
#include "support/registros_historial.h"

#include <QLocale>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace quiniela;
using namespace quiniela::prueba;

namespace {

using B = BotonNavegacion;
constexpr std::array<B, 4> Botones{B::Principio, B::Retroceder, B::Avanzar, B::Final};

// Las filas que debe enseñar un bloque: el signo j de cada registro, blanco en los huecos.
std::array<QString, 15> FilasEsperadas(const QStringList& registros) {
    std::array<QString, 15> filas;
    for (int c = 0; c < RegistrosPorBloque; ++c)
        for (int j = 0; j < NumPartidos; ++j)
            filas[std::size_t(j)] += c < registros.size() ? registros[c].at(j) : u' ';
    return filas;
}

TEST(Consulta, BotonBajoElPunteroYReglasDeLaTabla) {
    const std::tuple<int, int, B> puntos[] = {
        {1, 1, B::Principio}, {24, 24, B::Principio}, {25, 10, B::Ninguno}, {30, 1, B::Retroceder},
        {82, 5, B::Avanzar},  {88, 5, B::Final},      {112, 5, B::Ninguno}, {0, 5, B::Ninguno},
        {5, 0, B::Ninguno},   {5, 25, B::Ninguno},
    };
    for (const auto& [x, y, boton] : puntos)
        EXPECT_EQ(BotonNavegacionEn(x, y), boton) << x << "," << y;
    // Primera columna del bloque, registros, botones activos y a dónde lleva cada uno.
    const std::tuple<int64_t, int64_t, std::array<bool, 4>, std::array<int64_t, 4>> casos[] = {
        {1, 24, {}, {1, 1, 25, 1}},
        {1, 25, {false, false, true, true}, {1, 1, 25, 25}},
        {1, 49, {false, false, true, true}, {1, 1, 25, 49}},
        {25, 49, {true, true, true, true}, {1, 1, 49, 49}},
        {49, 49, {true, true, false, false}, {1, 25, 73, 49}},
        {1, 0, {}, {1, 1, 25, 1}},
    };
    for (const auto& [primera, registros, activos, destinos] : casos)
        for (std::size_t i = 0; i < Botones.size(); ++i) {
            EXPECT_EQ(NavegacionActiva(Botones[i], primera, registros), activos[i])
                << primera << " de " << registros << ", botón " << i;
            EXPECT_EQ(DestinoNavegacion(Botones[i], primera, registros), destinos[i])
                << primera << " de " << registros << ", botón " << i;
        }
    // El singular va por columnas (hasta 8 es un boleto), que prueban los casos límite.
    EXPECT_EQ(TextoTotalBoletos(1234, 9870, QLocale(QLocale::Spanish, QLocale::Spain)),
              u"1.234 Boletos"_s);
}

class ConsultaGuardada : public testing::Test, protected Banco {
protected:
    void SetUp() override {
        estado.Datos.JornadaActual = 7;
        estado.Datos.OrdenActual = 3;
    }
};

TEST_F(ConsultaGuardada, CasosLimiteDeLosBloques) {
    const QStringList veinte = ColumnasPrueba(20, u'1'), cuarentaNueve = ColumnasPrueba(49, u'X');
    const QStringList dobles = ColumnasPrueba(2, u'1') + ColumnasPrueba(2, u'X', 2);
    const std::array<QString, 3> tres{u"Boleto 1"_s, u"Boleto 2"_s, u"Boleto 3"_s};
    // Las 4 columnas con doble en el 15 son dos boletos de dos columnas.
    const QStringList conHueco =
        dobles.mid(0, 2) + QStringList(6, QString(NumPartidos, u' ')) + dobles.mid(2);
    const QStringList nueveYNueve = ColumnasPrueba(9, u'1') + ColumnasPrueba(9, u'X', 20);
    const QStringList nueveConHueco =
        nueveYNueve.mid(0, 9) + QStringList(7, QString(NumPartidos, u' ')) + nueveYNueve.mid(9);
    // Columnas, signos del 15, fichero de trabajo, total, títulos y botones activos.
    const std::tuple<QStringList, int, QStringList, QString, std::array<QString, 3>,
                     std::array<bool, 4>>
        casos[] = {
            {veinte, 1, veinte, u"3 Boletos"_s, tres, {}},
            {dobles, 2, conHueco, u"2 Boleto"_s, {tres[0], tres[1], QString()}, {}},
            {cuarentaNueve, 1, cuarentaNueve, u"7 Boletos"_s, tres, {false, false, true, true}},
            // 9 + 9 con doble en el 15: los boletos 2 y 4 tienen una sola columna, y el 2 lleva
            // su título como los llenos.
            {nueveYNueve, 2, nueveConHueco, u"4 Boletos"_s, tres, {false, false, true, true}},
        };
    for (const auto& [columnas, signos15, registros, texto, titulos, activos] : casos) {
        SCOPED_TRACE(columnas.size());
        carpeta.Escribe(u"BASES.ZPK"_s, QByteArray());
        GuardaReduccionPrueba(carpeta, 7, 3, columnas, signos15);
        Consulta consulta(estado);
        ASSERT_TRUE(consulta.CargaConsulta());
        EXPECT_EQ(carpeta.Lee(u"FORBOLW.ZPK"_s), FicheroColumnas(registros));
        EXPECT_EQ(consulta.RegistrosBoletos(), registros.size());
        EXPECT_EQ(consulta.TextoBoletos(QLocale::c()), texto);
        EXPECT_EQ(consulta.BloqueActual().Filas, FilasEsperadas(registros));
        EXPECT_EQ(consulta.BloqueActual().Titulos, titulos);
        EXPECT_EQ(consulta.BloqueActual().Grupo(15, 1), FilasEsperadas(registros)[14].mid(8, 8));
        for (std::size_t i = 0; i < Botones.size(); ++i)
            EXPECT_EQ(consulta.Activo(Botones[i]), activos[i]) << i;
    }
    EXPECT_TRUE(plataforma.Avisos.isEmpty());
}

TEST_F(ConsultaGuardada, SinFicheroDeColumnasOEstropeadoNoSeEnseñanColumnas) {
    GuardaReduccionPrueba(carpeta, 7, 3, ColumnasPrueba(30, u'1'));
    for (const QByteArray& columnas : {QByteArray(), "\"111111111111111\"\r\nnada\r\n"_ba}) {
        if (columnas.isEmpty())
            ASSERT_TRUE(QFile::remove(carpeta.Ruta(u"RED0703.ZPK"_s)));
        else
            carpeta.Escribe(u"RED0703.ZPK"_s, columnas);
        Consulta consulta(estado);
        EXPECT_FALSE(consulta.CargaConsulta());
        EXPECT_EQ(estado.Red.ApuestasReducidas, 30);
        EXPECT_FALSE(consulta.HayColumnas());
        EXPECT_EQ(consulta.BloqueActual().Filas, FilasEsperadas({}));
        EXPECT_EQ(consulta.BloqueActual().Titulos, (std::array<QString, 3>{}));
    }
    ASSERT_EQ(plataforma.Avisos.size(), 1);
    EXPECT_TRUE(plataforma.Avisos[0].contains(u"RED0703.ZPK"_s));
    EXPECT_TRUE(plataforma.Avisos[0].contains(u"línea 2"_s));
}

TEST_F(ConsultaGuardada, CadaCargaRehaceElFicheroDeTrabajoYLasEleccionesRepetidasNoCargan) {
    const QStringList a = ColumnasPrueba(30, u'1');
    const QStringList b = ColumnasPrueba(5, u'2', 100);
    GuardaReduccionPrueba(carpeta, 7, 1, a);
    GuardaReduccionPrueba(carpeta, 7, 3, b);
    Consulta consulta(estado);
    ASSERT_TRUE(consulta.CargaConsulta());
    EXPECT_EQ(carpeta.Lee(u"FORBOLW.ZPK"_s), FicheroColumnas(b));

    EXPECT_FALSE(consulta.EligeOrden(3)); // la misma elección no carga
    ASSERT_TRUE(consulta.EligeOrden(1));
    EXPECT_EQ(carpeta.Lee(u"FORBOLW.ZPK"_s), FicheroColumnas(a));

    // Con ModoEdicion (apertura, índice) la misma jornada carga y el orden se respeta.
    estado.ModoEdicion = true;
    estado.Datos.OrdenActual = 3;
    EXPECT_TRUE(consulta.EligeJornada(7));
    EXPECT_EQ(estado.Datos.OrdenActual, 3);
    EXPECT_EQ(carpeta.Lee(u"FORBOLW.ZPK"_s), FicheroColumnas(b));
}

constexpr int Ancho = 640;
constexpr int Alto = 380;

// Y en el centro de la línea k de la hoja.
int YLinea(int k) {
    return YPrimeraLinea + AltoLineaHistorial * k + 8;
}

} // namespace

TEST(Historial, ListaEnElOrdenDelIndiceYBordes) {
    Banco banco(false);
    auto& [carpeta, estado, plataforma] = banco;
    // La jornada 5 nunca se dio de alta: su hueco queda en blanco en el fichero.
    ASSERT_EQ(EscribeRegistroJornada(estado, 3, RegistroDeJornada(3, u"18/09/05"_s)).Numero, 0);
    ASSERT_EQ(EscribeRegistroJornada(estado, 6, RegistroDeJornada(6, u"02/10/05"_s)).Numero, 0);
    QString metodoRaro = RegistroDe(4, 4, 1, 2, 2, u"X"_s);
    metodoRaro[4] = u'7';
    EscribeBases(carpeta, {RegistroDe(6, 2, 3, 729, 81, u"Seis dos"_s), RegistroLibreBases(),
                           RegistroDe(3, 1, 1, 27, 9, u"Tres"_s), metodoRaro,
                           RegistroDe(5, 1, 2, 3, 3, u"Cinco"_s)});

    Historial historial(estado);
    historial.Abre();
    const QStringList& lineas = historial.Lis_Datos();
    ASSERT_EQ(lineas.size(), 3);
    EXPECT_TRUE(lineas[2].startsWith(u"  5            1  Columna Probable"_s));
    EXPECT_EQ(JornadaDeLinea(lineas[1]), 3);
    EXPECT_EQ(OrdenDeLinea(lineas[0]), 2);
    historial.Abre();
    // El método 7 no se lista, pero no desaparece callado: cada apertura lo avisa.
    EXPECT_EQ(plataforma.Avisos,
              QStringList(2, u"El índice BASES.ZPK tiene líneas que no se pueden leer; no se "
                             u"muestran:\r\nlínea 4: el método no es 1, 2 ni 3"_s));

    // Sin la selección en la lista, la primera hoja; bandas de las líneas y bordes de las
    // esquinas. La hoja de la selección la prueba la pantalla. 45 reducciones, órdenes 1..30.
    QStringList reducciones;
    for (int i = 0; i < 45; ++i)
        reducciones << RegistroDe(1 + i / 30, 1 + i % 30, 1, 4, 2, u"R%1"_s.arg(i));
    EscribeBases(carpeta, reducciones);
    estado.Datos.JornadaActual = 9;
    historial.Abre();
    EXPECT_EQ(historial.LineaActual(), -1);
    EXPECT_EQ(historial.PrimeraLinea(), 0);

    // La línea k ocupa de 34 + 16k + 3 a 34 + 16k + 14; ninguna pasa de 350.
    constexpr int N = NingunaLinea;
    const int ys[] = {36, 37, 48, 49, 52, 53, 350, 351};
    const int enLinea[] = {N, 0, 0, N, N, 1, 19, N};
    for (size_t i = 0; i < std::size(ys); ++i)
        EXPECT_EQ(historial.HallaCualLinea(ys[i]), enLinea[i]) << ys[i];
    EXPECT_EQ(historial.LineaBajoPuntero(), NingunaLinea);
    // Esquinas de 25 x 16 que solo pasan si hay hoja a la que ir; líneas en 15 < x < ancho - 6.
    // (x, y), lo que hace la pulsación y la primera línea que queda.
    using P = Historial::Pulsacion;
    const std::tuple<int, int, P, int> casos[] = {
        {5, Alto - 5, P::Nada, 0},           {Ancho - 26, Alto - 16, P::Nada, 0},
        {Ancho - 25, Alto - 17, P::Nada, 0}, {Ancho - 25, Alto - 16, P::Avanza, 20},
        {Ancho, Alto, P::Avanza, 40},        {Ancho, Alto, P::Nada, 40},
        {26, Alto - 16, P::Nada, 40},        {25, Alto - 16, P::Retrocede, 20},
        {15, YLinea(3), P::Nada, 20},        {Ancho - 6, YLinea(3), P::Nada, 20},
        {16, YLinea(3), P::Elige, 20}};
    for (const auto& [x, y, pulsacion, primera] : casos) {
        EXPECT_EQ(historial.Pulsa(x, y, Ancho, Alto), pulsacion) << x << "," << y;
        EXPECT_EQ(historial.PrimeraLinea(), primera) << x << "," << y;
    }
    EXPECT_EQ(plataforma.Esperas, (std::vector<int>{50, 50, 50}));
    EXPECT_EQ(estado.Datos.OrdenActual, 24) << "línea 23: jornada 1, orden 24";
    // En la última hoja solo hay cinco líneas.
    ASSERT_TRUE(historial.AvanzaPagina());
    EXPECT_EQ(historial.HallaCualLinea(YLinea(4)), 4);
    EXPECT_EQ(historial.HallaCualLinea(YLinea(5)), NingunaLinea);
}
