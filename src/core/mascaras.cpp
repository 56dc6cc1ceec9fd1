#include "core/mascaras.h"

#include <cmath>

namespace quiniela {

QString FormatoNumero(double valor, QStringView mascara, const QLocale& regional) {
    const qsizetype punto = mascara.indexOf(u'.');
    const QStringView entera = punto < 0 ? mascara : mascara.left(punto);
    const QStringView fraccion = punto < 0 ? QStringView() : mascara.mid(punto + 1);

    int decimales = 0;
    for (QChar c : fraccion)
        if (c == u'0' || c == u'#')
            ++decimales;
    int minimoEnteras = 0;
    for (QChar c : entera)
        if (c == u'0')
            ++minimoEnteras;
    const bool agrupa = entera.contains(u',');

    const bool negativo = valor < 0;
    double escala = 1.0;
    for (int i = 0; i < decimales; ++i)
        escala *= 10.0;
    // Redondeo "mitad hacia fuera", como hacen las máscaras de presentación clásicas.
    const long long escalado = std::llround(std::fabs(valor) * escala);
    const long long parteEntera = escalado / static_cast<long long>(escala);
    const long long parteDecimal = escalado % static_cast<long long>(escala);

    QString cifras = parteEntera == 0 ? QString() : QString::number(parteEntera);
    while (cifras.size() < minimoEnteras)
        cifras.prepend(u'0');

    QString resultado;
    if (agrupa && cifras.size() > 3) {
        const QString separador = regional.groupSeparator();
        const qsizetype primero = cifras.size() % 3 == 0 ? 3 : cifras.size() % 3;
        resultado = cifras.left(primero);
        for (qsizetype i = primero; i < cifras.size(); i += 3)
            resultado += separador + cifras.mid(i, 3);
    } else {
        resultado = cifras;
    }
    if (decimales > 0) {
        resultado += regional.decimalPoint();
        resultado += QString::number(parteDecimal).rightJustified(decimales, u'0');
    }
    if (negativo && escalado != 0)
        resultado.prepend(u'-');
    return resultado;
}

QString FormatoTexto(const QString& texto, QStringView mascara) {
    const bool izquierda = mascara.startsWith(u'!');
    const qsizetype ancho = mascara.count(u'@');
    return izquierda ? texto.leftJustified(ancho, u' ') : texto.rightJustified(ancho, u' ');
}

QString DosCifras(int valor) {
    return FormatoNumero(valor, u"00", QLocale::c());
}

QString ADerecha(const QString& texto, int ancho) {
    return texto.rightJustified(ancho, u' ');
}

QString AIzquierda(const QString& texto, int ancho) {
    return texto.leftJustified(ancho, u' ');
}

QString ADerecha(long long valor, int ancho) {
    return ADerecha(QString::number(valor), ancho);
}

QString CifrasFijas(const QString& texto, int ancho) {
    return texto.rightJustified(ancho, u'0');
}

QString AnchoFijo(const QString& texto, int ancho) {
    return texto.leftJustified(ancho, u' ', true);
}

} // namespace quiniela
