#pragma once
// Máscaras de presentación: un único sitio para rellenar y dar formato a números y textos.
// Números: "00", "#0", "##0.00", "###,###", "##,###,##0.00", "#######0.00"...
// Textos: "@@" (a la derecha con blancos), "!@@@@@@@" (a la izquierda con blancos).

#include <QLocale>
#include <QString>
#include <QStringView>

namespace quiniela {

// Da formato a un número con una máscara numérica; el separador de miles y el decimal
// son los de la configuración regional indicada (QLocale::c() en los ficheros).
QString FormatoNumero(double valor, QStringView mascara, const QLocale& regional);

// Da formato a un texto con una máscara "@@..." o "!@@...". Un texto más largo que
// la máscara se muestra entero.
QString FormatoTexto(const QString& texto, QStringView mascara);

// Atajos de uso frecuente.
QString DosCifras(int valor);                         // "00"
QString ADerecha(const QString& texto, int ancho);    // "@" * ancho
QString AIzquierda(const QString& texto, int ancho);  // "!" + "@" * ancho
QString ADerecha(long long valor, int ancho);         // número con "@" * ancho
QString CifrasFijas(const QString& texto, int ancho); // rellena con "0" a la izquierda
QString AnchoFijo(const QString& texto, int ancho);   // corta o rellena con blancos

} // namespace quiniela
