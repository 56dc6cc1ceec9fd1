#pragma once
// Ayuda con Qt Help: la colección quiniela.qhc, con los ficheros distribuidos, registra
// quiniela.qch.
// Cada tema de contexto es una palabra clave cuyo id es su número; el 0 es el menú principal.

#include "platform/plataforma.h"

#include <QString>
#include <QUrl>

#include <memory>

class QHelpEngine;
class QMainWindow;
class QTextBrowser;

namespace quiniela {

class AyudaQt final : public Ayuda {
public:
    // Sin ruta, la colección es quiniela.qhc de la carpeta del ejecutable.
    explicit AyudaQt(const QString& coleccion = QString());
    ~AyudaQt() override;
    AyudaQt(const AyudaQt&) = delete;
    AyudaQt& operator=(const AyudaQt&) = delete;

    // Muestra el tema en la ventana de ayuda (una sola, no modal); sin fichero, avisa.
    void AbreAyuda(int tema) override;

    // Página a la que lleva un tema; vacía si no hay ayuda o el tema no existe.
    QUrl UrlDeTema(int tema);
    // Ventana y visor de la ayuda; nulos mientras no se haya abierto.
    QMainWindow* Ventana() const;
    QTextBrowser* Visor() const;
    const QString& RutaColeccion() const { return coleccion_; }

    static QString RutaPorDefecto();

private:
    bool Prepara();
    void CreaVentana();

    QString coleccion_;
    std::unique_ptr<QHelpEngine> motor_;
    bool preparado_ = false;
    // Declarada después del motor: la ventana usa su modelo y debe destruirse antes.
    std::unique_ptr<QMainWindow> ventana_;
    QTextBrowser* visor_ = nullptr;
};

} // namespace quiniela
