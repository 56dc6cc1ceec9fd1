#include "matchdays/orden_borrar.h"

#include "core/estado_global.h"
#include "matchdays/borrado.h"

namespace quiniela {

namespace {

int OrdenBorrar(EstadoGlobal& estado, const QStringList& argumentos, SalidaOrden& salida) {
    QStringList args = argumentos;
    const auto desdeTexto = TomaOpcion(args, QStringLiteral("--desde"));
    const auto hastaTexto = TomaOpcion(args, QStringLiteral("--hasta"));
    const bool confirmado = TomaBandera(args, QStringLiteral("--confirmar"));
    if (!desdeTexto || !hastaTexto || !args.isEmpty()) {
        salida.Err << "Uso: quiniela-cli borrar --desde J1 --hasta J2 [--confirmar]\n";
        return 1;
    }
    const auto desde = JornadaEnRango(estado, desdeTexto);
    const auto hasta = JornadaEnRango(estado, hastaTexto);
    if (!desde || !hasta) {
        salida.Err << "Las jornadas del tramo van de 1 a " << estado.Datos.TotalJornadas << ".\n";
        return 1;
    }
    if (*desde > *hasta) {
        salida.Err << "El tramo está al revés: la jornada " << *desde << " va después de la "
                   << *hasta << ". Use --desde " << *hasta << " --hasta " << *desde << ".\n";
        return 1;
    }
    if (!confirmado) {
        salida.Out << TituloConfirmacionBorrado() << '\n'
                   << TextoConfirmacionBorrado(*desde, *hasta) << '\n'
                   << "No se ha borrado nada: añada --confirmar para borrar.\n";
        return SalidaSinConfirmar;
    }
    const ResultadoBorrado r = BorraJornadas(estado, *desde, *hasta);
    if (!r.Completo()) {
        salida.Err << TituloFalloBorrado() << '\n' << TextoFalloBorrado(r) << '\n';
        return 1;
    }
    salida.Out << TextoBorrado(r) << '\n';
    return 0;
}

} // namespace

Orden DescripcionOrdenBorrar() {
    return {QStringLiteral("borrar"),
            QStringLiteral("borrar --desde J1 --hasta J2 [--confirmar]  borra las jornadas del "
                           "tramo con sus reducciones (sin --confirmar solo dice lo que borraría)"),
            OrdenBorrar};
}

} // namespace quiniela
