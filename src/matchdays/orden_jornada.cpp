#include "matchdays/orden_jornada.h"

#include "cli/linea_ordenes.h"
#include "core/estado_global.h"
#include "core/mascaras.h"
#include "matchdays/fecha_jornada.h"
#include "matchdays/fichero_jornadas.h"

namespace quiniela {

namespace {

struct PartidoPedido {
    int numero = 0;
    QString local;
    QString visitante;
};

} // namespace

QString TextoJornadaActual(const EstadoGlobal& estado) {
    const int jornada = estado.Datos.JornadaActual;
    const QString& registro = estado.RegistroJornada;
    QString texto = TituloBotonJornada(jornada) + QStringLiteral("  ") +
                    TituloBotonFecha(estado.Datos.FechaJornada);
    if (!RegistroJornadaValido(registro, jornada))
        return texto + QStringLiteral("  (sin datos)\n");
    texto += u'\n';
    for (int i = 1; i <= NumPartidos; ++i)
        texto += ADerecha(QString::number(i), 2) + QStringLiteral(". ") +
                 AIzquierda(EquipoLocal(registro, i), LongitudNombreEquipo) +
                 QStringLiteral(" - ") + EquipoVisitante(registro, i) + u'\n';
    return texto;
}

int OrdenJornada(EstadoGlobal& estado, const QStringList& argumentos, SalidaOrden& salida) {
    QStringList args = argumentos;
    const bool pideFecha = args.contains(QStringLiteral("--fecha"));
    const auto fecha = TomaOpcion(args, QStringLiteral("--fecha"));
    if (pideFecha && !fecha) {
        salida.err << "Falta la fecha tras --fecha (DD/MM/AA).\n";
        return 1;
    }

    std::vector<PartidoPedido> partidos;
    for (qsizetype i = args.indexOf(QStringLiteral("--partido")); i >= 0;
         i = args.indexOf(QStringLiteral("--partido"))) {
        if (i + 3 >= args.size()) {
            salida.err << "Tras --partido van el número y los dos equipos.\n";
            return 1;
        }
        bool ok = false;
        PartidoPedido p;
        p.numero = args.at(i + 1).toInt(&ok);
        if (!ok || p.numero < 1 || p.numero > NumPartidos) {
            salida.err << "El número de partido debe estar entre 1 y " << NumPartidos << ".\n";
            return 1;
        }
        // Como en las casillas de la pantalla: 15 caracteres como mucho.
        p.local = args.at(i + 2).left(LongitudNombreEquipo);
        p.visitante = args.at(i + 3).left(LongitudNombreEquipo);
        partidos.push_back(p);
        args.remove(i, 4);
    }

    if (args.size() != 1) {
        salida.err << "Uso: quiniela-cli jornada J [--fecha DD/MM/AA] [--partido N LOCAL "
                      "VISITANTE]...\n";
        return 1;
    }
    bool ok = false;
    const int jornada = args.first().toInt(&ok);
    const int total = estado.Datos.TotalJornadas;
    if (!ok || jornada < 1 || jornada > total) {
        salida.err << "La jornada debe ser un número entre 1 y " << total << ".\n";
        return 1;
    }

    EligeJornada(estado, jornada);
    if (estado.UltimoErrorFichero != 0)
        return 1;

    if (fecha || !partidos.empty()) {
        CamposFecha campos = CamposDeFecha(estado.Datos.FechaJornada);
        if (fecha) {
            const QStringList partes = fecha->split(u'/');
            campos =
                partes.size() == 3 ? CamposFecha{partes[0], partes[1], partes[2]} : CamposFecha{};
        }
        if (!CierraPanelFecha(campos, estado.Datos.FechaJornada).valida) {
            salida.err << TituloErrorFecha() << "\n" << TextoErrorFecha() << "\n";
            return 1;
        }
        EquiposJornada equipos = EquiposDeRegistro(estado.RegistroJornada);
        for (const PartidoPedido& p : partidos) {
            equipos[2 * p.numero - 1] = p.local;
            equipos[2 * p.numero] = p.visitante;
        }
        if (GuardaJornadaActual(estado, campos, equipos) != ResultadoGuardarJornada::Guardada)
            return 1;
    }

    salida.out << TextoJornadaActual(estado);
    return 0;
}

} // namespace quiniela
