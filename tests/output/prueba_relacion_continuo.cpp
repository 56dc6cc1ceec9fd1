// Relación de boletos en los dos anchos de papel y boletos en papel continuo.
#include "output/continuo.h"
#include "output/reduccion_prueba.h"
#include "output/relacion.h"
#include "support/impresora_falsa.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace quiniela;
using namespace quiniela::prueba;

namespace {

class ListasImpresas : public testing::Test {
protected:
    void SetUp() override { estado.Datos.FechaJornada = u"04/09/05"_s; }
    QStringList Textos(int pagina) const {
        QStringList r;
        for (const auto& t : impresora.TextosDePagina(pagina))
            r << t.Texto;
        return r;
    }
    QStringList Rotulos(int pagina) const { return Textos(pagina).filter(u"Boleto"_s); }
    CarpetaTemporal datos;
    EstadoGlobal estado = datos.Estado();
    ImpresoraFalsa impresora;
};

QString RotuloBoletos(std::initializer_list<int> numeros) {
    QString r(10, u' ');
    for (int n : numeros)
        r += u"Boleto"_s + QString::number(n).rightJustified(6) + QString(9, u' ');
    return r;
}

} // namespace

TEST_F(ListasImpresas, RelacionA4TresBloquesDeCuatroPorPagina) {
    GuardaReduccion(datos, estado, 12, 4, Columnas(8 * 13));
    std::vector<QString> avisos;
    OpcionesRelacion o{{1, 13}, 0, {}};
    o.Avisos.AlImprimir = [&](const QString& t) { avisos.push_back(t); };
    const ResultadoImpresion r = ImprimeRelacion(estado, impresora, o);
    EXPECT_EQ(r.Fin, FinImpresion::Terminada);
    EXPECT_EQ(r.Impresos, 4);
    EXPECT_EQ(impresora.Paginas, (std::vector<int>{1, 2}));
    EXPECT_EQ(impresora.Papeles[0], PapelA4Twips);
    EXPECT_EQ(Rotulos(1), (QStringList{RotuloBoletos({1, 2, 3, 4}), RotuloBoletos({5, 6, 7, 8}),
                                       RotuloBoletos({9, 10, 11, 12})}));
    EXPECT_EQ(Rotulos(2), QStringList{RotuloBoletos({13})});
    EXPECT_EQ(Textos(2).first(), QString(20, u' ') +
                                     u"JORNADA NRO. 12 DE FECHA 04/09/05 (Orden  4)"_s +
                                     QString(14, u' ') + u"Página..: 2"_s);
    EXPECT_EQ(avisos.back(), u"Imprimiendo el boleto nro. 13"_s);
    // Las líneas van una tras otra desde arriba: cabecera (5) y bloques de 22.
    const auto pagina1 = impresora.TextosDePagina(1);
    const int alto = ImpresoraFalsa::AltoLineaFalso(9.75);
    EXPECT_EQ(pagina1[0].Y, 3 * alto);
    EXPECT_EQ(pagina1[1].Y, (5 + 4) * alto); // los rótulos del primer bloque
}

TEST_F(ListasImpresas, RelacionPapelAnchoSieteBoletosYVeintiunoPorPagina) {
    GuardaReduccion(datos, estado, 12, 4, Columnas(8 * 22));
    const ResultadoImpresion r = ImprimeRelacion(estado, impresora, {{1, 22}, 1, {}});
    EXPECT_EQ(r.Impresos, 4);
    EXPECT_EQ(impresora.Paginas, (std::vector<int>{1, 2}));
    EXPECT_EQ(impresora.Papeles[0], QSize(AnchoPapel350Twips, PapelA4Twips.height()));
    EXPECT_EQ(Rotulos(1).size(), 3);
    EXPECT_EQ(Rotulos(1)[2], RotuloBoletos({15, 16, 17, 18, 19, 20, 21}));
    EXPECT_EQ(Rotulos(2), QStringList{RotuloBoletos({22})});
    EXPECT_TRUE(Textos(1).first().endsWith(QString(64, u' ') + u"Página..: 1"_s));
}

TEST_F(ListasImpresas, RelacionBoletosFueraDelRangoEnBlancoYSinRotulo) {
    const QStringList columnas = Columnas(8 * 9);
    GuardaReduccion(datos, estado, 12, 4, columnas);
    ImprimeRelacion(estado, impresora, {{3, 5}, 0, {}});
    EXPECT_EQ(Rotulos(1), QStringList{RotuloBoletos({3, 4, 5})});
    // Una raya de 15 bajo el rótulo de cada boleto impreso.
    EXPECT_EQ(Textos(1).filter(u"-----"_s),
              QStringList{QString(10, u' ') + (QString(15, u'-') + QString(6, u' ')).repeated(3)});
    const QStringList filas = Textos(1).filter(u" -  "_s);
    ASSERT_EQ(filas.size(), 15);
    // Fila del partido 1: los boletos 3, 4 y 5 con sus columnas; el cuarto en blanco.
    QString fila1 = u"    1 -  "_s;
    for (int b = 2; b <= 5; ++b) {
        for (int c = 0; c < 8; ++c)
            fila1 += b < 5 ? u" "_s + columnas[8 * b + c].at(0) : u"  "_s;
        fila1 += QString(5, u' ');
    }
    EXPECT_EQ(filas[0], fila1);
    EXPECT_TRUE(filas[14].startsWith(u"   15 -   "_s + columnas[16].at(14)));
}

TEST_F(ListasImpresas, ContinuoTresBoletosDosPaginasConReferencias) {
    GuardaReduccion(datos, estado, 12, 4, Columnas(8 * 3));
    OpcionesContinuo o{{1, 3}, false, 50, 20, QLocale::c(), {}};
    const ResultadoImpresion r = ImprimeContinuo(estado, impresora, o);
    EXPECT_EQ(r.Fin, FinImpresion::Terminada);
    EXPECT_EQ(r.Impresos, 3);
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
    const ResultadoImpresion r =
        ImprimeContinuo(estado, impresora, {{1, 1}, true, 0, 0, QLocale::c(), {}});
    EXPECT_EQ(r.Fin, FinImpresion::Terminada);
    EXPECT_EQ(impresora.Paginas.size(), 1u);
    EXPECT_EQ(impresora.Rectangulos.size(), 2u * (2 * 339 + 9));
    ASSERT_EQ(impresora.Textos.size(), 2u);
    EXPECT_EQ(impresora.Textos[1].X, 5990);
    EXPECT_EQ(impresora.Textos[1].Texto, u"999,999"_s);
}
