#pragma once
// Consulta de una reducción guardada tal como irá en los boletos: se rehace el fichero de
// trabajo de boletos y se enseña de tres en tres boletos (24 registros), con cuatro botones
// para ir al principio, retroceder, avanzar y al final.

#include <QLocale>
#include <QString>

#include <array>
#include <cstdint>
#include <memory>

class QFile;
class QIODevice;

namespace quiniela {

struct EstadoGlobal;

inline constexpr int BoletosPorBloque = 3;
inline constexpr int RegistrosPorBloque = 24; // tres boletos de ocho columnas
inline constexpr int TemaAyudaConsulta = 2300;

// Los cuatro botones de Pic_BotAdeAtr, en su orden de izquierda a derecha.
enum class BotonNavegacion { Ninguno = 0, Principio = 1, Retroceder = 2, Avanzar = 3, Final = 4 };

// Botón bajo un punto de Pic_BotAdeAtr (cuadrados de 24 en x = 1, 30, 59 y 88; y = 1..24).
BotonNavegacion BotonNavegacionEn(int x, int y);
QString TooltipNavegacion(BotonNavegacion boton);
bool NavegacionActiva(BotonNavegacion boton, int64_t primeraColumna, int64_t registros);
// PrimeraColumna tras pulsar el botón (sin mirar si está activo).
int64_t DestinoNavegacion(BotonNavegacion boton, int64_t primeraColumna, int64_t registros);

// Primer registro del bloque que enseña el boleto n, y primer boleto de un bloque.
int64_t PrimeraColumnaDeBoleto(int64_t boleto);
int64_t PrimerBoletoDeBloque(int64_t primeraColumna);

// Tres boletos leídos del fichero de trabajo: la fila j lleva el signo del partido j de
// cada una de las 24 columnas (un blanco en un hueco o más allá del final).
struct BloqueBoletos {
    int64_t PrimeraColumna = 1;
    std::array<QString, 15> Filas;                              // partido 1 primero, 24 caracteres
    std::array<QString, BoletosPorBloque> Titulos;              // "Boleto n", vacío sin columnas
    QString Grupo(int partido, int boleto) const;               // los 8 signos de un boleto (0..2)
    QString Linea(int partido, const QString& separador) const; // los tres grupos
};

// Lee los 24 registros desde primeraColumna. false si la lectura falla.
bool LeeBloqueBoletos(QIODevice& boletos, int64_t primeraColumna, BloqueBoletos& bloque);

// "###,###" + " Boleto" con menos de 9 columnas reducidas, si no " Boletos".
QString TextoTotalBoletos(int64_t boletos, int64_t apuestasReducidas, const QLocale& regional);
// "Consulta de columnas reducidas con el " + nombre largo del método.
QString TituloConsulta(int metodo);
// Ancho de la ventana en twips: 9100 con el método directo, 9550 con los otros dos.
int AnchoConsultaTwips(int metodo);

// Estado de la pantalla de consulta: la pantalla lo dibuja y le pasa las pulsaciones.
class Consulta {
public:
    explicit Consulta(EstadoGlobal& estado);
    ~Consulta();

    // Carga la reducción de (JornadaActual, OrdenActual): jornada, índice, fichero de
    // boletos rehecho y primer bloque. false si no hay columnas que enseñar.
    bool CargaConsulta();

    // Elección en las listas: true si hay que cargar (y se ha cargado). Elegir otra jornada
    // pone el orden a 1 salvo con ModoEdicion; repetir la elección no carga nada.
    bool EligeJornada(int jornada);
    bool EligeOrden(int orden);

    bool HayColumnas() const { return hayBoletos_; }
    int64_t PrimeraColumna() const { return bloque_.PrimeraColumna; }
    int64_t RegistrosBoletos() const { return registros_; }
    int64_t TotalBoletos() const { return boletos_; }
    const BloqueBoletos& BloqueActual() const { return bloque_; }
    // Línea del número de boletos; vacía sin columnas.
    QString TextoBoletos(const QLocale& regional) const;

    bool Activo(BotonNavegacion boton) const;
    // Pulsa un botón: si está activo mueve el bloque y lo lee; true si se movió.
    bool Pulsa(BotonNavegacion boton);
    // Salta al bloque del boleto n (1..boletos del fichero); false si no existe.
    bool IrABoleto(int64_t boleto);

    // Fallo al rehacer o leer el fichero de boletos (vacío si no lo hubo).
    const QString& Fallo() const { return textoFallo_; }

private:
    bool PreparaBoletos();
    bool MuestraColumnas(int64_t primera);
    void CierraBoletos();

    EstadoGlobal& estado_;
    std::shared_ptr<QFile> ficheroBoletos_;
    BloqueBoletos bloque_;
    int64_t registros_ = 0;
    int64_t boletos_ = 0;
    bool hayBoletos_ = false;
    QString textoFallo_;
};

} // namespace quiniela
