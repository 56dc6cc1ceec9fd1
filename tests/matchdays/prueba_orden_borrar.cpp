#include "matchdays/borrado.h"
#include "support/datos_distribuidos.h"
#include "support/linea_cli.h"

#include <gtest/gtest.h>

#include <map>

using namespace Qt::StringLiterals;
using namespace quiniela;
using namespace quiniela::prueba;

namespace {

QStringList Borrar(int desde, int hasta, bool confirmar) {
    QStringList a{u"borrar"_s, u"--desde"_s, QString::number(desde), u"--hasta"_s,
                  QString::number(hasta)};
    if (confirmar)
        a << u"--confirmar"_s;
    return a;
}

const QByteArray Libre = "0000" + QByteArray(226, ' ') + "\r\n";

class OrdenBorrar : public testing::Test {
protected:
    void SetUp() override { CopiaDatosDistribuidos(datos); }
    CarpetaTemporal datos;
};

TEST_F(OrdenBorrar, SinConfirmarSoloAnunciaYUnTramoAlRevesSeRechaza) {
    const auto antes = ContenidoCarpeta(datos);
    const Linea s = EjecutaCli(datos, Borrar(3, 3, false));
    EXPECT_EQ(s.estado, 2);
    EXPECT_EQ(s.out, u"BORRADO DE DATOS\n"_s + TextoConfirmacionBorrado(3, 3) +
                         u"\nNo se ha borrado nada: añada --confirmar para borrar.\n"_s);
    struct Caso {
        QStringList args;
        QString error;
    };
    for (const Caso& c : std::vector<Caso>{
             {Borrar(20, 5, true), u"El tramo está al revés: la jornada 20 va después de la 5. "
                                   u"Use --desde 5 --hasta 20.\n"_s},
             {Borrar(0, 5, true), u"Las jornadas del tramo van de 1 a 52.\n"_s},
             {Borrar(1, 53, true), u"Las jornadas del tramo van de 1 a 52.\n"_s},
             {{u"borrar"_s, u"--desde"_s, u"1"_s},
              u"Uso: quiniela-cli borrar --desde J1 --hasta J2 [--confirmar]\n"_s}}) {
        const Linea e = EjecutaCli(datos, c.args);
        EXPECT_EQ(e.estado, 1);
        EXPECT_EQ(e.err, c.error);
    }
    EXPECT_EQ(ContenidoCarpeta(datos), antes);
}

TEST_F(OrdenBorrar, UnaJornadaDeLosDatosDistribuidos) {
    auto esperado = ContenidoCarpeta(datos);
    const Linea s = EjecutaCli(datos, Borrar(3, 3, true));
    EXPECT_EQ(s.estado, 0) << s.err.toStdString();
    EXPECT_EQ(s.out, u"Borrada la jornada 3: 2 reducciones quitadas del índice, 2 ficheros de "
                     u"columnas borrados (RED0301.ZPK, RED0302.ZPK).\n"_s);
    esperado.erase(u"RED0301.ZPK"_s);
    esperado.erase(u"RED0302.ZPK"_s);
    esperado[u"JORNADAS.ZPK"_s].replace(2 * 544, 544, QByteArray(544, ' '));
    esperado[u"BASES.ZPK"_s].replace(3 * 232, 2 * 232, Libre + Libre); // líneas 4 y 5
    EXPECT_EQ(ContenidoCarpeta(datos), esperado);
}

TEST_F(OrdenBorrar, TodaLaTemporada) {
    auto esperado = ContenidoCarpeta(datos);
    const Linea s = EjecutaCli(datos, Borrar(1, 52, true));
    EXPECT_EQ(s.estado, 0) << s.err.toStdString();
    EXPECT_TRUE(s.out.startsWith(u"Borradas las jornadas 1 a 52: 6 reducciones quitadas del "
                                 u"índice, 6 ficheros de columnas borrados (RED0101.ZPK, "_s));
    for (auto it = esperado.begin(); it != esperado.end();)
        it = it->first.startsWith(u"RED"_s) ? esperado.erase(it) : std::next(it);
    esperado[u"JORNADAS.ZPK"_s] = QByteArray(52 * 544, ' ');
    esperado[u"BASES.ZPK"_s] = Libre.repeated(6);
    EXPECT_EQ(ContenidoCarpeta(datos), esperado);
}

} // namespace
