#include "consult/orden_historial.h"

#include "consult/historial.h"
#include "core/error_fichero.h"
#include "core/estado_global.h"

namespace quiniela {

namespace {

int OrdenHistorial(EstadoGlobal& estado, const QStringList& argumentos, SalidaOrden& salida) {
    if (!argumentos.isEmpty()) {
        salida.Err << "Uso: quiniela-cli historial\n";
        return 1;
    }
    Historial historial(estado);
    historial.Abre();
    // Un índice que faltaba queda creado vacío (ya avisado); otro fallo de lectura es error.
    const int error = estado.UltimoErrorFichero;
    if (error != 0 && error != ErrorFichero::NoExiste)
        return 1;
    salida.Out << CabeceraHistorial1() << '\n' << CabeceraHistorial2() << '\n';
    for (const QString& linea : historial.Lis_Datos())
        salida.Out << linea << '\n';
    return 0;
}

} // namespace

Orden DescripcionOrdenHistorial() {
    return {QStringLiteral("historial"),
            QStringLiteral("historial  muestra el histórico de las reducciones guardadas"),
            OrdenHistorial};
}

} // namespace quiniela
