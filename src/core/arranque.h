#pragma once
// Arranque: elección de la carpeta de datos y comprobación de la pantalla.

#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>

namespace quiniela {

// Los once ficheros que se copian a la carpeta de respaldo, en este orden.
const QStringList& FicherosDistribuidos();

// Prueba si se puede escribir en una carpeta: crea "CSCD.WRK" y lo borra.
using SondaEscritura = std::function<bool(const QString& carpeta)>;
bool SondaEscrituraReal(const QString& carpeta);

// Carpeta de respaldo del usuario: datos de la aplicación + "Temp/Tvr/".
QString CarpetaRespaldo();

// Dónde están los ficheros que acompañan al programa: en la carpeta de compilación, "data/"
// y la ayuda junto al ejecutable; instalado, los dos en la carpeta compartida
// ("../share/quiniela" respecto al ejecutable), que no se escribe nunca.
struct Distribucion {
    QString Datos;        // carpeta de los once ficheros, terminada en "/"
    QString AyudaEnLinea; // colección de la ayuda (quiniela.qhc)
    bool Instalada = false;
};
Distribucion BuscaDistribucion(const QString& carpetaEjecutable);

// La sonda que corresponde: la real en la carpeta de compilación; instalado, la carpeta
// compartida se da por no escribible aunque lo sea (ejecutado como root).
SondaEscritura SondaDe(const Distribucion& distribucion);

// Devuelve la carpeta de datos, terminada en "/". Si la del programa no admite escritura,
// usa la de respaldo (creándola) y, si allí falta DATOSGEN.ZPK, copia los once ficheros
// desde la carpeta del programa. Ningún fallo detiene el arranque.
QString EligeCarpetaDatos(const QString& carpetaPrograma, const QString& carpetaRespaldo,
                          const SondaEscritura& puedeEscribir);

// La misma elección con la sonda que corresponde a la distribución.
QString EligeCarpetaDatos(const Distribucion& distribucion, const QString& carpetaRespaldo);

// Una pantalla de menos de 800 píxeles de ancho no sirve.
bool PantallaSuficiente(QSize pantalla);
QString TextoResolucion(QSize pantalla);

// Texto de la ayuda inicial.
QString TextoAyudaInicial();
QString TituloPrograma();

// Carpeta con barra final.
QString ConBarraFinal(const QString& carpeta);

} // namespace quiniela
