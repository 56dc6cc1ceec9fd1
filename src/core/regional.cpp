#include "core/regional.h"

namespace quiniela {

QLocale RegionalDePantallas(const QLocale& sistema) {
    if (sistema.language() == QLocale::C)
        return QLocale(QLocale::Spanish, QLocale::Spain);
    return sistema;
}

void FijaRegionalDePantallas(const QLocale& sistema) {
    QLocale::setDefault(RegionalDePantallas(sistema));
}

} // namespace quiniela
