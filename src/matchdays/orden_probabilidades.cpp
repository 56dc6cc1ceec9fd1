#include "matchdays/orden_probabilidades.h"

#include "core/estado_global.h"
#include "core/mascaras.h"
#include "matchdays/fichero_probabilidades.h"

#include <QRegularExpression>

namespace quiniela {

namespace {

const QString Uso =
    QStringLiteral("Uso: quiniela-cli probabilidades --jornada J [--partido N P1 PX P2]... "
                   "[--cuotas N C1 CX C2]... [--borrar N]...\n");

// Un número de partido 1..15.
std::optional<int> Partido(const QString& texto) {
    bool ok = false;
    const int n = texto.toInt(&ok);
    return ok && n >= 1 && n <= NumPartidos ? std::optional<int>(n) : std::nullopt;
}

// Porcentaje entero 0..100, solo cifras.
std::optional<int> Porcentaje(const QString& texto) {
    static const QRegularExpression cifras(QStringLiteral("^\\d{1,3}$"));
    if (!cifras.match(texto).hasMatch() || texto.toInt() > 100)
        return std::nullopt;
    return texto.toInt();
}

// Cuota decimal con "." o ",".
std::optional<double> Cuota(QString texto) {
    static const QRegularExpression numero(QStringLiteral("^\\d+([.,]\\d+)?$"));
    if (!numero.match(texto).hasMatch())
        return std::nullopt;
    return texto.replace(u',', u'.').toDouble();
}

// Una opción de partido ya leída; se aplican en el orden de la línea.
using Cambio = std::pair<int, EstimacionPartido>;

std::optional<Cambio> LeePorcentajes(const QStringList& v, QTextStream& err) {
    const auto n = Partido(v[0]);
    if (!n) {
        err << "El número de partido debe estar entre 1 y " << NumPartidos << ".\n";
        return std::nullopt;
    }
    EstimacionPartido p{true, {}};
    int suma = 0;
    for (int s = 0; s < NumSignosMax; ++s) {
        const auto x = Porcentaje(v[s + 1]);
        if (!x) {
            err << "Los porcentajes del partido " << *n << " son números enteros de 0 a 100.\n";
            return std::nullopt;
        }
        p.Porcentaje[size_t(s)] = *x;
        suma += *x;
    }
    if (suma != 100) {
        err << "Los porcentajes del partido " << *n << " suman " << suma << " y deben sumar 100.\n";
        return std::nullopt;
    }
    return Cambio{*n, p};
}

std::optional<Cambio> LeeCuotas(const QStringList& v, QTextStream& err) {
    const auto n = Partido(v[0]);
    if (!n) {
        err << "El número de partido debe estar entre 1 y " << NumPartidos << ".\n";
        return std::nullopt;
    }
    std::array<double, NumSignosMax> cuotas{};
    for (int s = 0; s < NumSignosMax; ++s)
        cuotas[size_t(s)] = Cuota(v[s + 1]).value_or(0.0);
    const auto pct = PorcentajesDeCuotas(cuotas);
    if (!pct) {
        err << "Las cuotas del partido " << *n
            << " deben ser números decimales mayores que 1 (y hasta 1000000).\n";
        return std::nullopt;
    }
    return Cambio{*n, EstimacionPartido{true, *pct}};
}

// Quita de la lista cada opción repetible en su orden y la convierte en cambio.
bool TomaCambios(QStringList& args, std::vector<Cambio>& cambios, QTextStream& err) {
    for (qsizetype i = 0; i < args.size();) {
        const QString& a = args.at(i);
        const int valores = a == QLatin1String("--borrar")                                      ? 1
                            : a == QLatin1String("--partido") || a == QLatin1String("--cuotas") ? 4
                                                                                                : 0;
        if (valores == 0) {
            ++i;
            continue;
        }
        if (i + valores >= args.size()) {
            err << "Tras " << a
                << (valores == 1 ? " va el número de partido.\n"
                                 : " van el número de partido y tres valores.\n");
            return false;
        }
        const QStringList v = args.mid(i + 1, valores);
        std::optional<Cambio> c;
        if (valores == 1) {
            if (const auto n = Partido(v[0]))
                c = Cambio{*n, EstimacionPartido{}};
            else
                err << "El número de partido debe estar entre 1 y " << NumPartidos << ".\n";
        } else {
            c = a == QLatin1String("--partido") ? LeePorcentajes(v, err) : LeeCuotas(v, err);
        }
        if (!c)
            return false;
        cambios.push_back(*c);
        args.remove(i, valores + 1);
    }
    return true;
}

QString FilaPartido(int m, const EstimacionPartido& p) {
    QString fila = ADerecha(m, 2);
    if (!p.Estimado)
        return fila + ADerecha(QStringLiteral("-"), 4);
    for (int s = 0; s < NumSignosMax; ++s)
        fila += ADerecha(p.Porcentaje[size_t(s)], 4);
    return fila;
}

int OrdenProbabilidades(EstadoGlobal& estado, const QStringList& argumentos, SalidaOrden& salida) {
    QStringList args = argumentos;
    const auto jornadaTexto = TomaOpcion(args, QStringLiteral("--jornada"));
    std::vector<Cambio> cambios;
    if (!TomaCambios(args, cambios, salida.Err))
        return 1;
    if (!ArgumentosCompletos(args, !jornadaTexto, Uso, salida.Err))
        return 1;
    const auto jornada = EnteroEnRango(jornadaTexto, 1, 99);
    if (!jornada) {
        salida.Err << "La jornada va de 1 a 99.\n";
        return 1;
    }
    auto e = LeeEstimaciones(estado, *jornada);
    if (!e)
        return 1;
    if (!cambios.empty()) {
        for (const auto& [m, p] : cambios)
            (*e)[m] = p;
        const ResultadoFichero r = GuardaEstimaciones(estado, *jornada, *e);
        if (!r.Bien()) {
            salida.Err << TextoErrorGuardarEstimaciones(r) << "\n";
            return 1;
        }
    }
    for (int m = 1; m <= NumPartidos; ++m)
        salida.Out << FilaPartido(m, (*e)[m]) << "\n";
    return 0;
}

} // namespace

Orden DescripcionOrdenProbabilidades() {
    return {QStringLiteral("probabilidades"),
            QStringLiteral("probabilidades --jornada J [--partido N P1 PX P2]... [--cuotas N C1 "
                           "CX C2]... [--borrar N]...  guarda las estimaciones de la jornada "
                           "(porcentajes enteros que suman 100, o cuotas decimales) y las "
                           "muestra"),
            OrdenProbabilidades};
}

} // namespace quiniela
