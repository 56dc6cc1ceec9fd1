#include "consult/reducciones_prueba.h"
#include "matchdays/borrado.h"
#include "matchdays/fecha_jornada.h"
#include "matchdays/fichero_equipos.h"
#include "matchdays/fichero_jornadas.h"
#include "reduction/cambios_pendientes.h"
#include "support/banco.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace quiniela;
using namespace Qt::StringLiterals;
using namespace quiniela::prueba;

namespace {

const QString Jornadas = u"JORNADAS.ZPK"_s;

QByteArray Blancos(int n) {
    return QByteArray(n, ' ');
}

QByteArray Casilla(const QByteArray& nombre) {
    return nombre.leftJustified(15, ' ');
}

// Registro a mano: cabecera, dos partidos, casillas en blanco y la cola (columna y premios).
QByteArray RegistroAMano(int jornada, const QByteArray& fecha,
                         const QByteArray& cola = Blancos(81)) {
    const QByteArray r = "Jor" + QByteArray::number(jornada).rightJustified(2, '0') + fecha +
                         Casilla("Real Madrid") + Casilla("Barcelona") + Casilla("M\xe1laga") +
                         Casilla("Betis") + Blancos(26 * 15) + cola;
    return r;
}

const QByteArray ColaEscrutada =
    "120301230123012" + QByteArray("  1234567,89") + QByteArray(54, '9');

class FicheroJornadas : public testing::Test, protected Banco {};

TEST_F(FicheroJornadas, GuardarConservaLas464a544TamanoQueNoEsDeRegistrosEnterosYLectura) {
    const QByteArray uno = RegistroAMano(1, "28/08/05");
    carpeta.Escribe(Jornadas, uno + Blancos(544) + RegistroAMano(3, "11/09/05", ColaEscrutada));

    EligeJornada(estado, 3);
    EquiposJornada equipos = EquiposDeRegistro(estado.RegistroJornada);
    equipos[1] = u"  Deportivo  "_s;
    equipos[2] = u"Real Valladolid C.F."_s; // más de 15: se corta
    equipos[3] = QString();
    equipos[30] = u"Osasuna"_s;
    ASSERT_EQ(GuardaJornadaActual(estado, {u"5"_s, u"9"_s, u"05"_s}, equipos),
              ResultadoGuardarJornada::Guardada);
    const QByteArray tres = "Jor0305/09/05" + Casilla("Deportivo") + "Real Valladolid" +
                            Blancos(15) + Casilla("Betis") + Blancos(25 * 15) + Casilla("Osasuna") +
                            ColaEscrutada;
    EXPECT_EQ(carpeta.Lee(Jornadas), uno + Blancos(544) + tres);
    EXPECT_EQ(estado.RegistroJornada.toLatin1(), tres);
    EXPECT_TRUE(plataforma.Mensajes.empty());

    // Registros de 546: el fin de línea que deja un editor.
    const QByteArray registro = RegistroAMano(2, "04/09/05") + "\r\n";
    const QByteArray contenido = RegistroAMano(1, "28/08/05") + "\r\n" + registro + registro;
    carpeta.Escribe(Jornadas, contenido);
    EligeJornada(estado, 2);
    ASSERT_EQ(plataforma.Avisos.size(), 1);
    EXPECT_TRUE(plataforma.Avisos[0].startsWith(
        u"LJO ERROR 59: el fichero de jornadas JORNADAS.ZPK mide 1638 bytes, que no son registros "
        u"enteros de 544 bytes (3 registros y 6 bytes"_s));
    EXPECT_TRUE(plataforma.Avisos[0].endsWith(u"hasta que se repare."_s));
    EXPECT_EQ(estado.Datos.FechaJornada, u"00/00/00"_s);

    const ResultadoFichero r = EscribeRegistroJornada(estado, 2, DeWindows1252(registro.left(544)));
    EXPECT_EQ(r.Numero, 59);
    EXPECT_TRUE(TextoErrorGuardarJornada(r).contains(u"no se escribe en él hasta que se repare"_s));
    EXPECT_EQ(carpeta.Lee(Jornadas), contenido) << "idéntico byte a byte";

    // Lectura de registros que faltan o no valen.
    plataforma.Avisos.clear();
    const QString vacio = RegistroJornadaVacio();
    EXPECT_EQ(vacio, QString(5, u' ') + u"00/00/00"_s + QString(531, u' '));

    // Tres registros: el 2 lleva la marca de otra jornada.
    const QByteArray leidos = RegistroAMano(1, "28/08/05") + RegistroAMano(5, "04/09/05") +
                              RegistroAMano(3, "11/09/05", ColaEscrutada);
    carpeta.Escribe(Jornadas, leidos);
    EXPECT_EQ(LeeRegistroJornada(estado, 2), vacio);
    EXPECT_EQ(LeeRegistroJornada(estado, 0), vacio);

    EligeJornada(estado, 3);
    EXPECT_EQ(estado.RegistroJornada.toLatin1(), leidos.mid(2 * 544));
    EXPECT_EQ(estado.Datos.FechaJornada, u"11/09/05"_s);
    EligeJornada(estado, 7); // más allá del final: vacía, sin aviso
    EXPECT_EQ(estado.Datos.FechaJornada, u"00/00/00"_s);

    // Si falla la carga se conserva solo el registro de la jornada actual.
    EligeJornada(estado, 3);
    estado.CarpetaDatos = carpeta.Ruta(u"no_existe/"_s);
    LeeFicheroJornadas(estado);
    EXPECT_EQ(estado.RegistroJornada.toLatin1(), leidos.mid(2 * 544));
    EligeJornada(estado, 1);
    EXPECT_EQ(estado.RegistroJornada, vacio);
    EXPECT_EQ(plataforma.Avisos,
              QStringList(2, u"LJO ERROR 76: No existe el fichero de jornadas JORNADAS.ZPK"_s));
}

TEST(FicheroEquipos, UnaComaTerminaElNombreYLasCasillasNoCreanElFichero) {
    const QByteArray contenido = "  Real Madrid  \r\nAthletic, Club\r\n\r\nM\xe1laga\r\nSevilla";
    EXPECT_EQ(NombresDeEquipos(contenido),
              QStringList({u"Real Madrid"_s, u"Athletic"_s, u"Club"_s, u"Málaga"_s, u"Sevilla"_s}));
    EXPECT_EQ(ContenidoFicheroEquipos({u"  Real Madrid "_s, u"Málaga"_s, u"Athletic, Club"_s}),
              QByteArray("Real Madrid\r\nM\xe1laga\r\nAthletic, Club\r\n"));

    // Las casillas no crean el fichero y los fallos llevan su etiqueta.
    Banco banco(false);
    auto& [carpeta, estado, plataforma] = banco;
    EXPECT_FALSE(CreaCboEquipo(estado).has_value());
    EXPECT_EQ(estado.UltimoErrorFichero, 53);
    EXPECT_FALSE(carpeta.Existe(u"EQUIPOS.ZPK"_s));
    EXPECT_EQ(plataforma.Avisos,
              QStringList{u"No se encuentra el fichero de equipos EQUIPOS.ZPK."_s});

    plataforma.Avisos.clear();
    estado.CarpetaDatos = carpeta.Ruta(u"no_existe/"_s);
    CargaLisEquipos(estado);
    CreaCboEquipo(estado);
    EXPECT_EQ(plataforma.Avisos,
              QStringList({u"CLE ERROR 76: No existe el fichero de equipos EQUIPOS.ZPK"_s,
                           u"CCE ERROR 76: No existe el fichero de equipos EQUIPOS.ZPK"_s}));
}

TEST(FechaJornada, CalendarioDiaMesAnoYCierreDelPanel) {
    // 00..29 son 2000..2029 y 30..99 son 1930..1999: 2000 y 1932 bisiestos, 1931 no.
    const std::pair<QString, bool> casos[] = {
        {u"29 02 04"_s, true},  {u"29 02 05"_s, false}, {u"28 08 05"_s, true},
        {u"00 00 00"_s, false}, {u"12 13 05"_s, false}, {u"31 04 05"_s, false},
        {u"5 09 05"_s, false},  {u"a5 09 05"_s, false}, {u" 09 05"_s, false},
        {u"29 02 00"_s, true},  {u"29 02 32"_s, true},  {u"29 02 31"_s, false},
    };
    for (const auto& [fecha, valida] : casos) {
        const QStringList c = fecha.split(u' ');
        EXPECT_EQ(FechaValida({c[0], c[1], c[2]}), valida) << fecha.toStdString();
    }
    // El panel se cierra completando cada campo a dos cifras; igual a la actual, no cambia.
    const CierreFecha c = CierraPanelFecha({u"5"_s, u"9"_s, u"5"_s}, u"28/08/05"_s);
    EXPECT_TRUE(c.Valida && c.Cambiada);
    EXPECT_EQ(c.Fecha, u"05/09/05"_s);
    EXPECT_FALSE(CierraPanelFecha({u"28"_s, u"08"_s, u"05"_s}, u"28/08/05"_s).Cambiada);
}

const QString Bases = u"BASES.ZPK"_s;

TEST(Borrado, UnFalloAMediasSeParaUnIndiceIlegibleSeDiceSinIndiceNoHayFalloYTextos) {
    Banco banco;
    auto& [carpeta, estado, plataforma] = banco;
    carpeta.Escribe(Jornadas, RegistroAMano(1, "01/09/24") + RegistroAMano(2, "02/09/24") +
                                  RegistroAMano(3, "03/09/24"));
    // Reducciones de las jornadas 2, 3, 4 y 13, con un registro libre por medio.
    GuardaReduccionPrueba(carpeta, 3, 1, ColumnasPrueba(3, u'1'));
    GuardaReduccionPrueba(carpeta, 2, 1, ColumnasPrueba(4, u'X'));
    carpeta.Escribe(Bases, carpeta.Lee(Bases) + AWindows1252(RegistroLibre) + "\r\n");
    GuardaReduccionPrueba(carpeta, 3, 30, ColumnasPrueba(5, u'2'));
    GuardaReduccionPrueba(carpeta, 13, 1, ColumnasPrueba(2, u'1'));
    GuardaReduccionPrueba(carpeta, 4, 2, ColumnasPrueba(2, u'1'));
    carpeta.Escribe(u"DATOSGEN.ZPK"_s, "datos");
    // El disco se llena al escribir la jornada 4 (el fichero tiene 3 registros).
    const auto antes = ContenidoCarpeta(carpeta);
    ResultadoBorrado r;
    ConLimiteDeFichero(3 * 544, [&] {
        plataforma.Respuesta = BotonMensaje::Borrar;
        RangoBorrado rango;
        rango.EligeHasta(13);
        rango.EligeDesde(2);
        r = *PulsaBorrarDatos(estado, rango);
    });
    // Jornadas 2 y 3 borradas con sus reducciones; la 4 ya ha salido del índice y queda anotada
    // para terminarla al arrancar; la 13 sigue.
    auto esperado = antes;
    esperado.erase(u"RED0201.ZPK"_s);
    esperado.erase(u"RED0301.ZPK"_s);
    esperado.erase(u"RED0330.ZPK"_s);
    esperado[Jornadas].replace(544, 2 * 544, QByteArray(2 * 544, ' '));
    QList<QByteArray> lineas = antes.at(Bases).split('\n');
    for (int i : {0, 1, 3, 5})
        lineas[i] = AWindows1252(RegistroLibre) + '\r';
    esperado[Bases] = lineas.join('\n');
    esperado[u"PENDIENT.ZPK"_s] = "BORRA 04\r\n";
    EXPECT_EQ(ContenidoCarpeta(carpeta), esperado);
    ASSERT_EQ(plataforma.Mensajes.size(), 2);
    EXPECT_EQ(plataforma.Mensajes[1].Titulo, u"ERROR EN EL BORRADO"_s);
    EXPECT_EQ(plataforma.Mensajes[1].Texto,
              u"No se ha podido borrar la jornada 4 en JORNADAS.ZPK: el disco está lleno "
              u"(error 61). El borrado se ha parado en la jornada 4. Se han borrado las "
              u"jornadas 2 a 3; las siguientes siguen como estaban. Sus reducciones ya no están "
              u"en el índice: la jornada 4 se terminará de borrar la próxima vez que se abra el "
              u"programa."_s);
    // El siguiente arranque la termina: registro en blanco, fuera su fichero y la anotación.
    TerminaCambiosPendientes(estado);
    esperado.erase(u"RED0402.ZPK"_s);
    esperado.erase(u"PENDIENT.ZPK"_s);
    esperado[Jornadas] += QByteArray(544, ' ');
    EXPECT_EQ(ContenidoCarpeta(carpeta), esperado);

    // Un índice que no se puede leer se dice.
    ASSERT_TRUE(QFile::remove(carpeta.Ruta(Bases)));
    ASSERT_TRUE(QDir(carpeta.Ruta()).mkdir(Bases));
    const ResultadoBorrado ilegible = BorraJornadas(estado, 3, 3);
    EXPECT_FALSE(ilegible.Completo()); // el índice va primero: nada de la jornada se toca
    EXPECT_FALSE(carpeta.Existe(u"PENDIENT.ZPK"_s));
    const QString texto = TextoFalloBorrado(ilegible);
    EXPECT_TRUE(texto.startsWith(
        u"No se han podido quitar las reducciones de la jornada 3 del índice BASES.ZPK"_s))
        << texto.toStdString();
    EXPECT_TRUE(texto.endsWith(u"Vuelva a borrar el mismo tramo cuando se haya resuelto."_s));

    // Sin índice, todo el tramo y al revés: se ordena y el fichero de jornadas se alarga.
    ASSERT_TRUE(QDir(carpeta.Ruta()).rmdir(Bases));
    EXPECT_TRUE(BorraJornadas(estado, 52, 1).Completo());
    const std::map<QString, QByteArray> queda{{Jornadas, QByteArray(52 * 544, ' ')},
                                              {u"DATOSGEN.ZPK"_s, "datos"}};
    EXPECT_EQ(ContenidoCarpeta(carpeta), queda);
    EXPECT_TRUE(plataforma.Avisos.isEmpty());

    // Textos de la confirmación y tramo al revés.
    const QString fin = u" .  Si  desea  continuar  con  el  proceso,  pulse Borrar. Si desea "
                        u"cancelar el proceso, pulse Salir."_s;
    const QString inicio = u"Se  va  a  proceder  a  la  eliminación  de  todos  los  datos"_s;
    EXPECT_EQ(TextoConfirmacionBorrado(3, 3), inicio + u" de la Jornada  3"_s + fin);
    EXPECT_EQ(TextoConfirmacionBorrado(1, 52),
              inicio + u"  desde la  jornada   1  hasta  la  jornada 52  "_s + fin);
    // Un tramo al revés se anuncia ya ordenado.
    EXPECT_EQ(TextoConfirmacionBorrado(20, 5), TextoConfirmacionBorrado(5, 20));

    // Elegir una jornada abre la otra lista con ella (0: ninguna) si falta el otro extremo o el
    // tramo queda al revés.
    RangoBorrado rango;
    EXPECT_EQ(rango.EligeDesde(7), 7);
    EXPECT_EQ(rango.EligeHasta(9), 0);
    EXPECT_EQ(rango.EligeDesde(9), 0);
    EXPECT_EQ(rango.EligeDesde(10), 10);
}

} // namespace
