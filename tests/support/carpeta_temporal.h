#pragma once
// Carpeta de datos temporal para una prueba, con utilidades de lectura y escritura.

#include "core/estado_global.h"

#include <QByteArray>
#include <QDir>
#include <QString>
#include <QTemporaryDir>

#include <map>

namespace quiniela::prueba {

class CarpetaTemporal {
public:
    CarpetaTemporal();
    // Ruta con barra final, como CarpetaDatos.
    QString Ruta() const;
    QString Ruta(const QString& nombre) const { return Ruta() + nombre; }
    void Escribe(const QString& nombre, const QByteArray& contenido) const;
    QByteArray Lee(const QString& nombre) const;
    bool Existe(const QString& nombre) const;
    // Estado con CarpetaDatos apuntando aquí.
    EstadoGlobal Estado() const;

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
