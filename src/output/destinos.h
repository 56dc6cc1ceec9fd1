#pragma once
// Destinos de la copia a disco: la carpeta personal y los volúmenes montados a los que un
// usuario copiaría (discos extraíbles y externos, recursos de red), por su nombre.

#include <QByteArray>
#include <QString>

#include <vector>

namespace quiniela {

struct UnidadDestino {
    QString Nombre;  // el que se muestra: "Carpeta personal", la etiqueta del volumen...
    QString Carpeta; // donde se escribe
};

// "Carpeta personal" primero y después los volúmenes que valen como destino, en el orden
// del sistema y sin repetir carpeta.
std::vector<UnidadDestino> CargaLisUnidades();

// ¿Es un volumen al que se copiaría? No lo son los de solo lectura, los del sistema ("/",
// "/boot", "/proc", "/sys", "/run"...), los de sistemas de ficheros virtuales ni los de snap.
bool EsVolumenDestino(const QString& raiz, const QByteArray& tipo, bool soloLectura);

// El destino sigue ahí (un disco extraído desde que se llenó la lista ya no está).
bool UnidadPresente(const UnidadDestino& unidad);

// Título del botón: "Unidad de destino:  " y el nombre.
QString TituloBotonUnidad(const UnidadDestino& unidad);

} // namespace quiniela
