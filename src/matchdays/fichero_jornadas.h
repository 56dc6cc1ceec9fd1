#pragma once
// Fichero de jornadas JORNADAS.ZPK: acceso directo, registros de 544 bytes sin cabecera;
// el registro n es la jornada n. Posiciones (desde 1): "Jor" (1-3), jornada "00" (4-5),
// fecha "DD/MM/AA" (6-13), 30 equipos de 15 (14-463), columna ganadora (464-478) y premios
// (479-544), estos dos escritos por el escrutinio.

#include "core/error_fichero.h"
#include "core/estado_global.h"
#include "matchdays/fecha_jornada.h"

#include <QString>

#include <array>

namespace quiniela {

inline constexpr auto NombreFicheroJornadas = "JORNADAS.ZPK";
inline constexpr int NumEquiposJornada = 30; // dos por partido
inline constexpr int PosFechaJornada = 6;    // posiciones desde 1
inline constexpr int LongitudFechaJornada = 8;
inline constexpr int PosEquiposJornada = 14;
inline constexpr int PosColumnaGanadora = 464;
inline constexpr int PosPremiosJornada = 479;
inline constexpr int LongitudPremioJornada = 11;
inline constexpr auto FechaJornadaVacia = "00/00/00";

// Los 30 textos de las casillas de equipos; el índice 0 no se usa.
using EquiposJornada = std::array<QString, NumEquiposJornada + 1>;

// Jornada vacía: 5 blancos, "00/00/00" y 531 blancos.
QString RegistroJornadaVacio();

// El registro es de esa jornada: empieza por "Jor" y la jornada con dos cifras.
bool RegistroJornadaValido(const QString& registro, int jornada);

// Campos de un registro.
QString FechaDeRegistro(const QString& registro);
QString EquipoDeRegistro(const QString& registro, int casilla); // 15 caracteres tal cual
QString EquipoLocal(const QString& registro, int partido);      // casilla 2i-1, sin blancos
QString EquipoVisitante(const QString& registro, int partido);  // casilla 2i, sin blancos
EquiposJornada EquiposDeRegistro(const QString& registro);      // 15 caracteres tal cual

// Registro que guarda la pantalla: posiciones 1-13 con "Jor", la jornada y la fecha; cada
// casilla con su texto sin blancos a los lados y cortado a 15; 464-544 como estaban en el
// registro leído.
QString ComponeRegistroJornada(const QString& leido, int jornada, const QString& fecha,
                               const EquiposJornada& equipos);

// Lee el registro de una jornada sin avisar de nada: la jornada vacía si no existe, si
// está más allá del final o no es válido. Con error != nullptr deja allí el número de error
// (0 si fue bien).
QString LeeRegistroJornada(const EstadoGlobal& estado, int jornada, int* error = nullptr);

// Carga la jornada actual en RegistroJornada y su fecha en FechaJornada (etiqueta "LJO").
// Si el fichero no existe se crea vacío. Tras un fallo, el registro que había se conserva
// solo si es el de la jornada actual.
void LeeFicheroJornadas(EstadoGlobal& estado);

// Escribe un registro de 544 caracteres como registro n. Si el fichero es más corto, los
// registros intermedios se rellenan con blancos. Devuelve el número de error.
ResultadoFichero EscribeRegistroJornada(const EstadoGlobal& estado, int jornada,
                                        const QString& registro);

// Resultado de guardar la jornada actual.
enum class ResultadoGuardarJornada { Guardada, FechaIncorrecta, ErrorFichero };

// Guarda la jornada actual con los campos de fecha y las casillas de la pantalla: valida la
// fecha (si no vale, muestra "ERROR EN LA FECHA" y no escribe), la toma como FechaJornada,
// compone el registro sobre RegistroJornada y lo escribe. Si la escritura falla, avisa con
// la caja del sistema y RegistroJornada no cambia.
ResultadoGuardarJornada GuardaJornadaActual(EstadoGlobal& estado, const CamposFecha& campos,
                                            const EquiposJornada& equipos);

// Texto del aviso cuando no se pudo escribir la jornada.
QString TextoErrorGuardarJornada(const ResultadoFichero& resultado);

// Elige otra jornada: JornadaActual = n y se carga (LeeFicheroJornadas).
void EligeJornada(EstadoGlobal& estado, int jornada);

// Texto de los botones "Jornada" + número con un blanco delante y "Fecha " + fecha.
QString TituloBotonJornada(int jornada);
QString TituloBotonFecha(const QString& fecha);

} // namespace quiniela
