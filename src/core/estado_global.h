#pragma once
// El estado único del programa, compartido por todas las pantallas.

#include "core/datos_generales_tipo.h"
#include "core/tipos.h"

#include <QPoint>
#include <QString>

#include <array>
#include <cstdint>

namespace quiniela {

// Nombres de los métodos, rellenos con blancos hasta un ancho común.
inline const std::array<QString, 4>& NombresMetodo() {
    static const std::array<QString, 4> nombres{QString(),
                                                QStringLiteral("Método Directo               "),
                                                QStringLiteral("Método de Columna Probable   "),
                                                QStringLiteral("Método de Selección de Signos")};
    return nombres;
}

inline const std::array<QString, 4>& NombresMetodoCortos() {
    static const std::array<QString, 4> nombres{QString(), QStringLiteral("Directo            "),
                                                QStringLiteral("Columna Probable   "),
                                                QStringLiteral("Selección de Signos")};
    return nombres;
}

inline constexpr int LongitudRegistroJornada = 544;
inline constexpr int LongitudRegistroReduccion = 230;
inline constexpr int LongitudDescripcion = 35;

struct EstadoGlobal {
    // Almacenamiento
    QString CarpetaDatos;           // siempre termina en "/"
    int16_t UltimoErrorFichero = 0; // número de error de la última carga, 0 si fue bien
    QString FicheroApuestas;        // "RED" + jornada + orden + ".ZPK"

    // Ajustes y selección (JornadaActual, FechaJornada, OrdenActual, Metodo)
    DatosGenerales Datos;

    // Jornada actual: registro de 544 caracteres
    QString RegistroJornada = QString(LongitudRegistroJornada, QLatin1Char(' '));

    // Reducción de (JornadaActual, OrdenActual)
    Reduccion Red;
    QString RegistroReduccion = QString(LongitudRegistroReduccion, QLatin1Char(' '));
    int32_t NumeroRegistroReduccion = 0;

    // Mensajes
    bool BorrarConfirmado = false;
    bool ReducirConfirmado = false;
    bool CopiarConfirmado = false;
    int16_t ModoMensaje = 0; // 2: el botón de ayuda abre el tema 1120

    // Interfaz
    bool ModoEdicion = false; // el programa rellena listas: sin sonido ni cambios
    QPoint PuntoCursor;       // x = partido (1..15), y = signo (1..3) bajo el puntero
    bool ReduccionElegida = false;
    bool ReabrirReduccion = false; // la pantalla de reducción pide volver a abrirse
    int16_t MetodoRecordado = 0;   // método elegido en su lista (0: ninguno)

    // Correo: la clave se guarda solo aquí, mientras dura el programa. La sesión queda abierta
    // cuando el usuario acepta la cuenta (con clave o sin ella, si el servidor no pide AUTH).
    QString ClaveCorreo;
    bool SesionCorreo = false;

    // Nombre del fichero de columnas de la jornada y orden actuales.
    void ActualizaFicheroApuestas();
    // Ruta completa de un fichero de datos.
    QString Ruta(const QString& nombre) const { return CarpetaDatos + nombre; }
};

// "RED" + jornada (2 cifras) + orden (2 cifras) + ".ZPK"
QString NombreFicheroApuestas(int jornada, int orden);

} // namespace quiniela
