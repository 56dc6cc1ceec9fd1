#pragma once
// Convención de errores de los ficheros de datos: el error del sistema se traduce al
// número clásico (53 no existe, 76 no existe la ruta, 7 memoria...), se guarda en
// UltimoErrorFichero, se avisa con la caja de mensaje del sistema (salvo el 6) y la
// rutina sigue; quien la llamó decide mirando UltimoErrorFichero.

#include <QFileDevice>
#include <QString>

#include <utility>

namespace quiniela {

struct EstadoGlobal;

namespace ErrorFichero {
inline constexpr int Desbordamiento = 6;
inline constexpr int SinMemoria = 7;
inline constexpr int CarpetaOcupada = 10; // otro escritor tiene el bloqueo
inline constexpr int TipoIncorrecto = 13;
inline constexpr int NoExiste = 53;
inline constexpr int ErrorEntradaSalida = 57;
inline constexpr int LongitudRegistro = 59; // tamaño que no es de registros enteros
inline constexpr int DiscoLleno = 61;
inline constexpr int FinDeFichero = 62;
inline constexpr int UnidadNoPreparada = 68;
inline constexpr int PermisoDenegado = 70;
inline constexpr int AccesoRuta = 75;
inline constexpr int RutaNoExiste = 76;
} // namespace ErrorFichero

// Resultado de guardar un fichero de datos: el número de error (0 si fue bien), la ruta y, cuando
// el número solo no lo dice bien (un destino que es una carpeta o un dispositivo, un disco de solo
// lectura), la causa en palabras.
struct ResultadoFichero {
    ResultadoFichero(int numero = 0, QString ruta = {}, QString causa = {})
        : Numero(numero), Ruta(std::move(ruta)), Causa(std::move(causa)) {}
    int Numero = 0;
    QString Ruta;
    QString Causa;
    bool Bien() const { return Numero == 0; }
};

// Textos propios de cada rutina de carga.
struct ContextoErrorFichero {
    QString Etiqueta;          // "LDG", "LJO", "LFB"... o el nombre del fichero
    QString TextoNoExiste;     // mensaje completo del error 53
    QString TextoRuta;         // lo que sigue a "ERROR 76: No existe el fichero "
    bool AvisaNoExiste = true; // AbreFicheroApuestas no avisa del 53
};

// Número de error para un fallo al abrir, leer o escribir la ruta dada.
int NumeroErrorFichero(QFileDevice::FileError error, const QString& ruta);

// Número de error de una escritura que falló: si la carpeta o el fichero ya no están, lo dice
// eso; sin sitio en el disco (o por encima de la cuota), el disco lleno. Nunca 0.
int NumeroErrorEscritura(const QFileDevice& fichero, const QString& ruta);

// Número de error de una escritura corta o fallida en la ruta dada, exista o no aún el
// fichero final: el disco lleno (aunque Qt no marque error) o lo que diga el sistema. Nunca 0.
int NumeroEscrituraCorta(const QFileDevice& fichero, const QString& ruta);

// La causa de un error de fichero en palabras ("el disco está lleno", "no hay permiso"...).
QString CausaErrorFichero(int numero);

// La causa de un fallo de escritura en palabras ("el disco está lleno"...).
QString CausaFalloEscritura(int numero);

// inicio + ": " + causa + " (error N)" + fin: el aviso de un guardado que falló.
QString TextoFalloGuardar(const QString& inicio, const ResultadoFichero& resultado,
                          const QString& fin = QStringLiteral("."));

// Texto del aviso según la tabla común; los números sin texto propio dicen además qué fichero
// no se pudo leer y por qué.
QString TextoErrorFichero(const ContextoErrorFichero& contexto, int numero, const QString& ruta);

// Guarda el número y avisa (excepto el error 6). Avisa la plataforma: están en
// platform/plataforma.cpp, y core no la incluye.
void NotificaErrorFichero(EstadoGlobal& estado, const ContextoErrorFichero& contexto, int numero,
                          const QString& ruta);

// Lo mismo con el resultado de un guardado.
void NotificaErrorFichero(EstadoGlobal& estado, const ContextoErrorFichero& contexto,
                          const ResultadoFichero& resultado);

} // namespace quiniela
