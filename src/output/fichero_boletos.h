#pragma once
// Fichero de trabajo de boletos FORBOLW.ZPK y cuentas de boletos. Un registro son 19 bytes:
// comillas, 15 caracteres, comillas, CR LF; es una columna o un hueco de 15 blancos. Cada 8
// registros son un boleto, y un boleto no mezcla signos distintos en el partido 15 porque
// el boleto oficial solo tiene una marca para él.

#include "core/tipos.h"
#include "output/bloques.h"

#include <QIODevice>
#include <QString>

#include <atomic>
#include <cstdint>
#include <cstring>
#include <memory>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quiniela {

struct EstadoGlobal;

inline constexpr auto NombreFicheroBoletos = "FORBOLW.ZPK";
inline constexpr int ColumnasPorBoleto = 8;
inline constexpr int BytesRegistroBoleto = 19;

// Reparto de las columnas en boletos a medida que se leen. Sirve para el fichero de
// trabajo y para quien necesite saber en qué boleto cae cada columna sin escribirlo.
struct RecuentoBoletos {
    int64_t RegistrosBoletos = 0;  // registros del fichero de trabajo, huecos incluidos
    int64_t Columnas = 0;          // columnas anotadas
    int64_t Boletos = 0;           // boletos empezados: el de la última columna
    int64_t BoletosUnaColumna = 0; // boletos que tienen, por ahora, una sola columna
    int ColumnasUltimoBoleto = 0;  // columnas del último boleto
    char Signo15 = 0;              // signo del partido 15 de la última columna (mayúscula)

    // Anota una columna por su signo del partido 15; devuelve los huecos en blanco que hay
    // que escribir antes de ella (0..7) para que abra boleto.
    int AnadeColumna(char signo15);
};

inline int RecuentoBoletos::AnadeColumna(char signo15) {
    const char signo = signo15 >= 'a' && signo15 <= 'z' ? char(signo15 - 'a' + 'A') : signo15;
    int huecos = 0;
    if (Columnas > 0 && signo != Signo15)
        huecos =
            int((ColumnasPorBoleto - RegistrosBoletos % ColumnasPorBoleto) % ColumnasPorBoleto);
    RegistrosBoletos += huecos;
    if (RegistrosBoletos % ColumnasPorBoleto == 0) {
        ++Boletos;
        ColumnasUltimoBoleto = 0;
    }
    ++ColumnasUltimoBoleto;
    if (ColumnasUltimoBoleto == 1)
        ++BoletosUnaColumna;
    else if (ColumnasUltimoBoleto == 2)
        --BoletosUnaColumna;
    ++RegistrosBoletos;
    ++Columnas;
    Signo15 = signo;
    return huecos;
}

// Columnas de un fichero de columnas por su tamaño (19 bytes por línea); 0 si no existe.
int64_t ColumnasEnFichero(const QString& ruta);

// Número de signos del partido 15 de la base: los grupos de columnas por su signo 15.
int GruposPartido15(const QuinielaBase& base);

// Boletos de una reducción de `total` columnas repartidas en grupos iguales por el signo
// del partido 15, y columnas de su último boleto (1..8). Sin columnas o sin signos en el
// partido 15 no hay reducción: 0 y 0.
int64_t CalculaBoletos(const QuinielaBase& base, int64_t total);
int ColumnasUltimoBoleto(const QuinielaBase& base, int64_t total);

// Boleto (desde 1) de la columna n (desde 1) de un fichero de `total` columnas con esa base.
// 0 si no hay reducción o n está fuera de 1..total.
int64_t BoletoDeColumna(const QuinielaBase& base, int64_t total, int64_t n);

struct ResultadoFicheroBoletos {
    int Error = 0;            // número de error (0 si fue bien)
    QString Fichero;          // el fichero del error: el de columnas o FORBOLW.ZPK
    QString Causa;            // por qué falló, en español
    int64_t LineaErronea = 0; // línea del fichero de columnas que no es una columna
    bool Cancelado = false;
    RecuentoBoletos Recuento;
};

// Rehace FORBOLW.ZPK en la carpeta de datos con las columnas leídas de `columnas` (abierto
// para leer). Se escribe en un temporal que sustituye al anterior solo si todo fue bien.
// Mira `cancelar` tras cada columna. El nombre de `columnas` solo sirve para los mensajes.
ResultadoFicheroBoletos CreaFicheroBoletos(const EstadoGlobal& estado, QIODevice& columnas,
                                           const QString& nombreColumnas,
                                           const std::atomic<bool>* cancelar = nullptr);

enum class FinPasada { Completa, Parada, LineaErronea, FalloLectura };

// Bloque de lectura del fichero de columnas, como el de escritura.
inline constexpr qsizetype BytesBloqueLectura = qsizetype(1) << 20;

namespace detalle {

inline bool EsSigno(unsigned char c) {
    return (c == '1') | (c == '2') | ((c | 0x20) == 'x');
}

// Una línea del fichero de columnas sin el salto: comillas, 15 signos, comillas.
inline bool EsColumna(const char* p, qsizetype largo) {
    if (largo != NumPartidos + 2 || p[0] != '"' || p[NumPartidos + 1] != '"')
        return false;
    bool signos = true;
    for (int i = 1; i <= NumPartidos; ++i)
        signos &= EsSigno(static_cast<unsigned char>(p[i]));
    return signos;
}

// Una línea tal como la escribe la reducción, con su CR LF: es ya un registro de boletos.
// Se mira en cada columna de ficheros de millones: los 15 signos de una vez donde se puede.
inline bool EsRegistroEntero(const char* p) {
    if (p[0] != '"' || p[NumPartidos + 1] != '"' || p[NumPartidos + 2] != '\r' ||
        p[NumPartidos + 3] != '\n')
        return false;
#if defined(__SSE2__)
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 1));
    const __m128i signos = _mm_or_si128(
        _mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8('1')), _mm_cmpeq_epi8(v, _mm_set1_epi8('2'))),
        _mm_cmpeq_epi8(_mm_or_si128(v, _mm_set1_epi8(0x20)), _mm_set1_epi8('x')));
    return (_mm_movemask_epi8(signos) & 0x7FFF) == 0x7FFF;
#else
    return EsColumna(p, NumPartidos + 2);
#endif
}

} // namespace detalle

// Una pasada por el fichero de columnas que escribe el fichero de boletos (si `boletos` no
// es nulo) y entrega cada registro, hueco o columna, a alRegistro(quince, esColumna), que
// devuelve false para parar. `linea` acaba en la última línea leída (la errónea, si la hay).
// Las líneas de 19 bytes pasan al fichero de boletos tal cual, sin copiarlas una a una.
template <class AlRegistro>
FinPasada PasaColumnas(QIODevice& columnas, SalidaBloques* boletos, RecuentoBoletos& recuentoFuera,
                       int64_t& lineaFuera, AlRegistro&& alRegistro) {
    // Las cuentas van en variables propias, que el compilador puede tener en registros aunque
    // se escriban bytes por punteros, y vuelven a quien llama al salir.
    RecuentoBoletos recuento = recuentoFuera;
    int64_t linea = lineaFuera;
    struct Devuelve {
        RecuentoBoletos& Recuento;
        int64_t& Linea;
        RecuentoBoletos& RecuentoFuera;
        int64_t& LineaFuera;
        ~Devuelve() {
            RecuentoFuera = Recuento;
            LineaFuera = Linea;
        }
    } devuelve{recuento, linea, recuentoFuera, lineaFuera};
    static constexpr char hueco[] = "\"               \"\r\n";
    const std::unique_ptr<char[]> bufer(new char[size_t(BytesBloqueLectura)]);
    char* const datos = bufer.get();
    qsizetype inicio = 0, fin = 0;
    bool agotado = false;
    const auto copia = [&](const char* desde, const char* hasta) {
        if (boletos != nullptr && hasta > desde)
            boletos->Anade(desde, hasta - desde);
    };
    const auto huecos = [&](int n) {
        for (; n > 0; --n) {
            copia(hueco, hueco + BytesRegistroBoleto);
            if (!alRegistro(hueco + 1, false))
                return false;
        }
        return true;
    };
    for (;;) {
        const char* p = datos + inicio;
        const char* const tope = datos + fin;
        const char* tramo = p; // lo que va tal cual al fichero de boletos
        while (tope - p >= BytesRegistroBoleto && detalle::EsRegistroEntero(p)) {
            ++linea;
            if (const int n = recuento.AnadeColumna(p[NumPartidos])) {
                copia(tramo, p);
                tramo = p;
                if (!huecos(n))
                    return FinPasada::Parada;
            }
            p += BytesRegistroBoleto;
            if (!alRegistro(p - BytesRegistroBoleto + 1, true))
                return FinPasada::Parada;
        }
        copia(tramo, p);
        inicio = p - datos;
        // Una línea de otra forma (solo LF, vacía, errónea) o el final del bloque.
        const auto* salto = static_cast<const char*>(std::memchr(p, '\n', size_t(tope - p)));
        if (salto == nullptr && !agotado) {
            if (inicio == 0 && fin == BytesBloqueLectura) {
                ++linea; // ninguna columna es tan larga
                return FinPasada::LineaErronea;
            }
            std::memmove(datos, p, size_t(fin - inicio));
            fin -= inicio;
            inicio = 0;
            const qint64 leidos = columnas.read(datos + fin, BytesBloqueLectura - fin);
            if (leidos < 0)
                return FinPasada::FalloLectura;
            agotado = leidos == 0;
            fin += leidos;
            continue;
        }
        if (salto == nullptr && inicio == fin)
            return FinPasada::Completa;
        // Sin salto: la última línea del fichero.
        qsizetype largo = (salto != nullptr ? salto : tope) - p;
        inicio = salto != nullptr ? (salto - datos) + 1 : fin;
        if (largo > 0 && p[largo - 1] == '\r')
            --largo;
        ++linea;
        if (largo == 0)
            continue; // una línea vacía no es una columna ni estorba
        if (!detalle::EsColumna(p, largo))
            return FinPasada::LineaErronea;
        if (!huecos(recuento.AnadeColumna(p[NumPartidos])))
            return FinPasada::Parada;
        if (boletos != nullptr) {
            char* r = boletos->Reserva(BytesRegistroBoleto);
            std::memcpy(r, p, NumPartidos + 2);
            std::memcpy(r + NumPartidos + 2, "\r\n", 2);
            boletos->Avanza(BytesRegistroBoleto);
        }
        if (!alRegistro(p + 1, true))
            return FinPasada::Parada;
    }
}

} // namespace quiniela
