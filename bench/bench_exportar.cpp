// Mediciones de la copia a disco frente a cp del mismo fichero de columnas a la misma
// carpeta: 3^15 columnas a TXT2 (con el fichero de boletos) y 3^12 a AD243.
// La carpeta de los ficheros es QUINIELA_BENCH_CARPETA o, si no, la temporal del sistema.

#include "core/estado_global.h"
#include "output/motor_copia.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>
#include <sys/resource.h>
#include <unistd.h>

using namespace quiniela;

namespace {

QString CarpetaBase() {
    const QByteArray pedida = qgetenv("QUINIELA_BENCH_CARPETA");
    return pedida.isEmpty() ? QDir::tempPath() : QString::fromLocal8Bit(pedida);
}

// Las columnas de una base de n triples en el orden en que las escribe la reducción: el
// partido 1 cambia en cada columna y el 15 es el más lento, así que el signo 15 cambia solo
// dos veces. (Al revés cada columna abriría boleto y el fichero de boletos ocuparía ocho
// veces más: no es lo que produce el programa.)
void EscribeColumnas(const QString& ruta, int triples) {
    QFile f(ruta);
    f.open(QIODevice::WriteOnly);
    const char signos[] = "1X2";
    int64_t total = 1;
    for (int i = 0; i < triples; ++i)
        total *= 3;
    QByteArray bloque;
    char linea[] = "\"111111111111111\"\r\n";
    for (int64_t c = 0; c < total; ++c) {
        int64_t resto = c;
        for (int m = 1; m <= triples; ++m, resto /= 3)
            linea[m] = signos[resto % 3];
        bloque.append(linea, 19);
        if (bloque.size() >= (1 << 20)) {
            f.write(bloque);
            bloque.clear();
        }
    }
    f.write(bloque);
}

struct Carpeta {
    QTemporaryDir dir{CarpetaBase() + QStringLiteral("/bench-XXXXXX")};
    EstadoGlobal estado;
    explicit Carpeta(int triples) {
        estado.CarpetaDatos = dir.path() + u'/';
        estado.Datos.JornadaActual = 1;
        estado.Datos.OrdenActual = 1;
        EscribeColumnas(estado.Ruta(QStringLiteral("RED0101.ZPK")), triples);
        QDir(dir.path()).mkdir(QStringLiteral("destino"));
    }
};

void Cp(benchmark::State& estado) {
    Carpeta carpeta(int(estado.range(0)));
    const QString destino = carpeta.dir.filePath(QStringLiteral("destino/copia"));
    for (auto _ : estado) {
        QProcess::execute(QStringLiteral("cp"),
                          {carpeta.estado.Ruta(QStringLiteral("RED0101.ZPK")), destino});
        estado.PauseTiming();
        QFile::remove(destino);
        ::sync();
        estado.ResumeTiming();
    }
}

// Cada vuelta copia también con cp el fichero de columnas, sin contarlo en el tiempo, para dar
// la razón frente a cp medida en las mismas condiciones (la máquina puede estar cargada).
void Exportar(benchmark::State& estado) {
    Carpeta carpeta(int(estado.range(0)));
    OpcionesCopia opciones;
    opciones.Formato = static_cast<FormatoExportar>(estado.range(1));
    opciones.Unidad = {QStringLiteral("bench"), carpeta.dir.filePath(QStringLiteral("destino"))};
    opciones.NombreArchivo = QStringLiteral("salida");
    std::atomic<bool> cancelar{false};
    opciones.CancelarProceso = &cancelar;
    int ultimo = 0;
    opciones.AlAvanzar = [&](int p) { ultimo = p; };
    using Reloj = std::chrono::steady_clock;
    Reloj::duration exportar{}, cp{};
    for (auto _ : estado) {
        // Las dos medidas empiezan sin escrituras pendientes: si no, el volcado al disco de
        // las vueltas anteriores cae sobre una u otra según le toque.
        estado.PauseTiming();
        ::sync();
        estado.ResumeTiming();
        const auto inicio = Reloj::now();
        if (EjecutaCopia(carpeta.estado, opciones).Fin != FinCopia::Terminada || ultimo != 100)
            estado.SkipWithError("la copia no terminó");
        exportar += Reloj::now() - inicio;
        estado.PauseTiming();
        QFile::remove(carpeta.dir.filePath(QStringLiteral("destino/salida")));
        const QString copia = carpeta.dir.filePath(QStringLiteral("destino/copia"));
        ::sync();
        const auto inicioCp = Reloj::now();
        QProcess::execute(QStringLiteral("cp"),
                          {carpeta.estado.Ruta(QStringLiteral("RED0101.ZPK")), copia});
        cp += Reloj::now() - inicioCp;
        QFile::remove(copia);
        estado.ResumeTiming();
    }
    estado.counters["veces_cp"] = double(exportar.count()) / double(cp.count());
    rusage uso{};
    getrusage(RUSAGE_SELF, &uso);
    estado.counters["pico_residente_MB"] = double(uso.ru_maxrss) / 1024.0;
}

} // namespace

// 3^15 a TXT2 y su cp; 3^12 a AD243 y su cp.
BENCHMARK(Cp)->Arg(15)->Arg(12)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(Exportar)
    ->Args({15, int(FormatoExportar::TXT2)})
    ->Args({12, int(FormatoExportar::AD243)})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);
BENCHMARK_MAIN();
