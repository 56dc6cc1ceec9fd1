#include "core/fichero_lista.h"

#include "core/codificacion.h"
#include "core/texto_delimitado.h"
#include "core/tipos.h"

namespace quiniela {

QStringList ValoresDeLista(const QByteArray& contenido) {
    QStringList valores;
    LectorDelimitado lector(DeWindows1252(contenido));
    while (const auto campo = lector.SiguienteCampo()) {
        const QString valor = campo->trimmed();
        if (!valor.isEmpty())
            valores << valor;
    }
    return valores;
}

QByteArray ContenidoDeLista(const QStringList& valores) {
    QString texto;
    for (const QString& valor : valores)
        texto += valor.trimmed() + FinLinea;
    return AWindows1252(texto);
}

} // namespace quiniela
