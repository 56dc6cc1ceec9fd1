#pragma once
// Lo común de las pantallas que muestran una reducción (reducir, escrutinio, salida y
// consulta): sus controles compartidos (jornada y orden con sus listas, las cajas de la
// base, de los elegidos, de la columna probable y de los totales de signos) y cómo se
// crean, los partidos de la jornada junto a las filas, los encabezados, el resumen de una
// reducción guardada y el paso de apertura común.

#include "platform/qt/accesible.h"

#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QString>
#include <QWidget>

#include <functional>
#include <vector>

class QListWidget;
class QPainter;

namespace quiniela {

struct EstadoGlobal;
class BotonImagen;
class GrupoDesplegables;

// Pic_Elegir y Pic_ColBas van a la derecha de Pic_Base, a estas distancias.
inline constexpr int XElegirDesdeBase = 68;
inline constexpr int XColBasDesdeBase = 106;

// Una caja de rejilla que avisa de la pulsación y del ratón con puntos relativos a ella.
class CajaPulsable : public QWidget {
    Q_OBJECT
public:
    explicit CajaPulsable(QWidget* padre);

    // Una pulsación en el centro de esa caja, como la del ratón (teclado y lector de pantalla).
    void PulsaEn(const QRect& caja);
    // La casilla que marca el teclado (las flechas la mueven, Espacio la pulsa); -1 sin foco.
    int CasillaDelTeclado() const { return hasFocus() ? casilla_ : -1; }

Q_SIGNALS:
    void pulsada(QPointF punto);
    void movida(QPointF punto);
    void abandonada();

protected:
    void connectNotify(const QMetaMethod& senal) override;
    void keyPressEvent(QKeyEvent* evento) override;
    void focusInEvent(QFocusEvent* evento) override;
    void focusOutEvent(QFocusEvent* evento) override;
    // Desde el paintEvent de la caja: el marco de la casilla del teclado.
    void PintaCasillaDelTeclado(QPainter& p) const;
    void mousePressEvent(QMouseEvent* evento) override;
    void mouseMoveEvent(QMouseEvent* evento) override;
    void leaveEvent(QEvent* evento) override;

private:
    int casilla_ = 0;
};

// Pic_Base, Pic_Elegir, Pic_ColBas o Pic_Signos, pintada desde la reducción cargada.
class CajaRejilla : public CajaPulsable, public ElementosAccesibles {
    Q_OBJECT
public:
    enum class Tipo { Base, Elegir, ColBas, Signos };
    CajaRejilla(Tipo tipo, const EstadoGlobal& estado, QWidget* padre);
    Tipo TipoCaja() const { return tipo_; }

    // Cada casilla para el lector de pantalla: partido, signo y si está marcada.
    int NumElementos() const override;
    ElementoAccesible Elemento(int indice) const override;

protected:
    void paintEvent(QPaintEvent* evento) override;

private:
    void PintaBase(QPainter& p) const;
    void PintaElegir(QPainter& p) const;
    void PintaColBas(QPainter& p) const;
    void PintaSignos(QPainter& p) const;

    Tipo tipo_;
    const EstadoGlobal& estado_;
};

// Un texto de la pantalla: su caja y cómo se escribe.
struct TextoPantalla {
    enum class Estilo { Encabezado, Partido, Rotulo };
    QRect Caja;
    QString Texto;
    Estilo Aspecto = Estilo::Rotulo;
    Qt::Alignment Alineacion = Qt::AlignLeft | Qt::AlignVCenter;
};

// Los controles que comparten las pantallas de rejilla, con sus nombres de siempre. La
// pantalla los hereda (`class PantallaSalida : public QDialog, public ControlesRejilla`) y
// los crea con las Crea... de abajo; los que no tiene quedan nulos.
struct ControlesRejilla {
    using Textos = std::function<void(std::vector<TextoPantalla>&)>;
    ControlesRejilla() = default;
    ControlesRejilla(QWidget* pantalla, int margenPartidos, Textos textosPropios = nullptr)
        : Pantalla(pantalla), MargenPartidos(margenPartidos),
          TextosPropios(std::move(textosPropios)) {}

    QWidget* Pantalla = nullptr;
    int MargenPartidos = 15; // margen izquierdo de los partidos de la jornada
    BotonImagen* Pic_BotNroJor = nullptr;
    QListWidget* Lis_Jornadas = nullptr;
    BotonImagen* Pic_BotOrden = nullptr;
    QListWidget* Lis_Orden = nullptr;
    CajaRejilla* Pic_Base = nullptr;
    CajaRejilla* Pic_Elegir = nullptr;
    CajaRejilla* Pic_ColBas = nullptr;
    CajaRejilla* Pic_Signos = nullptr;
    BotonImagen* Pic_Indice = nullptr;
    BotonImagen* Pic_Ayuda = nullptr;
    BotonImagen* Pic_Salir = nullptr;
    // Los rótulos propios de la pantalla, que se escriben con los partidos.
    Textos TextosPropios;
};

// Los botones de jornada y orden, arriba a la izquierda en todas las pantallas de rejilla.
inline constexpr QPoint PosJornadaRejilla(15, 12);
inline constexpr int AnchoJornadaRejilla = 90;
inline constexpr QPoint PosOrdenRejilla(119, 12);
inline constexpr int AnchoOrdenRejilla = 80;
// Índice, Ayuda y Salir.
inline constexpr int AnchoCortoRejilla = 80;

// Las listas de jornada y orden con la elegida en verde.
QString EstiloListasRejilla();

// Pic_Base en `base`, Pic_Elegir y Pic_ColBas a su derecha y Pic_Signos en `signos`.
void CreaCajasRejilla(ControlesRejilla& c, const EstadoGlobal& estado, QPoint base, QPoint signos);
void CreaBotonesJornadaOrden(ControlesRejilla& c);
// "Salir", "Ayuda" e "Índice"; la pantalla los coloca (abajo, con ColocaDesdeLaDerecha).
void CreaSalirAyudaIndice(ControlesRejilla& c);
// Después de los demás controles, para que al desplegarse queden encima.
void CreaListasJornadaOrden(ControlesRejilla& c);
// Las dos listas en el grupo de la pantalla; sus botones muestran la jornada y el orden.
void AnadeDesplegablesJornadaOrden(GrupoDesplegables& grupo, const EstadoGlobal& estado,
                                   const ControlesRejilla& c,
                                   std::function<void(int fila)> eligeJornada,
                                   std::function<void(int fila)> eligeOrden);
// Las llena con ModoEdicion puesto: la jornada y el orden actuales, elegidos sin sonido.
void LlenaListasJornadaOrden(EstadoGlobal& estado, const ControlesRejilla& c);
// Tras cambiarlos el programa (el índice, otra jornada que vuelve al orden 1), las listas
// marcan la jornada y el orden actuales sin que cuente como una elección.
void SiguenJornadaYOrden(EstadoGlobal& estado, const ControlesRejilla& c);

// Cajas del método visibles, y repintado de todo.
void DibujaPantallaComun(const EstadoGlobal& estado, const ControlesRejilla& c);
// Textos que se escriben sobre el fondo: los propios de la pantalla y los partidos.
std::vector<TextoPantalla> TextosPantallaComun(const EstadoGlobal& estado,
                                               const ControlesRejilla& c);
// Los escribe (desde el paintEvent de la pantalla).
void PintaPantallaComun(QPainter& p, const EstadoGlobal& estado, const ControlesRejilla& c);
// Dos líneas de encabezado sobre un control que empieza en `origen`: 30 y 16 píxeles más arriba.
void DosLineasEncima(std::vector<TextoPantalla>& t, QPoint origen, int ancho, const QString& arriba,
                     const QString& abajo,
                     TextoPantalla::Estilo estilo = TextoPantalla::Estilo::Encabezado,
                     Qt::Alignment alineacion = Qt::AlignLeft | Qt::AlignVCenter);
// "Quiniela base", "Partidos reducidos" y, con la columna probable, "Columna probable"
// sobre sus cajas; con la selección de signos, "Signos" y el total de cada fila junto a
// Pic_Signos. (La salida los escribe arriba de su caja, no centrados en ella.)
void AnadeEncabezadosBase(std::vector<TextoPantalla>& t, const ControlesRejilla& c, int metodo,
                          Qt::Alignment alineacion = Qt::AlignLeft | Qt::AlignVCenter);

// Apertura de escrutinio, consulta y salida: carga la reducción actual y llena las listas
// con LlenaListasJornadaOrden, de modo que la pantalla toma la jornada y el orden actuales
// como una elección confirmada.
void PreparaPantallaRejilla(EstadoGlobal& estado, const ControlesRejilla& c);

// Resumen de la reducción cargada, escrito en una superficie del ancho dado.
void PintaResumenReduccion(QPainter& p, const EstadoGlobal& estado, int anchoSuperficie);

} // namespace quiniela
