#include "matchdays/borrado.h"
#include "matchdays/fichero_probabilidades.h"
#include "support/banco.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace quiniela;
using namespace Qt::StringLiterals;
using namespace quiniela::prueba;

namespace {

const QString Probab = u"PROBAB.ZPK"_s;

EstimacionesJornada Estimaciones(std::initializer_list<std::pair<int, std::array<int, 3>>> l) {
    EstimacionesJornada e;
    for (const auto& [m, p] : l)
        e[m] = {true, p};
    return e;
}

// Línea a mano: jornada y quince grupos de nueve (blancos los que no se dan).
QByteArray Linea(const char* jornada, std::map<int, QByteArray> grupos) {
    QByteArray l = jornada;
    for (int m = 1; m <= 15; ++m)
        l += grupos.count(m) ? grupos[m] : QByteArray(9, ' ');
    return l + "\r\n";
}

class FicheroProbabilidades : public testing::Test, protected Banco {};

TEST_F(FicheroProbabilidades, IdaYVueltaByteAByteEnOrdenDeJornada) {
    const auto doce = Estimaciones({{1, {50, 30, 20}}, {15, {100, 0, 0}}});
    const auto tres = Estimaciones({{7, {0, 0, 100}}});
    EXPECT_TRUE(GuardaEstimaciones(estado, 12, doce).Bien());
    EXPECT_TRUE(GuardaEstimaciones(estado, 3, tres).Bien());
    const QByteArray esperado =
        Linea("03", {{7, "  0  0100"}}) + Linea("12", {{1, " 50 30 20"}, {15, "100  0  0"}});
    EXPECT_EQ(carpeta.Lee(Probab), esperado);
    EXPECT_EQ(LeeEstimaciones(estado, 12), doce);
    EXPECT_EQ(LeeEstimaciones(estado, 3), tres);
    EXPECT_EQ(LeeEstimaciones(estado, 4), EstimacionesJornada{});

    // Sin ninguna estimada, la línea se va; quitar lo que no está no escribe.
    EXPECT_TRUE(GuardaEstimaciones(estado, 3, {}).Bien());
    EXPECT_EQ(carpeta.Lee(Probab), Linea("12", {{1, " 50 30 20"}, {15, "100  0  0"}}));
    EXPECT_TRUE(GuardaEstimaciones(estado, 40, {}).Bien());
    EXPECT_EQ(carpeta.Lee(Probab).size(), 139);
    EXPECT_TRUE(plataforma.Avisos.isEmpty());
}

TEST_F(FicheroProbabilidades, LecturaDeUnFicheroTocadoAMano) {
    // Sin fichero: ninguna estimación y ningún aviso.
    EXPECT_EQ(LeeEstimaciones(estado, 1), EstimacionesJornada{});
    EXPECT_EQ(estado.UltimoErrorFichero, 0);
    // Un grupo que no suma 100 o no es número queda sin estimar; una línea sin jornada no
    // cuenta; LF solo y una línea corta valen.
    carpeta.Escribe(Probab,
                    "xx basura\r\n" +
                        Linea("05", {{2, " 50 50  1"}, {3, " 5a 45 50"}, {4, " 10 10 80"}}) +
                        "07 33 33 34\n");
    EXPECT_EQ(LeeEstimaciones(estado, 5), Estimaciones({{4, {10, 10, 80}}}));
    EXPECT_EQ(LeeEstimaciones(estado, 7), Estimaciones({{1, {33, 33, 34}}}));
    // Al guardar otra jornada, lo ilegible desaparece y lo bueno se reescribe normalizado.
    EXPECT_TRUE(GuardaEstimaciones(estado, 6, Estimaciones({{9, {1, 2, 97}}})).Bien());
    EXPECT_EQ(carpeta.Lee(Probab), Linea("05", {{4, " 10 10 80"}}) +
                                       Linea("06", {{9, "  1  2 97"}}) +
                                       Linea("07", {{1, " 33 33 34"}}));
    // Un fichero que no se puede leer se avisa y no se machaca.
    ASSERT_TRUE(QFile::remove(carpeta.Ruta(Probab)));
    ASSERT_TRUE(QDir(carpeta.Ruta()).mkdir(Probab));
    EXPECT_FALSE(LeeEstimaciones(estado, 5));
    EXPECT_EQ(plataforma.Avisos.size(), 1);
    EXPECT_FALSE(GuardaEstimaciones(estado, 5, Estimaciones({{1, {1, 1, 98}}})).Bien());
}

TEST_F(FicheroProbabilidades, ElBorradoQuitaLasDeSuTramo) {
    for (int j : {2, 4, 5, 9})
        ASSERT_TRUE(GuardaEstimaciones(estado, j, Estimaciones({{j, {20, 30, 50}}})).Bien());
    const ResultadoBorrado r = BorraJornadas(estado, 5, 3);
    EXPECT_TRUE(r.Completo());
    EXPECT_EQ(r.JornadasEstimadas, 2);
    EXPECT_EQ(carpeta.Lee(Probab),
              Linea("02", {{2, " 20 30 50"}}) + Linea("09", {{9, " 20 30 50"}}));
    EXPECT_TRUE(TextoBorrado(r).endsWith(u", estimaciones quitadas de 2 jornadas."_s))
        << TextoBorrado(r).toStdString();

    // Si no se pueden quitar, el borrado lo dice.
    ASSERT_TRUE(QFile::remove(carpeta.Ruta(Probab)));
    ASSERT_TRUE(QDir(carpeta.Ruta()).mkdir(Probab));
    const ResultadoBorrado fallo = BorraJornadas(estado, 9, 9);
    EXPECT_TRUE(fallo.Bien());
    EXPECT_FALSE(fallo.Completo());
    EXPECT_TRUE(TextoFalloBorrado(fallo).startsWith(
        u"No se han podido quitar las estimaciones de PROBAB.ZPK"_s))
        << TextoFalloBorrado(fallo).toStdString();
}

} // namespace
