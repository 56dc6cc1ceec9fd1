#include "consult/consulta.h"
#include "consult/reducciones_prueba.h"
#include "output/fichero_boletos.h"
#include "support/plataforma_falsa.h"

#include <QBuffer>
#include <QLocale>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace quiniela;
using namespace quiniela::prueba;

namespace {

using B = BotonNavegacion;
constexpr std::array<B, 4> Botones{B::Principio, B::Retroceder, B::Avanzar, B::Final};

// Las filas que debe enseñar un bloque: el signo j de cada registro, blanco en los huecos.
std::array<QString, 15> FilasEsperadas(const QStringList& registros) {
    std::array<QString, 15> filas;
    for (int c = 0; c < RegistrosPorBloque; ++c)
        for (int j = 0; j < NumPartidos; ++j)
            filas[std::size_t(j)] += c < registros.size() ? registros[c].at(j) : u' ';
    return filas;
}

QStringList Huecos(int n) {
    return QStringList(n, QString(NumPartidos, u' '));
}

std::array<bool, 4> Activos(const Consulta& c) {
    return {c.Activo(B::Principio), c.Activo(B::Retroceder), c.Activo(B::Avanzar),
            c.Activo(B::Final)};
}

TEST(Consulta, BotonBajoElPunteroYReglasDeLaTabla) {
    struct Punto {
        int x, y;
        B boton;
    };
    for (const Punto& p : std::vector<Punto>{{1, 1, B::Principio},
                                             {24, 24, B::Principio},
                                             {25, 10, B::Ninguno},
                                             {29, 10, B::Ninguno},
                                             {30, 1, B::Retroceder},
                                             {53, 24, B::Retroceder},
                                             {54, 10, B::Ninguno},
                                             {59, 5, B::Avanzar},
                                             {82, 5, B::Avanzar},
                                             {88, 5, B::Final},
                                             {111, 5, B::Final},
                                             {112, 5, B::Ninguno},
                                             {0, 5, B::Ninguno},
                                             {5, 0, B::Ninguno},
                                             {5, 25, B::Ninguno}}) {
        SCOPED_TRACE(testing::Message() << p.x << "," << p.y);
        EXPECT_EQ(BotonNavegacionEn(p.x, p.y), p.boton);
    }
    struct Caso {
        int64_t primera, registros;
        std::array<bool, 4> activos;
        std::array<int64_t, 4> destinos;
    };
    for (const Caso& c : std::vector<Caso>{{1, 20, {false, false, false, false}, {1, 1, 25, 1}},
                                           {1, 24, {false, false, false, false}, {1, 1, 25, 1}},
                                           {1, 25, {false, false, true, true}, {1, 1, 25, 25}},
                                           {1, 49, {false, false, true, true}, {1, 1, 25, 49}},
                                           {25, 49, {true, true, true, true}, {1, 1, 49, 49}},
                                           {49, 49, {true, true, false, false}, {1, 25, 73, 49}},
                                           {1, 0, {false, false, false, false}, {1, 1, 25, 1}}}) {
        SCOPED_TRACE(testing::Message() << c.primera << " de " << c.registros);
        for (std::size_t i = 0; i < Botones.size(); ++i) {
            EXPECT_EQ(NavegacionActiva(Botones[i], c.primera, c.registros), c.activos[i]) << i;
            EXPECT_EQ(DestinoNavegacion(Botones[i], c.primera, c.registros), c.destinos[i]) << i;
        }
    }
    EXPECT_EQ(TooltipNavegacion(B::Principio), u" Ir al principio "_s);
    EXPECT_EQ(TooltipNavegacion(B::Retroceder), u" Retroceder tres boletos "_s);
    EXPECT_EQ(TooltipNavegacion(B::Avanzar), u" Avanzar tres boletos "_s);
    EXPECT_EQ(TooltipNavegacion(B::Final), u" Ir al final "_s);
    EXPECT_TRUE(TooltipNavegacion(B::Ninguno).isEmpty());
}

TEST(Consulta, TextosDeLaPantalla) {
    const QLocale es(QLocale::Spanish, QLocale::Spain);
    struct Caso {
        int64_t boletos, columnas;
        QString texto;
    };
    for (const Caso& c : std::vector<Caso>{{1, 1, u"1 Boleto"_s},
                                           {2, 4, u"2 Boleto"_s},
                                           {1, 8, u"1 Boleto"_s},
                                           {2, 9, u"2 Boletos"_s},
                                           {1234, 9870, u"1.234 Boletos"_s}}) {
        EXPECT_EQ(TextoTotalBoletos(c.boletos, c.columnas, es), c.texto);
    }
    EXPECT_EQ(TituloConsulta(1), u"Consulta de columnas reducidas con el Método Directo"_s);
    EXPECT_EQ(TituloConsulta(3),
              u"Consulta de columnas reducidas con el Método de Selección de Signos"_s);
    EXPECT_EQ(AnchoConsultaTwips(1), 9100);
    EXPECT_EQ(AnchoConsultaTwips(2), 9550);
    EXPECT_EQ(AnchoConsultaTwips(3), 9550);
    EXPECT_EQ(PrimeraColumnaDeBoleto(1), 1);
    EXPECT_EQ(PrimeraColumnaDeBoleto(3), 1);
    EXPECT_EQ(PrimeraColumnaDeBoleto(4), 25);
    EXPECT_EQ(PrimeraColumnaDeBoleto(7), 49);
    EXPECT_EQ(PrimerBoletoDeBloque(49), 7);
}

TEST(Consulta, BloqueLeidoDelFicheroDeTrabajo) {
    // Registros 1..26 de un fichero con el boleto 4 a medias: el bloque desde 25 lleva
    // solo "Boleto 4"; lo que pasa del final son blancos.
    QByteArray datos;
    QStringList registros = ColumnasPrueba(26, u'1');
    for (const QString& r : registros)
        datos += '"' + r.toLatin1() + "\"\r\n";
    QBuffer fichero(&datos);
    ASSERT_TRUE(fichero.open(QIODevice::ReadOnly));
    BloqueBoletos bloque;
    ASSERT_TRUE(LeeBloqueBoletos(fichero, 25, bloque));
    EXPECT_EQ(bloque.Filas, FilasEsperadas(registros.mid(24)));
    EXPECT_EQ(bloque.Titulos, (std::array<QString, 3>{u"Boleto 4"_s, QString(), QString()}));
    EXPECT_EQ(bloque.Linea(1, u"  "_s), bloque.Filas[0].left(8) + u"  "_s +
                                            bloque.Filas[0].mid(8, 8) + u"  "_s +
                                            bloque.Filas[0].mid(16));
    ASSERT_TRUE(LeeBloqueBoletos(fichero, 1, bloque));
    EXPECT_EQ(bloque.Titulos,
              (std::array<QString, 3>{u"Boleto 1"_s, u"Boleto 2"_s, u"Boleto 3"_s}));
    QString signos15;
    for (int c = 16; c < 24; ++c)
        signos15 += registros[c].at(14);
    EXPECT_EQ(bloque.Grupo(15, 2), signos15);
}

class ConsultaGuardada : public testing::Test {
protected:
    void SetUp() override {
        estado.Datos.JornadaActual = 7;
        estado.Datos.OrdenActual = 3;
    }
    CarpetaTemporal carpeta;
    EstadoGlobal estado{carpeta.Estado()};
    PlataformaFalsa plataforma{&estado};
};

TEST_F(ConsultaGuardada, CasosLimiteDeLosBloques) {
    struct Caso {
        const char* nombre;
        QStringList columnas;
        int signos15;
        QStringList registros; // el fichero de trabajo esperado
        int64_t boletos;
        QString texto;
        std::array<QString, 3> titulos;
        std::array<bool, 4> activos;
    };
    const QStringList veinte = ColumnasPrueba(20, u'1');
    const QStringList dobles = ColumnasPrueba(2, u'1') + ColumnasPrueba(2, u'X', 2);
    const QStringList veinticuatro = ColumnasPrueba(24, u'2');
    const QStringList cuarentaNueve = ColumnasPrueba(49, u'X');
    const std::array<QString, 3> tres{u"Boleto 1"_s, u"Boleto 2"_s, u"Boleto 3"_s};
    const std::vector<Caso> casos{
        {"20 en un grupo", veinte, 1, veinte, 3, u"3 Boletos"_s, tres, {}},
        {"4 con doble en el 15",
         dobles,
         2,
         dobles.mid(0, 2) + Huecos(6) + dobles.mid(2),
         2,
         u"2 Boleto"_s,
         {u"Boleto 1"_s, u"Boleto 2"_s, QString()},
         {}},
        {"24 justos", veinticuatro, 1, veinticuatro, 3, u"3 Boletos"_s, tres, {}},
        {"49",
         cuarentaNueve,
         1,
         cuarentaNueve,
         7,
         u"7 Boletos"_s,
         tres,
         {false, false, true, true}},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        carpeta.Escribe(u"BASES.ZPK"_s, QByteArray());
        GuardaReduccionPrueba(carpeta, 7, 3, c.columnas, c.signos15);
        Consulta consulta(estado);
        ASSERT_TRUE(consulta.CargaConsulta());
        EXPECT_EQ(carpeta.Lee(u"FORBOLW.ZPK"_s), FicheroColumnas(c.registros));
        EXPECT_EQ(consulta.RegistrosBoletos(), c.registros.size());
        EXPECT_EQ(consulta.TotalBoletos(), c.boletos);
        EXPECT_EQ(consulta.TextoBoletos(QLocale::c()), c.texto);
        EXPECT_EQ(consulta.PrimeraColumna(), 1);
        EXPECT_EQ(consulta.BloqueActual().Filas, FilasEsperadas(c.registros));
        EXPECT_EQ(consulta.BloqueActual().Titulos, c.titulos);
        EXPECT_EQ(Activos(consulta), c.activos);
    }
    EXPECT_TRUE(plataforma.avisos.isEmpty());
}

TEST_F(ConsultaGuardada, CuarentaYNueveRegistrosAlFinalYAtras) {
    const QStringList columnas = ColumnasPrueba(49, u'1');
    GuardaReduccionPrueba(carpeta, 7, 3, columnas);
    Consulta consulta(estado);
    ASSERT_TRUE(consulta.CargaConsulta());
    EXPECT_FALSE(consulta.Pulsa(B::Retroceder)); // inactivo: no se mueve
    ASSERT_TRUE(consulta.Pulsa(B::Final));
    EXPECT_EQ(consulta.PrimeraColumna(), 49);
    EXPECT_EQ(consulta.BloqueActual().Titulos,
              (std::array<QString, 3>{u"Boleto 7"_s, QString(), QString()}));
    EXPECT_EQ(consulta.BloqueActual().Filas, FilasEsperadas(columnas.mid(48)));
    EXPECT_EQ(Activos(consulta), (std::array<bool, 4>{true, true, false, false}));
    EXPECT_FALSE(consulta.Pulsa(B::Avanzar));
    ASSERT_TRUE(consulta.Pulsa(B::Retroceder));
    EXPECT_EQ(consulta.PrimeraColumna(), 25);
    EXPECT_EQ(consulta.BloqueActual().Titulos,
              (std::array<QString, 3>{u"Boleto 4"_s, u"Boleto 5"_s, u"Boleto 6"_s}));
    ASSERT_TRUE(consulta.Pulsa(B::Principio));
    EXPECT_EQ(consulta.PrimeraColumna(), 1);
    ASSERT_TRUE(consulta.IrABoleto(7));
    EXPECT_EQ(consulta.PrimeraColumna(), 49);
    EXPECT_FALSE(consulta.IrABoleto(8));
    EXPECT_EQ(consulta.PrimeraColumna(), 49);
}

TEST_F(ConsultaGuardada, SinFicheroDeColumnasEnseñaLaBaseYNadaMas) {
    GuardaReduccionPrueba(carpeta, 7, 3, ColumnasPrueba(30, u'1'));
    ASSERT_TRUE(QFile::remove(carpeta.Ruta(u"RED0703.ZPK"_s)));
    Consulta consulta(estado);
    EXPECT_FALSE(consulta.CargaConsulta());
    EXPECT_EQ(estado.Red.ApuestasReducidas, 30); // la base y el resumen sí se cargan
    EXPECT_EQ(estado.Red.Descripcion, u"Prueba"_s);
    EXPECT_FALSE(consulta.HayColumnas());
    EXPECT_TRUE(consulta.TextoBoletos(QLocale::c()).isEmpty());
    EXPECT_EQ(consulta.RegistrosBoletos(), 0);
    EXPECT_EQ(Activos(consulta), (std::array<bool, 4>{}));
    EXPECT_EQ(consulta.BloqueActual().Filas, FilasEsperadas({}));
    EXPECT_EQ(consulta.BloqueActual().Titulos, (std::array<QString, 3>{}));
    EXPECT_TRUE(consulta.Fallo().isEmpty());
    EXPECT_TRUE(plataforma.avisos.isEmpty()); // la falta del fichero no se avisa
}

TEST_F(ConsultaGuardada, CadaCargaRehaceElFicheroDeTrabajoYLasEleccionesRepetidasNoCargan) {
    const QStringList a = ColumnasPrueba(30, u'1');
    const QStringList b = ColumnasPrueba(5, u'2', 100);
    GuardaReduccionPrueba(carpeta, 7, 1, a);
    GuardaReduccionPrueba(carpeta, 7, 3, b);
    GuardaReduccionPrueba(carpeta, 9, 1, a.mid(0, 9));
    Consulta consulta(estado);
    ASSERT_TRUE(consulta.CargaConsulta());
    EXPECT_EQ(carpeta.Lee(u"FORBOLW.ZPK"_s), FicheroColumnas(b));

    EXPECT_FALSE(consulta.EligeOrden(3)); // la misma elección no carga
    EXPECT_FALSE(consulta.EligeJornada(7));
    ASSERT_TRUE(consulta.EligeOrden(1));
    EXPECT_EQ(carpeta.Lee(u"FORBOLW.ZPK"_s), FicheroColumnas(a));
    ASSERT_TRUE(consulta.Pulsa(B::Avanzar));
    EXPECT_EQ(consulta.PrimeraColumna(), 25);

    estado.Datos.OrdenActual = 4;
    ASSERT_TRUE(consulta.EligeJornada(9)); // otra jornada: orden 1 y primer bloque
    EXPECT_EQ(estado.Datos.OrdenActual, 1);
    EXPECT_EQ(consulta.PrimeraColumna(), 1);
    EXPECT_EQ(carpeta.Lee(u"FORBOLW.ZPK"_s), FicheroColumnas(a.mid(0, 9)));
    EXPECT_EQ(consulta.TextoBoletos(QLocale::c()), u"2 Boletos"_s);

    // Con ModoEdicion (apertura, índice) la misma jornada carga y el orden se respeta.
    estado.ModoEdicion = true;
    estado.Datos.OrdenActual = 3;
    estado.Datos.JornadaActual = 7;
    EXPECT_TRUE(consulta.EligeJornada(7));
    EXPECT_EQ(estado.Datos.OrdenActual, 3);
    EXPECT_EQ(carpeta.Lee(u"FORBOLW.ZPK"_s), FicheroColumnas(b));
}

TEST_F(ConsultaGuardada, UnFicheroDeColumnasEstropeadoSeAvisaYNoSeEnseña) {
    GuardaReduccionPrueba(carpeta, 7, 3, ColumnasPrueba(10, u'1'));
    carpeta.Escribe(u"RED0703.ZPK"_s, "\"111111111111111\"\r\nnada\r\n");
    Consulta consulta(estado);
    EXPECT_FALSE(consulta.CargaConsulta());
    EXPECT_FALSE(consulta.HayColumnas());
    EXPECT_EQ(Activos(consulta), (std::array<bool, 4>{}));
    ASSERT_EQ(plataforma.avisos.size(), 1);
    EXPECT_TRUE(plataforma.avisos[0].contains(u"RED0703.ZPK"_s));
    EXPECT_TRUE(plataforma.avisos[0].contains(u"línea 2"_s));
}

} // namespace
