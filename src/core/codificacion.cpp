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
    // Los cinco bytes sin carácter se leen como su control C1: vuelven a ser el mismo byte.
    if (c >= 0x80 && c < 0xA0 && Tabla80[c - 0x80] == 0)
        return static_cast<char>(c);
    return '?';
}

// Puntos de código del texto, con los pares sustitutos unidos.
template <typename Funcion> void RecorrePuntos(QStringView texto, Funcion f) {
    for (qsizetype i = 0; i < texto.size();) {
        const qsizetype largo =
            texto[i].isHighSurrogate() && i + 1 < texto.size() && texto[i + 1].isLowSurrogate() ? 2
                                                                                                : 1;
        const char32_t c =
            largo == 2 ? QChar::surrogateToUcs4(texto[i], texto[i + 1]) : texto[i].unicode();
        if (!f(c, texto.mid(i, largo)))
            return;
        i += largo;
    }
}

} // namespace

bool CodificableWindows1252(char32_t c) {
    if (c > 0xFFFF)
        return false;
    // Los controles C1 (0x80-0x9F) no se teclean: esos bytes son otros caracteres.
    const auto u = static_cast<char16_t>(c);
    if (u >= 0x80 && u < 0xA0)
        return false;
    return ByteDe(u) != '?' || u == u'?';
}

QString PrimerNoCodificable(QStringView texto) {
    QString primero;
    RecorrePuntos(texto, [&](char32_t c, QStringView trozo) {
        if (CodificableWindows1252(c))
            return true;
        primero = trozo.toString();
        return false;
    });
    return primero;
}

QString SoloWindows1252(QStringView texto) {
    QString limpio;
    limpio.reserve(texto.size());
    RecorrePuntos(texto, [&](char32_t c, QStringView trozo) {
        if (CodificableWindows1252(c))
            limpio += trozo;
        return true;
    });
    return limpio;
}

QString Imprimible(QStringView texto) {
    QString limpio = texto.toString();
    for (QChar& c : limpio)
        if (c.category() == QChar::Other_Control)
            c = u'?';
    return limpio;
}

QString CitaCorta(QStringView texto, qsizetype maximo) {
    if (texto.size() <= maximo)
        return Imprimible(texto);
    // Sin partir un carácter de dos unidades UTF-16.
    qsizetype corte = maximo;
    if (corte > 0 && texto[corte - 1].isHighSurrogate())
        --corte;
    return Imprimible(texto.left(corte)) + QStringLiteral("…");
}

std::optional<QString> CompruebaCodificable(QStringView texto, const QString& campo) {
    const QString malo = PrimerNoCodificable(texto);
    if (malo.isEmpty())
        return std::nullopt;
    return campo + QStringLiteral(" no se puede guardar: «") + malo +
           QStringLiteral("» no existe en la codificación de los ficheros (Windows-1252). "
                          "Use solo letras, cifras y signos de un teclado español.");
}

std::optional<QString> CompruebaTextoGuardable(QStringView texto, const QString& campo,
                                               qsizetype maximo) {
    if (auto rechazo = CompruebaCodificable(texto, campo))
        return rechazo;
    // Todo cabe: cada unidad es un carácter y un byte en el fichero.
    if (texto.size() > maximo)
        return campo + QStringLiteral(" admite ") + QString::number(maximo) +
               QStringLiteral(" caracteres como mucho (tiene ") + QString::number(texto.size()) +
               QStringLiteral(").");
    return std::nullopt;
}

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
