#pragma once
// Carpeta de datos temporal para una prueba, con utilidades de lectura y escritura.

#include "core/estado_global.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <map>

namespace quiniela::prueba {

class CarpetaTemporal {
public:
    CarpetaTemporal() { EXPECT_TRUE(dir_.isValid()); }
    // Ruta con barra final, como CarpetaDatos.
    QString Ruta() const { return dir_.path() + u'/'; }
    QString Ruta(const QString& nombre) const { return Ruta() + nombre; }
    void Escribe(const QString& nombre, const QByteArray& contenido) const {
        QFile f(Ruta(nombre));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(contenido);
    }
    QByteArray Lee(const QString& nombre) const {
        QFile f(Ruta(nombre));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    bool Existe(const QString& nombre) const { return QFile::exists(Ruta(nombre)); }
    // Estado con CarpetaDatos apuntando aquí.
    EstadoGlobal Estado() const {
        EstadoGlobal e;
        e.CarpetaDatos = Ruta();
        return e;
    }

private:
    QTemporaryDir dir_;
};

// Todos los ficheros de la carpeta con su contenido, para compararla byte a byte.
inline std::map<QString, QByteArray> ContenidoCarpeta(const CarpetaTemporal& carpeta) {
    std::map<QString, QByteArray> todo;
    for (const QString& n : QDir(carpeta.Ruta()).entryList(QDir::Files))
        todo[n] = carpeta.Lee(n);
    return todo;
}

} // namespace quiniela::prueba
