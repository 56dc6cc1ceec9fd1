// Correo: direcciones aceptadas, DIRECC.ZPK, el mensaje MIME byte a byte y la
// tanda de envío sobre un transporte falso.
#include "output/cuenta_correo.h"
#include "output/direcciones.h"
#include "output/envio_correo.h"
#include "output/mensaje_correo.h"
#include "output/reduccion_prueba.h"
#include "support/mime_prueba.h"
#include "support/transporte_falso.h"

#include <QFile>
#include <QTimeZone>

#include <gtest/gtest.h>

#include <random>

using namespace Qt::StringLiterals;
using namespace quiniela;
using namespace quiniela::prueba;

namespace {

bool LineasCortas(const QByteArray& texto, int maximo) {
    for (const QByteArray& l : texto.split('\n'))
        if (l.size() > maximo + 1) // con su CR
            return false;
    return true;
}

CuentaCorreo Cuenta() {
    CuentaCorreo c;
    c.Servidor = u"smtp.ejemplo.es"_s;
    c.Remitente = u"pena@ejemplo.es"_s;
    return c;
}

} // namespace

TEST(Direcciones, SoloUnaDireccionSencillaSeEnvia) {
    for (const QString& d : {u"pepe@x.es"_s, u"a.b+c_d-e@sub.dominio.org"_s, u"x@y"_s})
        EXPECT_TRUE(EsDireccionValida(d)) << d.toStdString();
    const QString larga = QString(250, u'a') + u"@x.es"_s;
    for (const QString& d :
         {QString(), u" pepe@x.es"_s, u"pepexes"_s, u"@x.es"_s, u"pepe@"_s, u"a@b@c.es"_s,
          u"a,b@x.es"_s, u"a;b@x.es"_s, u"pe pe@x.es"_s, u"a@x.es\r\nRCPT TO:<otro@y.es>"_s,
          u"<a@x.es>"_s, u"a@x.es\u0000"_s, u"peña@x.es"_s, larga})
        EXPECT_FALSE(EsDireccionValida(d)) << d.toStdString();
    EXPECT_TRUE(EsDireccionValida(larga.right(LargoMaximoDireccion)));
}

TEST(Direcciones, IdaYVueltaPorElFicheroRecortadasYEnOrden) {
    CarpetaTemporal datos;
    EstadoGlobal estado = datos.Estado();
    // Sin fichero: se crea vacío.
    EXPECT_TRUE(CargaLisDirecciones(estado).Direcciones.isEmpty());
    EXPECT_EQ(datos.Lee(u"DIRECC.ZPK"_s), QByteArray());
    ASSERT_TRUE(
        GuardaDirecciones(estado, {u"  zeta@x.es "_s, u"ana@y.es"_s, u"mal, hecha"_s}).Bien());
    EXPECT_EQ(datos.Lee(u"DIRECC.ZPK"_s), "zeta@x.es\r\nana@y.es\r\nmal, hecha\r\n");
    const LecturaDirecciones l = CargaLisDirecciones(estado);
    EXPECT_FALSE(l.Fallida);
    // La coma termina el campo al leer, como en cualquier fichero delimitado.
    EXPECT_EQ(l.Direcciones, (QStringList{u"zeta@x.es"_s, u"ana@y.es"_s, u"mal"_s, u"hecha"_s}));
}

TEST(MensajeCorreo, MensajeEnteroByteAByte) {
    CabecerasCorreo c;
    c.Remitente = u"pena@ejemplo.es"_s;
    c.Destinatario = u"ana@x.es"_s;
    c.Asunto = AsuntoCorreo(5, 12);
    c.Fecha = QDateTime(QDate(2026, 12, 7), QTime(3, 4, 5), QTimeZone(3600));
    c.IdMensaje = u"1234@ejemplo.es"_s;
    const QByteArray cuerpo =
        u"Línea = uno \r\n\r\nApuesta nro.    1  1X21X21X21X21X2\r\n"_s.toUtf8();
    QFile esperado(QStringLiteral(QUINIELA_FUENTES "/tests/datos/output/mensaje_correo.eml"));
    ASSERT_TRUE(esperado.open(QIODevice::ReadOnly));
    EXPECT_EQ(ComponMensaje(c, cuerpo), esperado.readAll());
    EXPECT_EQ(
        FechaCorreo(QDateTime(QDate(2026, 1, 2), QTime(23, 0), QTimeZone(-(3 * 3600 + 1800)))),
        "Fri, 02 Jan 2026 23:00:00 -0330");
    EXPECT_EQ(LineaApuestaCorreo(123456, "1X2"), "Apuesta nro.123456  1X2\r\n");
}

TEST(MensajeCorreo, QuotedPrintableVuelveAlTextoConLineasCortas) {
    std::mt19937 azar(7);
    const QStringList trozos = {u"a"_s, u"b"_s, u" "_s, u"="_s, u"\t"_s,  u"."_s,
                                u"ñ"_s, u"€"_s, u"😀"_s, u"X"_s, u"\r\n"_s};
    for (int caso = 0; caso < 300; ++caso) {
        QString texto;
        const int largo = int(azar() % 400);
        for (int i = 0; i < largo; ++i)
            texto += trozos[int(azar() % trozos.size())];
        const QByteArray utf8 = texto.toUtf8();
        const QByteArray qp = CodificaQuotedPrintable(utf8);
        ASSERT_EQ(DecodificaQp(qp), utf8) << caso;
        ASSERT_TRUE(LineasCortas(qp, 76)) << caso;
        // Ningún blanco al final de una línea codificada: se perdería por el
        // camino.
        ASSERT_FALSE(qp.contains(" \r\n") || qp.contains("\t\r\n") || qp.endsWith(' ')) << caso;
    }
}

TEST(MensajeCorreo, CabeceraLargaSePliegaSinPartirCaracteres) {
    const QString asunto = u"Reducción "_s.repeated(12) + u"ñ😀"_s;
    const QByteArray valor = CodificaCabecera(asunto, 9);
    EXPECT_TRUE(LineasCortas("Subject: " + valor, 78));
    EXPECT_EQ(DecodificaCabecera(valor), asunto);
    EXPECT_GT(valor.count("\r\n "), 1);
    // Un texto corto en ASCII va tal cual; uno con un salto de línea no abre otra
    // cabecera.
    EXPECT_EQ(CodificaCabecera(u"Hola"_s, 9), "Hola");
    EXPECT_FALSE(CodificaCabecera(u"a\r\nBcc: x@y.es"_s, 9).contains('\n'));
}

// Sin fichero de columnas el mensaje va sin ellas.
TEST(EnvioCorreo, SinFicheroDeColumnasSoloLosDatosBasicos) {
    CarpetaTemporal datos;
    EstadoGlobal estado = datos.Estado();
    GuardaReduccion(datos, estado, 2, 1, Columnas(2));
    QFile::remove(datos.Ruta(NombreFicheroApuestas(2, 1)));
    const PreparacionCorreo p = PreparaEnvio(estado, {{u"a@x.es"_s}, true, true}, QLocale::c());
    TransporteFalso t;
    EjecutaEnvio(*p.Envio, Cuenta(), {}, t, {});
    const QByteArray m = t.Enviados.at(0).Mensaje;
    const QByteArray cuerpo = DecodificaQp(m.mid(m.indexOf("\r\n\r\n") + 4));
    EXPECT_TRUE(cuerpo.startsWith("     JORNADA NRO.  2")) << cuerpo.constData();
    EXPECT_FALSE(cuerpo.contains("Apuesta"));
}

TEST(EnvioCorreo, RemitenteQueNoValeNoAbreSesion) {
    EnvioPreparado e;
    e.Asunto = AsuntoCorreo(1, 1);
    e.Validas = QStringList{u"a@x.es"_s};
    TransporteFalso t;
    CuentaCorreo mala = Cuenta();
    mala.Remitente = u"pena@x.es\r\nBcc: todos@y.es"_s;
    EXPECT_EQ(EjecutaEnvio(e, mala, {}, t, {}).Fin, FinEnvio::Fallido);
    EXPECT_EQ(t.Aperturas, 0);
}

TEST(CuentaCorreo, AjustesSinClaveYSeguridadDesconocidaEsStartTls) {
    CarpetaTemporal datos;
    const QString ruta = datos.Ruta(u"ajustes.ini"_s);
    CuentaCorreo c = Cuenta();
    c.Puerto = 2525;
    c.Seguridad = SeguridadCorreo::Ninguna;
    c.Usuario = u"pena"_s;
    c.Certificado = u"/ruta/ca.pem"_s;
    {
        QSettings a(ruta, QSettings::IniFormat);
        GuardaCuentaCorreo(a, c);
    }
    QSettings a(ruta, QSettings::IniFormat);
    const CuentaCorreo l = LeeCuentaCorreo(a);
    EXPECT_EQ(std::tie(l.Servidor, l.Puerto, l.Seguridad, l.Usuario, l.Remitente, l.Certificado),
              std::tie(c.Servidor, c.Puerto, c.Seguridad, c.Usuario, c.Remitente, c.Certificado));
    a.setValue(u"correo/seguridad"_s, u"quizá"_s);
    EXPECT_EQ(LeeCuentaCorreo(a).Seguridad, SeguridadCorreo::StartTls);
}
