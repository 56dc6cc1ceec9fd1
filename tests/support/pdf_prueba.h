#pragma once
// Lo que se ve en un PDF escrito de verdad, leído con las herramientas de poppler (pdftoppm,
// pdftotext, pdfinfo).

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QRectF>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <vector>

#include <gtest/gtest.h>

namespace quiniela::prueba {

// Rasteriza una página en gris con esa resolución.
inline QImage RasterizaPdf(const QString& pdf, int pagina, int ppp = 600) {
    const QString base = pdf + QStringLiteral("-p") + QString::number(pagina);
    const int rc = QProcess::execute(
        QStringLiteral("pdftoppm"),
        {QStringLiteral("-r"), QString::number(ppp), QStringLiteral("-gray"),
         QStringLiteral("-png"), QStringLiteral("-singlefile"), QStringLiteral("-f"),
         QString::number(pagina), QStringLiteral("-l"), QString::number(pagina), pdf, base});
    if (rc != 0 || !QFile::exists(base + QStringLiteral(".png")))
        ADD_FAILURE() << "pdftoppm " << rc << " " << QFile(pdf).size();
    QImageReader::setAllocationLimit(0); // una hoja A4 a 600 ppp pasa del límite de Qt
    return QImage(base + QStringLiteral(".png")).convertToFormat(QImage::Format_Grayscale8);
}

// Lo que lee pdftotext con esas opciones.
inline QString TextoPdf(const QString& pdf, const QStringList& opciones) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), opciones + QStringList{pdf, QStringLiteral("-")});
    p.waitForFinished();
    return QString::fromUtf8(p.readAllStandardOutput());
}

// Páginas del documento según pdfinfo (0 si no se puede leer).
inline int PaginasPdf(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdfinfo"), {pdf});
    p.waitForFinished();
    static const QRegularExpression paginas(QStringLiteral(R"(\nPages:\s+(\d+))"));
    const auto m = paginas.match(QString::fromUtf8(p.readAllStandardOutput()));
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}

// Palabra leída con su caja, en puntos desde la esquina superior izquierda de su página.
struct PalabraPdf {
    int Pagina;
    QRectF Caja;
    QSizeF Papel;
    QString Texto;
};

inline std::vector<PalabraPdf> PalabrasPdf(const QString& pdf) {
    static const QRegularExpression elemento(QStringLiteral(
        R"re(<page width="([\d.]+)" height="([\d.]+)">|<word xMin="([\d.]+)" yMin="([\d.]+)" )re"
        R"re(xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    std::vector<PalabraPdf> palabras;
    int pagina = 0;
    QSizeF papel;
    for (const auto& m : elemento.globalMatch(TextoPdf(pdf, {QStringLiteral("-bbox")}))) {
        if (!m.captured(1).isEmpty()) {
            ++pagina;
            papel = QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble());
            continue;
        }
        palabras.push_back({pagina,
                            QRectF(QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()),
                                   QPointF(m.captured(5).toDouble(), m.captured(6).toDouble())),
                            papel, m.captured(7)});
    }
    return palabras;
}

} // namespace quiniela::prueba
