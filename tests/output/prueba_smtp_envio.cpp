// La tanda de correo entera contra un servidor SMTP de verdad en 127.0.0.1: lo que llega,
// después de deshacer el MIME, es el texto de la reducción; los fallos dejan lo enviado.
#include "output/datos_basicos.h"
#include "output/envio_correo.h"
#include "output/mensaje_correo.h"
#include "output/reduccion_prueba.h"
#include "platform/curl/transporte_curl.h"
#include "support/mime_prueba.h"
#include "support/servidor_smtp.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace quiniela;
using namespace quiniela::prueba;

namespace {

struct Tanda {
    CarpetaTemporal Carpeta;
    EstadoGlobal Estado = Carpeta.Estado();
    Tanda() { GuardaReduccion(Carpeta, Estado, 6, 2, ColumnasPrueba(20)); }

    ResultadoEnvio Envia(const ServidorSmtp& s, const PeticionCorreo& p, const QString& clave = {},
                         std::optional<CuentaCorreo> cuenta = std::nullopt) {
        const PreparacionCorreo preparada = PreparaEnvio(Estado, p, QLocale::c());
        TransporteCurl transporte(
            TiemposCorreo{std::chrono::milliseconds(3000), std::chrono::seconds(3)});
        return EjecutaEnvio(*preparada.Envio, cuenta.value_or(s.Cuenta()), clave, transporte, {});
    }
    QString TextoEsperado() const {
        QString texto =
            TextoDeLineas(LineasDatosBasicos(DatosBasicosDe(Estado, QLocale::c()), MonedaCorreo()));
        const QStringList c = ColumnasPrueba(20);
        for (int i = 0; i < c.size(); ++i)
            texto += u"Apuesta nro."_s + QString::number(i + 1).rightJustified(5) + u"  "_s + c[i] +
                     u"\r\n"_s;
        return texto;
    }
};

} // namespace

TEST(EnvioSmtp, DosDireccionesDosMensajesConElMismoTextoLasMalasNuncaYSinCasillasVacios) {
    Tanda t;
    ServidorSmtp servidor;
    ASSERT_TRUE(servidor.Escuchando()) << servidor.Error().toStdString();
    const ResultadoEnvio r =
        t.Envia(servidor, {{u"ana@example.com"_s, u"x@y.es\r\nRCPT TO:<intruso@example.com>"_s,
                            u"a,b@example.com"_s, u"a@b@example.com"_s, u" luis@example.com "_s},
                           true,
                           true});
    EXPECT_EQ(r.Enviados, 2);
    const auto recibidos = servidor.Mensajes();
    ASSERT_EQ(recibidos.size(), 2u);
    EXPECT_EQ(servidor.Conexiones(), 1);
    EXPECT_EQ(recibidos[0].Destinatarios, QStringList{u"ana@example.com"_s});
    EXPECT_EQ(recibidos[1].Destinatarios, QStringList{u"luis@example.com"_s});
    const MensajeDecodificado a = DecodificaMensaje(recibidos[0].Datos);
    const MensajeDecodificado b = DecodificaMensaje(recibidos[1].Datos);
    EXPECT_EQ(a.Para, u"ana@example.com"_s);
    EXPECT_EQ(a.Asunto, u"Datos de la jornada 6. Reducción nro. 2"_s);
    EXPECT_EQ(a.Asunto, b.Asunto);
    EXPECT_EQ(a.Cuerpo, t.TextoEsperado());
    EXPECT_EQ(a.Cuerpo, b.Cuerpo);

    // Sin ninguna elegida no hay ni conexión; sin casillas, los cuerpos van vacíos.
    EXPECT_EQ(t.Envia(servidor, {{}, true, true}).Enviados, 0);
    EXPECT_EQ(servidor.Conexiones(), 1);
    EXPECT_EQ(t.Envia(servidor, {{u"a@example.com"_s, u"b@example.com"_s}, false, false}).Enviados,
              2);
    ASSERT_EQ(servidor.Mensajes().size(), 4u);
    for (size_t i : {2, 3})
        EXPECT_EQ(DecodificaMensaje(servidor.Mensajes()[i].Datos).Cuerpo, QString()) << i;
}

TEST(EnvioSmtp, StartTlsConAutenticacionYCertificadoDeLaCuenta) {
    Tanda t;
    const CertificadoPrueba certificado = FabricaCertificado(t.Carpeta.Ruta());
    ASSERT_TRUE(certificado.Bien());
    ServidorSmtp servidor(OpcionesServidorSmtp()
                              .Cifrado(SeguridadCorreo::StartTls, certificado)
                              .Auth(u"pena"_s, u"clave ñ"_s));
    ASSERT_TRUE(servidor.Escuchando()) << servidor.Error().toStdString();
    const ResultadoEnvio r = t.Envia(
        servidor, {{u"ana@example.com"_s, u"luis@example.com"_s}, true, false}, u"clave ñ"_s);
    EXPECT_EQ(r.Fin, FinEnvio::Terminado) << (r.Aviso ? r.Aviso->Texto.toStdString() : "");
    const auto recibidos = servidor.Mensajes();
    ASSERT_EQ(recibidos.size(), 2u);
    EXPECT_TRUE(recibidos[0].Cifrado);
    EXPECT_EQ(recibidos[0].Usuario, u"pena"_s);

    // La clave equivocada: error de la biblioteca y nada enviado.
    const ResultadoEnvio mala = t.Envia(servidor, {{u"ana@example.com"_s}, true, false}, u"otra"_s);
    EXPECT_EQ(mala.Fin, FinEnvio::Fallido);
    ASSERT_TRUE(mala.Aviso);
    EXPECT_TRUE(mala.Aviso->Texto.startsWith(u"Error de correo: 67 "_s))
        << mala.Aviso->Texto.toStdString();
    EXPECT_EQ(servidor.Mensajes().size(), 2u);
}

TEST(EnvioSmtp, UnDestinatarioRechazadoYNadieEscuchando) {
    Tanda t;
    ServidorSmtp servidor(OpcionesServidorSmtp().Rechaza(u"nadie@example.com"_s));
    ASSERT_TRUE(servidor.Escuchando());
    const ResultadoEnvio r = t.Envia(
        servidor,
        {{u"ana@example.com"_s, u"nadie@example.com"_s, u"luis@example.com"_s}, true, true});
    EXPECT_EQ(r.Fin, FinEnvio::Fallido);
    EXPECT_EQ(r.Enviados, 1);
    ASSERT_TRUE(r.Aviso);
    EXPECT_TRUE(r.Aviso->Texto.startsWith(u"Error de correo: "_s));
    EXPECT_TRUE(r.Aviso->Texto.contains(u"nadie@example.com: se han enviado 1 de 3 mensajes"_s));
    EXPECT_EQ(servidor.Mensajes().size(), 1u);

    CuentaCorreo sinServidor = servidor.Cuenta();
    sinServidor.Puerto = 1; // nadie escucha en el 1
    const ResultadoEnvio nadie =
        t.Envia(servidor, {{u"ana@example.com"_s}, true, true}, {}, sinServidor);
    ASSERT_TRUE(nadie.Aviso);
    EXPECT_TRUE(nadie.Aviso->Texto.startsWith(u"Error de correo: 7 "_s))
        << nadie.Aviso->Texto.toStdString();
}
