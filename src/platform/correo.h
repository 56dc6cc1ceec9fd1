#pragma once
// Transporte del correo: envía mensajes ya compuestos por una conexión SMTP abierta con la
// cuenta del usuario. La lógica compone y valida los mensajes; esta interfaz solo los lleva.
// La implementación de verdad está en platform/curl/ y las pruebas usan una falsa.

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>

namespace quiniela {

enum class SeguridadCorreo {
    StartTls, // STARTTLS obligatorio (puerto 587 por defecto)
    Tls,      // TLS desde el principio (puerto 465 por defecto)
    Ninguna   // sin cifrar, solo si el usuario lo elige (puerto 25 por defecto)
};

// La cuenta de correo. Todo menos la clave se guarda en los ajustes del usuario.
struct CuentaCorreo {
    QString Servidor;
    int Puerto = 0; // 0: el de la seguridad elegida
    SeguridadCorreo Seguridad = SeguridadCorreo::StartTls;
    QString Usuario;     // vacío: sin AUTH
    QString Remitente;   // dirección del From y del sobre
    QString Certificado; // fichero de autoridades de certificación adicional (opcional)
    // Tamaño máximo de un mensaje, en MB (millones de bytes): uno mayor no se envía.
    int MaximoMensaje = MaximoMensajePorDefecto;

    static constexpr int MaximoMensajePorDefecto = 20;
    static constexpr int MaximoMensajeTope = 100000;

    int PuertoEfectivo() const {
        if (Puerto > 0)
            return Puerto;
        switch (Seguridad) {
        case SeguridadCorreo::Tls:
            return 465;
        case SeguridadCorreo::Ninguna:
            return 25;
        case SeguridadCorreo::StartTls:
            break;
        }
        return 587;
    }
};

// Fallo del transporte: el número de error de la biblioteca (0 si fue bien), lo que falló
// dicho en español y, aparte, el texto de la biblioteca tal cual (en inglés) y la respuesta
// del servidor, si la hubo.
struct FalloCorreo {
    int Numero = 0;
    QString Descripcion;
    QString Detalle;
    int Respuesta = 0;
    bool Bien() const { return Numero == 0; }
};

// Un mensaje (cabeceras y cuerpo con fines de línea CR LF) que se entrega por trozos: así un
// mensaje de cientos de megas no tiene que estar entero en memoria.
class FuenteMensaje {
public:
    virtual ~FuenteMensaje() = default;
    // Bytes exactos que dará, sabidos antes de empezar.
    virtual qint64 Tamano() const = 0;
    // Copia hasta `maximo` bytes en `destino`: los copiados, 0 al final, -1 si no puede seguir
    // (lectura fallida o cancelación; quien lo creó sabe cuál).
    virtual qint64 Lee(char* destino, qint64 maximo) = 0;
};

// Un mensaje ya entero en memoria.
class MensajeEnMemoria final : public FuenteMensaje {
public:
    explicit MensajeEnMemoria(QByteArray mensaje) : mensaje_(std::move(mensaje)) {}
    qint64 Tamano() const override { return mensaje_.size(); }
    qint64 Lee(char* destino, qint64 maximo) override;

private:
    QByteArray mensaje_;
    qint64 leidos_ = 0;
};

class TransporteCorreo {
public:
    virtual ~TransporteCorreo() = default;
    // Prepara la sesión con la cuenta y la clave; la conexión se abre con el primer envío y
    // sirve para todos los demás hasta Cierra.
    virtual FalloCorreo Abre(const CuentaCorreo& cuenta, const QString& clave) = 0;
    // Envía un mensaje a una dirección ya validada, leyéndolo de la fuente mientras sale. El
    // remitente del sobre es el de la cuenta.
    virtual FalloCorreo Envia(const QString& destinatario, FuenteMensaje& mensaje) = 0;
    // Despide la sesión (QUIT) y suelta la conexión. Se puede llamar aunque no haya nada abierto.
    virtual void Cierra() = 0;
};

// El transporte de verdad lo instala quien arranca el programa; sin instalar, los envíos
// fallan con un aviso en vez de no hacer nada.
using CreadorTransporteCorreo = std::function<std::unique_ptr<TransporteCorreo>()>;
void InstalaCreadorTransporteCorreo(CreadorTransporteCorreo creador);
std::unique_ptr<TransporteCorreo> CreaTransporteCorreo();

} // namespace quiniela
