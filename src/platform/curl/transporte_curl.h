#pragma once
// Transporte del correo con libcurl (SMTP). Un solo manejador para toda la tanda: la conexión
// abierta con el primer envío sirve para los siguientes hasta Cierra. Se puede usar desde un
// hilo de trabajo (uno cada vez por objeto).

#include "platform/correo.h"

#include <chrono>
#include <memory>

namespace quiniela {

// Tiempos límite: un servidor caído o mudo no puede colgar el programa. No hay tiempo total,
// para que un mensaje grande por una línea lenta no se corte mientras avance.
struct TiemposCorreo {
    // Hasta tener la sesión lista: conexión, saludo, STARTTLS, EHLO y AUTH.
    std::chrono::milliseconds Conexion{30000};
    // Sin respuesta del servidor o sin datos que avancen durante este tiempo, se abandona.
    // Cuenta también la espera del "250" tras un mensaje, que en un servidor que lo analiza
    // puede tardar: no conviene un valor de pocos segundos.
    std::chrono::seconds SinRespuesta{60};
};

class TransporteCurl final : public TransporteCorreo {
public:
    explicit TransporteCurl(TiemposCorreo tiempos = {});
    ~TransporteCurl() override;
    TransporteCurl(const TransporteCurl&) = delete;
    TransporteCurl& operator=(const TransporteCurl&) = delete;

    FalloCorreo Abre(const CuentaCorreo& cuenta, const QString& clave) override;
    FalloCorreo Envia(const QString& destinatario, FuenteMensaje& mensaje) override;
    void Cierra() override;

private:
    struct Sesion;
    TiemposCorreo tiempos_;
    std::unique_ptr<Sesion> sesion_;
};

} // namespace quiniela
