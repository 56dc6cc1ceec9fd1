#include "matchdays/fichero_jornadas.h"
#include "output/columnas_prueba.h"
#include "scrutiny/clics_escrutinio.h"
#include "scrutiny/escrutinio.h"
#include "scrutiny/informe_escrutinio.h"
#include "scrutiny/realiza_escrutinio.h"
#include "scrutiny/recuento.h"
#include "support/banco.h"
#include "support/impresora_falsa.h"

#include <QBuffer>
#include <QRandomGenerator>
#include <gtest/gtest.h>
#include <map>

using namespace Qt::StringLiterals;
using namespace quiniela;
using namespace quiniela::prueba;

namespace {

const QString Ganadora = u"1X21X21X21X21X2"_s;

MarcasGanadora MarcasDe(const QString& signos) {
    MarcasGanadora m{};
    for (int j = 1; j <= NumPartidos; ++j)
        m[j][QStringLiteral("-1X2").indexOf(signos.at(j - 1))] = 1;
    return m;
}

ResultadoEscrutinio Cuenta(QByteArray datos) {
    QBuffer buffer(&datos);
    buffer.open(QIODevice::ReadOnly);
    ResultadoEscrutinio r;
    int64_t linea = 0;
    EXPECT_EQ(CuentaColumnas(buffer, Ganadora, r, linea), FinPasada::Completa);
    return r;
}

// Aciertos de una columna, premios escritos y líneas de las listas.
TEST(Escrutinio, AciertosConElPartidoQuincePremiosYLineas) {
    const std::pair<QString, int> columnas[] = {
        {Ganadora, 15},
        {u"1X21X21X21X21X1"_s, 14}, // los catorce bien y el 15 mal
        {u"1X11X21X21X21X2"_s, 13}, // el 15 bien no suma sin los catorce
        {u"2121X21X21X21X1"_s, 12},
        {u"211211211211212"_s, 0},
        {u"1X2"_s, 3}, // columna corta: lo que falta no acierta
    };
    for (const auto& [columna, aciertos] : columnas)
        EXPECT_EQ(AciertosColumna(columna, Ganadora), aciertos) << columna.toStdString();

    const std::tuple<QString, QString, double> casos[] = {
        {u".5"_s, u"0.5"_s, 0.5},
        {u".125"_s, u"0.12"_s, 0.12},
        {u""_s, u"0"_s, 0},
        {u"100000"_s, u"100000"_s, 100000},  // nunca "1e+05"
        {u"1234,50"_s, u"1234.5"_s, 1234.5}, // la coma es el punto decimal
        {u"12.5.3"_s, u"12.5"_s, 12.5},      // el número con que empieza
        {u"99999999999"_s, u"99999999999"_s, 99999999999.0},
        {u"abc"_s, u"0"_s, 0},
    };
    for (const auto& [escrito, texto, valor] : casos) {
        const Premio p = NormalizaPremio(escrito);
        EXPECT_EQ(p.Texto, texto) << escrito.toStdString();
        EXPECT_DOUBLE_EQ(p.Valor, valor) << escrito.toStdString();
    }
    // Al teclear en la casilla: texto y cursor antes y después.
    const std::tuple<QString, int, QString, int> tecleados[] = {
        {u"12a"_s, 3, u"12"_s, 2},    // la letra recién escrita se va
        {u"1a2"_s, 3, u"1a2"_s, 3},   // solo se mira el carácter antes del cursor
        {u"12,5"_s, 3, u"12.5"_s, 3}, // la coma es el punto decimal
        {u" 7"_s, 2, u"7"_s, 1},      {u"123456789012"_s, 12, u"12345678901"_s, 11},
    };
    for (const auto& [texto, cursor, queda, cursorQueda] : tecleados) {
        const TextoCursor r = FiltraTextoPremio(texto, cursor);
        EXPECT_EQ(r.Texto, queda) << texto.toStdString();
        EXPECT_EQ(r.Cursor, cursorQueda) << texto.toStdString();
    }

    // Una cifra que no cabe ensancha la línea en vez de cortarse.
    ResultadoEscrutinio r;
    r.AciertosCategoria[14] = 3;
    r.Premios[2] = 1234.5;
    r.AciertosCategoria[10] = 1025024;
    r.Premios[6] = 100;
    EXPECT_EQ(LineaAciertos(r, 10), u"  10 1025024 102502400.00"_s);
    EXPECT_EQ(LineaTotalAciertos(r), u" Suma total:102506103.50"_s);

    // En pantalla, con los miles y la coma española, las columnas no se mueven aunque el
    // importe tenga trece cifras: todas las líneas ensanchan y el encabezado con ellas.
    const QLocale espanol(QLocale::Spanish, QLocale::Spain);
    const TablaAciertos pequena = TablaAciertosPantalla(ResultadoEscrutinio{}, espanol);
    EXPECT_EQ(pequena.Encabezado, u"Aciertos Columnas         Importe"_s);
    EXPECT_EQ(pequena.Lineas[0], u" Suma total:                 0,00"_s);
    EXPECT_EQ(pequena.Lineas[6], u"  10            0                "_s);
    ResultadoEscrutinio grande = r;
    grande.AciertosCategoria[14] = 14348907;
    grande.Premios[2] = 72280.56;
    const TablaAciertos t = TablaAciertosPantalla(grande, espanol);
    EXPECT_EQ(t.Encabezado, u"Aciertos Columnas               Importe"_s);
    EXPECT_EQ(t.Lineas[0], u" Suma total:       1.037.249.535.747,92"_s);
    EXPECT_EQ(t.Lineas[2], u"  14   14.348.907  1.037.147.033.347,92"_s);
    EXPECT_EQ(t.Lineas[6], u"  10    1.025.024        102.502.400,00"_s);
    for (const QString& linea : t.Lineas)
        EXPECT_EQ(linea.size(), t.Encabezado.size()) << linea.toStdString();

    // El total es la suma de los importes ya redondeados.
    ResultadoEscrutinio centimos;
    centimos.AciertosCategoria[12] = centimos.AciertosCategoria[11] = 1;
    centimos.Premios[4] = centimos.Premios[5] = 0.005; // 0.01 redondeado
    EXPECT_EQ(LineaTotalAciertos(centimos), u" Suma total:       0.02"_s);

    BoletoPremiado b{1234567, {1, 0, 0, 2, 0, 5}}; // pasa de 999.999: la línea crece
    EXPECT_TRUE(LineaBoleto(b).startsWith(u"1234567  "_s));
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
    // Los otros 514 caracteres, intactos.
    const QByteArray dos =
        j1 + j2.left(463) + "123123123123120" + "        0.5" + QByteArray(44, ' ') + "99999999999";
    EXPECT_EQ(carpeta.Lee(u"JORNADAS.ZPK"_s), dos);
    EXPECT_EQ(estado.RegistroJornada.mid(463, 15), u"123123123123120"_s);

    // Una jornada sin registro, más allá del final: el de en medio queda en blanco.
    estado.Datos.JornadaActual = 4;
    estado.Datos.FechaJornada = u"00/00/00"_s; // la de la jornada cargada, que no existe
    ASSERT_EQ(GuardaEntradasEscrutinio(estado, MarcasDe(Ganadora), TextosPremio{}), 0);
    EXPECT_EQ(carpeta.Lee(u"JORNADAS.ZPK"_s), dos + QByteArray(544, ' ') + "Jor0400/00/00" +
                                                  QByteArray(450, ' ') + "123123123123123" +
                                                  QByteArray(66, ' '));

    // Borrada mientras se escrutaba (la cargada era válida y en el fichero ya no está): no
    // vuelve, y se dice.
    const QByteArray borrada = carpeta.Lee(u"JORNADAS.ZPK"_s).left(3 * 544) + QByteArray(544, ' ');
    carpeta.Escribe(u"JORNADAS.ZPK"_s, borrada);
    EXPECT_EQ(GuardaEntradasEscrutinio(estado, MarcasDe(Ganadora), TextosPremio{}),
              ErrorFichero::NoExiste);
    EXPECT_EQ(carpeta.Lee(u"JORNADAS.ZPK"_s), borrada);
    EXPECT_TRUE(TextoErrorGuardarEscrutinio(ErrorFichero::NoExiste).contains(u"se ha borrado"_s));
}

TEST(ClicsEscrutinio, CargaLoGuardadoYPruebaDePulsacionDeLaRejilla) {
    Banco banco;
    auto& [carpeta, estado, plataforma] = banco;
    QString registro = ComponeRegistroJornada(RegistroJornadaVacio(), 2, u"01/09/24"_s, {});
    // Un signo raro ("7", blanco) deja el partido sin resultado.
    registro.replace(463, 15, u"123712 31231230"_s);
    registro.replace(478, 22, u"    1234.50        0.5"_s);
    ASSERT_EQ(EscribeRegistroJornada(estado, 2, registro).Numero, 0);
    estado.Datos.JornadaActual = 2;
    estado.Datos.OrdenActual = 1;
    const CargaEscrutinio carga = CargaEntradasEscrutinio(estado);
    const int esperadas[] = {1, 2, 3, 0, 1, 2, 0, 3, 1, 2, 3, 1, 2, 3, 0};
    for (int j = 1; j <= NumPartidos; ++j)
        for (int s = 1; s <= 3; ++s)
            EXPECT_EQ(carga.Entrada.Marcas[j][s], esperadas[j - 1] == s ? 1 : 0) << j;
    EXPECT_EQ(carga.Entrada.Textos[1], u"1234.50"_s);
    EXPECT_EQ(carga.Premios, (PremiosCategoria{0, 1234.5, 0.5, 0, 0, 0, 0}));
    EXPECT_TRUE(carga.Falla); // no hay reducción guardada con esa clave

    // (x, y, partido, signo). Filas 18j-14..18j, signos 15s-12..15s; el primero empieza justo
    // después de x = 3.
    const std::tuple<double, double, int, int> casos[] = {
        {3, 10, 0, 0},    {3.4, 10, 1, 1},  {4, 10, 1, 1},    {15, 4, 1, 1},    {16, 10, 0, 0},
        {17, 10, 0, 0},   {18, 10, 1, 2},   {30, 18, 1, 2},   {45, 18, 1, 3},   {47.9, 10, 1, 3},
        {48, 10, 0, 0},   {10, 3, 0, 0},    {10, 19, 0, 0},   {10, 22, 2, 1},   {10, 18.4, 1, 1},
        {10, 18.6, 0, 0}, {10, 252, 14, 1}, {10, 256, 15, 1}, {10, 270, 15, 1}, {10, 271.5, 0, 0},
        {10, 274, 0, 0},  {-5, 10, 0, 0},   {10, -1, 0, 0},
    };
    for (const auto& [x, y, partido, signo] : casos) {
        SCOPED_TRACE(testing::Message() << x << ", " << y);
        estado.PuntoCursor = QPoint(9, 9);
        const CeldaRejilla celda = QueGanadoraHaPulsado(estado, x, y);
        // Un hueco deja PuntoCursor en (0, 0).
        EXPECT_EQ(estado.PuntoCursor, QPoint(partido, signo));
        EXPECT_EQ(celda.Fila, partido);
        EXPECT_EQ(celda.Columna, signo);
    }
}

// Lo que no es una columna se rechaza en su línea, como en la consulta y la copia; los saltos
// LF, las líneas vacías y la "x" minúscula valen como allí.
TEST(Recuento, MismasLineasQueElFicheroDeBoletosYBoletosNumeradosComoEl) {
    EXPECT_EQ(Cuenta(QByteArray()).ColumnasLeidas, 0);
    const QByteArray buena = "\"1X21X21X21X21X2\"\r\n";
    const std::pair<QByteArray, int64_t> malas[] = {
        {buena + "\"1X21X21X", 2},                     // cortado a mitad de línea
        {buena + "1X21X21X21X21X1\r\n" + buena, 2},    // sin comillas
        {buena + buena + "  \"1X21X21X21X2\"\r\n", 3}, // corta y con blancos
        {"%PDF-1.4\n" + buena, 1},                     // un fichero ajeno
        {buena + "\"1X21X21X21X21X1\",basura\r\n", 2}, // algo detrás
    };
    for (const auto& [datos, esperada] : malas) {
        SCOPED_TRACE(datos.toStdString());
        QByteArray copia = datos;
        QBuffer buffer(&copia);
        buffer.open(QIODevice::ReadOnly);
        ResultadoEscrutinio r;
        int64_t linea = 0;
        EXPECT_EQ(CuentaColumnas(buffer, Ganadora, r, linea), FinPasada::LineaErronea);
        EXPECT_EQ(linea, esperada);
    }
    const auto raras = Cuenta("\"1x21X21X21X21X2\"\n\r\n\n\"1X21X21X21X21X1\"\n"
                              "\"1X21X21X21X21X2\"");
    EXPECT_EQ(raras.ColumnasLeidas, 3);
    EXPECT_EQ(raras.AciertosCategoria[15], 2);
    EXPECT_EQ(raras.AciertosCategoria[14], 3);
    // El signo 15 cambia en cada columna: cada una abre boleto.
    ASSERT_EQ(raras.Boletos.size(), 3u);
    EXPECT_EQ(raras.Boletos[2].Boleto, 3);

    // Grupos de 13 columnas por su signo 15 (dos boletos por grupo, el segundo de 5, y tres
    // huecos en el fichero de boletos) y un fichero más grande que el bloque de lectura, con CR
    // LF y con LF: los boletos deben salir como si se numerase cada columna por separado.
    const auto enGrupos = [](int64_t n) {
        const int64_t s = 13, t = 2;
        const int64_t g = (n + s - 1) / s, r = n - (g - 1) * s;
        return (g - 1) * t + (r + 7) / 8;
    };
    QStringList columnas;
    QRandomGenerator azar(7);
    for (int i = 0; i < 40000; ++i) {
        QString c = Ganadora;
        for (int j = 0; j < NumPartidos - 1; ++j)
            if (azar.bounded(8) == 0)
                c[j] = u"1X2"[azar.bounded(3)];
        c[NumPartidos - 1] = u"21X"[(i / 13) % 3];
        columnas << c;
    }
    std::map<int64_t, std::array<int32_t, 6>> esperados;
    std::array<int64_t, 16> categorias{};
    for (int i = 0; i < columnas.size(); ++i) {
        const int h = AciertosColumna(columnas[i], Ganadora);
        ++categorias[h];
        categorias[14] += h == 15;
        if (h >= 10)
            ++esperados[enGrupos(i + 1)][15 - h];
    }
    for (const QByteArray& fichero :
         {FicheroColumnas(columnas), FicheroColumnas(columnas).replace("\r\n", "\n")}) {
        const auto r = Cuenta(fichero);
        EXPECT_EQ(r.AciertosCategoria, categorias);
        std::vector<std::pair<int64_t, std::array<int32_t, 6>>> boletos;
        for (const BoletoPremiado& b : r.Boletos)
            boletos.emplace_back(b.Boleto, b.Columnas);
        EXPECT_EQ(boletos, decltype(boletos)(esperados.begin(), esperados.end()));
    }
}

TEST(RealizaEscrutinio, SinColumnasGuardaSinAvisarYEjemploDeTresColumnasDeCatorce) {
    Banco banco;
    auto& [carpeta, estado, plataforma] = banco;
    carpeta.Escribe(u"JORNADAS.ZPK"_s, QByteArray());
    EntradaEscrutinio e{MarcasDe(Ganadora), {}};
    ResultadoEscrutinio r;
    EXPECT_EQ(RealizaEscrutinio(estado, e, r), FinEscrutinio::SinColumnas);
    EXPECT_TRUE(plataforma.Avisos.isEmpty());
    EXPECT_TRUE(plataforma.Mensajes.empty());
    EXPECT_EQ(carpeta.Lee(u"JORNADAS.ZPK"_s).mid(463, 15), "123123123123123");

    QString catorce = Ganadora;
    catorce[14] = u'1';
    carpeta.Escribe(u"RED0101.ZPK"_s, FicheroColumnas({catorce, catorce, catorce}));
    e.Textos[2] = u"1234,5"_s;
    ASSERT_EQ(RealizaEscrutinio(estado, e, r), FinEscrutinio::Hecho);
    EXPECT_EQ(e.Textos[2], u"1234.5"_s);
    EXPECT_EQ(LineasAciertos(r).at(2), u"  14      3     3703.50"_s);
    EXPECT_EQ(LineasBoletos(r), QStringList{u"     1       3            "_s});
    EXPECT_EQ(carpeta.Lee(u"JORNADAS.ZPK"_s).mid(478, 22), "          0     1234.5");
}

DatosInforme Datos() {
    EquiposJornada equipos;
    equipos[1] = u"Alavés"_s;
    equipos[2] = u"Barcelona"_s;
    equipos[3] = u"Athletic Club"_s; // partido 2 sin visitante
    for (int k = 5; k <= 30; ++k)
        equipos[k] = u"Equipo largo %1"_s.arg(k).left(15);
    DatosInforme d;
    d.Jornada = 7;
    d.Orden = 3;
    d.Fecha = u"28/08/05"_s;
    d.RegistroJornada = ComponeRegistroJornada(RegistroJornadaVacio(), 7, d.Fecha, equipos);
    d.Regional = QLocale(QLocale::Spanish, QLocale::Spain);
    return d;
}

ResultadoEscrutinio Resultado(int boletos) {
    ResultadoEscrutinio r;
    r.ColumnaGanadora = u"1X21X21X21X21X2"_s;
    r.Premios = {0, 1500000, 1234.5, 0, 0, 0, 0};
    r.AciertosCategoria[14] = 3;
    r.AciertosCategoria[10] = 1;
    r.AciertosCategoria[0] = 12;
    for (int b = 1; b <= boletos; ++b)
        r.Boletos.push_back({b * 10, {0, b == 1 ? 2 : 0, 0, 0, 1, 0}});
    return r;
}

// Cada texto en su sitio (x e y en twips; "N" en negrita): el informe entero, tal como debe salir.
TEST(InformeEscrutinio, CadaTextoEnSuSitioYTreceBoletosEnLaPrimeraYCincuentaYOchoEnLasDemas) {
    ImpresoraFalsa dos;
    ASSERT_TRUE(ImprimeInformeEscrutinio(dos, Datos(), Resultado(2)));
    QString impreso;
    for (const TextoImpreso& t : dos.Textos)
        impreso += u"%1 %2 %3 %4\n"_s.arg(t.X)
                       .arg(t.Y)
                       .arg(QChar(t.Fuente.Negrita ? u'N' : u'-'))
                       .arg(t.Texto);
    QFile esperado(QStringLiteral(QUINIELA_FUENTES "/tests/datos/scrutiny/informe_escrutinio.txt"));
    ASSERT_TRUE(esperado.open(QIODevice::ReadOnly));
    EXPECT_EQ(impreso, QString::fromUtf8(esperado.readAll()));
    EXPECT_EQ(dos.Paginas, std::vector<int>{1});
    // Boletos y líneas de boletos de cada página.
    const std::pair<int, std::vector<int>> casos[] = {
        {13, {13}}, {14, {13, 1}}, {71, {13, 58}}, {72, {13, 58, 1}}};
    for (const auto& [nBoletos, porPagina] : casos) {
        ImpresoraFalsa impresora;
        ASSERT_TRUE(ImprimeInformeEscrutinio(impresora, Datos(), Resultado(nBoletos)));
        ASSERT_EQ(impresora.Paginas.size(), porPagina.size()) << nBoletos;
        for (size_t p = 0; p < porPagina.size(); ++p) {
            const auto textos = impresora.TextosDePagina(int(p) + 1);
            const auto boletos = std::count_if(textos.begin(), textos.end(), [](auto& t) {
                return t.X == 2800 && t.Texto.endsWith(u"1     "_s);
            });
            EXPECT_EQ(boletos, porPagina[p]) << nBoletos << " página " << p + 1;
            if (p == 0)
                continue;
            // Cabecera repetida y primera línea a 750 twips.
            EXPECT_EQ(textos[0].Texto, u"Boleto nro.  15   14   13   12   11   10"_s);
            EXPECT_EQ(std::tuple(textos[0].Y, textos[1].Y, textos[2].Y), std::tuple(300, 460, 750));
        }
        const TextoImpreso& ultima = impresora.Textos.back();
        EXPECT_TRUE(ultima.Texto.startsWith(u"    Total boletos premiados.: "_s));
    }
}

TEST(Impresora, PaginasSoloCuandoAlgoSigueYSaltoSiLaLineaNoCabe) {
    ImpresoraFalsa impresora;
    const int a = impresora.AltoLinea();
    impresora.Imprime(u"uno"_s);
    impresora.NuevaPagina();
    impresora.NuevaPagina(); // sin nada en medio no hay hoja en blanco
    impresora.PonPosicion(100, impresora.AltoPagina() - a); // cabe justo
    impresora.Imprime(u"dos"_s);
    impresora.Imprime(u"tres"_s); // ya no cabe: página 3 arriba del todo
    impresora.RellenaRectangulo(50, 60, 70, -130);
    impresora.NuevaPagina();
    ASSERT_TRUE(impresora.FinDocumento()); // la página pedida al final no se empieza
    EXPECT_EQ(impresora.Paginas, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(impresora.DocumentosTerminados, std::vector<int>{3});
    ASSERT_EQ(impresora.Textos.size(), 3u);
    EXPECT_EQ(impresora.Textos[1].X, 100);
    const TextoImpreso& tres = impresora.Textos[2];
    EXPECT_EQ(std::tuple(tres.Pagina, tres.X, tres.Y), std::tuple(3, 0, 0));
    ASSERT_EQ(impresora.Rectangulos.size(), 1u);
    // Hacia arriba desde (50, 60).
    EXPECT_EQ(std::pair(impresora.Rectangulos[0].Y, impresora.Rectangulos[0].Alto),
              std::pair(-70, 130));
}

} // namespace
