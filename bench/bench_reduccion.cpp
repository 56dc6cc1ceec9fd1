// Mediciones de la reducción: la base 3^15 escrita entera frente a dd, el desarrollo sin
// disco, la selección de signos estrecha y las estadísticas en su peor caso.
// La carpeta de los ficheros es QUINIELA_BENCH_CARPETA o, si no, la temporal del sistema.

#include "bases_bench.h"
#include "core/estado_global.h"
#include "reduction/desarrollo.h"
#include "reduction/estadisticas.h"
#include "reduction/motor_reduccion.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>

using namespace quiniela;

namespace {

QString CarpetaBase() {
    const QByteArray pedida = qgetenv("QUINIELA_BENCH_CARPETA");
    return pedida.isEmpty() ? QDir::tempPath() : QString::fromLocal8Bit(pedida);
}

constexpr qint64 BytesTodo3a15 = 14348907LL * BytesLineaColumna; // 272.629.233

// Lo mismo que escribe la reducción, con dd bs=1M, en la misma carpeta.
void BM_DdMismosBytes(benchmark::State& estado) {
    QTemporaryDir dir(CarpetaBase() + QStringLiteral("/bench-XXXXXX"));
    const QString destino = dir.filePath(QStringLiteral("dd.tmp"));
    for (auto _ : estado) {
        QProcess dd;
        dd.start(QStringLiteral("dd"),
                 {QStringLiteral("if=/dev/zero"), QStringLiteral("of=") + destino,
                  QStringLiteral("bs=1M"),
                  QStringLiteral("count=") + QString::number(BytesTodo3a15),
                  QStringLiteral("iflag=count_bytes"), QStringLiteral("status=none")});
        dd.waitForFinished(-1);
        estado.PauseTiming();
        QFile::remove(destino);
        estado.ResumeTiming();
    }
    estado.SetBytesProcessed(estado.iterations() * BytesTodo3a15);
}
BENCHMARK(BM_DdMismosBytes)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

// La reducción completa (comprobaciones, índice y fichero de columnas) de la base 3^15 que lo
// conserva todo. Argumento: 2, aviso como el de la línea de órdenes (redibuja al cambiar el
// porcentaje, mira la cancelación cada 65.536 pasos); 1, aviso llamado en cada combinación;
// 0, sin aviso.
void BM_ReduccionTodo3a15(benchmark::State& estado) {
    QTemporaryDir dir(CarpetaBase() + QStringLiteral("/bench-XXXXXX"));
    EstadoGlobal global;
    global.CarpetaDatos = dir.path() + u'/';
    global.Datos.JornadaActual = 1;
    global.Datos.OrdenActual = 1;
    QFile(global.Ruta(QStringLiteral("BASES.ZPK"))).open(QIODevice::WriteOnly);
    volatile bool cancelar = false;
    int32_t siguiente = 0;
    int porcentaje = 0;
    OpcionesReduccion opciones;
    opciones.ReemplazaSinPreguntar = true;
    if (estado.range(0) == 2) {
        opciones.Aviso = [&](int32_t paso, int32_t pasos) {
            if (paso >= siguiente) {
                porcentaje = PorcentajeReduccion(paso, pasos);
                siguiente = static_cast<int32_t>((int64_t(porcentaje + 1) * pasos + 99) / 100);
            }
            return RespuestaAviso{cancelar, std::min(siguiente, paso + (1 << 16))};
        };
    } else if (estado.range(0) == 1) {
        opciones.Aviso = [&](int32_t paso, int32_t pasos) {
            if (paso >= siguiente) {
                porcentaje = PorcentajeReduccion(paso, pasos);
                siguiente = static_cast<int32_t>((int64_t(porcentaje + 1) * pasos + 99) / 100);
            }
            return static_cast<bool>(cancelar);
        };
    }
    int64_t columnas = 0;
    for (auto _ : estado) {
        siguiente = 0;
        global.Red = bench::BaseTodo3a15();
        const auto r = EjecutaReduccion(global, opciones);
        if (r.Fin != FinReduccion::Terminada)
            estado.SkipWithError("la reducción no terminó");
        columnas = r.ColumnasEscritas;
        estado.PauseTiming();
        QFile::remove(global.Ruta(QStringLiteral("RED0101.ZPK")));
        estado.ResumeTiming();
    }
    estado.counters["columnas"] = double(columnas);
    estado.SetBytesProcessed(estado.iterations() * columnas * BytesLineaColumna);
}
BENCHMARK(BM_ReduccionTodo3a15)
    ->ArgName("aviso")
    ->Arg(2)
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(5);

// Solo el desarrollo de 3^15, con un aviso en cada combinación y las líneas a un sumidero
// que no hace nada.
void BM_DesarrolloTodo3a15SinDisco(benchmark::State& estado) {
    Reduccion red = bench::BaseTodo3a15();
    TablaDirecta tabla;
    CalculaEstadisticas(red, tabla);
    const SumideroLineas sumidero = [](const char* datos, qsizetype) {
        benchmark::DoNotOptimize(datos);
        return true;
    };
    int32_t siguiente = 0;
    volatile bool cancelar = false;
    const AvisoProgreso aviso = [&](int32_t paso, int32_t pasos) {
        if (paso >= siguiente)
            siguiente = static_cast<int32_t>(
                (int64_t(PorcentajeReduccion(paso, pasos) + 1) * pasos + 99) / 100);
        return cancelar;
    };
    for (auto _ : estado) {
        siguiente = 0;
        benchmark::DoNotOptimize(DesarrollaReduccion(red, tabla, aviso, sumidero));
    }
    estado.SetItemsProcessed(estado.iterations() * 14348907LL);
}
BENCHMARK(BM_DesarrolloTodo3a15SinDisco)->Unit(benchmark::kMillisecond);

// 3^12 por selección de signos estrecha: casi todo el tiempo es desarrollar y probar.
void BM_SeleccionEstrecha3a12(benchmark::State& estado) {
    Reduccion red = bench::BaseSeleccionEstrecha3a12();
    TablaDirecta tabla;
    CalculaEstadisticas(red, tabla);
    int64_t lineas = 0;
    const SumideroLineas sumidero = [&](const char*, qsizetype bytes) {
        lineas += bytes;
        return true;
    };
    const AvisoProgreso aviso = [](int32_t, int32_t) { return false; };
    for (auto _ : estado)
        benchmark::DoNotOptimize(DesarrollaReduccion(red, tabla, aviso, sumidero));
    estado.SetItemsProcessed(estado.iterations() * 531441LL);
}
BENCHMARK(BM_SeleccionEstrecha3a12)->Unit(benchmark::kMicrosecond);

// Peor caso de las estadísticas: catorce triples elegidos, selección de signos, todos los
// totales permitidos.
void BM_CalculaEstadisticasPeorCaso(benchmark::State& estado) {
    Reduccion red = bench::BaseTriples(15, MetodoSeleccionSignos);
    for (int k = 1; k <= 3; ++k)
        for (int r = 0; r <= 14; ++r)
            red.Totales(k, r) = 1;
    for (auto _ : estado) {
        TablaDirecta tabla;
        benchmark::DoNotOptimize(CalculaEstadisticas(red, tabla));
    }
}
BENCHMARK(BM_CalculaEstadisticasPeorCaso)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
