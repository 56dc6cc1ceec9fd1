#pragma once
// Datos básicos de la reducción: jornada, la base con los múltiples elegidos y la columna
// probable, y el resumen. Las mismas líneas sirven para la impresión y para el correo.

#include "core/tipos.h"
#include "output/trabajo_impresion.h"

#include <QLocale>
#include <QString>

#include <vector>

namespace quiniela {

struct EstadoGlobal;
class Impresora;

struct DatosBasicos {
    int Jornada = 1;
    int Orden = 1;
    QString Fecha;           // "DD/MM/AA"
    QString RegistroJornada; // para los nombres de los equipos
    Reduccion Red;
    double Precio = 0.5; // precio de una apuesta
    QLocale Regional;    // separadores de las cifras
};

DatosBasicos DatosBasicosDe(const EstadoGlobal& estado, const QLocale& regional);

// Lo que sigue al importe: " €" en la impresión, " euros" en el correo.
inline QString MonedaImpresa() {
    return QStringLiteral(" €");
}
inline QString MonedaCorreo() {
    return QStringLiteral(" euros");
}

// Las líneas del informe, desde la de la jornada hasta la última del resumen (una línea
// vacía es un QString vacío). La impresión pone antes tres líneas vacías.
std::vector<QString> LineasDatosBasicos(const DatosBasicos& datos, const QString& moneda);

// Una línea de partido: nombres sobre puntos (35), dos blancos y la zona de signos (27).
QString LineaPartidoDatosBasicos(const DatosBasicos& datos, int partido);

// Imprime `copias` copias (1..999), una por página. No imprime nada sin reducción guardada.
ResultadoImpresion ImprimeDatosBasicos(const EstadoGlobal& estado, Impresora& impresora, int copias,
                                       const QLocale& regional, const AvisosImpresion& avisos);

} // namespace quiniela
