#include "core/texto_delimitado.h"

#include "core/error_fichero.h"

#include <cmath>

namespace quiniela {

void LectorDelimitado::SaltaBlancos() {
    while (pos_ < texto_.size() && (texto_[pos_] == u' ' || texto_[pos_] == u'\t'))
        ++pos_;
}

bool LectorDelimitado::AlFinal() const {
    qsizetype p = pos_;
    while (p < texto_.size() && texto_[p].isSpace())
        ++p;
    return p >= texto_.size();
}

std::optional<QString> LectorDelimitado::SiguienteCampo() {
    // Se saltan los finales de línea que quedan entre registros.
    while (pos_ < texto_.size() && texto_[pos_].isSpace())
        ++pos_;
    if (pos_ >= texto_.size())
        return std::nullopt;

    QString campo;
    if (texto_[pos_] == u'"') {
        const qsizetype cierre = texto_.indexOf(u'"', pos_ + 1);
        const qsizetype fin = cierre < 0 ? texto_.size() : cierre;
        campo = texto_.mid(pos_ + 1, fin - pos_ - 1);
        pos_ = cierre < 0 ? texto_.size() : cierre + 1;
        SaltaBlancos();
    } else {
        const qsizetype inicio = pos_;
        while (pos_ < texto_.size() && texto_[pos_] != u',' && texto_[pos_] != u'\r' &&
               texto_[pos_] != u'\n')
            ++pos_;
        campo = texto_.mid(inicio, pos_ - inicio).trimmed();
    }
    // Consume el separador: una coma o el final de la línea.
    if (pos_ < texto_.size() && texto_[pos_] == u',') {
        ++pos_;
    } else {
        if (pos_ < texto_.size() && texto_[pos_] == u'\r')
            ++pos_;
        if (pos_ < texto_.size() && texto_[pos_] == u'\n')
            ++pos_;
    }
    return campo;
}

int16_t LectorDelimitado::SiguienteEntero(int* error) {
    const auto campo = SiguienteCampo();
    if (!campo) {
        *error = ErrorFichero::FinDeFichero;
        return 0;
    }
    const QString t = campo->trimmed();
    if (t.isEmpty())
        return 0;
    bool ok = false;
    const double valor = t.toDouble(&ok);
    // nan o inf no son números que quepan en ninguna parte.
    if (!ok || !std::isfinite(valor)) {
        *error = ErrorFichero::TipoIncorrecto;
        return 0;
    }
    if (valor < -32768.5 || valor > 32767.5) {
        *error = ErrorFichero::Desbordamiento;
        return 0;
    }
    return static_cast<int16_t>(qRound(valor));
}

QString LectorDelimitado::SiguienteTexto(int* error) {
    const auto campo = SiguienteCampo();
    if (!campo) {
        *error = ErrorFichero::FinDeFichero;
        return QString();
    }
    return *campo;
}

QString EntreComillas(const QString& texto) {
    // El formato no tiene escape: unas comillas dentro cerrarían el texto antes y correrían
    // todos los valores siguientes. Se guardan como apóstrofo.
    QString dentro = texto;
    dentro.replace(QLatin1Char('"'), QLatin1Char('\''));
    return QLatin1Char('"') + dentro + QLatin1Char('"');
}

} // namespace quiniela
