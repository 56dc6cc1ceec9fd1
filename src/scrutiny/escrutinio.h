#pragma once
// Escrutinio de una reducción guardada: aciertos de cada columna contra la columna ganadora,
// recuento por categorías y por boletos, importes de los premios y las líneas de las listas
// Lis_Aciertos y Lis_Boletos. Los resultados se guardan como números; las líneas se componen
// desde ellos (una cifra que no cabe ensancha su línea en lugar de cortarse).

#include "core/tipos.h"

#include <QLocale>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>
#include <cstdint>
#include <vector>

namespace quiniela {

struct EstadoGlobal;

inline constexpr int NumCategorias = 6; // 15, 14, 13, 12, 11 y 10 aciertos
inline constexpr int AciertosMinimosPremio = 10;
inline constexpr int AnchoTextoPremio = 11; // como mucho, en pantalla, orden y fichero

// MarcasGanadora[j][s]: 1 si el signo s (1..3) es el resultado del partido j (1..15).
using MarcasGanadora = std::array<std::array<int16_t, NumSignosMax + 1>, NumPartidos + 1>;
// Textos y valores de los premios de las categorías 1..6; el índice 0 no se usa.
using TextosPremio = std::array<QString, NumCategorias + 1>;
using PremiosCategoria = std::array<double, NumCategorias + 1>;

// Aciertos de una columna (15 caracteres) contra la ganadora: el partido 15 solo cuenta
// cuando los catorce primeros son buenos.
int AciertosColumna(QStringView columna, QStringView ganadora);

// Marcas y textos de premio guardados en un registro de jornada (posiciones 464-544). Un
// signo guardado que no sea "1", "2" o "3" deja el partido sin resultado.
MarcasGanadora MarcasDeRegistro(const QString& registro);
TextosPremio TextosPremioDeRegistro(const QString& registro);

// "1", "X" o "2" por partido; vacío si algún partido no tiene resultado.
QString ColumnaGanadoraDeMarcas(const MarcasGanadora& marcas);

// Premio escrito por el usuario.
struct Premio {
    QString Texto;
    double Valor = 0;
};
// Valor del número con que empieza el texto ("," vale como punto decimal); 0 si no hay.
double ValorPremio(QStringView texto);
// Texto más corto del valor, en notación normal y con "." decimal; por debajo de 1 con
// dos decimales como mucho (".125" da "0.12"); nunca más de 11 caracteres.
Premio NormalizaPremio(const QString& texto);

// Filtro de la casilla de premio mientras se escribe: sin blancos a los lados, la "," pasa a
// ser "."; el carácter que acaba de escribirse (el anterior al cursor) se quita si no es
// cifra ni punto; como mucho 11 caracteres.
struct TextoCursor {
    QString Texto;
    int Cursor = 0;
};
TextoCursor FiltraTextoPremio(const QString& texto, int cursor);

// Un boleto con alguna columna de 10 o más aciertos.
struct BoletoPremiado {
    int64_t Boleto = 0;
    std::array<int32_t, NumCategorias> Columnas{}; // [0] de 15 aciertos ... [5] de 10
};

struct ResultadoEscrutinio {
    QString ColumnaGanadora;
    PremiosCategoria Premios{};
    // Columnas por aciertos; la de 15 cuenta también en 14.
    std::array<int64_t, NumPartidos + 1> AciertosCategoria{};
    std::vector<BoletoPremiado> Boletos;
    int64_t ColumnasLeidas = 0;

    // Importe de la categoría de esos aciertos en céntimos (0 por debajo de 10 aciertos).
    int64_t ImporteCentimos(int aciertos) const;
    // Suma de los importes ya redondeados.
    int64_t TotalCentimos() const;
};

// Importe con dos decimales y "." decimal, sin separador de miles ("3703.50").
QString TextoImporte(int64_t centimos);

// Líneas de Lis_Aciertos: la del total primero y luego 15..0 aciertos (23 caracteres).
QString LineaTotalAciertos(const ResultadoEscrutinio& r);
QString LineaAciertos(const ResultadoEscrutinio& r, int aciertos);
QStringList LineasAciertos(const ResultadoEscrutinio& r);

// Lo que enseña la pantalla en Lis_Aciertos: las mismas líneas con los miles y la coma de la
// configuración regional, el importe tan ancho como el mayor (14 como poco) y el encabezado
// "Aciertos Columnas ... Importe" con cada rótulo sobre el final de su columna.
struct TablaAciertos {
    QString Encabezado;
    QStringList Lineas; // el total primero y luego 15..0 aciertos; todas del mismo largo
};
TablaAciertos TablaAciertosPantalla(const ResultadoEscrutinio& r, const QLocale& regional);

// Línea de Lis_Boletos (26 caracteres) y la lista entera.
QString LineaBoleto(const BoletoPremiado& boleto);
QStringList LineasBoletos(const ResultadoEscrutinio& r);

// Guarda la columna ganadora (un dígito de signo por partido, "0" sin resultado) y los
// textos de premio en el registro de la jornada actual. Lee el registro del fichero y solo
// cambia 464-544 (y 1-13 si la jornada aún no tenía registro). Deja el registro escrito en
// RegistroJornada. Devuelve el número de error (0 si fue bien).
int GuardaEntradasEscrutinio(EstadoGlobal& estado, const MarcasGanadora& marcas,
                             const TextosPremio& textos);
QString TextoErrorGuardarEscrutinio(int numero);

} // namespace quiniela
