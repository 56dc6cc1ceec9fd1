#pragma once
// Reglas de edición de los campos de la pantalla de listados que no dependen de la pantalla:
// el rango de boletos, los márgenes y las copias, y los rótulos de sus botones.

#include <QString>

#include <cstdint>

namespace quiniela {

struct DatosGenerales;

// Valor entero de un texto tecleado: blancos delante, un signo y las cifras que sigan; se
// para en lo demás ("12ab" es 12, "abc" es 0). Un número enorme se queda en el máximo.
int64_t ValorEntero(const QString& texto);

struct RangoBoletos {
    int64_t Inicial = 1;
    int64_t Final = 1;
};

// Al abrir: del 1 al último boleto (al menos 1).
RangoBoletos RangoCompleto(int64_t totalBoletos);

// Cierre de los campos del rango. El valor se acota a 1 … total; vacío es 1 (inicial) o el
// total (final). Si los extremos se cruzan, el otro extremo se iguala al editado.
void CierraBoletoInicial(RangoBoletos& rango, const QString& texto, int64_t totalBoletos);
void CierraBoletoFinal(RangoBoletos& rango, const QString& texto, int64_t totalBoletos);

QString RotuloBoletoInicial(int64_t valor); // "Boleto Inicial: " + valor
QString RotuloBoletoFinal(int64_t valor);   // "Boleto Final: " + valor

// Campos de margen y de copias: tres caracteres como mucho.
inline constexpr int LargoCampoCorto = 3;
QString RecortaCampoCorto(const QString& texto);

// Margen al cerrar su campo: el valor del texto, 0 si es negativo.
int CierraMargen(const QString& texto);

// Par de márgenes de un tipo de listado: 1 el de los boletos, 2 el de las listas.
int ParMargenes(int tipoListado);
int MargenIzquierdo(const DatosGenerales& datos, int tipoListado);
int MargenSuperior(const DatosGenerales& datos, int tipoListado);
void PonMargenIzquierdo(DatosGenerales& datos, int tipoListado, int valor);
void PonMargenSuperior(DatosGenerales& datos, int tipoListado, int valor);

QString RotuloMargenIzquierdo(int valor); // "Margen Izquierdo: " + valor
QString RotuloMargenSuperior(int valor);  // "Margen Superior: " + valor

// Copias mientras se escribe: se corta a 3 caracteres y un valor menor que 1 vacía el campo.
QString CampoCopiasAlEscribir(const QString& texto);
// Copias al cerrar el campo: vacío es 1; siempre 1 … 999.
int CierraCopias(const QString& texto);
QString RotuloCopias(int copias); // "Copias a imprimir:" + copias

// La orientación cambia entre 1 y 2.
inline int OtraOrientacion(int orientacion) {
    return orientacion == 2 ? 1 : 2;
}

} // namespace quiniela
