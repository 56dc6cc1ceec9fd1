#include "core/codificacion.h"

#include <array>

namespace quiniela {

namespace {

// Caracteres de 0x80 a 0x9F; 0 donde Windows-1252 no define ninguno.
constexpr std::array<char16_t, 32> Tabla80 = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char ByteDe(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<char>(c);
    for (std::size_t i = 0; i < Tabla80.size(); ++i)
        if (Tabla80[i] != 0 && Tabla80[i] == c)
            return static_cast<char>(0x80 + i);
    return '?';
}

} // namespace

QByteArray AWindows1252(QStringView texto) {
    QByteArray bytes;
    bytes.resize(texto.size());
    char* destino = bytes.data();
    for (QChar c : texto)
        *destino++ = ByteDe(c.unicode());
    return bytes;
}

QString DeWindows1252(QByteArrayView bytes) {
    QString texto;
    texto.resize(bytes.size());
    QChar* destino = texto.data();
    for (char b : bytes) {
        const auto u = static_cast<unsigned char>(b);
        char16_t c = u;
        if (u >= 0x80 && u < 0xA0)
            c = Tabla80[u - 0x80] != 0 ? Tabla80[u - 0x80] : u;
        *destino++ = QChar(c);
    }
    return texto;
}

} // namespace quiniela
