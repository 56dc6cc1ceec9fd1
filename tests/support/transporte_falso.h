#pragma once
// Transporte de correo falso: guarda cada mensaje y puede fallar en el envío que se le diga.

#include "platform/correo.h"

#include <QByteArray>
#include <QString>

#include <functional>
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
    FalloCorreo Envia(const QString& destinatario, const QByteArray& mensaje) override {
        if (AntesDeEnviar)
            AntesDeEnviar(int(Enviados.size()));
        if (int(Enviados.size()) + 1 == FallaEnElEnvio)
            return {55, QStringLiteral("Failed sending data to the peer (550 no such user)")};
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
    FalloCorreo Envia(const QString& d, const QByteArray& m) override { return t_.Envia(d, m); }
    void Cierra() override { t_.Cierra(); }

private:
    TransporteCorreo& t_;
};

} // namespace quiniela::prueba
