#pragma once
// Órdenes de quiniela-cli. Cada subsistema registra las suyas en TablaOrdenes().

#include <QString>
#include <QStringList>
#include <QTextStream>

#include <functional>
#include <optional>
#include <vector>

namespace quiniela {

struct EstadoGlobal;

// Salida de una orden: texto normal y mensajes de error.
struct SalidaOrden {
    QTextStream& out;
    QTextStream& err;
};

struct Orden {
    QString nombre;
    QString uso; // línea de ayuda
    // Recibe los argumentos que siguen al nombre; devuelve el estado de salida.
    std::function<int(EstadoGlobal&, const QStringList&, SalidaOrden&)> ejecuta;
};

const std::vector<Orden>& TablaOrdenes();

// Interpreta la línea completa (argumentos[0] es el programa).
int EjecutaLineaOrdenes(const QStringList& argumentos);
int EjecutaLineaOrdenes(const QStringList& argumentos, QTextStream& out, QTextStream& err);

// Valor de una opción "--nombre VALOR"; lo quita de la lista. nullopt si no está.
std::optional<QString> TomaOpcion(QStringList& argumentos, const QString& nombre);
bool TomaBandera(QStringList& argumentos, const QString& nombre);

// Entero de una opción dentro de minimo..maximo; nullopt si falta, no es número o se sale.
std::optional<int> EnteroEnRango(const std::optional<QString>& texto, int minimo, int maximo);

} // namespace quiniela
