// Impresión a PDF por quiniela-cli imprimir: relación de 10.000 boletos y continuo de 2.000.
// El contador rss_max_MB es la memoria residente máxima del proceso hijo más grande hasta
// entonces: ejecute cada medición por separado (--benchmark_filter) para leer la suya.

#include "core/estado_global.h"
#include "reduction/fichero_bases.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

using namespace quiniela;

namespace {

constexpr int Boletos = 10000;

// Carpeta con la jornada 1, orden 1: 80.000 columnas con el mismo signo 15 (se hace una vez).
const QTemporaryDir& Carpeta() {
    static QTemporaryDir dir;
    static const bool hecha = [] {
        QFile::copy(QStringLiteral(QUINIELA_FUENTES "/data/DATOSGEN.ZPK"),
                    dir.filePath(QStringLiteral("DATOSGEN.ZPK")));
        Reduccion red;
        red.ApuestasReducidas = Boletos * 8;
        red.ApuestasBase = 3 * red.ApuestasReducidas;
        QFile bases(dir.filePath(QStringLiteral("BASES.ZPK")));
        QFile columnas(dir.filePath(QStringLiteral("RED0101.ZPK")));
        if (!bases.open(QIODevice::WriteOnly) || !columnas.open(QIODevice::WriteOnly))
            return false;
        bases.write(ConstruyeRegistroReduccion(1, 1, red).toLatin1() + "\r\n");
        static const char signos[] = "1X2";
        for (int n = 0; n < red.ApuestasReducidas; ++n) {
            QByteArray linea("\"");
            for (int m = 0, v = n; m < 14; ++m, v /= 3)
                linea += signos[v % 3];
            columnas.write(linea + "1\"\r\n");
        }
        return true;
    }();
    if (!hecha)
        qFatal("No se pudo fabricar la reducción");
    return dir;
}

void Imprime(benchmark::State& estado, const QStringList& tipo) {
    const QString pdf = Carpeta().filePath(QStringLiteral("salida.pdf"));
    const QStringList args =
        QStringList{
            QStringLiteral("--datos"),   Carpeta().path(),        QStringLiteral("imprimir"),
            QStringLiteral("--jornada"), QStringLiteral("1"),     QStringLiteral("--orden"),
            QStringLiteral("1"),         QStringLiteral("--pdf"), pdf} +
        tipo;
    for (auto _ : estado) {
        QProcess p;
        p.setStandardOutputFile(QProcess::nullDevice());
        p.start(QStringLiteral(QUINIELA_CLI), args);
        if (!p.waitForFinished(-1) || p.exitCode() != 0)
            estado.SkipWithError("quiniela-cli imprimir falló");
    }
    rusage uso{};
    getrusage(RUSAGE_CHILDREN, &uso);
    estado.counters["rss_max_MB"] = double(uso.ru_maxrss) / 1024.0;
    estado.counters["pdf_MB"] = double(QFile(pdf).size()) / 1e6;
}

void BM_Relacion10000(benchmark::State& estado) {
    Imprime(estado, {QStringLiteral("--tipo"), QStringLiteral("relacion")});
}
BENCHMARK(BM_Relacion10000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_Continuo2000(benchmark::State& estado) {
    Imprime(estado, {QStringLiteral("--tipo"), QStringLiteral("continuo"),
                     QStringLiteral("--hasta"), QStringLiteral("2000")});
}
BENCHMARK(BM_Continuo2000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

} // namespace

BENCHMARK_MAIN();
