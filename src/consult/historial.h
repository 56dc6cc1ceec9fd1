#pragma once
// Fichero histórico: una línea de 83 caracteres por reducción guardada, en el orden de los
// registros de BASES.ZPK, con la fecha de su jornada sacada de JORNADAS.ZPK. Veinte líneas
// por página; elegir una línea deja su jornada y orden como selección actual.

#include <QString>
#include <QStringList>

namespace quiniela {

struct EstadoGlobal;

inline constexpr int AnchoLineaHistorial = 83;
inline constexpr int LineasPorPagina = 20;
inline constexpr int NingunaLinea = 99;

// Geometría de la página (píxeles, origen en su esquina superior izquierda).
inline constexpr int XTextoHistorial = 20; // primera columna de las líneas
inline constexpr int YPrimeraLinea = 34;   // la línea k ocupa 34 + 16k + 3 .. 34 + 16k + 14
inline constexpr int AltoLineaHistorial = 16;
inline constexpr int YMaximaLinea = 350; // más abajo no hay líneas
inline constexpr int AnchoEsquina = 25;  // esquinas que pasan de página
inline constexpr int AltoEsquina = 16;

// Las dos cabeceras fijas de la página.
const QString& CabeceraHistorial1();
const QString& CabeceraHistorial2();

// Línea del histórico para un registro de BASES.ZPK ocupado, con el registro de su jornada
// (vale cualquiera: si no es el de esa jornada, la fecha va en blanco). La descripción va
// sin blancos a los lados, a la izquierda en 21 caracteres.
QString LineaHistorial(const QString& registroReduccion, const QString& registroJornada);

// Jornada y orden que muestra una línea (posiciones 2-3 y 15-16).
int JornadaDeLinea(const QString& linea);
int OrdenDeLinea(const QString& linea);

// Lo que hace el puntero sobre la página.
enum class PunteroHistorial { Normal, Mano, Prohibido };

// Estado de la pantalla del histórico; la pantalla lo dibuja y le pasa los clics.
class Historial {
public:
    explicit Historial(EstadoGlobal& estado) : estado_(estado) {}

    // Al abrir la pantalla: borra ReduccionElegida, construye la lista y se coloca en la
    // página de la selección actual.
    void Abre();

    const QStringList& Lis_Datos() const { return lineas_; }
    int PrimeraLinea() const { return primera_; }
    int LineaActual() const { return actual_; } // -1 si la selección no está en la lista
    int LineaBajoPuntero() const { return bajoPuntero_; }
    PunteroHistorial Puntero() const { return puntero_; }
    int Pagina() const { return primera_ / LineasPorPagina + 1; }
    int TotalPaginas() const;

    // Fija la línea de la página (0..19) que hay a la altura y, o 99.
    int HallaCualLinea(int y);

    bool PuedeAvanzar() const;
    bool PuedeRetroceder() const;
    // Pasan de página con el sonido 10 y una pausa; false si no se puede.
    bool AvanzaPagina();
    bool RetrocedePagina();

    // Elige la línea k de la página: jornada, orden y ReduccionElegida.
    bool EligeLinea(int linea);

    enum class Pulsacion { Nada, Avanza, Retrocede, Elige };
    // Botón del ratón sobre la página de ancho x alto.
    Pulsacion Pulsa(int x, int y, int ancho, int alto);

    // El puntero se mueve sobre la página: fija la línea bajo él y devuelve true si la
    // forma del puntero tiene que cambiar.
    bool MuevePuntero(int x, int y, int ancho, int alto);
    // El puntero sale de la página.
    bool SalePuntero();

private:
    bool EnEsquinaDerecha(int x, int y, int ancho, int alto) const;
    bool EnEsquinaIzquierda(int x, int y, int alto) const;
    bool EnFranjaLineas(int x, int ancho) const;
    bool CambiaPuntero(PunteroHistorial nuevo);

    EstadoGlobal& estado_;
    QStringList lineas_;
    int primera_ = 0;
    int actual_ = -1;
    int bajoPuntero_ = NingunaLinea;
    PunteroHistorial puntero_ = PunteroHistorial::Normal;
};

} // namespace quiniela
