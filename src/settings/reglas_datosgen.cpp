#include "settings/reglas_datosgen.h"

#include "core/datos_generales_tipo.h"
#include "core/mascaras.h"
#include "settings/datos_generales.h"

#include <charconv>

namespace quiniela {

TextoEditor FiltraTecleo(const QString& texto, int cursor, bool admitePunto) {
    TextoEditor r{texto, cursor};
    if (cursor > 0 && cursor <= r.Texto.size()) {
        const QChar c = r.Texto[cursor - 1];
        const bool valido = (c >= u'0' && c <= u'9') || (admitePunto && c == u'.');
        if (!valido) {
            r.Texto.remove(cursor - 1, 1);
            r.Cursor = cursor - 1;
        }
    }
    const QString recortado = r.Texto.trimmed();
    if (recortado != r.Texto) {
        r.Cursor = std::min<int>(r.Cursor, static_cast<int>(recortado.size()));
        r.Texto = recortado;
    }
    return r;
}

QString FiltraTotalJornadas(const QString& texto) {
    const QString t = texto.trimmed();
    const double v = ValorNumerico(t);
    return (v < 1 || v > 99) ? QString() : t;
}

int16_t CierraTotalJornadas(const QString& texto) {
    const double v = ValorNumerico(texto.trimmed());
    if (texto.trimmed().isEmpty() || v < 1)
        return 44;
    if (v > 52)
        return 52;
    return static_cast<int16_t>(v);
}

QString CierraPrecio(const QString& texto) {
    // El precio se guarda en simple precisión: su forma más corta es la del float.
    const float valor = static_cast<float>(ValorNumerico(texto));
    char buffer[32];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, valor, std::chars_format::fixed);
    QString forma = QString::fromLatin1(buffer, r.ptr - buffer);
    if (forma.startsWith(QStringLiteral("0.")))
        forma.remove(0, 1);
    forma = forma.left(4);
    if (forma.startsWith(u'.'))
        forma = QLatin1Char('0') + forma.left(3);
    return forma;
}

QString CierraCodigo(const QString& texto, int ancho) {
    return CifrasFijas(texto.trimmed().left(ancho), ancho);
}

QString RotuloTotalJornadas(const DatosGenerales& d) {
    return QStringLiteral("Total jornadas: ") + QLatin1Char(' ') + QString::number(d.TotalJornadas);
}

QString RotuloPrecio(const DatosGenerales& d) {
    return QStringLiteral("Precio apuesta: ") + AnchoFijo(d.PrecioApuesta, 4);
}

QString RotuloDelegacion(const DatosGenerales& d) {
    return QStringLiteral("Código Delegación: ") + AnchoFijo(d.CodigoDelegacion, 2);
}

QString RotuloReceptor(const DatosGenerales& d) {
    return QStringLiteral("Código Receptor: ") + AnchoFijo(d.CodigoReceptor, 5);
}

QString RotuloSonido(const DatosGenerales& d) {
    return QStringLiteral("Sonido activado:  ") + d.Sonido;
}

bool DatosGeneralesCambiados(const DatosGenerales& antes, const DatosGenerales& ahora) {
    return antes.TotalJornadas != ahora.TotalJornadas ||
           ValorNumerico(antes.CodigoDelegacion) != ValorNumerico(ahora.CodigoDelegacion) ||
           ValorNumerico(antes.CodigoReceptor) != ValorNumerico(ahora.CodigoReceptor) ||
           antes.PrecioApuestaValor != ahora.PrecioApuestaValor || antes.Sonido != ahora.Sonido;
}

} // namespace quiniela
