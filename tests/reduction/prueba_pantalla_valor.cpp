#include "matchdays/fichero_jornadas.h"
#include "matchdays/fichero_probabilidades.h"
#include "matchdays/pantalla_jornadas.h"
#include "matchdays/pantalla_probabilidades.h"
#include "output/pantalla_salida.h"
#include "output/reduccion_prueba.h"
#include "platform/qt/boton_imagen.h"
#include "reduction/bases_prueba.h"
#include "reduction/estadisticas.h"
#include "reduction/pantalla_reducir.h"
#include "settings/datos_generales.h"
#include "support/pantallas.h"
#include "support/plataforma_falsa.h"

#include <QBuffer>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

#include <cmath>

using namespace Qt::StringLiterals;
using namespace quiniela;
using namespace quiniela::prueba;

namespace {

QPoint PuntoBase(int partido, int signo) {
    return QPoint(15 * signo - 12 + 6, 18 * partido - 14 + 7);
}

class PantallaValor : public testing::Test {
protected:
    void SetUp() override {
        carpeta.Escribe(u"BASES.ZPK"_s, QByteArray());
        carpeta.Escribe(u"DATOSGEN.ZPK"_s, LineaDatosGenerales(DatosGenerales{}));
        EquiposJornada equipos;
        const QStringList nombres{u"Betis"_s, u"Sevilla"_s, u"Málaga"_s, u"Cádiz"_s};
        for (int k = 1; k <= NumEquiposJornada; ++k)
            equipos[k] = nombres[(k - 1) % 4] + QString::number((k + 1) / 2);
        ASSERT_TRUE(EscribeRegistroJornada(
                        estado, 12,
                        ComponeRegistroJornada(RegistroJornadaVacio(), 12, u"20/11/05"_s, equipos))
                        .Bien());
        estado.Datos.JornadaActual = 12;
        estado.Datos.OrdenActual = 1;
        LeeFicheroJornadas(estado);
    }

    // Lo que debe mostrar el panel: el cálculo directo sobre la base del estado.
    ValorApuesta Esperado() {
        Reduccion red = estado.Red;
        TablaDirecta tabla;
        CalculaEstadisticas(red, tabla);
        const auto e = LeeEstimaciones(estado, 12);
        return ValorDeDesarrollo(red, tabla, ProbabilidadesDe(*e)).Valor;
    }

    ConfiguracionEspanola espanol;
    CarpetaTemporal carpeta;
    EstadoGlobal estado = carpeta.Estado();
    PlataformaFalsa plataforma{&estado};
};

TEST_F(PantallaValor, ProbabilidadesDesdeLaReduccionYPanelAlDia) {
    PantallaReducir p(estado);
    p.show();
    EXPECT_EQ(p.Pic_Valor->Estado(), PanelValor::Situacion::SinEstimaciones);

    // El diálogo: porcentajes en el partido 1 (la suma se comprueba al momento), cuotas en el 2.
    AlAbrirseModal([&](QWidget* w) {
        auto* d = qobject_cast<PantallaProbabilidades*>(w);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->windowTitle(), u"Probabilidades de la jornada 12"_s);
        Teclea(d->Casilla(1, 0), u"50"_s);
        Teclea(d->Casilla(1, 1), u"30"_s);
        EXPECT_EQ(d->Comprobacion(1)->text(), u"80"_s);
        Teclea(d->Casilla(1, 2), u"20"_s);
        EXPECT_EQ(d->Comprobacion(1)->text(), u"100"_s);
        Teclea(d->Casilla(3, 0), u"90"_s);
        // Una fila a medias no se guarda: se dice y el diálogo sigue abierto.
        Pulsa(d->Pic_BotGuardar);
        ASSERT_EQ(plataforma.Mensajes.size(), 1u);
        EXPECT_EQ(plataforma.Mensajes[0].Titulo, u"PROBABILIDADES INCORRECTAS"_s);
        EXPECT_TRUE(d->isVisible());
        d->Casilla(3, 0)->clear();
        QTest::mouseClick(d->Opt_Cuotas, Qt::LeftButton);
        EXPECT_EQ(d->Casilla(1, 0)->text(), QString()); // las cuotas se escriben de nuevo
        for (int s = 0; s < 3; ++s)
            Teclea(d->Casilla(2, s), QStringList{u"2,10"_s, u"3.4"_s, u"3,60"_s}[s]);
        EXPECT_EQ(d->Comprobacion(2)->text(), u"45 28 27"_s);
        GuardaCaptura(d, u"probabilidades"_s);
        Pulsa(d->Pic_BotGuardar);
    });
    Pulsa(p.Pic_BotProbab);
    EstimacionesJornada guardadas;
    guardadas[2] = {true, {45, 28, 27}};
    EXPECT_EQ(LeeEstimaciones(estado, 12), guardadas);

    // Tras guardar, el panel calcula en otro hilo; cada clic en la base lo vuelve a pedir.
    ASSERT_TRUE(p.Pic_Valor->EsperaCalculo(20000));
    EXPECT_EQ(p.Pic_Valor->Estado(), PanelValor::Situacion::Listo);
    EXPECT_EQ(p.Pic_Valor->Valor().ProbAlMenos, Esperado().ProbAlMenos);
    QTest::mouseClick(p.Pic_Base, Qt::LeftButton, Qt::NoModifier, PuntoBase(2, 2));
    QTest::mouseClick(p.Pic_Base, Qt::LeftButton, Qt::NoModifier, PuntoBase(2, 3));
    QTest::mouseClick(p.Pic_Base, Qt::LeftButton, Qt::NoModifier, PuntoBase(5, 2));
    EXPECT_EQ(p.Pic_Valor->Estado(), PanelValor::Situacion::Calculando);
    ASSERT_TRUE(p.Pic_Valor->EsperaCalculo(20000));
    EXPECT_EQ(p.Pic_Valor->Valor().Columnas, 6);
    EXPECT_EQ(p.Pic_Valor->Valor().ProbAlMenos, Esperado().ProbAlMenos);
    // Pleno: el partido 5 en "1" o "X" y los trece sencillos en "1", a 1/3 cada uno.
    EXPECT_NEAR(p.Pic_Valor->Valor().ProbAlMenos[0], 2.0 / 3.0 * std::pow(3.0, -13), 1e-15);
}

TEST_F(PantallaValor, UnaBaseGrandeNoHaceEsperarALaPantalla) {
    // 3^15 por el método directo: cada clic pide un cálculo nuevo y cancela el anterior; la
    // pantalla sigue. Premios de una jornada escrutada: se ven el premio y el rendimiento.
    EstimacionesJornada e;
    for (int m = 1; m <= NumPartidos; ++m)
        e[m] = {true, {40 + m, 30 - m / 2, 30 - m + m / 2}};
    ASSERT_TRUE(GuardaEstimaciones(estado, 12, e).Bien());
    QString escrutada = ComponeRegistroJornada(RegistroJornadaVacio(), 11, u"13/11/05"_s, {});
    escrutada.replace(PosColumnaGanadora - 1, 15, u"123123123123123"_s);
    escrutada.replace(PosPremiosJornada - 1, 66,
                      u"    1200000      65000        900         75         12          2"_s);
    ASSERT_TRUE(EscribeRegistroJornada(estado, 11, escrutada).Bien());
    PantallaReducir p(estado);
    p.show();
    for (int i = 0; i < 3; ++i) {
        Pulsa(p.Pic_BotSelTodo);
        EXPECT_EQ(p.Pic_Valor->Estado(), PanelValor::Situacion::Calculando);
    }
    ASSERT_TRUE(p.Pic_Valor->EsperaCalculo(60000));
    EXPECT_EQ(p.Pic_Valor->Valor().Columnas, p.Clics().Estadisticas().Aceptadas);
    EXPECT_EQ(p.Pic_Valor->Valor().ProbAlMenos, Esperado().ProbAlMenos);
    GuardaCaptura(&p, u"reducir_valor"_s);
}

TEST_F(PantallaValor, ProbabilidadesDesdeLaJornada) {
    PantallaJornadas p(estado);
    p.show();
    GuardaCaptura(&p, u"jornadas_probabilidades"_s);
    AlAbrirseModal([&](QWidget* w) {
        auto* d = qobject_cast<PantallaProbabilidades*>(w);
        ASSERT_NE(d, nullptr);
        QStringList rotulos;
        for (const QLabel* l : d->findChildren<QLabel*>())
            rotulos << l->text();
        EXPECT_TRUE(rotulos.contains(u" 1. Betis1 - Sevilla1"_s))
            << rotulos.join(u'|').toStdString();
        for (int s = 0; s < 3; ++s)
            Teclea(d->Casilla(15, s), u"0"_s);
        d->Casilla(15, 2)->setText(u"100"_s);
        Pulsa(d->Pic_BotGuardar);
    });
    Pulsa(p.Pic_BotProbab);
    EXPECT_EQ(carpeta.Lee(u"PROBAB.ZPK"_s), "12" + QByteArray(14 * 9, ' ') + "  0  0100\r\n");
}

TEST_F(PantallaValor, LaSalidaMuestraElValorDeLaReduccionGuardada) {
    const QStringList columnas{u"1X21X21X21X21X2"_s, u"111111111111111"_s, u"222222222222222"_s};
    EstimacionesJornada e;
    e[1] = {true, {70, 20, 10}};
    ASSERT_TRUE(GuardaEstimaciones(estado, 12, e).Bien());
    GuardaReduccion(carpeta, estado, 12, 1, columnas);
    PantallaSalida p(estado);
    p.show();
    ASSERT_TRUE(p.Pic_Valor->isVisible());
    ASSERT_TRUE(p.Pic_Valor->EsperaCalculo(20000));
    EXPECT_EQ(p.Pic_Valor->Estado(), PanelValor::Situacion::Listo);
    QByteArray bytes = FicheroColumnas(columnas);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    EXPECT_EQ(p.Pic_Valor->Valor().ProbAlMenos,
              ValorDeFichero(buffer, ProbabilidadesDe(e)).Valor.ProbAlMenos);

    // Sin reducción guardada en la jornada 13 no hay panel.
    estado.Datos.JornadaActual = 13;
    PantallaSalida sin(estado);
    sin.show();
    EXPECT_FALSE(sin.Pic_Valor->isVisible());
}

} // namespace
