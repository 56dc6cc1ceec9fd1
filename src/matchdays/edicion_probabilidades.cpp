#include "matchdays/edicion_probabilidades.h"

#include <QRegularExpression>

#include <algorithm>

namespace quiniela {

namespace {

std::optional<int> Porcentaje(const QString& texto) {
    static const QRegularExpression cifras(QStringLiteral("^\\d{1,3}$"));
    const QString t = texto.trimmed();
    if (!cifras.match(t).hasMatch() || t.toInt() > 100)
        return std::nullopt;
    return t.toInt();
}

double Cuota(const QString& texto) {
    static const QRegularExpression numero(QStringLiteral("^\\d+([.,]\\d+)?$"));
    QString t = texto.trimmed();
    if (!numero.match(t).hasMatch())
        return 0.0; // no es una cuota: PorcentajesDeCuotas la rechaza
    return t.replace(u',', u'.').toDouble();
}

ComprobacionFila FilaPorcentajes(const TextosFila& textos) {
    ComprobacionFila c;
    c.Vacia = false;
    EstimacionPartido e{true, {}};
    int suma = 0;
    for (int s = 0; s < NumSignosMax; ++s) {
        // Una casilla en blanco cuenta 0: la suma se ve mientras se escribe la fila.
        const QString& t = textos[size_t(s)];
        const auto p = t.trimmed().isEmpty() ? std::optional<int>(0) : Porcentaje(t);
        if (!p) {
            c.Texto = QStringLiteral("de 0 a 100");
            return c;
        }
        e.Porcentaje[size_t(s)] = *p;
        suma += *p;
    }
    c.Texto = QString::number(suma);
    if (suma == 100)
        c.Valida = e;
    return c;
}

ComprobacionFila FilaCuotas(const TextosFila& textos) {
    ComprobacionFila c;
    c.Vacia = false;
    const auto pct = PorcentajesDeCuotas({Cuota(textos[0]), Cuota(textos[1]), Cuota(textos[2])});
    if (!pct) {
        c.Texto = QStringLiteral("cuotas > 1");
        return c;
    }
    c.Valida = EstimacionPartido{true, *pct};
    c.Texto = QStringLiteral("%1 %2 %3").arg((*pct)[0]).arg((*pct)[1]).arg((*pct)[2]);
    return c;
}

} // namespace

ComprobacionFila CompruebaFila(const TextosFila& textos, ModoProbabilidades modo) {
    if (std::all_of(textos.begin(), textos.end(),
                    [](const QString& t) { return t.trimmed().isEmpty(); }))
        return {};
    return modo == ModoProbabilidades::Cuotas ? FilaCuotas(textos) : FilaPorcentajes(textos);
}

TextosFila TextosDeEstimacion(const EstimacionPartido& e) {
    if (!e.Estimado)
        return {};
    return {QString::number(e.Porcentaje[0]), QString::number(e.Porcentaje[1]),
            QString::number(e.Porcentaje[2])};
}

LecturaFilas LeeFilas(const std::array<TextosFila, NumPartidos + 1>& filas,
                      ModoProbabilidades modo) {
    EstimacionesJornada e;
    for (int m = 1; m <= NumPartidos; ++m) {
        const ComprobacionFila c = CompruebaFila(filas[size_t(m)], modo);
        if (c.Vacia)
            continue;
        if (!c.Valida)
            return {std::nullopt, m};
        e[size_t(m)] = *c.Valida;
    }
    return {e, 0};
}

QString TituloProbabilidadesMal() {
    return QStringLiteral("PROBABILIDADES INCORRECTAS");
}

QString TextoProbabilidadesMal(int partido, ModoProbabilidades modo) {
    return QStringLiteral("Las probabilidades del partido ") + QString::number(partido) +
           (modo == ModoProbabilidades::Cuotas
                ? QStringLiteral(" deben ser tres cuotas decimales mayores que 1.")
                : QStringLiteral(" deben ser tres porcentajes enteros que sumen 100.")) +
           QStringLiteral(" Deje las tres casillas en blanco si no quiere estimarlo.");
}

} // namespace quiniela
