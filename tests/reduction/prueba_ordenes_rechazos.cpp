#include "core/datos_generales_tipo.h"
#include "settings/datos_generales.h"
#include "support/linea_cli.h"
#include "support/registros_historial.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace quiniela;
using namespace quiniela::prueba;

namespace {

class OrdenesRechazos : public testing::Test {
protected:
    void SetUp() override {
        carpeta.Escribe(u"BASES.ZPK"_s, QByteArray());
        carpeta.Escribe(u"DATOSGEN.ZPK"_s, LineaDatosGenerales(DatosGenerales{}));
    }
    Linea Reducir(const QStringList& mas) {
        return EjecutaCli(
            carpeta,
            u"reducir --jornada 7 --orden 3 --metodo probable"_s.split(u' ') +
                QStringList{u"--base"_s, u"1X2*=1 12*=2 X2*=X 1X 1 1 1 1 1 1 1 1 1 1 12"_s} + mas);
    }
    CarpetaTemporal carpeta;
};

} // namespace

TEST_F(OrdenesRechazos, TextoQueLosFicherosNoGuardanNoSeGuarda) {
    struct Caso {
        QStringList args;
        QString mensaje;
    };
    const Caso casos[] = {
        {{u"--descripcion"_s, u"Peña ñandú 😀🎉 €"_s},
         u"La descripción no se puede guardar: «😀» no existe en la codificación"_s},
        {{u"--descripcion"_s, u"😀"_s.repeated(30)}, u"«😀»"_s},
        {{u"--descripcion"_s, u"x"_s.repeated(36)},
         u"La descripción admite 35 caracteres como mucho (tiene 36)."_s},
        {{u"--descripcion"_s, u"--reemplazar"_s},
         u"Falta el valor de --descripcion: en su lugar viene la opción --reemplazar. No se ha "
         u"hecho nada.\n"_s},
        {{u"--descripcion"_s}, u"Falta el valor de --descripcion. No se ha hecho nada.\n"_s},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.args.join(u' ').toStdString());
        const Linea l = Reducir(c.args);
        EXPECT_NE(l.estado, 0);
        EXPECT_TRUE(l.err.contains(c.mensaje)) << l.err.toStdString();
        EXPECT_EQ(carpeta.Lee(u"BASES.ZPK"_s), QByteArray());
        EXPECT_FALSE(QFile::exists(carpeta.Ruta(u"RED0703.ZPK"_s)));
    }
    const Linea bien = Reducir({u"--descripcion"_s, u"Peña ñandú €"_s});
    ASSERT_EQ(bien.estado, 0) << bien.err.toStdString();
    // Un byte por carácter en Windows-1252, y los 30 blancos del final del registro.
    const QByteArray guardada = QByteArray("Pe\xf1"
                                           "a \xf1"
                                           "and\xfa \x80") +
                                QByteArray(30, ' ') + "\r\n";
    EXPECT_TRUE(carpeta.Lee(u"BASES.ZPK"_s).contains(guardada));
}

TEST_F(OrdenesRechazos, EquipoConEmojiNoSeGuardaEnLaJornada) {
    const Linea l = EjecutaCli(
        carpeta, {u"jornada"_s, u"2"_s, u"--partido"_s, u"1"_s, u"Betis 🎉"_s, u"Sevilla"_s});
    EXPECT_EQ(l.estado, 1);
    EXPECT_TRUE(l.err.startsWith(u"El equipo no se puede guardar: «🎉»"_s)) << l.err.toStdString();
    EXPECT_FALSE(QFile::exists(carpeta.Ruta(u"JORNADAS.ZPK"_s)) &&
                 carpeta.Lee(u"JORNADAS.ZPK"_s).contains("Betis"));
}

TEST_F(OrdenesRechazos, IndiceIlegibleSeAvisaUnaVezConSuCausa) {
    // Un índice que es una carpeta no se puede abrir: el error 75 de siempre, en palabras.
    QFile::remove(carpeta.Ruta(u"BASES.ZPK"_s));
    ASSERT_TRUE(QDir(carpeta.Ruta()).mkdir(u"BASES.ZPK"_s));
    const Linea l = Reducir({});
    EXPECT_EQ(l.estado, 1);
    EXPECT_EQ(l.err.count(u"EEB ERROR 75"_s), 1) << l.err.toStdString();
    EXPECT_TRUE(l.err.contains(u"EEB ERROR 75: no se puede leer el fichero BASES.ZPK (no hay "
                               u"permiso)"_s));
    EXPECT_TRUE(l.err.contains(u"No se ha podido leer el índice BASES.ZPK: no hay permiso "
                               u"(error 75). La reducción no se ha efectuado."_s));
    EXPECT_FALSE(QFile::exists(carpeta.Ruta(u"RED0703.ZPK"_s)));

    const Linea h = EjecutaCli(carpeta, {u"historial"_s});
    EXPECT_EQ(h.estado, 1);
    EXPECT_TRUE(h.err.startsWith(u"LFB ERROR 75: no se puede leer el fichero BASES.ZPK"_s));
}

TEST_F(OrdenesRechazos, SalidaQueNoSePuedeEscribirDaEstado1) {
    QFile lleno(u"/dev/full"_s);
    ASSERT_TRUE(lleno.open(QIODevice::WriteOnly));
    QTextStream out(&lleno);
    QString textoErr;
    QTextStream err(&textoErr);
    const int estado = EjecutaLineaOrdenes(
        {u"quiniela-cli"_s, u"--datos"_s, carpeta.Ruta(), u"historial"_s}, out, err);
    EXPECT_EQ(estado, 1);
    EXPECT_EQ(
        textoErr,
        u"No se ha podido escribir la salida de la orden: el disco está lleno (error 61).\n"_s);
}
