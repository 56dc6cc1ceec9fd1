#include "core/codificacion.h"

#include <gtest/gtest.h>

using namespace quiniela;
using namespace Qt::StringLiterals;

TEST(Codificacion, TextoGuardableSeRechazaPorCaracterYPorLargo) {
    const QString emoji = u"😀"_s;
    struct Caso {
        QString Texto;
        qsizetype Maximo;
        QString Rechazo; // vacío: se admite
    };
    const Caso casos[] = {
        {u"Peña ñandú € Œ ‰"_s, 35, {}},
        {u"Peña ñandú 😀🎉 €"_s, 35,
         u"La descripción no se puede guardar: «😀» no existe en la codificación de los ficheros "
         u"(Windows-1252). Use solo letras, cifras y signos de un teclado español."_s},
        // Treinta emoji son 60 unidades UTF-16: se rechazan por el carácter, no por el largo.
        {emoji.repeated(30), 35, u"«😀»"_s},
        {u"ĉ"_s, 35, u"«ĉ»"_s},
        {QString(QChar(0x81)), 35, u"«\u0081»"_s},
        {u"?"_s, 35, {}},
        {u"€"_s.repeated(35), 35, {}},
        {u"ñ"_s.repeated(36), 35, u"La descripción admite 35 caracteres como mucho (tiene 36)."_s},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.Texto.toStdString());
        const auto rechazo = CompruebaTextoGuardable(c.Texto, u"La descripción"_s, c.Maximo);
        if (c.Rechazo.isEmpty()) {
            EXPECT_FALSE(rechazo.has_value());
            EXPECT_EQ(DeWindows1252(AWindows1252(c.Texto)), c.Texto);
        } else {
            ASSERT_TRUE(rechazo.has_value());
            EXPECT_TRUE(rechazo->contains(c.Rechazo)) << rechazo->toStdString();
        }
    }
}

TEST(Codificacion, BytesFiltroDeTecleoEImprimible) {
    EXPECT_EQ(AWindows1252(u"Año €“x”"_s), QByteArray("A\xf1o \x80\x93x\x94"));
    EXPECT_EQ(AWindows1252(u"\u4e2d"_s), QByteArray("?")) << "lo que no cabe se escribe \"?\"";
    EXPECT_EQ(SoloWindows1252(u"a😀b🎉ĉ€"_s), u"ab€"_s);
    // Un sustituto suelto tampoco se puede guardar.
    EXPECT_EQ(SoloWindows1252(u"x"_s + QChar(0xD83D) + u"y"_s), u"xy"_s);
    EXPECT_EQ(Imprimible(u"12\u0000\u001b[2J\u0085ñ€"_s), u"12??[2J?ñ€"_s);
}
