// quiniela-cli enviar contra un servidor SMTP de verdad en 127.0.0.1: opciones, direcciones
// de DIRECC.ZPK o de --a, una línea por mensaje y los errores del correo.
#include "output/cuenta_correo.h"
#include "output/reduccion_prueba.h"
#include "platform/curl/transporte_curl.h"
#include "support/linea_cli.h"
#include "support/mime_prueba.h"
#include "support/servidor_smtp.h"

#include <QSettings>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace quiniela;
using namespace quiniela::prueba;

namespace {

// Ajustes del usuario en una carpeta temporal y el transporte de libcurl instalado, como en
// quiniela-cli.
struct Enviar : testing::Test {
    CarpetaTemporal carpeta;
    CarpetaTemporal ajustes;
    Enviar() {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, ajustes.Ruta());
        InstalaCreadorTransporteCorreo([] {
            return std::make_unique<TransporteCurl>(
                TiemposCorreo{std::chrono::milliseconds(3000), std::chrono::seconds(3)});
        });
        EstadoGlobal estado = carpeta.Estado();
        GuardaReduccion(carpeta, estado, 3, 1, Columnas(2));
    }
    ~Enviar() override { InstalaCreadorTransporteCorreo({}); }
    static QStringList Servidor(const ServidorSmtp& s) {
        return {u"--servidor"_s,  u"127.0.0.1:"_s + QString::number(s.Puerto()),
                u"--seguridad"_s, u"ninguna"_s,
                u"--remitente"_s, u"pena@example.com"_s};
    }
};

} // namespace

TEST_F(Enviar, ALasDireccionesGuardadasUnaLineaPorMensaje) {
    ServidorSmtp servidor;
    ASSERT_TRUE(servidor.Escuchando());
    carpeta.Escribe(u"DIRECC.ZPK"_s, "ana@example.com\r\nmala\r\nluis@example.com\r\n");
    const Linea l = EjecutaCli(carpeta, QStringList{u"enviar"_s, u"--jornada"_s, u"3"_s,
                                                    u"--orden"_s, u"1"_s, u"--columnas"_s} +
                                            Servidor(servidor));
    EXPECT_EQ(l.Estado, 0) << l.Err.toStdString();
    EXPECT_EQ(l.Out, u"Enviado a ana@example.com (1 de 2)\nEnviado a luis@example.com (2 de 2)\n"
                     u"Se han enviado 2 mensajes\n"_s);
    EXPECT_TRUE(l.Err.contains(u"mala"_s));
    const auto recibidos = servidor.Mensajes();
    ASSERT_EQ(recibidos.size(), 2u);
    EXPECT_EQ(recibidos[0].Remitente, u"pena@example.com"_s);
    const MensajeDecodificado m = DecodificaMensaje(recibidos[1].Datos);
    EXPECT_EQ(m.Asunto, u"Datos de la jornada 3. Reducción nro. 1"_s);
    EXPECT_EQ(m.Cuerpo, u"Apuesta nro.    1  "_s + Columnas(2)[0] + u"\r\nApuesta nro.    2  "_s +
                            Columnas(2)[1] + u"\r\n"_s);
}

TEST_F(Enviar, ConAutenticacionLaClaveVieneDelEntorno) {
    const CertificadoPrueba certificado = FabricaCertificado(carpeta.Ruta());
    ServidorSmtp servidor(OpcionesServidorSmtp()
                              .Cifrado(SeguridadCorreo::StartTls, certificado)
                              .Auth(u"pena"_s, u"secreta"_s));
    ASSERT_TRUE(servidor.Escuchando());
    AjustesUsuario()->setValue(u"correo/certificado"_s, certificado.Certificado);
    const QStringList orden{
        u"enviar"_s,          u"--jornada"_s,  u"3"_s,
        u"--orden"_s,         u"1"_s,          u"--a"_s,
        u"ana@example.com"_s, u"--servidor"_s, u"127.0.0.1:"_s + QString::number(servidor.Puerto()),
        u"--usuario"_s,       u"pena"_s,       u"--remitente"_s,
        u"pena@example.com"_s};
    qputenv("QUINIELA_CLAVE_CORREO", "otra");
    const Linea mal = EjecutaCli(carpeta, orden);
    EXPECT_EQ(mal.Estado, 1);
    EXPECT_TRUE(mal.Err.contains(u"\nError de correo: 67 "_s)) << mal.Err.toStdString();
    qputenv("QUINIELA_CLAVE_CORREO", "secreta");
    const Linea bien = EjecutaCli(carpeta, orden);
    qunsetenv("QUINIELA_CLAVE_CORREO");
    EXPECT_EQ(bien.Estado, 0) << bien.Err.toStdString();
    ASSERT_EQ(servidor.Mensajes().size(), 1u);
    EXPECT_TRUE(servidor.Mensajes()[0].Cifrado);
    // Sin la variable y sin terminal no hay a quién preguntar la clave.
    const Linea sin = EjecutaCli(carpeta, orden);
    EXPECT_EQ(sin.Estado, 1);
    EXPECT_TRUE(sin.Err.contains(u"QUINIELA_CLAVE_CORREO"_s));
}

TEST_F(Enviar, OpcionesMalasYReduccionQueNoExiste) {
    ServidorSmtp servidor;
    ASSERT_TRUE(servidor.Escuchando());
    const auto envia = [&](const QStringList& extra) {
        return EjecutaCli(carpeta, QStringList{u"enviar"_s, u"--jornada"_s, u"3"_s} + extra +
                                       Servidor(servidor));
    };
    const Linea sinReduccion = envia({u"--orden"_s, u"9"_s, u"--a"_s, u"ana@example.com"_s});
    EXPECT_EQ(sinReduccion.Estado, 1);
    EXPECT_TRUE(sinReduccion.Err.contains(u"No hay ninguna reducción guardada"_s));
    const Linea mala = envia({u"--orden"_s, u"1"_s, u"--a"_s, u"a@b@example.com"_s});
    EXPECT_EQ(mala.Estado, 1);
    EXPECT_EQ(envia({u"--orden"_s, u"1"_s, u"--seguridad"_s, u"quiza"_s}).Estado, 1);
    EXPECT_EQ(envia({u"--orden"_s, u"1"_s, u"--a"_s}).Estado, 1);
    EXPECT_EQ(envia({u"--orden"_s, u"1"_s, u"--otra"_s}).Estado, 1);
    EXPECT_TRUE(servidor.Mensajes().empty());
}
