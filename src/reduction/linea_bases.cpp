#include "reduction/linea_bases.h"

#include "core/estado_global.h"

#include <algorithm>
#include <initializer_list>

namespace quiniela {

namespace {

// Hasta aquí llegan los totales; un editor que quite los blancos del final deja al menos esto.
constexpr qsizetype LongitudMinima = 165;

bool EsCifra(char c) {
    return c >= '0' && c <= '9';
}

// Bytes que no se pueden mostrar: controles, DEL y los huecos de Windows-1252.
bool EsControl(unsigned char b) {
    return b < 0x20 || b == 0x7F || b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D;
}

// Un número alineado a la derecha: blancos y después al menos una cifra.
bool EsNumeroFijo(QByteArrayView campo) {
    qsizetype i = 0;
    while (i < campo.size() && campo[i] == ' ')
        ++i;
    return i < campo.size() && std::all_of(campo.begin() + i, campo.end(), EsCifra);
}

bool SonCifras(QByteArrayView campo, char maxima) {
    return std::all_of(campo.begin(), campo.end(),
                       [maxima](char c) { return c >= '0' && c <= maxima; });
}

QString DefectoDeCampos(QByteArrayView l) {
    if (!SonCifras(l.first(4), '9'))
        return QStringLiteral("la jornada o el orden no son números");
    if (l[4] < '1' || l[4] > '0' + NumMetodos)
        return QStringLiteral("el método no es 1, 2 ni 3");
    for (auto [pos, ancho] : {std::pair{5, 2}, {7, 2}, {13, 8}, {21, 8}})
        if (!EsNumeroFijo(l.sliced(pos, ancho)))
            return QStringLiteral("los errores o las apuestas no son números");
    if (!SonCifras(l.sliced(29, 90), '9') || !SonCifras(l.sliced(120, 45), '1'))
        return QStringLiteral("los signos de los partidos no son cifras");
    return {};
}

} // namespace

QString DefectoLineaBases(QByteArrayView linea) {
    if (linea.startsWith("0000"))
        return {};
    if (std::any_of(linea.begin(), linea.end(),
                    [](char c) { return EsControl(static_cast<unsigned char>(c)); }))
        return QStringLiteral("tiene bytes nulos o de control");
    const QString largo =
        QStringLiteral(" (%1 caracteres de %2)").arg(linea.size()).arg(LongitudRegistroReduccion);
    if (linea.size() < LongitudMinima)
        return QStringLiteral("es demasiado corta") + largo;
    if (linea.size() > LongitudRegistroReduccion)
        return QStringLiteral("es demasiado larga") + largo;
    return DefectoDeCampos(linea);
}

} // namespace quiniela
