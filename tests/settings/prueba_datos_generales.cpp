#include "settings/datos_generales.h"
#include "settings/reglas_datosgen.h"
#include "support/banco.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace quiniela;
using namespace quiniela::prueba;

namespace {
const QByteArray LineaPorDefecto =
    "1,\"28/08/05\",1,1,0,0,0,0,1,42,\"0.50\",\"00\",\"00000\",\"Si\"\r\n";
const QString Fichero = u"DATOSGEN.ZPK"_s;

std::vector<int> Enteros(const DatosGenerales& d) {
    return {d.JornadaActual,      d.OrdenActual,       d.Metodo,
            d.MargenIzquierdo[1], d.MargenSuperior[1], d.MargenIzquierdo[2],
            d.MargenSuperior[2],  d.Orientacion,       d.TotalJornadas};
}
} // namespace

TEST(DatosGenerales, FicheroQueFaltaSeCreaConUnAvisoYLosTextosSeGuardanConAnchoFijo) {
    Banco banco(false);
    auto& [carpeta, estado, plataforma] = banco;
    estado.Datos.TotalJornadas = 10;
    CargaDatosGenerales(estado);
    EXPECT_EQ(plataforma.Avisos,
              QStringList{u"No se encuentra el fichero de datos generales DATOSGEN.ZPK.\r\n"
                          "Se ha procedido a crearlo automáticamente con los valores "
                          "establecidos por defecto."_s});
    EXPECT_EQ(estado.UltimoErrorFichero, 53);
    EXPECT_EQ(carpeta.Lee(Fichero), LineaPorDefecto);
    EXPECT_EQ(estado.Datos.TotalJornadas, 42);

    // Las cargas siguientes ya no avisan; los textos se guardan con ancho fijo.
    carpeta.Escribe(Fichero,
                    "12,\"04/12/05\",7,2,15,-3,4,8,2,38,\"1.5\",\"3\",\"123456\",\"No\"\r\n");
    CargaDatosGenerales(estado);
    EXPECT_EQ(plataforma.Avisos.size(), 1);
    EXPECT_EQ(estado.UltimoErrorFichero, 0);
    const DatosGenerales& d = estado.Datos;
    EXPECT_EQ(Enteros(d), (std::vector<int>{12, 7, 2, 15, -3, 4, 8, 2, 38}));
    EXPECT_EQ(d.FechaJornada, u"04/12/05"_s);
    EXPECT_FLOAT_EQ(d.PrecioApuestaValor, 1.5f);
    ASSERT_TRUE(GuardaDatosGenerales(estado).Bien());
    EXPECT_EQ(
        carpeta.Lee(Fichero),
        QByteArray("12,\"04/12/05\",7,2,15,-3,4,8,2,38,\"1.5 \",\"3 \",\"12345\",\"No\"\r\n"));

    // Valores imposibles no llegan al estado: jornada al total, orden, método y orientación 1.
    carpeta.Escribe(Fichero,
                    "60,\"01/01/06\",45,9,0,0,0,0,7,30,\"0.50\",\"00\",\"00000\",\"Si\"\r\n");
    CargaDatosGenerales(estado);
    EXPECT_EQ(Enteros(d), (std::vector<int>{30, 1, 1, 0, 0, 0, 0, 1, 30}));

    estado.CarpetaDatos = u"/no/existe/esta/carpeta/"_s;
    EXPECT_EQ(GuardaDatosGenerales(estado).Numero, 76);
}

TEST(DatosGenerales, FicheroDanadoSeCopiaApartéAntesDeSustituirlo) {
    const QByteArray resto = ",\"01/01/06\",2,1,0,0,0,0,1,42,\"0.50\",\"00\",\"00000\",\"Si\"\r\n";
    const std::tuple<QByteArray, int, QString> casos[] = {
        {"5,\"01/01/06\",2\r\n", 62, u"(el valor número 4 falta)"_s},
        {"40000" + resto, 6, u"(el valor número 1 no cabe: debe estar entre -32768 y 32767)"_s},
        {"-inf" + resto, 13, u"(el valor número 1 no es un número)"_s},
    };
    for (const auto& [contenido, error, causa] : casos) {
        SCOPED_TRACE(contenido.toStdString());
        Banco banco(false);
        auto& [carpeta, estado, plataforma] = banco;
        carpeta.Escribe(Fichero, contenido);
        carpeta.Escribe(u"DATOSGEN.ZPK.dañado"_s, "una copia anterior");
        CargaDatosGenerales(estado);
        EXPECT_EQ(estado.UltimoErrorFichero, error);
        EXPECT_EQ(plataforma.Avisos,
                  QStringList{u"LDG ERROR "_s + QString::number(error) +
                              u": el fichero de datos generales DATOSGEN.ZPK está dañado "_s +
                              causa +
                              u".\r\nSe ha guardado una copia como DATOSGEN.ZPK.dañado.2 y se "
                              "usan los valores por defecto."_s});
        EXPECT_EQ(carpeta.Lee(u"DATOSGEN.ZPK.dañado.2"_s), contenido);
        EXPECT_EQ(carpeta.Lee(u"DATOSGEN.ZPK.dañado"_s), "una copia anterior");
        EXPECT_EQ(carpeta.Lee(Fichero), LineaPorDefecto);
        EXPECT_EQ(estado.Datos.JornadaActual, 1);

        // Solo lectura: avisa, pero no escribe los datos generales; la copia que ya hay del mismo
        // contenido sirve, no se repite en cada arranque.
        carpeta.Escribe(Fichero, contenido);
        CargaDatosGenerales(estado, EscrituraDatosGenerales::SoloLectura);
        EXPECT_EQ(carpeta.Lee(Fichero), contenido);
        EXPECT_TRUE(plataforma.Avisos.last().contains(u"copia como DATOSGEN.ZPK.dañado.2 "_s));
        EXPECT_FALSE(carpeta.Existe(u"DATOSGEN.ZPK.dañado.3"_s));
    }
}

TEST(ReglasDatosgen, PrecioTotalCodigosYTecleo) {
    const std::vector<std::pair<QString, QString>> precios{
        {u"0.50"_s, u"0.5"_s}, {u".125"_s, u"0.12"_s}, {u"12.5"_s, u"12.5"_s},
        {u"3"_s, u"3"_s},      {u""_s, u"0"_s},        {u"1..5"_s, u"1"_s}};
    for (const auto& [escrito, cerrado] : precios)
        EXPECT_EQ(CierraPrecio(escrito), cerrado) << escrito.toStdString();
    const std::vector<std::pair<QString, int>> totales{
        {u""_s, 44}, {u"0"_s, 44}, {u"60"_s, 52}, {u"52"_s, 52}, {u"1"_s, 1}};
    for (const auto& [escrito, total] : totales)
        EXPECT_EQ(CierraTotalJornadas(escrito), total) << escrito.toStdString();
    EXPECT_EQ(FiltraTotalJornadas(u"0"_s), QString());
    EXPECT_EQ(FiltraTotalJornadas(u" 38"_s), u"38"_s);
    EXPECT_EQ(CierraCodigo(u"7"_s, 2), u"07"_s);
    EXPECT_EQ(CierraCodigo(QString(), 5), u"00000"_s);

    // El carácter recién escrito que no vale se quita y el cursor retrocede.
    const TextoEditor r = FiltraTecleo(u"1a2"_s, 2, false);
    EXPECT_EQ(r.Texto, u"12"_s);
    EXPECT_EQ(r.Cursor, 1);
    EXPECT_EQ(FiltraTecleo(u"0."_s, 2, true).Texto, u"0."_s);
    EXPECT_EQ(FiltraTecleo(u"0."_s, 2, false).Texto, u"0"_s);

    // Cambios que muestran "Guardar": el precio y los códigos se comparan por su valor.
    DatosGenerales antes;
    DatosGenerales ahora = antes;
    ahora.CodigoDelegacion = u"0 "_s;
    ahora.PrecioApuesta = u"0.5 "_s;
    EXPECT_FALSE(DatosGeneralesCambiados(antes, ahora));
    ahora.Sonido = u"No"_s;
    EXPECT_TRUE(DatosGeneralesCambiados(antes, ahora));
}
