// Speed and memory of the generation on the full base (three signs in all 15 matches,
// 14,348,907 columns).
//
//   BM_ManualFrenteAEscritura: a manual reduction (272,629,233 bytes) against writing the
//     same number of bytes to a file in the same folder with one large buffered stream,
//     alternated in the same run; reports both medians and their ratio.
//   BM_Filtrada/2,3,4: methods 2, 3 and 4 with criteria that accept about 1% of the
//     columns; reports the columns examined per second.
//   BM_MemoriaPico: the peak resident memory of a process that runs the manual reduction.
//
// The data folder is $ZENDO_BENCH_TMP (default: the system's temporary folder).

#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/apoyo_bench.h"
#include "engine/reduction/cifras.h"
#include "engine/reduction/generacion.h"
#include "engine/reduction/modelo.h"

namespace {

namespace fs = std::filesystem;
using zendo::Reduccion;
using zendo::bench::Carpeta;
using zendo::bench::Mediana;
using zendo::bench::Segundos;

constexpr int64_t kColumnasBase = 14348907;
constexpr int64_t kBytesBase = kColumnasBase * 19;

Reduccion BaseCompleta(int metodo) {
  Reduccion r = zendo::ReduccionNueva(1, 1, static_cast<int16_t>(metodo));
  for (int m = 1; m <= zendo::kPartidos; ++m) {
    r.Partido[m].Signo = {0, 1, 1, 1};
    r.Partido[m].NumSignos = 3;
    r.Partido[m].AReducir = m < zendo::kPartidos;
    r.Probabilidad[m] = {0, 50, 30, 20};
  }
  switch (metodo) {
    case zendo::kMetodoColumnaProbable:  // exactly 5 errors: 1.3%
      for (int m = 1; m <= 14; ++m) r.Partido[m].Probable = 1;
      r.MinErrores = r.MaxErrores = 5;
      break;
    case zendo::kMetodoSeleccionSignos:  // one "1" and 4 to 6 "X": 1.1%
      r.TotalSignos[1][1] = 1;
      for (int n = 4; n <= 6; ++n) r.TotalSignos[2][n] = 1;
      for (int n = 0; n <= 14; ++n) r.TotalSignos[3][n] = 1;
      break;
    case zendo::kMetodoBalanceSignos:  // probability from 41.42 to 50: 1.1%
      r.MinPorcentaje = 41.42f;
      r.MaxPorcentaje = 50;
      break;
    default:
      break;
  }
  return r;
}

// Reduces a copy of `modelo`; the columns written.
int64_t Reduce(const fs::path& carpeta, const Reduccion& modelo) {
  Reduccion r = modelo;
  const zendo::Cifras c = zendo::RecalculaReduccion(r);
  std::atomic<bool> cancelar{false};
  const zendo::ResultadoReduccion res = zendo::ReduceApuestas(
      carpeta, r, {c.ApuestasBase, c.NumApuestas, c.ApuestasQuiniela, c.ApuestasExternas}, {},
      cancelar);
  return res.completada ? res.columnas : -1;
}

// The reference: the same number of bytes of column lines through one buffered stream.
void EscribeReferencia(const fs::path& ruta) {
  std::vector<char> trozo(1 << 20);
  for (std::size_t i = 0; i < trozo.size(); ++i) trozo[i] = "\"111111111111111\"\r\n"[i % 19];
  std::vector<char> bufferFlujo(1 << 20);
  std::ofstream f;
  f.rdbuf()->pubsetbuf(bufferFlujo.data(), static_cast<std::streamsize>(bufferFlujo.size()));
  f.open(ruta, std::ios::binary | std::ios::trunc);
  for (int64_t resto = kBytesBase; resto > 0;) {
    const auto n = std::min<int64_t>(resto, static_cast<int64_t>(trozo.size()));
    f.write(trozo.data(), n);
    resto -= n;
  }
  f.close();
}

void BM_ManualFrenteAEscritura(benchmark::State& state) {
  Carpeta carpeta("zendo-bench");
  const Reduccion r = BaseCompleta(zendo::kMetodoManual);
  std::vector<double> referencia, reduccion;
  const fs::path ficheroReferencia = carpeta.ruta() / "REFERENCIA.TVX";
  for (auto _ : state) {
    auto t0 = std::chrono::steady_clock::now();
    EscribeReferencia(ficheroReferencia);
    referencia.push_back(Segundos(t0));
    t0 = std::chrono::steady_clock::now();
    const int64_t columnas = Reduce(carpeta.ruta(), r);
    reduccion.push_back(Segundos(t0));
    if (columnas != kColumnasBase) state.SkipWithError("la reducción no se completó");
    state.SetIterationTime(reduccion.back());
  }
  state.counters["referencia_s"] = Mediana(referencia);
  state.counters["reduccion_s"] = Mediana(reduccion);
  state.counters["relacion"] = Mediana(reduccion) / Mediana(referencia);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kBytesBase);
}
BENCHMARK(BM_ManualFrenteAEscritura)->Iterations(7)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_Filtrada(benchmark::State& state) {
  Carpeta carpeta("zendo-bench");
  const Reduccion r = BaseCompleta(static_cast<int>(state.range(0)));
  std::vector<double> tiempos;
  int64_t columnas = 0;
  for (auto _ : state) {
    const auto t0 = std::chrono::steady_clock::now();
    columnas = Reduce(carpeta.ruta(), r);
    tiempos.push_back(Segundos(t0));
    state.SetIterationTime(tiempos.back());
  }
  state.counters["aceptadas_pct"] = 100.0 * static_cast<double>(columnas) / kColumnasBase;
  state.counters["examinadas_por_s"] = static_cast<double>(kColumnasBase) / Mediana(tiempos);
  state.counters["mediana_s"] = Mediana(tiempos);
}
BENCHMARK(BM_Filtrada)
    ->Arg(2)
    ->Arg(3)
    ->Arg(4)
    ->Iterations(7)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

void BM_MemoriaPico(benchmark::State& state) {
  Carpeta carpeta("zendo-bench");
  const Reduccion r = BaseCompleta(zendo::kMetodoManual);
  long picoKiB = 0;
  for (auto _ : state) {
    const pid_t hijo = ::fork();
    if (hijo == 0) _exit(Reduce(carpeta.ruta(), r) == kColumnasBase ? 0 : 1);
    int estado = 0;
    struct rusage uso {};
    ::wait4(hijo, &estado, 0, &uso);
    if (!WIFEXITED(estado) || WEXITSTATUS(estado) != 0) state.SkipWithError("el hijo falló");
    picoKiB = std::max(picoKiB, uso.ru_maxrss);
  }
  state.counters["pico_MiB"] = static_cast<double>(picoKiB) / 1024.0;
}
BENCHMARK(BM_MemoriaPico)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
