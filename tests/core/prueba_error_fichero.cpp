#include "core/error_fichero.h"
#include "core/ficheros.h"
#include "core/listas.h"
#include "core/texto_delimitado.h"
#include "support/banco.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace quiniela;
using namespace quiniela::prueba;

namespace {
ContextoErrorFichero Contexto() {
    ContextoErrorFichero c;
    c.Etiqueta = QStringLiteral("LJO");
    c.TextoNoExiste = QStringLiteral("No se encuentra el fichero de jornadas JORNADAS.ZPK.");
    c.TextoRuta = QStringLiteral("de jornadas JORNADAS.ZPK");
    return c;
}
} // namespace

TEST(ErrorFichero, TextosSegunElNumeroYElSeisNoSeAvisa) {
    // El 53, el 75 y el 76 los muestran las pruebas de los índices; aquí, los demás.
    const ContextoErrorFichero c = Contexto();
    const QString ruta = QStringLiteral("/tmp/JORNADAS.ZPK");
    EXPECT_EQ(TextoErrorFichero(c, 7, ruta), QStringLiteral("LJO ERROR 7 : Insuficiente memoria"));
    EXPECT_EQ(TextoErrorFichero(c, 61, ruta),
              QStringLiteral("LJO ERROR 61: no se puede leer el fichero de jornadas JORNADAS.ZPK "
                             "(el disco está lleno)"));
    const QString e68 = TextoErrorFichero(c, 68, ruta);
    EXPECT_TRUE(e68.startsWith(QStringLiteral("LJO ERROR 68: Unidad ")));
    EXPECT_TRUE(e68.endsWith(QStringLiteral(": no preparada")));
    const ResultadoFichero lleno{ErrorFichero::DiscoLleno, QStringLiteral("/datos/DATOSGEN.ZPK")};
    EXPECT_EQ(
        TextoFalloGuardar(QStringLiteral("No se han podido guardar los datos"), lleno),
        QStringLiteral("No se han podido guardar los datos: el disco está lleno (error 61)."));

    Banco banco(false);
    NotificaErrorFichero(banco.estado, c, 6, ruta);
    EXPECT_EQ(banco.estado.UltimoErrorFichero, 6);
    EXPECT_TRUE(banco.plataforma.Avisos.isEmpty());
}

TEST(ErrorFichero, EscrituraSinSitioEsDiscoLleno) {
    // /dev/full falla como un disco lleno, sin depender de montar nada.
    QFile lleno(QStringLiteral("/dev/full"));
    ASSERT_TRUE(lleno.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    EXPECT_NE(lleno.write("abc", 3), 3);
    EXPECT_EQ(NumeroEscrituraCorta(lleno, lleno.fileName()), ErrorFichero::DiscoLleno);
}

TEST(ErrorFichero, FicheroDeApuestasSinColumnasNoAvisa) {
    Banco banco(false);
    auto& [carpeta, estado, plataforma] = banco;
    estado.Datos.JornadaActual = 7;
    estado.Datos.OrdenActual = 3;
    estado.ActualizaFicheroApuestas();
    EXPECT_EQ(AbreFicheroApuestas(estado), nullptr);
    EXPECT_EQ(estado.UltimoErrorFichero, 53);
    EXPECT_TRUE(plataforma.Avisos.isEmpty());

    carpeta.Escribe(QStringLiteral("RED0703.ZPK"), "\"111111111111111\"\r\n");
    const auto fichero = AbreFicheroApuestas(estado);
    ASSERT_NE(fichero, nullptr);
    EXPECT_EQ(fichero->readLine(), QByteArray("\"111111111111111\"\r\n"));
    EXPECT_EQ(estado.UltimoErrorFichero, 0);
}

TEST(Listas, ColocacionDeJornadasYOrden) {
    // La lista de jornadas llega hasta la actual aunque pase del total de la temporada.
    const struct {
        int total, actual, Entradas, Columnas;
        QRect Geometria;
    } casos[] = {{42, 12, 42, 5, QRect(15, 38, 90, 140)},
                 {10, 10, 10, 1, QRect(51, 38, 18, 140)},
                 {38, 42, 42, 5, QRect(15, 38, 90, 140)},
                 {10, 11, 11, 2, QRect(42, 38, 36, 140)}};
    for (const auto& c : casos) {
        SCOPED_TRACE(testing::Message() << c.total << "/" << c.actual);
        EstadoGlobal estado;
        estado.Datos.TotalJornadas = int16_t(c.total);
        estado.Datos.JornadaActual = int16_t(c.actual);
        const ContenidoLista lista = CargaLisJornadas(estado, false);
        EXPECT_EQ(lista.Entradas.size(), c.Entradas);
        EXPECT_EQ(lista.Columnas, c.Columnas);
        EXPECT_EQ(lista.Geometria, c.Geometria);
        EXPECT_EQ(lista.Seleccion, c.actual - 1);
    }
    EstadoGlobal estado;
    estado.Datos.TotalJornadas = 10;
    EXPECT_EQ(CargaLisJornadas(estado, true).Geometria, QRect(68, 55, 18, 140));

    estado.Datos.OrdenActual = 30;
    const ContenidoLista lista = CargaLisOrden(estado);
    EXPECT_EQ(lista.Geometria, QRect(140, 54, 38, 198));
    EXPECT_EQ(lista.Entradas.size(), 30);
    EXPECT_EQ(lista.Entradas.last(), QStringLiteral("30"));
    EXPECT_EQ(lista.Seleccion, 29);
}

TEST(TextoDelimitado, CamposEntreComillasYSinEllas) {
    LectorDelimitado lector(QStringLiteral("Real Madrid,\"Betis, S.A.\" ,  Osasuna \r\n42\r\n"));
    int error = 0;
    EXPECT_EQ(lector.SiguienteTexto(&error), QStringLiteral("Real Madrid"));
    EXPECT_EQ(lector.SiguienteTexto(&error), QStringLiteral("Betis, S.A."));
    EXPECT_EQ(lector.SiguienteTexto(&error), QStringLiteral("Osasuna"));
    EXPECT_EQ(lector.SiguienteEntero(&error), 42);
    EXPECT_EQ(error, 0);
    EXPECT_TRUE(lector.AlFinal());
    lector.SiguienteEntero(&error);
    EXPECT_EQ(error, 62);
}
