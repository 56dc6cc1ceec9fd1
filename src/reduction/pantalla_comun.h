#pragma once
// Dibujo común de las pantallas que muestran una reducción (reducir, escrutinio, salida y
// consulta): las cajas de la base, de los elegidos, de la columna probable y de los totales
// de signos, los partidos de la jornada junto a las filas, los encabezados, el resumen de
// una reducción guardada y el paso de apertura común.

#include <QPoint>
#include <QRect>
#include <QString>
#include <QWidget>

#include <vector>

class QListWidget;
class QPainter;

namespace quiniela {

struct ContenidoLista;
struct EstadoGlobal;
class BotonImagen;

// Pic_Elegir y Pic_ColBas van a la derecha de Pic_Base, a estas distancias.
inline constexpr int XElegirDesdeBase = 68;
inline constexpr int XColBasDesdeBase = 106;

// Una caja de rejilla: Pic_Base, Pic_Elegir, Pic_ColBas o Pic_Signos. Se pinta desde la
// reducción cargada y avisa de la pulsación y del ratón con puntos relativos a la caja.
class CajaRejilla : public QWidget {
    Q_OBJECT
public:
    enum class Tipo { Base, Elegir, ColBas, Signos };
    CajaRejilla(Tipo tipo, const EstadoGlobal& estado, QWidget* padre);
    Tipo TipoCaja() const { return tipo_; }

Q_SIGNALS:
    void pulsada(QPoint punto);
    void movida(QPoint punto);
    void abandonada();

protected:
    void paintEvent(QPaintEvent* evento) override;
    void mousePressEvent(QMouseEvent* evento) override;
    void mouseMoveEvent(QMouseEvent* evento) override;
    void leaveEvent(QEvent* evento) override;

private:
    void PintaBase(QPainter& p) const;
    void PintaElegir(QPainter& p) const;
    void PintaColBas(QPainter& p) const;
    void PintaSignos(QPainter& p) const;

    Tipo tipo_;
    const EstadoGlobal& estado_;
};

// Los controles de una pantalla de rejilla; los que no tiene quedan nulos. El nombre de la
// pantalla (objectName: "reducir", "escrutin", "consredu", "salida"...) decide qué
// encabezados lleva.
struct ControlesRejilla {
    QWidget* pantalla = nullptr;
    BotonImagen* Pic_BotNroJor = nullptr;
    int anchoBotonJornada = 90;
    BotonImagen* Pic_BotOrden = nullptr;
    int anchoBotonOrden = 80;
    CajaRejilla* Pic_Base = nullptr;
    CajaRejilla* Pic_Elegir = nullptr;
    CajaRejilla* Pic_ColBas = nullptr;
    CajaRejilla* Pic_Signos = nullptr;
    BotonImagen* Pic_BotSelTodo = nullptr;
    BotonImagen* Pic_BotBorTodo = nullptr;
    int anchoBotonesTodo = 120;
    QWidget* Pic_BotMinErr = nullptr; // los errores permitidos van a su izquierda
    QWidget* Tex_Descripcion = nullptr;
    QWidget* Pic_Ganadora = nullptr;
    QWidget* Lis_Aciertos = nullptr;
    QWidget* Lis_Boletos = nullptr;
    QListWidget* Lis_Jornadas = nullptr;
    QListWidget* Lis_Orden = nullptr;
    int xPartidos = 15; // margen izquierdo de los partidos de la jornada
};

// Un texto de la pantalla: su caja y cómo se escribe.
struct TextoPantalla {
    enum class Estilo { Encabezado, Partido, Rotulo };
    QRect caja;
    QString texto;
    Estilo estilo = Estilo::Rotulo;
    Qt::Alignment alineacion = Qt::AlignLeft | Qt::AlignVCenter;
};

// Rótulos de los botones de jornada y orden, puntero de mano y rótulos de "Seleccionar
// todo" y "Borrar todo", cajas del método visibles, y repintado de todo.
void DibujaPantallaComun(const EstadoGlobal& estado, const ControlesRejilla& c);
// Textos que se escriben sobre el fondo: encabezados, partidos y rótulos.
std::vector<TextoPantalla> TextosPantallaComun(const EstadoGlobal& estado,
                                               const ControlesRejilla& c);
// Los escribe (desde el paintEvent de la pantalla).
void PintaPantallaComun(QPainter& p, const EstadoGlobal& estado, const ControlesRejilla& c);

// Rellena una lista de selección (jornadas, orden...) con su sitio y su elegida.
void LlenaLista(QListWidget* lista, const ContenidoLista& contenido);

// Apertura de escrutinio, consulta y salida: carga la reducción actual, coloca las cajas
// junto a Pic_Base y llena las listas con ModoEdicion puesto, de modo que la pantalla toma
// la jornada y el orden actuales como una elección confirmada.
void PreparaPantallaRejilla(EstadoGlobal& estado, const ControlesRejilla& c);

// Resumen de la reducción cargada, escrito en una superficie del ancho dado.
void PintaResumenReduccion(QPainter& p, const EstadoGlobal& estado, int anchoSuperficie);

} // namespace quiniela
