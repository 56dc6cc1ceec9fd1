// El motor y, de la pantalla, lo que no se deja ver: las pruebas de pulsación frente a las
// celdas que se dibujan, la apertura de registros guardados y el fallo al grabar la descripción.
#include "core/escritura.h"
#include "reduction/cambios_pendientes.h"
#include "reduction/clics_reduccion.h"
#include "reduction/fichero_bases.h"
#include "reduction/motor_reduccion.h"
#include "support/banco.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace quiniela;
using namespace quiniela::prueba;

namespace {

const QString Probable = u"1X2*=1 12*=2 X2*=X 1X 1 1 1 1 1 1 1 1 1 1 X2"_s;

struct BancoClics : Banco {
    ClicsReduccion clics{estado};

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

TEST(MotorReduccion, PorcentajeSinDesbordarConLaBaseMayor) {
    EXPECT_EQ(PorcentajeReduccion(1, 48), 2);
    EXPECT_EQ(PorcentajeReduccion(143489, 14348907), 0);
    EXPECT_EQ(PorcentajeReduccion(143490, 14348907), 1);
    EXPECT_EQ(PorcentajeReduccion(14348907, 14348907), 100);
}

TEST(MotorReduccion, CancelarLiberaElRegistroYBorraElFichero) {
    Banco b;
    b.Prepara(6, 1, Probable, MetodoDirecto);
    b.estado.Datos.Metodo = MetodoSeleccionSignos;
    ASSERT_EQ(EjecutaReduccion(b.estado).Fin, FinReduccion::Terminada);
    EXPECT_EQ(b.estado.Datos.Metodo, MetodoDirecto) << "el método de la última reducción";
    // Se sustituye y se cancela a mitad: la reducción anterior también se pierde.
    b.Prepara(6, 1, Probable, MetodoColumnaProbable);
    b.estado.Red.MaxErrores = 3;
    OpcionesReduccion o;
    o.ReemplazaSinPreguntar = true;
    o.BytesBloque = 19 * 4;
    o.Aviso = [](int32_t paso, int32_t) { return paso == 30; };
    const auto r = EjecutaReduccion(b.estado, o);
    EXPECT_EQ(r.Fin, FinReduccion::Cancelada);
    EXPECT_EQ(r.PasosHechos, 30);
    EXPECT_FALSE(b.carpeta.Existe(u"RED0601.ZPK"_s));
    EXPECT_EQ(b.Registros(), QStringList{RegistroLibre});

    // La siguiente reducción nueva ocupa el registro liberado.
    b.Prepara(2, 5, Probable, MetodoDirecto);
    ASSERT_EQ(EjecutaReduccion(b.estado).Fin, FinReduccion::Terminada);
    ASSERT_EQ(b.Registros().size(), 1);
    EXPECT_TRUE(b.Registros().at(0).startsWith(u"02051"_s));
}

TEST(MotorReduccion, FallosDeEscrituraDejanLoGuardadoComoEstaba) {
    // Disco lleno a mitad, fichero borrado durante la reducción y carpeta desaparecida.
    Banco b;
    b.Prepara(9, 9, u"1X2*=1 1X2*=1 1X2*=1 1X2*=1 1X2*=1 1X2*=1 1X2 1X2 1 1 1 1 1 1 1"_s,
              MetodoColumnaProbable);
    b.estado.Red.MaxErrores = 6;
    OpcionesReduccion o;
    ResultadoReduccion r;
    o.BytesBloque = 19 * 256;
    ConLimiteDeFichero(19 * 1000, [&] { r = EjecutaReduccion(b.estado, o); });
    const auto Fallida = [&r](const QString& texto) {
        EXPECT_EQ(r.Fin, FinReduccion::Fallida);
        ASSERT_TRUE(r.Mensaje);
        EXPECT_EQ(r.Mensaje->Titulo, u"ERROR AL GRABAR LA REDUCCIÓN"_s);
        EXPECT_TRUE(r.Mensaje->Texto.contains(texto)) << r.Mensaje->Texto.toStdString();
    };
    Fallida(u"No se ha podido grabar el fichero de apuestas reducidas RED0909.ZPK: "_s);
    // La escritura que queda corta (la que cruza el límite) para la reducción en el bloque
    // siguiente; sin verla, se seguiría hasta que la próxima falle del todo.
    EXPECT_GT(r.ColumnasEscritas, 0) << "falla a mitad, no al abrir";
    EXPECT_LE(r.ColumnasEscritas, (1000 / 256 + 2) * 256);
    EXPECT_FALSE(b.carpeta.Existe(u"RED0909.ZPK"_s));
    EXPECT_TRUE(b.Registros().isEmpty()) << "el índice no llegó a escribirse";
    EXPECT_TRUE(QDir(b.carpeta.Ruta()).entryList({u"*.tmp"_s, u"*.nuevo"_s}).isEmpty());

    b.Prepara(8, 2, Probable, MetodoSeleccionSignos);
    for (int k = 1; k <= 3; ++k)
        for (int t = 0; t <= 3; ++t)
            b.estado.Red.Totales(k, t) = 1;
    o = {};
    o.Aviso = [&](int32_t paso, int32_t) {
        if (paso == 10)
            QFile::remove(
                RutaTemporalEscritura(RutaColumnasNuevas(b.carpeta.Ruta(u"RED0802.ZPK"_s))));
        return false;
    };
    r = EjecutaReduccion(b.estado, o);
    Fallida(u"el fichero ha desaparecido durante la reducción"_s);
    EXPECT_FALSE(b.carpeta.Existe(u"RED0802.ZPK"_s));
    EXPECT_TRUE(b.Registros().isEmpty());

    b.Prepara(1, 2, Probable, MetodoDirecto);
    const QByteArray indice = b.carpeta.Lee(u"BASES.ZPK"_s);
    b.estado.CarpetaDatos = b.carpeta.Ruta(u"no-existe/"_s);
    r = EjecutaReduccion(b.estado);
    Fallida(u"no existe la carpeta de datos"_s);
    EXPECT_FALSE(QDir(b.estado.CarpetaDatos).exists());
    EXPECT_EQ(b.carpeta.Lee(u"BASES.ZPK"_s), indice);
}

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
        u"No se ha podido grabar la descripción en el índice BASES.ZPK: el disco está lleno "
        u"(error 61). La reducción sigue guardada con la descripción anterior."_s));
    EXPECT_EQ(b.carpeta.Lee(u"BASES.ZPK"_s), bytes);
    EXPECT_FALSE(b.estado.ReabrirReduccion);
}
