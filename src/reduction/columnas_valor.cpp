// Lectura de columnas para el valor de una reducción: cada línea del fichero o del desarrollo
// a su índice entre los 3^15 resultados, contadas en un byte por resultado.
#include "reduction/valor_apuesta.h"

#include "reduction/valor_apuesta_comun.h"

#include <QFile>

#include <algorithm>
#include <cstring>
#include <limits>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quiniela {

namespace {

constexpr uint32_t Mala = 1u << 27; // un signo que no es 1, X ni 2
constexpr int LongitudLinea = 19;   // comilla, 15 signos, comilla, CR LF
constexpr qint64 TamanoBloque = LongitudLinea * 16384;

// Peso de cada carácter en cada partido: (signo - 1) × 3^(m - 1), o Mala.
const std::array<std::array<uint32_t, 256>, NumPartidos>& Pesos() {
    static const auto tabla = [] {
        std::array<std::array<uint32_t, 256>, NumPartidos> t{};
        uint32_t potencia = 1;
        for (int m = 0; m < NumPartidos; ++m, potencia *= 3) {
            t[m].fill(Mala);
            t[m][uint8_t('1')] = 0;
            t[m][uint8_t('X')] = potencia;
            t[m][uint8_t('2')] = 2 * potencia;
        }
        return t;
    }();
    return tabla;
}

inline uint32_t IndiceDe(const char* signos) {
    const auto& w = Pesos();
    const auto* s = reinterpret_cast<const uint8_t*>(signos);
    // Sumas independientes: ninguna espera a la anterior.
    const uint32_t a = w[0][s[0]] + w[1][s[1]] + w[2][s[2]] + w[3][s[3]];
    const uint32_t b = w[4][s[4]] + w[5][s[5]] + w[6][s[6]] + w[7][s[7]];
    const uint32_t c = w[8][s[8]] + w[9][s[9]] + w[10][s[10]] + w[11][s[11]];
    const uint32_t d = w[12][s[12]] + w[13][s[13]] + w[14][s[14]];
    return (a + b) + (c + d);
}

#if defined(__SSE2__)
// Índice de una línea normal ("15 signos" entre comillas, 19 bytes) en registros: cifra de
// cada signo comparando bytes y las potencias de 3 por pares de 16 bits (3^7 cabe; los
// partidos 9 a 15 se suman aparte y se multiplican por 3^8). Mala si algún signo no vale.
inline uint32_t IndiceDeLinea(const char* linea) {
    const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(linea + 1));
    const __m128i uno = _mm_cmpeq_epi8(c, _mm_set1_epi8('1'));
    const __m128i equis = _mm_cmpeq_epi8(c, _mm_set1_epi8('X'));
    const __m128i dos = _mm_cmpeq_epi8(c, _mm_set1_epi8('2'));
    const int validos = _mm_movemask_epi8(_mm_or_si128(_mm_or_si128(uno, equis), dos));
    if ((validos & 0x7FFF) != 0x7FFF)
        return Mala;
    // Las comparaciones dan -1: la cifra es -(equis + 2 × dos).
    const __m128i cifra =
        _mm_sub_epi8(_mm_setzero_si128(), _mm_add_epi8(equis, _mm_add_epi8(dos, dos)));
    const __m128i cero = _mm_setzero_si128();
    const __m128i bajo = _mm_madd_epi16(_mm_unpacklo_epi8(cifra, cero),
                                        _mm_setr_epi16(1, 3, 9, 27, 81, 243, 729, 2187));
    const __m128i alto = _mm_madd_epi16(_mm_unpackhi_epi8(cifra, cero),
                                        _mm_setr_epi16(1, 3, 9, 27, 81, 243, 729, 0));
    const __m128i pares =
        _mm_add_epi32(_mm_unpacklo_epi32(bajo, alto), _mm_unpackhi_epi32(bajo, alto));
    const __m128i sumas = _mm_add_epi32(pares, _mm_shuffle_epi32(pares, 0x4E));
    const auto sumaBajo = uint32_t(_mm_cvtsi128_si32(sumas));
    const auto sumaAlto = uint32_t(_mm_cvtsi128_si32(_mm_shuffle_epi32(sumas, 1)));
    return sumaBajo + sumaAlto * 6561u;
}
#else
inline uint32_t IndiceDeLinea(const char* linea) {
    return IndiceDe(linea + 1);
}
#endif

} // namespace

ColumnasValor::ColumnasValor() : cuentas_(new uint8_t[Tres15]()) {}
ColumnasValor::~ColumnasValor() = default;

void ColumnasValor::AnadeIndice(uint32_t indice) {
    ++columnas_;
    uint8_t& c = cuentas_[indice];
    if (c < std::numeric_limits<uint8_t>::max())
        ++c;
    else
        AnadeExceso(indice);
}

void ColumnasValor::AnadeExceso(uint32_t indice) {
    auto it = std::find_if(exceso_.begin(), exceso_.end(),
                           [indice](const auto& e) { return e.first == indice; });
    if (it == exceso_.end())
        exceso_.emplace_back(indice, 1);
    else
        ++it->second;
}

int64_t ColumnasValor::Veces(uint32_t indice) const {
    int64_t veces = cuentas_[indice];
    for (const auto& [i, extra] : exceso_)
        if (i == indice)
            veces += extra;
    return veces;
}

bool ColumnasValor::AnadeLineaGeneral(const char* p, qsizetype n) {
    while (n > 0 && (p[n - 1] == '\r' || p[n - 1] == '\n'))
        --n;
    qsizetype i = 0;
    while (i < n && (p[i] == ' ' || p[i] == '\t'))
        ++i;
    if (i == n)
        return true; // línea vacía
    char signos[NumPartidos];
    std::memset(signos, ' ', sizeof signos);
    const bool comillas = p[i] == '"';
    i += comillas;
    for (int j = 0; i < n && j < NumPartidos; ++i, ++j) {
        if (comillas ? p[i] == '"' : p[i] == ',')
            break;
        signos[j] = p[i];
    }
    const uint32_t indice = IndiceDe(signos);
    if (indice >= Mala)
        return false;
    AnadeIndice(indice);
    return true;
}

bool ColumnasValor::AnadeLineas(const char* datos, qsizetype bytes) {
    const auto& primero = Pesos()[0];
    // Las columnas llegan casi siempre en el orden del desarrollo, donde el partido 1 cambia
    // en cada línea: si los partidos 2 a 15 son los de la anterior, basta con el primero.
    uint64_t cola1 = ~uint64_t(0);
    uint64_t cola2 = ~uint64_t(0);
    uint32_t indiceCola = 0;
    // Contadores en registros: el byte que se cuenta podría ser, para el compilador, uno de ellos.
    int64_t columnas = 0;
    int64_t lineas = lineas_;
    const auto guarda = [&] {
        columnas_ += columnas;
        lineas_ = lineas;
    };
    qsizetype i = 0;
    while (i < bytes) {
        const char* p = datos + i;
        ++lineas;
        if (bytes - i >= LongitudLinea && p[0] == '"' && p[16] == '"' && p[17] == '\r' &&
            p[18] == '\n') {
            uint64_t t1;
            uint64_t t2;
            std::memcpy(&t1, p + 2, 8);
            std::memcpy(&t2, p + 9, 8);
            uint32_t indice;
            if (t1 == cola1 && t2 == cola2) {
                indice = indiceCola + primero[uint8_t(p[1])];
            } else {
                indice = IndiceDeLinea(p);
                if (indice < Mala) {
                    indiceCola = indice - primero[uint8_t(p[1])];
                    cola1 = t1;
                    cola2 = t2;
                }
            }
            if (indice >= Mala) {
                guarda();
                lineaMala_ = lineas_;
                return false;
            }
            // Como AnadeIndice, sin llamada: es el bucle de cada columna.
            ++columnas;
            uint8_t& c = cuentas_[indice];
            if (c < std::numeric_limits<uint8_t>::max())
                ++c;
            else
                AnadeExceso(indice);
            i += LongitudLinea;
            continue;
        }
        guarda();
        columnas = 0;
        const void* salto = std::memchr(p, '\n', size_t(bytes - i));
        const qsizetype fin = salto ? static_cast<const char*>(salto) - datos + 1 : bytes;
        if (!AnadeLineaGeneral(p, fin - i)) {
            lineaMala_ = lineas_;
            return false;
        }
        i = fin;
    }
    guarda();
    return true;
}

namespace {

// Un fichero de verdad se lee proyectado en memoria por ventanas: sin la copia de cada byte
// que hace read() y sin tener nunca más de una ventana residente. false si no se puede
// proyectar (entonces se lee con read()).
constexpr qint64 Ventana = qint64(4) << 20;

// El tramo [desde, hasta) del fichero, que empieza y acaba en final de línea (o del fichero).
// nullopt si la primera ventana no se puede proyectar.
std::optional<ResultadoValor> LeeTramo(QFile& fichero, qint64 desde, qint64 hasta,
                                       ColumnasValor& columnas, const std::atomic<bool>* cancelar) {
    for (qint64 pos = desde; pos < hasta;) {
        if (Cancelado(cancelar))
            return ResultadoValor{FinValor::Cancelado, {}, 0};
        const qint64 largo = std::min(Ventana, hasta - pos);
        uchar* memoria = fichero.map(pos, largo);
        if (memoria == nullptr)
            return pos == desde ? std::nullopt
                                : std::optional(ResultadoValor{FinValor::ErrorLectura, {}, 0});
        const auto* datos = reinterpret_cast<const char*>(memoria);
        // Solo líneas enteras; la última sigue en la ventana siguiente.
        qint64 usados = largo;
        if (pos + largo < hasta) {
            while (usados > 0 && datos[usados - 1] != '\n')
                --usados;
            if (usados == 0)
                usados = largo; // una línea más larga que la ventana: se lee cortada
        }
        const bool bien = columnas.AnadeLineas(datos, usados);
        fichero.unmap(memoria);
        if (!bien)
            return ResultadoLineaMala(columnas);
        pos += usados;
    }
    return ResultadoValor{};
}

std::optional<ResultadoValor> LeeProyectado(QFile& fichero, ColumnasValor& columnas,
                                            const std::atomic<bool>* cancelar) {
    return LeeTramo(fichero, fichero.pos(), fichero.size(), columnas, cancelar);
}

std::optional<ResultadoValor> LeeBloques(QIODevice& fichero, ColumnasValor& columnas,
                                         const std::atomic<bool>* cancelar) {
    std::vector<char> bloque(static_cast<size_t>(TamanoBloque));
    qsizetype lleno = 0;
    for (bool fin = false; !fin;) {
        if (Cancelado(cancelar))
            return ResultadoValor{FinValor::Cancelado, {}, 0};
        const qint64 leidos = fichero.read(bloque.data() + lleno, TamanoBloque - lleno);
        if (leidos < 0)
            return ResultadoValor{FinValor::ErrorLectura, {}, 0};
        fin = leidos == 0;
        lleno += leidos;
        // Solo líneas enteras; la que sigue en el bloque siguiente se queda (al final, todo).
        qsizetype usados = lleno;
        if (!fin) {
            while (usados > 0 && bloque[size_t(usados - 1)] != '\n')
                --usados;
            if (usados == 0 && lleno == TamanoBloque)
                usados = lleno; // una línea más larga que el bloque: se lee cortada
        }
        if (!columnas.AnadeLineas(bloque.data(), usados))
            return ResultadoLineaMala(columnas);
        std::memmove(bloque.data(), bloque.data() + usados, size_t(lleno - usados));
        lleno -= usados;
    }
    return ResultadoValor{};
}

} // namespace

ResultadoValor ValorDeFichero(QIODevice& fichero, const ProbabilidadesJornada& p,
                              const std::atomic<bool>* cancelar) {
    ColumnasValor columnas;
    std::optional<ResultadoValor> lectura;
    auto* real = qobject_cast<QFile*>(&fichero);
    if (real != nullptr && !real->isSequential())
        lectura = LeeProyectado(*real, columnas, cancelar);
    if (!lectura)
        lectura = LeeBloques(fichero, columnas, cancelar);
    if (lectura->Fin != FinValor::Hecho)
        return *lectura;
    return ValorDeColumnas(columnas, p, cancelar);
}

} // namespace quiniela
