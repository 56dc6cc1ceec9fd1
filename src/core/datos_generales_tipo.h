#pragma once
// Ajustes generales y selección recordada (se guardan en DATOSGEN.ZPK).

#include <QString>

#include <array>
#include <cstdint>

namespace quiniela {

struct DatosGenerales {
    int16_t JornadaActual = 1;
    QString FechaJornada = QStringLiteral("28/08/05");
    int16_t OrdenActual = 1;
    int16_t Metodo = 1;
    // Márgenes de los dos tipos de impresión (índices 1 y 2; el 0 no se usa).
    std::array<int16_t, 3> MargenIzquierdo{};
    std::array<int16_t, 3> MargenSuperior{};
    int16_t Orientacion = 1;
    int16_t TotalJornadas = 42;
    QString PrecioApuesta = QStringLiteral("0.50"); // texto fijo de 4 caracteres
    float PrecioApuestaValor = 0.5f;                // lectura numérica del texto
    QString CodigoDelegacion = QStringLiteral("00");
    QString CodigoReceptor = QStringLiteral("00000");
    QString Sonido = QStringLiteral("Si");
};

} // namespace quiniela
