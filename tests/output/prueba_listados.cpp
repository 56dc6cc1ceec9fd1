// Listados impresos: datos básicos de la reducción, relación de boletos en los dos anchos,
// boletos en papel continuo, y las reglas de edición de su rango, márgenes y copias.
#include "core/datos_generales_tipo.h"
#include "matchdays/fichero_jornadas.h"
#include "output/continuo.h"
#include "output/datos_basicos.h"
#include "output/edicion_listados.h"
#include "output/reduccion_prueba.h"
#include "output/relacion.h"
#include "support/impresora_falsa.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace quiniela;
using namespace quiniela::prueba;

namespace {

class ListasImpresas : public testing::Test {
protected:
    void SetUp() override { estado.Datos.FechaJornada = u"04/09/05"_s; }
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
    const auto pon = [&](int casilla, const QString& nombre) {
        registro.replace(13 + 15 * (casilla - 1), nombre.size(), nombre);
    };
    pon(1, u"Real Madrid"_s);
    pon(2, u"Barcelona"_s);
    pon(3, u"Deportivo Alavés"_s.left(15));
    pon(4, u"Athletic Bilbao"_s);
    pon(5, u"Sevilla"_s);
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

} // namespace

// Las líneas enteras de cada método (partidos con nombres cortados, sin visitante, triple sin
// elegir, el 15 sin corchetes; el resumen propio de cada uno), como se imprimen.
TEST(DatosBasicos, LineasDeCadaMetodo) {
    for (int metodo : {1, 2, 3}) {
        const std::vector<QString> l = LineasDatosBasicos(Datos(metodo), MonedaImpresa());
        EXPECT_EQ(QStringList(l.begin(), l.end()).join(u'\n') + u'\n',
                  Esperado(u"datos_basicos_%1.txt"_s.arg(metodo)));
    }
    // En el correo, "euros" en vez del símbolo.
    const std::vector<QString> correo = LineasDatosBasicos(Datos(1), MonedaCorreo());
    EXPECT_EQ(correo[correo.size() - 3],
              QString(10, u' ') + u"Importe reducidas........: 6.250,00 euros"_s);
}

TEST(DatosBasicos, CopiasUnaPorPagina) {
    CarpetaTemporal datos;
    EstadoGlobal estado = datos.Estado();
    GuardaReduccion(datos, estado, 9, 12, Columnas(4));
    ImpresoraFalsa f;
    std::vector<QString> avisos;
    AvisosImpresion a;
    a.AlImprimir = [&](const QString& t) { avisos.push_back(t); };
    ImprimeDatosBasicos(estado, f, 2, QLocale::c(), a);
    EXPECT_EQ(f.DocumentosTerminados, (std::vector<int>{2}));
    EXPECT_EQ(avisos, (std::vector<QString>{u"Imprimiendo la copia nro. 1 de 2"_s,
                                            u"Imprimiendo la copia nro. 2 de 2"_s}));
    // Dos páginas iguales, desde el cuarto renglón.
    const QStringList paginas = Paginas(f).split(u"\n\f\n"_s);
    ASSERT_EQ(paginas.size(), 2);
    EXPECT_EQ(paginas[0] + u'\n', paginas[1]);
    EXPECT_TRUE(paginas[0].startsWith(u"\n\n\n     JORNADA NRO.  9"_s));
}

// A4: tres bloques de cuatro boletos por página; papel ancho: tres de siete; fuera del rango,
// los boletos van en blanco y sin rótulo.
TEST_F(ListasImpresas, RelacionEnLosDosAnchosYSoloDelRango) {
    const std::tuple<int, RangoBoletos, int, QString, QSize> casos[] = {
        {13, {1, 13}, 0, u"relacion_a4.txt"_s, PapelA4Twips},
        {22, {1, 22}, 1, u"relacion_350.txt"_s, QSize(AnchoPapel350Twips, PapelA4Twips.height())},
        {9, {3, 5}, 0, u"relacion_3_a_5.txt"_s, PapelA4Twips}};
    for (const auto& [boletos, rango, ancho, fichero, papel] : casos) {
        GuardaReduccion(datos, estado, 12, 4, Columnas(8 * boletos));
        ImpresoraFalsa f;
        QString aviso;
        ImprimeRelacion(estado, f,
                        {rango, ancho, {[&](const QString& t) { aviso = t; }, {}, nullptr}});
        EXPECT_EQ(f.Papeles.at(0), papel);
        EXPECT_EQ(Paginas(f), Esperado(fichero)) << fichero.toStdString();
        EXPECT_EQ(aviso, u"Imprimiendo el boleto nro. "_s + QString::number(rango.Final));
    }
    // Un rango que acaba a mitad de un bloque de tres: el aviso dice el último impreso (4), no
    // el último del bloque (6).
    QString aviso;
    ImpresoraFalsa f;
    ImprimeRelacion(estado, f, {{1, 4}, 0, {[&](const QString& t) { aviso = t; }, {}, nullptr}});
    EXPECT_EQ(aviso, u"Imprimiendo el boleto nro. 4"_s);
}

TEST_F(ListasImpresas, ContinuoTresBoletosDosPaginasConReferencias) {
    GuardaReduccion(datos, estado, 12, 4, Columnas(8 * 3));
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
}

TEST_F(ListasImpresas, ContinuoPruebaDosBoletosDePrueba) {
    ImprimeContinuo(estado, impresora, {{1, 1}, true, 0, 0, QLocale::c(), {}});
    EXPECT_EQ(impresora.Paginas.size(), 1u);
    EXPECT_EQ(impresora.Rectangulos.size(), 2u * (2 * 339 + 9));
}

TEST(EdicionListados, ValorEnteroComoSeTeclea) {
    const std::pair<QString, int64_t> casos[] = {
        {u"12"_s, 12}, {u"  7"_s, 7}, {u"12ab"_s, 12},
        {u"abc"_s, 0}, {u"-3"_s, -3}, {u""_s, 0},
        {u"+5"_s, 5},  {u"1 2"_s, 1}, {u"99999999999999999999999"_s, INT64_MAX}};
    for (const auto& [texto, valor] : casos)
        EXPECT_EQ(ValorEntero(texto), valor) << texto.toStdString();
}

TEST(EdicionListados, RangoAcotadoAntesDeLasReglas) {
    struct Caso {
        bool Inicial; // campo que se cierra
        QString Texto;
        RangoBoletos Antes, Despues;
    } casos[] = {
        {true, u""_s, {4, 6}, {1, 6}},
        {true, u"-3"_s, {4, 6}, {1, 6}},
        {true, u"99999999999999999999"_s, {4, 6}, {10, 10}}, // el total, y arrastra el final
        {true, u"5"_s, {4, 6}, {5, 6}},
        {false, u""_s, {4, 6}, {4, 10}},
        {false, u"12"_s, {4, 6}, {4, 10}},
        {false, u"2"_s, {4, 6}, {2, 2}}, // arrastra el inicial
        {false, u"-1"_s, {4, 6}, {1, 1}},
    };
    for (const Caso& k : casos) {
        RangoBoletos r = k.Antes;
        if (k.Inicial)
            CierraBoletoInicial(r, k.Texto, 10);
        else
            CierraBoletoFinal(r, k.Texto, 10);
        EXPECT_EQ(std::pair(r.Inicial, r.Final), std::pair(k.Despues.Inicial, k.Despues.Final))
            << (k.Inicial ? "inicial " : "final ") << k.Texto.toStdString();
    }
}

TEST(EdicionListados, MargenesTresCaracteresSinNegativosYPorPar) {
    const std::pair<QString, int> casos[] = {{u"125"_s, 125}, {u"1234"_s, 123}, {u"-5"_s, 0},
                                             {u""_s, 0},      {u"7x"_s, 7},     {u"-99"_s, 0}};
    for (const auto& [texto, valor] : casos)
        EXPECT_EQ(CierraMargen(texto), valor) << texto.toStdString();
    EXPECT_EQ(RecortaCampoCorto(u"12345"_s), u"123"_s);
    DatosGenerales d;
    PonMargenIzquierdo(d, 1, 40);
    PonMargenSuperior(d, 1, 50);
    for (int tipo : {0, 2, 4}) {
        PonMargenIzquierdo(d, tipo, 60 + tipo);
        EXPECT_EQ(MargenIzquierdo(d, tipo), 60 + tipo);
    }
    EXPECT_EQ(d.MargenIzquierdo, (std::array<int16_t, 3>{0, 40, 64}));
    EXPECT_EQ(d.MargenSuperior, (std::array<int16_t, 3>{0, 50, 0}));
}

TEST(EdicionListados, CopiasDeUnoANovecientosNoventaYNueve) {
    const std::pair<QString, QString> escribiendo[] = {{u"12"_s, u"12"_s}, {u"1234"_s, u"123"_s},
                                                       {u"0"_s, u""_s},    {u"-"_s, u""_s},
                                                       {u"abc"_s, u""_s},  {u"5a"_s, u"5a"_s}};
    for (const auto& [texto, campo] : escribiendo)
        EXPECT_EQ(CampoCopiasAlEscribir(texto), campo) << texto.toStdString();
    const std::pair<QString, int> cerrando[] = {
        {u""_s, 1}, {u"3"_s, 3}, {u"999"_s, 999}, {u"1000"_s, 100}, {u"0"_s, 1}};
    for (const auto& [texto, copias] : cerrando)
        EXPECT_EQ(CierraCopias(texto), copias) << texto.toStdString();
}
