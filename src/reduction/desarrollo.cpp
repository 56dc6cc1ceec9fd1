#include "reduction/desarrollo.h"

#include <array>
#include <climits>
#include <cstring>
#include <memory>
#include <vector>

namespace quiniela {

namespace {

constexpr char CaracteresSigno[] = "?1X2";
// Combinaciones del bloque interior (las ruedas más rápidas) que se precalculan.
constexpr int64_t MaxBloqueInterior = 2048;

// Una rueda del cuentakilómetros: un partido que cambia de signo.
struct Rueda {
    int Partido = 0;
    int N = 0;
    std::array<uint8_t, 3> Signo{};
    std::array<uint16_t, 3> Clave{};
    int Pos = 0;
};

// Todo lo que necesita el recorrido, preparado una vez.
struct Preparacion {
    std::vector<Rueda> Ruedas;
    int Interiores = 0;                 // ruedas del bloque interior
    std::vector<uint64_t> PatronBajo;   // bytes 0..7 de cada patrón
    std::vector<uint64_t> PatronAlto;   // bytes 8..15
    std::vector<uint16_t> ClavePatron;  // aportación del patrón a la clave
    std::array<uint8_t, 4096> Acepta{}; // clave -> columna aceptada
    std::array<uint8_t, 16> Fijos{};    // comillas y signos de los partidos quietos
    bool Directo = false;
    int32_t Pasos = 0;
};

// Aportación de un signo de un partido a la clave que decide si se acepta la columna:
// errores frente a la columna probable, o totales de signos empaquetados de 4 en 4 bits.
uint16_t Clave(const Reduccion& red, int m, int signo) {
    if (!PartidoElegido(red.Base, m))
        return 0;
    if (red.Metodo == MetodoColumnaProbable) {
        const int probable = red.Base[m].SignoProbable;
        return probable != 0 && probable != signo ? 1 : 0;
    }
    if (red.Metodo == MetodoSeleccionSignos)
        return static_cast<uint16_t>(1u << (4 * (signo - 1)));
    return 0;
}

// Una rueda por partido con dos o más signos; los de un signo van a los fijos. Los partidos
// con hueco de la tabla directa no cuentan: la tabla pone su signo.
void PreparaRuedas(const Reduccion& red, const std::array<int8_t, NumPartidos + 1>& hueco,
                   Preparacion& p) {
    const QuinielaBase& base = red.Base;
    int64_t pasos = 1;
    p.Fijos[0] = '"';
    for (int m = 1; m <= NumPartidos; ++m) {
        Rueda r;
        r.Partido = m;
        for (int k = 1; k <= NumSignosMax; ++k) {
            if (base[m].Signo[k] != 1)
                continue;
            r.Signo[r.N] = static_cast<uint8_t>(CaracteresSigno[k]);
            r.Clave[r.N] = Clave(red, m, k);
            ++r.N;
        }
        if (hueco[m] != 0)
            continue;
        pasos *= r.N;
        if (r.N >= 2)
            p.Ruedas.push_back(r);
        else if (r.N == 1)
            p.Fijos[m] = r.Signo[0];
    }
    p.Pasos = static_cast<int32_t>(pasos);
}

// Tabla de aceptación: errores admitidos o combinaciones de totales marcadas.
void PreparaAcepta(const Reduccion& red, Preparacion& p) {
    if (red.Metodo == MetodoColumnaProbable) {
        for (int e = red.MinErrores; e <= red.MaxErrores && e < 16; ++e)
            if (e >= 0)
                p.Acepta[e] = 1;
    } else if (red.Metodo == MetodoSeleccionSignos) {
        for (int c1 = 0; c1 < 16; ++c1)
            for (int cx = 0; cx < 16; ++cx)
                for (int c2 = 0; c2 < 16; ++c2)
                    p.Acepta[c1 | cx << 4 | c2 << 8] = red.Totales(1, c1) == 1 &&
                                                       red.Totales(2, cx) == 1 &&
                                                       red.Totales(3, c2) == 1;
    } else {
        p.Acepta[0] = 1;
    }
}

using Patron = std::array<uint8_t, 16>;

// En el directo, las columnas de la tabla sobre los partidos con hueco.
std::vector<Patron> PatronesDirecto(const QuinielaBase& base, const TablaDirecta& tabla,
                                    const std::array<int8_t, NumPartidos + 1>& hueco,
                                    Preparacion& p) {
    std::vector<Patron> patrones;
    const int columnas = std::max<int>(tabla.Columnas, 1);
    for (int c = 1; c <= columnas; ++c) {
        Patron bytes{};
        for (int m = 1; m <= NumPartidos; ++m)
            if (hueco[m] != 0)
                bytes[m] = static_cast<uint8_t>(
                    CaracteresSigno[SignoEnTabla(base[m], tabla, hueco[m], c)]);
        patrones.push_back(bytes);
        p.ClavePatron.push_back(0);
    }
    return patrones;
}

// En los demás métodos, las combinaciones de las ruedas más rápidas, con la rueda 1 la primera.
std::vector<Patron> PatronesInteriores(Preparacion& p) {
    std::vector<Patron> patrones;
    int64_t producto = 1;
    while (p.Interiores < int(p.Ruedas.size()) &&
           producto * p.Ruedas[p.Interiores].N <= MaxBloqueInterior)
        producto *= p.Ruedas[p.Interiores++].N;
    std::vector<int> pos(p.Interiores, 0);
    for (int64_t i = 0; i < producto; ++i) {
        Patron bytes{};
        uint16_t clave = 0;
        for (int w = 0; w < p.Interiores; ++w) {
            bytes[p.Ruedas[w].Partido] = p.Ruedas[w].Signo[pos[w]];
            clave += p.Ruedas[w].Clave[pos[w]];
        }
        patrones.push_back(bytes);
        p.ClavePatron.push_back(clave);
        for (int w = 0; w < p.Interiores && ++pos[w] == p.Ruedas[w].N; ++w)
            pos[w] = 0;
    }
    return patrones;
}

Preparacion Prepara(const Reduccion& red, const TablaDirecta& tabla) {
    Preparacion p;
    p.Directo = red.Metodo == MetodoDirecto;
    std::array<int8_t, NumPartidos + 1> hueco{};
    if (p.Directo && tabla.Columnas > 0)
        hueco = AsignaHuecos(red.Base, tabla);
    PreparaRuedas(red, hueco, p);
    PreparaAcepta(red, p);
    const std::vector<Patron> patrones =
        p.Directo ? PatronesDirecto(red.Base, tabla, hueco, p) : PatronesInteriores(p);
    for (const Patron& bytes : patrones) {
        uint64_t bajo;
        uint64_t alto;
        std::memcpy(&bajo, bytes.data(), 8);
        std::memcpy(&alto, bytes.data() + 8, 8);
        p.PatronBajo.push_back(bajo);
        p.PatronAlto.push_back(alto);
    }
    return p;
}

// Bloques de salida: las líneas se montan en uno mientras el sumidero puede seguir con el
// otro (se alternan), y se entregan llenos.
class Escritor {
public:
    Escritor(const SumideroLineas& sumidero, qsizetype bytesBloque)
        : sumidero_(sumidero),
          bloque_(static_cast<size_t>(std::max<qsizetype>(
              bytesBloque / BytesLineaColumna * BytesLineaColumna, BytesLineaColumna))),
          // sin poner a cero: cada byte se escribe antes de entregarse
          memoria_(new char[2 * bloque_]) {
        inicio_ = memoria_.get();
        actual_ = inicio_;
        limite_ = inicio_ + bloque_;
    }

    bool Escribe(uint64_t bajo, uint64_t alto) {
        std::memcpy(actual_, &bajo, 8);
        std::memcpy(actual_ + 8, &alto, 8);
        actual_[16] = '"';
        actual_[17] = '\r';
        actual_[18] = '\n';
        actual_ += BytesLineaColumna;
        return actual_ < limite_ || Vacia();
    }

    bool Vacia() {
        const qsizetype bytes = actual_ - inicio_;
        if (bytes == 0)
            return true;
        lineas_ += bytes / BytesLineaColumna;
        const char* lleno = inicio_;
        // El siguiente bloque es el otro: el sumidero puede seguir leyendo este.
        inicio_ = inicio_ == memoria_.get() ? memoria_.get() + bloque_ : memoria_.get();
        actual_ = inicio_;
        limite_ = inicio_ + bloque_;
        return !sumidero_ || sumidero_(lleno, bytes);
    }

    // Fin del desarrollo: lo que quede y el aviso de final (0 bytes).
    bool Termina() { return Vacia() && Espera(); }

    // Aviso de final sin más bloques (cancelado o fallido): el sumidero suelta el último
    // bloque antes de que se libere la memoria.
    bool Espera() { return !sumidero_ || sumidero_(nullptr, 0); }

    int64_t Lineas() const { return lineas_; }

private:
    const SumideroLineas& sumidero_;
    size_t bloque_;
    std::unique_ptr<char[]> memoria_;
    char* inicio_;
    char* actual_;
    char* limite_;
    int64_t lineas_ = 0;
};

// Avanza las ruedas exteriores como un cuentakilómetros; false cuando han dado la vuelta.
inline bool AvanzaExteriores(Preparacion& p, std::array<uint8_t, 16>& externos,
                             uint32_t& claveExterna) {
    const int numRuedas = int(p.Ruedas.size());
    for (int w = p.Interiores; w < numRuedas; ++w) {
        Rueda& rueda = p.Ruedas[w];
        claveExterna -= rueda.Clave[rueda.Pos];
        if (++rueda.Pos < rueda.N) {
            externos[rueda.Partido] = rueda.Signo[rueda.Pos];
            claveExterna += rueda.Clave[rueda.Pos];
            return true;
        }
        rueda.Pos = 0;
        externos[rueda.Partido] = rueda.Signo[0];
        claveExterna += rueda.Clave[0];
    }
    return false;
}

// Entrega lo que quede, o solo el aviso de final si se canceló o falló.
void Cierra(Escritor& escritor, ResultadoDesarrollo& r) {
    if (r.Fin == FinDesarrollo::Completo) {
        if (!escritor.Termina())
            r.Fin = FinDesarrollo::FalloSumidero;
    } else {
        escritor.Espera();
    }
    r.Lineas = escritor.Lineas();
}

// Espaciado: el aviso dice en qué paso quiere la siguiente llamada; si no, se le llama en
// todas las combinaciones.
template <bool Espaciado, class Aviso>
ResultadoDesarrollo Recorre(Preparacion& p, const Aviso aviso, Escritor& escritor) {
    ResultadoDesarrollo r;
    r.Pasos = p.Pasos;
    if (p.Pasos == 0)
        return r;
    std::array<uint8_t, 16> externos = p.Fijos;
    uint32_t claveExterna = 0;
    const int numRuedas = int(p.Ruedas.size());
    for (int w = p.Interiores; w < numRuedas; ++w) {
        Rueda& rueda = p.Ruedas[w];
        rueda.Pos = 0;
        externos[rueda.Partido] = rueda.Signo[0];
        claveExterna += rueda.Clave[0];
    }
    const uint64_t* patronBajo = p.PatronBajo.data();
    const uint64_t* patronAlto = p.PatronAlto.data();
    const uint16_t* clavePatron = p.ClavePatron.data();
    const uint8_t* acepta = p.Acepta.data();
    const int numPatrones = int(p.PatronBajo.size());
    int32_t paso = 0;
    const int32_t pasos = p.Pasos;
    int32_t siguienteAviso = 0; // paso en el que toca avisar

    for (;;) {
        uint64_t bajo;
        uint64_t alto;
        std::memcpy(&bajo, externos.data(), 8);
        std::memcpy(&alto, externos.data() + 8, 8);
        if (p.Directo) {
            // Una combinación: todas las columnas de la tabla.
            if (++paso >= siguienteAviso || !Espaciado) {
                const RespuestaAviso respuesta = aviso(paso, pasos);
                if (respuesta.Cancelar) {
                    r.Fin = FinDesarrollo::Cancelado;
                    break;
                }
                if constexpr (Espaciado)
                    siguienteAviso = respuesta.SiguientePaso;
            }
            for (int i = 0; i < numPatrones; ++i) {
                if (!escritor.Escribe(bajo | patronBajo[i], alto | patronAlto[i])) {
                    r.Fin = FinDesarrollo::FalloSumidero;
                    break;
                }
            }
            if (r.Fin != FinDesarrollo::Completo)
                break;
        } else {
            // Bucle caliente: solo viven la clave del patrón, el final, la tabla de
            // aceptación desplazada por la parte exterior y el aviso.
            const uint8_t* const aceptaAqui = acepta + claveExterna;
            const uint16_t* const finClaves = clavePatron + numPatrones;
            // Índice negativo hasta 0: una comparación menos y un registro libre.
            for (ptrdiff_t i = -ptrdiff_t(numPatrones); i != 0; ++i) {
                if (++paso >= siguienteAviso || !Espaciado) {
                    const RespuestaAviso respuesta = aviso(paso, pasos);
                    if (respuesta.Cancelar) {
                        r.Fin = FinDesarrollo::Cancelado;
                        break;
                    }
                    if constexpr (Espaciado)
                        siguienteAviso = respuesta.SiguientePaso;
                }
                if (aceptaAqui[finClaves[i]]) {
                    const ptrdiff_t k = numPatrones + i;
                    if (!escritor.Escribe(bajo | patronBajo[k], alto | patronAlto[k])) {
                        r.Fin = FinDesarrollo::FalloSumidero;
                        break;
                    }
                }
            }
            if (r.Fin != FinDesarrollo::Completo)
                break;
        }
        if (!AvanzaExteriores(p, externos, claveExterna))
            break;
    }
    r.PasosHechos = paso;
    Cierra(escritor, r);
    return r;
}

} // namespace

int32_t PasosReduccion(const Reduccion& red, const TablaDirecta& tabla) {
    return Prepara(red, tabla).Pasos;
}

ResultadoDesarrollo DesarrollaReduccion(const Reduccion& red, const TablaDirecta& tabla,
                                        const AvisoProgreso& aviso, const SumideroLineas& sumidero,
                                        qsizetype bytesBloque) {
    Preparacion p = Prepara(red, tabla);
    Escritor escritor(sumidero, bytesBloque);
    void* datos = aviso.Datos();
    if (const auto funcion = aviso.Siempre())
        return Recorre<false>(
            p,
            [funcion, datos](int32_t paso, int32_t pasos) {
                return RespuestaAviso{funcion(datos, paso, pasos), 0};
            },
            escritor);
    if (const auto funcion = aviso.Espaciada())
        return Recorre<true>(
            p,
            [funcion, datos](int32_t paso, int32_t pasos) { return funcion(datos, paso, pasos); },
            escritor);
    return Recorre<true>(
        p,
        [](int32_t, int32_t) {
            return RespuestaAviso{false, INT32_MAX};
        },
        escritor);
}

} // namespace quiniela
