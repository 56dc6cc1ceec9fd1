#include "core/datos_generales_tipo.h"
#include "matchdays/fichero_jornadas.h"
#include "output/continuo.h"
#include "output/cuenta_correo.h"
#include "output/datos_basicos.h"
#include "output/direcciones.h"
#include "output/edicion_listados.h"
#include "output/envio_correo.h"
#include "output/impresion_boletos.h"
#include "output/marcas_boleto.h"
#include "output/mensaje_correo.h"
#include "output/reduccion_prueba.h"
#include "output/relacion.h"
#include "support/impresora_falsa.h"
#include "support/mime_prueba.h"
#include "support/transporte_falso.h"

#include <QFile>
#include <QTimeZone>

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>
#include <tuple>

using namespace Qt::StringLiterals;
using namespace quiniela;
using namespace quiniela::prueba;

namespace {

using Rect = std::tuple<int, int, int, int>;
using Celda = std::tuple<int, int, int>; // columna, partido, posición

// Rectángulos de una página (0: todas).
std::multiset<Rect> Rectangulos(const ImpresoraFalsa& f, int pagina = 0) {
    std::multiset<Rect> r;
    for (const auto& x : f.Rectangulos)
        if (pagina == 0 || x.Pagina == pagina)
            r.insert({x.X, x.Y, x.Ancho, x.Alto});
    return r;
}

// La matriz de un boleto con esas columnas (las que falten, huecos).
MatrizMarcas Matriz(const QStringList& columnas) {
    std::array<std::string, 8> texto;
    std::array<std::string_view, 8> vistas;
    for (int j = 0; j < 8; ++j) {
        texto[j] = j < columnas.size() ? columnas[j].toStdString() : std::string(15, ' ');
        vistas[j] = texto[j];
    }
    return MatrizDeBoleto(vistas);
}

std::set<Celda> Celdas(const QStringList& columnas) {
    const MatrizMarcas m = Matriz(columnas);
    std::set<Celda> r;
    for (int c = 1; c <= 8; ++c)
        for (int p = 1; p <= 15; ++p)
            for (int s = 1; s <= 3; ++s)
                if (m.Marcada(c, p, s))
                    r.insert({c, p, s});
    return r;
}

std::multiset<Rect> Dibujo(const QStringList& columnas, int orientacion, bool referencias) {
    ImpresoraFalsa f;
    DibujaBoleto(f, Matriz(columnas), 1, orientacion, {30, 40, 0, referencias}, QLocale::c());
    return Rectangulos(f, 1);
}

class Salida : public testing::Test {
protected:
    void SetUp() override { estado.Datos.FechaJornada = u"04/09/05"_s; }
    OpcionesBoletos Opciones(int64_t desde, int64_t hasta) {
        return {.Rango = {desde, hasta},
                .MargenIzquierdo = 30,
                .MargenSuperior = 40,
                .Regional = QLocale::c(),
                .Avisos = {},
                .TrasBoleto = {}};
    }
    CarpetaTemporal datos;
    EstadoGlobal estado = datos.Estado();
    ImpresoraFalsa impresora;
};

// Las páginas como se verían: cada texto en su renglón (su altura entre el alto de línea) y
// un salto de página entre ellas.
QString Paginas(const ImpresoraFalsa& f) {
    const int alto = ImpresoraFalsa::AltoLineaFalso(9.75);
    QStringList paginas;
    for (const int pagina : f.Paginas) {
        QStringList renglones;
        for (const auto& t : f.TextosDePagina(pagina)) {
            EXPECT_EQ(std::pair(t.X, t.Y % alto), std::pair(0, 0)) << t.Texto.toStdString();
            renglones.resize(std::max(renglones.size(), qsizetype(t.Y / alto + 1)));
            renglones[t.Y / alto] += t.Texto; // dos en el mismo renglón se verían juntos
        }
        paginas << renglones.join(u'\n');
    }
    return paginas.join(u"\n\f\n"_s) + u'\n';
}

QString Esperado(const QString& nombre) {
    QFile f(QStringLiteral(QUINIELA_FUENTES "/tests/datos/output/") + nombre);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << nombre.toStdString();
    return QString::fromUtf8(f.readAll());
}

// Partidos 1 y 2 con nombres (uno cortado), el 3 sin visitante; dobles y un triple.
DatosBasicos Datos(int metodo) {
    DatosBasicos d;
    d.Jornada = 9;
    d.Orden = 12;
    d.Fecha = u"16/10/05"_s;
    QString registro(LongitudRegistroJornada, u' ');
    const QString equipos[] = {u"Real Madrid"_s, u"Barcelona"_s, u"Deportivo Alavés"_s.left(15),
                               u"Athletic Bilbao"_s, u"Sevilla"_s};
    for (int casilla = 0; casilla < 5; ++casilla)
        registro.replace(13 + 15 * casilla, equipos[casilla].size(), equipos[casilla]);
    d.RegistroJornada = registro;
    Reduccion& r = d.Red;
    r.Metodo = int16_t(metodo);
    r.Base[1].Signo = {0, 1, 1, 0}; // doble elegido, probable "X"
    r.Base[1].AReducir = 1;
    r.Base[1].SignoProbable = 2;
    r.Base[2].Signo = {0, 1, 1, 1}; // triple no elegido
    r.Base[15].Signo = {0, 0, 1, 1};
    for (int m : {1, 2, 15})
        r.Base[m].RecuentaSignos();
    r.ApuestasBase = 1594323;
    r.ApuestasReducidas = 12500;
    r.MinErrores = 1;
    r.MaxErrores = 3;
    r.Totales(1, 4) = r.Totales(1, 5) = r.Totales(2, 10) = r.Totales(3, 0) = 1;
    d.Precio = 0.5;
    d.Regional = QLocale(QLocale::Spanish, QLocale::Spain);
    return d;
}

bool LineasCortas(const QByteArray& texto, int maximo) {
    for (const QByteArray& l : texto.split('\n'))
        if (l.size() > maximo + 1) // con su CR
            return false;
    return true;
}

} // namespace

TEST(DibujoBoleto, MatrizCajasNumeroYReferenciasDeLasDosDisposiciones) {
    std::set<Celda> esperadas;
    for (int p = 1; p <= 14; ++p)
        esperadas.insert({1, p, (p - 1) % 3 + 1}); // (1,1,1), (1,2,2), (1,3,3) … (1,14,2)
    esperadas.insert({6, 15, 1});                  // el "2" del partido 15
    EXPECT_EQ(Celdas({u"1X21X21X21X21X2"_s}), esperadas);
    // El partido 15, solo por la primera columna.
    const std::tuple<QString, QString, Celda> casos[] = {
        {u"111111111111111"_s, u"22222222222222X"_s, {4, 15, 3}},
        {u"11111111111111X"_s, u"222222222222222"_s, {5, 15, 2}},
        {u"x1111111111111x"_s, u"222222222222221"_s, {5, 15, 2}},
        {u"111111111111112"_s, u"11111111111111X"_s, {6, 15, 1}}};
    for (const auto& [primera, segunda, celda15] : casos) {
        const auto celdas = Celdas({primera, segunda});
        EXPECT_TRUE(celdas.count(celda15)) << primera.toStdString();
        EXPECT_EQ(celdas.size(), 14u * 2 + 1) << primera.toStdString(); // una sola en el 15
    }
    // Márgenes de 10 mm a la izquierda (567 twips) y 2 mm arriba (113,4 twips).
    ImpresoraFalsa f;
    DibujaBoleto(f, MatrizPrueba(), 999999, 1, {100, 20, 0, true}, QLocale(QLocale::Spanish));
    // Las referencias y cada caja dos veces en el mismo sitio, 70 × 130.
    std::multiset<Rect> esperados{
        {292, 7, 145, 170},    {8820, 7, 145, 170},   {8975, 1032, 57, 227},
        {8975, 1375, 57, 227}, {8975, 2400, 57, 227}, {8975, 2743, 57, 227},
        {8975, 3086, 57, 227}, {8975, 3429, 57, 227}, {8975, 4116, 57, 227}};
    const auto dos = [&](const Rect& r) { esperados.insert({r, r}); };
    for (int k = 0; k < 24; ++k)
        for (int m = 1; m <= 14; ++m)
            dos({1507 + 212 * k, qRound(113.4 + 10 + (15 - m) * 284), 70, 130});
    for (int x : {3203, 3627, 4051}) // celdas 16, 14 y 12 de la fila del partido 15
        dos({x, 123, 70, 130});
    EXPECT_EQ(Rectangulos(f), esperados);
    ASSERT_EQ(f.Textos.size(), 1u);
    EXPECT_EQ(
        std::tuple(f.Textos[0].X, f.Textos[0].Y, f.Textos[0].Texto, f.Textos[0].Fuente.Puntos),
        std::tuple(7067, 123, u"999.999"_s, 9.0));

    // Disposición 2, segundo boleto del formulario.
    ImpresoraFalsa g;
    DibujaBoleto(g, Matriz({u"1X21X21X21X21X2"_s}), 1234, 2, {100, 20, 1, true}, QLocale::c());
    esperados = {{11677, 178, 170, 145}, {11677, 8706, 170, 145}, {7521, 8861, 227, 57},
                 {8208, 8861, 227, 57},  {8551, 8861, 227, 57},   {8894, 8861, 227, 57},
                 {9237, 8861, 227, 57},  {10263, 8861, 227, 57},  {10605, 8861, 227, 57}};
    const int xPartido1 = 567 + 1050 + 5990;
    for (int m = 1; m <= 14; ++m) {
        const int k = 23 - (m - 1) % 3; // columna 1: sus tres posiciones son las de abajo
        dos({xPartido1 + (m - 1) * 284, qRound(113.4 + 1270 + k * 213), 130, 70});
    }
    dos({xPartido1 + 14 * 284, qRound(113.4 + 1270 + 8 * 213), 130, 70});
    EXPECT_EQ(Rectangulos(g), esperados);
    ASSERT_EQ(g.Textos.size(), 1u);
    EXPECT_EQ(std::tuple(g.Textos[0].X, g.Textos[0].Y, g.Textos[0].Texto),
              std::tuple(6557, 113, u"1,234"_s));

    // Sin referencias en el anverso.
    for (int orientacion : {1, 2}) {
        ImpresoraFalsa f;
        DibujaBoleto(f, MatrizMarcas(), 1, orientacion, {0, 0, 0, false}, QLocale::c());
        EXPECT_TRUE(f.Rectangulos.empty()) << orientacion;
        ASSERT_EQ(f.Textos.size(), 1u);
        // Sin márgenes, el número va donde dice cada disposición.
        EXPECT_EQ(std::pair(f.Textos[0].X, f.Textos[0].Y),
                  orientacion == 1 ? std::pair(6500, 10) : std::pair(0, 0));
    }
}

TEST_F(Salida,
       BoletoInicialTresLeeDesdeElRegistro17CancelarGuardaLoImpresoYCadaGrupoEmpiezaBoleto) {
    EXPECT_EQ(ByteDeBoleto(3), 304);
    const QStringList columnas = ColumnasPrueba(37); // 5 boletos, el último con 5 columnas
    GuardaReduccion(datos, estado, 7, 3, columnas);
    std::vector<QString> avisos;
    OpcionesBoletos o = Opciones(3, 5);
    o.Orientacion = 2;
    o.Avisos.AlImprimir = [&](const QString& t) { avisos.push_back(t); };
    const ResultadoImpresion r = ImprimeBoletos(estado, impresora, o);
    EXPECT_EQ(std::pair(r.Fin, r.Impresos), std::pair(FinImpresion::Terminada, int64_t(3)));
    // Página 1: las columnas 17 a 24; la 3: las 33 a 37 y tres huecos.
    EXPECT_EQ(Rectangulos(impresora, 1), Dibujo(columnas.mid(16, 8), 2, false));
    EXPECT_EQ(Rectangulos(impresora, 3), Dibujo(columnas.mid(32), 2, false));
    EXPECT_EQ(avisos, (std::vector<QString>{u"Imprimiendo el boleto nro. 3"_s,
                                            u"Imprimiendo el boleto nro. 4"_s,
                                            u"Imprimiendo el boleto nro. 5"_s}));
    // Cancelar desde fuera para tras el boleto en curso y guarda lo impreso.
    std::atomic<bool> cancelar{false};
    o.Avisos.CancelarProceso = &cancelar;
    o.Avisos.AlImprimir = [&](const QString& t) { cancelar = t.endsWith(u" 4"_s); };
    const ResultadoImpresion c = ImprimeBoletos(estado, impresora, o);
    EXPECT_EQ(std::pair(c.Fin, c.Impresos), std::pair(FinImpresion::Cancelada, int64_t(2)));
    EXPECT_EQ(impresora.DocumentosTerminados, (std::vector<int>{3, 2}));
    // Salir tras el último boleto, uno a uno, no es cancelar: el rango está completo.
    o.Avisos.AlImprimir = nullptr;
    cancelar = false;
    o.TrasBoleto = [](int64_t, bool ultimo) {
        return ultimo ? DecisionBoleto::Cancelar : DecisionBoleto::Siguiente;
    };
    const ResultadoImpresion completo = ImprimeBoletos(estado, impresora, o);
    EXPECT_EQ(std::pair(completo.Fin, completo.Impresos),
              std::pair(FinImpresion::Terminada, int64_t(3)));
    // 10 columnas con "1" y 3 con "X": el boleto 2 tiene 2 columnas y 6 huecos.
    const QStringList grupos = ColumnasPrueba(10, u'1') + ColumnasPrueba(3, u'X', 50);
    GuardaReduccion(datos, estado, 7, 3, grupos);
    OpcionesBoletos reverso = Opciones(2, 2);
    reverso.Reverso = true;
    ImpresoraFalsa g;
    ImprimeBoletos(estado, g, reverso);
    EXPECT_EQ(g.Paginas.size(), 1u);
    EXPECT_EQ(Rectangulos(g, 1), Dibujo(grupos.mid(8, 2), 1, true));
}

TEST_F(Salida, AvisoDeUnaColumnaPorColumnasDelUltimoBoleto) {
    const std::pair<QStringList, bool> casos[] = {
        {ColumnasPrueba(17), true},                                    // 8 + 8 + 1
        {ColumnasPrueba(9, u'1') + ColumnasPrueba(9, u'X', 20), true}, // dos boletos de una
        {ColumnasPrueba(16), false},                                   // 8 + 8
        {ColumnasPrueba(3, u'1') + ColumnasPrueba(3, u'X', 20) + ColumnasPrueba(3, u'2', 40),
         false},
    };
    for (const auto& [columnas, avisa] : casos) {
        GuardaReduccion(datos, estado, 7, 3, columnas);
        std::vector<QString> titulos;
        OpcionesBoletos o = Opciones(1, 1);
        o.Avisos.AlAvisar = [&](const MensajeImpresion& m) { titulos.push_back(m.Titulo); };
        ImprimeBoletos(estado, impresora, o);
        EXPECT_EQ(titulos, avisa ? std::vector<QString>{u"ÚLTIMO BOLETO INCOMPLETO"_s}
                                 : std::vector<QString>{})
            << columnas.size();
    }
}

TEST_F(Salida, SinReduccionOSinColumnasNoSeImprimeNada) {
    estado.Datos.JornadaActual = 7;
    estado.Datos.OrdenActual = 3;
    LeeFicheroBases(estado);
    const auto tipos = [&](ImpresoraFalsa& f) {
        return std::vector<ResultadoImpresion>{
            ImprimeBoletos(estado, f, Opciones(1, 1)), ImprimeRelacion(estado, f, {{1, 1}, 0, {}}),
            ImprimeContinuo(estado, f, {{1, 1}, false, 0, 0, QLocale::c(), {}}),
            ImprimeDatosBasicos(estado, f, 1, QLocale::c(), {})};
    };
    for (const ResultadoImpresion& r : tipos(impresora)) {
        EXPECT_EQ(r.Fin, FinImpresion::SinReduccion);
        ASSERT_TRUE(r.Mensaje);
        EXPECT_TRUE(r.Mensaje->Texto.contains(u"jornada 7 con el orden 3"_s));
    }
    EXPECT_TRUE(impresora.Paginas.empty());
    // Con la reducción en el índice pero sin su fichero de columnas.
    GuardaReduccion(datos, estado, 7, 3, ColumnasPrueba(9));
    QFile::remove(datos.Ruta(u"RED0703.ZPK"_s));
    const std::vector<ResultadoImpresion> sinColumnas = tipos(impresora);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(sinColumnas[i].Fin, FinImpresion::SinColumnas);
        EXPECT_TRUE(sinColumnas[i].Mensaje->Texto.contains(u"RED0703.ZPK"_s));
    }
    EXPECT_EQ(sinColumnas[3].Fin, FinImpresion::Terminada); // los datos básicos no las leen
    EXPECT_EQ(impresora.Paginas.size(), 1u);
}

TEST_F(Salida, DatosBasicosLineasDeCadaMetodoYUnaCopiaPorPagina) {
    for (int metodo : {1, 2, 3}) {
        const std::vector<QString> l = LineasDatosBasicos(Datos(metodo), MonedaImpresa());
        EXPECT_EQ(QStringList(l.begin(), l.end()).join(u'\n') + u'\n',
                  Esperado(u"datos_basicos_%1.txt"_s.arg(metodo)));
    }
    // En el correo, "euros" en vez del símbolo.
    const std::vector<QString> correo = LineasDatosBasicos(Datos(1), MonedaCorreo());
    EXPECT_EQ(correo[correo.size() - 3],
              QString(10, u' ') + u"Importe reducidas........: 6.250,00 euros"_s);
    GuardaReduccion(datos, estado, 9, 12, ColumnasPrueba(4));
    std::vector<QString> avisos;
    ImprimeDatosBasicos(estado, impresora, 2, QLocale::c(),
                        {[&](const QString& t) { avisos.push_back(t); }, {}, nullptr});
    EXPECT_EQ(impresora.DocumentosTerminados, (std::vector<int>{2}));
    EXPECT_EQ(avisos, (std::vector<QString>{u"Imprimiendo la copia nro. 1 de 2"_s,
                                            u"Imprimiendo la copia nro. 2 de 2"_s}));
    // Dos páginas iguales, desde el cuarto renglón.
    const QStringList paginas = Paginas(impresora).split(u"\n\f\n"_s);
    ASSERT_EQ(paginas.size(), 2);
    EXPECT_EQ(paginas[0] + u'\n', paginas[1]);
    EXPECT_TRUE(paginas[0].startsWith(u"\n\n\n     JORNADA NRO.  9"_s));
}

// A4: tres bloques de cuatro boletos por página; papel ancho: tres de siete; fuera del rango,
// los boletos van en blanco y sin rótulo.
TEST_F(Salida, RelacionEnLosDosAnchosYSoloDelRango) {
    const std::tuple<int, RangoBoletos, int, QString, QSize> casos[] = {
        {13, {1, 13}, 0, u"relacion_a4.txt"_s, PapelA4Twips},
        {22, {1, 22}, 1, u"relacion_350.txt"_s, QSize(AnchoPapel350Twips, PapelA4Twips.height())},
        {9, {3, 5}, 0, u"relacion_3_a_5.txt"_s, PapelA4Twips}};
    for (const auto& [boletos, rango, ancho, fichero, papel] : casos) {
        GuardaReduccion(datos, estado, 12, 4, ColumnasPrueba(8 * boletos));
        ImpresoraFalsa f;
        QString aviso;
        ImprimeRelacion(estado, f,
                        {rango, ancho, {[&](const QString& t) { aviso = t; }, {}, nullptr}});
        EXPECT_EQ(f.Papeles.at(0), papel);
        EXPECT_EQ(Paginas(f), Esperado(fichero)) << fichero.toStdString();
        // El último impreso, aunque el rango acabe a mitad de un bloque (3 a 5: no el 8).
        EXPECT_EQ(aviso, u"Imprimiendo el boleto nro. "_s + QString::number(rango.Final));
    }
}

TEST_F(Salida, ContinuoTresBoletosDosPaginasConReferenciasYLaPrueba) {
    GuardaReduccion(datos, estado, 12, 4, ColumnasPrueba(8 * 3));
    OpcionesContinuo o{{1, 3}, false, 50, 20, QLocale::c(), {}};
    EXPECT_EQ(ImprimeContinuo(estado, impresora, o).Impresos, 3);
    EXPECT_EQ(impresora.Paginas, (std::vector<int>{1, 2}));
    EXPECT_EQ(impresora.Papeles[0], QSize(PapelA4Twips.width(), 8986)); // 158,5 mm
    std::vector<std::tuple<int, int, int, QString>> numeros;
    for (const auto& t : impresora.Textos)
        numeros.push_back({t.Pagina, t.X, t.Y, t.Texto});
    // x = 50 × 5,67 = 283,5, y = 113,4; el segundo boleto 5990 twips más a la derecha.
    EXPECT_EQ(numeros, (std::vector<std::tuple<int, int, int, QString>>{
                           {1, 284, 113, u"1"_s}, {1, 6274, 113, u"2"_s}, {2, 284, 113, u"3"_s}}));
    int referencias = 0;
    for (const auto& x : impresora.Rectangulos)
        referencias += (x.Ancho == 227 && x.Alto == 57) || (x.Ancho == 170 && x.Alto == 145);
    EXPECT_EQ(referencias, 3 * 9);
    // La prueba: dos boletos con todas las casillas en un formulario.
    ImpresoraFalsa prueba;
    ImprimeContinuo(estado, prueba, {{1, 1}, true, 0, 0, QLocale::c(), {}});
    EXPECT_EQ(prueba.Paginas.size(), 1u);
    EXPECT_EQ(prueba.Rectangulos.size(), 2u * (2 * 339 + 9));
}

TEST(EdicionListados, ValorEnteroMargenesCopiasYRangoAcotadoAntesDeLasReglas) {
    const std::pair<QString, int> casos[] = {{u"125"_s, 125}, {u"1234"_s, 123}, {u"-5"_s, 0},
                                             {u""_s, 0},      {u"7x"_s, 7},     {u"-99"_s, 0}};
    for (const auto& [texto, valor] : casos)
        EXPECT_EQ(CierraMargen(texto), valor) << texto.toStdString();
    EXPECT_EQ(RecortaCampoCorto(u"12345"_s), u"123"_s);
    const std::pair<QString, int64_t> valores[] = {
        {u"12"_s, 12}, {u"  7"_s, 7}, {u"12ab"_s, 12},
        {u"abc"_s, 0}, {u"-3"_s, -3}, {u""_s, 0},
        {u"+5"_s, 5},  {u"1 2"_s, 1}, {u"99999999999999999999999"_s, INT64_MAX}};
    for (const auto& [texto, valor] : valores)
        EXPECT_EQ(ValorEntero(texto), valor) << texto.toStdString();
    DatosGenerales d;
    PonMargenIzquierdo(d, 1, 40);
    PonMargenSuperior(d, 1, 50);
    for (int tipo : {0, 2, 4}) {
        PonMargenIzquierdo(d, tipo, 60 + tipo);
        EXPECT_EQ(MargenIzquierdo(d, tipo), 60 + tipo);
    }
    EXPECT_EQ(d.MargenIzquierdo, (std::array<int16_t, 3>{0, 40, 64}));
    EXPECT_EQ(d.MargenSuperior, (std::array<int16_t, 3>{0, 50, 0}));
    // Copias, de 1 a 999.
    const std::pair<QString, QString> escribiendo[] = {{u"12"_s, u"12"_s}, {u"1234"_s, u"123"_s},
                                                       {u"0"_s, u""_s},    {u"-"_s, u""_s},
                                                       {u"abc"_s, u""_s},  {u"5a"_s, u"5a"_s}};
    for (const auto& [texto, campo] : escribiendo)
        EXPECT_EQ(CampoCopiasAlEscribir(texto), campo) << texto.toStdString();
    const std::pair<QString, int> cerrando[] = {
        {u""_s, 1}, {u"3"_s, 3}, {u"999"_s, 999}, {u"1000"_s, 100}, {u"0"_s, 1}};
    for (const auto& [texto, copias] : cerrando)
        EXPECT_EQ(CierraCopias(texto), copias) << texto.toStdString();
    // El rango (4 a 6 de 10) se acota antes de aplicar las reglas: un inicial más allá del final
    // lo arrastra, y al revés.
    const std::tuple<bool, QString, int64_t, int64_t> rangos[] = {
        {true, u""_s, 1, 6},   {true, u"-3"_s, 1, 6}, {true, u"99999999999999999999"_s, 10, 10},
        {true, u"5"_s, 5, 6},  {false, u""_s, 4, 10}, {false, u"12"_s, 4, 10},
        {false, u"2"_s, 2, 2}, {false, u"-1"_s, 1, 1}};
    for (const auto& [inicial, texto, desde, hasta] : rangos) {
        RangoBoletos r{4, 6};
        if (inicial)
            CierraBoletoInicial(r, texto, 10);
        else
            CierraBoletoFinal(r, texto, 10);
        EXPECT_EQ(std::pair(r.Inicial, r.Final), std::pair(desde, hasta))
            << inicial << texto.toStdString();
    }
    // Sin reducción no hay boletos: el rango es 0 a 0, como los "0 Boletos" de la salida.
    EXPECT_EQ(std::pair(RangoCompleto(0).Inicial, RangoCompleto(0).Final),
              std::pair(int64_t(0), int64_t(0)));
    EXPECT_EQ(RangoCompleto(3).Final, 3);
    RangoBoletos vacio = RangoCompleto(0);
    CierraBoletoInicial(vacio, u"5"_s, 0);
    CierraBoletoFinal(vacio, QString(), 0);
    EXPECT_EQ(std::pair(vacio.Inicial, vacio.Final), std::pair(int64_t(0), int64_t(0)));
}

TEST(MensajeCorreo, MensajeEnteroByteAByteQuotedPrintableCabecerasYDireccionesSencillas) {
    CabecerasCorreo c;
    c.Remitente = u"pena@ejemplo.es"_s;
    c.Destinatario = u"ana@x.es"_s;
    c.Asunto = AsuntoCorreo(5, 12);
    c.Fecha = QDateTime(QDate(2026, 12, 7), QTime(3, 4, 5), QTimeZone(3600));
    c.IdMensaje = u"1234@ejemplo.es"_s;
    const QByteArray cuerpo =
        u"Línea = uno \r\n\r\nApuesta nro.    1  1X21X21X21X21X2\r\n"_s.toUtf8();
    // El mensaje sale por trozos, pequeños a propósito, y es el de siempre byte a byte.
    MensajeCorreo mensaje(c, cuerpo, nullptr);
    QByteArray entero;
    char trozo[5];
    for (qint64 n; (n = mensaje.Lee(trozo, sizeof trozo)) > 0;)
        entero.append(trozo, n);
    EXPECT_EQ(entero.size(), mensaje.Tamano());
    EXPECT_EQ(QString::fromUtf8(entero), Esperado(u"mensaje_correo.eml"_s));
    EXPECT_EQ(
        FechaCorreo(QDateTime(QDate(2026, 1, 2), QTime(23, 0), QTimeZone(-(3 * 3600 + 1800)))),
        "Fri, 02 Jan 2026 23:00:00 -0330");
    EXPECT_EQ(LineaApuestaCorreo(123456, "1X2"), "Apuesta nro.123456  1X2\r\n");
    std::mt19937 azar(7);
    const QStringList trozos = {u"a"_s, u"b"_s, u" "_s, u"="_s, u"\t"_s,  u"."_s,
                                u"ñ"_s, u"€"_s, u"😀"_s, u"X"_s, u"\r\n"_s};
    for (int caso = 0; caso < 300; ++caso) {
        QString texto;
        const int largo = int(azar() % 400);
        for (int i = 0; i < largo; ++i)
            texto += trozos[int(azar() % trozos.size())];
        const QByteArray utf8 = texto.toUtf8();
        const QByteArray qp = CodificaQuotedPrintable(utf8);
        ASSERT_EQ(DecodificaQp(qp), utf8) << caso;
        ASSERT_TRUE(LineasCortas(qp, 76)) << caso;
        // Ningún blanco al final de una línea codificada: se perdería por el camino.
        ASSERT_FALSE(qp.contains(" \r\n") || qp.contains("\t\r\n") || qp.endsWith(' ')) << caso;
    }
    // Una cabecera larga se pliega sin partir caracteres.
    const QString asunto = u"Reducción "_s.repeated(12) + u"ñ😀"_s;
    const QByteArray valor = CodificaCabecera(asunto, 9);
    EXPECT_TRUE(LineasCortas("Subject: " + valor, 78));
    EXPECT_EQ(DecodificaCabecera(valor), asunto);
    EXPECT_GT(valor.count("\r\n "), 1);
    // Un texto corto en ASCII va tal cual; uno con un salto de línea no abre otra cabecera.
    EXPECT_EQ(CodificaCabecera(u"Hola"_s, 9), "Hola");
    EXPECT_FALSE(CodificaCabecera(u"a\r\nBcc: x@y.es"_s, 9).contains('\n'));
    // Solo una dirección sencilla se envía.
    for (const QString& d : {u"pepe@x.es"_s, u"a.b+c_d-e@sub.dominio.org"_s, u"x@y"_s})
        EXPECT_TRUE(EsDireccionValida(d)) << d.toStdString();
    const QString larga = QString(250, u'a') + u"@x.es"_s;
    for (const QString& d :
         {QString(), u" pepe@x.es"_s, u"pepexes"_s, u"@x.es"_s, u"pepe@"_s, u"a@b@c.es"_s,
          u"a,b@x.es"_s, u"a;b@x.es"_s, u"pe pe@x.es"_s, u"a@x.es\r\nRCPT TO:<otro@y.es>"_s,
          u"<a@x.es>"_s, u"a@x.es\u0000"_s, u"peña@x.es"_s, larga})
        EXPECT_FALSE(EsDireccionValida(d)) << d.toStdString();
    EXPECT_TRUE(EsDireccionValida(larga.right(LargoMaximoDireccion)));
}

TEST_F(Salida, CorreoSinFicheroDeColumnasRemitenteMaloYCuentaGuardada) {
    EXPECT_TRUE(CargaLisDirecciones(estado).Direcciones.isEmpty()); // y lo crea vacío
    EXPECT_TRUE(QFile::exists(datos.Ruta(u"DIRECC.ZPK"_s)));
    // Como los campos de una línea: la coma separa y cada parte se recorta.
    datos.Escribe(u"DIRECC.ZPK"_s, "ana@y.es\r\nmal, hecha\r\n");
    EXPECT_EQ(CargaLisDirecciones(estado).Direcciones,
              (QStringList{u"ana@y.es"_s, u"mal"_s, u"hecha"_s}));
    GuardaReduccion(datos, estado, 2, 1, ColumnasPrueba(2));
    QFile::remove(datos.Ruta(NombreFicheroApuestas(2, 1)));
    const PreparacionCorreo p = PreparaEnvio(estado, {{u"a@x.es"_s}, true, true}, QLocale::c());
    CuentaCorreo c;
    c.Servidor = u"smtp.ejemplo.es"_s;
    c.Remitente = u"pena@ejemplo.es"_s;
    TransporteFalso t;
    EjecutaEnvio(*p.Envio, c, {}, t, {});
    const QString cuerpo = DecodificaMensaje(t.Enviados.at(0).Mensaje).Cuerpo;
    EXPECT_TRUE(cuerpo.startsWith(u"     JORNADA NRO.  2"_s)) << cuerpo.toStdString();
    EXPECT_FALSE(cuerpo.contains(u"Apuesta"_s));
    CuentaCorreo mala = c;
    mala.Remitente = u"pena@x.es\r\nBcc: todos@y.es"_s;
    TransporteFalso otro;
    EXPECT_EQ(EjecutaEnvio(*p.Envio, mala, {}, otro, {}).Fin, FinEnvio::Fallido);
    EXPECT_EQ(otro.Aperturas, 0);
    // La cuenta va y vuelve por los ajustes; una seguridad desconocida es STARTTLS.
    c.Puerto = 2525;
    c.Seguridad = SeguridadCorreo::Ninguna;
    c.Usuario = u"pena"_s;
    c.Certificado = u"/ruta/ca.pem"_s;
    QSettings a(datos.Ruta(u"ajustes.ini"_s), QSettings::IniFormat);
    GuardaCuentaCorreo(a, c);
    const CuentaCorreo l = LeeCuentaCorreo(a);
    EXPECT_EQ(std::tie(l.Servidor, l.Puerto, l.Seguridad, l.Usuario, l.Remitente, l.Certificado),
              std::tie(c.Servidor, c.Puerto, c.Seguridad, c.Usuario, c.Remitente, c.Certificado));
    a.setValue(u"correo/seguridad"_s, u"quizá"_s);
    EXPECT_EQ(LeeCuentaCorreo(a).Seguridad, SeguridadCorreo::StartTls);
}
