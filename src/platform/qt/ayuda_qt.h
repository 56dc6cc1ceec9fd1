#pragma once
// Ayuda con Qt Help: la colección quiniela.qhc, con los ficheros distribuidos, registra
// quiniela.qch.
// Cada tema de contexto es una palabra clave cuyo id es su número; el 0 es el menú principal.

#include "platform/plataforma.h"

#include <QRect>
#include <QString>
#include <QUrl>

#include <memory>

class QHelpEngine;
class QMainWindow;
class QTextBrowser;

namespace quiniela {

class VentanaAyuda;

// Sitio de la ventana de ayuda: donde estaba si no tapa la pantalla que la pide; si la
// tapa, a su lado (a la derecha o a la izquierda, donde quepa más), dentro del área
// disponible y, si hace falta, más estrecha.
QRect SitioAyuda(const QRect& ayuda, const QRect& pantalla, const QRect& disponible);

class AyudaQt final : public Ayuda {
public:
    // Sin ruta, la colección es quiniela.qhc de la carpeta del ejecutable; sin fichero de
    // ajustes, el tamaño y el sitio de la ventana se recuerdan en la configuración del
    // usuario.
    explicit AyudaQt(const QString& coleccion = QString(), const QString& ajustes = QString());
    ~AyudaQt() override;
    AyudaQt(const AyudaQt&) = delete;
    AyudaQt& operator=(const AyudaQt&) = delete;

    // Muestra el tema en la ventana de ayuda, una sola y no modal, que admite el ratón y el
    // teclado aunque esté abierta una pantalla modal; sin fichero, avisa.
    void AbreAyuda(int tema) override;

    // Página a la que lleva un tema; vacía si no hay ayuda o el tema no existe.
    QUrl UrlDeTema(int tema);
    // Ventana y visor de la ayuda; nulos mientras no se haya abierto.
    QMainWindow* Ventana() const;
    QTextBrowser* Visor() const;
    const QString& RutaColeccion() const { return coleccion_; }

    static QString RutaPorDefecto();
    static QString AjustesPorDefecto();

private:
    bool Prepara();
    void CreaVentana();

    QString coleccion_;
    QString ajustes_;
    std::unique_ptr<QHelpEngine> motor_;
    bool preparado_ = false;
    // Declarada después del motor: la ventana usa su modelo y debe destruirse antes.
    std::unique_ptr<VentanaAyuda> ventana_;
    QTextBrowser* visor_ = nullptr;
};

} // namespace quiniela
