#pragma once
// Tipos del dominio de la quiniela: partidos, signos, columnas, base y totales.

#include <QString>

#include <array>
#include <cstdint>

namespace quiniela {

// Final de línea de los ficheros de datos y de los mensajes de varias líneas.
inline const QString FinLinea = QStringLiteral("\r\n");

inline constexpr int NumPartidos = 15; // partidos de una columna (1..15)
inline constexpr int NumSignosMax = 3; // 1 = "1", 2 = "X", 3 = "2"
inline constexpr int MaxOrden = 30;    // reducciones por jornada
inline constexpr int NumMetodos = 3;   // 1 Directo, 2 Columna Probable, 3 Selección de Signos

enum Metodo : int16_t { MetodoDirecto = 1, MetodoColumnaProbable = 2, MetodoSeleccionSignos = 3 };

// Carácter de un signo (1..3) en la forma de texto de una columna.
inline QChar CaracterSigno(int signo) {
    return QChar(u"?1X2"[signo >= 1 && signo <= 3 ? signo : 0]);
}

// Una apuesta sencilla: 15 signos (1..3), partido 1 primero. La fila 0 no se usa.
struct Columna {
    std::array<int8_t, NumPartidos + 1> Signo{};
    QString Texto() const {
        QString t;
        t.reserve(NumPartidos);
        for (int m = 1; m <= NumPartidos; ++m)
            t.append(CaracterSigno(Signo[m]));
        return t;
    }
};

// Una fila de la quiniela base: las seis celdas de 16 bits de un partido.
struct PartidoBase {
    std::array<int16_t, NumSignosMax + 1> Signo{}; // Signo[1..3]: marcado 0/1
    int16_t NumSignos = 0;                         // siempre Signo[1] + Signo[2] + Signo[3]
    int16_t AReducir = 0;                          // elegido como múltiple a reducir
    int16_t SignoProbable = 0;                     // 0 (ninguno) o 1..3

    void RecuentaSignos() { NumSignos = static_cast<int16_t>(Signo[1] + Signo[2] + Signo[3]); }
    bool operator==(const PartidoBase&) const = default;
};

// La apuesta múltiple que se reduce, con la columna probable en SignoProbable.
struct QuinielaBase {
    std::array<PartidoBase, NumPartidos + 1> Partido{}; // partido[1..15]

    PartidoBase& operator[](int m) { return Partido[m]; }
    const PartidoBase& operator[](int m) const { return Partido[m]; }
    bool operator==(const QuinielaBase&) const = default;

    // Base por defecto: el signo "1" solo en cada partido.
    static QuinielaBase PorDefecto() {
        QuinielaBase b;
        for (int m = 1; m <= NumPartidos; ++m) {
            b[m].Signo[1] = 1;
            b[m].NumSignos = 1;
        }
        return b;
    }
};

// Condición del método de selección de signos: TotalesSignos(k, r), k = 1..3, r = 0..15.
struct TotalesSignos {
    std::array<std::array<int16_t, NumPartidos + 1>, NumSignosMax + 1> Valor{};

    int16_t& operator()(int k, int r) { return Valor[k][r]; }
    int16_t operator()(int k, int r) const { return Valor[k][r]; }
    bool operator==(const TotalesSignos&) const = default;
};

// Cabecera de una reducción guardada (jornada y orden son los actuales del estado).
struct Reduccion {
    int16_t Metodo = MetodoDirecto;
    int16_t MinErrores = 0;
    int16_t MaxErrores = 0;
    int32_t ApuestasBase = 1;
    int32_t ApuestasReducidas = 1;
    QuinielaBase Base = QuinielaBase::PorDefecto();
    TotalesSignos Totales;
    QString Descripcion; // hasta 35 caracteres, sin blancos a los lados

    // Deja los valores de "no hay reducción guardada"; el método no cambia.
    void PonPorDefecto() {
        MinErrores = MaxErrores = 0;
        ApuestasBase = ApuestasReducidas = 1;
        Base = QuinielaBase::PorDefecto();
        Totales = TotalesSignos{};
        Descripcion.clear();
    }
};

// Un equipo: nombre de hasta 15 caracteres, sin blancos a los lados.
struct Equipo {
    QString Nombre;
};

inline constexpr int LongitudNombreEquipo = 15;

} // namespace quiniela
