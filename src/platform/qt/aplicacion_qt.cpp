#include "platform/qt/aplicacion_qt.h"

#include "core/regional.h"
#include "platform/plataforma.h"
#include "platform/qt/accesible.h"
#include "platform/qt/estilo.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QLibraryInfo>
#include <QMouseEvent>
#include <QPalette>
#include <QPointer>
#include <QTranslator>

#include <cstdio>
#include <new>

namespace quiniela {

namespace {

// Caja (de lista o de números) a la que va un evento, también a través de su campo de texto.
QWidget* CajaDe(QObject* objeto) {
    for (QObject* o = objeto; o != nullptr; o = o->parent()) {
        if (qobject_cast<QComboBox*>(o) != nullptr || qobject_cast<QAbstractSpinBox*>(o) != nullptr)
            return static_cast<QWidget*>(o);
        if (o->isWidgetType() && static_cast<QWidget*>(o)->isWindow())
            break;
    }
    return nullptr;
}

// El clic cae en el área de una lista pero no en ninguna de sus entradas.
bool FueraDeLasEntradas(QObject* objeto, const QMouseEvent* evento) {
    auto* vista = qobject_cast<QAbstractItemView*>(objeto->parent());
    return vista != nullptr && objeto == vista->viewport() &&
           !vista->indexAt(evento->position().toPoint()).isValid();
}

// Gestos que cambiarían algo por accidente. La rueda del ratón solo cambia la caja en la que
// el usuario ha pulsado y que sigue teniendo el foco; sobre cualquier otra no hace nada (las
// listas sí se desplazan). Un clic en el hueco de una lista, debajo de sus entradas, tampoco
// hace nada: no quita la entrada elegida.
class FiltroAccidentes final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override {
        switch (evento->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseButtonRelease:
            if (FueraDeLasEntradas(objeto, static_cast<QMouseEvent*>(evento)))
                return true;
            if (QWidget* caja = CajaDe(objeto);
                caja && evento->type() != QEvent::MouseButtonRelease)
                pulsada_ = caja;
            break;
        case QEvent::FocusIn:
            // El foco llega a otro sitio sin pulsar (tabulador, Intro): la caja deja de ser la
            // pulsada. Abrir y cerrar su lista no cuenta.
            if (static_cast<QFocusEvent*>(evento)->reason() != Qt::PopupFocusReason &&
                CajaDe(objeto) != pulsada_)
                pulsada_ = nullptr;
            break;
        case QEvent::Wheel:
            if (QWidget* caja = CajaDe(objeto); caja != nullptr) {
                if (caja != pulsada_ || CajaDe(QApplication::focusWidget()) != caja) {
                    evento->accept();
                    return true;
                }
            }
            break;
        default:
            break;
        }
        return false;
    }

private:
    QPointer<QWidget> pulsada_;
};

} // namespace

bool CargaTraduccionQt(QApplication& app) {
    auto* traduccion = new QTranslator(&app);
    if (!traduccion->load(QStringLiteral("qt_es"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete traduccion;
        std::fputs("quiniela: no se encuentra la traducción española de Qt (paquete "
                   "qt6-translations-l10n); algunos botones saldrán en inglés.\n",
                   stderr);
        return false;
    }
    QApplication::installTranslator(traduccion);
    return true;
}

QString TextoSinMemoria() {
    return QStringLiteral("No hay memoria suficiente para terminar lo que ha pedido: se ha "
                          "dejado a medias. Cierre otros programas o elija algo más pequeño y "
                          "vuelva a intentarlo.");
}

bool AplicacionQuiniela::notify(QObject* receptor, QEvent* evento) {
    try {
        return QApplication::notify(receptor, evento);
    } catch (const std::bad_alloc&) {
        AvisaSistema(TextoSinMemoria());
        return false;
    }
}

void PreparaAplicacion(QApplication& app) {
    CargaTraduccionQt(app);
    FijaRegionalDePantallas();
    app.installEventFilter(new FiltroAccidentes(&app));
    // Botones y rejillas pintados, con su nombre y su acción para el lector de pantalla.
    InstalaAccesibilidad();
    // La selección de listas y campos, con los colores del programa en vez del azul de Qt.
    QPalette paleta = QApplication::palette();
    for (const auto grupo : {QPalette::Active, QPalette::Inactive}) {
        paleta.setColor(grupo, QPalette::Highlight, VerdeSeleccion);
        paleta.setColor(grupo, QPalette::HighlightedText, AmarilloTexto);
    }
    QApplication::setPalette(paleta);
}

} // namespace quiniela
