#pragma once
// La cuenta de correo en los ajustes del usuario (QSettings), sin la clave: la clave solo
// vive en memoria mientras dura el programa.

#include "platform/correo.h"

#include <QSettings>

#include <memory>
#include <optional>

namespace quiniela {

// "starttls", "tls" o "ninguna", como en la línea de órdenes.
QString TextoSeguridad(SeguridadCorreo seguridad);
std::optional<SeguridadCorreo> SeguridadDeTexto(const QString& texto);

// Los ajustes del usuario, los mismos para el programa y para quiniela-cli: en Linux,
// ~/.config/quiniela.conf. Con el QSettings por defecto y sin organización, Qt los dejaba en
// una carpeta "Unknown Organization".
std::unique_ptr<QSettings> AjustesUsuario();

CuentaCorreo LeeCuentaCorreo(const QSettings& ajustes);
void GuardaCuentaCorreo(QSettings& ajustes, const CuentaCorreo& cuenta);

} // namespace quiniela
