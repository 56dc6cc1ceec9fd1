#include "support/linea_cli.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace quiniela;
using namespace quiniela::prueba;

namespace {

QString Filas(std::map<int, QString> estimadas) {
    QString filas;
    for (int m = 1; m <= 15; ++m)
        filas += QString::number(m).rightJustified(2) +
                 (estimadas.count(m) ? estimadas[m] : u"   -"_s) + u'\n';
    return filas;
}

QStringList Argumentos(const QString& texto) {
    return (u"probabilidades --jornada 4 "_s + texto).split(u' ', Qt::SkipEmptyParts);
}

} // namespace

TEST(OrdenProbabilidades, GuardaEnSuOrdenYMuestraLasQuinceFilas) {
    CarpetaTemporal carpeta;
    Linea s =
        EjecutaCli(carpeta, Argumentos(u"--partido 1 50 30 20 --cuotas 2 2,0 4 4 --partido 15 "
                                       u"100 0 0 --cuotas 9 3 3 3 --partido 1 10 10 80"_s));
    ASSERT_EQ(s.Estado, 0) << s.Err.toStdString();
    EXPECT_EQ(s.Out, Filas({{1, u"  10  10  80"_s},
                            {2, u"  50  25  25"_s},
                            {9, u"  34  33  33"_s},
                            {15, u" 100   0   0"_s}}));
    const QByteArray blanco(9, ' ');
    EXPECT_EQ(carpeta.Lee(u"PROBAB.ZPK"_s), "04 10 10 80 50 25 25" + blanco.repeated(6) +
                                                " 34 33 33" + blanco.repeated(5) + "100  0  0\r\n");

    // Sin cambios solo muestra; --borrar quita un partido.
    EXPECT_EQ(EjecutaCli(carpeta, Argumentos(QString())).Out, s.Out);
    s = EjecutaCli(carpeta, Argumentos(u"--borrar 2 --borrar 9 --borrar 15 --borrar 1"_s));
    EXPECT_EQ(s.Out, Filas({}));
    EXPECT_EQ(carpeta.Lee(u"PROBAB.ZPK"_s), QByteArray());
}

TEST(OrdenProbabilidades, LoQueEstaMalNoCambiaNada) {
    CarpetaTemporal carpeta;
    ASSERT_EQ(EjecutaCli(carpeta, Argumentos(u"--partido 3 40 30 30"_s)).Estado, 0);
    const QByteArray antes = carpeta.Lee(u"PROBAB.ZPK"_s);
    const std::pair<QString, QString> casos[] = {
        {u"--partido 1 50 30 30"_s, u"suman 110 y deben sumar 100"_s},
        {u"--partido 1 50 30 -20"_s, u"enteros de 0 a 100"_s},
        {u"--partido 1 50 30.5 19.5"_s, u"enteros de 0 a 100"_s},
        {u"--cuotas 2 1 3 3"_s, u"mayores que 1"_s},
        {u"--cuotas 2 2 0,5 3"_s, u"mayores que 1"_s},
        {u"--cuotas 2 2 x 3"_s, u"mayores que 1"_s},
        {u"--partido 16 50 30 20"_s, u"entre 1 y 15"_s},
        {u"--borrar 0"_s, u"entre 1 y 15"_s},
        {u"--partido 1 50 30"_s, u"tres valores"_s},
        {u"--partido 2 20 30 50 --extra"_s, u"Argumento desconocido"_s},
    };
    for (const auto& [opciones, error] : casos) {
        SCOPED_TRACE(opciones.toStdString());
        const Linea s = EjecutaCli(carpeta, Argumentos(u"--partido 3 1 1 98 "_s + opciones));
        EXPECT_EQ(s.Estado, 1);
        EXPECT_TRUE(s.Err.contains(error)) << s.Err.toStdString();
        EXPECT_EQ(s.Out, QString());
        EXPECT_EQ(carpeta.Lee(u"PROBAB.ZPK"_s), antes);
    }
    const Linea sinJornada = EjecutaCli(
        carpeta, {u"probabilidades"_s, u"--partido"_s, u"1"_s, u"50"_s, u"30"_s, u"20"_s});
    EXPECT_EQ(sinJornada.Estado, 1);
    EXPECT_TRUE(sinJornada.Err.contains(u"Uso: quiniela-cli probabilidades"_s));
}
