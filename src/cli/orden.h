#pragma once
// Lo que cada subsistema necesita para dar su orden de quiniela-cli: la salida, la descripción
// que reúne la tabla y la lectura de opciones.

#include <QString>
#include <QStringList>
#include <QTextStream>

#include <functional>
#include <optional>

namespace quiniela {

struct EstadoGlobal;

// Salida de una orden: texto normal y mensajes de error.
struct SalidaOrden {
    QTextStream& out;
    QTextStream& err;
};

struct Orden {
    QString Nombre;
    QString Uso; // línea de ayuda
    // Recibe los argumentos que siguen al nombre; devuelve el estado de salida.
    std::function<int(EstadoGlobal&, const QStringList&, SalidaOrden&)> Ejecuta;
};

// Valor de una opción "--nombre VALOR"; lo quita de la lista. nullopt si no está.
std::optional<QString> TomaOpcion(QStringList& argumentos, const QString& nombre);
bool TomaBandera(QStringList& argumentos, const QString& nombre);

// Entero de una opción dentro de minimo..maximo; nullopt si falta, no es número o se sale.
std::optional<int> EnteroEnRango(const std::optional<QString>& texto, int minimo, int maximo);

} // namespace quiniela
