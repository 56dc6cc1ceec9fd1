// Orden imprimir de quiniela-cli sobre una impresora que apunta lo dibujado.
#include "cli/linea_ordenes.h"
#include "output/impresora_apuntada.h"
#include "output/reduccion_prueba.h"
#include "settings/datos_generales.h"

#include <gtest/gtest.h>

#include <QTextStream>

using namespace Qt::StringLiterals;
using namespace quiniela;
using namespace quiniela::prueba;

namespace {

class OrdenImprimir : public testing::Test {
protected:
    void SetUp() override {
        InstalaCreadorImpresoraPdf([this](const QString& ruta) {
            dibujado.ruta = ruta;
            return std::make_unique<ImpresoraApuntada>(dibujado);
        });
        DatosGenerales d;
        d.Orientacion = 2;
        d.MargenIzquierdo = {0, 10, 20};
        datos.Escribe(u"DATOSGEN.ZPK"_s, LineaDatosGenerales(d));
        EstadoGlobal estado = datos.Estado();
        GuardaReduccion(datos, estado, 7, 3, Columnas(17));
    }
    void TearDown() override { InstalaCreadorImpresoraPdf(nullptr); }
    int Ejecuta(const QStringList& args) {
        QTextStream o(&Out), e(&Err);
        return EjecutaLineaOrdenes(
            QStringList{u"quiniela-cli"_s, u"--datos"_s, datos.Ruta(), u"imprimir"_s} + args, o, e);
    }
    CarpetaTemporal datos;
    Apuntes dibujado;
    QString Out, Err;
};

QStringList Pide(const QString& tipo, const QStringList& mas = {}) {
    return QStringList{u"--jornada"_s, u"7"_s, u"--orden"_s, u"3"_s,
                       u"--tipo"_s,    tipo,   u"--pdf"_s,   u"x.pdf"_s} +
           mas;
}

} // namespace

TEST_F(OrdenImprimir, CadaTipoImprimeSuDocumento) {
    struct Caso {
        QString Tipo;
        QStringList Mas;
        QString Salida;
        int Paginas;
        int Rectangulos;
    } casos[] = {
        {u"datos"_s, {u"--copias"_s, u"2"_s}, u"2 copias impresas\n"_s, 2, 0},
        {u"boletos"_s, {u"--desde"_s, u"2"_s}, u"2 boletos impresos\n"_s, 2, -1},
        {u"boletos"_s, {u"--prueba"_s, u"--reverso"_s}, u"1 boleto impreso\n"_s, 1, 2 * 339 + 9},
        {u"relacion"_s, {u"--papel"_s, u"350"_s}, u"1 bloque impreso\n"_s, 1, 0},
        {u"continuo"_s, {u"--hasta"_s, u"99"_s}, u"3 boletos impresos\n"_s, 2, -1},
    };
    for (const Caso& k : casos) {
        dibujado = {};
        Out.clear();
        Err.clear();
        EXPECT_EQ(Ejecuta(Pide(k.Tipo, k.Mas)), 0) << Err.toStdString();
        EXPECT_EQ(Out, k.Salida) << k.Tipo.toStdString();
        EXPECT_EQ(dibujado.ruta, u"x.pdf"_s);
        EXPECT_EQ(int(dibujado.Paginas.size()), k.Paginas) << k.Tipo.toStdString();
        EXPECT_EQ(dibujado.documentos, 1);
        if (k.Rectangulos >= 0) {
            EXPECT_EQ(dibujado.Rectangulos, k.Rectangulos) << k.Tipo.toStdString();
        }
    }
    // El aviso de la columna sola de 17 columnas va a stderr con la impresión de boletos.
    EXPECT_TRUE(Err.isEmpty());
    Ejecuta(Pide(u"boletos"_s));
    EXPECT_TRUE(Err.startsWith(u"ÚLTIMO BOLETO INCOMPLETO\n"_s)) << Err.toStdString();
}

TEST_F(OrdenImprimir, ErroresSinImprimir) {
    struct Caso {
        QStringList Args;
        QString Mensaje;
    } casos[] = {
        {{u"--jornada"_s, u"8"_s, u"--orden"_s, u"3"_s, u"--tipo"_s, u"datos"_s},
         u"NO HAY REDUCCIÓN"_s},
        {Pide(u"rejilla"_s), u"Tipo desconocido"_s},
        {Pide(u"datos"_s, {u"--copias"_s, u"0"_s}), u"--copias va de 1 a 999"_s},
        {Pide(u"boletos"_s, {u"--copias"_s, u"2"_s}), u"--copias solo vale"_s},
        {Pide(u"relacion"_s, {u"--papel"_s, u"a3"_s}), u"--papel es a4 o 350"_s},
        {Pide(u"relacion"_s, {u"--desde"_s, u"-3"_s}), u"--desde y --hasta"_s},
        {Pide(u"datos"_s, {u"--reverso"_s}), u"--orientacion y --reverso"_s},
        {Pide(u"datos"_s, {u"--otra"_s}), u"Argumento desconocido: --otra"_s},
    };
    for (const Caso& k : casos) {
        Err.clear();
        EXPECT_EQ(Ejecuta(k.Args), 1) << k.Args.join(u' ').toStdString();
        EXPECT_TRUE(Err.contains(k.Mensaje)) << Err.toStdString();
    }
    EXPECT_TRUE(dibujado.Paginas.empty());
    // Sin el fichero de columnas: mensaje claro y estado 1.
    QFile::remove(datos.Ruta(u"RED0703.ZPK"_s));
    Err.clear();
    EXPECT_EQ(Ejecuta(Pide(u"relacion"_s)), 1);
    EXPECT_TRUE(Err.contains(u"RED0703.ZPK"_s)) << Err.toStdString();
}

TEST_F(OrdenImprimir, CtrlCCancelaTrasElBoletoEnCurso) {
    dibujado.interrumpe = true;
    EXPECT_EQ(Ejecuta(Pide(u"continuo"_s)), 130);
    EXPECT_TRUE(Err.contains(u"Se ha cancelado la impresión"_s)) << Err.toStdString();
    EXPECT_EQ(dibujado.Textos, QStringList{u"1"_s}); // solo el primer boleto
    EXPECT_EQ(dibujado.documentos, 1);               // y lo impreso sale
}
