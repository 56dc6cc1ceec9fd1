#pragma once
// Lista de equipos EQUIPOS.ZPK: un nombre por línea, sin blancos a los lados, CR LF.
// Se lee con las reglas de texto delimitado: una coma también termina un nombre.

#include "core/error_fichero.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace quiniela {

struct EstadoGlobal;

inline constexpr auto NombreFicheroEquipos = "EQUIPOS.ZPK";

// Nombres de un contenido del fichero, en su orden. Los vacíos no cuentan.
QStringList NombresDeEquipos(const QByteArray& contenido);

// Contenido exacto del fichero para una lista: cada nombre sin blancos a los lados.
QByteArray ContenidoFicheroEquipos(const QStringList& nombres);

// Lista de la pantalla de equipos (etiqueta "CLE"). Si el fichero no existe, avisa con
// el mensaje de dos líneas, lo crea vacío y devuelve la lista vacía. Otro fallo se avisa
// y no toca el fichero, para no perder la lista que hubiera.
QStringList CargaLisEquipos(EstadoGlobal& estado);

// Nombres para las 30 casillas de la pantalla de jornadas (etiqueta "CCE"). nullopt si no
// se pudo leer el fichero (ya avisado): las casillas se quedan como estaban.
std::optional<QStringList> CreaCboEquipo(EstadoGlobal& estado);

// Escribe la lista (fichero temporal y cambio de nombre).
ResultadoFichero GuardaListaEquipos(const EstadoGlobal& estado, const QStringList& nombres);

// Texto del aviso cuando no se pudo guardar la lista.
QString TextoErrorGuardarEquipos(const ResultadoFichero& resultado);

// Reglas de la pantalla de equipos: qué se puede hacer y qué botones se ven. La pantalla
// pone sonidos, esperas y dibujo; aquí solo está el estado de la lista.
class EditorEquipos {
public:
    // Llena la lista con CargaLisEquipos; sin selección ni cambios.
    void Carga(EstadoGlobal& estado);
    void PonLista(const QStringList& nombres);

    const QStringList& Lista() const { return lista_; }
    int Seleccion() const { return seleccion_; } // -1: ninguna
    const QString& NuevoEquipo() const { return nuevo_; }

    // Texto del campo "Nombre del equipo": como mucho 15 caracteres.
    void PonNuevoEquipo(const QString& texto);
    // El campo recibe el foco: se quita la selección de la lista.
    void EntraEnNuevoEquipo() { seleccion_ = -1; }
    // Clic en la lista: índice desde 0, o -1 si no queda ninguna elegida.
    void Selecciona(int indice);

    bool AnadirVisible() const { return !nuevo_.trimmed().isEmpty(); }
    bool BorrarVisible() const { return seleccion_ >= 0; }
    bool GuardarVisible() const { return cambios_; }

    // Añade el texto tal como se escribió y vacía el campo. false si no se ve el botón.
    bool Anade();
    // Quita el equipo elegido; la lista queda sin selección. false si no había.
    bool BorraSeleccionado();
    // Guarda la lista; si fue bien ya no hay cambios pendientes.
    ResultadoFichero Guarda(const EstadoGlobal& estado);

private:
    QStringList lista_;
    int seleccion_ = -1;
    QString nuevo_;
    bool cambios_ = false;
};

} // namespace quiniela
