#include "platform/qt/estilo.h"

#include "core/colocacion_ventanas.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QWidget>

namespace quiniela {

void PintaFondoPanel(QPainter& p, const QRect& area) {
    QLinearGradient degradado(area.topLeft(), area.bottomLeft());
    degradado.setColorAt(0, VerdePanel);
    degradado.setColorAt(1, VerdeFondo);
    p.fillRect(area, degradado);
    p.setPen(QPen(VerdeOscuro, 2));
    p.drawRect(area.adjusted(1, 1, -1, -1));
}

void PintaPanelHundido(QPainter& p, const QRect& area) {
    p.fillRect(area, VerdePanel);
    p.fillRect(QRect(area.left() - 2, area.top() - 2, area.width() + 2, 2), VerdeOscuro);
    p.fillRect(QRect(area.left() - 2, area.top() - 2, 2, area.height() + 2), VerdeOscuro);
}

QFont LetraPrograma(int pixeles, bool negrita, bool fija) {
    QFont letra(fija ? QStringLiteral("Liberation Mono") : QStringLiteral("Liberation Sans"));
    if (fija) {
        letra.setFamilies({QStringLiteral("Liberation Mono"), QStringLiteral("Courier New")});
        letra.setFixedPitch(true);
    }
    letra.setStyleHint(fija ? QFont::Monospace : QFont::SansSerif);
    letra.setPixelSize(pixeles);
    letra.setBold(negrita);
    return letra;
}

QString EstiloTitulo() {
    return QStringLiteral("color: #ffff00; font-family: 'Liberation Sans'; font-size: 14px; "
                          "font-weight: bold; background: transparent;");
}

QString EstiloTexto() {
    return QStringLiteral("color: #ffffff; font-family: 'Liberation Sans'; font-size: 13px; "
                          "background: transparent;");
}

QString EstiloEditor() {
    // Campos y listas con un solo aspecto: fondo marfil, letra sin serifa, la entrada elegida
    // en verde con letra amarilla y sin el rectángulo de foco de Qt encima.
    return QStringLiteral(
        "QLineEdit, QListWidget { background: #fffff0; color: #003010; "
        "font-family: 'Liberation Sans'; font-size: 13px; border: 2px solid #003010; }"
        "QLineEdit { font-family: 'Liberation Mono'; }"
        "QListWidget { outline: none; }"
        "QListWidget::item:selected { background: #286e46; color: #ffff00; }"
        "QComboBox QAbstractItemView { background: #fffff0; color: #003010; "
        "font-family: 'Liberation Sans'; font-size: 13px; border: 1px solid #003010; "
        "outline: none; selection-background-color: #286e46; selection-color: #ffff00; }"
        // Opciones y casillas que se ven marcadas sobre el verde: claras con borde oscuro, y
        // marcadas con un punto o un relleno oscuro bien grande.
        "QRadioButton::indicator, QCheckBox::indicator { width: 12px; height: 12px; "
        "border: 2px solid #003010; background: #fffff0; }"
        "QRadioButton::indicator { border-radius: 8px; }"
        "QRadioButton::indicator:checked { background: qradialgradient(cx:0.5, cy:0.5, "
        "radius:0.5, fx:0.5, fy:0.5, stop:0 #003010, stop:0.55 #003010, stop:0.65 #fffff0, "
        "stop:1 #fffff0); }"
        "QCheckBox::indicator:checked { background: #003010; border-color: #ffff00; }"
        "QRadioButton::indicator:disabled, QCheckBox::indicator:disabled { background: "
        "#a0b0a0; }");
}

QRect AreaUtilPantalla() {
    const QScreen* pantalla = QGuiApplication::primaryScreen();
    if (pantalla == nullptr)
        return QRect(0, 0, 800, 600 - AltoBarraTareas);
    return AreaUtil(pantalla->geometry(), pantalla->availableGeometry());
}

QMargins MargenesMarco(const QWidget* ventana) {
    const QRect marco = ventana->frameGeometry();
    const QRect dentro = ventana->geometry();
    return MargenesMarco(QMargins(dentro.left() - marco.left(), dentro.top() - marco.top(),
                                  marco.right() - dentro.right(),
                                  marco.bottom() - dentro.bottom()));
}

void CentraEnPantalla(QWidget* ventana) {
    const QMargins marco = MargenesMarco(ventana);
    const QSize tamano = ventana->size().grownBy(marco);
    // move() de una ventana sitúa su marco.
    ventana->move(CentraMarco(AreaUtilPantalla(), tamano));
}

} // namespace quiniela
