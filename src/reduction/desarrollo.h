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

// Aviso de progreso: se llama una vez por combinación desarrollada con el contador de
// pasos (1..pasos) y el número de pasos; devuelve true para cancelar. Guarda cualquier
// función bool(int32_t, int32_t) y la llama con un solo salto indirecto y los argumentos en
// registros: con millones de combinaciones, la doble indirección de std::function se nota.
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
        datos_ = std::make_shared<F>(std::move(funcion));
        llama_ = &Llama<F>;
    }

    explicit operator bool() const { return llama_ != nullptr; }
    bool operator()(int32_t paso, int32_t pasos) const { return llama_(datos_.get(), paso, pasos); }

    using Funcion = bool (*)(void*, int32_t, int32_t);
    Funcion Puntero() const { return llama_; }
    void* Datos() const { return datos_.get(); }

private:
    template <class F> static bool Llama(void* datos, int32_t paso, int32_t pasos) {
        return (*static_cast<F*>(datos))(paso, pasos);
    }
    std::shared_ptr<void> datos_;
    Funcion llama_ = nullptr;
};

// Recibe un bloque de líneas completas; devuelve false si no pudo guardarlo. El bloque sigue
// intacto hasta que vuelve la llamada siguiente (los bloques se alternan), así que el
// sumidero puede escribirlo en segundo plano. Al acabar el desarrollo, termine como termine,
// se le llama una vez más con 0 bytes: debe acabar lo pendiente y decir si todo fue bien.
using SumideroLineas = std::function<bool(const char* datos, qsizetype bytes)>;

enum class FinDesarrollo { Completo, Cancelado, FalloSumidero };

struct ResultadoDesarrollo {
    FinDesarrollo fin = FinDesarrollo::Completo;
    int32_t pasos = 0;       // combinaciones que hay que desarrollar
    int32_t pasosHechos = 0; // combinaciones avisadas
    int64_t lineas = 0;      // líneas entregadas al sumidero
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
