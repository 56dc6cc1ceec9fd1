#pragma once
// Ficheros de columnas de prueba.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace quiniela::prueba {

// Columna de 14 signos fijos (variando con i para que cada una se distinga) y el signo 15.
inline QString ColumnaPrueba(int i, QChar signo15) {
    static const char signos[] = "1X2";
    QString c;
    for (int m = 0; m < 14; ++m)
        c += QChar::fromLatin1(signos[(i >> (m % 7)) % 3 == 0 ? 0 : (i + m) % 3]);
    return c + signo15;
}

// n columnas con el mismo signo 15, numeradas desde `desde`.
inline QStringList ColumnasPrueba(int n, QChar signo15 = u'1', int desde = 0) {
    QStringList lista;
    for (int i = 0; i < n; ++i)
        lista << ColumnaPrueba(desde + i, signo15);
    return lista;
}

// Líneas del fichero de columnas: comillas, 15 signos, comillas, CR LF.
inline QByteArray FicheroColumnas(const QStringList& columnas) {
    QByteArray bytes;
    for (const QString& c : columnas)
        bytes += '"' + c.toLatin1() + "\"\r\n";
    return bytes;
}

} // namespace quiniela::prueba
