// Escrutinio del fichero de columnas 3^15 (272.629.233 bytes) por quiniela-cli escrutar frente
// a cat del mismo fichero a /dev/null, en la misma ejecución; y el recuento sin arrancar el
// programa. El contador rss_max_MB es la memoria residente máxima de los procesos hijos.
// La carpeta de los ficheros es QUINIELA_BENCH_CARPETA o, si no, la temporal del sistema.

#include "bases_bench.h"
#include "core/estado_global.h"
#include "reduction/motor_reduccion.h"
#include "scrutiny/realiza_escrutinio.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

using namespace quiniela;

namespace {

const QString Ganadora = QStringLiteral("1X21X21X21X21X2");

// Carpeta de datos con la reducción 3^15 guardada como jornada 1, orden 1 (se hace una vez).
const QTemporaryDir& Carpeta() {
    static QTemporaryDir dir = [] {
        const QByteArray pedida = qgetenv("QUINIELA_BENCH_CARPETA");
        const QString base = pedida.isEmpty() ? QDir::tempPath() : QString::fromLocal8Bit(pedida);
        return QTemporaryDir(base + QStringLiteral("/bench-escrutinio-XXXXXX"));
    }();
    static const bool hecha = [] {
        EstadoGlobal global;
        global.CarpetaDatos = dir.path() + u'/';
        global.Datos.JornadaActual = 1;
        global.Datos.OrdenActual = 1;
        QFile(global.Ruta(QStringLiteral("BASES.ZPK"))).open(QIODevice::WriteOnly);
        QFile::copy(QStringLiteral(QUINIELA_FUENTES "/data/DATOSGEN.ZPK"),
                    global.Ruta(QStringLiteral("DATOSGEN.ZPK")));
        OpcionesReduccion opciones;
        opciones.ReemplazaSinPreguntar = true;
        global.Red = bench::BaseTodo3a15();
        return EjecutaReduccion(global, opciones).Fin == FinReduccion::Terminada;
    }();
    if (!hecha)
        qFatal("No se pudo fabricar la reducción 3^15");
    return dir;
}

QString FicheroColumnas() {
    return Carpeta().filePath(QStringLiteral("RED0101.ZPK"));
}

void Ejecuta(benchmark::State& estado, const QString& programa, const QStringList& args) {
    QProcess p;
    p.setStandardOutputFile(QProcess::nullDevice());
    p.start(programa, args);
    if (!p.waitForFinished(-1) || p.exitCode() != 0)
        estado.SkipWithError("el proceso falló");
}

void AnotaMemoria(benchmark::State& estado) {
    rusage uso{};
    getrusage(RUSAGE_CHILDREN, &uso);
    estado.counters["rss_max_MB"] = double(uso.ru_maxrss) / 1024.0;
}

void BM_CatFichero3a15(benchmark::State& estado) {
    const QString fichero = FicheroColumnas();
    for (auto _ : estado)
        Ejecuta(estado, QStringLiteral("cat"), {fichero});
    estado.SetBytesProcessed(estado.iterations() * QFile(fichero).size());
}
BENCHMARK(BM_CatFichero3a15)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

void BM_EscrutarCli3a15(benchmark::State& estado) {
    const QString fichero = FicheroColumnas();
    const QStringList args{QStringLiteral("--datos"),
                           Carpeta().path(),
                           QStringLiteral("escrutar"),
                           QStringLiteral("--jornada"),
                           QStringLiteral("1"),
                           QStringLiteral("--orden"),
                           QStringLiteral("1"),
                           QStringLiteral("--ganadora"),
                           Ganadora,
                           QStringLiteral("--premios"),
                           QStringLiteral("1000000,50000,1000,100,10,1")};
    for (auto _ : estado)
        Ejecuta(estado, QStringLiteral(QUINIELA_CLI), args);
    estado.SetBytesProcessed(estado.iterations() * QFile(fichero).size());
    AnotaMemoria(estado);
}
BENCHMARK(BM_EscrutarCli3a15)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

// Solo la ejecución del escrutinio, dentro del proceso.
void BM_RealizaEscrutinio3a15(benchmark::State& estado) {
    EstadoGlobal global;
    global.CarpetaDatos = Carpeta().path() + u'/';
    global.Datos.JornadaActual = 1;
    global.Datos.OrdenActual = 1;
    global.Red = bench::BaseTodo3a15();
    EntradaEscrutinio entrada;
    for (int j = 1; j <= NumPartidos; ++j)
        entrada.Marcas[j][QStringLiteral("-1X2").indexOf(Ganadora.at(j - 1))] = 1;
    ResultadoEscrutinio r;
    for (auto _ : estado)
        if (RealizaEscrutinio(global, entrada, r) != FinEscrutinio::Hecho)
            estado.SkipWithError("el escrutinio no terminó");
    estado.counters["boletos_premiados"] = double(r.Boletos.size());
    estado.SetBytesProcessed(estado.iterations() * QFile(FicheroColumnas()).size());
}
BENCHMARK(BM_RealizaEscrutinio3a15)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
