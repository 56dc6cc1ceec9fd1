#pragma once
// La impresora predeterminada del sistema (Qt PrintSupport) y, cuando no hay ninguna, un PDF
// en la carpeta de documentos del usuario que se enseña con el visor del escritorio.

#include "platform/impresora.h"

#include <memory>

namespace quiniela {

// Ruta libre para el PDF de un documento: Documentos/Quiniela/<nombre>.pdf, con " (2)",
// " (3)"... si ya existe. Crea la carpeta.
QString RutaPdfDocumento(const QString& carpetaDocumentos, const QString& nombreDocumento);

// Impresora para un documento con ese nombre. Sin impresora instalada, el PDF se entrega al
// visor al terminar.
std::unique_ptr<Impresora> CreaImpresoraSistema(const QString& nombreDocumento,
                                                VisorDocumentos& visor);

// Visor real: dice dónde quedó el fichero con el diálogo de mensajes y lo abre.
class VisorDocumentosQt final : public VisorDocumentos {
public:
    void MuestraDocumento(const QString& ruta) override;
};

} // namespace quiniela
