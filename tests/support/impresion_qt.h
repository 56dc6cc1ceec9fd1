#pragma once
// Cómo enseña GoogleTest los textos y los bytes de Qt cuando una comprobación falla: el texto
// legible (CR, LF y bytes no imprimibles escapados) y, al comparar dos, el primer desplazamiento
// en que difieren con un trozo de cada lado. Lo incluyen todos los binarios de pruebas (desde
// tests/CMakeLists.txt), así que no hace falta incluirlo a mano.
//
// Las funciones van en el espacio de nombres global, el de QString y QByteArray: GoogleTest las
// encuentra por búsqueda dependiente de argumentos, y la no plantilla gana a la suya.

#include <QByteArray>
#include <QString>

#include <algorithm>
#include <ostream>
#include <string>

namespace quiniela::prueba {

// Bytes (Windows-1252 o UTF-8) como texto de una línea: \r, \n, \t, \\, \" y \xNN escapados.
inline std::string BytesLegibles(const QByteArray& bytes) {
    std::string s;
    s.reserve(size_t(bytes.size()) + 8);
    for (const char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '\r')
            s += "\\r";
        else if (c == '\n')
            s += "\\n";
        else if (c == '\t')
            s += "\\t";
        else if (c == '\\' || c == '"')
            s += {'\\', c};
        else if (u < 0x20 || u == 0x7f || u >= 0x80) {
            static constexpr char Hex[] = "0123456789ABCDEF";
            s += {'\\', 'x', Hex[u >> 4], Hex[u & 15]};
        } else
            s += c;
    }
    return s;
}

// Los textos, en UTF-8 con los mismos escapes salvo los caracteres no ASCII, que se ven tal cual.
inline std::string TextoLegible(const QString& texto) {
    std::string s;
    for (const QChar c : texto) {
        if (c.unicode() >= 0x80)
            s += QString(c).toStdString();
        else
            s += BytesLegibles(QByteArray(1, char(c.unicode())));
    }
    return s;
}

// Primera posición en que difieren; la longitud menor si una empieza como la otra.
template <typename Secuencia> qsizetype PrimeraDiferencia(const Secuencia& a, const Secuencia& b) {
    const qsizetype n = std::min(a.size(), b.size());
    qsizetype i = 0;
    while (i < n && a[i] == b[i])
        ++i;
    return i;
}

// Un trozo alrededor de la diferencia: unos pocos antes y bastantes después.
inline constexpr qsizetype AntesDiferencia = 24;
inline constexpr qsizetype DespuesDiferencia = 72;

template <typename Secuencia, typename Legible>
std::string DescribeFrente(const Secuencia& valor, const Secuencia& otro, const char* unidad,
                           Legible legible) {
    const qsizetype d = PrimeraDiferencia(valor, otro);
    const qsizetype desde = std::max<qsizetype>(0, d - AntesDiferencia);
    const Secuencia trozo = valor.mid(desde, d - desde + DespuesDiferencia);
    std::string s = std::to_string(valor.size()) + " " + unidad + ", difieren desde el " +
                    std::to_string(d) + "; desde el " + std::to_string(desde) + ": " +
                    (desde > 0 ? "…\"" : "\"") + legible(trozo) + "\"";
    if (desde + trozo.size() < valor.size())
        s += "…";
    return s;
}

// Entero, para los valores sueltos; los largos se cortan para no inundar la salida.
inline constexpr qsizetype MaximoSuelto = 2000;

template <typename Secuencia, typename Legible>
void ImprimeSuelto(const Secuencia& valor, const char* unidad, std::ostream* os, Legible legible) {
    *os << valor.size() << ' ' << unidad << ": \"" << legible(valor.left(MaximoSuelto)) << '"';
    if (valor.size() > MaximoSuelto)
        *os << "…";
}

} // namespace quiniela::prueba

inline void PrintTo(const QString& texto, std::ostream* os) {
    quiniela::prueba::ImprimeSuelto(texto, "caracteres", os, quiniela::prueba::TextoLegible);
}

inline void PrintTo(const QByteArray& bytes, std::ostream* os) {
    quiniela::prueba::ImprimeSuelto(bytes, "bytes", os, quiniela::prueba::BytesLegibles);
}

// EXPECT_EQ entre dos QString o dos QByteArray escribe cada lado con esto.
inline std::string FormatForComparisonFailureMessage(const QString& valor, const QString& otro) {
    return quiniela::prueba::DescribeFrente(valor, otro, "caracteres",
                                            quiniela::prueba::TextoLegible);
}

inline std::string FormatForComparisonFailureMessage(const QByteArray& valor,
                                                     const QByteArray& otro) {
    return quiniela::prueba::DescribeFrente(valor, otro, "bytes", quiniela::prueba::BytesLegibles);
}
