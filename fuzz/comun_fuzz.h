#pragma once
// Lo que comparten los objetivos de libFuzzer: una carpeta de datos propia en memoria
// (/dev/shm si existe), avisos que no se muestran y el paso de la entrada a un fichero.

#include "core/estado_global.h"
#include "platform/plataforma.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

namespace quiniela::fuzz {

// Los avisos se cuentan y se comprueba que solo lleven texto imprimible.
class AvisoMudo final : public AvisoSistema {
public:
    void Avisa(const QString& texto) override {
        for (QChar c : texto)
            if (c.category() == QChar::Other_Control && c != u'\r' && c != u'\n')
                std::abort();
        ++Avisos;
    }
    int Avisos = 0;
};

inline AvisoMudo& Aviso() {
    static AvisoMudo aviso;
    static const bool instalada = [] {
        Plataforma servicios;
        servicios.Aviso = &aviso;
        InstalaPlataforma(servicios);
        return true;
    }();
    (void)instalada;
    return aviso;
}

// Carpeta de datos que dura todo el proceso.
inline const QString& Carpeta() {
    static QTemporaryDir carpeta(QDir(QStringLiteral("/dev/shm")).exists()
                                     ? QStringLiteral("/dev/shm/quiniela-fuzz-XXXXXX")
                                     : QDir::tempPath() + QStringLiteral("/quiniela-fuzz-XXXXXX"));
    static const QString ruta = carpeta.path() + u'/';
    return ruta;
}

inline EstadoGlobal EstadoEnCarpeta() {
    Aviso();
    EstadoGlobal estado;
    estado.CarpetaDatos = Carpeta();
    return estado;
}

inline QByteArray Bytes(const uint8_t* datos, size_t tamano) {
    return QByteArray(reinterpret_cast<const char*>(datos), static_cast<qsizetype>(tamano));
}

inline void EscribeFichero(const QString& nombre, const QByteArray& contenido) {
    QFile fichero(Carpeta() + nombre);
    if (!fichero.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        fichero.write(contenido) != contenido.size())
        std::abort();
}

inline QByteArray LeeFichero(const QString& nombre) {
    QFile fichero(Carpeta() + nombre);
    return fichero.open(QIODevice::ReadOnly) ? fichero.readAll() : QByteArray();
}

// Comprobación de una propiedad: si no se cumple, libFuzzer guarda la entrada.
inline void Exige(bool condicion) {
    if (!condicion)
        std::abort();
}

} // namespace quiniela::fuzz
