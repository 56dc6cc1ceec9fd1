#pragma once
// Desarrollo de una base en su orden fijo (el partido 1 cambia en cada paso, el 15 es el
// más lento) y filtro de las columnas por el método. Trabaja sobre bytes: cada columna
// aceptada es una línea de 19 bytes (comillas, 15 signos, comillas, CR LF) que se pasa en
// bloques grandes a un sumidero; no guarda columnas en memoria.

#include "core/tipos.h"
#include "reduction/tablas_directas.h"

#include <QtGlobal>

#include <cstdint>
#include <functional>
#include <memory>
#include <type_traits>

namespace quiniela {

inline constexpr int BytesLineaColumna = 19;

template <class T> struct EsStdFunction : std::false_type {};
template <class R, class... A> struct EsStdFunction<std::function<R(A...)>> : std::true_type {};

// Respuesta de un aviso de progreso: si se cancela y en qué paso quiere volver a ser
// llamado (un paso ya pasado, o 0, es el siguiente).
struct RespuestaAviso {
    bool Cancelar = false;
    int32_t SiguientePaso = 0;
};

// Aviso de progreso: se llama una vez por combinación desarrollada con el contador de
// pasos (1..pasos) y el número de pasos. Una función bool(int32_t, int32_t) devuelve true
// para cancelar y se llama en todas las combinaciones; una que devuelve RespuestaAviso puede
// pedir que no se la vuelva a llamar hasta un paso posterior (la línea de órdenes: solo
// redibuja al cambiar el porcentaje y mira Ctrl-C cada pocos miles de pasos). Se llama con
// un solo salto indirecto y los argumentos en registros.
class AvisoProgreso {
public:
    AvisoProgreso() = default;
    // Sin explicit: se construye a partir de una lambda, como std::function.
    template <class F>
    requires(!std::is_same_v<std::decay_t<F>, AvisoProgreso>) AvisoProgreso(F funcion) {
        // Una std::function vacía o un puntero nulo dejan el aviso vacío.
        if constexpr (std::is_pointer_v<F> || EsStdFunction<F>::value)
            if (!funcion)
                return;
        datos_ = std::make_shared<Caja<F>>(std::move(funcion));
        if constexpr (std::is_same_v<std::invoke_result_t<F&, int32_t, int32_t>, RespuestaAviso>)
            espaciada_ = &LlamaEspaciada<F>;
        else
            siempre_ = &LlamaSiempre<F>;
    }

    explicit operator bool() const { return siempre_ != nullptr || espaciada_ != nullptr; }
    RespuestaAviso operator()(int32_t paso, int32_t pasos) const {
        if (siempre_ != nullptr)
            return {siempre_(datos_.get(), paso, pasos), 0};
        return espaciada_(datos_.get(), paso, pasos);
    }

    // Para el bucle del desarrollo: la función sin envoltorios (solo una de las dos existe).
    using FuncionSiempre = bool (*)(void*, int32_t, int32_t);
    using FuncionEspaciada = RespuestaAviso (*)(void*, int32_t, int32_t);
    FuncionSiempre Siempre() const { return siempre_; }
    FuncionEspaciada Espaciada() const { return espaciada_; }
    void* Datos() const { return datos_.get(); }

private:
    // La función vive sola en sus líneas de caché: se lee en cada combinación y no debe
    // compartir línea con lo que otro hilo escribe (el fichero que se graba en paralelo).
    template <class F> struct alignas(64) Caja {
        explicit Caja(F f) : Funcion(std::move(f)) {}
        F Funcion;
    };
    template <class F> static bool LlamaSiempre(void* datos, int32_t paso, int32_t pasos) {
        return static_cast<bool>(static_cast<Caja<F>*>(datos)->Funcion(paso, pasos));
    }
    template <class F>
    static RespuestaAviso LlamaEspaciada(void* datos, int32_t paso, int32_t pasos) {
        return static_cast<Caja<F>*>(datos)->Funcion(paso, pasos);
    }
    std::shared_ptr<void> datos_;
    FuncionSiempre siempre_ = nullptr;
    FuncionEspaciada espaciada_ = nullptr;
};

// Recibe un bloque de líneas completas; devuelve false si no pudo guardarlo. El bloque sigue
// intacto hasta que vuelve la llamada siguiente (los bloques se alternan), así que el
// sumidero puede escribirlo en segundo plano. Al acabar el desarrollo, termine como termine,
// se le llama una vez más con 0 bytes: debe acabar lo pendiente y decir si todo fue bien.
using SumideroLineas = std::function<bool(const char* datos, qsizetype bytes)>;

enum class FinDesarrollo { Completo, Cancelado, FalloSumidero };

struct ResultadoDesarrollo {
    FinDesarrollo Fin = FinDesarrollo::Completo;
    int32_t Pasos = 0;       // combinaciones que hay que desarrollar
    int32_t PasosHechos = 0; // combinaciones avisadas
    int64_t Lineas = 0;      // líneas entregadas al sumidero
};

// Número de pasos: el producto de los signos de los partidos que se mueven (en el método
// directo, los que no ocupan hueco de la tabla).
int32_t PasosReduccion(const Reduccion& red, const TablaDirecta& tabla);

// Desarrolla y filtra. En el método directo `tabla` es la elegida para la base (sin tabla,
// columnas = 0, todo se desarrolla entero). Las columnas llegan al sumidero en su orden.
ResultadoDesarrollo DesarrollaReduccion(const Reduccion& red, const TablaDirecta& tabla,
                                        const AvisoProgreso& aviso, const SumideroLineas& sumidero,
                                        qsizetype bytesBloque = qsizetype(BytesLineaColumna) *
                                                                65536);

} // namespace quiniela
