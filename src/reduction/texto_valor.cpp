#include "reduction/texto_valor.h"

#include "core/mascaras.h"

namespace quiniela {

namespace {

constexpr int AnchoAciertos = 8;
constexpr int AnchoCifra = 16;

QString CifraC(double x) {
    return QString::number(x, 'g', 15);
}

QString Celda(const QString& texto) {
    return ADerecha(texto, AnchoCifra);
}

} // namespace

QString TextoPorcentajeValor(double probabilidad, const QLocale& regional) {
    return FormatoNumero(probabilidad * 100.0, u"##0.0000", regional) + QStringLiteral(" %");
}

QString TextoEurosValor(double euros, const QLocale& regional) {
    return FormatoNumero(euros, u"##,###,##0.00", regional) + QStringLiteral(" €");
}

QStringList LineasValor(const ValorApuesta& v, const ImportesValor& importes,
                        const QLocale& regional) {
    QStringList lineas;
    lineas << ADerecha(QStringLiteral("Aciertos"), AnchoAciertos) +
                  Celda(QStringLiteral("Probabilidad")) + Celda(QStringLiteral("Al menos")) +
                  Celda(QStringLiteral("Columnas medias")) + Celda(QStringLiteral("Premio medio"));
    for (int i = 0; i < CategoriasValor; ++i) {
        const auto& premio = importes.PremioCategoria[size_t(i)];
        lineas << ADerecha(NumPartidos - i, AnchoAciertos) +
                      Celda(TextoPorcentajeValor(v.Probabilidad[size_t(i)], regional)) +
                      Celda(TextoPorcentajeValor(v.ProbAlMenos[size_t(i)], regional)) +
                      Celda(
                          FormatoNumero(v.ColumnasMedias[size_t(i)], u"###,##0.000000", regional)) +
                      Celda(premio ? TextoEurosValor(*premio, regional) : QString());
    }
    lineas << QString();
    lineas << QStringLiteral("Columnas:        ") +
                  FormatoNumero(double(v.Columnas), u"##,###,##0", regional);
    lineas << QStringLiteral("Coste:           ") + TextoEurosValor(importes.Coste, regional);
    if (importes.PremioEsperado)
        lineas << QStringLiteral("Premio esperado: ") +
                      TextoEurosValor(*importes.PremioEsperado, regional);
    if (importes.Rendimiento)
        lineas << QStringLiteral("Rendimiento:     ") +
                      FormatoNumero(*importes.Rendimiento * 100.0, u"##,###,##0.00", regional) +
                      QStringLiteral(" %");
    return lineas;
}

QString CsvValor(const ValorApuesta& v, const ImportesValor& importes) {
    QString csv = QStringLiteral(
        "aciertos;probabilidad;probabilidad_al_menos;columnas_esperadas;premio_esperado\n");
    for (int i = 0; i < CategoriasValor; ++i) {
        const auto& premio = importes.PremioCategoria[size_t(i)];
        csv += QString::number(NumPartidos - i) + u';' + CifraC(v.Probabilidad[size_t(i)]) + u';' +
               CifraC(v.ProbAlMenos[size_t(i)]) + u';' + CifraC(v.ColumnasMedias[size_t(i)]) +
               u';' + (premio ? CifraC(*premio) : QString()) + u'\n';
    }
    csv += QStringLiteral("coste;") + CifraC(importes.Coste) + u'\n';
    if (importes.PremioEsperado)
        csv += QStringLiteral("premio_esperado;") + CifraC(*importes.PremioEsperado) + u'\n';
    if (importes.Rendimiento)
        csv += QStringLiteral("rendimiento;") + CifraC(*importes.Rendimiento) + u'\n';
    return csv;
}

std::vector<LineaPanelValor> LineasPanelValor(const ValorApuesta& v, const ImportesValor& importes,
                                              const QLocale& regional) {
    std::vector<LineaPanelValor> lineas;
    for (int i = 0; i < CategoriasValor; ++i)
        lineas.push_back({QString::number(NumPartidos - i) +
                              (i == 0 ? QStringLiteral(" aciertos") : QStringLiteral(" o más")),
                          TextoPorcentajeValor(v.ProbAlMenos[size_t(i)], regional)});
    if (importes.PremioEsperado) {
        lineas.push_back({QStringLiteral("Premio esperado"),
                          TextoEurosValor(*importes.PremioEsperado, regional)});
        lineas.push_back({QStringLiteral("Rendimiento"),
                          importes.Rendimiento ? FormatoNumero(*importes.Rendimiento * 100.0,
                                                               u"##,##0.00", regional) +
                                                     QStringLiteral(" %")
                                               : QString()});
    } else {
        lineas.push_back({QStringLiteral("Premio esperado"), QStringLiteral("sin premios")});
    }
    return lineas;
}

} // namespace quiniela
