#pragma once
// La cuenta de correo en los ajustes del usuario (fichero INI de QSettings, grupo
// "correo"), sin la clave: la clave solo vive en memoria mientras dura el programa. Se lee
// con QSettings; se escribe como todo fichero del programa, entero y por GuardaFicheroEntero,
// cambiando solo el grupo de la cuenta.

#include "core/error_fichero.h"
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

// Lo que falta o no vale toma su valor por defecto (un fichero de antes del tamaño máximo,
// 20 MB).
CuentaCorreo LeeCuentaCorreo(const QSettings& ajustes);

// El contenido del fichero de ajustes `anterior` con el grupo de la cuenta cambiado por esta;
// lo demás queda tal cual, byte a byte.
QByteArray AjustesConCuenta(const QByteArray& anterior, const CuentaCorreo& cuenta);

// Guarda la cuenta en el fichero de esos ajustes, que después la ven ya guardada.
ResultadoFichero GuardaCuentaCorreo(QSettings& ajustes, const CuentaCorreo& cuenta);

} // namespace quiniela
