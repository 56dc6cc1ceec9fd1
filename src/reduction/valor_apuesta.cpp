#include "reduction/valor_apuesta.h"

#include "reduction/desarrollo.h"
#include "reduction/valor_apuesta_comun.h"

#include <algorithm>
#include <cmath>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quiniela {

namespace {

constexpr int Grado7 = 8;                  // coeficientes de un polinomio de 7 partidos
constexpr uint8_t Lejos = NumPartidos - 1; // más diferencias de las que caben en 14 partidos
__extension__ typedef __int128 Entero128;  // productos de tres cuotas en millonésimas

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
    for (uint32_t i = 0; i < Tres14; ++i)
        d[i] = (cuentas[i] | cuentas[i + Tres14] | cuentas[i + 2 * Tres14]) != 0 ? 0 : Lejos;
    for (uint32_t paso = 1; paso < Tres14; paso *= 3) {
        if (Cancelado(cancelar))
            return false;
        PasoDistancias(d, paso, 0, Tres14 / 3);
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

std::optional<ValorApuesta> CalculaValor(const ColumnasValor& columnas,
                                         const ProbabilidadesJornada& p,
                                         const std::atomic<bool>* cancelar) {
    const std::unique_ptr<uint8_t[]> d(new uint8_t[Tres14]);
    if (!Distancias(columnas.Cuentas(), d.get(), cancelar))
        return std::nullopt;
    const Trozos bajos = TrozosDe(p, 1);
    const Trozos altos = TrozosDe(p, 8);
    const Partido15 p15(p[NumPartidos]);
    Sumas s;
    for (uint32_t alto = 0; alto < Tres7; ++alto) {
        if ((alto & 63) == 0 && Cancelado(cancelar))
            return std::nullopt;
        SumaTrozoAlto(alto, columnas.Cuentas(), d.get(), bajos, altos, p15, s);
    }
    SumaExceso(columnas, bajos, altos, p[NumPartidos], s);
    return ValorDeSumas(s, columnas.Columnas());
}

ResultadoValor ValorDeColumnas(const ColumnasValor& columnas, const ProbabilidadesJornada& p,
                               const std::atomic<bool>* cancelar) {
    ResultadoValor r;
    const auto valor = CalculaValor(columnas, p, cancelar);
    if (!valor)
        r.Fin = FinValor::Cancelado;
    else
        r.Valor = *valor;
    return r;
}

ResultadoValor ResultadoLineaMala(const ColumnasValor& columnas) {
    ResultadoValor r;
    r.Fin = FinValor::LineaMala;
    r.LineaMala = columnas.LineaMala();
    return r;
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
        return ResultadoLineaMala(columnas);
    return ValorDeColumnas(columnas, p, cancelar);
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
