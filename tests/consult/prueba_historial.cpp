#include "cli/linea_ordenes.h"
#include "consult/historial.h"
#include "core/estado_global.h"
#include "matchdays/fichero_jornadas.h"
#include "reduction/fichero_bases.h"
#include "support/carpeta_temporal.h"
#include "support/plataforma_falsa.h"

#include <gtest/gtest.h>

using namespace quiniela;
using namespace quiniela::prueba;

namespace {

QString RegistroDe(int jornada, int orden, int metodo, int base, int reducidas,
                   const QString& descripcion) {
    Reduccion red;
    red.Metodo = static_cast<int16_t>(metodo);
    red.ApuestasBase = base;
    red.ApuestasReducidas = reducidas;
    red.Descripcion = descripcion;
    return ConstruyeRegistroReduccion(jornada, orden, red);
}

QString RegistroDeJornada(int jornada, const QString& fecha) {
    return ComponeRegistroJornada(RegistroJornadaVacio(), jornada, fecha, EquiposJornada{});
}

// BASES.ZPK con los registros dados, cada uno con CR LF.
void EscribeBases(const CarpetaTemporal& carpeta, const QStringList& registros) {
    QByteArray datos;
    for (const QString& r : registros)
        datos += r.toLatin1() + "\r\n";
    carpeta.Escribe(QStringLiteral("BASES.ZPK"), datos);
}

// n reducciones de la jornada 1 en adelante, con órdenes 1..30.
QStringList Reducciones(int n) {
    QStringList registros;
    for (int i = 0; i < n; ++i)
        registros << RegistroDe(1 + i / 30, 1 + i % 30, 1, 4, 2, QStringLiteral("R%1").arg(i));
    return registros;
}

} // namespace

TEST(LineaHistorial, PosicionesExactas) {
    const QString linea =
        LineaHistorial(RegistroDe(7, 3, 2, 1296, 81, QStringLiteral("Pareja de dobles")),
                       RegistroDeJornada(7, QStringLiteral("12/10/05")));
    EXPECT_EQ(linea, QStringLiteral("  7 12/10/05   3  Columna Probable     Pareja de dobles       "
                                    "     1296          81"));
    ASSERT_EQ(linea.size(), AnchoLineaHistorial);
    EXPECT_EQ(linea.mid(1, 2), QStringLiteral(" 7"));
    EXPECT_EQ(linea.mid(14, 2), QStringLiteral(" 3"));
    EXPECT_EQ(JornadaDeLinea(linea), 7);
    EXPECT_EQ(OrdenDeLinea(linea), 3);

    // Jornada sin datos (el registro es de otra jornada), descripción larga cortada a 21 y
    // cifras que llenan las ocho posiciones.
    const QString otra =
        LineaHistorial(RegistroDe(12, 30, 3, 14348907, 9999999,
                                  QStringLiteral("Una descripción bien larga de 35 c")),
                       RegistroDeJornada(11, QStringLiteral("01/01/06")));
    EXPECT_EQ(otra, QStringLiteral(" 12           30  Selección de Signos  Una descripción bien  "
                                   "  14348907     9999999"));
    EXPECT_EQ(JornadaDeLinea(otra), 12);
    EXPECT_EQ(OrdenDeLinea(otra), 30);
}

TEST(LineaHistorial, DescripcionCortaSeVeAunqueSeGuardeALaDerecha) {
    const QString registro = RegistroDe(1, 1, 1, 9, 3, QStringLiteral("Corta"));
    ASSERT_EQ(registro.mid(165, 35).trimmed(), QStringLiteral("Corta"));
    ASSERT_TRUE(registro.mid(165, 21).trimmed().isEmpty()) << "queda fuera de 166-186";
    const QString linea = LineaHistorial(registro, RegistroJornadaVacio());
    EXPECT_EQ(linea.mid(39, 21), QStringLiteral("Corta                "));
    EXPECT_EQ(linea.mid(4, 8), QString(8, u' '));
    EXPECT_EQ(linea.mid(18, 19), QStringLiteral("Directo            "));
}

TEST(Historial, ListaEnElOrdenDelIndiceSinLibresNiMetodosRaros) {
    CarpetaTemporal carpeta;
    EstadoGlobal estado = carpeta.Estado();
    PlataformaFalsa plataforma(&estado);
    ASSERT_EQ(EscribeRegistroJornada(estado, 3, RegistroDeJornada(3, QStringLiteral("18/09/05"))),
              0);
    // La jornada 5 nunca se dio de alta: su hueco queda en blanco en el fichero.
    ASSERT_EQ(EscribeRegistroJornada(estado, 6, RegistroDeJornada(6, QStringLiteral("02/10/05"))),
              0);
    QString metodoRaro = RegistroDe(4, 4, 1, 2, 2, QStringLiteral("X"));
    metodoRaro[4] = u'7';
    EscribeBases(carpeta, {RegistroDe(6, 2, 3, 729, 81, QStringLiteral("Seis dos")),
                           RegistroLibreBases(), RegistroDe(3, 1, 1, 27, 9, QStringLiteral("Tres")),
                           metodoRaro, RegistroDe(5, 1, 2, 3, 3, QStringLiteral("Cinco"))});

    Historial historial(estado);
    historial.Abre();
    const QStringList& lineas = historial.Lis_Datos();
    ASSERT_EQ(lineas.size(), 3);
    EXPECT_TRUE(lineas[0].startsWith(QStringLiteral("  6 02/10/05   2  Selección de Signos")));
    EXPECT_TRUE(lineas[1].startsWith(QStringLiteral("  3 18/09/05   1  Directo")));
    EXPECT_TRUE(lineas[2].startsWith(QStringLiteral("  5            1  Columna Probable")));
    EXPECT_TRUE(plataforma.avisos.isEmpty());

    // Una reducción nueva ocupa el registro libre y sale en su sitio, no al final.
    ASSERT_EQ(GuardaRegistroBases(estado, 1, 9, RegistroDe(1, 9, 1, 3, 3, QStringLiteral("Nueva"))),
              0);
    historial.Abre();
    ASSERT_EQ(historial.Lis_Datos().size(), 4);
    EXPECT_EQ(OrdenDeLinea(historial.Lis_Datos()[1]), 9);
    EXPECT_EQ(JornadaDeLinea(historial.Lis_Datos()[1]), 1);
}

TEST(Historial, SinIndiceSoloCabecerasYNadaQueElegir) {
    CarpetaTemporal carpeta;
    EstadoGlobal estado = carpeta.Estado();
    PlataformaFalsa plataforma(&estado);
    estado.ReduccionElegida = true;
    Historial historial(estado);
    historial.Abre();
    EXPECT_FALSE(estado.ReduccionElegida) << "se borra al abrir";
    EXPECT_TRUE(historial.Lis_Datos().isEmpty());
    EXPECT_EQ(plataforma.avisos.size(), 1) << "falta BASES.ZPK: se avisa y se crea";
    EXPECT_TRUE(carpeta.Existe(QStringLiteral("BASES.ZPK")));
    EXPECT_EQ(historial.HallaCualLinea(40), NingunaLinea);
    EXPECT_EQ(historial.Pulsa(100, 40, 640, 380), Historial::Pulsacion::Nada);
    EXPECT_FALSE(estado.ReduccionElegida);
    EXPECT_EQ(historial.TotalPaginas(), 1);

    // Solo registros libres: lo mismo.
    EscribeBases(carpeta, {RegistroLibreBases(), RegistroLibreBases()});
    historial.Abre();
    EXPECT_TRUE(historial.Lis_Datos().isEmpty());
}

TEST(Historial, PrimeraPaginaLaDeLaSeleccion) {
    CarpetaTemporal carpeta;
    EstadoGlobal estado = carpeta.Estado();
    PlataformaFalsa plataforma(&estado);
    EscribeBases(carpeta, Reducciones(45));
    Historial historial(estado);

    const auto primeraCon = [&](int linea) {
        estado.Datos.JornadaActual = static_cast<int16_t>(1 + linea / 30);
        estado.Datos.OrdenActual = static_cast<int16_t>(1 + linea % 30);
        historial.Abre();
        return historial.PrimeraLinea();
    };
    EXPECT_EQ(primeraCon(27), 20);
    EXPECT_EQ(historial.LineaActual(), 27);
    EXPECT_EQ(historial.Pagina(), 2);
    EXPECT_EQ(historial.TotalPaginas(), 3);
    EXPECT_EQ(primeraCon(19), 0);
    EXPECT_EQ(primeraCon(20), 20);
    EXPECT_EQ(primeraCon(44), 40);
    estado.Datos.JornadaActual = 9;
    historial.Abre();
    EXPECT_EQ(historial.LineaActual(), -1);
    EXPECT_EQ(historial.PrimeraLinea(), 0);
}

TEST(Historial, BandasDeHallaCualLinea) {
    CarpetaTemporal carpeta;
    EstadoGlobal estado = carpeta.Estado();
    PlataformaFalsa plataforma(&estado);
    EscribeBases(carpeta, Reducciones(25));
    Historial historial(estado);
    historial.Abre();

    EXPECT_EQ(historial.HallaCualLinea(33), NingunaLinea);
    EXPECT_EQ(historial.HallaCualLinea(36), NingunaLinea);
    EXPECT_EQ(historial.HallaCualLinea(37), 0);
    EXPECT_EQ(historial.LineaBajoPuntero(), 0);
    EXPECT_EQ(historial.HallaCualLinea(48), 0);
    for (int y = 49; y <= 52; ++y)
        EXPECT_EQ(historial.HallaCualLinea(y), NingunaLinea) << y;
    EXPECT_EQ(historial.LineaBajoPuntero(), NingunaLinea);
    EXPECT_EQ(historial.HallaCualLinea(53), 1);
    EXPECT_EQ(historial.HallaCualLinea(34 + 16 * 19 + 3), 19);
    EXPECT_EQ(historial.HallaCualLinea(350), 19);
    EXPECT_EQ(historial.HallaCualLinea(351), NingunaLinea);

    // En la segunda hoja solo hay cinco líneas.
    ASSERT_TRUE(historial.AvanzaPagina());
    EXPECT_EQ(historial.HallaCualLinea(34 + 16 * 4 + 8), 4);
    EXPECT_EQ(historial.HallaCualLinea(34 + 16 * 5 + 8), NingunaLinea);
}

TEST(Historial, EsquinasYEleccion) {
    CarpetaTemporal carpeta;
    EstadoGlobal estado = carpeta.Estado();
    PlataformaFalsa plataforma(&estado);
    EscribeBases(carpeta, Reducciones(41));
    Historial historial(estado);
    historial.Abre();
    constexpr int ancho = 640;
    constexpr int alto = 380;

    // Izquierda en la primera hoja: no pasa y no suena.
    EXPECT_EQ(historial.Pulsa(5, alto - 5, ancho, alto), Historial::Pulsacion::Nada);
    EXPECT_TRUE(plataforma.sonidos.empty());
    EXPECT_EQ(historial.Pulsa(ancho - 25, alto - 16, ancho, alto), Historial::Pulsacion::Avanza);
    EXPECT_EQ(historial.Pulsa(ancho, alto, ancho, alto), Historial::Pulsacion::Avanza);
    EXPECT_EQ(historial.PrimeraLinea(), 40);
    EXPECT_FALSE(historial.PuedeAvanzar()) << "la línea 60 no existe";
    EXPECT_EQ(historial.Pulsa(ancho - 3, alto - 3, ancho, alto), Historial::Pulsacion::Nada);
    EXPECT_EQ(historial.Pulsa(25, alto - 16, ancho, alto), Historial::Pulsacion::Retrocede);
    EXPECT_EQ(historial.PrimeraLinea(), 20);
    EXPECT_EQ(plataforma.sonidos, (std::vector<int>{10, 10, 10}));
    EXPECT_EQ(plataforma.esperas, (std::vector<int>{50, 50, 50}));

    // Fuera de la franja 15 < x < ancho - 6 no se elige nada.
    EXPECT_EQ(historial.Pulsa(15, 40, ancho, alto), Historial::Pulsacion::Nada);
    EXPECT_EQ(historial.Pulsa(ancho - 6, 40, ancho, alto), Historial::Pulsacion::Nada);
    EXPECT_FALSE(estado.ReduccionElegida);
    // Línea 3 de la hoja 2: la reducción 23 es la jornada 1, orden 24.
    EXPECT_EQ(historial.Pulsa(16, 34 + 16 * 3 + 5, ancho, alto), Historial::Pulsacion::Elige);
    EXPECT_TRUE(estado.ReduccionElegida);
    EXPECT_EQ(estado.Datos.JornadaActual, 1);
    EXPECT_EQ(estado.Datos.OrdenActual, 24);
}

TEST(Historial, FormaDelPunteroSoloCambiaCuandoHaceFalta) {
    CarpetaTemporal carpeta;
    EstadoGlobal estado = carpeta.Estado();
    PlataformaFalsa plataforma(&estado);
    EscribeBases(carpeta, Reducciones(30));
    Historial historial(estado);
    historial.Abre();
    constexpr int ancho = 640;
    constexpr int alto = 380;

    EXPECT_EQ(historial.Puntero(), PunteroHistorial::Normal);
    EXPECT_TRUE(historial.MuevePuntero(100, 40, ancho, alto));
    EXPECT_EQ(historial.Puntero(), PunteroHistorial::Mano);
    EXPECT_FALSE(historial.MuevePuntero(200, 60, ancho, alto)) << "sigue la mano";
    EXPECT_EQ(historial.LineaBajoPuntero(), 1);
    EXPECT_TRUE(historial.MuevePuntero(200, 50, ancho, alto)) << "entre dos líneas";
    EXPECT_EQ(historial.Puntero(), PunteroHistorial::Normal);
    EXPECT_EQ(historial.LineaBajoPuntero(), NingunaLinea);
    EXPECT_TRUE(historial.MuevePuntero(10, alto - 8, ancho, alto));
    EXPECT_EQ(historial.Puntero(), PunteroHistorial::Prohibido);
    EXPECT_TRUE(historial.MuevePuntero(ancho - 10, alto - 8, ancho, alto));
    EXPECT_EQ(historial.Puntero(), PunteroHistorial::Mano);
    historial.AvanzaPagina();
    EXPECT_TRUE(historial.MuevePuntero(ancho - 10, alto - 8, ancho, alto));
    EXPECT_EQ(historial.Puntero(), PunteroHistorial::Prohibido);
    // Hoja 2: diez líneas; la undécima está vacía.
    EXPECT_TRUE(historial.MuevePuntero(100, 34 + 16 * 10 + 8, ancho, alto));
    EXPECT_EQ(historial.Puntero(), PunteroHistorial::Normal);
    EXPECT_TRUE(historial.MuevePuntero(100, 34 + 16 * 9 + 8, ancho, alto));
    EXPECT_TRUE(historial.SalePuntero());
    EXPECT_EQ(historial.LineaBajoPuntero(), NingunaLinea);
    EXPECT_FALSE(historial.SalePuntero());
}

TEST(OrdenHistorial, ImprimeCabecerasYLineas) {
    CarpetaTemporal carpeta;
    carpeta.Escribe(QStringLiteral("DATOSGEN.ZPK"),
                    "1,\"28/08/05\",1,1,0,0,0,0,1,42,\"0.50\",\"00\",\"00000\",\"Si\"\r\n");
    {
        EstadoGlobal estado = carpeta.Estado();
        ASSERT_EQ(
            EscribeRegistroJornada(estado, 7, RegistroDeJornada(7, QStringLiteral("12/10/05"))), 0);
    }
    EscribeBases(carpeta, {RegistroDe(7, 3, 2, 1296, 81, QStringLiteral("Pareja de dobles")),
                           RegistroLibreBases(), RegistroDe(2, 1, 1, 9, 9, QString())});

    QString salida;
    QString errores;
    QTextStream out(&salida);
    QTextStream err(&errores);
    const QStringList orden{QStringLiteral("quiniela-cli"), QStringLiteral("--datos"),
                            carpeta.Ruta(), QStringLiteral("historial")};
    ASSERT_EQ(EjecutaLineaOrdenes(orden, out, err), 0) << errores.toStdString();
    EXPECT_EQ(salida,
              QString(62, u' ') + QStringLiteral("Apuestas   Apuestas\n") +
                  QStringLiteral("Jor  Fecha   Ord  Método de reducción      Descripción        "
                                 "Directas   Reducidas\n"
                                 "  7 12/10/05   3  Columna Probable     Pareja de dobles       "
                                 "     1296          81\n"
                                 "  2            1  Directo                                     "
                                 "        9           9\n"));
    EXPECT_TRUE(errores.isEmpty());

    QString salida2;
    QTextStream out2(&salida2);
    EXPECT_EQ(EjecutaLineaOrdenes(orden + QStringList{QStringLiteral("de_mas")}, out2, err), 1);
    EXPECT_TRUE(salida2.isEmpty());
}
