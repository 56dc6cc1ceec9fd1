#pragma once
// Configuración regional de pantallas y listados.

#include <QLocale>

namespace quiniela {

// La del usuario; sin ninguna (C o POSIX), la española, porque el programa es español.
QLocale RegionalDePantallas(const QLocale& sistema);

// La deja como predeterminada (QLocale()) para todo el proceso. Se llama al arrancar.
void FijaRegionalDePantallas(const QLocale& sistema = QLocale::system());

} // namespace quiniela
