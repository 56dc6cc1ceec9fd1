#include "consult/reducciones_prueba.h"
#include "core/error_fichero.h"
#include "matchdays/borrado.h"
#include "matchdays/fichero_jornadas.h"
#include "reduction/bases_prueba.h"
#include "support/plataforma_falsa.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace quiniela;
using namespace quiniela::prueba;

namespace {

const QString Jornadas = u"JORNADAS.ZPK"_s;
const QString Bases = u"BASES.ZPK"_s;

QByteArray RegistroValido(int j) {
    EquiposJornada equipos;
    equipos[1] = u"Equipo %1"_s.arg(j);
    return AWindows1252(
        ComponeRegistroJornada(RegistroJornadaVacio(), j, u"0%1/09/24"_s.arg(j % 10), equipos));
}

QByteArray FicheroJornadas(int registros) {
    QByteArray datos;
    for (int j = 1; j <= registros; ++j)
        datos += RegistroValido(j);
    return datos;
}

class Borrado : public testing::Test {
protected:
    void SetUp() override {
        carpeta.Escribe(Jornadas, FicheroJornadas(10));
        // Reducciones de las jornadas 2, 3, 4 y 13, con un registro libre por medio.
        GuardaReduccionPrueba(carpeta, 3, 1, ColumnasPrueba(3, u'1'));
        GuardaReduccionPrueba(carpeta, 2, 1, ColumnasPrueba(4, u'X'));
        carpeta.Escribe(Bases, carpeta.Lee(Bases) + AWindows1252(RegistroLibre) + "\r\n");
        GuardaReduccionPrueba(carpeta, 3, 30, ColumnasPrueba(5, u'2'));
        GuardaReduccionPrueba(carpeta, 13, 1, ColumnasPrueba(2, u'1'));
        GuardaReduccionPrueba(carpeta, 4, 2, ColumnasPrueba(2, u'1'));
        carpeta.Escribe(u"DATOSGEN.ZPK"_s, "datos");
    }
    CarpetaTemporal carpeta;
    EstadoGlobal estado{carpeta.Estado()};
    PlataformaFalsa plataforma{&estado};
};

TEST(TextosBorrado, ConfirmacionListasYRotulos) {
    const QString fin = u" .  Si  desea  continuar  con  el  proceso,  pulse Borrar. Si desea "
                        u"cancelar el proceso, pulse Salir."_s;
    const QString inicio = u"Se  va  a  proceder  a  la  eliminación  de  todos  los  datos"_s;
    EXPECT_EQ(TextoConfirmacionBorrado(3, 3), inicio + u" de la Jornada  3"_s + fin);
    EXPECT_EQ(TextoConfirmacionBorrado(12, 12), inicio + u" de la Jornada 12"_s + fin);
    EXPECT_EQ(TextoConfirmacionBorrado(1, 52),
              inicio + u"  desde la  jornada   1  hasta  la  jornada 52  "_s + fin);
    // Un tramo al revés se anuncia ya ordenado.
    EXPECT_EQ(TextoConfirmacionBorrado(20, 5), TextoConfirmacionBorrado(5, 20));
    EXPECT_EQ(TituloConfirmacionBorrado(), u"BORRADO DE DATOS"_s);

    const ContenidoLista lista = CargaLisRango();
    ASSERT_EQ(lista.entradas.size(), 52);
    EXPECT_EQ(lista.entradas.first(), u" 1"_s);
    EXPECT_EQ(lista.entradas.last(), u"52"_s);
    EXPECT_EQ(lista.columnas, 6);
    EXPECT_EQ(lista.seleccion, 0);
    EXPECT_EQ(TituloDesde(1), u"Desde la jornada 1"_s);
    EXPECT_EQ(TituloHasta(52), u"Hasta la jornada 52"_s);
}

TEST(TextosBorrado, UnTramoAlRevesAbreLaOtraLista) {
    struct Paso {
        bool desde;
        int jornada;
        int abre; // jornada que se elige en la otra lista (0: ninguna)
    };
    const std::vector<std::vector<Paso>> casos{
        {{false, 5, 0}, {true, 20, 20}, {false, 20, 0}}, // "Desde" 20 con "Hasta" 5
        {{true, 20, 20}, {false, 5, 5}, {true, 5, 0}},   // "Hasta" 5 con "Desde" 20
        {{true, 7, 7}, {false, 9, 0}, {true, 9, 0}, {true, 10, 10}},
    };
    for (std::size_t i = 0; i < casos.size(); ++i) {
        SCOPED_TRACE(i);
        RangoBorrado rango;
        for (const Paso& p : casos[i])
            EXPECT_EQ(p.desde ? rango.EligeDesde(p.jornada) : rango.EligeHasta(p.jornada), p.abre);
    }
    RangoBorrado rango;
    rango.EligeHasta(5);
    rango.EligeDesde(20);
    EXPECT_EQ(rango.JorIni(), 20);
    EXPECT_EQ(rango.JorFin(), 5);
}

TEST_F(Borrado, UnaJornadaSoloBorraLaSuya) {
    const auto antes = ContenidoCarpeta(carpeta);
    plataforma.respuesta = BotonMensaje::Borrar;
    RangoBorrado rango;
    rango.EligeHasta(3);
    rango.EligeDesde(3);
    const auto r = PulsaBorrarDatos(estado, rango);
    ASSERT_TRUE(r.has_value());
    EXPECT_TRUE(r->Completo());
    ASSERT_EQ(plataforma.mensajes.size(), 1);
    EXPECT_EQ(plataforma.mensajes[0].texto, TextoConfirmacionBorrado(3, 3));
    EXPECT_EQ(plataforma.mensajes[0].botones, BotonesMensaje(BotonMensaje::Borrar));

    auto esperado = antes;
    esperado.erase(u"RED0301.ZPK"_s);
    esperado.erase(u"RED0330.ZPK"_s);
    esperado[Jornadas].replace(2 * 544, 544, QByteArray(544, ' '));
    QList<QByteArray> lineas = antes.at(Bases).split('\n');
    const QByteArray libre = AWindows1252(RegistroLibre) + '\r';
    lineas[0] = libre; // 0301
    lineas[3] = libre; // 0330
    esperado[Bases] = lineas.join('\n');
    EXPECT_EQ(ContenidoCarpeta(carpeta), esperado);
    EXPECT_EQ(r->RegistrosIndice, 2);
    EXPECT_EQ(r->FicherosBorrados, (QStringList{u"RED0301.ZPK"_s, u"RED0330.ZPK"_s}));
    EXPECT_EQ(TextoBorrado(*r), u"Borrada la jornada 3: 2 reducciones quitadas del índice, 2 "
                                u"ficheros de columnas borrados (RED0301.ZPK, RED0330.ZPK)."_s);
    EXPECT_TRUE(plataforma.avisos.isEmpty());
}

TEST_F(Borrado, SinConfirmarNoSeBorraNada) {
    const auto antes = ContenidoCarpeta(carpeta);
    RangoBorrado rango;
    rango.EligeHasta(52);
    EXPECT_FALSE(PulsaBorrarDatos(estado, rango).has_value());
    EXPECT_EQ(plataforma.mensajes.size(), 1);
    EXPECT_EQ(ContenidoCarpeta(carpeta), antes);
}

TEST_F(Borrado, TodoElTramoAlargaElFicheroYDejaLoDemas) {
    // Al revés y sin índice: se ordena, y la falta de BASES.ZPK no es un fallo.
    ASSERT_TRUE(QFile::remove(carpeta.Ruta(Bases)));
    const ResultadoBorrado r = BorraJornadas(estado, 52, 1);
    EXPECT_TRUE(r.Completo());
    EXPECT_EQ(r.Rango.Desde, 1);
    EXPECT_EQ(r.Rango.Hasta, 52);
    EXPECT_EQ(carpeta.Lee(Jornadas), QByteArray(52 * 544, ' '));
    const auto queda = ContenidoCarpeta(carpeta);
    EXPECT_EQ(queda.size(), 2u); // JORNADAS.ZPK y DATOSGEN.ZPK
    EXPECT_EQ(queda.at(u"DATOSGEN.ZPK"_s), "datos");
    EXPECT_EQ(r.FicherosBorrados.size(), 5);
    EXPECT_FALSE(carpeta.Existe(Bases));
    EXPECT_TRUE(plataforma.avisos.isEmpty());
}

TEST_F(Borrado, UnFalloAMediasSeParaYDiceHastaDonde) {
    // El disco se llena al escribir la jornada 4 (el fichero tiene 3 registros).
    carpeta.Escribe(Jornadas, FicheroJornadas(3));
    const auto antes = ContenidoCarpeta(carpeta);
    ResultadoBorrado r;
    ConLimiteDeFichero(3 * 544, [&] {
        plataforma.respuesta = BotonMensaje::Borrar;
        RangoBorrado rango;
        rango.EligeHasta(13);
        rango.EligeDesde(2);
        r = *PulsaBorrarDatos(estado, rango);
    });
    EXPECT_FALSE(r.Bien());
    EXPECT_EQ(r.Alcanzada, 4);
    EXPECT_EQ(r.Paso, PasoBorrado::Jornada);
    EXPECT_EQ(r.Fallo.Numero, ErrorFichero::ErrorEntradaSalida);
    // Jornadas 2 y 3 borradas con sus reducciones; la 4 y la 13 siguen.
    auto esperado = antes;
    esperado.erase(u"RED0201.ZPK"_s);
    esperado.erase(u"RED0301.ZPK"_s);
    esperado.erase(u"RED0330.ZPK"_s);
    esperado[Jornadas].replace(544, 2 * 544, QByteArray(2 * 544, ' '));
    QList<QByteArray> lineas = antes.at(Bases).split('\n');
    for (int i : {0, 1, 3})
        lineas[i] = AWindows1252(RegistroLibre) + '\r';
    esperado[Bases] = lineas.join('\n');
    EXPECT_EQ(ContenidoCarpeta(carpeta), esperado);
    ASSERT_EQ(plataforma.mensajes.size(), 2);
    EXPECT_EQ(plataforma.mensajes[1].titulo, u"ERROR EN EL BORRADO"_s);
    EXPECT_EQ(plataforma.mensajes[1].texto,
              u"No se ha podido borrar la jornada 4 en JORNADAS.ZPK: ha fallado el disco "
              u"(error 57). El borrado se ha parado en la jornada 4. Se han borrado las "
              u"jornadas 2 a 3; "
              u"las siguientes siguen como estaban."_s);
}

TEST_F(Borrado, UnIndiceQueNoSePuedeLeerSeDice) {
    const QByteArray indice = carpeta.Lee(Bases);
    ASSERT_TRUE(QFile::remove(carpeta.Ruta(Bases)));
    ASSERT_TRUE(QDir(carpeta.Ruta()).mkdir(Bases));
    const ResultadoBorrado r = BorraJornadas(estado, 3, 3);
    EXPECT_TRUE(r.Bien()); // la jornada y sus ficheros sí se borraron
    EXPECT_FALSE(r.Completo());
    EXPECT_FALSE(carpeta.Existe(u"RED0301.ZPK"_s));
    const QString texto = TextoFalloBorrado(r);
    EXPECT_TRUE(texto.startsWith(u"No se han podido quitar las reducciones del índice BASES.ZPK"_s))
        << texto.toStdString();
    EXPECT_TRUE(texto.endsWith(u"Vuelva a borrar el mismo tramo cuando se haya resuelto."_s));
}

} // namespace
