#pragma once
// Servidor SMTP de verdad para las pruebas del correo: lanza tests/support/servidor_smtp.py
// (aiosmtpd) en 127.0.0.1, en un puerto libre y con su propia carpeta temporal, y lo para al
// destruirse. Cada prueba tiene el suyo, así que pueden correr en paralelo.

#include "platform/correo.h"

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>
#include <vector>

namespace quiniela::prueba {

// Un mensaje tal como lo guardó el servidor.
struct MensajeRecibido {
    QString Remitente;         // el del MAIL FROM
    QStringList Destinatarios; // los RCPT TO aceptados
    QString Usuario;           // el del AUTH; vacío si no hubo
    bool Cifrado = false;      // llegó por TLS (STARTTLS o desde el principio)
    QByteArray Datos;          // los bytes del mensaje, ya sin la transparencia de los puntos
};

// Certificado autofirmado y su clave, en ficheros PEM.
struct CertificadoPrueba {
    QString Certificado;
    QString Clave;
    bool Bien() const { return !Certificado.isEmpty(); }
};

// Fabrica con openssl un certificado autofirmado para los nombres dados (CN el primero; una
// IP va al SAN como IP, lo demás como DNS). Vacío (Bien() falso) si openssl falla.
CertificadoPrueba FabricaCertificado(const QString& carpeta,
                                     const QStringList& nombres = {QStringLiteral("127.0.0.1"),
                                                                   QStringLiteral("localhost")});

// Cómo se porta el servidor. Por omisión: sin cifrar, sin AUTH, acepta a todos. Se encadena:
//     OpcionesServidorSmtp().Cifrado(SeguridadCorreo::StartTls, certificado).Auth(u, c)
struct OpcionesServidorSmtp {
    SeguridadCorreo Seguridad = SeguridadCorreo::Ninguna;
    CertificadoPrueba Certificado; // necesario con StartTls y Tls
    QString Usuario;               // no vacío: exige AUTH (PLAIN o LOGIN) con esta clave;
    QString Clave;                 // con StartTls, solo después de cifrar
    QStringList Rechazados;        // destinatarios que reciben 550 en RCPT TO
    QStringList Colgados;          // destinatarios cuyo mensaje nunca recibe respuesta
    bool Mudo = false;             // acepta conexiones y nunca contesta (ni el saludo)
    int Puerto = 0;                // 0: uno libre

    OpcionesServidorSmtp& Cifrado(SeguridadCorreo seguridad, const CertificadoPrueba& cert) {
        Seguridad = seguridad;
        Certificado = cert;
        return *this;
    }
    OpcionesServidorSmtp& Auth(const QString& usuario, const QString& clave) {
        Usuario = usuario;
        Clave = clave;
        return *this;
    }
    OpcionesServidorSmtp& Rechaza(const QString& destinatario) {
        Rechazados << destinatario;
        return *this;
    }
    OpcionesServidorSmtp& Cuelga(const QString& destinatario) {
        Colgados << destinatario;
        return *this;
    }
    OpcionesServidorSmtp& Callado() {
        Mudo = true;
        return *this;
    }
};

class ServidorSmtp {
public:
    // Arranca y espera a que escuche (unos segundos como mucho).
    explicit ServidorSmtp(OpcionesServidorSmtp opciones = {});
    ~ServidorSmtp();
    ServidorSmtp(const ServidorSmtp&) = delete;
    ServidorSmtp& operator=(const ServidorSmtp&) = delete;

    bool Escuchando() const { return puerto_ > 0; }
    QString Error() const { return error_; } // por qué no arrancó
    int Puerto() const { return puerto_; }

    // Cuenta lista para este servidor: 127.0.0.1, su puerto y su seguridad, su usuario, el
    // remitente "remitente@example.com" y, si tiene certificado, ese fichero como autoridad.
    CuentaCorreo Cuenta() const;

    // Los mensajes recibidos hasta ahora, en orden de llegada.
    std::vector<MensajeRecibido> Mensajes() const;
    // Conexiones aceptadas hasta ahora (STARTTLS no cuenta como otra).
    int Conexiones() const;

private:
    OpcionesServidorSmtp opciones_;
    QTemporaryDir carpeta_;
    std::unique_ptr<QProcess> proceso_;
    int puerto_ = 0;
    QString error_;
};

} // namespace quiniela::prueba
