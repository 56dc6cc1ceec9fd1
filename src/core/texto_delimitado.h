#pragma once
// Lectura y escritura de valores en forma delimitada: separados por comas, textos entre
// comillas dobles, enteros en decimal. Un fin de línea también separa valores.

#include <QString>

#include <cstdint>
#include <optional>

namespace quiniela {

class LectorDelimitado {
public:
    explicit LectorDelimitado(QString contenido) : texto_(std::move(contenido)) {}

    // Siguiente valor; nullopt al final del texto (error 62).
    std::optional<QString> SiguienteCampo();
    // Siguiente valor como entero de 16 bits; error 62, 13 o 6 en *error.
    int16_t SiguienteEntero(int* error);
    // Siguiente valor como texto; error 62 en *error.
    QString SiguienteTexto(int* error);
    bool AlFinal() const;

private:
    void SaltaBlancos();
    QString texto_;
    qsizetype pos_ = 0;
};

// Texto entre comillas dobles, tal como se escribe en los ficheros delimitados.
QString EntreComillas(const QString& texto);

} // namespace quiniela
