#pragma once
// Impresoras que dibujan con QPainter sobre un dispositivo paginado (impresora del sistema
// o PDF). Solo necesitan Qt Gui: quiniela-cli las usa sin widgets.

#include "core/escritura.h"
#include "platform/impresora.h"

#include <QPainter>
#include <QPdfWriter>

#include <functional>

class QPagedPaintDevice;

namespace quiniela {

class ImpresoraPintor : public Impresora {
protected:
    // Lo llama el constructor de cada implementación con su dispositivo.
    void PonDispositivo(QPagedPaintDevice* dispositivo) { dispositivo_ = dispositivo; }
    // Cambia el papel del dispositivo antes de una página; la impresora real lo hace a su modo.
    virtual void CambiaPapel(QSize papelTwips);
    // Dónde cae el (0, 0) de las posiciones, en twips desde el origen del dispositivo.
    virtual QPoint Origen() const { return {}; }

    void EmpiezaPagina(int numero, QSize papelTwips) override;
    void DibujaTexto(int x, int y, const QString& texto, const FuenteImpresora& fuente) override;
    void DibujaRectangulo(int x, int y, int ancho, int alto) override;
    int MideAltoLinea(const FuenteImpresora& fuente) const override;
    QString TerminaDocumento(int paginas) override;

    QPainter Pintor;
    QPagedPaintDevice* dispositivo_ = nullptr;

private:
    QSize papelActual_;
    bool falloAlEmpezar_ = false;
};

// PDF sin márgenes propios: el área imprimible empieza en la esquina del papel, así que solo
// los márgenes del usuario mueven lo dibujado (boletos y continuo, que se miden sobre el
// papel); un listado de texto se aparta los bordes de una impresora corriente. Se escribe con
// EscrituraFichero: un disco lleno o una muerte a mitad nunca dejan un PDF roto ni quitan el
// anterior.
class ImpresoraPdf final : public ImpresoraPintor {
public:
    explicit ImpresoraPdf(const QString& ruta, const QString& titulo = QString());
    const QString& Ruta() const { return ruta_; }
    bool GuardaEnFichero() const override { return true; }
    // Se llama con la ruta cuando el fichero queda escrito.
    std::function<void(const QString&)> AlTerminar;

protected:
    QString TerminaDocumento(int paginas) override;
    QPoint Origen() const override;
    int AltoImprimible(QSize papelTwips) const override;

private:
    QString ruta_;
    EscrituraFichero fichero_; // antes que el escritor, que escribe en él
    QPdfWriter escritor_;
};

// Para InstalaCreadorImpresoraPdf.
std::unique_ptr<Impresora> CreaImpresoraPdfQt(const QString& ruta);

} // namespace quiniela
