#include "reduction/valor_apuesta.h"

#include "reduction/desarrollo.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

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

// Distancia de cada resultado de los 14 primeros partidos a la columna más cercana:
// un paso por partido, cada signo toma el mínimo de los otros dos más uno.
bool Distancias(const uint8_t* cuentas, uint8_t* d, const std::atomic<bool>* cancelar) {
    for (uint32_t i = 0; i < Tres14; ++i)
        d[i] = (cuentas[i] | cuentas[i + Tres14] | cuentas[i + 2 * Tres14]) != 0 ? 0 : Lejos;
    for (uint32_t paso = 1; paso < Tres14; paso *= 3) {
        if (Cancelado(cancelar))
            return false;
        for (uint32_t inicio = 0; inicio < Tres14; inicio += 3 * paso) {
            uint8_t* a = d + inicio;
            uint8_t* b = a + paso;
            uint8_t* c = b + paso;
            for (uint32_t i = 0; i < paso; ++i) {
                const uint8_t x = a[i];
                const uint8_t y = b[i];
                const uint8_t z = c[i];
                a[i] = std::min<uint8_t>(x, uint8_t(std::min(y, z) + 1));
                b[i] = std::min<uint8_t>(y, uint8_t(std::min(x, z) + 1));
                c[i] = std::min<uint8_t>(z, uint8_t(std::min(x, y) + 1));
            }
        }
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

void SumaTrozoAlto(uint32_t alto, const uint8_t* cuentas, const uint8_t* d, const Trozos& bajos,
                   const Trozos& altos, const std::array<double, NumSignosMax>& p15, Sumas& s) {
    std::array<double, NumPartidos + 1> porDistancia{};
    double pleno = 0;
    double soloCatorce = 0;
    double columnas15 = 0;
    std::array<double, Grado7> poli{};
    const uint32_t base = alto * Tres7;
    const uint8_t* dd = d + base;
    const uint8_t* c0 = cuentas + base;
    const uint8_t* c1 = c0 + Tres14;
    const uint8_t* c2 = c1 + Tres14;
    for (uint32_t i = 0; i < Tres7; ++i) {
        const double a = bajos.Prob[i];
        porDistancia[dd[i]] += a;
        const unsigned n0 = c0[i];
        const unsigned n1 = c1[i];
        const unsigned n2 = c2[i];
        if ((n0 | n1 | n2) == 0)
            continue;
        const double n = double(n0 + n1 + n2);
        for (int k = 0; k < Grado7; ++k)
            poli[k] += n * bajos.Poli[i][k];
        columnas15 += a * (n0 * p15[0] + n1 * p15[1] + n2 * p15[2]);
        const double dentro = (n0 ? p15[0] : 0) + (n1 ? p15[1] : 0) + (n2 ? p15[2] : 0);
        const double fuera = (n0 ? 0 : p15[0]) + (n1 ? 0 : p15[1]) + (n2 ? 0 : p15[2]);
        pleno += a * dentro;
        soloCatorce += a * fuera;
    }
    const double b = altos.Prob[alto];
    for (int k = 0; k < NumPartidos; ++k)
        s.PorDistancia[k] += b * porDistancia[k];
    s.Pleno += b * pleno;
    s.SoloCatorce += b * soloCatorce;
    s.Columnas15 += b * columnas15;
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
    if (c < std::numeric_limits<uint8_t>::max()) {
        ++c;
        return;
    }
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
    qsizetype i = 0;
    while (i < bytes) {
        const char* p = datos + i;
        ++lineas_;
        if (bytes - i >= LongitudLinea && p[0] == '"' && p[16] == '"' && p[17] == '\r' &&
            p[18] == '\n') {
            const uint32_t indice = IndiceDe(p + 1);
            if (indice >= Mala) {
                lineaMala_ = lineas_;
                return false;
            }
            AnadeIndice(indice);
            i += LongitudLinea;
            continue;
        }
        const void* salto = std::memchr(p, '\n', size_t(bytes - i));
        const qsizetype fin = salto ? static_cast<const char*>(salto) - datos + 1 : bytes;
        if (!AnadeLineaGeneral(p, fin - i)) {
            lineaMala_ = lineas_;
            return false;
        }
        i = fin;
    }
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
    Sumas s;
    for (uint32_t alto = 0; alto < Tres7; ++alto) {
        if ((alto & 63) == 0 && Cancelado(cancelar))
            return std::nullopt;
        SumaTrozoAlto(alto, columnas.Cuentas(), d.get(), bajos, altos, p[NumPartidos], s);
    }
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

ResultadoValor ValorDeFichero(QIODevice& fichero, const ProbabilidadesJornada& p,
                              const std::atomic<bool>* cancelar) {
    ColumnasValor columnas;
    std::vector<char> bloque(static_cast<size_t>(TamanoBloque));
    qsizetype lleno = 0;
    for (bool fin = false; !fin;) {
        if (Cancelado(cancelar))
            return {FinValor::Cancelado, {}, 0};
        const qint64 leidos = fichero.read(bloque.data() + lleno, TamanoBloque - lleno);
        if (leidos < 0)
            return {FinValor::ErrorLectura, {}, 0};
        fin = leidos == 0;
        lleno += leidos;
        // Solo líneas enteras; la que sigue en el bloque siguiente se queda (al final, todo).
        qsizetype usados = lleno;
        if (!fin) {
            usados = lleno;
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
