#include "core/estado_global.h"
#include "settings/datos_generales.h"
#include "settings/reglas_datosgen.h"
#include "support/carpeta_temporal.h"
#include "support/plataforma_falsa.h"

#include <gtest/gtest.h>

using namespace quiniela;
using namespace quiniela::prueba;

namespace {
const QByteArray LineaPorDefecto =
    "1,\"28/08/05\",1,1,0,0,0,0,1,42,\"0.50\",\"00\",\"00000\",\"Si\"\r\n";
const QString Fichero = QStringLiteral("DATOSGEN.ZPK");
} // namespace

TEST(DatosGenerales, FicheroQueFaltaSeCreaConUnAvisoDeDosLineas) {
    CarpetaTemporal carpeta;
    EstadoGlobal estado = carpeta.Estado();
    PlataformaFalsa plataforma(&estado);
    estado.Datos.TotalJornadas = 10;

    CargaDatosGenerales(estado);

    ASSERT_EQ(plataforma.avisos.size(), 1);
    EXPECT_EQ(plataforma.avisos[0],
              QStringLiteral("No se encuentra el fichero de datos generales DATOSGEN.ZPK.\r\n"
                             "Se ha procedido a crearlo automáticamente con los valores "
                             "establecidos por defecto."));
    EXPECT_EQ(estado.UltimoErrorFichero, 53);
    EXPECT_EQ(carpeta.Lee(Fichero), LineaPorDefecto);
    EXPECT_EQ(estado.Datos.TotalJornadas, 42);
    EXPECT_FLOAT_EQ(estado.Datos.PrecioApuestaValor, 0.5f);

    // La segunda carga ya no avisa.
    CargaDatosGenerales(estado);
    EXPECT_EQ(plataforma.avisos.size(), 1);
    EXPECT_EQ(estado.UltimoErrorFichero, 0);
}

TEST(DatosGenerales, CargaYGuardaConTextosDeAnchoFijo) {
    CarpetaTemporal carpeta;
    EstadoGlobal estado = carpeta.Estado();
    PlataformaFalsa plataforma(&estado);
    carpeta.Escribe(Fichero,
                    "12,\"04/12/05\",7,2,15,-3,4,8,2,38,\"1.5\",\"3\",\"123456\",\"No\"\r\n");

    CargaDatosGenerales(estado);
    EXPECT_TRUE(plataforma.avisos.isEmpty());
    const DatosGenerales& d = estado.Datos;
    EXPECT_EQ(d.JornadaActual, 12);
    EXPECT_EQ(d.FechaJornada, QStringLiteral("04/12/05"));
    EXPECT_EQ(d.OrdenActual, 7);
    EXPECT_EQ(d.Metodo, 2);
    EXPECT_EQ(d.MargenIzquierdo[1], 15);
    EXPECT_EQ(d.MargenSuperior[1], -3);
    EXPECT_EQ(d.MargenIzquierdo[2], 4);
    EXPECT_EQ(d.MargenSuperior[2], 8);
    EXPECT_EQ(d.Orientacion, 2);
    EXPECT_EQ(d.TotalJornadas, 38);
    EXPECT_EQ(d.PrecioApuesta, QStringLiteral("1.5 "));
    EXPECT_FLOAT_EQ(d.PrecioApuestaValor, 1.5f);
    EXPECT_EQ(d.CodigoDelegacion, QStringLiteral("3 "));
    EXPECT_EQ(d.CodigoReceptor, QStringLiteral("12345"));

    ASSERT_TRUE(GuardaDatosGenerales(estado).Bien());
    EXPECT_EQ(
        carpeta.Lee(Fichero),
        QByteArray("12,\"04/12/05\",7,2,15,-3,4,8,2,38,\"1.5 \",\"3 \",\"12345\",\"No\"\r\n"));
}

TEST(DatosGenerales, FicheroDefectuosoDejaLosValoresPorDefecto) {
    CarpetaTemporal carpeta;
    EstadoGlobal estado = carpeta.Estado();
    PlataformaFalsa plataforma(&estado);

    // Le faltan valores: error 62, aviso, y se reescribe con los valores por defecto.
    carpeta.Escribe(Fichero, "5,\"01/01/06\",2\r\n");
    CargaDatosGenerales(estado);
    EXPECT_EQ(estado.UltimoErrorFichero, 62);
    EXPECT_EQ(plataforma.avisos, QStringList{QStringLiteral("LDG ERROR 62")});
    EXPECT_EQ(carpeta.Lee(Fichero), LineaPorDefecto);

    // Un número que no cabe en 16 bits es el error 6: no se avisa, pero se corrige igual.
    carpeta.Escribe(Fichero,
                    "99999,\"01/01/06\",2,1,0,0,0,0,1,42,\"0.50\",\"00\",\"00000\",\"Si\"\r\n");
    CargaDatosGenerales(estado);
    EXPECT_EQ(estado.UltimoErrorFichero, 6);
    EXPECT_EQ(plataforma.avisos.size(), 1);
    EXPECT_EQ(estado.Datos.JornadaActual, 1);
    EXPECT_EQ(carpeta.Lee(Fichero), LineaPorDefecto);
}

TEST(DatosGenerales, ValoresImposiblesNoLleganAlEstado) {
    CarpetaTemporal carpeta;
    EstadoGlobal estado = carpeta.Estado();
    PlataformaFalsa plataforma(&estado);
    carpeta.Escribe(Fichero,
                    "60,\"01/01/06\",45,9,0,0,0,0,7,30,\"0.50\",\"00\",\"00000\",\"Si\"\r\n");
    CargaDatosGenerales(estado);
    EXPECT_EQ(estado.Datos.JornadaActual, 30);
    EXPECT_EQ(estado.Datos.OrdenActual, 1);
    EXPECT_EQ(estado.Datos.Metodo, 1);
    EXPECT_EQ(estado.Datos.Orientacion, 1);
}

TEST(DatosGenerales, GuardarEnUnaCarpetaQueNoExisteDevuelveElError) {
    EstadoGlobal estado;
    estado.CarpetaDatos = QStringLiteral("/no/existe/esta/carpeta/");
    EXPECT_EQ(GuardaDatosGenerales(estado).Numero, 76);
}

TEST(ReglasDatosgen, Precio) {
    EXPECT_EQ(CierraPrecio(QStringLiteral("0.50")), QStringLiteral("0.5"));
    EXPECT_EQ(CierraPrecio(QStringLiteral(".125")), QStringLiteral("0.12"));
    EXPECT_EQ(CierraPrecio(QStringLiteral(".7")), QStringLiteral("0.7"));
    EXPECT_EQ(CierraPrecio(QStringLiteral("1.25")), QStringLiteral("1.25"));
    EXPECT_EQ(CierraPrecio(QStringLiteral("12.5")), QStringLiteral("12.5"));
    EXPECT_EQ(CierraPrecio(QStringLiteral("3")), QStringLiteral("3"));
    EXPECT_EQ(CierraPrecio(QString()), QStringLiteral("0"));
    EXPECT_EQ(CierraPrecio(QStringLiteral("1..5")), QStringLiteral("1"));
}

TEST(ReglasDatosgen, TotalYCodigos) {
    EXPECT_EQ(FiltraTotalJornadas(QStringLiteral("0")), QString());
    EXPECT_EQ(FiltraTotalJornadas(QStringLiteral(" 38")), QStringLiteral("38"));
    EXPECT_EQ(CierraTotalJornadas(QString()), 44);
    EXPECT_EQ(CierraTotalJornadas(QStringLiteral("0")), 44);
    EXPECT_EQ(CierraTotalJornadas(QStringLiteral("60")), 52);
    EXPECT_EQ(CierraTotalJornadas(QStringLiteral("52")), 52);
    EXPECT_EQ(CierraTotalJornadas(QStringLiteral("1")), 1);
    EXPECT_EQ(CierraCodigo(QStringLiteral("7"), 2), QStringLiteral("07"));
    EXPECT_EQ(CierraCodigo(QStringLiteral("123"), 5), QStringLiteral("00123"));
    EXPECT_EQ(CierraCodigo(QString(), 5), QStringLiteral("00000"));

    // El carácter recién escrito que no vale se quita y el cursor retrocede.
    const TextoEditor r = FiltraTecleo(QStringLiteral("1a2"), 2, false);
    EXPECT_EQ(r.texto, QStringLiteral("12"));
    EXPECT_EQ(r.cursor, 1);
    EXPECT_EQ(FiltraTecleo(QStringLiteral("0."), 2, true).texto, QStringLiteral("0."));
    EXPECT_EQ(FiltraTecleo(QStringLiteral("0."), 2, false).texto, QStringLiteral("0"));
}

TEST(ReglasDatosgen, CambiosQueMuestranGuardar) {
    DatosGenerales antes;
    DatosGenerales ahora = antes;
    EXPECT_FALSE(DatosGeneralesCambiados(antes, ahora));
    ahora.CodigoDelegacion = QStringLiteral("0 "); // mismo número
    EXPECT_FALSE(DatosGeneralesCambiados(antes, ahora));
    ahora.PrecioApuesta = QStringLiteral("0.5 ");
    EXPECT_FALSE(DatosGeneralesCambiados(antes, ahora)) << "el precio se compara por su valor";
    ahora.Sonido = QStringLiteral("No");
    EXPECT_TRUE(DatosGeneralesCambiados(antes, ahora));
}
