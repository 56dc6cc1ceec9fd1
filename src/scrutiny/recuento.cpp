#include "scrutiny/recuento.h"

#include <array>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quiniela {

namespace {

constexpr int64_t ColumnasEntreAvisos = 16384;

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
    Recuento(const QString& ganadora, ResultadoEscrutinio& r) : R_(r) {
        // Con el bit 0x20 puesto, "x" y "X" son el mismo signo y "1" y "2" no cambian.
        for (int j = 0; j < NumPartidos; ++j)
            ganadora_[j] = char(ganadora.at(j).toLatin1() | 0x20);
    }

    // n registros de 19 bytes seguidos que son columnas. Las cuentas van en variables locales
    // durante el tramo: las de la clase, al escribir en las tablas, habría que releerlas en cada
    // columna. Columnas seguidas suelen tener los mismos aciertos: con una sola tabla cada suma
    // espera a la anterior. Cuatro tablas que se turnan rompen esa cadena, y el boleto solo
    // cuenta lo que puede premiarse (10 aciertos o más), que es raro.
    void Columnas(const char* registros, int64_t n) {
        int64_t leidas = leidas_;
        int64_t registro = registro_;
        for (const char* const fin = registros + n * BytesRegistroBoleto; registros != fin;
             registros += BytesRegistroBoleto) {
            const int h = AciertosDeMascara(Iguales(registros + 1));
            ++leidas;
            ++categoria_[size_t(leidas & 3)][h];
            if ((registro & (ColumnasPorBoleto - 1)) == 0) // 8 por boleto: sin división
                SiguienteBoleto(registro);
            ++registro;
            if (h > NumPartidos - NumCategorias)
                ++delBoleto_[h];
        }
        leidas_ = leidas;
        registro_ = registro;
    }
    // Un hueco del fichero de boletos: ocupa un registro del boleto y no es columna.
    void Hueco() { ++registro_; }
    int64_t Leidas() const { return leidas_; }
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
    // Los 15 signos de una columna, seguidos de al menos un byte más.
    inline unsigned Iguales(const char* signos) const {
#if defined(__SSE2__)
        const __m128i c = _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(signos)),
                                       _mm_set1_epi8(0x20));
        const __m128i g = _mm_loadu_si128(reinterpret_cast<const __m128i*>(ganadora_));
        return unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(c, g)));
#else
        unsigned m = 0;
        for (int j = 0; j < NumPartidos; ++j)
            m |= unsigned((signos[j] | 0x20) == ganadora_[j]) << j;
        return m;
#endif
    }

    // Una columna en el primer registro de un boleto lo abre (los huecos llenan el anterior
    // hasta el final). El boleto es el del registro que ocupa la columna en el fichero de
    // boletos, huecos incluidos: el mismo número que se imprime y se consulta.
    void SiguienteBoleto(int64_t registro) {
        CierraBoleto();
        boleto_ = registro / ColumnasPorBoleto + 1;
    }

    void CierraBoleto();

    char ganadora_[16] = {};
    ResultadoEscrutinio& R_;
    std::array<int32_t, NumPartidos + 1> delBoleto_{};
    std::array<std::array<int64_t, NumPartidos + 1>, 4> categoria_{}; // columnas por aciertos
    int64_t leidas_ = 0;
    int64_t registro_ = 0; // registros del fichero de boletos ya ocupados
    int64_t boleto_ = 1;
};

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

} // namespace

FinPasada CuentaColumnas(QIODevice& fichero, const QString& ganadora,
                         ResultadoEscrutinio& resultado, int64_t& linea,
                         const std::function<void()>& alBloque) {
    Recuento recuento(ganadora, resultado);
    RecuentoBoletos boletos;
    int64_t aviso = ColumnasEntreAvisos;
    const FinPasada fin = PasaColumnas(fichero, nullptr, boletos, linea,
                                       [&](const char* registros, int64_t n, bool columnas) {
                                           if (!columnas) {
                                               recuento.Hueco();
                                               return true;
                                           }
                                           recuento.Columnas(registros, n);
                                           if (alBloque && recuento.Leidas() >= aviso) {
                                               alBloque();
                                               aviso = recuento.Leidas() + ColumnasEntreAvisos;
                                           }
                                           return true;
                                       });
    if (fin == FinPasada::Completa)
        recuento.Termina();
    return fin;
}

} // namespace quiniela
