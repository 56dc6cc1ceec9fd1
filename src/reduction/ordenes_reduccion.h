#pragma once
// Órdenes "reducir" y "estadisticas" de quiniela-cli, sobre el mismo motor que la pantalla.

#include "core/tipos.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace quiniela {

struct EstadoGlobal;
struct SalidaOrden;

// Estados de salida de "reducir".
inline constexpr int SalidaComprobacionFallida = 2;
inline constexpr int SalidaReduccionExiste = 3;
inline constexpr int SalidaCancelada = 130; // como un programa interrumpido con Ctrl-C

// reducir --jornada J --orden O --metodo M --base "T1 … T15" [--errores MIN-MAX]
//         [--totales "1:L X:L 2:L"] [--descripcion TEXTO] [--reemplazar]
int OrdenReducir(EstadoGlobal& estado, const QStringList& argumentos, SalidaOrden& salida);

// estadisticas --metodo M --base "T1 … T15" [--errores MIN-MAX] [--totales "1:L X:L 2:L"]
int OrdenEstadisticas(EstadoGlobal& estado, const QStringList& argumentos, SalidaOrden& salida);

// Lectura de las opciones (sin comprobar lo que ya comprueba la reducción). Si algo está
// mal escrito deja la explicación en `error` y devuelve nullopt.
std::optional<int16_t> LeeMetodo(const QString& texto, QString& error);
std::optional<QuinielaBase> LeeBase(const QString& texto, QString& error);
bool LeeErrores(const QString& texto, Reduccion& red, QString& error);
bool LeeTotales(const QString& texto, Reduccion& red, QString& error);

} // namespace quiniela
