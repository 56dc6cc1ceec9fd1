// Reglas del escrutinio sin ficheros de columnas: aciertos, premios, líneas y guardado.
#include "matchdays/fichero_jornadas.h"
#include "scrutiny/escrutinio.h"
#include "support/carpeta_temporal.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace quiniela;
using namespace quiniela::prueba;

namespace {

const QString Ganadora = u"1X21X21X21X21X2"_s;

// Cambia los partidos indicados (desde 1) a otro signo.
QString Falla(QString columna, std::initializer_list<int> partidos) {
    for (int j : partidos)
        columna[j - 1] = columna[j - 1] == u'1' ? u'2' : u'1';
    return columna;
}

MarcasGanadora MarcasDe(const QString& signos) {
    MarcasGanadora m{};
    for (int j = 1; j <= NumPartidos; ++j)
        m[j][QStringLiteral("-1X2").indexOf(signos.at(j - 1))] = 1;
    return m;
}

} // namespace

TEST(Escrutinio, AciertosConElPartidoQuince) {
    const struct {
        QString columna;
        int aciertos;
    } casos[] = {
        {Ganadora, 15},
        {Falla(Ganadora, {15}), 14}, // los catorce bien y el 15 mal
        {Falla(Ganadora, {3}), 13},  // el 15 bien no suma sin los catorce
        {Falla(Ganadora, {1, 2, 15}), 12},
        {Falla(Ganadora, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}), 0},
        {u"1X2"_s, 3}, // columna corta: lo que falta no acierta
    };
    for (const auto& c : casos)
        EXPECT_EQ(AciertosColumna(c.columna, Ganadora), c.aciertos) << c.columna.toStdString();
}

TEST(Escrutinio, NormalizaPremio) {
    const struct {
        QString escrito, texto;
        double valor;
    } casos[] = {
        {u".5"_s, u"0.5"_s, 0.5},
        {u".125"_s, u"0.12"_s, 0.12},
        {u""_s, u"0"_s, 0},
        {u"100000"_s, u"100000"_s, 100000},  // nunca "1e+05"
        {u"1234,50"_s, u"1234.5"_s, 1234.5}, // la coma es el punto decimal
        {u"12.5.3"_s, u"12.5"_s, 12.5},      // el número con que empieza
        {u"99999999999"_s, u"99999999999"_s, 99999999999.0},
        {u"0.000000001"_s, u"0.00"_s, 0},
        {u"abc"_s, u"0"_s, 0},
        {u"007"_s, u"7"_s, 7},
    };
    for (const auto& c : casos) {
        const Premio p = NormalizaPremio(c.escrito);
        EXPECT_EQ(p.Texto, c.texto) << c.escrito.toStdString();
        EXPECT_DOUBLE_EQ(p.Valor, c.valor) << c.escrito.toStdString();
        EXPECT_LE(p.Texto.size(), AnchoTextoPremio);
    }
}

TEST(Escrutinio, FiltroDeLaCasillaDePremio) {
    const struct {
        QString texto;
        int cursor;
        QString queda;
        int cursorQueda;
    } casos[] = {
        {u"12a"_s, 3, u"12"_s, 2},    // la letra recién escrita se va
        {u"1a2"_s, 3, u"1a2"_s, 3},   // solo se mira el carácter antes del cursor
        {u"12,5"_s, 3, u"12.5"_s, 3}, // la coma es el punto decimal
        {u" 7"_s, 2, u"7"_s, 1},      {u"123456789012"_s, 12, u"12345678901"_s, 11},
    };
    for (const auto& c : casos) {
        const TextoCursor r = FiltraTextoPremio(c.texto, c.cursor);
        EXPECT_EQ(r.Texto, c.queda) << c.texto.toStdString();
        EXPECT_EQ(r.Cursor, c.cursorQueda) << c.texto.toStdString();
    }
}

TEST(Escrutinio, LineasDeAciertosDesdeLosNumeros) {
    ResultadoEscrutinio r;
    r.AciertosCategoria[14] = 3;
    r.AciertosCategoria[9] = 7;
    r.Premios[2] = 1234.5;
    const QStringList lineas = LineasAciertos(r);
    ASSERT_EQ(lineas.size(), 17);
    EXPECT_EQ(lineas[0], u" Suma total:    3703.50"_s);
    EXPECT_EQ(lineas[1], u"  15      0  "_s);
    EXPECT_EQ(lineas[2], u"  14      3     3703.50"_s);
    EXPECT_EQ(lineas[7], u"   9      7  "_s); // de 9 para abajo nunca hay importe
    for (int i : {0, 2})
        EXPECT_EQ(lineas[i].size(), 23);

    // Una cifra que no cabe ensancha la línea en vez de cortarse.
    r.AciertosCategoria[10] = 1025024;
    r.Premios[6] = 100;
    EXPECT_EQ(LineaAciertos(r, 10), u"  10 1025024 102502400.00"_s);
    EXPECT_EQ(LineaTotalAciertos(r), u" Suma total:102506103.50"_s);
}

TEST(Escrutinio, TotalEsLaSumaDeLosImportesRedondeados) {
    ResultadoEscrutinio r;
    r.AciertosCategoria[12] = 1;
    r.AciertosCategoria[11] = 1;
    r.Premios[4] = 0.005; // 0.01 redondeado
    r.Premios[5] = 0.005;
    EXPECT_EQ(r.TotalCentimos(), 2);
    EXPECT_EQ(LineaTotalAciertos(r), u" Suma total:       0.02"_s);
}

TEST(Escrutinio, LineaDeBoleto) {
    BoletoPremiado b;
    b.Boleto = 42;
    b.Columnas = {1, 0, 0, 2, 0, 5};
    EXPECT_EQ(LineaBoleto(b), u"    42    1        2     5"_s);
    EXPECT_EQ(LineaBoleto(b).size(), 26);
    b.Boleto = 1234567; // pasa de 999.999: la línea crece
    EXPECT_TRUE(LineaBoleto(b).startsWith(u"1234567  "_s));
}

TEST(Escrutinio, MarcasYPremiosGuardados) {
    QString registro = RegistroJornadaVacio();
    registro.replace(PosColumnaGanadora - 1, 15, u"123012 9X312312"_s);
    registro.replace(PosPremiosJornada - 1, 11, u"   1234.5  "_s);
    const MarcasGanadora m = MarcasDeRegistro(registro);
    EXPECT_EQ(m[1][1], 1);
    EXPECT_EQ(m[2][2], 1);
    EXPECT_EQ(m[3][3], 1);
    for (int j : {4, 7, 8, 9}) // "0", blanco, "9" y "X": sin resultado
        EXPECT_EQ(m[j][0], 1) << j;
    EXPECT_EQ(m[10][3], 1);
    EXPECT_EQ(ColumnaGanadoraDeMarcas(m), QString());
    EXPECT_EQ(TextosPremioDeRegistro(registro)[1], u"1234.5"_s);
    EXPECT_EQ(ColumnaGanadoraDeMarcas(MarcasDe(Ganadora)), Ganadora);
}

TEST(Escrutinio, GuardaSoloSusCampos) {
    CarpetaTemporal carpeta;
    EstadoGlobal estado = carpeta.Estado();
    estado.Datos.JornadaActual = 2;
    // Jornada 2 con fecha, equipos y bytes de Windows-1252; la 1 con otra cosa.
    QByteArray j1(544, 'a');
    QByteArray j2 = "Jor0228/08/05" + QByteArray(450, 'M') + QByteArray(81, '9');
    j2[20] = char(0xE1); // "á"
    carpeta.Escribe(u"JORNADAS.ZPK"_s, j1 + j2);
    estado.RegistroJornada = RegistroJornadaVacio(); // una carga fallida no borra nada
    TextosPremio textos;
    textos[1] = u"0.5"_s;
    textos[6] = u"99999999999"_s;
    ASSERT_EQ(GuardaEntradasEscrutinio(estado, MarcasDe(u"1X21X21X21X21X-"_s), textos), 0);

    const QByteArray escrito = carpeta.Lee(u"JORNADAS.ZPK"_s);
    ASSERT_EQ(escrito.size(), 2 * 544);
    EXPECT_EQ(escrito.left(544), j1);
    EXPECT_EQ(escrito.mid(544, 463), j2.left(463)); // los otros 514 caracteres, intactos
    EXPECT_EQ(escrito.mid(544 + 463),
              "123123123123120" + QByteArray("        0.5") + QByteArray(44, ' ') + "99999999999");
    EXPECT_EQ(estado.RegistroJornada.mid(463, 15), u"123123123123120"_s);
}

TEST(Escrutinio, JornadaSinRegistroMasAllaDelFinal) {
    CarpetaTemporal carpeta;
    EstadoGlobal estado = carpeta.Estado();
    estado.Datos.JornadaActual = 3;
    estado.Datos.FechaJornada = u"00/00/00"_s; // la de la jornada cargada, que no existe
    carpeta.Escribe(u"JORNADAS.ZPK"_s, QByteArray(544, 'x'));
    ASSERT_EQ(GuardaEntradasEscrutinio(estado, MarcasDe(Ganadora), TextosPremio{}), 0);
    const QByteArray escrito = carpeta.Lee(u"JORNADAS.ZPK"_s);
    ASSERT_EQ(escrito.size(), 3 * 544);
    EXPECT_EQ(escrito.mid(544, 544), QByteArray(544, ' ')); // registro intermedio en blanco
    EXPECT_EQ(escrito.mid(2 * 544, 13), "Jor0300/00/00");
    EXPECT_EQ(escrito.mid(2 * 544 + 463, 15), "123123123123123");
    EXPECT_EQ(escrito.mid(2 * 544 + 478), QByteArray(66, ' '));
}
