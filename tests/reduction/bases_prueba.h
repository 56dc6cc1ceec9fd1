#pragma once
// Bases de prueba y una referencia de la reducción escrita paso a paso, lenta y literal:
// cuentakilómetros sobre los signos de cada partido, con el partido 1 el más rápido.

#include "core/tipos.h"
#include "reduction/tablas_directas.h"

#include <QString>
#include <QStringList>

#include <ostream>
#include <random>

// Textos legibles en los fallos de las pruebas.
inline void PrintTo(const QString& texto, std::ostream* salida) {
    *salida << '"' << texto.toStdString() << '"';
}

namespace quiniela::prueba {

// Base a partir de fichas como las de la línea de órdenes: "1X2*=1", "12", "X"...
inline Reduccion BaseDeFichas(const QStringList& fichas, int metodo) {
    Reduccion red;
    red.Metodo = static_cast<int16_t>(metodo);
    for (int m = 1; m <= NumPartidos; ++m) {
        PartidoBase& p = red.Base[m];
        p = PartidoBase{};
        const QString f = fichas.value(m - 1);
        for (QChar c : f) {
            if (c == u'*' || c == u'=')
                break;
            if (c == u'1' || c == u'X' || c == u'2')
                p.Signo[c == u'1' ? 1 : c == u'X' ? 2 : 3] = 1;
        }
        p.RecuentaSignos();
        p.AReducir = f.contains(u'*') ? 1 : 0;
        const qsizetype igual = f.indexOf(u'=');
        if (igual >= 0) {
            const QChar s = f.at(igual + 1);
            p.SignoProbable = s == u'1' ? 1 : s == u'X' ? 2 : 3;
        }
    }
    return red;
}

// Base aleatoria con a lo sumo `maxColumnas` columnas desarrolladas.
inline Reduccion BaseAleatoria(std::mt19937& azar, int metodo, long long maxColumnas) {
    Reduccion red;
    red.Metodo = static_cast<int16_t>(metodo);
    long long total = 1;
    for (int m = 1; m <= NumPartidos; ++m) {
        PartidoBase& p = red.Base[m];
        p = PartidoBase{};
        int n = 1 + int(azar() % 3);
        while (total * n > maxColumnas)
            --n;
        // n signos distintos al azar
        std::array<int, 3> orden{1, 2, 3};
        std::shuffle(orden.begin(), orden.end(), azar);
        for (int i = 0; i < n; ++i)
            p.Signo[orden[i]] = 1;
        p.RecuentaSignos();
        total *= n;
        if (m < NumPartidos && n >= 2 && azar() % 4 != 0)
            p.AReducir = 1;
        if (p.AReducir == 1) {
            // probable: uno de los signos marcados
            int cual = int(azar() % n);
            for (int k = 1; k <= 3; ++k)
                if (p.Signo[k] == 1 && cual-- == 0)
                    p.SignoProbable = static_cast<int16_t>(k);
        }
    }
    int elegidos = 0;
    for (int m = 1; m <= NumPartidos; ++m)
        elegidos += PartidoElegido(red.Base, m);
    const int a = elegidos == 0 ? 0 : int(azar() % (elegidos + 1));
    const int b = elegidos == 0 ? 0 : int(azar() % (elegidos + 1));
    red.MinErrores = static_cast<int16_t>(std::min(a, b));
    red.MaxErrores = static_cast<int16_t>(std::max(a, b));
    for (int k = 1; k <= 3; ++k)
        for (int r = 0; r <= 14; ++r)
            red.Totales(k, r) = azar() % 2 == 0 ? 1 : 0;
    return red;
}

// Columnas que la reducción debe escribir, en su orden, desarrolladas una a una.
inline QStringList ReduccionDeReferencia(const Reduccion& red) {
    const QuinielaBase& base = red.Base;
    std::array<QString, NumPartidos + 1> signos;
    for (int m = 1; m <= NumPartidos; ++m)
        for (int k = 1; k <= 3; ++k)
            if (base[m].Signo[k] == 1)
                signos[m] += CaracterSigno(k);
    std::array<int8_t, NumPartidos + 1> hueco{};
    TablaDirecta tabla;
    if (red.Metodo == MetodoDirecto) {
        int t = 0, d = 0;
        for (int m = 1; m <= NumPartidos; ++m) {
            if (!PartidoElegido(base, m))
                continue;
            (base[m].NumSignos == 3 ? t : d) += 1;
        }
        if (EligeTablaDirecta(t, d, tabla))
            hueco = AsignaHuecos(base, tabla);
    }
    QStringList columnas;
    for (int m = 1; m <= NumPartidos; ++m)
        if (signos[m].isEmpty())
            return columnas;
    std::array<int, NumPartidos + 1> p{};
    for (;;) {
        QString columna;
        for (int m = 1; m <= NumPartidos; ++m)
            columna += signos[m].at(p[m]);
        if (red.Metodo == MetodoDirecto) {
            for (int c = 1; c <= std::max<int>(tabla.columnas, 1); ++c) {
                QString col = columna;
                for (int m = 1; m <= NumPartidos; ++m)
                    if (hueco[m] != 0)
                        col[m - 1] = CaracterSigno(SignoEnTabla(base[m], tabla, hueco[m], c));
                columnas << col;
            }
        } else if (red.Metodo == MetodoColumnaProbable) {
            int errores = 0;
            for (int m = 1; m <= 14; ++m) {
                const int prob = base[m].SignoProbable;
                if (base[m].AReducir == 1 && prob != 0 && columna.at(m - 1) != CaracterSigno(prob))
                    ++errores;
            }
            if (errores >= red.MinErrores && errores <= red.MaxErrores)
                columnas << columna;
        } else {
            int c[4] = {0, 0, 0, 0};
            for (int m = 1; m <= 14; ++m)
                if (base[m].AReducir == 1)
                    ++c[QStringLiteral("?1X2").indexOf(columna.at(m - 1))];
            if (red.Totales(1, c[1]) == 1 && red.Totales(2, c[2]) == 1 && red.Totales(3, c[3]) == 1)
                columnas << columna;
        }
        int m = 1;
        while (m <= NumPartidos) {
            if (hueco[m] == 0 && ++p[m] < signos[m].size())
                break;
            p[m] = 0;
            ++m;
        }
        if (m > NumPartidos)
            break;
    }
    return columnas;
}

} // namespace quiniela::prueba
