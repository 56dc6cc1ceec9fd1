#include "platform/correo.h"

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
    FalloCorreo Envia(const QString&, const QByteArray&) override { return Falta(); }
    void Cierra() override {}

private:
    static FalloCorreo Falta() {
        return {-1, QStringLiteral("este programa se ha compilado sin envío de correo")};
    }
};

} // namespace

void InstalaCreadorTransporteCorreo(CreadorTransporteCorreo creador) {
    Creador() = std::move(creador);
}

std::unique_ptr<TransporteCorreo> CreaTransporteCorreo() {
    if (Creador())
        return Creador()();
    return std::make_unique<SinTransporte>();
}

} // namespace quiniela
