#pragma once
// Marcas de un boleto: la matriz de casillas (columna 1..8, partido 1..15, posición 1..3)
// y su dibujo en twips en las dos disposiciones del boleto en la impresora.

#include "core/tipos.h"
#include "output/fichero_boletos.h"

#include <QLocale>

#include <array>
#include <cstdint>
#include <string_view>

namespace quiniela {

class Impresora;

class MatrizMarcas {
public:
    void Pon(int columna, int partido, int posicion) { Marca[columna][partido][posicion] = true; }
    bool Marcada(int columna, int partido, int posicion) const {
        return Marca[columna][partido][posicion];
    }
    int Cuenta() const;

private:
    std::array<std::array<std::array<bool, NumSignosMax + 1>, NumPartidos + 1>,
               ColumnasPorBoleto + 1>
        Marca{};
};

// Las columnas de un boleto, como se leen del fichero de boletos (15 caracteres; un hueco
// son 15 blancos). Los partidos 1..14 se marcan en cada columna; el 15, una sola vez, con
// el signo de la primera columna en su casilla fija.
MatrizMarcas MatrizDeBoleto(const std::array<std::string_view, ColumnasPorBoleto>& columnas);

// Todas las casillas de los partidos 1..14 en las ocho columnas y las tres del partido 15.
MatrizMarcas MatrizPrueba();
inline constexpr int64_t NumeroBoletoPrueba = 999999;

// Dónde va el boleto en la hoja. Los márgenes son décimas de milímetro.
struct ColocacionBoleto {
    int MargenIzquierdo = 0;
    int MargenSuperior = 0;
    int Posicion = 0;         // disposición 2: 0, o 1 para el segundo boleto del formulario
    bool Referencias = false; // marcas de referencia (reverso, papel en blanco, continuo)
};

// Dibuja las marcas y el número del boleto ("###,###") con la disposición 1 (boleto a lo
// largo de la hoja) o 2 (girado un cuarto de vuelta).
void DibujaBoleto(Impresora& impresora, const MatrizMarcas& matriz, int64_t numero, int orientacion,
                  const ColocacionBoleto& colocacion, const QLocale& regional);

// Twips de un margen en décimas de milímetro (m × 5,67), sin redondear.
inline double TwipsDeMargen(int decimasMilimetro) {
    return decimasMilimetro * 5.67;
}

// Separación entre los dos boletos de un formulario continuo, en twips.
inline constexpr int SeparacionFormulario = 5990;

} // namespace quiniela
