#include "core/estado_global.h"
#include "matchdays/fecha_jornada.h"
#include "matchdays/fichero_jornadas.h"
#include "support/carpeta_temporal.h"
#include "support/plataforma_falsa.h"

#include <gtest/gtest.h>

using namespace quiniela;
using namespace Qt::StringLiterals;
using prueba::CarpetaTemporal;
using prueba::PlataformaFalsa;

namespace {

const QString Jornadas = QStringLiteral("JORNADAS.ZPK");

QByteArray Blancos(int n) {
    return QByteArray(n, ' ');
}

// Registro escrito a mano: marca, fecha, los dos primeros partidos y lo demás en blanco,
// con la columna ganadora y los premios que deja el escrutinio.
QByteArray RegistroAMano(int jornada, const QByteArray& fecha, const QByteArray& cola) {
    QByteArray r = "Jor" + QByteArray::number(jornada).rightJustified(2, '0') + fecha;
    r += QByteArray("Real Madrid").leftJustified(15, ' ');
    r += QByteArray("Barcelona").leftJustified(15, ' ');
    r += QByteArray("M\xe1laga").leftJustified(15, ' ');
    r += QByteArray("Betis").leftJustified(15, ' ');
    r += Blancos(26 * 15);
    r += cola;
    EXPECT_EQ(r.size(), 544);
    return r;
}

const QByteArray ColaEscrutada =
    QByteArray("120301230123012") + QByteArray("  1234567,89") + QByteArray(54, '9');

} // namespace

TEST(FicheroJornadas, JornadaVaciaYRegistrosQueNoValen) {
    const QString vacio = RegistroJornadaVacio();
    ASSERT_EQ(vacio.size(), 544);
    EXPECT_EQ(vacio, QString(5, u' ') + QStringLiteral("00/00/00") + QString(531, u' '));

    CarpetaTemporal carpeta;
    EstadoGlobal estado = carpeta.Estado();
    // Tres registros: el 2 lleva la marca de otra jornada.
    carpeta.Escribe(Jornadas, RegistroAMano(1, "28/08/05", Blancos(81)) +
                                  RegistroAMano(5, "04/09/05", Blancos(81)) +
                                  RegistroAMano(3, "11/09/05", Blancos(81)));
    int error = -1;
    EXPECT_EQ(LeeRegistroJornada(estado, 7, &error), vacio);
    EXPECT_EQ(error, 0);
    EXPECT_EQ(LeeRegistroJornada(estado, 2), vacio);
    EXPECT_EQ(LeeRegistroJornada(estado, 0), vacio);
    EXPECT_EQ(FechaDeRegistro(LeeRegistroJornada(estado, 3)), QStringLiteral("11/09/05"));

    // Un último registro cortado se completa con blancos.
    carpeta.Escribe(Jornadas, RegistroAMano(1, "28/08/05", Blancos(81)).left(61));
    const QString corto = LeeRegistroJornada(estado, 1);
    EXPECT_EQ(corto.size(), 544);
    EXPECT_EQ(EquipoLocal(corto, 1), QStringLiteral("Real Madrid"));
    EXPECT_EQ(EquipoVisitante(corto, 2), QStringLiteral("Bet"));
    EXPECT_EQ(corto.mid(61), QString(544 - 61, u' '));
}

TEST(FicheroJornadas, CargaLaJornadaActualCampoACampo) {
    CarpetaTemporal carpeta;
    EstadoGlobal estado = carpeta.Estado();
    PlataformaFalsa plataforma(&estado);
    const QByteArray tres = RegistroAMano(3, "11/09/05", ColaEscrutada);
    carpeta.Escribe(Jornadas, Blancos(544) + Blancos(544) + tres);

    EligeJornada(estado, 3);
    EXPECT_EQ(estado.UltimoErrorFichero, 0);
    EXPECT_EQ(estado.Datos.JornadaActual, 3);
    EXPECT_EQ(estado.RegistroJornada.toLatin1(), tres);
    EXPECT_EQ(estado.Datos.FechaJornada, QStringLiteral("11/09/05"));
    EXPECT_EQ(EquipoDeRegistro(estado.RegistroJornada, 3), QStringLiteral("Málaga         "));
    EXPECT_EQ(EquipoLocal(estado.RegistroJornada, 2), QStringLiteral("Málaga"));
    EXPECT_EQ(EquipoVisitante(estado.RegistroJornada, 2), QStringLiteral("Betis"));
    const EquiposJornada equipos = EquiposDeRegistro(estado.RegistroJornada);
    EXPECT_EQ(equipos[1], QStringLiteral("Real Madrid    "));
    EXPECT_EQ(equipos[30], QString(15, u' '));
    EXPECT_EQ(TituloBotonJornada(3), QStringLiteral("Jornada 3"));
    EXPECT_EQ(TituloBotonFecha(estado.Datos.FechaJornada), QStringLiteral("Fecha 11/09/05"));

    // Record 7 de un fichero de tres: jornada vacía, fecha "00/00/00".
    EligeJornada(estado, 7);
    EXPECT_EQ(estado.UltimoErrorFichero, 0);
    EXPECT_EQ(estado.RegistroJornada, RegistroJornadaVacio());
    EXPECT_EQ(estado.Datos.FechaJornada, QStringLiteral("00/00/00"));
    EXPECT_EQ(CamposDeFecha(estado.Datos.FechaJornada), (CamposFecha{u"00"_s, u"00"_s, u"00"_s}));
    EXPECT_TRUE(plataforma.avisos.isEmpty());
}

TEST(FicheroJornadas, GuardarConservaLas464a544YLosDemasRegistros) {
    CarpetaTemporal carpeta;
    EstadoGlobal estado = carpeta.Estado();
    PlataformaFalsa plataforma(&estado);
    const QByteArray uno = RegistroAMano(1, "28/08/05", Blancos(81));
    const QByteArray tres = RegistroAMano(3, "11/09/05", ColaEscrutada);
    carpeta.Escribe(Jornadas, uno + Blancos(544) + tres);

    EligeJornada(estado, 3);
    EquiposJornada equipos = EquiposDeRegistro(estado.RegistroJornada);
    equipos[1] = QStringLiteral("  Deportivo  ");
    equipos[2] = QStringLiteral("Real Valladolid C.F."); // más de 15: se corta
    equipos[3] = QString();
    equipos[30] = QStringLiteral("Osasuna");
    ASSERT_EQ(GuardaJornadaActual(estado, {u"5"_s, u"9"_s, u"05"_s}, equipos),
              ResultadoGuardarJornada::Guardada);

    QByteArray esperado = "Jor0305/09/05";
    esperado += QByteArray("Deportivo").leftJustified(15, ' ');
    esperado += "Real Valladoli";
    esperado += "d";
    esperado += Blancos(15);
    esperado += QByteArray("Betis").leftJustified(15, ' ');
    esperado += Blancos(25 * 15);
    esperado += QByteArray("Osasuna").leftJustified(15, ' ');
    esperado += ColaEscrutada;
    ASSERT_EQ(esperado.size(), 544);
    EXPECT_EQ(carpeta.Lee(Jornadas), uno + Blancos(544) + esperado);
    EXPECT_EQ(estado.RegistroJornada.toLatin1(), esperado);
    EXPECT_EQ(estado.Datos.FechaJornada, QStringLiteral("05/09/05"));
    EXPECT_TRUE(plataforma.mensajes.empty());
}

TEST(FicheroJornadas, GuardarMasAllaDelFinalAlargaElFichero) {
    CarpetaTemporal carpeta;
    EstadoGlobal estado = carpeta.Estado();
    PlataformaFalsa plataforma(&estado);
    const QByteArray tres = RegistroAMano(1, "28/08/05", Blancos(81)) + Blancos(544) +
                            RegistroAMano(3, "11/09/05", Blancos(81));
    carpeta.Escribe(Jornadas, tres);

    EligeJornada(estado, 7);
    EquiposJornada equipos;
    equipos[1] = QStringLiteral("Málaga");
    ASSERT_EQ(GuardaJornadaActual(estado, {u"16"_s, u"10"_s, u"05"_s}, equipos),
              ResultadoGuardarJornada::Guardada);
    const QByteArray contenido = carpeta.Lee(Jornadas);
    ASSERT_EQ(contenido.size(), 7 * 544);
    EXPECT_EQ(contenido.left(3 * 544), tres);
    EXPECT_EQ(contenido.mid(3 * 544, 3 * 544), Blancos(3 * 544));
    const QByteArray siete =
        "Jor0716/10/05" + QByteArray("M\xe1laga").leftJustified(15, ' ') + Blancos(29 * 15 + 81);
    EXPECT_EQ(contenido.mid(6 * 544), siete);
    for (int j = 4; j <= 6; ++j)
        EXPECT_EQ(LeeRegistroJornada(estado, j), RegistroJornadaVacio());

    // Un fichero nuevo: la jornada 2 deja la 1 en blanco.
    QFile::remove(carpeta.Ruta(Jornadas));
    EligeJornada(estado, 2);
    EXPECT_TRUE(carpeta.Existe(Jornadas));
    ASSERT_EQ(GuardaJornadaActual(estado, {u"04"_s, u"09"_s, u"05"_s}, EquiposJornada{}),
              ResultadoGuardarJornada::Guardada);
    EXPECT_EQ(carpeta.Lee(Jornadas), Blancos(544) + "Jor0204/09/05" + Blancos(531));
    EXPECT_TRUE(plataforma.avisos.isEmpty());
}

TEST(FicheroJornadas, FechaIncorrectaNoGuardaYAvisa) {
    CarpetaTemporal carpeta;
    EstadoGlobal estado = carpeta.Estado();
    PlataformaFalsa plataforma(&estado);
    EligeJornada(estado, 1);
    EXPECT_EQ(carpeta.Lee(Jornadas), QByteArray()); // creado vacío, sin aviso
    EXPECT_TRUE(plataforma.avisos.isEmpty());

    // Jornada nunca guardada: los campos "00" no son una fecha.
    const CamposFecha campos = CamposDeFecha(estado.Datos.FechaJornada);
    EXPECT_EQ(GuardaJornadaActual(estado, campos, EquiposJornada{}),
              ResultadoGuardarJornada::FechaIncorrecta);
    EXPECT_EQ(GuardaJornadaActual(estado, {u"31"_s, u"02"_s, u"05"_s}, EquiposJornada{}),
              ResultadoGuardarJornada::FechaIncorrecta);
    ASSERT_EQ(plataforma.mensajes.size(), 2u);
    EXPECT_EQ(plataforma.mensajes[0].titulo, QStringLiteral("ERROR EN LA FECHA"));
    EXPECT_EQ(plataforma.mensajes[0].texto,
              QStringLiteral("No ha indicado la fecha de la jornada o no es correcta. No se "
                             "pueden guardar los datos de la jornada  si  no  se incluye una "
                             "fecha válida.  Introduzca  un  valor  correcto  antes  de  "
                             "intentar guardar los datos de la jornada."));
    EXPECT_EQ(carpeta.Lee(Jornadas), QByteArray());
    EXPECT_EQ(estado.Datos.FechaJornada, QStringLiteral("00/00/00"));
}

TEST(FicheroJornadas, FallosDeCargaYDeEscritura) {
    CarpetaTemporal carpeta;
    EstadoGlobal estado = carpeta.Estado();
    PlataformaFalsa plataforma(&estado);
    carpeta.Escribe(Jornadas, RegistroAMano(1, "28/08/05", Blancos(81)));
    EligeJornada(estado, 1);
    const QString registroUno = estado.RegistroJornada;

    estado.CarpetaDatos = carpeta.Ruta(QStringLiteral("no_existe/"));
    // El registro que había es el de la jornada actual: se conserva.
    LeeFicheroJornadas(estado);
    EXPECT_EQ(estado.UltimoErrorFichero, 76);
    EXPECT_EQ(estado.RegistroJornada, registroUno);
    EXPECT_EQ(estado.Datos.FechaJornada, QStringLiteral("28/08/05"));
    // Otra jornada: queda vacía.
    EligeJornada(estado, 2);
    EXPECT_EQ(estado.RegistroJornada, RegistroJornadaVacio());
    EXPECT_EQ(plataforma.avisos,
              QStringList(2, u"LJO ERROR 76: No existe el fichero de jornadas JORNADAS.ZPK"_s));

    plataforma.avisos.clear();
    EXPECT_EQ(GuardaJornadaActual(estado, {u"01"_s, u"01"_s, u"06"_s}, EquiposJornada{}),
              ResultadoGuardarJornada::ErrorFichero);
    EXPECT_EQ(plataforma.avisos,
              QStringList{u"No se han podido guardar los datos de la jornada en el fichero "
                          u"JORNADAS.ZPK (error 76)."_s});
    EXPECT_EQ(estado.RegistroJornada, RegistroJornadaVacio());
}
