// Speed and memory of the guarantee of a stored reduction over the full base (three signs in
// all 15 matches: 4,782,969 winning columns).
//
//   BM_Garantia/10000: a reduction of 10,000 columns of the base (target: under 1 s).
//   BM_Garantia/14348907: the full base reduced by the manual method, 272 MB of columns
//     (target: under 2 s).
//   Both alternate, in the same run, with the baseline of only reading the same file line by
//   line, and report both medians and their ratio.
//   BM_MemoriaPico: the peak resident memory of a process that computes the guarantee of the
//     full base (target: under 64 MiB).
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
#include <random>
#include <string>
#include <vector>

#include "bench/apoyo_bench.h"
#include "engine/consult/garantia.h"
#include "engine/core/indice.h"
#include "engine/core/lector_lineas.h"
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

Reduccion BaseCompleta() {
  Reduccion r = zendo::ReduccionNueva(1, 1, zendo::kMetodoManual);
  for (int m = 1; m <= zendo::kPartidos; ++m) {
    r.Partido[m].Signo = {0, 1, 1, 1};
    r.Partido[m].NumSignos = 3;
  }
  return r;
}

// The columns file of the reduction: the full development, or `columnas` random columns of
// the base.
void PreparaColumnas(const fs::path& carpeta, const Reduccion& modelo, int64_t columnas) {
  if (columnas == kColumnasBase) {
    Reduccion r = modelo;
    const zendo::Cifras c = zendo::RecalculaReduccion(r);
    std::atomic<bool> cancelar{false};
    zendo::ReduceApuestas(carpeta, r,
                          {c.ApuestasBase, c.NumApuestas, c.ApuestasQuiniela, c.ApuestasExternas},
                          {}, cancelar);
    return;
  }
  std::mt19937 gen(15);
  std::ofstream f(carpeta / zendo::NombreReduccion(1, 1), std::ios::binary);
  for (int64_t i = 0; i < columnas; ++i) {
    std::string c(15, ' ');
    for (char& s : c) s = "1X2"[gen() % 3];
    f << zendo::LineaColumna(c);
  }
}

// The baseline: every line of the file through the line reader, nothing else.
int64_t SoloLee(const fs::path& fichero) {
  zendo::LectorLineas lector(fichero);
  std::string_view linea;
  int64_t n = 0;
  while (lector.Siguiente(linea)) n += !linea.empty();
  return n;
}

void BM_Garantia(benchmark::State& state) {
  Carpeta carpeta("zendo-bench-garantia");
  const Reduccion r = BaseCompleta();
  const int64_t columnas = state.range(0);
  PreparaColumnas(carpeta.ruta(), r, columnas);
  const fs::path fichero = carpeta.ruta() / zendo::NombreReduccion(1, 1);
  const std::atomic<bool> nunca{false};
  std::vector<double> lectura, garantia;
  int64_t leidas = 0;
  zendo::Garantia g;
  for (auto _ : state) {
    auto t0 = std::chrono::steady_clock::now();
    leidas = SoloLee(fichero);
    lectura.push_back(Segundos(t0));
    t0 = std::chrono::steady_clock::now();
    const zendo::ResultadoGarantia res = zendo::CalculaGarantia(carpeta.ruta(), r, {}, nunca);
    garantia.push_back(Segundos(t0));
    g = res.garantia;
    if (res.estado != zendo::EstadoGarantia::Calculada || g.columnas != columnas ||
        leidas != columnas) {
      state.SkipWithError("el cálculo no se completó");
    }
    state.SetIterationTime(garantia.back());
  }
  state.counters["lectura_s"] = Mediana(lectura);
  state.counters["garantia_s"] = Mediana(garantia);
  state.counters["relacion"] = Mediana(garantia) / Mediana(lectura);
  state.counters["garantia"] = g.garantia;
}
BENCHMARK(BM_Garantia)
    ->Arg(10000)
    ->Arg(kColumnasBase)
    ->Iterations(7)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

void BM_MemoriaPico(benchmark::State& state) {
  Carpeta carpeta("zendo-bench-garantia");
  const Reduccion r = BaseCompleta();
  PreparaColumnas(carpeta.ruta(), r, kColumnasBase);
  struct rusage propio {};
  ::getrusage(RUSAGE_SELF, &propio);
  long picoKiB = 0;
  for (auto _ : state) {
    const pid_t hijo = ::fork();
    if (hijo == 0) {
      const std::atomic<bool> nunca{false};
      const auto res = zendo::CalculaGarantia(carpeta.ruta(), r, {}, nunca);
      _exit(res.garantia.columnas == kColumnasBase ? 0 : 1);
    }
    int estado = 0;
    struct rusage uso {};
    ::wait4(hijo, &estado, 0, &uso);
    if (!WIFEXITED(estado) || WEXITSTATUS(estado) != 0) state.SkipWithError("el hijo falló");
    picoKiB = std::max(picoKiB, uso.ru_maxrss);
  }
  state.counters["pico_MiB"] = static_cast<double>(picoKiB) / 1024.0;
  // What the child inherited from this process when it was forked.
  state.counters["padre_MiB"] = static_cast<double>(propio.ru_maxrss) / 1024.0;
}
BENCHMARK(BM_MemoriaPico)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
