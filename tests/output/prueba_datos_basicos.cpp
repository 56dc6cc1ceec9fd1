// Datos básicos de la reducción: líneas de cada método, el correo y las copias impresas.
#include "matchdays/fichero_jornadas.h"
#include "output/datos_basicos.h"
#include "output/reduccion_prueba.h"
#include "support/impresora_falsa.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace quiniela;
using namespace quiniela::prueba;

namespace {

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

const QString S10(10, u' ');

} // namespace

TEST(DatosBasicos, LineasDeCadaMetodo) {
    const QString cabeza = u"     JORNADA NRO.  9 DE FECHA 16/10/05 (Orden 12)"_s;
    const QString partido1 = u" 1. Real Madrid-Barcelona..........  1 X         [X]"_s;
    struct Caso {
        int Metodo;
        QStringList Titulos;
        QString Fila1;
        QStringList Resumen;
    } casos[] = {
        {1,
         {QString(36, u' ') + u"Quiniela  Partidos "_s,
          QString(36, u' ') + u"  base    reducidos "_s},
         partido1 + QString(12, u' '),
         {S10 + u"1.594.323 apuestas reducidas a 12.500"_s,
          S10 + u"Factor de reducción......: 127,55"_s,
          S10 + u"Importe reducidas........: 6.250,00 €"_s,
          S10 + u"Probabilidad 14 aciertos.: 0,78 %"_s,
          S10 + u"Probabilidad 13 aciertos.: 99,22 %"_s}},
        {2,
         {QString(36, u' ') + u"Quiniela  Partidos    Columna"_s,
          QString(36, u' ') + u"  base    reducidos   probable"_s},
         partido1 + u"         X  "_s,
         {S10 + u"1.594.323 apuestas reducidas a 12.500"_s,
          S10 + u"Factor de reducción......: 127,55"_s,
          S10 + u"Errores permitidos.......: De 1 a 3"_s,
          S10 + u"Importe reducidas........: 6.250,00 €"_s,
          S10 + u"Posibilidades cubiertas..: 0,78 %"_s}},
        {3,
         {QString(36, u' ') + u"Quiniela  Partidos "_s,
          QString(36, u' ') + u"  base    reducidos "_s},
         partido1 + QString(12, u' '),
         {S10 + u"1.594.323 apuestas reducidas a 12.500"_s,
          S10 + u"Factor de reducción......: 127,55"_s, S10 + u"Signos 1.................:  4, 5"_s,
          S10 + u"Signos X.................: 10"_s, S10 + u"Signos 2.................:  0"_s,
          S10 + u"Importe reducidas........: 6.250,00 €"_s,
          S10 + u"Posibilidades cubiertas..: 0,78 %"_s}},
    };
    for (const Caso& k : casos) {
        const std::vector<QString> l = LineasDatosBasicos(Datos(k.Metodo), MonedaImpresa());
        ASSERT_EQ(l.size(), 1 + 2 + 3 + 15 + 2 + size_t(k.Resumen.size())) << k.Metodo;
        EXPECT_EQ(l[0], cabeza);
        EXPECT_TRUE(l[1].isEmpty() && l[2].isEmpty() && l[5].isEmpty());
        EXPECT_EQ(QStringList({l[3], l[4]}), k.Titulos) << k.Metodo;
        EXPECT_EQ(l[6], k.Fila1) << k.Metodo;
        EXPECT_EQ(QStringList(l.end() - k.Resumen.size(), l.end()), k.Resumen) << k.Metodo;
    }
}

TEST(DatosBasicos, FilasDePartidos) {
    const DatosBasicos d = Datos(2);
    // Triple sin elegir, nombre del local a 15 y visitante; el 15 nunca lleva corchetes.
    EXPECT_EQ(LineaPartidoDatosBasicos(d, 2),
              u" 2. Deportivo Alavé-Athletic Bilbao  1 X 2       [ ]"_s + QString(12, u' '));
    EXPECT_EQ(LineaPartidoDatosBasicos(d, 3),
              u" 3. Sevilla........................  1"_s + QString(26, u' '));
    EXPECT_EQ(LineaPartidoDatosBasicos(d, 15),
              u"15. ...............................    X 2"_s + QString(22, u' '));
    for (int i = 1; i <= 15; ++i)
        EXPECT_EQ(LineaPartidoDatosBasicos(d, i).size(), 35 + 2 + 27) << i;
}

TEST(DatosBasicos, CorreoConEurosEnVezDelSimbolo) {
    const std::vector<QString> l = LineasDatosBasicos(Datos(1), MonedaCorreo());
    EXPECT_EQ(l[l.size() - 3], S10 + u"Importe reducidas........: 6.250,00 euros"_s);
}

TEST(DatosBasicos, CopiasUnaPorPagina) {
    CarpetaTemporal datos;
    EstadoGlobal estado = datos.Estado();
    GuardaReduccion(datos, estado, 9, 12, Columnas(4));
    ImpresoraFalsa f;
    std::vector<QString> avisos;
    AvisosImpresion a;
    a.AlImprimir = [&](const QString& t) { avisos.push_back(t); };
    const ResultadoImpresion r = ImprimeDatosBasicos(estado, f, 2, QLocale::c(), a);
    EXPECT_EQ(r.Fin, FinImpresion::Terminada);
    EXPECT_EQ(f.Paginas, (std::vector<int>{1, 2}));
    EXPECT_EQ(f.DocumentosTerminados, (std::vector<int>{2}));
    EXPECT_EQ(avisos, (std::vector<QString>{u"Imprimiendo la copia nro. 1 de 2"_s,
                                            u"Imprimiendo la copia nro. 2 de 2"_s}));
    const auto pagina2 = f.TextosDePagina(2);
    EXPECT_EQ(pagina2.front().Y, 3 * ImpresoraFalsa::AltoLineaFalso(9.75));
    EXPECT_TRUE(pagina2.front().Texto.startsWith(u"     JORNADA NRO.  9"_s));
    EXPECT_EQ(f.TextosDePagina(1).size(), pagina2.size());
}
