#pragma once
// La cuenta de correo en los ajustes del usuario (QSettings), sin la clave: la clave solo
// vive en memoria mientras dura el programa.

#include "platform/correo.h"

#include <QSettings>

#include <optional>

namespace quiniela {

// "starttls", "tls" o "ninguna", como en la línea de órdenes.
QString TextoSeguridad(SeguridadCorreo seguridad);
std::optional<SeguridadCorreo> SeguridadDeTexto(const QString& texto);

CuentaCorreo LeeCuentaCorreo(const QSettings& ajustes);
void GuardaCuentaCorreo(QSettings& ajustes, const CuentaCorreo& cuenta);

} // namespace quiniela
