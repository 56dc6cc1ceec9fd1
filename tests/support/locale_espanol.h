#pragma once
// Configuración regional española por defecto mientras vive el objeto (como en el equipo del
// usuario); al salir deja la que había.

#include <QLocale>

namespace quiniela::prueba {

class LocaleEspanol {
public:
    LocaleEspanol() { QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain)); }
    ~LocaleEspanol() { QLocale::setDefault(anterior_); }
    LocaleEspanol(const LocaleEspanol&) = delete;
    LocaleEspanol& operator=(const LocaleEspanol&) = delete;

private:
    QLocale anterior_;
};

} // namespace quiniela::prueba
