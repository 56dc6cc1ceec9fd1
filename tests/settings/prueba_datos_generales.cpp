#include "core/estado_global.h"
#include "settings/datos_generales.h"
#include "settings/reglas_datosgen.h"
#include "support/banco.h"

#include <gtest/gtest.h>

using namespace quiniela;
using namespace quiniela::prueba;

namespace {
const QByteArray LineaPorDefecto =
    "1,\"28/08/05\",1,1,0,0,0,0,1,42,\"0.50\",\"00\",\"00000\",\"Si\"\r\n";
const QString Fichero = QStringLiteral("DATOSGEN.ZPK");
} // namespace

TEST(DatosGenerales, FicheroQueFaltaSeCreaConUnAvisoDeDosLineas) {
    Banco banco(false);
    auto& [carpeta, estado, plataforma] = banco;
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
    Banco banco(false);
    auto& [carpeta, estado, plataforma] = banco;
    carpeta.Escribe(Fichero,
                    "12,\"04/12/05\",7,2,15,-3,4,8,2,38,\"1.5\",\"3\",\"123456\",\"No\"\r\n");

    CargaDatosGenerales(estado);
    EXPECT_TRUE(plataforma.avisos.isEmpty());
    const DatosGenerales& d = estado.Datos;
    EXPECT_EQ((std::vector<int>{d.JornadaActual, d.OrdenActual, d.Metodo, d.MargenIzquierdo[1],
                                d.MargenSuperior[1], d.MargenIzquierdo[2], d.MargenSuperior[2],
                                d.Orientacion, d.TotalJornadas}),
              (std::vector<int>{12, 7, 2, 15, -3, 4, 8, 2, 38}));
    EXPECT_EQ(d.FechaJornada, QStringLiteral("04/12/05"));
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
    Banco banco(false);
    auto& [carpeta, estado, plataforma] = banco;

    // Le faltan valores: error 62, aviso, y se reescribe con los valores por defecto.
    carpeta.Escribe(Fichero, "5,\"01/01/06\",2\r\n");
    CargaDatosGenerales(estado);
    EXPECT_EQ(estado.UltimoErrorFichero, 62);
    EXPECT_EQ(plataforma.avisos,
              QStringList{QStringLiteral("LDG ERROR 62: no se puede leer el fichero de datos "
                                         "generales DATOSGEN.ZPK (el fichero se acaba antes de "
                                         "tiempo)")});
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
    Banco banco(false);
    auto& [carpeta, estado, plataforma] = banco;
    carpeta.Escribe(Fichero,
                    "60,\"01/01/06\",45,9,0,0,0,0,7,30,\"0.50\",\"00\",\"00000\",\"Si\"\r\n");
    CargaDatosGenerales(estado);
    const DatosGenerales& d = estado.Datos;
    EXPECT_EQ((std::vector<int>{d.JornadaActual, d.OrdenActual, d.Metodo, d.Orientacion}),
              (std::vector<int>{30, 1, 1, 1}));
}

TEST(DatosGenerales, GuardarEnUnaCarpetaQueNoExisteDevuelveElError) {
    EstadoGlobal estado;
    estado.CarpetaDatos = QStringLiteral("/no/existe/esta/carpeta/");
    EXPECT_EQ(GuardaDatosGenerales(estado).Numero, 76);
}

TEST(ReglasDatosgen, PrecioTotalYCodigos) {
    const std::vector<std::pair<const char*, const char*>> precios{
        {"0.50", "0.5"},  {".125", "0.12"}, {".7", "0.7"}, {"1.25", "1.25"},
        {"12.5", "12.5"}, {"3", "3"},       {"", "0"},     {"1..5", "1"}};
    for (const auto& [escrito, cerrado] : precios)
        EXPECT_EQ(CierraPrecio(QString::fromLatin1(escrito)), QString::fromLatin1(cerrado))
            << escrito;
    const std::vector<std::pair<const char*, int>> totales{
        {"", 44}, {"0", 44}, {"60", 52}, {"52", 52}, {"1", 1}};
    for (const auto& [escrito, total] : totales)
        EXPECT_EQ(CierraTotalJornadas(QString::fromLatin1(escrito)), total) << escrito;
    EXPECT_EQ(FiltraTotalJornadas(QStringLiteral("0")), QString());
    EXPECT_EQ(FiltraTotalJornadas(QStringLiteral(" 38")), QStringLiteral("38"));
    EXPECT_EQ(CierraCodigo(QStringLiteral("7"), 2), QStringLiteral("07"));
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
