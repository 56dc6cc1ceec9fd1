#include "core/codificacion.h"
#include "core/error_fichero.h"
#include "core/ficheros.h"
#include "core/listas.h"
#include "core/mascaras.h"
#include "core/regional.h"
#include "core/texto_delimitado.h"
#include "support/banco.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace quiniela;
using namespace quiniela::prueba;

TEST(Mascaras, NumerosConSeparadoresRegionalesYRedondeo) {
    const QLocale es(QLocale::Spanish, QLocale::Spain);
    const QLocale c = QLocale::c();
    const struct {
        double Valor;
        const char16_t* Mascara;
        QLocale Regional;
        QString Esperado;
    } casos[] = {
        {1234.5, u"##,###,##0.00", es, u"1.234,50"_s},
        {1234.5, u"##,###,##0.00", c, u"1,234.50"_s},
        {14348907, u"###,###", es, u"14.348.907"_s},
        {999, u"###,###", es, u"999"_s},
        {0.5, u"##0.00", es, u"0,50"_s},
        {0.125, u"#######0.00", c, u"0.13"_s}, // mitad hacia fuera
        {-2.5, u"#0", c, u"-3"_s},
        {0, u"#0", c, u"0"_s},
        {1000000, u"##,###,##0.00", es, u"1.000.000,00"_s},
    };
    for (const auto& caso : casos)
        EXPECT_EQ(FormatoNumero(caso.Valor, caso.Mascara, caso.Regional), caso.Esperado)
            << caso.Valor;
    // "!" alinea a la izquierda; lo que no cabe sale entero, salvo en ancho fijo.
    EXPECT_EQ(FormatoTexto(u"81"_s, u"!@@@@@@@"), u"81     "_s);
    EXPECT_EQ(FormatoTexto(u"123456789"_s, u"@@@"), u"123456789"_s);
    EXPECT_EQ(AnchoFijo(u"0.555"_s, 4), u"0.55"_s);
}

TEST(Regional, SinConfiguracionDelUsuarioSeUsaLaEspanola) {
    // Lo que llega de LANG / LC_ALL / LC_NUMERIC tal cual, y lo que se ve en pantalla.
    const struct {
        const char* Sistema;
        const char* Cifras;
        const char* Importe;
    } casos[] = {
        {"C", "5.184", "2.592,00"},           {"C.UTF-8", "5.184", "2.592,00"},
        {"POSIX", "5.184", "2.592,00"},       {"es_ES.UTF-8", "5.184", "2.592,00"},
        {"en_US.UTF-8", "5,184", "2,592.00"}, {"en_GB", "5,184", "2,592.00"},
    };
    for (const auto& c : casos) {
        const QLocale pantallas = RegionalDePantallas(QLocale(QString::fromUtf8(c.Sistema)));
        EXPECT_EQ(FormatoNumero(5184, u"##,###,##0", pantallas), QString::fromUtf8(c.Cifras))
            << c.Sistema;
        EXPECT_EQ(FormatoNumero(2592, u"##,###,##0.00", pantallas), QString::fromUtf8(c.Importe))
            << c.Sistema;
    }
}

TEST(Codificacion, TextoGuardableBytesFiltroDeTecleoEImprimible) {
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
    EXPECT_EQ(AWindows1252(u"Año €“x”"_s), QByteArray("A\xf1o \x80\x93x\x94"));
    EXPECT_EQ(AWindows1252(u"\u4e2d"_s), QByteArray("?")) << "lo que no cabe se escribe \"?\"";
    EXPECT_EQ(SoloWindows1252(u"a😀b🎉ĉ€"_s), u"ab€"_s);
    // Un sustituto suelto tampoco se puede guardar.
    EXPECT_EQ(SoloWindows1252(u"x"_s + QChar(0xD83D) + u"y"_s), u"xy"_s);
    EXPECT_EQ(Imprimible(u"12\u0000\u001b[2J\u0085ñ€"_s), u"12??[2J?ñ€"_s);
}

TEST(ErrorFichero, TextosDiscoLlenoYLosQueNoSeAvisan) {
    // El 53, el 75 y el 76 los muestran las pruebas de los índices; aquí, los demás.
    const ContextoErrorFichero c{u"LJO"_s,
                                 u"No se encuentra el fichero de jornadas JORNADAS.ZPK."_s,
                                 u"de jornadas JORNADAS.ZPK"_s, true};
    const QString ruta = u"/tmp/JORNADAS.ZPK"_s;
    EXPECT_EQ(TextoErrorFichero(c, 7, ruta), u"LJO ERROR 7 : Insuficiente memoria"_s);
    EXPECT_EQ(TextoErrorFichero(c, 61, ruta), u"LJO ERROR 61: no se puede leer el fichero de "
                                              u"jornadas JORNADAS.ZPK (el disco está lleno)"_s);
    const QString e68 = TextoErrorFichero(c, 68, ruta);
    EXPECT_TRUE(e68.startsWith(u"LJO ERROR 68: Unidad "_s) && e68.endsWith(u": no preparada"_s));
    EXPECT_EQ(TextoFalloGuardar(u"No se han podido guardar los datos"_s,
                                {ErrorFichero::DiscoLleno, u"/datos/DATOSGEN.ZPK"_s}),
              u"No se han podido guardar los datos: el disco está lleno (error 61)."_s);

    // /dev/full falla como un disco lleno, sin depender de montar nada.
    QFile lleno(u"/dev/full"_s);
    ASSERT_TRUE(lleno.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    EXPECT_NE(lleno.write("abc", 3), 3);
    EXPECT_EQ(NumeroEscrituraCorta(lleno, lleno.fileName()), ErrorFichero::DiscoLleno);

    // El 6 no se avisa, ni tampoco que falte el fichero de apuestas sin columnas.
    auto [carpeta, estado, plataforma] = Banco(false);
    NotificaErrorFichero(estado, c, 6, ruta);
    EXPECT_EQ(estado.UltimoErrorFichero, 6);
    estado.Datos.JornadaActual = 7;
    estado.Datos.OrdenActual = 3;
    estado.ActualizaFicheroApuestas();
    EXPECT_EQ(AbreFicheroApuestas(estado), nullptr);
    EXPECT_EQ(estado.UltimoErrorFichero, 53);
    EXPECT_TRUE(plataforma.Avisos.isEmpty());

    carpeta.Escribe(u"RED0703.ZPK"_s, "\"111111111111111\"\r\n");
    const auto fichero = AbreFicheroApuestas(estado);
    ASSERT_NE(fichero, nullptr);
    EXPECT_EQ(fichero->readLine(), QByteArray("\"111111111111111\"\r\n"));
    EXPECT_EQ(estado.UltimoErrorFichero, 0);
}

TEST(Listas, ColocacionDeJornadasYOrden) {
    // La lista de jornadas llega hasta la actual aunque pase del total de la temporada.
    const struct {
        int total, actual;
        bool pantallaJornadas;
        int Entradas, Columnas;
        QRect Geometria;
    } casos[] = {{42, 12, false, 42, 5, QRect(15, 38, 90, 140)},
                 {10, 10, false, 10, 1, QRect(51, 38, 18, 140)},
                 {38, 42, false, 42, 5, QRect(15, 38, 90, 140)},
                 {10, 11, false, 11, 2, QRect(42, 38, 36, 140)},
                 {10, 1, true, 10, 1, QRect(68, 55, 18, 140)}};
    EstadoGlobal estado;
    for (const auto& c : casos) {
        SCOPED_TRACE(testing::Message() << c.total << "/" << c.actual);
        estado.Datos.TotalJornadas = int16_t(c.total);
        estado.Datos.JornadaActual = int16_t(c.actual);
        const ContenidoLista lista = CargaLisJornadas(estado, c.pantallaJornadas);
        EXPECT_EQ(lista.Entradas.size(), c.Entradas);
        EXPECT_EQ(lista.Columnas, c.Columnas);
        EXPECT_EQ(lista.Geometria, c.Geometria);
        EXPECT_EQ(lista.Seleccion, c.actual - 1);
    }
    estado.Datos.OrdenActual = 30;
    const ContenidoLista lista = CargaLisOrden(estado);
    EXPECT_EQ(lista.Geometria, QRect(140, 54, 38, 198));
    EXPECT_EQ(lista.Entradas.size(), 30);
    EXPECT_EQ(lista.Entradas.last(), u"30"_s);
    EXPECT_EQ(lista.Seleccion, 29);
}

TEST(TextoDelimitado, CamposEntreComillasYSinEllas) {
    LectorDelimitado lector(u"Real Madrid,\"Betis, S.A.\" ,  Osasuna \r\n42\r\n"_s);
    int error = 0;
    EXPECT_EQ(lector.SiguienteTexto(&error), u"Real Madrid"_s);
    EXPECT_EQ(lector.SiguienteTexto(&error), u"Betis, S.A."_s);
    EXPECT_EQ(lector.SiguienteTexto(&error), u"Osasuna"_s);
    EXPECT_EQ(lector.SiguienteEntero(&error), 42);
    EXPECT_EQ(error, 0);
    EXPECT_TRUE(lector.AlFinal());
    lector.SiguienteEntero(&error);
    EXPECT_EQ(error, 62);
}
