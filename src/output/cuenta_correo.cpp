#include "output/cuenta_correo.h"

namespace quiniela {

namespace {

const QString Servidor = QStringLiteral("correo/servidor");
const QString Puerto = QStringLiteral("correo/puerto");
const QString Seguridad = QStringLiteral("correo/seguridad");
const QString Usuario = QStringLiteral("correo/usuario");
const QString Remitente = QStringLiteral("correo/remitente");
const QString Certificado = QStringLiteral("correo/certificado");

} // namespace

QString TextoSeguridad(SeguridadCorreo seguridad) {
    switch (seguridad) {
    case SeguridadCorreo::Tls:
        return QStringLiteral("tls");
    case SeguridadCorreo::Ninguna:
        return QStringLiteral("ninguna");
    case SeguridadCorreo::StartTls:
        break;
    }
    return QStringLiteral("starttls");
}

std::optional<SeguridadCorreo> SeguridadDeTexto(const QString& texto) {
    for (const auto s : {SeguridadCorreo::StartTls, SeguridadCorreo::Tls, SeguridadCorreo::Ninguna})
        if (texto.trimmed().compare(TextoSeguridad(s), Qt::CaseInsensitive) == 0)
            return s;
    return std::nullopt;
}

std::unique_ptr<QSettings> AjustesUsuario() {
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       QStringLiteral("quiniela"));
}

CuentaCorreo LeeCuentaCorreo(const QSettings& ajustes) {
    CuentaCorreo c;
    c.Servidor = ajustes.value(Servidor).toString();
    c.Puerto = ajustes.value(Puerto, 0).toInt();
    // Un valor desconocido no rebaja la seguridad: vuelve a STARTTLS.
    c.Seguridad =
        SeguridadDeTexto(ajustes.value(Seguridad).toString()).value_or(SeguridadCorreo::StartTls);
    c.Usuario = ajustes.value(Usuario).toString();
    c.Remitente = ajustes.value(Remitente).toString();
    c.Certificado = ajustes.value(Certificado).toString();
    return c;
}

void GuardaCuentaCorreo(QSettings& ajustes, const CuentaCorreo& c) {
    ajustes.setValue(Servidor, c.Servidor.trimmed());
    ajustes.setValue(Puerto, c.Puerto);
    ajustes.setValue(Seguridad, TextoSeguridad(c.Seguridad));
    ajustes.setValue(Usuario, c.Usuario);
    ajustes.setValue(Remitente, c.Remitente.trimmed());
    ajustes.setValue(Certificado, c.Certificado);
    ajustes.sync();
}

} // namespace quiniela
