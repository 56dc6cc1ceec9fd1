#pragma once
// Escritura por bloques de ficheros grandes en un temporal que solo sustituye al destino al
// confirmarlo.

#include "core/escritura.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <cstring>
#include <memory>

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

// Escribe por bloques con EscrituraFichero: en un temporal de la carpeta del destino que solo lo
// sustituye al confirmarlo; sin confirmar, el destino queda como estaba.
class SalidaBloques {
public:
    explicit SalidaBloques(const QString& ruta, qsizetype bytesBloque = BytesBloqueSalida);

    bool Abre() { return fichero_.Abre(); }
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
    bool Vacia(); // escribe lo pendiente; false si no se pudo
    // Vacía y pone el fichero en su sitio. Con `lectura`, deja allí lo escrito abierto para leer
    // desde antes de ponerlo en su sitio: quien lo lea ve lo suyo aunque otro lo sustituya
    // después.
    bool Confirma(std::unique_ptr<QFile>* lectura = nullptr);
    const ResultadoFichero& Fallo() const { return fallo_.Numero != 0 ? fallo_ : fichero_.Fallo(); }
    // Por qué falló, en español.
    QString Causa() const { return CausaEnPalabras(Fallo()); }
    bool HaFallado() const { return fichero_.HaFallado() || fallo_.Numero != 0; }

private:
    void AnadeGrande(const char* datos, qsizetype bytes);

    EscrituraFichero fichero_;
    QByteArray bufer_;
    char* datos_; // los de bufer_, sin pasar por data() en cada registro
    qsizetype lleno_ = 0;
    qsizetype bloque_;
    ResultadoFichero fallo_;
};

} // namespace quiniela
