#include "consult/historial.h"
#include "core/estado_global.h"
#include "matchdays/fichero_jornadas.h"
#include "reduction/fichero_bases.h"
#include "support/banco.h"
#include "support/registros_historial.h"

#include <gtest/gtest.h>

using namespace quiniela;
using namespace quiniela::prueba;
using namespace Qt::StringLiterals;

namespace {

constexpr int Ancho = 640;
constexpr int Alto = 380;

// n reducciones de la jornada 1 en adelante, con órdenes 1..30.
QStringList Reducciones(int n) {
    QStringList registros;
    for (int i = 0; i < n; ++i)
        registros << RegistroDe(1 + i / 30, 1 + i % 30, 1, 4, 2, u"R%1"_s.arg(i));
    return registros;
}

// Y en el centro de la línea k de la hoja.
int YLinea(int k) {
    return YPrimeraLinea + AltoLineaHistorial * k + 8;
}

} // namespace

// La línea de la jornada 7, orden 3 sale entera en la prueba de la orden historial.
TEST(LineaHistorial, PosicionesExactas) {
    // Registro de otra jornada: fecha en blanco. La descripción se guarda a la derecha en 35
    // pero se ve sin blancos, a la izquierda y cortada a 21.
    const QString linea = LineaHistorial(
        RegistroDe(12, 30, 3, 14348907, 9999999, u"Una descripción bien larga de 35 c"_s),
        RegistroDeJornada(11, u"01/01/06"_s));
    EXPECT_EQ(linea, u" 12           30  Selección de Signos  Una descripción bien    14348907     "
                     u"9999999"_s);
    EXPECT_EQ(JornadaDeLinea(linea), 12);
    EXPECT_EQ(OrdenDeLinea(linea), 30);
    EXPECT_EQ(LineaHistorial(RegistroDe(1, 1, 1, 9, 3, u"Corta"_s), RegistroJornadaVacio()),
              u"  1            1  Directo              Corta                          9           "
              u"3"_s);
}

TEST(Historial, ListaEnElOrdenDelIndiceSinLibresNiMetodosRaros) {
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
    EXPECT_TRUE(lineas[0].startsWith(u"  6 02/10/05   2  Selección de Signos"_s));
    EXPECT_TRUE(lineas[1].startsWith(u"  3 18/09/05   1  Directo"_s));
    EXPECT_TRUE(lineas[2].startsWith(u"  5            1  Columna Probable"_s));

    // Una reducción nueva ocupa el registro libre y sale en su sitio, no al final.
    ASSERT_TRUE(GuardaRegistroBases(estado, 1, 9, RegistroDe(1, 9, 1, 3, 3, u"Nueva"_s)).Bien());
    historial.Abre();
    ASSERT_EQ(historial.Lis_Datos().size(), 4);
    EXPECT_EQ(OrdenDeLinea(historial.Lis_Datos()[1]), 9);
    // El método 7 no se lista, pero no desaparece callado: cada apertura lo avisa.
    EXPECT_EQ(plataforma.avisos,
              QStringList(2, u"El índice BASES.ZPK tiene líneas que no se pueden leer; no se "
                             u"muestran:\r\nlínea 4: el método no es 1, 2 ni 3"_s));
}

TEST(Historial, PrimeraHojaLaDeLaSeleccionYBandasDeLasLineas) {
    Banco banco(false);
    auto& [carpeta, estado, plataforma] = banco;
    EscribeBases(carpeta, Reducciones(45));
    Historial historial(estado);
    for (const auto& [linea, primera] : {std::pair{19, 0}, {20, 20}, {44, 40}}) {
        estado.Datos.JornadaActual = static_cast<int16_t>(1 + linea / 30);
        estado.Datos.OrdenActual = static_cast<int16_t>(1 + linea % 30);
        historial.Abre();
        EXPECT_EQ(historial.LineaActual(), linea);
        EXPECT_EQ(historial.PrimeraLinea(), primera) << linea;
    }
    estado.Datos.JornadaActual = 9;
    historial.Abre();
    EXPECT_EQ(historial.LineaActual(), -1);
    EXPECT_EQ(historial.PrimeraLinea(), 0);

    // La línea k ocupa de 34 + 16k + 3 a 34 + 16k + 14; ninguna pasa de 350.
    constexpr int N = NingunaLinea;
    const int ys[] = {36, 37, 48, 49, 52, 53, 350, 351};
    const int lineas[] = {N, 0, 0, N, N, 1, 19, N};
    for (size_t i = 0; i < std::size(ys); ++i)
        EXPECT_EQ(historial.HallaCualLinea(ys[i]), lineas[i]) << ys[i];
    EXPECT_EQ(historial.LineaBajoPuntero(), NingunaLinea);
    // En la última hoja solo hay cinco líneas.
    ASSERT_TRUE(historial.AvanzaPagina());
    ASSERT_TRUE(historial.AvanzaPagina());
    EXPECT_EQ(historial.HallaCualLinea(YLinea(4)), 4);
    EXPECT_EQ(historial.HallaCualLinea(YLinea(5)), NingunaLinea);
}

// Lo que ve el usuario al pasar de hoja y elegir se prueba en la pantalla; aquí, los bordes.
TEST(Historial, BordesDeLasEsquinasYDeLaFranjaDeLineas) {
    Banco banco(false);
    auto& [carpeta, estado, plataforma] = banco;
    EscribeBases(carpeta, Reducciones(41));
    Historial historial(estado);
    historial.Abre();
    // Esquinas de 25 x 16 que solo pasan si hay hoja a la que ir; líneas en 15 < x < ancho - 6.
    using P = Historial::Pulsacion;
    struct Caso {
        int x, y;
        P resultado;
        int primera;
    };
    const Caso casos[] = {
        {5, Alto - 5, P::Nada, 0},           {Ancho - 26, Alto - 16, P::Nada, 0},
        {Ancho - 25, Alto - 17, P::Nada, 0}, {Ancho - 25, Alto - 16, P::Avanza, 20},
        {Ancho, Alto, P::Avanza, 40},        {Ancho, Alto, P::Nada, 40},
        {26, Alto - 16, P::Nada, 40},        {25, Alto - 16, P::Retrocede, 20},
        {15, YLinea(3), P::Nada, 20},        {Ancho - 6, YLinea(3), P::Nada, 20},
        {16, YLinea(3), P::Elige, 20}};
    for (const Caso& c : casos) {
        EXPECT_EQ(historial.Pulsa(c.x, c.y, Ancho, Alto), c.resultado) << c.x << "," << c.y;
        EXPECT_EQ(historial.PrimeraLinea(), c.primera) << c.x << "," << c.y;
    }
    EXPECT_EQ(plataforma.esperas, (std::vector<int>{50, 50, 50}));
    EXPECT_EQ(estado.Datos.OrdenActual, 24) << "línea 23: jornada 1, orden 24";
}
