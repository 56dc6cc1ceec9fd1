// La orden escrutar de quiniela-cli sobre las reducciones distribuidas y sus errores.
#include "matchdays/fichero_jornadas.h"
#include "output/columnas_prueba.h"
#include "output/fichero_boletos.h"
#include "reduction/fichero_bases.h"
#include "scrutiny/realiza_escrutinio.h"
#include "support/datos_distribuidos.h"
#include "support/linea_cli.h"

#include <map>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace quiniela;
using namespace quiniela::prueba;

namespace {

const QString Ganadora = u"1X21X21X21X21X2"_s;

// quiniela-cli escrutar con sus argumentos.
Linea Escrutar(const CarpetaTemporal& carpeta, const QStringList& args) {
    return EjecutaCli(carpeta, QStringList{u"escrutar"_s} + args);
}

// Lo que debe escribir la orden, contado columna a columna sin el recuento rápido.
QString SalidaEsperada(const EstadoGlobal& estado, const QByteArray& fichero,
                       const QString& ganadora) {
    ResultadoEscrutinio r;
    r.Premios = {0, 1000, 100, 10, 1, 0.5, 0.25};
    const int64_t total = fichero.size() / 19;
    std::map<int64_t, BoletoPremiado> boletos;
    for (int64_t n = 1; n <= total; ++n) {
        const int h =
            AciertosColumna(QString::fromLatin1(fichero.mid((n - 1) * 19 + 1, 15)), ganadora);
        ++r.AciertosCategoria[h];
        r.AciertosCategoria[14] += h == 15;
        const int64_t b = BoletoDeColumna(estado.Red.Base, total, n);
        if (h >= 10) {
            boletos[b].Boleto = b;
            ++boletos[b].Columnas[15 - h];
        }
    }
    QString s = LineasAciertos(r).join(u'\n') + u"\n\n"_s;
    for (const auto& [n, b] : boletos)
        s += LineaBoleto(b) + u'\n';
    return s;
}

} // namespace

TEST(OrdenEscrutar, ReduccionesDistribuidas) {
    CarpetaTemporal carpeta;
    CopiaDatosDistribuidos(carpeta);
    const QByteArray jornadas = carpeta.Lee(u"JORNADAS.ZPK"_s);
    const QList<QPair<int, int>> claves{{1, 1}, {1, 2}, {1, 3}, {3, 1}, {3, 2}, {4, 1}};
    for (const auto& [j, o] : claves) {
        const QString nombre = NombreFicheroApuestas(j, o);
        const QByteArray columnas = carpeta.Lee(nombre);
        const QString ganadora = QString::fromLatin1(columnas.mid(19 * 7 + 1, 15));
        const Linea s = Escrutar(carpeta, {u"--jornada"_s, QString::number(j), u"--orden"_s,
                                           QString::number(o), u"--ganadora"_s, ganadora,
                                           u"--premios"_s, u"1000,100,10,1,.5,.25"_s});
        ASSERT_EQ(s.Estado, 0) << s.Err.toStdString();
        EstadoGlobal estado = carpeta.Estado();
        estado.Datos.JornadaActual = int16_t(j);
        estado.Datos.OrdenActual = int16_t(o);
        LeeFicheroBases(estado);
        EXPECT_EQ(s.Out, SalidaEsperada(estado, columnas, ganadora)) << j << "/" << o;
        EXPECT_TRUE(s.Out.contains(u"  15      1"_s));
        // Guardado en la jornada: signos y premios normalizados, el resto intacto.
        const QByteArray registro = carpeta.Lee(u"JORNADAS.ZPK"_s).mid((j - 1) * 544, 544);
        EXPECT_EQ(registro.mid(478, 66), "       1000        100         10          1        "
                                         "0.5       0.25");
        EXPECT_EQ(registro.left(463), jornadas.mid((j - 1) * 544, 463));
    }
}

TEST(OrdenEscrutar, ErroresYColumnaIncompleta) {
    CarpetaTemporal carpeta;
    carpeta.Escribe(u"JORNADAS.ZPK"_s, QByteArray());
    carpeta.Escribe(u"BASES.ZPK"_s, QByteArray());
    carpeta.Escribe(u"RED0502.ZPK"_s, FicheroColumnas({Ganadora}));
    const auto escrutar = [&](const QString& j, const QString& o, const QString& premios,
                              const QString& ganadora) {
        return Escrutar(carpeta, {u"--jornada"_s, j, u"--orden"_s, o, u"--premios"_s, premios,
                                  u"--ganadora"_s, ganadora});
    };
    const Linea incompleta = escrutar(u"5"_s, u"2"_s, u"1;2;3;4;5;6,5"_s, u"1X21X21X21X21X-"_s);
    EXPECT_EQ(incompleta.Estado, 2);
    EXPECT_TRUE(incompleta.Err.contains(u"COLUMNA GANADORA INCOMPLETA\nEs  necesario"_s))
        << incompleta.Err.toStdString();
    EXPECT_EQ(carpeta.Lee(u"JORNADAS.ZPK"_s).mid(4 * 544 + 463, 15), "123123123123120");
    EXPECT_EQ(carpeta.Lee(u"JORNADAS.ZPK"_s).mid(4 * 544 + 533, 11), "        6.5");

    const QString seis = u"1,2,3,4,5,6"_s;
    const struct {
        QString Jornada, Orden, Premios, Ganadora, Error;
    } casos[] = {
        {u"5"_s, u"3"_s, seis, Ganadora, u"no tiene fichero de columnas"_s},
        {u"5"_s, u"2"_s, seis, u"1X21X21X21X21Y2"_s, u"15 signos"_s},
        {u"5"_s, u"2"_s, u"1,2,3,4,5"_s, Ganadora, u"seis importes"_s},
        {u"5"_s, u"2"_s, u"123456789012,2,3,4,5,6"_s, Ganadora, u"11 caracteres"_s},
        {u"0"_s, u"2"_s, seis, Ganadora, u"La jornada va de 1 a 99"_s},
    };
    for (const auto& c : casos) {
        const Linea s = escrutar(c.Jornada, c.Orden, c.Premios, c.Ganadora);
        EXPECT_EQ(s.Estado, 1) << c.Error.toStdString();
        EXPECT_TRUE(s.Err.contains(c.Error)) << s.Err.toStdString();
    }
}
