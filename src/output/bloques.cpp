#include "output/bloques.h"

namespace quiniela {

// Sin búfer en el fichero: este ya escribe bloques enteros.
SalidaBloques::SalidaBloques(const QString& ruta, qsizetype bytesBloque)
    : fichero_(ruta, 0), bufer_(bytesBloque, Qt::Uninitialized), datos_(bufer_.data()),
      bloque_(bytesBloque) {}

void SalidaBloques::AnadeGrande(const char* datos, qsizetype bytes) {
    Vacia();
    if (bytes >= bloque_ / 2) {
        fichero_.Escribe(datos, bytes);
        return;
    }
    std::memcpy(datos_, datos, size_t(bytes));
    lleno_ = bytes;
}

bool SalidaBloques::Vacia() {
    if (lleno_ > 0)
        fichero_.Escribe(bufer_.constData(), lleno_);
    lleno_ = 0;
    return !HaFallado();
}

bool SalidaBloques::Confirma(std::unique_ptr<QFile>* lectura) {
    if (!Vacia())
        return false;
    if (lectura != nullptr) {
        *lectura = std::make_unique<QFile>(fichero_.RutaTemporal());
        if (!(*lectura)->open(QIODevice::ReadOnly)) {
            fallo_ = {NumeroErrorFichero((*lectura)->error(), fichero_.Destino()),
                      fichero_.Destino(), (*lectura)->errorString()};
            lectura->reset();
            fichero_.Descarta();
            return false;
        }
    }
    const ResultadoFichero r = fichero_.Publica();
    if (!r.Bien()) {
        if (fallo_.Numero == 0)
            fallo_ = r;
        if (lectura != nullptr)
            lectura->reset();
    }
    return r.Bien();
}

} // namespace quiniela
