#pragma once
// Escritura por bloques de ficheros grandes en un temporal que solo sustituye al destino al
// confirmarlo.

#include <QByteArray>
#include <QFile>
#include <QString>

#include <cstring>

namespace quiniela {

// Bloques de un mega: medidos, con 64 o 128 KB las llamadas al sistema cuestan más de lo que
// se gana en caché.
inline constexpr qsizetype BytesBloqueSalida = qsizetype(1) << 20;

// El bloque para leer o escribir lo que sale de un fichero de columnas de tantos bytes. En uno
// de pocos megas pesa más el primer toque de cada página de un búfer de un mega que las
// llamadas de más de uno de 256 KB (un AD243 de 3^12 gasta un tercio más de CPU); en uno
// grande, al revés (un TXT2 de 3^15 tarda un 10 % más con 256 KB).
inline qsizetype BytesBloquePara(qint64 bytesColumnas) {
    return bytesColumnas < (qint64(64) << 20) ? qsizetype(1) << 18 : BytesBloqueSalida;
}

// Causa de un fallo al crear o escribir la ruta: carpeta que falta, disco lleno, volumen de
// solo lectura, sin permiso... seguida del texto del sistema entre paréntesis.
QString CausaFalloEscritura(const QFileDevice& fichero, const QString& ruta);

// Quien lee un fichero de trabajo lo dice así mientras lo tenga abierto: entonces no se
// reescribe en su sitio sino aparte, y lo que lee no cambia debajo de él.
void MarcaLectura(const QFile& fichero);

// Escribe por bloques, sin el búfer de Qt para que una escritura corta se vea en el momento.
// No se fuerza el volcado al disco (como cp): sería más lento que copiar el fichero varias
// veces.
class SalidaBloques {
public:
    // Destino: en un temporal de su carpeta que solo lo sustituye al confirmarlo; sin
    // confirmar, el destino queda como estaba.
    // Trabajo: un fichero de trabajo del programa que nadie lee sin rehacerlo antes
    // (FORBOLW.ZPK). Se reescribe en su sitio, sin truncarlo al abrir: volver a escribir las
    // páginas del anterior cuesta mucho menos que soltar cientos de megas y pedir otros
    // tantos. Al confirmar se corta a lo escrito; sin confirmar se borra, nunca queda a medias.
    // Si alguien lo está leyendo (MarcaLectura), va aparte y lo sustituye, como un destino.
    enum class Uso { Destino, Trabajo };
    explicit SalidaBloques(const QString& ruta, Uso uso = Uso::Destino,
                           qsizetype bytesBloque = BytesBloqueSalida);
    ~SalidaBloques(); // sin Confirma(), se borra lo escrito

    bool Abre();
    // Hueco para escribir hasta bytes (no más que un bloque); luego Avanza(escritos).
    char* Reserva(qsizetype bytes) {
        if (lleno_ + bytes > bloque_)
            Vacia();
        return datos_ + lleno_;
    }
    void Avanza(qsizetype bytes) { lleno_ += bytes; }
    qsizetype BytesBloque() const { return bloque_; }
    // Los trozos grandes se escriben tal cual, sin pasar por el búfer.
    void Anade(const char* datos, qsizetype bytes) {
        if (lleno_ + bytes <= bloque_) {
            std::memcpy(datos_ + lleno_, datos, size_t(bytes));
            lleno_ += bytes;
        } else {
            AnadeGrande(datos, bytes);
        }
    }
    bool Vacia();    // escribe lo pendiente; false si no se pudo
    bool Confirma(); // vacía, cierra y deja el fichero en su sitio
    QFileDevice::FileError Error() const { return fichero_.error(); }
    // Por qué falló, en español, con el texto del sistema entre paréntesis.
    QString Causa() const { return CausaFalloEscritura(fichero_, destino_); }
    bool HaFallado() const { return fallido_; }

private:
    void AnadeGrande(const char* datos, qsizetype bytes);
    void Escribe(const char* datos, qsizetype bytes);
    bool Sustituye(); // pone el temporal en el sitio del destino
    bool AbreEnSuSitio();

    QFile fichero_;
    QString destino_;
    QByteArray bufer_;
    char* datos_; // los de bufer_, sin pasar por data() en cada registro
    qsizetype lleno_ = 0;
    qsizetype bloque_;
    Uso trabajo_;
    bool enSuSitio_ = false;
    bool fallido_ = false;
    bool creado_ = false; // el temporal es nuestro: se borra si no se confirma
    bool confirmado_ = false;
};

} // namespace quiniela
