#include "matchdays/borrado.h"
#include "support/datos_distribuidos.h"
#include "support/linea_cli.h"

#include <gtest/gtest.h>
#include <map>

using namespace quiniela;
using namespace quiniela::prueba;
using namespace Qt::StringLiterals;

TEST(OrdenesJornadaYBorrar, GuardanMuestranYBorranConLasReglasDeLaPantalla) {
    CarpetaTemporal carpeta;
    carpeta.Escribe(u"DATOSGEN.ZPK"_s,
                    "1,\"28/08/05\",1,1,0,0,0,0,1,42,\"0.50\",\"00\",\"00000\",\"Si\"\r\n");
    const auto jornada = [&](const QString& argumentos) {
        return EjecutaCli(carpeta, (u"jornada "_s + argumentos).split(u' '));
    };

    // Sin fecha una jornada nueva no se puede guardar.
    Linea l = jornada(u"3 --partido 1 Betis Osasuna"_s);
    EXPECT_EQ(l.Estado, 1);
    EXPECT_TRUE(l.Err.startsWith(u"ERROR EN LA FECHA\nNo ha indicado la fecha"_s));
    EXPECT_EQ(carpeta.Lee(u"JORNADAS.ZPK"_s), QByteArray());

    l = EjecutaCli(carpeta, {u"jornada"_s, u"2"_s, u"--fecha"_s, u"4/9/05"_s, u"--partido"_s,
                             u"1"_s, u"  Málaga "_s, u"Real Valladolid C.F."_s, u"--partido"_s,
                             u"15"_s, u"Betis"_s, u"Osasuna"_s});
    ASSERT_EQ(l.Estado, 0) << l.Err.toStdString();
    // Lo guardado, con la fecha completada y los nombres recortados, se ve al mostrarla; un
    // partido sin cambiar conserva sus equipos al guardar otro.
    ASSERT_EQ(jornada(u"2 --partido 2 Celta Eibar"_s).Estado, 0);
    l = jornada(u"2"_s);
    EXPECT_TRUE(l.Out.startsWith(u"Jornada 2  Fecha 04/09/05\n 1. Málaga          - Real "
                                 u"Valladolid\n 2. Celta           - Eibar\n"_s));
    EXPECT_TRUE(l.Out.endsWith(u"\n15. Betis           - Osasuna\n"_s));
    EXPECT_EQ(jornada(u"9"_s).Out, u"Jornada 9  Fecha 00/00/00  (sin datos)\n"_s);

    // Lo mal escrito sale con 1 y no toca el fichero (un partido 16 no cabe en la jornada).
    const QByteArray guardado = carpeta.Lee(u"JORNADAS.ZPK"_s);
    for (const QString& mala : {u"43"_s, u"2 --partido 16 A B"_s, u"2 --partido 1 A"_s})
        EXPECT_EQ(jornada(mala).Estado, 1) << mala.toStdString();
    EXPECT_EQ(jornada(u"2 --partido 0 A B"_s).Err,
              u"El número de partido debe estar entre 1 y 15.\n"_s);
    EXPECT_EQ(carpeta.Lee(u"JORNADAS.ZPK"_s), guardado);

    // La orden borrar anuncia, rechaza y borra como la pantalla.
    CarpetaTemporal datos;
    CopiaDatosDistribuidos(datos);
    auto esperado = ContenidoCarpeta(datos);
    const auto borrar = [&](const QString& argumentos) {
        return EjecutaCli(datos, (u"borrar --desde "_s + argumentos).split(u' '));
    };
    Linea s = borrar(u"3 --hasta 3"_s);
    EXPECT_EQ(s.Estado, 2);
    EXPECT_EQ(s.Out, u"BORRADO DE DATOS\n"_s + TextoConfirmacionBorrado(3, 3) +
                         u"\nNo se ha borrado nada: añada --confirmar para borrar.\n"_s);
    for (const auto& [args, error] : std::vector<std::pair<QString, QString>>{
             {u"20 --hasta 5 --confirmar"_s,
              u"El tramo está al revés: la jornada 20 va después de la 5. "
              u"Use --desde 5 --hasta 20.\n"_s},
             {u"0 --hasta 5 --confirmar"_s, u"Las jornadas del tramo van de 1 a 42.\n"_s},
             {u"1"_s, u"Uso: quiniela-cli borrar --desde J1 --hasta J2 [--confirmar]\n"_s}}) {
        const Linea e = borrar(args);
        EXPECT_EQ(e.Estado, 1);
        EXPECT_EQ(e.Err, error);
    }
    EXPECT_EQ(ContenidoCarpeta(datos), esperado);

    // La jornada 2 no tiene reducciones.
    s = borrar(u"2 --hasta 3 --confirmar"_s);
    EXPECT_EQ(s.Estado, 0) << s.Err.toStdString();
    EXPECT_EQ(s.Out,
              u"Borradas las jornadas 2 a 3: 2 reducciones quitadas del índice, 2 ficheros de "
              u"columnas borrados (RED0301.ZPK, RED0302.ZPK).\n"_s);
    esperado.erase(u"RED0301.ZPK"_s);
    esperado.erase(u"RED0302.ZPK"_s);
    esperado[u"JORNADAS.ZPK"_s].replace(544, 2 * 544, QByteArray(2 * 544, ' '));
    // Las líneas 4 y 5 del índice quedan libres.
    esperado[u"BASES.ZPK"_s].replace(3 * 232, 2 * 232,
                                     ("0000" + QByteArray(226, ' ') + "\r\n").repeated(2));
    EXPECT_EQ(ContenidoCarpeta(datos), esperado);
}
