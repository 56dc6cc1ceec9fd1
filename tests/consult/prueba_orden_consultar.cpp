#include "support/datos_distribuidos.h"
#include "support/linea_cli.h"
#include "support/registros_historial.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace quiniela;
using namespace quiniela::prueba;

namespace {

QStringList Consultar(int jornada, int orden, int boleto = 0) {
    QStringList a{u"consultar"_s, u"--jornada"_s, QString::number(jornada), u"--orden"_s,
                  QString::number(orden)};
    if (boleto > 0)
        a << u"--boleto"_s << QString::number(boleto);
    return a;
}

// Las salidas esperadas se comprobaron contra los signos del fichero de columnas, de ocho en ocho
// con cuatro blancos entre boletos y sin blancos al final.
TEST(OrdenesConsultarEHistorial, BloquesErroresClarosYLineasLegiblesSinReescribirDatosGenerales) {
    CarpetaTemporal datos;
    CopiaDatosDistribuidos(datos);
    // 3/1: 144 columnas con "1" en el 15 y 144 con "X" (36 boletos); 3/2: 533 columnas (67 boletos,
    // el último con 5).
    for (const auto& [j, o, boleto] : {std::tuple{1, 1, 0}, {3, 1, 19}, {3, 2, 67}, {3, 2, 65}}) {
        const QString nombre = u"consultar_%1_%2_%3.txt"_s.arg(j).arg(o).arg(boleto);
        SCOPED_TRACE(nombre.toStdString());
        const Linea s = EjecutaCli(datos, Consultar(j, o, boleto));
        EXPECT_EQ(s.Estado, 0) << s.Err.toStdString();
        QFile esperado(QStringLiteral(QUINIELA_FUENTES "/tests/datos/consult/") + nombre);
        ASSERT_TRUE(esperado.open(QIODevice::ReadOnly));
        EXPECT_EQ(s.Out, QString::fromUtf8(esperado.readAll()));
    }
    for (const auto& [args, error] : std::vector<std::pair<QStringList, QString>>{
             {Consultar(2, 1), u"No existe la reducción de la jornada 2 con el orden 1: falta "
                               u"su fichero de columnas RED0201.ZPK.\n"_s},
             {Consultar(3, 2, 68), u"No existe el boleto 68: la reducción ocupa 67 boletos.\n"_s},
             {Consultar(43, 1), u"La jornada va de 1 a 42, el orden de 1 a 30 y el boleto desde "
                                u"1.\n"_s},
             {{u"consultar"_s, u"--jornada"_s, u"1"_s},
              u"Uso: quiniela-cli consultar --jornada J --orden O [--boleto N]\n"_s}}) {
        SCOPED_TRACE(args.join(u' ').toStdString());
        const Linea s = EjecutaCli(datos, args);
        EXPECT_EQ(s.Estado, 1);
        EXPECT_TRUE(s.Out.isEmpty());
        EXPECT_EQ(s.Err, error);
    }

    // Historial: una línea con un byte nulo se salta y se dice; los datos generales dañados se
    // conservan.
    CarpetaTemporal carpeta;
    const QByteArray danado =
        "nan,\"01/01/06\",2,1,0,0,0,0,1,42,\"0.50\",\"00\",\"00000\",\"Si\"\r\n";
    carpeta.Escribe(u"DATOSGEN.ZPK"_s, danado);
    ASSERT_EQ(
        EscribeRegistroJornada(carpeta.Estado(), 7, RegistroDeJornada(7, u"12/10/05"_s)).Numero, 0);
    QString conNulo = RegistroDe(4, 1, 1, 9, 9, u"nulo"_s);
    conNulo[190] = QChar(0);
    EscribeBases(carpeta,
                 {RegistroDe(7, 3, 2, 1296, 81, u"Pareja de dobles"_s), RegistroLibreBases(),
                  RegistroDe(2, 1, 3, 14348907, 9999999, u"Una descripción bien larga de 35 c"_s),
                  conNulo});

    const Linea l = EjecutaCli(carpeta, {u"historial"_s});
    ASSERT_EQ(l.Estado, 0) << l.Err.toStdString();
    EXPECT_EQ(l.Out, QString(62, u' ') +
                         u"Apuestas   Apuestas\n"
                         u"Jor  Fecha   Ord  Método de reducción      Descripción        "
                         u"Directas   Reducidas\n"
                         u"  7 12/10/05   3  Columna Probable     Pareja de dobles       "
                         u"     1296          81\n"
                         u"  2            1  Selección de Signos  Una descripción bien    "
                         u"14348907     9999999\n"_s);
    EXPECT_TRUE(l.Err.contains(u"Se ha guardado una copia como DATOSGEN.ZPK.dañado"_s))
        << l.Err.toStdString();
    EXPECT_TRUE(l.Err.endsWith(u"no se muestran:\r\nlínea 4: tiene bytes nulos o de control\n"_s));
    EXPECT_EQ(carpeta.Lee(u"DATOSGEN.ZPK"_s), danado);
    EXPECT_EQ(EjecutaCli(carpeta, {u"historial"_s, u"de_mas"_s}).Estado, 1);
}

} // namespace
