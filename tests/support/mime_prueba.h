#pragma once
// Deshace la codificación de los mensajes de correo (quoted-printable y palabras codificadas
// de las cabeceras) para comparar lo enviado con el texto que se quería enviar.

#include <QByteArray>
#include <QRegularExpression>
#include <QString>

namespace quiniela::prueba {

inline QByteArray DecodificaQp(const QByteArray& qp) {
    QByteArray texto;
    for (qsizetype i = 0; i < qp.size(); ++i) {
        if (qp[i] != '=') {
            texto += qp[i];
            continue;
        }
        const QByteArray sigue = qp.mid(i + 1, 2);
        if (sigue != "\r\n")
            texto += char(sigue.toInt(nullptr, 16));
        i += 2;
    }
    return texto;
}

// Valor de una cabecera: las palabras =?UTF-8?Q?...?= unidas; sin ninguna, tal cual.
inline QString DecodificaCabecera(const QByteArray& valor) {
    static const QRegularExpression palabra(QStringLiteral("=\\?UTF-8\\?Q\\?([^?]*)\\?="));
    auto it = palabra.globalMatch(QString::fromLatin1(valor));
    if (!it.hasNext())
        return QString::fromLatin1(valor);
    QByteArray utf8;
    while (it.hasNext())
        utf8 += DecodificaQp(it.next().captured(1).replace(u'_', u' ').toLatin1());
    return QString::fromUtf8(utf8);
}

struct MensajeDecodificado {
    QString Para;
    QString Asunto;
    QString Cuerpo;
};

// Las cabeceras que importan y el cuerpo en quoted-printable de un mensaje, decodificados.
inline MensajeDecodificado DecodificaMensaje(const QByteArray& datos) {
    const qsizetype fin = datos.indexOf("\r\n\r\n");
    MensajeDecodificado d;
    // Las cabeceras desplegadas, una por línea.
    for (const QByteArray& linea : datos.left(fin).replace("\r\n ", " ").split('\n')) {
        const QByteArray l = linea.trimmed();
        if (l.startsWith("To: "))
            d.Para = QString::fromLatin1(l.mid(4));
        else if (l.startsWith("Subject: "))
            d.Asunto = DecodificaCabecera(l.mid(9));
    }
    d.Cuerpo = QString::fromUtf8(DecodificaQp(datos.mid(fin + 4)));
    return d;
}

} // namespace quiniela::prueba
