#include "output/orden_exportar.h"

#include "cli/interrupcion_consola.h"
#include "cli/linea_ordenes.h"
#include "core/estado_global.h"
#include "output/motor_copia.h"
#include "reduction/ordenes_reduccion.h"

#include <QDir>
#include <QFileInfo>

namespace quiniela {

namespace {

struct PeticionExportar {
    int Jornada = 0;
    int Orden = 0;
    FormatoExportar Formato = FormatoExportar::AD243;
    QString Destino;
};

std::optional<PeticionExportar> LeePeticion(const EstadoGlobal& estado, QStringList args,
                                            QTextStream& err) {
    const auto jornada = TomaOpcion(args, QStringLiteral("--jornada"));
    const auto orden = TomaOpcion(args, QStringLiteral("--orden"));
    const auto formato = TomaOpcion(args, QStringLiteral("--formato"));
    const auto destino = TomaOpcion(args, QStringLiteral("--destino"));
    if (!jornada || !orden || !formato || !destino) {
        err << "Faltan opciones: exportar --jornada J --orden O --formato AD243|TXT1|…|TXT6 "
               "--destino RUTA\n";
        return std::nullopt;
    }
    if (!args.isEmpty()) {
        err << "Argumento desconocido: " << args.first() << "\n";
        return std::nullopt;
    }
    PeticionExportar p;
    const auto j = JornadaEnRango(estado, jornada);
    const auto o = EnteroEnRango(orden, 1, MaxOrden);
    const auto f = FormatoDeCodigo(formato->trimmed());
    if (!j || !o) {
        err << TextoRangoJornada(estado) << " y el orden de 1 a " << MaxOrden << ".\n";
        return std::nullopt;
    }
    if (!f) {
        err << "Formato desconocido: " << *formato << ". Use AD243, TXT1, TXT2, … o TXT6.\n";
        return std::nullopt;
    }
    return PeticionExportar{*j, *o, *f, *destino};
}

// Carpeta y nombre del destino: una carpeta que existe recibe el nombre propuesto.
bool PreparaDestino(const PeticionExportar& p, OpcionesCopia& opciones, QTextStream& err) {
    if (p.Destino.trimmed().isEmpty()) {
        err << "No se puede copiar la reducción: --destino está vacío. Dé el archivo o la "
               "carpeta donde copiarla.\n";
        return false;
    }
    const QFileInfo info(p.Destino);
    QString carpeta = QDir::cleanPath(info.absoluteFilePath());
    QString nombre = NombreArchivoPropuesto(p.Formato, p.Jornada, p.Orden);
    if (!info.isDir()) {
        carpeta = info.absolutePath();
        nombre = info.fileName();
    }
    if (const QFileInfo enCarpeta(carpeta); !enCarpeta.isDir()) {
        err << "No se puede escribir " << QDir::toNativeSeparators(p.Destino) << ": "
            << (enCarpeta.exists()
                    ? QDir::toNativeSeparators(carpeta) +
                          QStringLiteral(" no es una carpeta, es un fichero")
                    : QStringLiteral("no existe la carpeta ") + QDir::toNativeSeparators(carpeta))
            << ".\n";
        return false;
    }
    opciones.Unidad = {QDir::toNativeSeparators(carpeta), carpeta};
    opciones.NombreArchivo = nombre;
    return true;
}

void EscribeMensaje(QTextStream& flujo, const std::optional<MensajeCopia>& mensaje) {
    if (mensaje)
        flujo << mensaje->Titulo << "\n" << mensaje->Texto << "\n";
}

int SalidaDe(const ResultadoCopia& r, const EstadoGlobal& estado, SalidaOrden& salida) {
    switch (r.Fin) {
    case FinCopia::Terminada:
        salida.Out << r.ColumnasCopiadas << " columnas en " << r.Recuento.Boletos << " boletos\n";
        return 0;
    case FinCopia::Cancelada:
        return SalidaCancelada;
    case FinCopia::SinColumnas:
        salida.Err << "No existe la reducción de la jornada " << estado.Datos.JornadaActual
                   << " con el orden " << estado.Datos.OrdenActual << ": falta su fichero de "
                   << "columnas " << estado.FicheroApuestas << ".\n";
        return 1;
    case FinCopia::Rechazada:
    case FinCopia::Fallida:
        EscribeMensaje(salida.Err, r.Mensaje);
        return 1;
    }
    return 1;
}

int OrdenExportar(EstadoGlobal& estado, const QStringList& argumentos, SalidaOrden& salida) {
    const auto peticion = LeePeticion(estado, argumentos, salida.Err);
    OpcionesCopia opciones;
    if (!peticion || !PreparaDestino(*peticion, opciones, salida.Err))
        return 1;
    estado.Datos.JornadaActual = static_cast<int16_t>(peticion->Jornada);
    estado.Datos.OrdenActual = static_cast<int16_t>(peticion->Orden);
    opciones.Formato = peticion->Formato;

    const bool conBarra = ErroresEnTerminal(salida);
    if (conBarra)
        opciones.AlAvanzar = [&](int p) {
            salida.Err << '\r' << TextoPorcentajeCopia(p) << Qt::flush;
        };
    opciones.AlCambiarEstado = [&](const QString& texto) {
        if (conBarra)
            salida.Err << '\r' << QString(24, u' ') << '\r' << Qt::flush;
        (texto == TextoCopiaCancelada() ? salida.Err : salida.Out) << texto << "\n";
    };
    opciones.AlAvisar = [&](const MensajeCopia& m) { EscribeMensaje(salida.Err, m); };

    InterrupcionConsola interrupcion;
    opciones.CancelarProceso = interrupcion.Bandera();
    return SalidaDe(EjecutaCopia(estado, opciones), estado, salida);
}

} // namespace

Orden DescripcionOrdenExportar() {
    return {
        QStringLiteral("exportar"),
        QStringLiteral("exportar --jornada J --orden O --formato AD243|TXT1|…|TXT6 --destino "
                       "RUTA  copia la reducción a un archivo (RUTA: el archivo o una carpeta)"),
        OrdenExportar};
}

} // namespace quiniela
