#include "matchdays/orden_jornada.h"

#include "core/codificacion.h"
#include "core/estado_global.h"
#include "core/mascaras.h"
#include "matchdays/fecha_jornada.h"
#include "matchdays/fichero_jornadas.h"

namespace quiniela {

namespace {

struct PartidoPedido {
    int Numero = 0;
    QString Local;
    QString Visitante;
};

struct PeticionJornada {
    int Jornada = 0;
    std::optional<QString> Fecha;
    std::vector<PartidoPedido> Partidos;
};

// Texto que imprime la orden para la jornada actual (fecha y partidos).
QString TextoJornadaActual(const EstadoGlobal& estado) {
    const int jornada = estado.Datos.JornadaActual;
    const QString& registro = estado.RegistroJornada;
    // Lo leído del fichero pasa por Imprimible: un byte de control no llega al terminal.
    QString texto = TituloBotonJornada(jornada) + QStringLiteral("  ") +
                    Imprimible(TituloBotonFecha(estado.Datos.FechaJornada));
    if (!RegistroJornadaValido(registro, jornada))
        return texto + QStringLiteral("  (sin datos)\n");
    texto += u'\n';
    for (int i = 1; i <= NumPartidos; ++i)
        texto += ADerecha(QString::number(i), 2) + QStringLiteral(". ") +
                 AIzquierda(Imprimible(EquipoLocal(registro, i)), LongitudNombreEquipo) +
                 QStringLiteral(" - ") + Imprimible(EquipoVisitante(registro, i)) + u'\n';
    return texto;
}

// Quita de la lista cada "--partido N LOCAL VISITANTE"; false (y el mensaje) si alguno está mal.
bool TomaPartidos(QStringList& args, std::vector<PartidoPedido>& partidos, SalidaOrden& salida) {
    const QString opcion = QStringLiteral("--partido");
    for (qsizetype i = args.indexOf(opcion); i >= 0; i = args.indexOf(opcion)) {
        if (i + 3 >= args.size()) {
            salida.Err << "Tras --partido van el número y los dos equipos.\n";
            return false;
        }
        bool ok = false;
        PartidoPedido p;
        p.Numero = args.at(i + 1).toInt(&ok);
        if (!ok || p.Numero < 1 || p.Numero > NumPartidos) {
            salida.Err << "El número de partido debe estar entre 1 y " << NumPartidos << ".\n";
            return false;
        }
        for (qsizetype k = i + 2; k <= i + 3; ++k) {
            if (auto rechazo = CompruebaCodificable(args.at(k), QStringLiteral("El equipo"))) {
                salida.Err << *rechazo << "\n";
                return false;
            }
        }
        // Como en las casillas de la pantalla: 15 caracteres como mucho.
        p.Local = args.at(i + 2).left(LongitudNombreEquipo);
        p.Visitante = args.at(i + 3).left(LongitudNombreEquipo);
        partidos.push_back(p);
        args.remove(i, 4);
    }
    return true;
}

std::optional<PeticionJornada> LeePeticion(const QStringList& argumentos,
                                           const EstadoGlobal& estado, SalidaOrden& salida) {
    QStringList args = argumentos;
    PeticionJornada peticion;
    peticion.Fecha = TomaOpcion(args, QStringLiteral("--fecha"));
    if (!TomaPartidos(args, peticion.Partidos, salida))
        return std::nullopt;
    if (args.size() != 1) {
        salida.Err << "Uso: quiniela-cli jornada J [--fecha DD/MM/AA] [--partido N LOCAL "
                      "VISITANTE]...\n";
        return std::nullopt;
    }
    bool ok = false;
    peticion.Jornada = args.first().toInt(&ok);
    const int total = estado.Datos.TotalJornadas;
    if (!ok || peticion.Jornada < 1 || peticion.Jornada > total) {
        salida.Err << "La jornada debe ser un número entre 1 y " << total << ".\n";
        return std::nullopt;
    }
    return peticion;
}

// Pone los equipos de un partido; false si su número se sale de la jornada (nunca se escribe
// fuera de la lista, aunque quien llama no lo haya comprobado).
bool PonEquipos(EquiposJornada& equipos, const PartidoPedido& p) {
    const qsizetype local = 2 * qsizetype(p.Numero) - 1;
    if (local < 1 || local + 1 >= qsizetype(equipos.size()))
        return false;
    equipos[std::size_t(local)] = p.Local;
    equipos[std::size_t(local) + 1] = p.Visitante;
    return true;
}

// Guarda la fecha y los partidos pedidos sobre la jornada ya elegida, cambiando solo eso sobre
// el registro releído con la carpeta bloqueada: lo que otro guardó entre tanto se conserva.
bool GuardaPeticion(EstadoGlobal& estado, const PeticionJornada& peticion, SalidaOrden& salida) {
    CamposFecha campos = CamposDeFecha(estado.Datos.FechaJornada);
    if (peticion.Fecha) {
        const QStringList partes = peticion.Fecha->split(u'/');
        campos = partes.size() == 3 ? CamposFecha{partes[0], partes[1], partes[2]} : CamposFecha{};
    }
    const CierreFecha cierre = CierraPanelFecha(campos, estado.Datos.FechaJornada);
    if (!cierre.Valida) {
        salida.Err << TituloErrorFecha() << "\n" << TextoErrorFecha() << "\n";
        return false;
    }
    EquiposJornada prueba;
    for (const PartidoPedido& p : peticion.Partidos) {
        if (!PonEquipos(prueba, p)) {
            salida.Err << "Partido " << p.Numero << " fuera de la jornada.\n";
            return false;
        }
    }
    const int jornada = estado.Datos.JornadaActual;
    QString nuevo;
    const ResultadoFichero r = CambiaRegistroJornada(estado, jornada, [&](const QString& actual) {
        const QString base = actual.isEmpty() ? RegistroJornadaVacio() : actual;
        EquiposJornada equipos = EquiposDeRegistro(base);
        for (const PartidoPedido& p : peticion.Partidos)
            PonEquipos(equipos, p);
        // Sin --fecha vale la del registro releído, si lo hay: otro pudo cambiarla.
        const QString fecha =
            peticion.Fecha || actual.isEmpty() ? cierre.Fecha : FechaDeRegistro(actual);
        nuevo = ComponeRegistroJornada(base, jornada, fecha, equipos);
        return nuevo;
    });
    if (!r.Bien()) {
        salida.Err << TextoErrorGuardarJornada(r) << "\n";
        return false;
    }
    estado.RegistroJornada = nuevo;
    estado.Datos.FechaJornada = FechaDeRegistro(nuevo);
    return true;
}

int OrdenJornada(EstadoGlobal& estado, const QStringList& argumentos, SalidaOrden& salida) {
    const auto peticion = LeePeticion(argumentos, estado, salida);
    if (!peticion)
        return 1;
    EligeJornada(estado, peticion->Jornada);
    if (estado.UltimoErrorFichero != 0)
        return 1;
    const bool cambia = peticion->Fecha || !peticion->Partidos.empty();
    if (cambia && !GuardaPeticion(estado, *peticion, salida))
        return 1;
    salida.Out << TextoJornadaActual(estado);
    return 0;
}

} // namespace

Orden DescripcionOrdenJornada() {
    return {QStringLiteral("jornada"),
            QStringLiteral("jornada J [--fecha DD/MM/AA] [--partido N LOCAL VISITANTE]...  "
                           "muestra o guarda la fecha y los partidos de una jornada"),
            OrdenJornada};
}

} // namespace quiniela
