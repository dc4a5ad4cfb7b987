// Speed and memory of the scrutiny on the full base reduced by the manual method (three signs
// in all 15 matches, 14,348,907 columns, 272,629,233 bytes), read from the page cache.
//
//   BM_Escruta: the engine routine alone; reports the columns counted per second.
//   BM_OrdenFrenteAWc: the whole command `zendo-cli escrutinio` against `wc -l` on the same
//     file, alternated in the same run (output to /dev/null); reports both medians and their
//     ratio.
//   BM_MemoriaPico: the peak resident memory of the `zendo-cli escrutinio` process.
//
// The data folder is $ZENDO_BENCH_TMP (default: the system's temporary folder); the columns
// file is written once, by the reduction itself, before the first benchmark.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "apoyo_bench.h"
#include "engine/core/indice.h"
#include "engine/reduction/cifras.h"
#include "engine/reduction/generacion.h"
#include "engine/reduction/modelo.h"
#include "engine/scrutiny/escrutinio.h"

namespace {

namespace fs = std::filesystem;
using zendo::bench::Ejecucion;
using zendo::bench::Ejecuta;
using zendo::bench::Mediana;
using zendo::bench::Segundos;

constexpr int64_t kColumnasBase = 14348907;
constexpr const char* kGanadora = "1X21X21X21X21X2";

class Carpeta {
 public:
  Carpeta() {
    const char* base = std::getenv("ZENDO_BENCH_TMP");
    ruta_ = (base ? fs::path(base) : fs::temp_directory_path()) /
            ("zendo-bench-escrutinio-" + std::to_string(::getpid()));
    fs::create_directories(ruta_);
    zendo::Reduccion r = zendo::ReduccionNueva(1, 1, zendo::kMetodoManual);
    for (int m = 1; m <= zendo::kPartidos; ++m) {
      r.Partido[m].Signo = {0, 1, 1, 1};
      r.Partido[m].NumSignos = 3;
    }
    const zendo::Cifras c = zendo::RecalculaReduccion(r);
    std::atomic<bool> cancelar{false};
    const zendo::ResultadoReduccion res = zendo::ReduceApuestas(
        ruta_, r, {c.ApuestasBase, c.NumApuestas, c.ApuestasQuiniela, c.ApuestasExternas}, {},
        cancelar);
    listo_ = res.completada && res.columnas == kColumnasBase;
    reduccion_ = r;
  }
  ~Carpeta() {
    std::error_code ec;
    fs::remove_all(ruta_, ec);
  }
  const fs::path& ruta() const { return ruta_; }
  fs::path columnas() const { return ruta_ / zendo::NombreReduccion(1, 1); }
  const zendo::Reduccion& reduccion() const { return reduccion_; }
  bool listo() const { return listo_; }

 private:
  fs::path ruta_;
  zendo::Reduccion reduccion_;
  bool listo_ = false;
};

Carpeta& Datos() {
  static Carpeta carpeta;
  return carpeta;
}

std::vector<std::string> OrdenEscrutinio() {
  return {ZENDO_CLI_PATH, "escrutinio", "--datos",   Datos().ruta().string(),
          "--jornada",    "1",          "--orden",   "1",
          "--ganadora",   kGanadora,    "--premios", "1000000.00",
          "2000.50",      "120.25",     "10.10",     "3.05",
          "1.00"};
}

void BM_Escruta(benchmark::State& state) {
  if (!Datos().listo()) {
    state.SkipWithError("no se pudo escribir la reducción");
    return;
  }
  const zendo::PremiosCentimos premios{0, 100000000, 200050, 12025, 1010, 305, 100};
  std::atomic<bool> cancelar{false};
  std::vector<double> tiempos;
  for (auto _ : state) {
    const auto t0 = std::chrono::steady_clock::now();
    const zendo::ResultadoEscrutinio res =
        zendo::Escruta(Datos().ruta(), Datos().reduccion(), kGanadora, premios, {}, cancelar);
    tiempos.push_back(Segundos(t0));
    state.SetIterationTime(tiempos.back());
    if (!res.completo || res.columnas != kColumnasBase)
      state.SkipWithError("escrutinio incompleto");
  }
  state.counters["mediana_s"] = Mediana(tiempos);
  state.counters["columnas_por_s"] = static_cast<double>(kColumnasBase) / Mediana(tiempos);
}
BENCHMARK(BM_Escruta)->Iterations(7)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_OrdenFrenteAWc(benchmark::State& state) {
  if (!Datos().listo()) {
    state.SkipWithError("no se pudo escribir la reducción");
    return;
  }
  const std::vector<std::string> wc = {"/usr/bin/wc", "-l", Datos().columnas().string()};
  std::vector<double> referencia, orden, cpuReferencia, cpuOrden;
  Ejecuta(wc);  // both from the page cache
  for (auto _ : state) {
    const Ejecucion a = Ejecuta(wc);
    const Ejecucion b = Ejecuta(OrdenEscrutinio());
    if (a.estado != 0 || b.estado != 0) state.SkipWithError("una orden falló");
    referencia.push_back(a.segundos);
    orden.push_back(b.segundos);
    cpuReferencia.push_back(a.cpu);
    cpuOrden.push_back(b.cpu);
    state.SetIterationTime(b.segundos);
  }
  state.counters["wc_s"] = Mediana(referencia);
  state.counters["escrutinio_s"] = Mediana(orden);
  state.counters["relacion"] = Mediana(orden) / Mediana(referencia);
  state.counters["columnas_por_s"] = static_cast<double>(kColumnasBase) / Mediana(orden);
  state.counters["wc_cpu_s"] = Mediana(cpuReferencia);
  state.counters["escrutinio_cpu_s"] = Mediana(cpuOrden);
  state.counters["relacion_cpu"] = Mediana(cpuOrden) / Mediana(cpuReferencia);
}
BENCHMARK(BM_OrdenFrenteAWc)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_MemoriaPico(benchmark::State& state) {
  if (!Datos().listo()) {
    state.SkipWithError("no se pudo escribir la reducción");
    return;
  }
  long picoKiB = 0;
  for (auto _ : state) {
    const Ejecucion e = Ejecuta(OrdenEscrutinio());
    if (e.estado != 0) state.SkipWithError("la orden falló");
    picoKiB = std::max(picoKiB, e.picoKiB);
  }
  state.counters["pico_MiB"] = static_cast<double>(picoKiB) / 1024.0;
}
BENCHMARK(BM_MemoriaPico)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
