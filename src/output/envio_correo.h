#pragma once
// La tanda de envío del correo: un mensaje por dirección elegida con los datos básicos y/o
// las columnas de la reducción actual. Se prepara en el hilo de la interfaz (lee el estado)
// y se ejecuta en otro (red y fichero de columnas), con aviso de cada mensaje y cancelación
// entre mensajes.

#include "platform/correo.h"

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>
#include <optional>

namespace quiniela {

struct EstadoGlobal;

struct PeticionCorreo {
    QStringList Direcciones; // las elegidas, tal como están en la lista
    bool DatosBasicos = true;
    bool Columnas = true;
};

struct AvisoCorreo {
    QString Titulo;
    QString Texto;
};

// Lo que la tanda necesita, ya sacado del estado.
struct EnvioPreparado {
    QString Asunto;
    QByteArray TextoBasicos; // UTF-8, vacío si no se piden
    QString RutaColumnas;    // vacía si no se piden
    QStringList Validas;     // recortadas, en el orden de la lista
    QStringList Rechazadas;  // las que no son una dirección sencilla
};

// Prepara la tanda de la jornada y el orden actuales (con la reducción ya leída en el
// estado). Sin reducción guardada da el aviso y nada que enviar.
struct PreparacionCorreo {
    std::optional<EnvioPreparado> Envio;
    std::optional<AvisoCorreo> Aviso; // sin reducción
};
PreparacionCorreo PreparaEnvio(const EstadoGlobal& estado, const PeticionCorreo& peticion,
                               const QLocale& regional);

// Aviso de las direcciones que no se enviarán; nullopt si no hay ninguna.
std::optional<AvisoCorreo> AvisoRechazadas(const QStringList& rechazadas);

struct AvisosEnvio {
    // Antes de cada mensaje: número (desde 1), total y dirección.
    std::function<void(int numero, int total, const QString& direccion)> AlEnviar;
    // Después de cada mensaje entregado.
    std::function<void(int numero, int total, const QString& direccion)> AlEnviado;
    // Se mira entre mensajes y mientras se leen las columnas.
    const std::atomic<bool>* Cancelar = nullptr;
    // Fecha de los mensajes; sin ella, la del momento del envío.
    std::function<QDateTime()> Reloj;
};

enum class FinEnvio { Terminado, Cancelado, Fallido };

struct ResultadoEnvio {
    FinEnvio Fin = FinEnvio::Terminado;
    int Enviados = 0;
    int Total = 0;
    std::optional<AvisoCorreo> Aviso; // el error (Fallido)
};

// Envía un mensaje a cada dirección válida por una sola sesión del transporte. Antes de
// conectar comprueba la cuenta, abre el fichero de columnas y mira que el mensaje no pase del
// máximo de la cuenta. Un fallo (también la falta de memoria) termina la tanda con su aviso;
// lo enviado, enviado queda.
ResultadoEnvio EjecutaEnvio(const EnvioPreparado& envio, const CuentaCorreo& cuenta,
                            const QString& clave, TransporteCorreo& transporte,
                            const AvisosEnvio& avisos);

inline constexpr qint64 BytesMb = 1000000;

// Tamaño de un mensaje en palabras: "548,6 MB" (hacia arriba a la décima).
QString TextoTamanoMensaje(qint64 bytes);
// El aviso de un mensaje de más del máximo de la cuenta (en MB); nullopt si cabe.
std::optional<AvisoCorreo> AvisoTamano(qint64 bytes, int maximoMb);

// "Enviando el mensaje n de N".
QString TextoEnviando(int numero, int total);
// Lo que dice la línea de estado al terminar.
QString TextoFinEnvio(const ResultadoEnvio& resultado);
// "Inicio de sesión cancelado".
AvisoCorreo AvisoSesionCancelada();
// La cuenta no sirve para enviar (sin servidor, remitente que no es una dirección...).
std::optional<AvisoCorreo> CompruebaCuenta(const CuentaCorreo& cuenta);

} // namespace quiniela
