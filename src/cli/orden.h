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
    QTextStream& Out;
    QTextStream& Err;
};

struct Orden {
    QString Nombre;
    QString Uso; // línea de ayuda
    // Recibe los argumentos que siguen al nombre; devuelve el estado de salida.
    std::function<int(EstadoGlobal&, const QStringList&, SalidaOrden&)> Ejecuta;
};

// Una opción que pedía valor sin él: al final de la línea o seguida de otra opción. La
// línea entera se rechaza (EjecutaLineaOrdenes lo dice y sale con 1).
struct OpcionSinValor {
    QString Nombre;
    QString Siguiente; // la opción que ocupaba el sitio del valor, o vacío
};

// Valor de una opción "--nombre VALOR"; lo quita de la lista. nullopt si no está. Un valor que
// empieza por "--" es otra opción: lanza OpcionSinValor, como si falta.
std::optional<QString> TomaOpcion(QStringList& argumentos, const QString& nombre);
bool TomaBandera(QStringList& argumentos, const QString& nombre);

// Entero de una opción dentro de minimo..maximo; nullopt si falta, no es número o se sale.
std::optional<int> EnteroEnRango(const std::optional<QString>& texto, int minimo, int maximo);

// La jornada de una opción: de 1 al total de jornadas de los datos generales, el mismo tramo en
// todas las órdenes; nullopt si falta, no es número o se sale.
std::optional<int> JornadaEnRango(const EstadoGlobal& estado, const std::optional<QString>& texto);
// "La jornada va de 1 a N" con el total de los datos generales, sin punto final.
QString TextoRangoJornada(const EstadoGlobal& estado);

// Tras tomar las opciones: false, con "Faltan opciones." o "Argumento desconocido: …" y el
// uso de la orden, si sobra algún argumento o falta alguna opción obligatoria.
bool ArgumentosCompletos(const QStringList& sobrantes, bool faltaAlguna, const QString& uso,
                         QTextStream& err);

// La jornada y la reducción (jornada, orden) leídas en el estado, como al elegirlas en una
// pantalla.
void CargaJornadaYOrden(EstadoGlobal& estado, int jornada, int orden);

} // namespace quiniela
