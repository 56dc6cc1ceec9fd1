#include "platform/qt/impresora_sistema.h"

#include "platform/plataforma.h"
#include "platform/qt/impresora_pintor.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>
#include <QUrl>

namespace quiniela {

namespace {

class ImpresoraQt final : public ImpresoraPintor {
public:
    explicit ImpresoraQt(const QPrinterInfo& info, const QString& nombreDocumento)
        : impresora_(info, QPrinter::HighResolution) {
        impresora_.setDocName(nombreDocumento);
        impresora_.setFullPage(false); // las posiciones cuentan desde el área imprimible
        PonDispositivo(&impresora_);
    }

protected:
    int AltoImprimible(QSize papel) const override {
        const QRectF util = impresora_.pageLayout().paintRect(QPageLayout::Inch);
        const QRectF todo = impresora_.pageLayout().fullRect(QPageLayout::Inch);
        const int margenes = qRound((todo.height() - util.height()) * TwipsPorPulgada);
        return papel.height() - margenes;
    }

private:
    QPrinter impresora_;
};

QString NombreFicheroSeguro(QString nombre) {
    static const QString prohibidos = QStringLiteral("/\\:*?\"<>|");
    for (QChar& c : nombre)
        if (prohibidos.contains(c) || c.unicode() < 32)
            c = u'-';
    nombre = nombre.trimmed();
    return nombre.isEmpty() || nombre.startsWith(u'.') ? QStringLiteral("Documento") : nombre;
}

} // namespace

QString RutaPdfDocumento(const QString& carpetaDocumentos, const QString& nombreDocumento) {
    QDir carpeta(carpetaDocumentos);
    carpeta.mkpath(QStringLiteral("Quiniela"));
    carpeta.cd(QStringLiteral("Quiniela"));
    const QString base = NombreFicheroSeguro(nombreDocumento);
    QString ruta = carpeta.filePath(base + QStringLiteral(".pdf"));
    for (int n = 2; QFileInfo::exists(ruta); ++n)
        ruta = carpeta.filePath(base + QStringLiteral(" (%1).pdf").arg(n));
    return ruta;
}

std::unique_ptr<Impresora> CreaImpresoraSistema(const QString& nombreDocumento,
                                                VisorDocumentos& visor) {
    const QPrinterInfo predeterminada = QPrinterInfo::defaultPrinter();
    if (!predeterminada.isNull())
        return std::make_unique<ImpresoraQt>(predeterminada, nombreDocumento);
    const QString documentos = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    auto pdf = std::make_unique<ImpresoraPdf>(
        RutaPdfDocumento(documentos.isEmpty() ? QDir::homePath() : documentos, nombreDocumento),
        nombreDocumento);
    pdf->AlTerminar = [&visor](const QString& ruta) { visor.MuestraDocumento(ruta); };
    return pdf;
}

void VisorDocumentosQt::MuestraDocumento(const QString& ruta) {
    // Se dice que se abre solo si el escritorio ha aceptado abrirlo.
    const bool abierto = QDesktopServices::openUrl(QUrl::fromLocalFile(ruta));
    MuestraMensaje(QStringLiteral("DOCUMENTO GUARDADO EN PDF"),
                   QStringLiteral("No hay ninguna impresora instalada. El documento se ha "
                                  "guardado en el fichero ") +
                       QDir::toNativeSeparators(ruta) +
                       (abierto ? QStringLiteral(" y se abre ahora con el visor de documentos.")
                                : QStringLiteral(". Ábralo con un visor de PDF para verlo o "
                                                 "imprimirlo.")));
}

} // namespace quiniela
