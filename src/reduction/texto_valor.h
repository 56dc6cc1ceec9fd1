#pragma once
// Textos del valor de una reducción: la tabla en español de la línea de órdenes y del
// resumen, las líneas del panel de la pantalla y el CSV para programas.

#include "reduction/valor_apuesta.h"

#include <QLocale>
#include <QString>
#include <QStringList>

namespace quiniela {

// Tabla por categorías y, debajo, columnas, coste, premio esperado y rendimiento (los dos
// últimos solo si se conocen los premios). Cifras y separadores de `regional`.
QStringList LineasValor(const ValorApuesta& v, const ImportesValor& importes,
                        const QLocale& regional);

// CSV con ";" y cifras en notación C (punto decimal, 15 cifras significativas), las
// probabilidades en tanto por uno.
QString CsvValor(const ValorApuesta& v, const ImportesValor& importes);

// Líneas del panel "Valor de la apuesta": P(mejor >= h) de 15 a 10, premio esperado y
// rendimiento (o "sin premios" si no se conocen).
struct LineaPanelValor {
    QString Rotulo;
    QString Valor;
};
std::vector<LineaPanelValor> LineasPanelValor(const ValorApuesta& v, const ImportesValor& importes,
                                              const QLocale& regional);

QString TextoPorcentajeValor(double probabilidad, const QLocale& regional); // "12,3456 %"
QString TextoEurosValor(double euros, const QLocale& regional);             // "1.234,56 €"

} // namespace quiniela
