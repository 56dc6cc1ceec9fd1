#include "output/edicion_listados.h"

#include "core/datos_generales_tipo.h"

#include <algorithm>
#include <limits>

namespace quiniela {

namespace {

// Un número de boleto entre 1 y el total; sin boletos (no hay reducción), 0 como la salida.
int64_t Acota(int64_t valor, int64_t total) {
    return total < 1 ? 0 : std::clamp<int64_t>(valor, 1, total);
}

int16_t MargenValido(int valor) {
    return int16_t(std::clamp(valor, 0, 999));
}

} // namespace

int64_t ValorEntero(const QString& texto) {
    constexpr int64_t maximo = std::numeric_limits<int64_t>::max();
    qsizetype i = 0;
    while (i < texto.size() && texto[i] == u' ')
        ++i;
    bool negativo = false;
    if (i < texto.size() && (texto[i] == u'-' || texto[i] == u'+'))
        negativo = texto[i++] == u'-';
    int64_t valor = 0;
    for (; i < texto.size() && texto[i] >= u'0' && texto[i] <= u'9'; ++i) {
        const int cifra = texto[i].unicode() - u'0';
        valor = valor > (maximo - cifra) / 10 ? maximo : valor * 10 + cifra;
    }
    return negativo ? -valor : valor;
}

RangoBoletos RangoCompleto(int64_t totalBoletos) {
    return {Acota(1, totalBoletos), Acota(totalBoletos, totalBoletos)};
}

void CierraBoletoInicial(RangoBoletos& rango, const QString& texto, int64_t totalBoletos) {
    rango.Inicial = Acota(texto.trimmed().isEmpty() ? 1 : ValorEntero(texto), totalBoletos);
    if (rango.Final < rango.Inicial)
        rango.Final = rango.Inicial;
}

void CierraBoletoFinal(RangoBoletos& rango, const QString& texto, int64_t totalBoletos) {
    rango.Final = texto.trimmed().isEmpty() ? Acota(totalBoletos, totalBoletos)
                                            : Acota(ValorEntero(texto), totalBoletos);
    if (rango.Final < rango.Inicial)
        rango.Inicial = rango.Final;
}

QString RotuloBoletoInicial(int64_t valor) {
    return QStringLiteral("Boleto Inicial: ") + QString::number(valor);
}

QString RotuloBoletoFinal(int64_t valor) {
    return QStringLiteral("Boleto Final: ") + QString::number(valor);
}

QString RecortaCampoCorto(const QString& texto) {
    return texto.left(LargoCampoCorto);
}

int CierraMargen(const QString& texto) {
    return MargenValido(int(ValorEntero(RecortaCampoCorto(texto))));
}

int ParMargenes(int tipoListado) {
    return tipoListado == 1 ? 1 : 2;
}

int MargenIzquierdo(const DatosGenerales& datos, int tipoListado) {
    return datos.MargenIzquierdo[size_t(ParMargenes(tipoListado))];
}

int MargenSuperior(const DatosGenerales& datos, int tipoListado) {
    return datos.MargenSuperior[size_t(ParMargenes(tipoListado))];
}

void PonMargenIzquierdo(DatosGenerales& datos, int tipoListado, int valor) {
    datos.MargenIzquierdo[size_t(ParMargenes(tipoListado))] = MargenValido(valor);
}

void PonMargenSuperior(DatosGenerales& datos, int tipoListado, int valor) {
    datos.MargenSuperior[size_t(ParMargenes(tipoListado))] = MargenValido(valor);
}

QString RotuloMargenIzquierdo(int valor) {
    return QStringLiteral("Margen Izquierdo: ") + QString::number(valor);
}

QString RotuloMargenSuperior(int valor) {
    return QStringLiteral("Margen Superior: ") + QString::number(valor);
}

QString CampoCopiasAlEscribir(const QString& texto) {
    const QString corto = RecortaCampoCorto(texto);
    return ValorEntero(corto) < 1 ? QString() : corto;
}

int CierraCopias(const QString& texto) {
    const QString corto = RecortaCampoCorto(texto);
    return corto.trimmed().isEmpty() ? 1 : int(std::clamp<int64_t>(ValorEntero(corto), 1, 999));
}

QString RotuloCopias(int copias) {
    return QStringLiteral("Copias a imprimir:") + QString::number(copias);
}

} // namespace quiniela
