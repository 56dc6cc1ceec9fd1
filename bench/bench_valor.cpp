// Valor de una reducción frente a lo que cuesta hacerla o leerla, en la misma ejecución:
// - la de pocas columnas (columna probable de catorce triples con 0 a 3 errores y el 15
//   triple: 9.915 columnas) frente a reducir esa misma base (desarrolla las 3^15);
// - la que lo conserva todo (3^15, 272 MB) frente a cat del fichero de columnas.
// Por quiniela-cli (con rss_max_MB, la memoria residente máxima de los hijos) y dentro del
// proceso. La carpeta es QUINIELA_BENCH_CARPETA o, si no, la temporal del sistema.

#include "bases_bench.h"
#include "core/estado_global.h"
#include "matchdays/fichero_probabilidades.h"
#include "reduction/estadisticas.h"
#include "reduction/motor_reduccion.h"
#include "reduction/valor_apuesta.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

using namespace quiniela;

namespace {

Reduccion BasePocas() {
    Reduccion red = bench::BaseTriples(15, MetodoColumnaProbable);
    red.MaxErrores = 3;
    return red;
}

// Estimaciones de la jornada 1: todas distintas, como las de un jugador.
EstimacionesJornada Estimaciones() {
    EstimacionesJornada e;
    for (int m = 1; m <= NumPartidos; ++m) {
        const int uno = 30 + 3 * m;
        e[m] = {true, {uno, (100 - uno) / 2, 100 - uno - (100 - uno) / 2}};
    }
    return e;
}

EstadoGlobal EstadoEn(const QString& carpeta, int orden) {
    EstadoGlobal global;
    global.CarpetaDatos = carpeta + u'/';
    global.Datos.JornadaActual = 1;
    global.Datos.OrdenActual = int16_t(orden);
    return global;
}

bool Reduce(EstadoGlobal& global, const Reduccion& red) {
    OpcionesReduccion opciones;
    opciones.ReemplazaSinPreguntar = true;
    global.Red = red;
    return EjecutaReduccion(global, opciones).Fin == FinReduccion::Terminada;
}

// Jornada 1 con sus estimaciones: orden 1 la de pocas columnas, orden 2 la de 3^15.
const QTemporaryDir& Carpeta() {
    static QTemporaryDir dir = [] {
        const QByteArray pedida = qgetenv("QUINIELA_BENCH_CARPETA");
        const QString base = pedida.isEmpty() ? QDir::tempPath() : QString::fromLocal8Bit(pedida);
        return QTemporaryDir(base + QStringLiteral("/bench-valor-XXXXXX"));
    }();
    static const bool hecha = [] {
        QFile(dir.filePath(QStringLiteral("BASES.ZPK"))).open(QIODevice::WriteOnly);
        QFile::copy(QStringLiteral(QUINIELA_FUENTES "/data/DATOSGEN.ZPK"),
                    dir.filePath(QStringLiteral("DATOSGEN.ZPK")));
        EstadoGlobal pocas = EstadoEn(dir.path(), 1);
        EstadoGlobal todo = EstadoEn(dir.path(), 2);
        return GuardaEstimaciones(pocas, 1, Estimaciones()).Bien() && Reduce(pocas, BasePocas()) &&
               Reduce(todo, bench::BaseTodo3a15());
    }();
    if (!hecha)
        qFatal("No se pudieron fabricar las reducciones");
    return dir;
}

QString FicheroColumnas(int orden) {
    return Carpeta().filePath(NombreFicheroApuestas(1, orden));
}

void Ejecuta(benchmark::State& estado, const QString& programa, const QStringList& args) {
    QProcess p;
    p.setStandardOutputFile(QProcess::nullDevice());
    p.start(programa, args);
    if (!p.waitForFinished(-1) || p.exitCode() != 0)
        estado.SkipWithError("el proceso falló");
}

double SegundosCpuHijos() {
    rusage uso{};
    getrusage(RUSAGE_CHILDREN, &uso);
    return double(uso.ru_utime.tv_sec + uso.ru_stime.tv_sec) +
           double(uso.ru_utime.tv_usec + uso.ru_stime.tv_usec) / 1e6;
}

// La máquina de medir puede estar cargada: el tiempo de CPU de los hijos (usuario y sistema)
// por iteración compara mejor que el real. rss_max_MB es el máximo de todos los hijos.
void AnotaHijos(benchmark::State& estado, double cpuAntes) {
    rusage uso{};
    getrusage(RUSAGE_CHILDREN, &uso);
    estado.counters["rss_max_MB"] = double(uso.ru_maxrss) / 1024.0;
    estado.counters["cpu_hijo_ms"] = (SegundosCpuHijos() - cpuAntes) * 1000.0 /
                                     double(std::max<int64_t>(estado.iterations(), 1));
}

QStringList ArgumentosValor(int orden) {
    return {QStringLiteral("--datos"),
            Carpeta().path(),
            QStringLiteral("valor"),
            QStringLiteral("--jornada"),
            QStringLiteral("1"),
            QStringLiteral("--orden"),
            QString::number(orden),
            QStringLiteral("--premios"),
            QStringLiteral("1000000,50000,1000,100,10,1")};
}

// --- Pocas columnas: valor frente a reducir --------------------------------------------------

void BM_ReducirPocas(benchmark::State& estado) {
    EstadoGlobal global = EstadoEn(Carpeta().path(), 3);
    for (auto _ : estado)
        if (!Reduce(global, BasePocas()))
            estado.SkipWithError("la reducción no terminó");
}
BENCHMARK(BM_ReducirPocas)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);

void BM_ValorFicheroPocas(benchmark::State& estado) {
    const ProbabilidadesJornada p = ProbabilidadesDe(Estimaciones());
    for (auto _ : estado) {
        QFile f(FicheroColumnas(1));
        f.open(QIODevice::ReadOnly);
        if (ValorDeFichero(f, p).Fin != FinValor::Hecho)
            estado.SkipWithError("el valor no terminó");
    }
}
BENCHMARK(BM_ValorFicheroPocas)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);

// La base que se edita: desarrollo sin fichero y cálculo.
void BM_ValorDesarrolloPocas(benchmark::State& estado) {
    const ProbabilidadesJornada p = ProbabilidadesDe(Estimaciones());
    Reduccion red = BasePocas();
    TablaDirecta tabla;
    CalculaEstadisticas(red, tabla);
    for (auto _ : estado)
        if (ValorDeDesarrollo(red, tabla, p).Fin != FinValor::Hecho)
            estado.SkipWithError("el valor no terminó");
}
BENCHMARK(BM_ValorDesarrolloPocas)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);

void BM_ValorCliPocas(benchmark::State& estado) {
    const double cpu = SegundosCpuHijos();
    for (auto _ : estado)
        Ejecuta(estado, QStringLiteral(QUINIELA_CLI), ArgumentosValor(1));
    AnotaHijos(estado, cpu);
}
BENCHMARK(BM_ValorCliPocas)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);

// --- 3^15 entero: valor frente a cat ---------------------------------------------------------

void BM_CatTodo3a15(benchmark::State& estado) {
    const QString fichero = FicheroColumnas(2);
    const double cpu = SegundosCpuHijos();
    for (auto _ : estado)
        Ejecuta(estado, QStringLiteral("cat"), {fichero});
    estado.SetBytesProcessed(estado.iterations() * QFile(fichero).size());
    AnotaHijos(estado, cpu);
}
BENCHMARK(BM_CatTodo3a15)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);

void BM_ValorFicheroTodo3a15(benchmark::State& estado) {
    const ProbabilidadesJornada p = ProbabilidadesDe(Estimaciones());
    for (auto _ : estado) {
        QFile f(FicheroColumnas(2));
        f.open(QIODevice::ReadOnly);
        if (ValorDeFichero(f, p).Fin != FinValor::Hecho)
            estado.SkipWithError("el valor no terminó");
    }
    estado.SetBytesProcessed(estado.iterations() * QFile(FicheroColumnas(2)).size());
}
BENCHMARK(BM_ValorFicheroTodo3a15)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);

void BM_ValorCliTodo3a15(benchmark::State& estado) {
    const double cpu = SegundosCpuHijos();
    for (auto _ : estado)
        Ejecuta(estado, QStringLiteral(QUINIELA_CLI), ArgumentosValor(2));
    estado.SetBytesProcessed(estado.iterations() * QFile(FicheroColumnas(2)).size());
    AnotaHijos(estado, cpu);
}
BENCHMARK(BM_ValorCliTodo3a15)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);

} // namespace

BENCHMARK_MAIN();
