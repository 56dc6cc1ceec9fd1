#include "core/fichero_parcial.h"
#include "reduction/motor_reduccion.h"
#include "support/banco.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace quiniela;
using namespace quiniela::prueba;

namespace {

const QString Probable = u"1X2*=1 12*=2 X2*=X 1X 1 1 1 1 1 1 1 1 1 1 X2"_s;

} // namespace

TEST(MotorReduccion, PorcentajeSinDesbordarConLaBaseMayor) {
    EXPECT_EQ(PorcentajeReduccion(1, 48), 2);
    EXPECT_EQ(PorcentajeReduccion(143489, 14348907), 0);
    EXPECT_EQ(PorcentajeReduccion(143490, 14348907), 1);
    EXPECT_EQ(PorcentajeReduccion(14348907, 14348907), 100);
}

TEST(MotorReduccion, CancelarLiberaElRegistroYBorraElFichero) {
    Banco b;
    b.Prepara(6, 1, Probable, MetodoDirecto);
    b.estado.Datos.Metodo = MetodoSeleccionSignos;
    ASSERT_EQ(EjecutaReduccion(b.estado).Fin, FinReduccion::Terminada);
    EXPECT_EQ(b.estado.Datos.Metodo, MetodoDirecto) << "el método de la última reducción";
    // Se sustituye y se cancela a mitad: la reducción anterior también se pierde.
    b.Prepara(6, 1, Probable, MetodoColumnaProbable);
    b.estado.Red.MaxErrores = 3;
    OpcionesReduccion o;
    o.ReemplazaSinPreguntar = true;
    o.BytesBloque = 19 * 4;
    o.Aviso = [](int32_t paso, int32_t) { return paso == 30; };
    const auto r = EjecutaReduccion(b.estado, o);
    EXPECT_EQ(r.Fin, FinReduccion::Cancelada);
    EXPECT_EQ(r.PasosHechos, 30);
    EXPECT_FALSE(b.carpeta.Existe(u"RED0601.ZPK"_s));
    EXPECT_EQ(b.Registros(), QStringList{RegistroLibre});

    // La siguiente reducción nueva ocupa el registro liberado.
    b.Prepara(2, 5, Probable, MetodoDirecto);
    ASSERT_EQ(EjecutaReduccion(b.estado).Fin, FinReduccion::Terminada);
    ASSERT_EQ(b.Registros().size(), 1);
    EXPECT_TRUE(b.Registros().at(0).startsWith(u"02051"_s));
}

TEST(MotorReduccion, FallosDeEscrituraDejanLoGuardadoComoEstaba) {
    // Disco lleno a mitad, fichero borrado durante la reducción y carpeta desaparecida.
    Banco b;
    b.Prepara(9, 9, u"1X2*=1 1X2*=1 1X2*=1 1X2*=1 1X2*=1 1X2*=1 1X2 1X2 1 1 1 1 1 1 1"_s,
              MetodoColumnaProbable);
    b.estado.Red.MaxErrores = 6;
    OpcionesReduccion o;
    ResultadoReduccion r;
    o.BytesBloque = 19 * 256;
    ConLimiteDeFichero(19 * 1000, [&] { r = EjecutaReduccion(b.estado, o); });
    EXPECT_EQ(r.Fin, FinReduccion::Fallida);
    ASSERT_TRUE(r.Mensaje);
    EXPECT_EQ(r.Mensaje->Titulo, u"ERROR AL GRABAR LA REDUCCIÓN"_s);
    EXPECT_TRUE(r.Mensaje->Texto.startsWith(
        u"No se ha podido grabar el fichero de apuestas reducidas RED0909.ZPK: "_s));
    // La escritura que queda corta (la que cruza el límite) para la reducción en el bloque
    // siguiente; sin verla, se seguiría hasta que la próxima falle del todo.
    EXPECT_GT(r.ColumnasEscritas, 0) << "falla a mitad, no al abrir";
    EXPECT_LE(r.ColumnasEscritas, (1000 / 256 + 2) * 256);
    EXPECT_FALSE(b.carpeta.Existe(u"RED0909.ZPK"_s));
    EXPECT_TRUE(b.Registros().isEmpty()) << "el índice no llegó a escribirse";
    EXPECT_TRUE(QDir(b.carpeta.Ruta()).entryList({u"*.parcial*"_s}).isEmpty());

    b.Prepara(8, 2, Probable, MetodoSeleccionSignos);
    for (int k = 1; k <= 3; ++k)
        for (int t = 0; t <= 3; ++t)
            b.estado.Red.Totales(k, t) = 1;
    o = {};
    o.Aviso = [&](int32_t paso, int32_t) {
        if (paso == 10)
            QFile::remove(RutaParcial(b.carpeta.Ruta(u"RED0802.ZPK"_s)));
        return false;
    };
    r = EjecutaReduccion(b.estado, o);
    EXPECT_EQ(r.Fin, FinReduccion::Fallida);
    ASSERT_TRUE(r.Mensaje);
    EXPECT_TRUE(r.Mensaje->Texto.contains(u"el fichero ha desaparecido durante la reducción"_s));
    EXPECT_FALSE(b.carpeta.Existe(u"RED0802.ZPK"_s));
    EXPECT_TRUE(b.Registros().isEmpty());

    b.Prepara(1, 2, Probable, MetodoDirecto);
    const QByteArray indice = b.carpeta.Lee(u"BASES.ZPK"_s);
    b.estado.CarpetaDatos = b.carpeta.Ruta(u"no-existe/"_s);
    r = EjecutaReduccion(b.estado);
    EXPECT_EQ(r.Fin, FinReduccion::Fallida);
    ASSERT_TRUE(r.Mensaje);
    EXPECT_TRUE(r.Mensaje->Texto.contains(u"no existe la carpeta de datos"_s));
    EXPECT_FALSE(QDir(b.estado.CarpetaDatos).exists());
    EXPECT_EQ(b.carpeta.Lee(u"BASES.ZPK"_s), indice);
}
