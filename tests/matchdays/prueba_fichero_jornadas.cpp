#include "core/estado_global.h"
#include "matchdays/fecha_jornada.h"
#include "matchdays/fichero_jornadas.h"
#include "support/banco.h"

#include <gtest/gtest.h>

using namespace quiniela;
using namespace Qt::StringLiterals;
using prueba::Banco;
using prueba::CarpetaTemporal;

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
    EXPECT_EQ(r.size(), 544);
    return r;
}

const QByteArray ColaEscrutada =
    "120301230123012" + QByteArray("  1234567,89") + QByteArray(54, '9');

} // namespace

TEST(FicheroJornadas, LecturaDeRegistrosQueFaltanONoValen) {
    const QString vacio = RegistroJornadaVacio();
    EXPECT_EQ(vacio, QString(5, u' ') + u"00/00/00"_s + QString(531, u' '));

    Banco banco(false);
    auto& [carpeta, estado, plataforma] = banco;
    // Tres registros: el 2 lleva la marca de otra jornada.
    const QByteArray tres = RegistroAMano(1, "28/08/05") + RegistroAMano(5, "04/09/05") +
                            RegistroAMano(3, "11/09/05", ColaEscrutada);
    carpeta.Escribe(Jornadas, tres);
    int error = -1;
    EXPECT_EQ(LeeRegistroJornada(estado, 7, &error), vacio);
    EXPECT_EQ(error, 0);
    EXPECT_EQ(LeeRegistroJornada(estado, 2), vacio);
    EXPECT_EQ(LeeRegistroJornada(estado, 0), vacio);

    EligeJornada(estado, 3);
    EXPECT_EQ(estado.RegistroJornada.toLatin1(), tres.mid(2 * 544));
    EXPECT_EQ(estado.Datos.FechaJornada, u"11/09/05"_s);
    EXPECT_EQ(EquipoDeRegistro(estado.RegistroJornada, 3), u"Málaga         "_s);
    EXPECT_EQ(EquipoLocal(estado.RegistroJornada, 2), u"Málaga"_s);
    EXPECT_EQ(EquipoVisitante(estado.RegistroJornada, 2), u"Betis"_s);
    // Registro 7 de un fichero de tres: la jornada vacía, sin error ni aviso.
    EligeJornada(estado, 7);
    EXPECT_EQ(estado.UltimoErrorFichero, 0);
    EXPECT_EQ(estado.RegistroJornada, vacio);
    EXPECT_EQ(estado.Datos.FechaJornada, u"00/00/00"_s);
    EXPECT_TRUE(plataforma.avisos.isEmpty());

    // Un último registro cortado se completa con blancos.
    carpeta.Escribe(Jornadas, RegistroAMano(1, "28/08/05").left(61));
    const QString corto = LeeRegistroJornada(estado, 1);
    EXPECT_EQ(EquipoVisitante(corto, 2), u"Bet"_s);
    EXPECT_EQ(corto.mid(61), QString(544 - 61, u' '));
}

TEST(FicheroJornadas, GuardarConservaLas464a544YLosDemasRegistros) {
    Banco banco(false);
    auto& [carpeta, estado, plataforma] = banco;
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
    EXPECT_EQ(estado.Datos.FechaJornada, u"05/09/05"_s);

    // Más allá del final: los registros que faltan quedan en blanco.
    EligeJornada(estado, 7);
    equipos = EquiposJornada{};
    equipos[1] = u"Málaga"_s;
    ASSERT_EQ(GuardaJornadaActual(estado, {u"16"_s, u"10"_s, u"05"_s}, equipos),
              ResultadoGuardarJornada::Guardada);
    EXPECT_EQ(carpeta.Lee(Jornadas), uno + Blancos(544) + tres + Blancos(3 * 544) +
                                         "Jor0716/10/05" + Casilla("M\xe1laga") +
                                         Blancos(29 * 15 + 81));

    EXPECT_TRUE(plataforma.avisos.isEmpty());
    EXPECT_TRUE(plataforma.mensajes.empty());
}

TEST(FicheroJornadas, FalloDeCargaConservaSoloElRegistroDeLaJornadaActual) {
    Banco banco(false);
    auto& [carpeta, estado, plataforma] = banco;
    carpeta.Escribe(Jornadas, RegistroAMano(1, "28/08/05"));
    EligeJornada(estado, 1);
    const QString registroUno = estado.RegistroJornada;

    estado.CarpetaDatos = carpeta.Ruta(u"no_existe/"_s);
    LeeFicheroJornadas(estado);
    EXPECT_EQ(estado.UltimoErrorFichero, 76);
    EXPECT_EQ(estado.RegistroJornada, registroUno);
    EligeJornada(estado, 2);
    EXPECT_EQ(estado.RegistroJornada, RegistroJornadaVacio());
    EXPECT_EQ(plataforma.avisos,
              QStringList(2, u"LJO ERROR 76: No existe el fichero de jornadas JORNADAS.ZPK"_s));
}
