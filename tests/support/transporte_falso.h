#pragma once
// Transporte de correo falso: guarda cada mensaje y puede fallar en el envío que se le diga.

#include "platform/correo.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <gtest/gtest.h>
#include <vector>

namespace quiniela::prueba {

class TransporteFalso final : public TransporteCorreo {
public:
    struct Enviado {
        QString Destinatario;
        QByteArray Mensaje;
    };

    FalloCorreo Abre(const CuentaCorreo& cuenta, const QString& clave) override {
        ++Aperturas;
        Cuenta = cuenta;
        Clave = clave;
        return FalloAbrir;
    }
    FalloCorreo Envia(const QString& destinatario, FuenteMensaje& fuente) override {
        if (AntesDeEnviar)
            AntesDeEnviar(int(Enviados.size()));
        if (int(Enviados.size()) + 1 == FallaEnElEnvio)
            return {55, QStringLiteral("el servidor de correo no acepta la dirección de destino"),
                    QStringLiteral("Failed sending data to the peer: RCPT failed: 550"), 550};
        QByteArray mensaje;
        char trozo[4096];
        for (qint64 n; (n = fuente.Lee(trozo, sizeof trozo)) != 0;) {
            if (n < 0)
                return {42, QStringLiteral("se ha interrumpido el envío del mensaje"), {}, 0};
            mensaje.append(trozo, n);
        }
        // Lo leído es lo que la fuente dijo que ocuparía: así lo declara el transporte de verdad.
        if (mensaje.size() != fuente.Tamano())
            ADD_FAILURE() << "la fuente dio " << mensaje.size() << " bytes y anunció "
                          << fuente.Tamano();
        Enviados.push_back({destinatario, mensaje});
        return {};
    }
    void Cierra() override {}

    std::vector<Enviado> Enviados;
    int Aperturas = 0;
    CuentaCorreo Cuenta;
    QString Clave;
    FalloCorreo FalloAbrir;
    int FallaEnElEnvio = 0; // 1: el primero...
    std::function<void(int yaEnviados)> AntesDeEnviar;
};

// Prestado a quien lo pide (la pantalla lo destruye al acabar la tanda); lo apuntado queda
// en el original.
class TransportePrestado final : public TransporteCorreo {
public:
    explicit TransportePrestado(TransporteCorreo& t) : t_(t) {}
    FalloCorreo Abre(const CuentaCorreo& c, const QString& clave) override {
        return t_.Abre(c, clave);
    }
    FalloCorreo Envia(const QString& d, FuenteMensaje& m) override { return t_.Envia(d, m); }
    void Cierra() override { t_.Cierra(); }

private:
    TransporteCorreo& t_;
};

} // namespace quiniela::prueba
