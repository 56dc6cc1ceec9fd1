#include "core/estado_global.h"
#include "reduction/bases_prueba.h"
#include "reduction/clics_reduccion.h"
#include "reduction/fichero_bases.h"
#include "support/carpeta_temporal.h"
#include "support/plataforma_falsa.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

using namespace quiniela;
using namespace quiniela::prueba;

namespace {

struct Banco {
    CarpetaTemporal carpeta;
    EstadoGlobal estado = carpeta.Estado();
    PlataformaFalsa plataforma{&estado};
    ClicsReduccion clics{estado};

    Banco() {
        carpeta.Escribe(QStringLiteral("BASES.ZPK"), QByteArray());
        carpeta.Escribe(QStringLiteral("JORNADAS.ZPK"), QByteArray());
    }
    // Base en edición a partir de fichas ("1X*=1", "12", ...).
    void Base(const QString& fichas, int metodo) {
        estado.Red = BaseDeFichas(fichas.split(u' ', Qt::SkipEmptyParts), metodo);
        estado.Datos.Metodo = static_cast<int16_t>(metodo);
        clics.Recalcula();
    }
    PartidoBase& P(int m) { return estado.Red.Base[m]; }
};

// n partidos sencillos "1", cada uno con un blanco delante.
QString Sencillos(int n) {
    return QStringLiteral(" 1").repeated(n);
}

} // namespace

TEST(ClicsReduccion, PruebasDePulsacionSegunSuTabla) {
    // Bordes de la tabla de la base.
    EXPECT_EQ(QueBaseHaPulsado(3, 4), (CeldaRejilla{1, 1}));
    EXPECT_EQ(QueBaseHaPulsado(15, 18), (CeldaRejilla{1, 1}));
    EXPECT_FALSE(QueBaseHaPulsado(2, 4));
    EXPECT_FALSE(QueBaseHaPulsado(16, 4)); // hueco entre columnas
    EXPECT_FALSE(QueBaseHaPulsado(3, 3));  // (3 + 14) div 18 = 0
    EXPECT_FALSE(QueBaseHaPulsado(3, 19)); // hueco entre filas
    EXPECT_EQ(QueBaseHaPulsado(18, 22), (CeldaRejilla{2, 2}));
    EXPECT_EQ(QueBaseHaPulsado(45, 270), (CeldaRejilla{15, 3}));
    EXPECT_FALSE(QueBaseHaPulsado(46, 270));
    EXPECT_FALSE(QueBaseHaPulsado(45, 274));
    EXPECT_EQ(QueProbableHaPulsado(33, 256), (CeldaRejilla{15, 3}));

    // Cada punto de la caja cae en la celda que se dibuja, y solo en ella.
    for (int y = -2; y < AltoCajaBase + 2; ++y)
        for (int x = -2; x < AnchoCajaBase + 2; ++x) {
            const CeldaRejilla c = QueBaseHaPulsado(x, y);
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
            if (c) {
                EXPECT_TRUE(CeldaSignos(c.columna, c.fila).contains(x, y)) << x << "," << y;
            }
        }

    // Totales: filas de 18 desde Y = 1, el total 0 es una fila válida.
    EXPECT_EQ(QueSignoUEDHaPulsado(1, 1), (CeldaRejilla{0, 1}));
    EXPECT_EQ(QueSignoUEDHaPulsado(17, 17), (CeldaRejilla{0, 1}));
    EXPECT_EQ(QueSignoUEDHaPulsado(18, 18), (CeldaRejilla{1, 2}));
    EXPECT_EQ(QueSignoUEDHaPulsado(53, 269), (CeldaRejilla{14, 3}));
    EXPECT_FALSE(QueSignoUEDHaPulsado(0, 10));
    EXPECT_FALSE(QueSignoUEDHaPulsado(10, 0));
    EXPECT_FALSE(QueSignoUEDHaPulsado(54, 10));
    EXPECT_FALSE(QueSignoUEDHaPulsado(10, 270));

    // Elegidos: solo múltiples de los partidos 1..14, X de 3 a 16.
    QuinielaBase base =
        BaseDeFichas((QStringLiteral("1X 1") + Sencillos(11) + QStringLiteral(" 12 1X2"))
                         .split(u' ', Qt::SkipEmptyParts),
                     1)
            .Base;
    ASSERT_EQ(base[14].NumSignos, 2);
    EXPECT_EQ(QueElegidaHaPulsado(base, 3, 4), 1);
    EXPECT_EQ(QueElegidaHaPulsado(base, 16, 18), 1);
    EXPECT_EQ(QueElegidaHaPulsado(base, 17, 4), 0);
    EXPECT_EQ(QueElegidaHaPulsado(base, 2, 4), 0);
    EXPECT_EQ(QueElegidaHaPulsado(base, 8, 22), 0) << "un sencillo no tiene casilla";
    EXPECT_EQ(QueElegidaHaPulsado(base, 8, 18 * 14 - 7), 14);
    EXPECT_EQ(QueElegidaHaPulsado(base, 8, 18 * 15 - 7), 0) << "el 15 no tiene casilla";
}

TEST(ClicsReduccion, DesmarcarElPenultimoSignoDeUnDobleElegido) {
    Banco b;
    b.Base(QStringLiteral("1X*=X 1X*=1") + Sencillos(13), MetodoColumnaProbable);
    EXPECT_EQ(b.clics.Estadisticas().MultiplesAReducir, 2);

    // Se quita la "X", que era la probable: deja de elegirse y pierde la probable.
    ASSERT_TRUE(b.clics.PulsaBase(1, 2));
    EXPECT_EQ(b.P(1).Signo, (std::array<int16_t, 4>{0, 1, 0, 0}));
    EXPECT_EQ(b.P(1).NumSignos, 1);
    EXPECT_EQ(b.P(1).AReducir, 0);
    EXPECT_EQ(b.P(1).SignoProbable, 0);
    // Se quita la "X" del otro, cuya probable es el "1" que queda: la conserva.
    ASSERT_TRUE(b.clics.PulsaBase(2, 2));
    EXPECT_EQ(b.P(2).AReducir, 0);
    EXPECT_EQ(b.P(2).SignoProbable, 1);
    const EstadisticasReduccion& est = b.clics.Estadisticas();
    EXPECT_EQ(est.MultiplesAReducir, 0);
    EXPECT_EQ(est.Total, 1);

    // Quitar el último signo deja el partido vacío: la base ya no desarrolla columnas.
    ASSERT_TRUE(b.clics.PulsaBase(1, 1));
    EXPECT_EQ(b.P(1).NumSignos, 0);
    EXPECT_EQ(b.clics.Estadisticas().Total, 0);
    // Y volver a marcar cuenta de nuevo.
    ASSERT_TRUE(b.clics.PulsaBase(1, 3));
    EXPECT_EQ(b.P(1).Signo, (std::array<int16_t, 4>{0, 0, 0, 1}));
    EXPECT_EQ(b.clics.Estadisticas().Total, 1);
    EXPECT_FALSE(b.clics.PulsaBase(16, 1));
    EXPECT_FALSE(b.clics.PulsaBase(1, 0));
}

TEST(ClicsReduccion, ElegidosYColumnaProbable) {
    Banco b;
    b.Base(QStringLiteral("1X2 1X 1") + Sencillos(11) + QStringLiteral(" 12"),
           MetodoColumnaProbable);

    // Un sencillo y el partido 15 no se eligen.
    EXPECT_FALSE(b.clics.PulsaElegida(3));
    EXPECT_FALSE(b.clics.PulsaElegida(15));
    EXPECT_EQ(b.P(15).AReducir, 0);
    // La probable solo en un partido elegido y con un signo marcado.
    EXPECT_FALSE(b.clics.PulsaProbable(1, 1)) << "partido no elegido";
    ASSERT_TRUE(b.clics.PulsaElegida(1));
    ASSERT_TRUE(b.clics.PulsaElegida(2));
    EXPECT_EQ(b.clics.Estadisticas().TriplesAReducir, 1);
    EXPECT_EQ(b.clics.Estadisticas().DoblesAReducir, 1);
    EXPECT_FALSE(b.clics.PulsaProbable(2, 3)) << "el \"2\" no está marcado";
    EXPECT_EQ(b.P(2).SignoProbable, 0);
    ASSERT_TRUE(b.clics.PulsaProbable(2, 2));
    EXPECT_EQ(b.P(2).SignoProbable, 2);
    ASSERT_TRUE(b.clics.PulsaProbable(2, 1));
    EXPECT_EQ(b.P(2).SignoProbable, 1);
    ASSERT_TRUE(b.clics.PulsaProbable(2, 1)); // pulsar la misma la quita
    EXPECT_EQ(b.P(2).SignoProbable, 0);
    ASSERT_TRUE(b.clics.PulsaProbable(1, 3));

    // Con 0 a 1 errores sobre un triple y un doble elegidos: 1 + 2 + 1 = 4 de 6, por el
    // doble 15 sin elegir: 8 de 12.
    b.clics.EligeMaxErrores(1);
    EXPECT_EQ(b.clics.Estadisticas().Total, 12);
    EXPECT_EQ(b.clics.Estadisticas().Aceptadas, 8);

    // Dejar de elegir borra la probable.
    ASSERT_TRUE(b.clics.PulsaElegida(1));
    EXPECT_EQ(b.P(1).AReducir, 0);
    EXPECT_EQ(b.P(1).SignoProbable, 0);
    // M baja a 1: el máximo de errores no puede pasar de M.
    b.clics.EligeMinErrores(1);
    ASSERT_TRUE(b.clics.PulsaElegida(2));
    EXPECT_EQ(b.clics.Estadisticas().MultiplesAReducir, 0);
    EXPECT_EQ(b.estado.Red.MinErrores, 0);
    EXPECT_EQ(b.estado.Red.MaxErrores, 0);
}

TEST(ClicsReduccion, TotalesDeSignosSoloHastaElMaximo) {
    Banco b;
    b.Base(QStringLiteral("1X* X2* 12* 1") + Sencillos(11), MetodoSeleccionSignos);
    const EstadisticasReduccion& est = b.clics.Estadisticas();
    ASSERT_EQ(est.MaxSigno[2], 2); // dos elegidos llevan "X"
    EXPECT_EQ(est.MaxSigno[1], 2);
    EXPECT_EQ(est.MaxSigno[3], 2);

    for (int r = 3; r <= 14; ++r) {
        EXPECT_FALSE(b.clics.PulsaSignoUED(2, r)) << r;
        EXPECT_EQ(b.estado.Red.Totales(2, r), 0) << r;
    }
    EXPECT_FALSE(b.clics.PulsaSignoUED(2, 15));
    for (int r = 0; r <= 2; ++r)
        ASSERT_TRUE(b.clics.PulsaSignoUED(2, r));
    EXPECT_EQ(b.estado.Red.Totales(2, 2), 1);
    ASSERT_TRUE(b.clics.PulsaSignoUED(2, 0)); // alterna
    EXPECT_EQ(b.estado.Red.Totales(2, 0), 0);

    // Cursores: mano hasta el máximo, prohibido por encima.
    EXPECT_EQ(CursorSobreSignos(est, QueSignoUEDHaPulsado(20, 2 * 18 + 5)), CursorRejilla::Mano);
    EXPECT_EQ(CursorSobreSignos(est, QueSignoUEDHaPulsado(20, 3 * 18 + 5)),
              CursorRejilla::Prohibido);
    EXPECT_EQ(CursorSobreSignos(est, {}), CursorRejilla::Normal);

    // Todos los totales de "1" puestos y la base baja: los de más arriba se borran.
    for (int r = 0; r <= 2; ++r)
        ASSERT_TRUE(b.clics.PulsaSignoUED(1, r));
    ASSERT_TRUE(b.clics.PulsaElegida(3)); // el "12" deja de contar
    EXPECT_EQ(est.MaxSigno[1], 1);
    EXPECT_EQ(b.estado.Red.Totales(1, 1), 1);
    EXPECT_EQ(b.estado.Red.Totales(1, 2), 0);
    EXPECT_EQ(b.estado.Red.Totales(2, 2), 1);
}

TEST(ClicsReduccion, SeleccionarYBorrarTodo) {
    Banco b;
    b.Base(QStringLiteral("1X*=X") + Sencillos(14), MetodoColumnaProbable);
    b.clics.SeleccionaTodo();
    const EstadisticasReduccion& est = b.clics.Estadisticas();
    EXPECT_EQ(est.Total, 14348907);
    EXPECT_EQ(est.TriplesAReducir, 14);
    EXPECT_EQ(b.P(15).AReducir, 0);
    EXPECT_EQ(b.P(15).NumSignos, 3);
    EXPECT_EQ(b.P(1).SignoProbable, 2) << "la probable sigue marcada en la base";

    b.clics.BorraTodo();
    for (int m = 1; m <= NumPartidos; ++m)
        EXPECT_EQ(b.P(m), PartidoBase{}) << m;
    EXPECT_EQ(est.Total, 0);
    EXPECT_EQ(est.Aceptadas, 0);
    EXPECT_EQ(est.Factor, 0.0f);
}

TEST(ClicsReduccion, MetodoJornadaYOrdenPidenReabrir) {
    Banco b;
    b.estado.Datos.JornadaActual = 5;
    b.estado.Datos.OrdenActual = 4;
    b.estado.Datos.Metodo = MetodoDirecto;
    b.clics.Abre();
    EXPECT_EQ(b.estado.Red.Base, QuinielaBase::PorDefecto());

    EXPECT_FALSE(b.clics.EligeMetodo(MetodoDirecto)) << "el mismo método no reabre";
    EXPECT_FALSE(b.estado.ReabrirReduccion);
    b.clics.SeleccionaTodo(); // cambios sin reducir: se pierden al reabrir
    ASSERT_TRUE(b.clics.EligeMetodo(MetodoSeleccionSignos));
    EXPECT_TRUE(b.estado.ReabrirReduccion);
    EXPECT_EQ(b.estado.MetodoRecordado, MetodoSeleccionSignos);

    // Al reabrir: la base por defecto con el método nuevo.
    b.estado.ReabrirReduccion = false;
    b.clics.Abre();
    EXPECT_EQ(b.estado.Red.Base, QuinielaBase::PorDefecto());
    EXPECT_EQ(b.estado.Red.Metodo, MetodoSeleccionSignos);
    EXPECT_EQ(b.estado.Datos.Metodo, MetodoSeleccionSignos);
    EXPECT_EQ(b.clics.Estadisticas().Total, 1);

    EXPECT_FALSE(b.clics.EligeOrden(4));
    ASSERT_TRUE(b.clics.EligeOrden(30));
    EXPECT_EQ(b.estado.Datos.OrdenActual, 30);
    EXPECT_EQ(b.estado.MetodoRecordado, 0);
    EXPECT_FALSE(b.clics.EligeOrden(31));
    EXPECT_EQ(b.estado.Datos.OrdenActual, 30);

    b.estado.MetodoRecordado = 2;
    ASSERT_TRUE(b.clics.EligeJornada(9));
    EXPECT_EQ(b.estado.Datos.JornadaActual, 9);
    EXPECT_EQ(b.estado.Datos.OrdenActual, 1) << "otra jornada empieza en el orden 1";
    EXPECT_EQ(b.estado.MetodoRecordado, 0);
    EXPECT_FALSE(b.clics.EligeJornada(9));
    EXPECT_FALSE(b.clics.EligeJornada(43));

    b.clics.ReduccionDelIndice();
    EXPECT_TRUE(b.estado.ReabrirReduccion);
    b.clics.Sal();
    EXPECT_FALSE(b.estado.ReabrirReduccion);
}

TEST(ClicsReduccion, AbreLaGuardadaConElMetodoRecordado) {
    Banco b;
    Reduccion guardada = BaseDeFichas(
        (QStringLiteral("1X*=X 12*=2") + Sencillos(13)).split(u' ', Qt::SkipEmptyParts),
        MetodoColumnaProbable);
    guardada.MaxErrores = 1;
    guardada.Descripcion = QStringLiteral("Peña");
    const QString registro = ConstruyeRegistroReduccion(3, 2, guardada);
    b.carpeta.Escribe(QStringLiteral("BASES.ZPK"), registro.toLatin1() + "\r\n");
    b.estado.Datos.JornadaActual = 3;
    b.estado.Datos.OrdenActual = 2;
    b.estado.Datos.Metodo = MetodoDirecto;

    b.clics.Abre();
    EXPECT_EQ(b.estado.Red.Metodo, MetodoColumnaProbable);
    EXPECT_EQ(b.estado.Datos.Metodo, MetodoColumnaProbable);
    EXPECT_EQ(b.estado.Red.Descripcion, QStringLiteral("Peña"));
    EXPECT_EQ(b.estado.FicheroApuestas, QStringLiteral("RED0302.ZPK"));
    EXPECT_EQ(b.clics.Estadisticas().Aceptadas, 3);

    b.estado.MetodoRecordado = MetodoSeleccionSignos;
    b.clics.Abre();
    EXPECT_EQ(b.estado.Red.Metodo, MetodoSeleccionSignos);
    EXPECT_EQ(b.estado.Red.Base, guardada.Base);
    EXPECT_TRUE(b.plataforma.avisos.isEmpty()) << b.plataforma.avisos.join(u'\n').toStdString();
}

TEST(ClicsReduccion, AbrirCuadraUnRegistroIncoherente) {
    Banco b;
    Reduccion mala;
    mala.Base[1].Signo = {0, 1, 0, 0};
    mala.Base[1].NumSignos = 3; // cuenta mal hecha
    mala.Base[1].AReducir = 1;  // un sencillo elegido
    mala.Base[15].Signo = {0, 1, 1, 0};
    mala.Base[15].NumSignos = 2;
    mala.Base[15].AReducir = 1;     // el 15 nunca se reduce
    mala.Base[2].SignoProbable = 3; // probable de un signo sin marcar
    b.carpeta.Escribe(QStringLiteral("BASES.ZPK"),
                      ConstruyeRegistroReduccion(1, 1, mala).toLatin1() + "\r\n");
    b.clics.Abre();
    EXPECT_EQ(b.P(1).NumSignos, 1);
    EXPECT_EQ(b.P(1).AReducir, 0);
    EXPECT_EQ(b.P(15).AReducir, 0);
    EXPECT_EQ(b.P(2).SignoProbable, 0);
    EXPECT_EQ(b.clics.Estadisticas().Total, 2);
}

TEST(ClicsReduccion, SalirGrabaSoloLaDescripcion) {
    Banco b;
    Reduccion guardada = BaseDeFichas(
        (QStringLiteral("1X2* 1X2* 1X2* 1X2*") + Sencillos(11)).split(u' ', Qt::SkipEmptyParts),
        MetodoDirecto);
    guardada.ApuestasBase = 81;
    guardada.ApuestasReducidas = 9;
    const QString otro = ConstruyeRegistroReduccion(2, 1, guardada);
    const QString registro = ConstruyeRegistroReduccion(1, 1, guardada);
    b.carpeta.Escribe(QStringLiteral("BASES.ZPK"),
                      otro.toLatin1() + "\r\n" + registro.toLatin1() + "\r\n");
    b.clics.Abre();

    // La base se toca después de reducir: el registro conserva la reducida.
    b.clics.SeleccionaTodo();
    b.clics.CambiaDescripcion(QStringLiteral("  Cuatro triples en la peña del bar Central  "));
    EXPECT_EQ(b.estado.Red.Descripcion, QStringLiteral("Cuatro triples en la peña del bar C"));
    b.estado.ReabrirReduccion = true;
    EXPECT_FALSE(b.clics.Sal());
    EXPECT_FALSE(b.estado.ReabrirReduccion);
    const QString esperado = registro.left(165) +
                             QStringLiteral("Cuatro triples en la peña del bar C") +
                             registro.mid(200);
    EXPECT_EQ(b.carpeta.Lee(QStringLiteral("BASES.ZPK")),
              otro.toLatin1() + "\r\n" + esperado.toLatin1() + "\r\n");

    // Sin reducción guardada no se escribe nada.
    b.estado.Datos.OrdenActual = 2;
    const QByteArray antes = b.carpeta.Lee(QStringLiteral("BASES.ZPK"));
    EXPECT_FALSE(b.clics.Sal());
    EXPECT_EQ(b.carpeta.Lee(QStringLiteral("BASES.ZPK")), antes);
}

TEST(ClicsReduccion, SalirAvisaSiNoPuedeGrabarLaDescripcion) {
    Banco b;
    Reduccion guardada;
    guardada.Descripcion = QStringLiteral("Antes");
    const QByteArray bytes = ConstruyeRegistroReduccion(1, 1, guardada).toLatin1() + "\r\n";
    b.carpeta.Escribe(QStringLiteral("BASES.ZPK"), bytes);
    b.clics.Abre();
    b.clics.CambiaDescripcion(QStringLiteral("Después"));

    // Un límite de tamaño de fichero hace fallar la escritura como un disco lleno.
    struct rlimit antes;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &antes), 0);
    auto senal = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limite = antes;
    limite.rlim_cur = 100;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limite), 0);
    const auto mensaje = b.clics.Sal();
    setrlimit(RLIMIT_FSIZE, &antes);
    std::signal(SIGXFSZ, senal);

    ASSERT_TRUE(mensaje);
    EXPECT_EQ(mensaje->titulo, QStringLiteral("ERROR AL GRABAR LA DESCRIPCIÓN"));
    EXPECT_TRUE(mensaje->texto.startsWith(
        QStringLiteral("No se ha podido grabar la descripción en el índice BASES.ZPK (error ")));
    EXPECT_EQ(b.carpeta.Lee(QStringLiteral("BASES.ZPK")), bytes);
    EXPECT_FALSE(b.estado.ReabrirReduccion);
}
