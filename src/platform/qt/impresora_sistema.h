#pragma once
// La impresora predeterminada del sistema (Qt PrintSupport) y, cuando no hay ninguna, un PDF
// en la carpeta de documentos del usuario que se enseña con el visor del escritorio.

#include "platform/impresora.h"

#include <functional>
#include <memory>

namespace quiniela {

// Ruta libre para el PDF de un documento: Documentos/Quiniela/<nombre>.pdf, con " (2)",
// " (3)"... si ya existe. Crea la carpeta.
QString RutaPdfDocumento(const QString& carpetaDocumentos, const QString& nombreDocumento);

// El PDF de un documento cuando no hay impresora: en RutaPdfDocumento, entregado al visor
// al terminar.
std::unique_ptr<Impresora> CreaPdfParaVisor(const QString& carpetaDocumentos,
                                            const QString& nombreDocumento, VisorDocumentos& visor);

// Impresora para un documento con ese nombre. Sin impresora instalada, el PDF se entrega al
// visor al terminar.
std::unique_ptr<Impresora> CreaImpresoraSistema(const QString& nombreDocumento,
                                                VisorDocumentos& visor);

// Lo que se dice de un PDF guardado; que se abre, solo si el visor lo ha abierto de verdad.
QString TextoDocumentoGuardado(const QString& ruta, bool abierto);

// Visor real: abre el fichero con el visor del escritorio y dice dónde quedó con el diálogo
// de mensajes.
class VisorDocumentosQt final : public VisorDocumentos {
public:
    void MuestraDocumento(const QString& ruta) override;
    // Cómo se abre el fichero; false si no hay nada que lo abra. Por defecto, el escritorio.
    std::function<bool(const QString& ruta)> Abre;
};

} // namespace quiniela
