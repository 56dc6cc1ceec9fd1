#pragma once
// Lectura por líneas y escritura por bloques de ficheros grandes, sin tenerlos en memoria.

#include <QByteArray>
#include <QFile>
#include <QIODevice>
#include <QString>

namespace quiniela {

inline constexpr qsizetype BytesBloqueSalida = qsizetype(1) << 20;

// Causa de un fallo al crear o escribir la ruta: carpeta que falta, disco lleno, volumen de
// solo lectura, sin permiso... seguida del texto del sistema entre paréntesis.
QString CausaFalloEscritura(const QFileDevice& fichero, const QString& ruta);

// Da las líneas de un dispositivo sin el salto final (ni el CR de un CR LF).
class LectorLineas {
public:
    explicit LectorLineas(QIODevice& dispositivo, qsizetype bytesBloque = BytesBloqueSalida);
    // false al final o tras un fallo de lectura (mírese Fallo()).
    bool Siguiente(const char*& datos, qsizetype& largo);
    bool Fallo() const { return FalloLectura; }

private:
    bool Rellena();

    QIODevice& Dispositivo;
    QByteArray Bufer;
    qsizetype Inicio = 0;
    qsizetype Fin = 0;
    bool FalloLectura = false;
    bool Agotado = false;
};

// Escribe por bloques en un temporal de la carpeta del destino que solo lo sustituye al
// confirmarlo, sin el búfer de Qt para que una escritura corta se vea en el momento. No se
// fuerza el volcado al disco (como cp): sería más lento que copiar el fichero varias veces.
class SalidaBloques {
public:
    explicit SalidaBloques(const QString& ruta, qsizetype bytesBloque = BytesBloqueSalida);
    ~SalidaBloques(); // sin Confirma(), el temporal se borra y el destino no cambia

    bool Abre();
    char* Reserva(qsizetype bytes); // hueco para escribir bytes; luego Avanza(bytes)
    void Avanza(qsizetype bytes) { Lleno += bytes; }
    void Anade(const char* datos, qsizetype bytes);
    bool Vacia();    // escribe lo pendiente; false si no se pudo
    bool Confirma(); // vacía, cierra y renombra el temporal sobre el destino
    QFileDevice::FileError Error() const { return Fichero.error(); }
    // Por qué falló, en español, con el texto del sistema entre paréntesis.
    QString Causa() const { return CausaFalloEscritura(Fichero, Destino); }
    bool HaFallado() const { return Fallido; }

private:
    QFile Fichero;
    QString Destino;
    QByteArray Bufer;
    qsizetype Lleno = 0;
    qsizetype Bloque;
    bool Fallido = false;
    bool Creado = false; // el temporal es nuestro: se borra si no se confirma
    bool Confirmado = false;
};

} // namespace quiniela
