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
#include <optional>
#include <type_traits>
#include <vector>

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
    // Anota de una vez k columnas más con el mismo signo 15 que la última (no abren huecos):
    // lo mismo que k llamadas a AnadeColumna.
    void AnadeMismoSigno(int64_t k);
};

inline void RecuentoBoletos::AnadeMismoSigno(int64_t k) {
    // La primera va al boleto de la última columna, que aún no está lleno si tiene una sola.
    if (ColumnasUltimoBoleto == 1)
        --BoletosUnaColumna;
    const int64_t antes = RegistrosBoletos;
    RegistrosBoletos += k;
    Columnas += k;
    const int64_t nuevos =
        (RegistrosBoletos - 1) / ColumnasPorBoleto - (antes - 1) / ColumnasPorBoleto;
    if (nuevos == 0) {
        ColumnasUltimoBoleto += int(k);
        return;
    }
    Boletos += nuevos;
    ColumnasUltimoBoleto = int((RegistrosBoletos - 1) % ColumnasPorBoleto) + 1;
    if (ColumnasUltimoBoleto == 1)
        ++BoletosUnaColumna;
}

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

// Un boleto de una sola columna: el último de un grupo de columnas del partido 15.
struct BoletoUnaColumna {
    int64_t Boleto = 0; // número del boleto, desde 1
    QChar Signo15;      // signo del partido 15 de su grupo ("1", "X" o "2"; nulo si no se sabe)
};

// Los boletos de una sola columna de una reducción de `total` columnas con esa base, en orden.
std::vector<BoletoUnaColumna> BoletosDeUnaColumna(const QuinielaBase& base, int64_t total);

struct ResultadoFicheroBoletos {
    int Error = 0;            // número de error (0 si fue bien)
    QString Fichero;          // el fichero del error: el de columnas o FORBOLW.ZPK
    QString Causa;            // por qué falló, en español
    int64_t LineaErronea = 0; // línea del fichero de columnas que no es una columna
    bool Cancelado = false;
    RecuentoBoletos Recuento;
    // Lo escrito, abierto para leer (CreaFicheroBoletos): otro que rehaga el fichero después no
    // lo cambia debajo de quien lo lee.
    std::shared_ptr<QFile> Lectura;
};

// Rehace FORBOLW.ZPK en la carpeta de datos con las columnas leídas de `columnas` (abierto
// para leer). Se escribe en un temporal que sustituye al anterior solo si todo fue bien.
// Mira `cancelar` tras cada tramo de columnas (un bloque como mucho). El nombre de
// `columnas` solo sirve para los mensajes.
ResultadoFicheroBoletos CreaFicheroBoletos(const EstadoGlobal& estado, QIODevice& columnas,
                                           const QString& nombreColumnas,
                                           const std::atomic<bool>* cancelar = nullptr);

// Lo mismo en `salida`, ya abierta, sin ponerla en su sitio: eso lo decide quien llama con
// salida.Confirma(). Para también cuando `parar` se pone a true; se detiene sola (y lo pone a
// true) si no puede escribir.
ResultadoFicheroBoletos EscribeFicheroBoletos(QIODevice& columnas, const QString& nombreColumnas,
                                              SalidaBloques& salida,
                                              const std::atomic<bool>* cancelar,
                                              std::atomic<bool>* parar = nullptr);

enum class FinPasada { Completa, Parada, LineaErronea, FalloLectura };

// El número de error y la causa en palabras de una pasada que no pudo leer el fichero de
// columnas (LineaErronea, con la línea, o FalloLectura): toda orden y pantalla que lee columnas
// dice lo mismo de un fichero cortado, dañado o ajeno.
int ErrorLecturaColumnas(FinPasada fin);
QString CausaLecturaColumnas(FinPasada fin, int64_t linea, const QIODevice& columnas);

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
    if (p[0] != '"' || p[NumPartidos + 1] != '"' ||
        std::memcmp(p + NumPartidos + 2, "\r\n", 2) != 0)
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

// Lo que dura una pasada: el bloque leído, por dónde va, el fichero de boletos y quien recibe
// los registros.
template <class AlRegistro> class PasadaColumnas {
public:
    PasadaColumnas(QIODevice& columnas, SalidaBloques* boletos, AlRegistro& alRegistro)
        : columnas_(columnas), boletos_(boletos), entrega_(alRegistro),
          bloque_(BytesBloquePara(columnas.size())), bufer_(new char[size_t(bloque_)]) {}

    FinPasada Recorre(RecuentoBoletos& recuentoFuera, int64_t& lineaFuera) {
        // Las cuentas van en variables propias, que el compilador puede tener en registros
        // aunque se escriban bytes por punteros, y vuelven a quien llama al salir.
        RecuentoBoletos recuento = recuentoFuera;
        int64_t linea = lineaFuera;
        std::optional<FinPasada> fin;
        while (!fin)
            fin = Paso(recuento, linea);
        recuentoFuera = recuento;
        lineaFuera = linea;
        return *fin;
    }

private:
    static constexpr char Hueco[] = "\"               \"\r\n";

    // Los registros enteros que haya y, tras ellos, una línea de otra forma (solo LF, vacía,
    // errónea) o el final del bloque. Nada si se puede seguir.
    std::optional<FinPasada> Paso(RecuentoBoletos& recuento, int64_t& linea) {
        if (!RegistrosEnteros(recuento, linea))
            return FinPasada::Parada;
        const char* const p = bufer_.get() + inicio_;
        const auto* salto = static_cast<const char*>(std::memchr(p, '\n', size_t(fin_ - inicio_)));
        if (salto == nullptr && !agotado_)
            return Rellena(linea);
        if (salto == nullptr && inicio_ == fin_)
            return FinPasada::Completa;
        return LineaSuelta(p, salto, recuento, linea);
    }

    // Lo que va tal cual al fichero de boletos.
    void Copia(const char* desde, const char* hasta) {
        if (boletos_ != nullptr && hasta > desde)
            boletos_->Anade(desde, hasta - desde);
    }

    bool Huecos(int n) {
        for (; n > 0; --n) {
            Copia(Hueco, Hueco + BytesRegistroBoleto);
            if (!entrega_(Hueco, 1, false))
                return false;
        }
        return true;
    }

    // Un tramo de columnas seguidas va entero al fichero de boletos y a quien las recibe.
    bool Tramo(const char* desde, const char* hasta) {
        if (hasta == desde)
            return true;
        Copia(desde, hasta);
        return entrega_(desde, (hasta - desde) / BytesRegistroBoleto, true);
    }

    // Las líneas de 19 bytes seguidas desde Inicio, que ya son registros de boletos: se miran
    // una a una, pero pasan en tramos, de hueco a hueco. false si hay que parar.
    bool RegistrosEnteros(RecuentoBoletos& recuento, int64_t& linea) {
        const char* p = bufer_.get() + inicio_;
        const char* const tope = bufer_.get() + fin_;
        const char* tramo = p;
        while (tope - p >= BytesRegistroBoleto && EsRegistroEntero(p)) {
            ++linea;
            const char signo15 = p[NumPartidos];
            if (const int n = recuento.AnadeColumna(signo15)) {
                if (!Tramo(tramo, p) || !Huecos(n))
                    return false;
                tramo = p;
            }
            p += BytesRegistroBoleto;
            // Las que siguen con el mismo signo 15 no abren hueco: se cuentan de una vez, que
            // es lo que cuesta en ficheros de millones de columnas.
            const char* q = p;
            while (tope - q >= BytesRegistroBoleto && q[NumPartidos] == signo15 &&
                   EsRegistroEntero(q))
                q += BytesRegistroBoleto;
            if (const int64_t k = (q - p) / BytesRegistroBoleto; k > 0) {
                recuento.AnadeMismoSigno(k);
                linea += k;
                p = q;
            }
        }
        inicio_ = p - bufer_.get();
        return Tramo(tramo, p);
    }

    // Lleva al principio lo que queda del bloque y lee detrás. Nada si se puede seguir.
    std::optional<FinPasada> Rellena(int64_t& linea) {
        if (inicio_ == 0 && fin_ == bloque_) {
            ++linea; // ninguna columna es tan larga
            return FinPasada::LineaErronea;
        }
        char* const datos = bufer_.get();
        std::memmove(datos, datos + inicio_, size_t(fin_ - inicio_));
        fin_ -= inicio_;
        inicio_ = 0;
        const qint64 leidos = columnas_.read(datos + fin_, bloque_ - fin_);
        if (leidos < 0)
            return FinPasada::FalloLectura;
        agotado_ = leidos == 0;
        fin_ += leidos;
        return std::nullopt;
    }

    // Una línea que no es un registro entero: con su salto o, sin él, la última del fichero.
    // Nada si se puede seguir.
    std::optional<FinPasada> LineaSuelta(const char* p, const char* salto,
                                         RecuentoBoletos& recuento, int64_t& linea) {
        qsizetype largo = (salto != nullptr ? salto : bufer_.get() + fin_) - p;
        inicio_ = salto != nullptr ? (salto - bufer_.get()) + 1 : fin_;
        if (largo > 0 && p[largo - 1] == '\r')
            --largo;
        ++linea;
        if (largo == 0)
            return std::nullopt; // una línea vacía no es una columna ni estorba
        if (!EsColumna(p, largo))
            return FinPasada::LineaErronea;
        if (!Huecos(recuento.AnadeColumna(p[NumPartidos])))
            return FinPasada::Parada;
        char registro[BytesRegistroBoleto];
        std::memcpy(registro, p, NumPartidos + 2);
        std::memcpy(registro + NumPartidos + 2, "\r\n", 2);
        if (!Tramo(registro, registro + BytesRegistroBoleto))
            return FinPasada::Parada;
        return std::nullopt;
    }

    QIODevice& columnas_;
    SalidaBloques* boletos_;
    AlRegistro& entrega_;
    const qsizetype bloque_;
    const std::unique_ptr<char[]> bufer_;
    qsizetype inicio_ = 0;
    qsizetype fin_ = 0;
    bool agotado_ = false;
};

} // namespace detalle

// Una pasada por el fichero de columnas que escribe el fichero de boletos (si `boletos` no
// es nulo) y entrega sus registros a alRegistro(registros, n, sonColumnas): n registros de 19
// bytes seguidos, columnas, o un hueco (n = 1). Devuelve false para parar. `linea` acaba en
// la última línea leída (la errónea, si la hay). Las columnas van en tramos tal como se
// leyeron, sin copiarlas una a una: de hueco a hueco, dentro de un bloque de lectura.
template <class AlRegistro>
FinPasada PasaColumnas(QIODevice& columnas, SalidaBloques* boletos, RecuentoBoletos& recuentoFuera,
                       int64_t& lineaFuera, AlRegistro&& alRegistro) {
    detalle::PasadaColumnas<std::remove_reference_t<AlRegistro>> pasada(columnas, boletos,
                                                                        alRegistro);
    return pasada.Recorre(recuentoFuera, lineaFuera);
}

} // namespace quiniela
