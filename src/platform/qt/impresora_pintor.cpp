#include "platform/qt/impresora_pintor.h"

#include <QFileInfo>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>

namespace quiniela {

namespace {

// Qt redondea el cuerpo de letra a píxeles enteros (9,75 puntos saldrían 9,78 a 1200 ppp):
// se dibuja con un cuerpo diez veces mayor y el pintor a escala 0,1.
constexpr double AumentoLetra = 10.0;

QFont FuenteQt(const FuenteImpresora& f) {
    QFont fuente(f.Nombre);
    fuente.setPointSizeF(f.Puntos * AumentoLetra);
    fuente.setBold(f.Negrita);
    fuente.setKerning(false);
    return fuente;
}

double PixelesPorTwipX(const QPaintDevice& d) {
    return d.logicalDpiX() / double(TwipsPorPulgada);
}

double PixelesPorTwipY(const QPaintDevice& d) {
    return d.logicalDpiY() / double(TwipsPorPulgada);
}

QPageSize TamanoPagina(QSize twips) {
    if (twips == PapelA4Twips)
        return QPageSize(QPageSize::A4);
    return QPageSize(QSizeF(twips.width() / TwipsPorMilimetro, twips.height() / TwipsPorMilimetro),
                     QPageSize::Millimeter, QString(), QPageSize::ExactMatch);
}

} // namespace

void ImpresoraPintor::CambiaPapel(QSize papelTwips) {
    dispositivo_->setPageSize(TamanoPagina(papelTwips));
}

void ImpresoraPintor::EmpiezaPagina(int, QSize papelTwips) {
    if (papelTwips != papelActual_) {
        CambiaPapel(papelTwips);
        papelActual_ = papelTwips;
    }
    if (!Pintor.isActive())
        falloAlEmpezar_ = !Pintor.begin(dispositivo_);
    else
        dispositivo_->newPage();
}

void ImpresoraPintor::DibujaTexto(int x, int y, const QString& texto,
                                  const FuenteImpresora& fuente) {
    if (!Pintor.isActive())
        return;
    const QFont qfuente = FuenteQt(fuente);
    const QFontMetricsF medidas(qfuente, dispositivo_);
    x += Origen().x();
    y += Origen().y();
    Pintor.save();
    Pintor.translate(x * PixelesPorTwipX(*dispositivo_), y * PixelesPorTwipY(*dispositivo_));
    Pintor.scale(1 / AumentoLetra, 1 / AumentoLetra);
    Pintor.setFont(qfuente);
    Pintor.setPen(Qt::black);
    // La posición es la parte de arriba del texto; drawText pone ahí la línea base.
    Pintor.drawText(QPointF(0, medidas.ascent()), texto);
    Pintor.restore();
}

void ImpresoraPintor::DibujaRectangulo(int x, int y, int ancho, int alto) {
    if (!Pintor.isActive())
        return;
    const double px = PixelesPorTwipX(*dispositivo_);
    const double py = PixelesPorTwipY(*dispositivo_);
    x += Origen().x();
    y += Origen().y();
    Pintor.fillRect(QRectF(x * px, y * py, ancho * px, alto * py), Qt::black);
}

int ImpresoraPintor::MideAltoLinea(const FuenteImpresora& fuente) const {
    const QFontMetricsF medidas(FuenteQt(fuente), dispositivo_);
    return qRound(medidas.height() / AumentoLetra / PixelesPorTwipY(*dispositivo_));
}

QString ImpresoraPintor::TerminaDocumento(int paginas) {
    if (paginas > 0 && falloAlEmpezar_)
        return QStringLiteral("No se ha podido empezar la impresión.");
    if (Pintor.isActive() && !Pintor.end())
        return QStringLiteral("No se ha podido terminar la impresión.");
    return QString();
}

ImpresoraPdf::ImpresoraPdf(const QString& ruta, const QString& titulo)
    : ruta_(ruta), fichero_(ruta), escritor_(&fichero_) {
    fichero_.Abre(); // si no se puede, no empieza la primera página y se dice por qué
    PonDispositivo(&escritor_);
    escritor_.setResolution(1200);
    escritor_.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                        QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
    escritor_.setCreator(QStringLiteral("Quiniela"));
    escritor_.setTitle(titulo.isEmpty() ? QFileInfo(ruta).completeBaseName() : titulo);
}

QString ImpresoraPdf::TerminaDocumento(int paginas) {
    const QString error = ImpresoraPintor::TerminaDocumento(paginas);
    if (paginas == 0 && error.isEmpty()) {
        fichero_.Descarta();
        return error;
    }
    // QPdfWriter no avisa si no pudo escribir: lo sabe el fichero, que ve cada escritura.
    const ResultadoFichero r = fichero_.Publica();
    if (!r.Bien() || !error.isEmpty())
        return QStringLiteral("No se ha podido escribir el fichero ") + ruta_ +
               QStringLiteral(": ") +
               (r.Bien() ? QStringLiteral("no se ha podido terminar el documento")
                         : CausaEnPalabras(r)) +
               u'.';
    if (AlTerminar)
        AlTerminar(ruta_);
    return QString();
}

QPoint ImpresoraPdf::Origen() const {
    if (!ApartadaDeLosBordes())
        return {};
    return {MargenesImpresoraComun.Izquierdo, MargenesImpresoraComun.Superior};
}

int ImpresoraPdf::AltoImprimible(QSize papel) const {
    if (!ApartadaDeLosBordes())
        return papel.height();
    return papel.height() - MargenesImpresoraComun.Superior - MargenesImpresoraComun.Inferior;
}

std::unique_ptr<Impresora> CreaImpresoraPdfQt(const QString& ruta) {
    return std::make_unique<ImpresoraPdf>(ruta);
}

} // namespace quiniela
