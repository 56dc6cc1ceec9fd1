// Lo que la pantalla no deja ver: las pruebas de pulsación frente a las celdas que se dibujan,
// la apertura de registros guardados y el fallo al grabar la descripción.
#include "reduction/clics_reduccion.h"
#include "reduction/fichero_bases.h"
#include "support/banco.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace quiniela;
using namespace quiniela::prueba;

namespace {

struct BancoClics : Banco {
    ClicsReduccion clics{estado};

    // Abre la jornada 1, orden 1 con este registro guardado.
    explicit BancoClics(const Reduccion& guardada) {
        carpeta.Escribe(u"BASES.ZPK"_s,
                        ConstruyeRegistroReduccion(1, 1, guardada).toLatin1() + "\r\n");
        carpeta.Escribe(u"JORNADAS.ZPK"_s, QByteArray());
        estado.Datos.JornadaActual = 1;
        estado.Datos.OrdenActual = 1;
        estado.Datos.Metodo = MetodoDirecto;
        clics.Abre();
    }
    PartidoBase& P(int m) { return estado.Red.Base[m]; }
};

} // namespace

TEST(ClicsReduccion, PruebasDePulsacionSegunSuTabla) {
    // x, y, partido o total, signo (0: fuera).
    const std::vector<std::array<int, 4>> signos{{1, 1, 0, 1},     {17, 17, 0, 1}, {18, 18, 1, 2},
                                                 {53, 269, 14, 3}, {0, 10, 0, 0},  {10, 0, 0, 0},
                                                 {54, 10, 0, 0},   {10, 270, 0, 0}};
    for (auto [x, y, fila, columna] : signos)
        EXPECT_EQ(QueSignoUEDHaPulsado(x, y), (CeldaRejilla{columna ? fila : 0, columna}))
            << x << "," << y;

    // Cada punto de las cajas cae en la celda que se dibuja, y solo en ella.
    for (int y = -2; y < AltoCajaBase + 2; ++y)
        for (int x = -2; x < AnchoCajaBase + 2; ++x) {
            const CeldaRejilla c = QueBaseHaPulsado(x, y);
            EXPECT_EQ(QueProbableHaPulsado(x, y), c) << x << "," << y;
            int dentro = 0;
            for (int m = 1; m <= NumPartidos; ++m)
                for (int k = 1; k <= 3; ++k)
                    if (CeldaBase(m, k).contains(x, y)) {
                        ++dentro;
                        EXPECT_EQ(c, (CeldaRejilla{m, k})) << x << "," << y;
                    }
            EXPECT_EQ(dentro, c ? 1 : 0) << x << "," << y;
        }
    for (int y = -2; y < AltoCajaSignos + 2; ++y)
        for (int x = -2; x < AnchoCajaSignos + 2; ++x) {
            const CeldaRejilla c = QueSignoUEDHaPulsado(x, y);
            EXPECT_TRUE(!c || CeldaSignos(c.Columna, c.Fila).contains(x, y)) << x << "," << y;
        }

    // Elegidos: solo múltiples de los partidos 1..14, X de 3 a 16.
    const QuinielaBase b = BaseDeFichas(u"1X 1 1 1 1 1 1 1 1 1 1 1 1 12 1X2"_s, MetodoDirecto).Base;
    const std::vector<std::array<int, 3>> elegidos{{3, 4, 1},  {16, 18, 1},  {17, 4, 0}, {2, 4, 0},
                                                   {8, 22, 0}, {8, 245, 14}, {8, 263, 0}};
    for (auto [x, y, partido] : elegidos)
        EXPECT_EQ(QueElegidaHaPulsado(b, x, y), partido) << x << "," << y;
}

TEST(ClicsReduccion, AbreLaGuardadaConElMetodoRecordado) {
    Reduccion guardada =
        BaseDeFichas(u"1X*=X 12*=2 1 1 1 1 1 1 1 1 1 1 1 1 1"_s, MetodoColumnaProbable);
    guardada.MaxErrores = 1;
    BancoClics b(guardada);
    EXPECT_EQ(b.estado.Red.Metodo, MetodoColumnaProbable);
    EXPECT_EQ(b.estado.Datos.Metodo, MetodoColumnaProbable);
    EXPECT_EQ(b.estado.FicheroApuestas, u"RED0101.ZPK"_s);
    EXPECT_EQ(b.clics.Estadisticas().Aceptadas, 3);

    // Elegido otro método en la lista: la base guardada con el método nuevo.
    b.estado.MetodoRecordado = MetodoSeleccionSignos;
    b.clics.Abre();
    EXPECT_EQ(b.estado.Red.Metodo, MetodoSeleccionSignos);
    EXPECT_EQ(b.estado.Red.Base, guardada.Base);
}

TEST(ClicsReduccion, AbrirCuadraUnRegistroIncoherente) {
    Reduccion mala;
    mala.Base[1].Signo = {0, 1, 0, 0};
    mala.Base[1].NumSignos = 3; // cuenta mal hecha
    mala.Base[1].AReducir = 1;  // un sencillo elegido
    mala.Base[15].Signo = {0, 1, 1, 0};
    mala.Base[15].NumSignos = 2;
    mala.Base[15].AReducir = 1;     // el 15 nunca se reduce
    mala.Base[2].SignoProbable = 3; // probable de un signo sin marcar
    BancoClics b(mala);
    EXPECT_EQ(b.P(1).NumSignos, 1);
    EXPECT_FALSE(b.clics.PulsaElegida(1)) << "un sencillo no se elige";
    EXPECT_FALSE(b.clics.PulsaElegida(15));
    EXPECT_EQ(b.P(15).AReducir + b.P(1).AReducir, 0);
    EXPECT_EQ(b.P(2).SignoProbable, 0);
    EXPECT_EQ(b.clics.Estadisticas().Total, 2);
}

TEST(ClicsReduccion, SalirAvisaSiNoPuedeGrabarLaDescripcion) {
    Reduccion guardada;
    guardada.Descripcion = u"Antes"_s;
    BancoClics b(guardada);
    const QByteArray bytes = b.carpeta.Lee(u"BASES.ZPK"_s);
    b.clics.CambiaDescripcion(u"Después"_s);
    b.estado.ReabrirReduccion = true;
    std::optional<MensajeReduccion> mensaje;
    ConLimiteDeFichero(100, [&] { mensaje = b.clics.Sal(); });
    ASSERT_TRUE(mensaje);
    EXPECT_EQ(mensaje->Titulo, u"ERROR AL GRABAR LA DESCRIPCIÓN"_s);
    EXPECT_TRUE(mensaje->Texto.startsWith(
        u"No se ha podido grabar la descripción en el índice BASES.ZPK: ha fallado el disco "
        u"(error 57). La reducción sigue guardada con la descripción anterior."_s));
    EXPECT_EQ(b.carpeta.Lee(u"BASES.ZPK"_s), bytes);
    EXPECT_FALSE(b.estado.ReabrirReduccion);
}
