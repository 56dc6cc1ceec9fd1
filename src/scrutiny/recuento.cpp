#include "scrutiny/recuento.h"

#include <cstring>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quiniela {

namespace {

constexpr int LongitudLinea = 19; // comilla, 15 signos, comilla, CR LF
constexpr int ColumnasDeUnBoleto = 8;
constexpr qint64 TamanoBloque = LongitudLinea * 16384;

// Bits a uno de un número de 7 bits.
constexpr std::array<uint8_t, 128> BitsDe7 = [] {
    std::array<uint8_t, 128> t{};
    for (int i = 0; i < 128; ++i)
        for (int b = i; b != 0; b >>= 1)
            t[i] = uint8_t(t[i] + (b & 1));
    return t;
}();

// Aciertos a partir de la máscara de partidos iguales (bit j-1 del partido j).
inline int AciertosDeMascara(unsigned iguales) {
    iguales &= 0x7FFF;
    if (iguales == 0x7FFF)
        return 15;
    return BitsDe7[iguales & 0x7F] + BitsDe7[(iguales >> 7) & 0x7F];
}

class Recuento {
public:
    Recuento(const QString& ganadora, const NumeraBoletos& boletoDe, ResultadoEscrutinio& r)
        : boletoDe_(boletoDe), R_(r) {
        for (int j = 0; j < NumPartidos; ++j)
            ganadora_[j] = char(ganadora.at(j).toLatin1());
    }

    // Los 15 signos de una columna, seguidos de al menos un byte más.
    inline void Columna(const char* signos) { Cuenta(AciertosDeMascara(Iguales(signos))); }
    void Termina() {
        CierraBoleto();
        R_.ColumnasLeidas += leidas_;
        for (const auto& parcial : categoria_)
            for (int h = 0; h <= NumPartidos; ++h)
                R_.AciertosCategoria[h] += parcial[h];
        for (const auto& parcial : categoria_)
            R_.AciertosCategoria[14] += parcial[15]; // la de 15 cuenta también en 14
    }

private:
    inline unsigned Iguales(const char* signos) const {
#if defined(__SSE2__)
        const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(signos));
        const __m128i g = _mm_loadu_si128(reinterpret_cast<const __m128i*>(ganadora_));
        return unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(c, g)));
#else
        unsigned m = 0;
        for (int j = 0; j < NumPartidos; ++j)
            m |= unsigned(signos[j] == ganadora_[j]) << j;
        return m;
#endif
    }

    // Columnas seguidas suelen tener los mismos aciertos: con una sola tabla cada suma espera a
    // la anterior. Cuatro tablas que se turnan rompen esa cadena, y el boleto solo cuenta lo
    // que puede premiarse (10 aciertos o más), que es raro.
    inline void Cuenta(int h) {
        ++leidas_;
        ++categoria_[size_t(leidas_ & 3)][h];
        if (restantes_ == 0)
            SiguienteBoleto();
        --restantes_;
        if (h > NumPartidos - NumCategorias)
            ++delBoleto_[h];
    }

    void SiguienteBoleto();
    void CierraBoleto();

    char ganadora_[16] = {};
    const NumeraBoletos& boletoDe_;
    ResultadoEscrutinio& R_;
    std::array<int32_t, NumPartidos + 1> delBoleto_{};
    std::array<std::array<int64_t, NumPartidos + 1>, 4> categoria_{}; // columnas por aciertos
    int64_t leidas_ = 0;
    int64_t boleto_ = 1;
    int restantes_ = 0;     // columnas que aún caben en el boleto actual
    int64_t conocidos_ = 0; // boletos completos que siguen al actual, ya comprobados
};

// Pide la numeración lo menos posible: si el boleto de la columna n + 8K - 1 es t + K - 1,
// los K boletos desde t tienen 8 columnas cada uno (ninguno puede tener más).
void Recuento::SiguienteBoleto() {
    const int64_t n = leidas_;
    restantes_ = ColumnasDeUnBoleto;
    if (conocidos_ > 0) {
        CierraBoleto();
        ++boleto_;
        --conocidos_;
        return;
    }
    const int64_t t = boletoDe_(n);
    if (t != boleto_) {
        CierraBoleto();
        boleto_ = t;
    }
    for (int64_t k : {int64_t(4096), int64_t(64), int64_t(1)}) {
        if (boletoDe_(n + ColumnasDeUnBoleto * k - 1) == t + k - 1) {
            conocidos_ = k - 1;
            return;
        }
    }
    restantes_ = 1; // boleto incompleto: se mira columna a columna
}

void Recuento::CierraBoleto() {
    BoletoPremiado b;
    b.Boleto = boleto_;
    int suma = 0;
    for (int i = 0; i < NumCategorias; ++i)
        suma += b.Columnas[i] = delBoleto_[NumPartidos - i];
    if (suma > 0)
        R_.Boletos.push_back(b);
    delBoleto_.fill(0);
}

inline bool LineaNormal(const char* p) {
    return p[0] == '"' && p[16] == '"' && p[17] == '\r' && p[18] == '\n';
}

// Una línea cualquiera: su primer campo (entre comillas o hasta la coma), los 15 primeros
// caracteres y blancos si faltan. Las líneas vacías no son columnas.
void LineaGeneral(const char* p, qsizetype n, Recuento& recuento) {
    while (n > 0 && (p[n - 1] == '\r' || p[n - 1] == '\n'))
        --n;
    qsizetype i = 0;
    while (i < n && (p[i] == ' ' || p[i] == '\t'))
        ++i;
    if (i == n)
        return;
    char signos[16];
    std::memset(signos, ' ', sizeof signos);
    const bool comillas = p[i] == '"';
    i += comillas;
    for (int j = 0; i < n && j < NumPartidos; ++i, ++j) {
        if (comillas ? p[i] == '"' : p[i] == ',')
            break;
        signos[j] = p[i];
    }
    recuento.Columna(signos);
}

// Cuenta las líneas enteras del bloque; devuelve los bytes usados. Con puedeEsperar, una
// línea sin final se deja para cuando haya más datos.
qsizetype CuentaBloque(const char* p, qsizetype n, bool puedeEsperar, Recuento& recuento) {
    qsizetype i = 0;
    while (i < n) {
        if (n - i >= LongitudLinea && LineaNormal(p + i)) {
            recuento.Columna(p + i + 1);
            i += LongitudLinea;
            continue;
        }
        const void* salto = std::memchr(p + i, '\n', size_t(n - i));
        if (salto == nullptr && (puedeEsperar || i > 0))
            break; // la línea sigue en el bloque siguiente
        const qsizetype finLinea = salto ? static_cast<const char*>(salto) - p + 1 : n;
        LineaGeneral(p + i, finLinea - i, recuento);
        i = finLinea;
    }
    return i;
}

} // namespace

bool CuentaColumnas(QIODevice& fichero, const QString& ganadora, const NumeraBoletos& boletoDe,
                    ResultadoEscrutinio& resultado, const std::function<void()>& alBloque) {
    Recuento recuento(ganadora, boletoDe, resultado);
    // Margen al final: la comparación lee 16 bytes desde el primer signo.
    std::vector<char> bloque(TamanoBloque + 16);
    qsizetype lleno = 0;
    bool fin = false;
    while (!fin || lleno > 0) {
        if (!fin) {
            const qint64 leidos = fichero.read(bloque.data() + lleno, TamanoBloque - lleno);
            if (leidos < 0)
                return false;
            fin = leidos == 0;
            lleno += leidos;
        }
        const bool puedeEsperar = !fin && lleno < TamanoBloque;
        const qsizetype usados = CuentaBloque(bloque.data(), lleno, puedeEsperar, recuento);
        std::memmove(bloque.data(), bloque.data() + usados, size_t(lleno - usados));
        lleno -= usados;
        if (alBloque)
            alBloque();
    }
    recuento.Termina();
    return true;
}

} // namespace quiniela
