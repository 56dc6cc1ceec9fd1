#pragma once
// Informe impreso del último escrutinio: cabecera, partidos con el signo ganador, premios por
// categoría, columnas agrupadas por aciertos con su importe, total y boletos premiados (13
// líneas en la primera página y 58 en cada una de las siguientes, con la cabecera repetida).

#include "scrutiny/escrutinio.h"

#include <QLocale>
#include <QString>

namespace quiniela {

class Impresora;

struct DatosInforme {
    int Jornada = 0;
    int Orden = 0;
    QString Fecha;           // "DD/MM/AA"
    QString RegistroJornada; // para los nombres de los equipos
    QLocale Regional;        // separadores de los importes y del total de boletos
};

// Líneas del informe que no dependen de la impresora.
QString LineaCabeceraInforme(const DatosInforme& datos);
QString LineaPartidoInforme(const QString& registro, int partido, QChar signo);
QString LineaPremioInforme(double premio, int categoria, const QLocale& regional);
QString LineaAgrupadaInforme(const ResultadoEscrutinio& r, int aciertos, const QLocale& regional);
QString LineaTotalInforme(const ResultadoEscrutinio& r, const QLocale& regional);
QString LineaBoletoInforme(const BoletoPremiado& boleto);

// Imprime el informe entero y termina el documento. Devuelve false si la impresora falló.
bool ImprimeInformeEscrutinio(Impresora& impresora, const DatosInforme& datos,
                              const ResultadoEscrutinio& r);

// Nombre del documento (y del PDF cuando no hay impresora).
QString NombreInformeEscrutinio(int jornada, int orden);

} // namespace quiniela
