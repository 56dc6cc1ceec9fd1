#pragma once
// Direcciones de correo guardadas en DIRECC.ZPK (una por línea, CR LF, en el orden de la
// lista) y la regla de qué es una dirección que se puede enviar.

#include "core/error_fichero.h"

#include <QString>
#include <QStringList>

namespace quiniela {

struct EstadoGlobal;

inline constexpr auto NombreFicheroDirecciones = "DIRECC.ZPK";
inline constexpr int LargoMaximoDireccion = 254;

// Una sola dirección sencilla: sin blancos a los lados, como mucho 254 caracteres, una "@"
// con algo a cada lado y sin blancos, controles, comas, puntos y comas, comillas ni ángulos
// (nada que pueda colar otra dirección o una cabecera en el mensaje). Solo ASCII: el correo
// internacionalizado no se usa.
bool EsDireccionValida(QStringView direccion);

struct LecturaDirecciones {
    QStringList Direcciones;
    // Un fallo al leer (ya avisado): la lista puede estar a medias y el fichero no se debe
    // reescribir con ella.
    bool Fallida = false;
};

// Lee la lista al abrir la pantalla. Si el fichero no existe lo crea vacío; otro fallo se
// avisa y deja el fichero como estaba.
LecturaDirecciones CargaLisDirecciones(EstadoGlobal& estado);

// Reescribe la lista entera (temporal y cambio de nombre, con la carpeta bloqueada).
ResultadoFichero GuardaDirecciones(const EstadoGlobal& estado, const QStringList& direcciones);

// Texto del aviso cuando no se pudo guardar la lista.
QString TextoErrorGuardarDirecciones(const ResultadoFichero& resultado);

} // namespace quiniela
