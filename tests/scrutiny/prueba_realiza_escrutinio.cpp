// La ejecución del escrutinio sobre ficheros y la orden escrutar de quiniela-cli.
#include "cli/linea_ordenes.h"
#include "matchdays/fichero_jornadas.h"
#include "output/fichero_boletos.h"
#include "reduction/fichero_bases.h"
#include "scrutiny/realiza_escrutinio.h"
#include "support/carpeta_temporal.h"
#include "support/plataforma_falsa.h"

#include <QDir>
#include <QFile>

#include <map>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace quiniela;
using namespace quiniela::prueba;

namespace {

const QString Ganadora = u"1X21X21X21X21X2"_s;

QByteArray Fichero(const QStringList& columnas) {
    QByteArray b;
    for (const QString& c : columnas)
        b += '"' + c.toLatin1() + "\"\r\n";
    return b;
}

EntradaEscrutinio Entrada(const QString& signos) {
    EntradaEscrutinio e;
    for (int j = 1; j <= NumPartidos; ++j)
        e.Marcas[j][QStringLiteral("-1X2").indexOf(signos.at(j - 1))] = 1;
    return e;
}

class RealizaEscrutinioPrueba : public testing::Test {
protected:
    void SetUp() override {
        estado.Datos.JornadaActual = 1;
        estado.Datos.OrdenActual = 1;
        carpeta.Escribe(u"JORNADAS.ZPK"_s, QByteArray());
    }
    CarpetaTemporal carpeta;
    EstadoGlobal estado = carpeta.Estado();
    PlataformaFalsa plataforma{&estado};
    ResultadoEscrutinio r;
};

} // namespace

TEST_F(RealizaEscrutinioPrueba, EjemploDeTresColumnasDeCatorce) {
    QString catorce = Ganadora;
    catorce[14] = u'1';
    carpeta.Escribe(u"RED0101.ZPK"_s, Fichero({catorce, catorce, catorce}));
    EntradaEscrutinio e = Entrada(Ganadora);
    e.Textos[2] = u"1234,5"_s;
    ASSERT_EQ(RealizaEscrutinio(estado, e, r), FinEscrutinio::Hecho);
    EXPECT_EQ(e.Textos[2], u"1234.5"_s);
    EXPECT_EQ(e.Textos[1], u"0"_s);
    EXPECT_EQ(LineasAciertos(r).at(2), u"  14      3     3703.50"_s);
    EXPECT_EQ(LineasAciertos(r).at(0), u" Suma total:    3703.50"_s);
    EXPECT_EQ(LineasBoletos(r), QStringList{u"     1       3            "_s});
    EXPECT_EQ(carpeta.Lee(u"JORNADAS.ZPK"_s).mid(478, 22), "          0     1234.5");
}

TEST_F(RealizaEscrutinioPrueba, DobleEnElQuinceConDiezColumnas) {
    estado.Red.Base[15].Signo = {0, 1, 1, 0};
    estado.Red.Base[15].RecuentaSignos();
    QStringList columnas(10, u"222222222222222"_s);
    columnas[0] = Ganadora; // 15 aciertos en el boleto 1
    columnas[5] = Ganadora; // y en el boleto 2: la columna 6 empieza el segundo grupo
    carpeta.Escribe(u"RED0101.ZPK"_s, Fichero(columnas));
    EntradaEscrutinio e = Entrada(Ganadora);
    ASSERT_EQ(RealizaEscrutinio(estado, e, r), FinEscrutinio::Hecho);
    EXPECT_EQ(r.AciertosCategoria[15], 2);
    EXPECT_EQ(r.AciertosCategoria[14], 2);
    EXPECT_EQ(LineasBoletos(r),
              (QStringList{u"     1    1               "_s, u"     2    1               "_s}));
}

TEST_F(RealizaEscrutinioPrueba, CatorceResultadosGuardaYAvisa) {
    carpeta.Escribe(u"RED0101.ZPK"_s, Fichero({Ganadora}));
    EntradaEscrutinio e = Entrada(u"1X21X21-21X21X2"_s);
    EXPECT_EQ(RealizaEscrutinio(estado, e, r), FinEscrutinio::GanadoraIncompleta);
    ASSERT_EQ(plataforma.mensajes.size(), 1u);
    EXPECT_EQ(plataforma.mensajes[0].titulo, u"COLUMNA GANADORA INCOMPLETA"_s);
    EXPECT_EQ(carpeta.Lee(u"JORNADAS.ZPK"_s).mid(463, 15), "123123103123123");
    EXPECT_TRUE(r.Boletos.empty());
    EXPECT_EQ(r.ColumnasLeidas, 0);
}

TEST_F(RealizaEscrutinioPrueba, SinFicheroDeColumnasNoAvisa) {
    EntradaEscrutinio e = Entrada(Ganadora);
    EXPECT_EQ(RealizaEscrutinio(estado, e, r), FinEscrutinio::SinColumnas);
    EXPECT_TRUE(plataforma.avisos.isEmpty());
    EXPECT_TRUE(plataforma.mensajes.empty());
    EXPECT_EQ(carpeta.Lee(u"JORNADAS.ZPK"_s).mid(463, 15), "123123123123123");
}

namespace {

struct Salida {
    int estado;
    QString out, err;
};

Salida Escrutar(const CarpetaTemporal& carpeta, QStringList args) {
    QString out, err;
    QTextStream sOut(&out), sErr(&err);
    args.prepend(u"escrutar"_s);
    args.prepend(carpeta.Ruta());
    args.prepend(u"--datos"_s);
    args.prepend(u"quiniela-cli"_s);
    const int e = EjecutaLineaOrdenes(args, sOut, sErr);
    return {e, out, err};
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
    const QDir datos(QStringLiteral(QUINIELA_FUENTES "/data"));
    for (const QString& f : datos.entryList(QDir::Files))
        QFile::copy(datos.filePath(f), carpeta.Ruta(f));
    const QByteArray jornadas = carpeta.Lee(u"JORNADAS.ZPK"_s);
    const QList<QPair<int, int>> claves{{1, 1}, {1, 2}, {1, 3}, {3, 1}, {3, 2}, {4, 1}};
    for (const auto& [j, o] : claves) {
        const QString nombre = NombreFicheroApuestas(j, o);
        const QByteArray columnas = carpeta.Lee(nombre);
        const QString ganadora = QString::fromLatin1(columnas.mid(19 * 7 + 1, 15));
        const Salida s = Escrutar(carpeta, {u"--jornada"_s, QString::number(j), u"--orden"_s,
                                            QString::number(o), u"--ganadora"_s, ganadora,
                                            u"--premios"_s, u"1000,100,10,1,.5,.25"_s});
        ASSERT_EQ(s.estado, 0) << s.err.toStdString();
        EstadoGlobal estado = carpeta.Estado();
        estado.Datos.JornadaActual = int16_t(j);
        estado.Datos.OrdenActual = int16_t(o);
        LeeFicheroBases(estado);
        EXPECT_EQ(s.out, SalidaEsperada(estado, columnas, ganadora)) << j << "/" << o;
        EXPECT_TRUE(s.out.contains(u"  15      1"_s));
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
    carpeta.Escribe(u"RED0502.ZPK"_s, Fichero({Ganadora}));
    const QStringList base{u"--jornada"_s,     u"5"_s,         u"--orden"_s, u"2"_s, u"--premios"_s,
                           u"1;2;3;4;5;6,5"_s, u"--ganadora"_s};
    const Salida incompleta = Escrutar(carpeta, base + QStringList{u"1X21X21X21X21X-"_s});
    EXPECT_EQ(incompleta.estado, 2);
    EXPECT_TRUE(incompleta.err.contains(u"COLUMNA GANADORA INCOMPLETA\nEs  necesario"_s))
        << incompleta.err.toStdString();
    EXPECT_EQ(carpeta.Lee(u"JORNADAS.ZPK"_s).mid(4 * 544 + 463, 15), "123123123123120");
    EXPECT_EQ(carpeta.Lee(u"JORNADAS.ZPK"_s).mid(4 * 544 + 533, 11), "        6.5");

    const struct {
        QStringList args;
        int estado;
        QString error;
    } casos[] = {
        {{u"--jornada"_s, u"5"_s, u"--orden"_s, u"3"_s, u"--premios"_s, u"1,2,3,4,5,6"_s,
          u"--ganadora"_s, Ganadora},
         1,
         u"no tiene fichero de columnas"_s},
        {base + QStringList{u"1X21X21X21X21Y2"_s}, 1, u"15 signos"_s},
        {{u"--jornada"_s, u"5"_s, u"--orden"_s, u"2"_s, u"--premios"_s, u"1,2,3,4,5"_s,
          u"--ganadora"_s, Ganadora},
         1,
         u"seis importes"_s},
        {{u"--jornada"_s, u"5"_s, u"--orden"_s, u"2"_s, u"--premios"_s, u"123456789012,2,3,4,5,6"_s,
          u"--ganadora"_s, Ganadora},
         1,
         u"11 caracteres"_s},
        {{u"--jornada"_s, u"0"_s, u"--orden"_s, u"2"_s, u"--premios"_s, u"1,2,3,4,5,6"_s,
          u"--ganadora"_s, Ganadora},
         1,
         u"La jornada va de 1 a 99"_s},
    };
    for (const auto& c : casos) {
        const Salida s = Escrutar(carpeta, c.args);
        EXPECT_EQ(s.estado, c.estado) << c.args.join(u' ').toStdString();
        EXPECT_TRUE(s.err.contains(c.error)) << s.err.toStdString();
    }
}
