#pragma once
// Cambios de la carpeta de datos que tocan varios ficheros (el índice y un fichero de columnas,
// el índice, las jornadas y las columnas de un borrado). Se hacen con la carpeta bloqueada y se
// anotan antes en PENDIENT.ZPK; si el proceso muere a mitad, el siguiente arranque (del programa
// o de una orden) los termina o los deshace, así que tras él queda o el estado anterior o el
// nuevo, nunca una mezcla. El orden de cada uno está en docs/cambios_pendientes.md.

#include "core/error_fichero.h"

#include <QString>
#include <QStringList>

namespace quiniela {

struct EstadoGlobal;

inline constexpr auto NombreCambiosPendientes = "PENDIENT.ZPK";

// Nombre con el que espera un fichero de columnas completo a que su registro entre en el índice.
QString RutaColumnasNuevas(const QString& rutaColumnas);

// Anota (con la carpeta ya bloqueada) el cambio que empieza; las líneas van en Windows-1252 con
// CR LF. Si no se puede anotar, el cambio no debe empezar.
ResultadoFichero AnotaCambioPendiente(const EstadoGlobal& estado, const QStringList& lineas);
// El cambio ha terminado.
void QuitaCambioPendiente(const EstadoGlobal& estado);

// Líneas de cada cambio.
QStringList CambioSustitucion(int jornada, int orden, const QString& registro);
QStringList CambioBorradoJornada(int jornada);
QStringList CambioOlvido(int jornada, int orden);

// Termina o deshace el cambio que un proceso dejó a medias, con la carpeta bloqueada. Se llama al
// arrancar; sin nada pendiente no hace nada.
void TerminaCambiosPendientes(EstadoGlobal& estado);

} // namespace quiniela
