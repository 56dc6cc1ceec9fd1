#pragma once
// Servidor SMTP de verdad (servidor_smtp.py, aiosmtpd) en 127.0.0.1, en un puerto libre y con
// su propia carpeta: cada prueba tiene el suyo y pueden correr en paralelo.

#include "platform/correo.h"
#include "support/carpeta_temporal.h"

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

namespace quiniela::prueba {

struct MensajeRecibido {
    QString Remitente;         // el del MAIL FROM
    QStringList Destinatarios; // los RCPT TO aceptados
    QString Usuario;           // el del AUTH; vacío si no hubo
    bool Cifrado = false;      // llegó por TLS (STARTTLS o desde el principio)
    QByteArray Datos;          // sin la transparencia de los puntos
};

// Certificado autofirmado y su clave, en ficheros PEM.
struct CertificadoPrueba {
    QString Certificado;
    QString Clave;
    bool Bien() const { return !Certificado.isEmpty(); }
};

// Hecho con openssl para esos nombres (CN el primero; en el SAN, IP o DNS). Sin él, Bien() falso.
CertificadoPrueba FabricaCertificado(const QString& carpeta,
                                     const QStringList& nombres = {QStringLiteral("127.0.0.1"),
                                                                   QStringLiteral("localhost")});

// Por omisión: sin cifrar, sin AUTH, acepta a todos.
struct OpcionesServidorSmtp {
    SeguridadCorreo Seguridad = SeguridadCorreo::Ninguna;
    CertificadoPrueba Certificado; // necesario con StartTls y Tls
    QString Usuario;               // no vacío: exige AUTH con esta clave (con StartTls, cifrado)
    QString Clave;
    QStringList Rechazados;    // reciben 550 en RCPT TO
    QStringList Colgados;      // su mensaje nunca recibe respuesta
    bool Mudo = false;         // acepta conexiones y nunca contesta (ni el saludo)
    bool RechazaDatos = false; // contesta 554 al final de cada mensaje
    qint64 Limite = 33554432;  // tamaño máximo anunciado con SIZE (el de aiosmtpd); 0, sin él

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
};

class ServidorSmtp {
public:
    // Arranca y espera a que escuche.
    explicit ServidorSmtp(OpcionesServidorSmtp opciones = {});
    ~ServidorSmtp();
    ServidorSmtp(const ServidorSmtp&) = delete;
    ServidorSmtp& operator=(const ServidorSmtp&) = delete;

    bool Escuchando() const { return puerto_ > 0; }
    QString Error() const { return error_; } // por qué no arrancó
    int Puerto() const { return puerto_; }
    // 127.0.0.1, su puerto, su seguridad y su usuario, remitente "remitente@example.com" y su
    // certificado como autoridad.
    CuentaCorreo Cuenta() const;
    std::vector<MensajeRecibido> Mensajes() const; // en orden de llegada
    int Conexiones() const;                        // STARTTLS no cuenta como otra

private:
    OpcionesServidorSmtp opciones_;
    CarpetaTemporal carpeta_;
    std::unique_ptr<QProcess> proceso_;
    int puerto_ = 0;
    QString error_;
};

} // namespace quiniela::prueba
