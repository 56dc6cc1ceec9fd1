#include "reduction/valor_apuesta.h"

#include "reduction/desarrollo.h"

#include <QFile>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <system_error>
#include <thread>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quiniela {

namespace {

constexpr uint32_t Tres7 = 2187;
constexpr uint32_t Tres14 = Tres7 * Tres7;
constexpr uint32_t Tres15 = Tres14 * 3;
constexpr int Grado7 = 8;                  // coeficientes de un polinomio de 7 partidos
constexpr uint8_t Lejos = NumPartidos - 1; // más diferencias de las que caben en 14 partidos
constexpr uint32_t Mala = 1u << 27;        // un signo que no es 1, X ni 2
constexpr int LongitudLinea = 19;          // comilla, 15 signos, comilla, CR LF
constexpr qint64 TamanoBloque = LongitudLinea * 16384;
__extension__ typedef __int128 Entero128; // productos de tres cuotas en millonésimas

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

bool Cancelado(const std::atomic<bool>* cancelar) {
    return cancelar != nullptr && cancelar->load(std::memory_order_relaxed);
}

// Probabilidad y polinomio de aciertos (coeficiente k: k aciertos) de los 3^7 trozos de
// siete partidos que empiezan en `primero`.
struct Trozos {
    std::vector<double> Prob;
    std::vector<std::array<double, Grado7>> Poli;
};

Trozos TrozosDe(const ProbabilidadesJornada& p, int primero) {
    Trozos t;
    t.Prob.resize(Tres7);
    t.Poli.resize(Tres7);
    for (uint32_t i = 0; i < Tres7; ++i) {
        std::array<double, Grado7> poli{1.0};
        double prob = 1.0;
        uint32_t resto = i;
        for (int m = 0; m < 7; ++m, resto /= 3) {
            const double q = p[primero + m][resto % 3];
            prob *= q;
            for (int k = m + 1; k >= 1; --k)
                poli[k] = poli[k] * (1.0 - q) + poli[k - 1] * q;
            poli[0] *= 1.0 - q;
        }
        t.Prob[i] = prob;
        t.Poli[i] = poli;
    }
    return t;
}

// Reparte [0, n) en dos mitades y hace la segunda en otro hilo si hay más de un núcleo. El
// reparto no depende de los núcleos: las sumas salen iguales en cualquier máquina.
template <class F> void EnDosMitades(uint32_t n, const F& trabajo) {
    const uint32_t mitad = n / 2;
    if (std::thread::hardware_concurrency() > 1) {
        try {
            std::thread otro([&trabajo, mitad, n] { trabajo(1, mitad, n); });
            trabajo(0, 0, mitad);
            otro.join();
            return;
        } catch (const std::system_error&) {
            // Sin hilo nuevo: las dos mitades aquí.
        }
    }
    trabajo(0, 0, mitad);
    trabajo(1, mitad, n);
}

// Los tríos de un paso: cada signo del partido toma el mínimo de los otros dos más uno.
inline void MinimosTrio(uint8_t* a, uint8_t* b, uint8_t* c, uint32_t i, uint32_t fin) {
#if defined(__SSE2__)
    const __m128i uno = _mm_set1_epi8(1);
    for (; i + 16 <= fin; i += 16) {
        auto* pa = reinterpret_cast<__m128i*>(a + i);
        auto* pb = reinterpret_cast<__m128i*>(b + i);
        auto* pc = reinterpret_cast<__m128i*>(c + i);
        const __m128i x = _mm_loadu_si128(pa);
        const __m128i y = _mm_loadu_si128(pb);
        const __m128i z = _mm_loadu_si128(pc);
        _mm_storeu_si128(pa, _mm_min_epu8(x, _mm_add_epi8(_mm_min_epu8(y, z), uno)));
        _mm_storeu_si128(pb, _mm_min_epu8(y, _mm_add_epi8(_mm_min_epu8(x, z), uno)));
        _mm_storeu_si128(pc, _mm_min_epu8(z, _mm_add_epi8(_mm_min_epu8(x, y), uno)));
    }
#endif
    for (; i < fin; ++i) {
        const uint8_t x = a[i];
        const uint8_t y = b[i];
        const uint8_t z = c[i];
        a[i] = std::min<uint8_t>(x, uint8_t(std::min(y, z) + 1));
        b[i] = std::min<uint8_t>(y, uint8_t(std::min(x, z) + 1));
        c[i] = std::min<uint8_t>(z, uint8_t(std::min(x, y) + 1));
    }
}

// Un paso (un partido, de separación `paso`) sobre los tríos [desde, hasta) de los Tres14 / 3.
void PasoDistancias(uint8_t* d, uint32_t paso, uint32_t desde, uint32_t hasta) {
    uint32_t bloque = desde / paso;
    uint32_t i = desde % paso;
    for (uint32_t t = desde; t < hasta; ++bloque, i = 0) {
        const uint32_t fin = std::min(paso, i + (hasta - t));
        uint8_t* a = d + bloque * 3 * paso;
        MinimosTrio(a, a + paso, a + 2 * paso, i, fin);
        t += fin - i;
    }
}

// Distancia de cada resultado de los 14 primeros partidos a la columna más cercana:
// un paso por partido, cada signo toma el mínimo de los otros dos más uno.
bool Distancias(const uint8_t* cuentas, uint8_t* d, const std::atomic<bool>* cancelar) {
    EnDosMitades(Tres14, [cuentas, d](int, uint32_t desde, uint32_t hasta) {
        for (uint32_t i = desde; i < hasta; ++i)
            d[i] = (cuentas[i] | cuentas[i + Tres14] | cuentas[i + 2 * Tres14]) != 0 ? 0 : Lejos;
    });
    for (uint32_t paso = 1; paso < Tres14; paso *= 3) {
        if (Cancelado(cancelar))
            return false;
        EnDosMitades(Tres14 / 3, [d, paso](int, uint32_t desde, uint32_t hasta) {
            PasoDistancias(d, paso, desde, hasta);
        });
    }
    return true;
}

// Sumas del recorrido: probabilidad por distancia y lo que aportan las columnas.
struct Sumas {
    std::array<double, NumPartidos> PorDistancia{}; // P(distancia de 14 partidos = d)
    double Pleno = 0;                               // P(el resultado es una columna)
    double SoloCatorce = 0; // P(14 primeros en una columna, pero no el resultado entero)
    double Columnas15 = 0;  // columnas medias con 15
    std::array<double, NumPartidos> Poli{}; // columnas medias con k aciertos en 14 partidos
};

void SumaSumas(const Sumas& de, Sumas& a) {
    for (int k = 0; k < NumPartidos; ++k) {
        a.PorDistancia[k] += de.PorDistancia[k];
        a.Poli[k] += de.Poli[k];
    }
    a.Pleno += de.Pleno;
    a.SoloCatorce += de.SoloCatorce;
    a.Columnas15 += de.Columnas15;
}

// Polinomio de 14 partidos de un trozo alto por la suma de los bajos.
void SumaProducto(const std::array<double, Grado7>& alto, const std::array<double, Grado7>& bajo,
                  std::array<double, NumPartidos>& poli) {
    for (int i = 0; i < Grado7; ++i)
        for (int j = 0; j < Grado7; ++j)
            poli[i + j] += alto[i] * bajo[j];
}

// Lo que suman los resultados de un trozo alto. Dos a la vez, alternando, para que cada suma
// no espere a la anterior (en un fichero grande casi todas van a la misma distancia).
struct Acumulado {
    std::array<double, NumPartidos + 1> PorDistancia{};
    double Pleno = 0;
    double SoloCatorce = 0;
    double Columnas15 = 0;
    std::array<double, Grado7> Poli{};
};

// Probabilidad del partido 15 dentro y fuera de las columnas, por los signos que tienen.
struct Partido15 {
    std::array<double, NumSignosMax> P{};
    std::array<double, 8> Dentro{}; // por máscara de signos presentes
    std::array<double, 8> Fuera{};
    explicit Partido15(const std::array<double, NumSignosMax>& p) : P(p) {
        for (int m = 0; m < 8; ++m)
            for (int k = 0; k < NumSignosMax; ++k)
                ((m >> k) & 1 ? Dentro : Fuera)[m] += p[k];
    }
};

inline void SumaResultado(Acumulado& acc, uint32_t i, const uint8_t* dd, const uint8_t* c0,
                          const uint8_t* c1, const uint8_t* c2, const Trozos& bajos,
                          const Partido15& p15) {
    const double a = bajos.Prob[i];
    acc.PorDistancia[dd[i]] += a;
    const unsigned n0 = c0[i];
    const unsigned n1 = c1[i];
    const unsigned n2 = c2[i];
    if ((n0 | n1 | n2) == 0)
        return;
    const double n = double(n0 + n1 + n2);
    for (int k = 0; k < Grado7; ++k)
        acc.Poli[k] += n * bajos.Poli[i][k];
    acc.Columnas15 += a * (n0 * p15.P[0] + n1 * p15.P[1] + n2 * p15.P[2]);
    const unsigned mascara = unsigned(n0 != 0) | unsigned(n1 != 0) << 1 | unsigned(n2 != 0) << 2;
    acc.Pleno += a * p15.Dentro[mascara];
    acc.SoloCatorce += a * p15.Fuera[mascara];
}

void SumaTrozoAlto(uint32_t alto, const uint8_t* cuentas, const uint8_t* d, const Trozos& bajos,
                   const Trozos& altos, const Partido15& p15, Sumas& s) {
    std::array<Acumulado, 2> acc{};
    const uint32_t base = alto * Tres7;
    const uint8_t* dd = d + base;
    const uint8_t* c0 = cuentas + base;
    const uint8_t* c1 = c0 + Tres14;
    const uint8_t* c2 = c1 + Tres14;
    uint32_t i = 0;
    for (; i + 1 < Tres7; i += 2) {
        SumaResultado(acc[0], i, dd, c0, c1, c2, bajos, p15);
        SumaResultado(acc[1], i + 1, dd, c0, c1, c2, bajos, p15);
    }
    for (; i < Tres7; ++i)
        SumaResultado(acc[0], i, dd, c0, c1, c2, bajos, p15);
    const double b = altos.Prob[alto];
    for (int k = 0; k < NumPartidos; ++k)
        s.PorDistancia[k] += b * (acc[0].PorDistancia[k] + acc[1].PorDistancia[k]);
    s.Pleno += b * (acc[0].Pleno + acc[1].Pleno);
    s.SoloCatorce += b * (acc[0].SoloCatorce + acc[1].SoloCatorce);
    s.Columnas15 += b * (acc[0].Columnas15 + acc[1].Columnas15);
    std::array<double, Grado7> poli{};
    for (int k = 0; k < Grado7; ++k)
        poli[k] = acc[0].Poli[k] + acc[1].Poli[k];
    SumaProducto(altos.Poli[alto], poli, s.Poli);
}

// Las repeticiones de una columna que no cupieron en su byte.
void SumaExceso(const ColumnasValor& columnas, const Trozos& bajos, const Trozos& altos,
                const std::array<double, NumSignosMax>& p15, Sumas& s) {
    for (const auto& [indice, veces] : columnas.Exceso()) {
        const uint32_t c14 = indice % Tres14;
        const uint32_t bajo = c14 % Tres7;
        const uint32_t alto = c14 / Tres7;
        std::array<double, Grado7> poli = bajos.Poli[bajo];
        for (double& x : poli)
            x *= double(veces);
        SumaProducto(altos.Poli[alto], poli, s.Poli);
        s.Columnas15 += double(veces) * bajos.Prob[bajo] * altos.Prob[alto] * p15[indice / Tres14];
    }
}

ValorApuesta ValorDeSumas(const Sumas& s, int64_t columnas) {
    ValorApuesta v;
    v.Columnas = columnas;
    v.ProbMejor[NumPartidos] = s.Pleno;
    v.ProbMejor[NumPartidos - 1] = s.SoloCatorce;
    for (int h = 0; h <= NumPartidos - 2; ++h)
        v.ProbMejor[h] = s.PorDistancia[NumPartidos - 1 - h];
    double acumulada = 0;
    for (int i = 0; i < CategoriasValor; ++i) {
        const int h = NumPartidos - i;
        v.Probabilidad[i] = v.ProbMejor[h];
        acumulada += v.ProbMejor[h];
        v.ProbAlMenos[i] = acumulada;
        // El escrutinio cuenta la de 15 también en 14: esa es la de 14 partidos acertados.
        v.ColumnasMedias[i] = i == 0 ? s.Columnas15 : s.Poli[h];
    }
    return v;
}

} // namespace

bool HayEstimaciones(const EstimacionesJornada& e) {
    return std::any_of(e.begin() + 1, e.end(), [](const auto& p) { return p.Estimado; });
}

ProbabilidadesJornada ProbabilidadesDe(const EstimacionesJornada& e) {
    ProbabilidadesJornada p{};
    for (int m = 1; m <= NumPartidos; ++m)
        for (int s = 0; s < NumSignosMax; ++s)
            p[m][s] = e[m].Estimado ? e[m].Porcentaje[s] / 100.0 : 1.0 / 3.0;
    return p;
}

std::optional<std::array<int, NumSignosMax>>
PorcentajesDeCuotas(const std::array<double, NumSignosMax>& cuotas) {
    // En millonésimas y con enteros de 128 bits: los restos se comparan exactos, y un
    // empate lo es de verdad.
    constexpr double MaxCuota = 1e6;
    std::array<Entero128, NumSignosMax> u{};
    for (int s = 0; s < NumSignosMax; ++s) {
        if (!std::isfinite(cuotas[s]) || cuotas[s] <= 1.0 || cuotas[s] > MaxCuota)
            return std::nullopt;
        u[s] = std::llround(cuotas[s] * 1e6);
    }
    // 1/c_s normalizado es el producto de las otras dos entre la suma de esos productos.
    const std::array<Entero128, NumSignosMax> num{u[1] * u[2], u[0] * u[2], u[0] * u[1]};
    const Entero128 den = num[0] + num[1] + num[2];
    std::array<int, NumSignosMax> pct{};
    std::array<Entero128, NumSignosMax> resto{};
    int suma = 0;
    for (int s = 0; s < NumSignosMax; ++s) {
        pct[s] = int(100 * num[s] / den);
        resto[s] = 100 * num[s] % den;
        suma += pct[s];
    }
    std::array<int, NumSignosMax> orden{0, 1, 2};
    std::stable_sort(orden.begin(), orden.end(), [&](int a, int b) { return resto[a] > resto[b]; });
    for (int i = 0; i < 100 - suma; ++i)
        ++pct[orden[i]];
    return pct;
}

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

void ColumnasValor::Suma(const ColumnasValor& otras) {
    uint8_t* a = cuentas_.get();
    const uint8_t* b = otras.cuentas_.get();
    const auto suma = [&](uint32_t desde, uint32_t hasta) {
        for (uint32_t i = desde; i < hasta; ++i) {
            const unsigned total = unsigned(a[i]) + b[i];
            a[i] = uint8_t(std::min(total, 255u));
            if (total > 255u)
                exceso_.emplace_back(i, int64_t(total - 255u));
        }
    };
    uint32_t i = 0;
#if defined(__SSE2__)
    // De 16 en 16; solo donde alguna suma pasa de 255 se va de una en una.
    for (; i + 16 <= Tres15; i += 16) {
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(a + i));
        const __m128i y = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + i));
        const __m128i saturada = _mm_adds_epu8(x, y);
        if (_mm_movemask_epi8(_mm_cmpeq_epi8(saturada, _mm_add_epi8(x, y))) == 0xFFFF)
            _mm_storeu_si128(reinterpret_cast<__m128i*>(a + i), saturada);
        else
            suma(i, i + 16);
    }
#endif
    suma(i, Tres15);
    for (const auto& [indice, veces] : otras.exceso_)
        exceso_.emplace_back(indice, veces);
    columnas_ += otras.columnas_;
    lineas_ += otras.lineas_;
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

std::optional<ValorApuesta> CalculaValor(const ColumnasValor& columnas,
                                         const ProbabilidadesJornada& p,
                                         const std::atomic<bool>* cancelar) {
    const std::unique_ptr<uint8_t[]> d(new uint8_t[Tres14]);
    if (!Distancias(columnas.Cuentas(), d.get(), cancelar))
        return std::nullopt;
    const Trozos bajos = TrozosDe(p, 1);
    const Trozos altos = TrozosDe(p, 8);
    const Partido15 p15(p[NumPartidos]);
    std::array<Sumas, 2> mitades{};
    std::array<bool, 2> canceladas{};
    EnDosMitades(Tres7, [&](int mitad, uint32_t desde, uint32_t hasta) {
        for (uint32_t alto = desde; alto < hasta; ++alto) {
            if ((alto & 63) == 0 && Cancelado(cancelar)) {
                canceladas[size_t(mitad)] = true;
                return;
            }
            SumaTrozoAlto(alto, columnas.Cuentas(), d.get(), bajos, altos, p15,
                          mitades[size_t(mitad)]);
        }
    });
    if (canceladas[0] || canceladas[1])
        return std::nullopt;
    Sumas s = mitades[0];
    SumaSumas(mitades[1], s);
    SumaExceso(columnas, bajos, altos, p[NumPartidos], s);
    return ValorDeSumas(s, columnas.Columnas());
}

namespace {

ResultadoValor Termina(const ColumnasValor& columnas, const ProbabilidadesJornada& p,
                       const std::atomic<bool>* cancelar) {
    ResultadoValor r;
    const auto valor = CalculaValor(columnas, p, cancelar);
    if (!valor)
        r.Fin = FinValor::Cancelado;
    else
        r.Valor = *valor;
    return r;
}

ResultadoValor LineaMala(const ColumnasValor& columnas) {
    ResultadoValor r;
    r.Fin = FinValor::LineaMala;
    r.LineaMala = columnas.LineaMala();
    return r;
}

} // namespace

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
            return LineaMala(columnas);
        pos += usados;
    }
    return ResultadoValor{};
}

// Comienzo de la primera línea que empieza en `pos` o después (el fin si no hay ninguna).
qint64 InicioDeLinea(QFile& fichero, qint64 pos, qint64 tamano) {
    for (; pos < tamano; pos += Ventana) {
        const qint64 largo = std::min(Ventana, tamano - pos);
        uchar* memoria = fichero.map(pos, largo);
        if (memoria == nullptr)
            return tamano;
        const void* salto = std::memchr(memoria, '\n', size_t(largo));
        const qint64 encontrado =
            salto ? pos + (static_cast<const uchar*>(salto) - memoria) + 1 : -1;
        fichero.unmap(memoria);
        if (encontrado >= 0)
            return encontrado;
    }
    return tamano;
}

// Un fichero grande se lee en dos mitades a la vez, cada una con su recuento, que se juntan
// al final; la segunda mitad, con su propio QFile en otro hilo.
std::optional<ResultadoValor> LeeProyectado(QFile& fichero, ColumnasValor& columnas,
                                            const std::atomic<bool>* cancelar,
                                            qint64 minimoDosMitades) {
    const qint64 inicio = fichero.pos();
    const qint64 tamano = fichero.size();
    if (tamano - inicio < minimoDosMitades)
        return LeeTramo(fichero, inicio, tamano, columnas, cancelar);
    const qint64 corte = InicioDeLinea(fichero, inicio + (tamano - inicio) / 2, tamano);
    ColumnasValor segunda;
    std::optional<ResultadoValor> deSegunda;
    QFile otro(fichero.fileName());
    std::thread hilo;
    if (otro.open(QIODevice::ReadOnly)) {
        try {
            hilo =
                std::thread([&] { deSegunda = LeeTramo(otro, corte, tamano, segunda, cancelar); });
        } catch (const std::system_error&) {
            // Sin hilo nuevo: la segunda mitad después de la primera.
        }
    }
    const auto dePrimera = LeeTramo(fichero, inicio, corte, columnas, cancelar);
    if (hilo.joinable())
        hilo.join();
    else if (dePrimera && dePrimera->Fin == FinValor::Hecho)
        deSegunda = LeeTramo(fichero, corte, tamano, segunda, cancelar);
    if (!dePrimera || dePrimera->Fin != FinValor::Hecho)
        return dePrimera;
    if (!deSegunda)
        return ResultadoValor{FinValor::ErrorLectura, {}, 0};
    if (deSegunda->Fin == FinValor::LineaMala)
        deSegunda->LineaMala += columnas.Lineas();
    if (deSegunda->Fin != FinValor::Hecho)
        return deSegunda;
    columnas.Suma(segunda);
    return ResultadoValor{};
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
            return LineaMala(columnas);
        std::memmove(bloque.data(), bloque.data() + usados, size_t(lleno - usados));
        lleno -= usados;
    }
    return ResultadoValor{};
}

} // namespace

ResultadoValor ValorDeFichero(QIODevice& fichero, const ProbabilidadesJornada& p,
                              const std::atomic<bool>* cancelar, qint64 minimoDosMitades) {
    ColumnasValor columnas;
    std::optional<ResultadoValor> lectura;
    auto* real = qobject_cast<QFile*>(&fichero);
    if (real != nullptr && !real->isSequential())
        lectura = LeeProyectado(*real, columnas, cancelar, minimoDosMitades);
    if (!lectura)
        lectura = LeeBloques(fichero, columnas, cancelar);
    if (lectura->Fin != FinValor::Hecho)
        return *lectura;
    return Termina(columnas, p, cancelar);
}

ResultadoValor ValorDeDesarrollo(const Reduccion& red, const TablaDirecta& tabla,
                                 const ProbabilidadesJornada& p,
                                 const std::atomic<bool>* cancelar) {
    ColumnasValor columnas;
    bool bien = true;
    const SumideroLineas sumidero = [&](const char* datos, qsizetype bytes) {
        bien = bien && columnas.AnadeLineas(datos, bytes);
        return bien;
    };
    constexpr int32_t CadaPasos = 65536;
    const AvisoProgreso aviso = [cancelar](int32_t paso, int32_t) {
        return RespuestaAviso{Cancelado(cancelar), paso + CadaPasos};
    };
    const ResultadoDesarrollo d = DesarrollaReduccion(red, tabla, aviso, sumidero);
    if (d.Fin == FinDesarrollo::Cancelado)
        return {FinValor::Cancelado, {}, 0};
    if (!bien)
        return LineaMala(columnas);
    return Termina(columnas, p, cancelar);
}

ImportesValor CalculaImportes(const ValorApuesta& v, const PremiosValor& premios,
                              double precioApuesta) {
    ImportesValor r;
    r.Coste = std::round(precioApuesta * 100.0) * double(v.Columnas) / 100.0;
    double suma = 0;
    bool todos = true;
    for (int i = 0; i < CategoriasValor; ++i) {
        if (!premios[i]) {
            todos = false;
            continue;
        }
        r.PremioCategoria[i] = v.ColumnasMedias[i] * *premios[i];
        suma += *r.PremioCategoria[i];
    }
    if (todos) {
        r.PremioEsperado = suma;
        if (r.Coste > 0)
            r.Rendimiento = suma / r.Coste;
    }
    return r;
}

} // namespace quiniela
