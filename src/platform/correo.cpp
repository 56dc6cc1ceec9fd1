#include "platform/correo.h"

#include <algorithm>
#include <cstring>

namespace quiniela {

namespace {

CreadorTransporteCorreo& Creador() {
    static CreadorTransporteCorreo creador;
    return creador;
}

// Sin transporte instalado: cada envío dice por qué no sale.
class SinTransporte final : public TransporteCorreo {
public:
    FalloCorreo Abre(const CuentaCorreo&, const QString&) override { return Falta(); }
    FalloCorreo Envia(const QString&, FuenteMensaje&) override { return Falta(); }
    void Cierra() override {}

private:
    static FalloCorreo Falta() {
        return {-1, QStringLiteral("este programa se ha compilado sin envío de correo"), {}, 0};
    }
};

} // namespace

qint64 MensajeEnMemoria::Lee(char* destino, qint64 maximo) {
    const qint64 n = std::min(maximo, mensaje_.size() - leidos_);
    std::memcpy(destino, mensaje_.constData() + leidos_, size_t(n));
    leidos_ += n;
    return n;
}

void InstalaCreadorTransporteCorreo(CreadorTransporteCorreo creador) {
    Creador() = std::move(creador);
}

std::unique_ptr<TransporteCorreo> CreaTransporteCorreo() {
    if (Creador())
        return Creador()();
    return std::make_unique<SinTransporte>();
}

} // namespace quiniela
