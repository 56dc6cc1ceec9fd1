// Pulsaciones de la pantalla de escrutinio sin ventana: la rejilla ganadora, el puntero, el
// aspecto por método y la carga de lo guardado de una jornada.
#include "matchdays/fichero_jornadas.h"
#include "scrutiny/clics_escrutinio.h"
#include "support/carpeta_temporal.h"
#include "support/plataforma_falsa.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace quiniela;
using namespace quiniela::prueba;

TEST(ClicsEscrutinio, PruebaDePulsacionDeLaRejilla) {
    struct Caso {
        double x, y;
        int partido, signo;
    };
    // Filas 18j-14..18j, signos 15s-12..15s; el primero empieza justo después de x = 3.
    const Caso casos[] = {
        {3, 10, 0, 0},    {3.4, 10, 1, 1},  {4, 10, 1, 1},    {15, 4, 1, 1},    {16, 10, 0, 0},
        {17, 10, 0, 0},   {18, 10, 1, 2},   {30, 18, 1, 2},   {45, 18, 1, 3},   {47.9, 10, 1, 3},
        {48, 10, 0, 0},   {10, 3, 0, 0},    {10, 19, 0, 0},   {10, 22, 2, 1},   {10, 18.4, 1, 1},
        {10, 18.6, 0, 0}, {10, 252, 14, 1}, {10, 256, 15, 1}, {10, 270, 15, 1}, {10, 271.5, 0, 0},
        {10, 274, 0, 0},  {-5, 10, 0, 0},   {10, -1, 0, 0},
    };
    EstadoGlobal estado;
    for (const Caso& c : casos) {
        SCOPED_TRACE(testing::Message() << c.x << ", " << c.y);
        estado.PuntoCursor = QPoint(9, 9);
        const CeldaRejilla celda = QueGanadoraHaPulsado(estado, c.x, c.y);
        // Un hueco deja PuntoCursor en (0, 0).
        EXPECT_EQ(estado.PuntoCursor, QPoint(c.partido, c.signo));
        EXPECT_EQ(celda.fila, c.partido);
        EXPECT_EQ(celda.columna, c.signo);
    }
}

TEST(ClicsEscrutinio, UnaMarcaPorPartidoYSuPuntero) {
    MarcasGanadora m{};
    // Clic en "1", en "X" (la marca se mueve), otra vez en "X" (se borra), en "2".
    const struct {
        int signo;
        std::array<int, 3> fila;
    } pasos[] = {{1, {1, 0, 0}}, {2, {0, 1, 0}}, {2, {0, 0, 0}}, {3, {0, 0, 1}}};
    for (const auto& paso : pasos) {
        PulsaGanadora(m, CeldaRejilla{7, paso.signo});
        for (int s = 1; s <= 3; ++s)
            EXPECT_EQ(m[7][s], paso.fila[s - 1]) << paso.signo << "/" << s;
        EXPECT_EQ(CursorSobreGanadora(m, CeldaRejilla{7, paso.signo}),
                  paso.fila[paso.signo - 1] ? CursorRejilla::Goma : CursorRejilla::Lapiz);
    }
    // Ningún otro partido cambia, y un hueco no hace nada.
    PulsaGanadora(m, CeldaRejilla{});
    for (int j = 1; j <= NumPartidos; ++j)
        for (int s = 0; s <= 3; ++s)
            EXPECT_EQ(m[j][s], j == 7 && s == 3 ? 1 : 0);
    EXPECT_EQ(CursorSobreGanadora(m, CeldaRejilla{}), CursorRejilla::Normal);
}

TEST(ClicsEscrutinio, VentanaPorMetodo) {
    EXPECT_EQ(AnchoVentanaEscrutinio(MetodoDirecto), 694);
    EXPECT_EQ(AnchoVentanaEscrutinio(MetodoColumnaProbable), 761);
    EXPECT_EQ(AnchoVentanaEscrutinio(MetodoSeleccionSignos), 761);
    EXPECT_EQ(TituloEscrutinio(MetodoDirecto),
              u"Escrutinio de columnas reducidas con el Método Directo"_s);
    EXPECT_EQ(TituloEscrutinio(MetodoColumnaProbable),
              u"Escrutinio de columnas reducidas con el Método de Columna Probable"_s);
}

TEST(ClicsEscrutinio, CargaLoGuardadoDeLaJornada) {
    CarpetaTemporal carpeta;
    EstadoGlobal estado = carpeta.Estado();
    PlataformaFalsa plataforma(&estado);
    QString registro = ComponeRegistroJornada(RegistroJornadaVacio(), 2, u"01/09/24"_s, {});
    // Un signo raro ("7", blanco) deja el partido sin resultado.
    registro.replace(463, 15, u"123712 31231230"_s);
    registro.replace(478, 22, u"    1234.50        0.5"_s);
    ASSERT_EQ(EscribeRegistroJornada(estado, 2, registro).Numero, 0);
    carpeta.Escribe(u"BASES.ZPK"_s, QByteArray());
    estado.Datos.JornadaActual = 2;
    estado.Datos.OrdenActual = 1;
    const CargaEscrutinio carga = CargaEntradasEscrutinio(estado);
    const int esperadas[] = {1, 2, 3, 0, 1, 2, 0, 3, 1, 2, 3, 1, 2, 3, 0};
    for (int j = 1; j <= NumPartidos; ++j)
        for (int s = 1; s <= 3; ++s)
            EXPECT_EQ(carga.Entrada.Marcas[j][s], esperadas[j - 1] == s ? 1 : 0) << j;
    EXPECT_EQ(carga.Entrada.Textos[1], u"1234.50"_s);
    EXPECT_EQ(carga.Entrada.Textos[2], u"0.5"_s);
    EXPECT_DOUBLE_EQ(carga.Premios[1], 1234.5);
    EXPECT_DOUBLE_EQ(carga.Premios[2], 0.5);
    EXPECT_DOUBLE_EQ(carga.Premios[3], 0);
    // No hay reducción guardada con esa clave.
    EXPECT_TRUE(carga.Falla);
}
