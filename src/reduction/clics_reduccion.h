#pragma once
// Lo que hace cada pulsación de la pantalla de reducción, sin ventana: marcas de la base,
// múltiples elegidos, columna probable, totales de signos, errores, método, jornada, orden,
// descripción y salida. Cada cambio deja la base coherente y recuenta las estadísticas.
// También aquí la geometría de las celdas: la pantalla dibuja donde se pulsa.

#include "reduction/criterios.h"
#include "reduction/estadisticas.h"
#include "reduction/tablas_directas.h"

#include <QRect>
#include <QString>
#include <QStringList>

#include <optional>

namespace quiniela {

struct EstadoGlobal;

// Celda de una rejilla: fila y columna; columna 0 cuando el punto no cae en ninguna.
// En Pic_Base y Pic_ColBas la fila es el partido (1..15) y la columna el signo (1..3); en
// Pic_Signos la fila es el total (0..14) y la columna el signo.
struct CeldaRejilla {
    int Fila = 0;
    int Columna = 0;
    explicit operator bool() const { return Columna != 0; }
    bool operator==(const CeldaRejilla&) const = default;
};

// Pruebas de pulsación, con coordenadas relativas a la caja de cada rejilla.
CeldaRejilla QueBaseHaPulsado(int x, int y);
CeldaRejilla QueProbableHaPulsado(int x, int y);
// Partido cuya casilla de Pic_Elegir está bajo el punto (solo múltiples, 1..14), o 0.
int QueElegidaHaPulsado(const QuinielaBase& base, int x, int y);
CeldaRejilla QueSignoUEDHaPulsado(int x, int y);

// Tamaño de las cajas y rectángulo de cada celda en su caja.
inline constexpr int AnchoCajaBase = 49; // Pic_Base y Pic_ColBas
inline constexpr int AnchoCajaElegir = 20;
inline constexpr int AltoCajaBase = 274;
inline constexpr int AnchoCajaSignos = 55;
inline constexpr int AltoCajaSignos = 271;
inline constexpr int PasoFilaBase = 18;
QRect CeldaBase(int partido, int signo);
QRect CeldaElegida(int partido);
QRect CeldaSignos(int signo, int total);

// Puntero sobre las rejillas.
enum class CursorRejilla { Normal, Lapiz, Goma, Mano, Prohibido };
CursorRejilla CursorSobreBase(const QuinielaBase& base, CeldaRejilla celda);
CursorRejilla CursorSobreProbable(const QuinielaBase& base, CeldaRejilla celda);
CursorRejilla CursorSobreElegida(const QuinielaBase& base, int partido);
CursorRejilla CursorSobreSignos(const EstadisticasReduccion& est, CeldaRejilla celda);
// Nombre del recurso del puntero ("lapiz", "goma", "ManoIndice"); vacío para el normal y
// para el de prohibido, que es del sistema.
QString NombreCursor(CursorRejilla cursor);

// Alto de la lista de errores con M + 1 valores.
inline int AltoListaErrores(int multiples) {
    return (multiples + 1) * 13 + 2;
}
// Valores 0..M con la máscara "@@".
QStringList EntradasListaErrores(int multiples);
QString RotuloMinErrores(int valor); // valor y "Mínimo"
QString RotuloMaxErrores(int valor); // valor y "Máximo"
QString RotuloOrden(int orden);      // "Orden " y el número
// Título de la ventana: "Reducción de apuestas por el " y el nombre largo del método.
QString TituloReducir(int metodo);

// La reducción en edición: el estado global más sus estadísticas recién calculadas.
class ClicsReduccion {
public:
    explicit ClicsReduccion(EstadoGlobal& estado);

    // Apertura: la jornada actual, su reducción guardada (o la base por defecto) y, si se
    // eligió en la lista, el método recordado.
    void Abre();
    void Recalcula();
    const EstadisticasReduccion& Estadisticas() const { return est_; }

    // Cada una devuelve si algo cambió.
    bool PulsaBase(int partido, int signo);
    bool PulsaElegida(int partido);
    bool PulsaProbable(int partido, int signo);
    bool PulsaSignoUED(int signo, int total);
    void SeleccionaTodo();
    void BorraTodo();
    void EligeMinErrores(int valor);
    void EligeMaxErrores(int valor);

    // Cambios que cierran la pantalla para volver a abrirla: devuelven true si hay que
    // cerrar (la petición de reabrir queda puesta).
    bool EligeMetodo(int metodo);
    bool EligeJornada(int jornada);
    bool EligeOrden(int orden);
    // Tras elegir una reducción en el histórico (jornada y orden ya puestos).
    void ReduccionDelIndice();

    void CambiaDescripcion(const QString& texto);
    // Pic_Salir: si la reducción está guardada, su registro toma la descripción actual.
    // Devuelve el mensaje que hay que mostrar si no se pudo grabar. La petición de reabrir
    // queda borrada en todo caso.
    std::optional<MensajeReduccion> Sal();

private:
    void PideReabrir();

    EstadoGlobal& estado_;
    EstadisticasReduccion est_;
    TablaDirecta tabla_;
};

} // namespace quiniela
