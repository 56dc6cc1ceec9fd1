#pragma once
// La única forma de escribir un fichero del programa: datos, columnas, el fichero de trabajo de
// los boletos, copias a disco, PDF y direcciones. Se escribe en un temporal de la carpeta del
// destino, se comprueba cada escritura y el cierre, se vuelca al disco y se renombra encima del
// destino: un fallo o una muerte a mitad nunca dejan medio fichero con el nombre bueno.
//
// Reglas (las mismas para todos los destinos):
// - Un destino que existe y no es un fichero normal (carpeta, dispositivo, FIFO, socket) se
//   rechaza: nunca se sustituye /dev/null ni una tubería.
// - Un enlace simbólico no se sigue: se sustituye el propio enlace.
// - El temporal se llama "<nombre>.quiniela-<proceso>.tmp" y su proceso lo tiene cerrado con
//   flock mientras vive; el siguiente guardado del mismo destino y el arranque borran los que
//   ya no son de nadie.
// - SIGXFSZ se ignora: pasar del límite de tamaño es un error como el disco lleno.

#include "core/error_fichero.h"

#include <QByteArray>
#include <QFile>
#include <QIODevice>
#include <QString>

namespace quiniela {

// Ruta del temporal de un destino para este proceso.
QString RutaTemporalEscritura(const QString& destino);

// Por qué no se puede escribir en ese destino aunque la carpeta lo permita (existe y no es un
// fichero normal), en palabras; vacío si se puede.
QString DestinoNoEscribible(const QString& destino);

// El fichero que se está escribiendo. Es un QIODevice para quien escribe por flujo (QPdfWriter,
// QTextStream): guarda en un búfer propio y escribe sin el de Qt, así que ningún fallo se pierde.
class EscrituraFichero final : public QIODevice {
public:
    explicit EscrituraFichero(const QString& destino, qint64 bytesBufer = qint64(1) << 18);
    ~EscrituraFichero() override; // sin Publica(), el temporal se borra

    // Comprueba el destino, borra temporales abandonados del mismo destino y crea el temporal.
    bool Abre();
    // Escribe tal cual; false si esta o una anterior falló.
    bool Escribe(const char* datos, qint64 bytes);
    bool Escribe(const QByteArray& datos) { return Escribe(datos.constData(), datos.size()); }
    // Vacía, vuelca al disco, cierra y renombra encima del destino. El resultado dice el fallo
    // (el primero que hubo) con el destino intacto y el temporal borrado.
    ResultadoFichero Publica();
    // Deja el destino como estaba.
    void Descarta();

    bool HaFallado() const { return fallo_.Numero != 0; }
    const ResultadoFichero& Fallo() const { return fallo_; }
    const QString& Destino() const { return destino_; }
    const QString& RutaTemporal() const { return temporal_; }
    // Bytes ya escritos en el temporal o pendientes en el búfer.
    qint64 Escritos() const { return escritos_; }

    // Solo hacia delante: quien pida volver atrás recibe false.
    bool seek(qint64 posicion) override {
        return posicion == escritos_ && QIODevice::seek(posicion);
    }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* datos, qint64 bytes) override;

private:
    bool VaciaBufer();
    bool EscribeEnFichero(const char* datos, qint64 bytes);
    void AnotaFallo(int numero, const QString& causa = QString());
    void AnotaFalloSistema(int errorSistema);
    void BorraTemporal();

    QString destino_;
    QString temporal_;
    QFile fichero_;
    QByteArray bufer_;
    qint64 bytesBufer_;
    qint64 escritos_ = 0;
    ResultadoFichero fallo_;
    bool abierto_ = false;
    bool publicado_ = false;
};

// La causa de un fallo de escritura en palabras, nombrando la carpeta cuando es cosa suya: "el
// disco está lleno", "no existe la carpeta /x", "no tiene permiso para escribir en la carpeta
// /x"...
QString CausaEnPalabras(const ResultadoFichero& fallo);

// Pone un fichero ya completo en el sitio de otro, de una vez (rename): para los cambios que se
// hacen en dos pasos, con el fichero esperando con otro nombre.
ResultadoFichero RenombraEncima(const QString& origen, const QString& destino);

// Escribe un fichero entero con EscrituraFichero.
ResultadoFichero GuardaFicheroEntero(const QString& ruta, const QByteArray& contenido);

// Copia un fichero con EscrituraFichero, por bloques.
ResultadoFichero CopiaFichero(const QString& origen, const QString& destino);

// ¿Es el nombre de un fichero propio del programa en su carpeta de datos (*.ZPK, el bloqueo, la
// sonda, un temporal de escritura o una copia de un fichero dañado)?
bool EsFicheroDelPrograma(const QString& nombre);

// Por qué una salida que pide el usuario (PDF, informe, copia a disco) no puede ir a esa ruta,
// resueltos los enlaces y los "..": caería sobre un fichero del programa en su carpeta de datos,
// o dentro de la carpeta donde está instalado. Vacío si puede.
QString SalidaSobreElPrograma(const QString& carpetaDatos, const QString& ruta);

// Por qué no se puede escribir una salida del usuario en esa ruta (vacía, carpeta, dispositivo,
// fichero del programa...), para decirlo antes de hacer nada; vacío si se puede.
QString MotivoSalidaNoValida(const QString& carpetaDatos, const QString& ruta);

// Borra de la carpeta los temporales de escritura cuyo proceso ya no existe (también los de
// versiones anteriores del programa: "*.<proceso>.parcial", "*.<proceso>.tmp").
void LimpiaTemporalesAbandonados(const QString& carpeta);

} // namespace quiniela
