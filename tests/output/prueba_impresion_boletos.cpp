// Impresión de boletos desde el fichero de boletos: rango, repetición, cancelación, avisos.
#include "output/continuo.h"
#include "output/datos_basicos.h"
#include "output/impresion_boletos.h"
#include "output/reduccion_prueba.h"
#include "output/relacion.h"
#include "support/impresora_falsa.h"

#include <gtest/gtest.h>

#include <set>
#include <tuple>

using namespace Qt::StringLiterals;
using namespace quiniela;
using namespace quiniela::prueba;

namespace {

using Rect = std::tuple<int, int, int, int>;

std::multiset<Rect> RectangulosDePagina(const ImpresoraFalsa& f, int pagina) {
    std::multiset<Rect> r;
    for (const auto& x : f.Rectangulos)
        if (x.Pagina == pagina)
            r.insert({x.X, x.Y, x.Ancho, x.Alto});
    return r;
}

// Lo que dibujaría un boleto con esas columnas (las que falten, huecos).
std::multiset<Rect> Dibujo(const QStringList& columnas, int orientacion, bool referencias) {
    std::array<std::string, 8> texto;
    std::array<std::string_view, 8> vistas;
    for (int j = 0; j < 8; ++j) {
        texto[j] = j < columnas.size() ? columnas[j].toStdString() : std::string(15, ' ');
        vistas[j] = texto[j];
    }
    ImpresoraFalsa f;
    DibujaBoleto(f, MatrizDeBoleto(vistas), 1, orientacion, {30, 40, 0, referencias}, QLocale::c());
    return RectangulosDePagina(f, 1);
}

class ImpresionBoletos : public testing::Test {
protected:
    OpcionesBoletos Opciones(int64_t desde, int64_t hasta) {
        OpcionesBoletos o;
        o.Rango = {desde, hasta};
        o.MargenIzquierdo = 30;
        o.MargenSuperior = 40;
        o.Regional = QLocale::c();
        return o;
    }
    CarpetaTemporal datos;
    EstadoGlobal estado = datos.Estado();
    ImpresoraFalsa impresora;
};

} // namespace

TEST_F(ImpresionBoletos, BoletoInicialTresLeeDesdeElRegistro17) {
    EXPECT_EQ(ByteDeBoleto(3), 304);
    EXPECT_EQ(ByteDeBoleto(1), 0);
    const QStringList columnas = Columnas(37); // 5 boletos, el último con 5 columnas
    GuardaReduccion(datos, estado, 7, 3, columnas);
    std::vector<QString> avisos;
    OpcionesBoletos o = Opciones(3, 5);
    o.Orientacion = 2;
    o.Avisos.AlImprimir = [&](const QString& t) { avisos.push_back(t); };
    const ResultadoImpresion r = ImprimeBoletos(estado, impresora, o);
    EXPECT_EQ(r.Fin, FinImpresion::Terminada);
    EXPECT_EQ(r.Impresos, 3);
    EXPECT_EQ(impresora.Paginas, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(impresora.DocumentosTerminados, (std::vector<int>{3}));
    // Página 1: las columnas 17 a 24; la 3: las 33 a 37 y tres huecos.
    EXPECT_EQ(RectangulosDePagina(impresora, 1), Dibujo(columnas.mid(16, 8), 2, false));
    EXPECT_EQ(RectangulosDePagina(impresora, 3), Dibujo(columnas.mid(32), 2, false));
    EXPECT_EQ(impresora.Textos[0].Texto, u"3"_s);
    EXPECT_EQ(avisos, (std::vector<QString>{u"Imprimiendo el boleto nro. 3"_s,
                                            u"Imprimiendo el boleto nro. 4"_s,
                                            u"Imprimiendo el boleto nro. 5"_s}));
}

TEST_F(ImpresionBoletos, GruposDelPartidoQuinceEmpiezanBoletoYElFinalAcota) {
    // 10 columnas con "1" y 3 con "X": el boleto 2 tiene 2 columnas y 6 huecos.
    const QStringList columnas = Columnas(10, u'1') + ColumnasPrueba(3, u'X', 50);
    GuardaReduccion(datos, estado, 7, 3, columnas);
    OpcionesBoletos o = Opciones(2, 2);
    o.Reverso = true;
    ImprimeBoletos(estado, impresora, o);
    EXPECT_EQ(impresora.Paginas.size(), 1u);
    EXPECT_EQ(RectangulosDePagina(impresora, 1), Dibujo(columnas.mid(8, 2), 1, true));
}

TEST_F(ImpresionBoletos, CancelarDesdeFueraParaTrasElBoletoYGuardaLoImpreso) {
    GuardaReduccion(datos, estado, 7, 3, Columnas(40));
    std::atomic<bool> cancelar{false};
    OpcionesBoletos o = Opciones(1, 5);
    o.Avisos.CancelarProceso = &cancelar;
    o.Avisos.AlImprimir = [&](const QString& t) { cancelar = t.endsWith(u" 2"_s); };
    const ResultadoImpresion r = ImprimeBoletos(estado, impresora, o);
    EXPECT_EQ(r.Fin, FinImpresion::Cancelada);
    EXPECT_EQ(r.Impresos, 2);
    EXPECT_EQ(impresora.DocumentosTerminados, (std::vector<int>{2}));
}

TEST_F(ImpresionBoletos, PruebaDeImpresionSinReduccion) {
    OpcionesBoletos o = Opciones(1, 1);
    o.Prueba = true;
    o.Regional = QLocale(QLocale::Spanish);
    const ResultadoImpresion r = ImprimeBoletos(estado, impresora, o);
    EXPECT_EQ(r.Fin, FinImpresion::Terminada);
    EXPECT_EQ(impresora.Rectangulos.size(), 2u * 339);
    ASSERT_EQ(impresora.Textos.size(), 1u);
    EXPECT_EQ(impresora.Textos[0].Texto, u"999.999"_s);
}

TEST_F(ImpresionBoletos, AvisoDeUnaColumnaPorColumnasDelUltimoBoleto) {
    struct Caso {
        QStringList Columnas;
        bool Avisa;
    } casos[] = {
        {Columnas(17), true},                                    // 8 + 8 + 1
        {Columnas(9, u'1') + ColumnasPrueba(9, u'X', 20), true}, // dos boletos de una
        {Columnas(16), false},                                   // 8 + 8
        {Columnas(3, u'1') + ColumnasPrueba(3, u'X', 20) + ColumnasPrueba(3, u'2', 40), false},
    };
    for (const Caso& k : casos) {
        ImpresoraFalsa f;
        GuardaReduccion(datos, estado, 7, 3, k.Columnas);
        std::vector<QString> titulos;
        OpcionesBoletos o = Opciones(1, 1);
        o.Avisos.AlAvisar = [&](const MensajeImpresion& m) { titulos.push_back(m.Titulo); };
        ImprimeBoletos(estado, f, o);
        EXPECT_EQ(titulos, k.Avisa ? std::vector<QString>{u"ÚLTIMO BOLETO INCOMPLETO"_s}
                                   : std::vector<QString>{})
            << k.Columnas.size();
    }
}

TEST_F(ImpresionBoletos, SinReduccionOSinColumnasNoSeImprimeNada) {
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
        EXPECT_EQ(r.Mensaje->Titulo, u"NO HAY REDUCCIÓN"_s);
        EXPECT_TRUE(r.Mensaje->Texto.contains(u"jornada 7 con el orden 3"_s));
    }
    EXPECT_TRUE(impresora.Paginas.empty());
    // Con la reducción en el índice pero sin su fichero de columnas.
    GuardaReduccion(datos, estado, 7, 3, Columnas(9));
    QFile::remove(datos.Ruta(u"RED0703.ZPK"_s));
    ImpresoraFalsa otra;
    const std::vector<ResultadoImpresion> sinColumnas = tipos(otra);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(sinColumnas[i].Fin, FinImpresion::SinColumnas);
        EXPECT_TRUE(sinColumnas[i].Mensaje->Texto.contains(u"RED0703.ZPK"_s));
    }
    EXPECT_EQ(sinColumnas[3].Fin, FinImpresion::Terminada); // los datos básicos no las leen
    EXPECT_EQ(otra.Paginas.size(), 1u);
}
