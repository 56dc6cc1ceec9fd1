#pragma once
// Fichero que se escribe con un nombre temporal en su misma carpeta y solo toma su nombre
// cuando está completo: un programa que muere a mitad nunca deja medio fichero con el nombre
// bueno. Mientras se escribe, un fichero de bloqueo propio dice que su proceso sigue vivo;
// al arrancar se borran los temporales que ya no son de nadie.

#include <QFile>
#include <QLockFile>
#include <QString>

namespace quiniela {

// Ruta del temporal de un fichero: la final + "." + el proceso + ".parcial".
QString RutaParcial(const QString& rutaFinal);

class FicheroParcial {
public:
    explicit FicheroParcial(const QString& rutaFinal);
    ~FicheroParcial(); // si no se publicó, el temporal se borra
    FicheroParcial(const FicheroParcial&) = delete;
    FicheroParcial& operator=(const FicheroParcial&) = delete;

    bool Abre(QIODevice::OpenMode modo);
    QFile& Fichero() { return temporal_; }
    const QString& RutaTemporal() const { return rutaTemporalFichero_; }

    // Cierra el temporal y lo renombra encima del final, sustituyéndolo de una vez.
    // Devuelve el número de error (0 si fue bien).
    int Publica();

private:
    QString rutaFinal_;
    QString rutaTemporalFichero_;
    QLockFile bloqueo_;
    QFile temporal_;
    bool publicado_ = false;
};

// Borra de la carpeta los temporales cuyo proceso ya no existe (y sus bloqueos).
void LimpiaFicherosParciales(const QString& carpeta);

} // namespace quiniela
