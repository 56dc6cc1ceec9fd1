#pragma once
// Bases de prueba, lectura de los ficheros escritos y una reducción de referencia lenta y
// literal: cuentakilómetros sobre los signos de cada partido, con el partido 1 el más rápido.
// De la reducción solo toma la elección de tabla y sus cadenas, que tienen sus pruebas.

#include "core/tipos.h"
#include "reduction/tablas_directas.h"
#include "support/carpeta_temporal.h"

#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

#include <csignal>
#include <ostream>
#include <random>
#include <sys/resource.h>

namespace quiniela::prueba {

// Base a partir de fichas como las de la línea de órdenes: "1X2*=1 12 X ...".
inline Reduccion BaseDeFichas(const QString& texto, int metodo) {
    const QStringList fichas = texto.split(u' ', Qt::SkipEmptyParts);
    Reduccion red;
    red.Metodo = static_cast<int16_t>(metodo);
    for (int m = 1; m <= NumPartidos; ++m) {
        PartidoBase& p = red.Base[m];
        p = PartidoBase{};
        const QString f = fichas.value(m - 1);
        const QString signos = f.section(u'*', 0, 0).section(u'=', 0, 0);
        for (int k = 1; k <= 3; ++k)
            p.Signo[k] = signos.contains(QStringLiteral("1X2").at(k - 1)) ? 1 : 0;
        p.RecuentaSignos();
        p.AReducir = f.contains(u'*') ? 1 : 0;
        if (f.contains(u'='))
            p.SignoProbable = int16_t(QStringLiteral("1X2").indexOf(f.section(u'=', 1)) + 1);
    }
    return red;
}

// Base aleatoria con a lo sumo `maxColumnas` columnas desarrolladas.
inline Reduccion BaseAleatoria(std::mt19937& azar, int metodo, long long maxColumnas) {
    Reduccion red;
    red.Metodo = static_cast<int16_t>(metodo);
    long long total = 1;
    int elegidos = 0;
    for (int m = 1; m <= NumPartidos; ++m) {
        PartidoBase& p = red.Base[m];
        p = PartidoBase{};
        int n = 1 + int(azar() % 3);
        while (total * n > maxColumnas)
            --n;
        total *= n;
        std::array<int, 3> orden{1, 2, 3};
        std::shuffle(orden.begin(), orden.end(), azar);
        for (int i = 0; i < n; ++i)
            p.Signo[orden[i]] = 1;
        p.RecuentaSignos();
        // Probable también en los no elegidos: la pantalla puede dejarla al desmarcar.
        if (n >= 2)
            p.SignoProbable = int16_t(orden[azar() % n]);
        if (m < NumPartidos && n >= 2 && azar() % 4 != 0) {
            p.AReducir = 1;
            ++elegidos;
        }
    }
    const int a = int(azar() % (elegidos + 1));
    const int b = int(azar() % (elegidos + 1));
    red.MinErrores = static_cast<int16_t>(std::min(a, b));
    red.MaxErrores = static_cast<int16_t>(std::max(a, b));
    for (int k = 1; k <= 3; ++k)
        for (int r = 0; r <= 14; ++r)
            red.Totales(k, r) = azar() % 2;
    return red;
}

// Columnas que la reducción debe escribir, en su orden.
inline QStringList ReduccionDeReferencia(const Reduccion& red) {
    const QString unoEquisDos = QStringLiteral("1X2");
    const QuinielaBase& base = red.Base;
    std::array<QString, NumPartidos + 1> signos;
    std::array<bool, NumPartidos + 1> elegido{};
    for (int m = 1; m <= NumPartidos; ++m) {
        for (int k = 1; k <= 3; ++k)
            if (base[m].Signo[k] == 1)
                signos[m] += unoEquisDos.at(k - 1);
        if (signos[m].isEmpty())
            return {};
        elegido[m] = m < NumPartidos && base[m].AReducir == 1 && signos[m].size() >= 2;
    }
    // Método directo: los elegidos ocupan los huecos de la tabla, primero los triples.
    std::array<int, NumPartidos + 1> hueco{};
    TablaDirecta tabla;
    if (red.Metodo == MetodoDirecto) {
        int t = 0, d = 0;
        for (int m = 1; m <= NumPartidos; ++m)
            if (elegido[m])
                ++(signos[m].size() == 3 ? t : d);
        if (EligeTablaDirecta(t, d, tabla)) {
            for (int m = 1, ht = 0, hd = 0; m <= NumPartidos; ++m) {
                if (elegido[m] && signos[m].size() == 3 && ht < tabla.TriplesTabla)
                    hueco[m] = ++ht;
                else if (elegido[m] && signos[m].size() == 2 && hd < tabla.DoblesTabla)
                    hueco[m] = tabla.TriplesTabla + ++hd;
            }
        }
    }
    QStringList columnas;
    std::array<int, NumPartidos + 1> p{};
    for (;;) {
        QString columna;
        for (int m = 1; m <= NumPartidos; ++m)
            columna += signos[m].at(p[m]);
        if (red.Metodo == MetodoDirecto) {
            // La cifra de la cadena es la posición del signo entre los marcados.
            for (int c = 0; c < std::max<int>(tabla.Columnas, 1); ++c) {
                QString col = columna;
                for (int m = 1; m <= NumPartidos; ++m)
                    if (hueco[m] != 0)
                        col[m - 1] =
                            signos[m].at(CadenasTablas()[tabla.Inicio + hueco[m]][c] - '1');
                columnas << col;
            }
        } else {
            int errores = 0;
            int cuenta[3] = {0, 0, 0};
            for (int m = 1; m < NumPartidos; ++m) {
                if (base[m].AReducir != 1)
                    continue;
                const int prob = base[m].SignoProbable;
                errores += prob != 0 && columna.at(m - 1) != unoEquisDos.at(prob - 1);
                ++cuenta[unoEquisDos.indexOf(columna.at(m - 1))];
            }
            if (red.Metodo == MetodoColumnaProbable
                    ? errores >= red.MinErrores && errores <= red.MaxErrores
                    : red.Totales(1, cuenta[0]) == 1 && red.Totales(2, cuenta[1]) == 1 &&
                          red.Totales(3, cuenta[2]) == 1)
                columnas << columna;
        }
        int m = 1;
        while (m <= NumPartidos && (hueco[m] != 0 || ++p[m] == signos[m].size())) {
            p[m] = 0;
            ++m;
        }
        if (m > NumPartidos)
            return columnas;
    }
}

// Un fichero de columnas: comillas, 15 signos, comillas, CR LF.
inline QByteArray LineasColumnas(const QStringList& columnas) {
    QByteArray bytes;
    for (const QString& c : columnas)
        bytes += '"' + c.toLatin1() + "\"\r\n";
    return bytes;
}

// Registros de BASES.ZPK sin su CR LF.
inline QStringList RegistrosBases(const CarpetaTemporal& carpeta) {
    QStringList r;
    for (const QByteArray& l : carpeta.Lee(QStringLiteral("BASES.ZPK")).split('\n'))
        if (!l.isEmpty())
            r << QString::fromLatin1(l.chopped(1));
    return r;
}

inline const QString RegistroLibre = QStringLiteral("0000") + QString(226, u' ');

// Ejecuta `accion` con un límite de tamaño de fichero, que hace fallar la escritura como un
// disco lleno.
template <class F> void ConLimiteDeFichero(rlim_t bytes, F accion) {
    struct rlimit antes;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &antes), 0);
    auto senal = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limite = antes;
    limite.rlim_cur = bytes;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limite), 0);
    accion();
    setrlimit(RLIMIT_FSIZE, &antes);
    std::signal(SIGXFSZ, senal);
}

} // namespace quiniela::prueba
