// The body of a mail message with the columns of a reduction: counting its encoded size and
// reading it out in pieces (what libcurl is handed), against reading the columns file alone.

#include <benchmark/benchmark.h>

#include <fstream>

#include "apoyo_bench.h"
#include "engine/core/indice.h"
#include "engine/core/lector_lineas.h"
#include "engine/output/mensaje_correo.h"

namespace {

using zendo::bench::Carpeta;

constexpr int kColumnas = 1'000'000;

const std::filesystem::path& FicheroColumnas() {
  static Carpeta carpeta("zendo-bench-correo");
  static const std::filesystem::path ruta = [] {
    const auto r = carpeta.ruta() / "RED0101.TVX";
    std::ofstream f(r, std::ios::binary);
    const char* columnas[] = {"1X21X21X21X21X2", "111111111111111", "X2X2X2X2X2X2X21"};
    for (int i = 0; i < kColumnas; ++i) f << zendo::LineaColumna(columnas[i % 3]);
    return r;
  }();
  return ruta;
}

// The baseline: every line of the columns file read through the program's line reader.
void LeerColumnas(benchmark::State& estado) {
  for (auto _ : estado) {
    zendo::LectorLineas l(FicheroColumnas());
    std::string_view linea;
    std::size_t n = 0;
    while (l.Siguiente(linea)) n += linea.size();
    benchmark::DoNotOptimize(n);
  }
  estado.SetItemsProcessed(estado.iterations() * kColumnas);
}

void ContarCuerpo(benchmark::State& estado) {
  const zendo::CuerpoCorreo c{"", FicheroColumnas()};
  for (auto _ : estado) {
    int16_t error = 0;
    benchmark::DoNotOptimize(zendo::TamanoCuerpoCodificado(c, UINT64_MAX, error));
  }
  estado.SetItemsProcessed(estado.iterations() * kColumnas);
}

void LeerMensaje(benchmark::State& estado) {
  const zendo::CuerpoCorreo c{"", FicheroColumnas()};
  std::vector<char> trozo(16 * 1024);  // what libcurl asks for at a time
  for (auto _ : estado) {
    zendo::FuenteMensaje m("Subject: x\r\n\r\n", c, 0);
    std::size_t total = 0;
    for (std::size_t n; (n = m.Lee(trozo.data(), trozo.size())) > 0;) total += n;
    benchmark::DoNotOptimize(total);
  }
  estado.SetItemsProcessed(estado.iterations() * kColumnas);
}

BENCHMARK(LeerColumnas)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK(ContarCuerpo)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK(LeerMensaje)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

}  // namespace

BENCHMARK_MAIN();
