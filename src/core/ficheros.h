#pragma once
// Acceso a los ficheros de datos por ruta completa, con la convención de errores.

#include "core/error_fichero.h"
#include "core/escritura.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <memory>
#include <optional>

namespace quiniela {

struct EstadoGlobal;
struct ContextoErrorFichero;

// Lee un fichero entero. Si falla, notifica el error con el contexto dado y devuelve
// nullopt; UltimoErrorFichero queda con el número.
std::optional<QByteArray> LeeFicheroDatos(EstadoGlobal& estado, const QString& nombre,
                                          const ContextoErrorFichero& contexto);

// Copia aparte un fichero que no se pudo leer, antes de que nada lo sustituya:
// "<nombre>.dañado" (o ".dañado.2"... si ya había uno). Devuelve el nombre de la copia, o
// nullopt si no se pudo copiar.
std::optional<QString> CopiaFicheroDanado(const QString& ruta);

// Crea vacío el fichero que no existía, con la carpeta bloqueada: si otro lo ha creado entre
// tanto, el suyo se queda.
ResultadoFichero CreaSiNoExiste(const QString& carpeta, const QString& ruta);

// Crea vacío el fichero que no existía; si no se puede, lo avisa con el contexto dado.
void CreaFicheroVacio(EstadoGlobal& estado, const QString& nombre,
                      const ContextoErrorFichero& contexto);

// Abre el fichero de columnas de la jornada y orden actuales para leer. El 53 (la
// reducción no tiene fichero) no se avisa: es la respuesta negativa normal.
std::unique_ptr<QFile> AbreFicheroApuestas(EstadoGlobal& estado);

} // namespace quiniela
