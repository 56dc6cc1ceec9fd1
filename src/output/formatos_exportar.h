#pragma once
// Los siete formatos de la copia a disco: seis de texto con las columnas o sus signos y el
// de registros fijos de 123 caracteres con que la administración valida las apuestas.

#include "core/tipos.h"
#include "output/bloques.h"

#include <QByteArray>
#include <QString>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <optional>

namespace quiniela {

enum class FormatoExportar { AD243 = 0, TXT1, TXT2, TXT3, TXT4, TXT5, TXT6 };
inline constexpr int NumFormatosExportar = 7;

// "AD243", o "TXT" seguido del índice.
QString CodigoFormato(FormatoExportar formato);
// El formato de un código, sin distinguir mayúsculas.
std::optional<FormatoExportar> FormatoDeCodigo(const QString& codigo);
// Rótulo del botón de opción ("Formato AD243", "Apuestas en formato continuo"...).
QString RotuloFormato(FormatoExportar formato);
// "AD243", o "Col" + jornada + orden (dos cifras cada uno) + ".txt".
QString NombreArchivoPropuesto(FormatoExportar formato, int jornada, int orden);

inline constexpr int LongitudRegistroAD243 = 123;
inline constexpr int64_t MaximoCampoAD243 = 999999; // seis cifras

struct CabeceraAD243 {
    int Jornada = 0;
    QString FechaJornada;      // "DD/MM/AA"
    QString CodigoDelegacion;  // 2 caracteres
    QString CodigoReceptor;    // 5 caracteres
    int64_t TotalColumnas = 0; // con las columnas duplicadas
    int64_t Boletos = 0;
};

// Número de control: cifras de delegación y receptor pesadas 1..7, módulo 11. Un carácter
// que no es cifra cuenta 0.
int NumeroControl(const QString& delegacion, const QString& receptor);

// El registro C: siempre 123 bytes (los campos demasiado largos se cortan).
QByteArray RegistroCAD243(const CabeceraAD243& cabecera);

// Escribe en el formato los registros del fichero de trabajo, uno a uno y en orden.
class EscritorFormato {
public:
    // registroC solo se usa en AD243, justo antes del primer registro D.
    EscritorFormato(FormatoExportar formato, SalidaBloques& salida, QByteArray registroC = {});
    // n registros de 19 bytes seguidos ("…" CR LF), columnas o huecos de 15 blancos, con el
    // formato que se dio al construirlo fijado al compilar para que el bucle de la copia no lo
    // mire cada vez.
    template <FormatoExportar F> void Registros(const char* registros, int64_t n, bool columnas) {
        if constexpr (F == FormatoExportar::AD243) {
            for (int64_t i = 0; i < n; ++i)
                RegistroD(registros + i * BytesRegistro + 1);
        } else if (columnas) {
            Textos<F>(registros, n); // los huecos no salen en los formatos de texto
        }
    }
    // Cierra el boleto que quede abierto (AD243).
    void Termina();
    int64_t BoletosCopiados() const { return boletos_; }
    int64_t ColumnasDuplicadas() const { return duplicadas_; }

private:
    static constexpr int BytesRegistro = NumPartidos + 4;
    // Lo más que ocupa una columna en texto: TXT5 y TXT6, 15 signos entre comillas con comas.
    static constexpr int MaximoTexto = 4 * NumPartidos + 4;
    template <FormatoExportar F> static char* Texto(char* p, const char* quince, bool separa);
    template <FormatoExportar F> void Textos(const char* registros, int64_t n);
    void RegistroD(const char* quince);
    void CierraBoleto();

    FormatoExportar formato_;
    SalidaBloques& salida_;
    QByteArray registroC_;
    std::array<char, LongitudRegistroAD243> boleto_{};
    int posicion_ = 0; // casilla del registro en su boleto (0: ninguno abierto)
    int llenas_ = 0;   // casillas con columna del boleto abierto
    int64_t boletos_ = 0;
    int64_t duplicadas_ = 0;
    bool primero_ = true; // aún no se ha escrito nada (los separadores de TXT3 y TXT5)
};

// Una columna en texto desde p; devuelve dónde acaba.
template <FormatoExportar F>
char* EscritorFormato::Texto(char* p, const char* quince, bool separa) {
    if constexpr (F == FormatoExportar::TXT1 || F == FormatoExportar::TXT2) {
        std::memcpy(p, quince, NumPartidos);
        p += NumPartidos;
    } else if constexpr (F == FormatoExportar::TXT3 || F == FormatoExportar::TXT4) {
        if (separa)
            *p++ = ',';
        *p++ = '"';
        std::memcpy(p, quince, NumPartidos);
        p += NumPartidos;
        *p++ = '"';
    } else { // TXT5 y TXT6: cada signo entre comillas, separados por comas
        for (int i = 0; i < NumPartidos; ++i) {
            if (i > 0 || separa)
                *p++ = ',';
            p[0] = '"';
            p[1] = quince[i];
            p[2] = '"';
            p += 3;
        }
    }
    if constexpr (F == FormatoExportar::TXT2 || F == FormatoExportar::TXT4 ||
                  F == FormatoExportar::TXT6) {
        *p++ = '\r';
        *p++ = '\n';
    }
    return p;
}

// Las columnas de un tramo, tantas de una vez como quepan en el bloque de salida: el bucle
// lleva su puntero y no vuelve a mirar el bloque en cada columna.
template <FormatoExportar F> void EscritorFormato::Textos(const char* registros, int64_t n) {
    constexpr bool conComas = F == FormatoExportar::TXT3 || F == FormatoExportar::TXT5;
    const int64_t porVez = std::max<int64_t>(1, salida_.BytesBloque() / MaximoTexto);
    bool separa = conComas && !primero_;
    primero_ = primero_ && n == 0;
    while (n > 0) {
        const int64_t k = std::min(n, porVez);
        char* const inicio = salida_.Reserva(k * MaximoTexto);
        char* p = inicio;
        for (int64_t i = 0; i < k; ++i, registros += BytesRegistro) {
            p = Texto<F>(p, registros + 1, separa);
            separa = conComas;
        }
        salida_.Avanza(p - inicio);
        n -= k;
    }
}

} // namespace quiniela
