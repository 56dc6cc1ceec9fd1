#include "reduction/fichero_bases.h"
#include "reduction/linea_bases.h"
#include "support/banco.h"
#include "support/registros_historial.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace quiniela;
using namespace quiniela::prueba;

namespace {

QByteArray Bueno(int jornada = 7, int orden = 3) {
    return RegistroDe(jornada, orden, 2, 1296, 81, u"Pareja de dobles"_s).toLatin1();
}

// El registro bueno con un trozo cambiado desde la posición (desde 0).
QByteArray Cambiado(qsizetype pos, const QByteArray& trozo) {
    QByteArray r = Bueno();
    r.replace(pos, trozo.size(), trozo);
    return r;
}

} // namespace

TEST(LineaBases, DefectoDeCadaLineaIlegible) {
    struct Caso {
        QByteArray Linea;
        QString Defecto; // principio del porqué; vacío si se puede leer
    };
    const Caso casos[] = {
        {Bueno(), {}},
        {RegistroLibreBases().toLatin1(), {}},
        {"0000", {}},
        {Bueno().left(200), {}}, // un editor quitó los blancos del final
        {Bueno().left(164), u"es demasiado corta (164 caracteres de 230)"_s},
        {Bueno() + "x", u"es demasiado larga (231 caracteres de 230)"_s},
        {Cambiado(0, "a7"), u"la jornada o el orden no son números"_s},
        {Cambiado(4, "9"), u"el método no es 1, 2 ni 3"_s},
        {Cambiado(13, "   x1296"), u"los errores o las apuestas no son números"_s},
        {Cambiado(40, "a"), u"los signos de los partidos no son cifras"_s},
        {Cambiado(130, "2"), u"los signos de los partidos"_s},
        {Cambiado(180, QByteArray(1, '\0')), u"tiene bytes nulos o de control"_s},
        {Cambiado(190, "\x1b[2J"), u"tiene bytes nulos o de control"_s},
        {Cambiado(190, "\x81"), u"tiene bytes nulos o de control"_s},
        {Cambiado(190, "\xf1\x80"), {}}, // "ñ" y "€" se muestran
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.Linea.toStdString());
        const QString defecto = DefectoLineaBases(c.Linea);
        if (c.Defecto.isEmpty())
            EXPECT_EQ(defecto, QString());
        else
            EXPECT_TRUE(defecto.startsWith(c.Defecto)) << defecto.toStdString();
    }
}

TEST(LineaBases, LasIlegiblesSeSaltanConUnSoloAviso) {
    Banco b;
    b.carpeta.Escribe(u"BASES.ZPK"_s, Bueno(1, 1) + "\r\n" + "corta\r\n" +
                                          RegistroLibreBases().toLatin1() + "\r\n" +
                                          Cambiado(4, "9") + "\r\n" + Bueno(2, 5) + "\r\n" +
                                          Cambiado(100, QByteArray(1, '\0')));
    const auto reducciones = LeeReduccionesBases(b.estado);
    ASSERT_EQ(reducciones.size(), 2u);
    EXPECT_EQ(reducciones[0].Linea, 1);
    EXPECT_EQ(reducciones[0].Registro, QString::fromLatin1(Bueno(1, 1)));
    EXPECT_EQ(reducciones[1].Linea, 5);
    ASSERT_EQ(b.plataforma.Avisos.size(), 1);
    EXPECT_EQ(b.plataforma.Avisos[0],
              u"El índice BASES.ZPK tiene líneas que no se pueden leer; no se muestran:\r\n"
              u"línea 2: es demasiado corta (5 caracteres de 230)\r\n"
              u"línea 4: el método no es 1, 2 ni 3\r\n"
              u"línea 6: tiene bytes nulos o de control"_s);
}
