#include "output/marcas_boleto.h"

#include "core/mascaras.h"
#include "platform/impresora.h"

#include <QtMath>

namespace quiniela {

namespace {

// Posición (1..3) de un signo; 0 para un blanco o cualquier otra cosa.
int PosicionSigno(char c) {
    switch (c) {
    case '1':
        return 1;
    case 'X':
    case 'x':
        return 2;
    case '2':
        return 3;
    default:
        return 0;
    }
}

// Casilla del partido 15 según el signo: "1" columna 4 posición 3, "X" 5 y 2, "2" 6 y 1.
void PonPartido15(MatrizMarcas& matriz, int posicion) {
    if (posicion >= 1)
        matriz.Pon(3 + posicion, NumPartidos, 4 - posicion);
}

// Orden de una casilla en su fila: la columna 8 posición 3 es la 0 y la columna 1
// posición 1 la 23.
int OrdenCasilla(int columna, int posicion) {
    return (ColumnasPorBoleto - columna) * 3 + (3 - posicion);
}

// Cada marca se rellena dos veces sobre el mismo sitio, como en el original.
void DibujaCaja(Impresora& impresora, int x, int y, int ancho, int alto) {
    impresora.RellenaRectangulo(x, y, ancho, alto);
    impresora.RellenaRectangulo(x, y + alto, ancho, -alto);
}

void DibujaNumero(Impresora& impresora, int x, int y, int64_t numero, const QLocale& regional) {
    impresora.PonPosicion(x, y);
    impresora.Imprime(FormatoNumero(double(numero), u"###,###", regional));
}

void DibujaDisposicion1(Impresora& impresora, const MatrizMarcas& matriz, double l, double t) {
    for (int m = NumPartidos; m >= 1; --m)
        for (int c = ColumnasPorBoleto; c >= 1; --c)
            for (int p = 3; p >= 1; --p)
                if (matriz.Marcada(c, m, p))
                    DibujaCaja(impresora, qRound(l + 940 + OrdenCasilla(c, p) * 212),
                               qRound(t + 10 + (NumPartidos - m) * 284), 70, 130);
}

void ReferenciasDisposicion1(Impresora& impresora, double l, double t) {
    impresora.RellenaRectangulo(qRound(l - 275), qRound(t - 106), 145, 170);
    impresora.RellenaRectangulo(qRound(l + 8253), qRound(t - 106), 145, 170);
    for (int y : {919, 1262, 2287, 2630, 2973, 3316, 4003})
        impresora.RellenaRectangulo(qRound(l + 8408), qRound(t + y), 57, 227);
}

void DibujaDisposicion2(Impresora& impresora, const MatrizMarcas& matriz, double l, double t) {
    for (int m = 1; m <= NumPartidos; ++m)
        for (int c = ColumnasPorBoleto; c >= 1; --c)
            for (int p = 3; p >= 1; --p)
                if (matriz.Marcada(c, m, p))
                    DibujaCaja(impresora, qRound(l + 1050 + (m - 1) * 284),
                               qRound(t + 1270 + OrdenCasilla(c, p) * 213), 130, 70);
}

void ReferenciasDisposicion2(Impresora& impresora, double l, double t) {
    impresora.RellenaRectangulo(qRound(l + 5120), qRound(t + 65), 170, 145);
    impresora.RellenaRectangulo(qRound(l + 5120), qRound(t + 8593), 170, 145);
    for (int x : {964, 1651, 1994, 2337, 2680, 3706, 4048})
        impresora.RellenaRectangulo(qRound(l + x), qRound(t + 8748), 227, 57);
}

} // namespace

int MatrizMarcas::Cuenta() const {
    int n = 0;
    for (const auto& columna : Marca)
        for (const auto& partido : columna)
            for (bool marcada : partido)
                n += marcada ? 1 : 0;
    return n;
}

MatrizMarcas MatrizDeBoleto(const std::array<std::string_view, ColumnasPorBoleto>& columnas) {
    MatrizMarcas matriz;
    for (int j = 1; j <= ColumnasPorBoleto; ++j) {
        const std::string_view columna = columnas[j - 1];
        for (int m = 1; m <= NumPartidos - 1 && m <= int(columna.size()); ++m)
            if (const int p = PosicionSigno(columna[m - 1]); p > 0)
                matriz.Pon(j, m, p);
    }
    if (columnas[0].size() >= size_t(NumPartidos))
        PonPartido15(matriz, PosicionSigno(columnas[0][NumPartidos - 1]));
    return matriz;
}

MatrizMarcas MatrizPrueba() {
    MatrizMarcas matriz;
    for (int c = 1; c <= ColumnasPorBoleto; ++c)
        for (int m = 1; m <= NumPartidos - 1; ++m)
            for (int p = 1; p <= 3; ++p)
                matriz.Pon(c, m, p);
    for (int p = 1; p <= 3; ++p)
        PonPartido15(matriz, p);
    return matriz;
}

void DibujaBoleto(Impresora& impresora, const MatrizMarcas& matriz, int64_t numero, int orientacion,
                  const ColocacionBoleto& colocacion, const QLocale& regional) {
    impresora.PonFuente(QStringLiteral("Courier New"), 9, false);
    const double l = TwipsDeMargen(colocacion.MargenIzquierdo);
    const double t = TwipsDeMargen(colocacion.MargenSuperior);
    if (orientacion == 2) {
        const double ld = l + SeparacionFormulario * colocacion.Posicion;
        DibujaNumero(impresora, qRound(ld), qRound(t), numero, regional);
        DibujaDisposicion2(impresora, matriz, ld, t);
        if (colocacion.Referencias)
            ReferenciasDisposicion2(impresora, ld, t);
        return;
    }
    DibujaDisposicion1(impresora, matriz, l, t);
    DibujaNumero(impresora, qRound(l + 6500), qRound(t + 10), numero, regional);
    if (colocacion.Referencias)
        ReferenciasDisposicion1(impresora, l, t);
}

} // namespace quiniela
