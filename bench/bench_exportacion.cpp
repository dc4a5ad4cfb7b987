// Speed and memory of the copy to external media on the full base reduced by method 5
// (14,348,907 columns, a columns file of 272,629,233 bytes).
//
//   BM_ExportarFrenteACat/0,2,6: the whole `zendo-cli exportar` in formats AD243, TXT2 and
//     TXT6 against `cat RED0101.TVX > FILE2` in the same folder, alternated in the same run
//     with a warm page cache; reports both medians, their ratio and the peak resident memory
//     of the zendo-cli process. Also `cat` of a file as large as the output (a copy of it,
//     alternated in the same run), since TXT6 writes 3.2 times the bytes of the columns file.
//
// Every timed command, baselines included, starts with the disk's queue empty (a sync
// first): otherwise each would pay for a random share of the writing of the one before.
//
// The data folder is $ZENDO_BENCH_TMP (default: the system's temporary folder).

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "apoyo_bench.h"
#include "engine/core/indice.h"
#include "engine/output/formatos_exportacion.h"
#include "engine/reduction/cifras.h"
#include "engine/reduction/generacion.h"
#include "engine/reduction/modelo.h"

namespace {

namespace fs = std::filesystem;
using zendo::Reduccion;
using zendo::bench::Ejecucion;
using zendo::bench::Ejecuta;
using zendo::bench::Mediana;

constexpr int64_t kColumnasBase = 14348907;

// The full base reduced by method 5 in a folder of its own, made once for every benchmark.
class DatosBase {
 public:
  DatosBase() {
    const char* base = std::getenv("ZENDO_BENCH_TMP");
    ruta_ = (base ? fs::path(base) : fs::temp_directory_path()) /
            ("zendo-bench-exportar-" + std::to_string(::getpid()));
    fs::create_directories(ruta_);
    Reduccion r = zendo::ReduccionNueva(1, 1, zendo::kMetodoManual);
    for (int m = 1; m <= zendo::kPartidos; ++m) {
      r.Partido[m].Signo = {0, 1, 1, 1};
      r.Partido[m].NumSignos = 3;
    }
    const zendo::Cifras c = zendo::RecalculaReduccion(r);
    std::atomic<bool> cancelar{false};
    const zendo::ResultadoReduccion res = zendo::ReduceApuestas(
        ruta_, r, {c.ApuestasBase, c.NumApuestas, c.ApuestasQuiniela, c.ApuestasExternas}, {},
        cancelar);
    ok_ = res.completada && res.columnas == kColumnasBase;
  }
  ~DatosBase() {
    std::error_code ec;
    fs::remove_all(ruta_, ec);
  }
  const fs::path& ruta() const { return ruta_; }
  bool ok() const { return ok_; }

 private:
  fs::path ruta_;
  bool ok_ = false;
};

DatosBase& Datos() {
  static DatosBase datos;
  return datos;
}

void BM_ExportarFrenteACat(benchmark::State& state) {
  DatosBase& datos = Datos();
  if (!datos.ok()) {
    state.SkipWithError("la reducción de la base completa falló");
    return;
  }
  const auto formato = static_cast<zendo::FormatoExportacion>(state.range(0));
  const fs::path columnas = datos.ruta() / "RED0101.TVX";
  const fs::path salida = datos.ruta() / "EXPORTADO";
  const fs::path copia = datos.ruta() / "FILE2";
  const std::vector<std::string> exportar = {ZENDO_CLI_PATH, "exportar",
                                             "--datos",      datos.ruta().string(),
                                             "--jornada",    "1",
                                             "--orden",      "1",
                                             "--formato",    zendo::CodigoFormato(formato),
                                             "--salida",     salida.string()};
  const std::vector<std::string> cat = {
      "/bin/sh", "-c", "cat '" + columnas.string() + "' > '" + copia.string() + "'"};
  Ejecuta(cat);  // the page cache warm for both
  // A file of the output's size, for the second baseline.
  const fs::path igual = datos.ruta() / "IGUAL";
  const std::vector<std::string> catIgual = {
      "/bin/sh", "-c", "cat '" + igual.string() + "' > '" + copia.string() + "3'"};
  std::error_code ec;
  if (Ejecuta(exportar).estado != 0 || !fs::copy_file(salida, igual, ec)) {
    state.SkipWithError("zendo-cli exportar falló");
    return;
  }
  Ejecuta(catIgual);
  std::vector<double> tiempoCat, tiempoExportar, tiempoIgual;
  long picoKiB = 0;
  for (auto _ : state) {
    zendo::bench::SinEscriturasPendientes();
    const Ejecucion c = Ejecuta(cat);
    zendo::bench::SinEscriturasPendientes();
    const Ejecucion e = Ejecuta(exportar);
    if (c.estado != 0 || e.estado != 0) {
      state.SkipWithError("cat o zendo-cli exportar fallaron");
      return;
    }
    tiempoCat.push_back(c.segundos);
    tiempoExportar.push_back(e.segundos);
    zendo::bench::SinEscriturasPendientes();
    tiempoIgual.push_back(Ejecuta(catIgual).segundos);
    picoKiB = std::max(picoKiB, e.picoKiB);
    state.SetIterationTime(e.segundos);
  }
  state.counters["cat_s"] = Mediana(tiempoCat);
  state.counters["exportar_s"] = Mediana(tiempoExportar);
  state.counters["relacion"] = Mediana(tiempoExportar) / Mediana(tiempoCat);
  state.counters["cat_igual_s"] = Mediana(tiempoIgual);
  state.counters["relacion_igual"] = Mediana(tiempoExportar) / Mediana(tiempoIgual);
  state.counters["pico_MiB"] = static_cast<double>(picoKiB) / 1024.0;
  state.counters["MB_escritos"] = static_cast<double>(fs::file_size(salida)) / 1e6;
  for (const fs::path& f : {salida, copia, igual, fs::path(copia.string() + "3")}) {
    fs::remove(f, ec);
  }
}
BENCHMARK(BM_ExportarFrenteACat)
    ->Arg(static_cast<int>(zendo::FormatoExportacion::AD243))
    ->Arg(static_cast<int>(zendo::FormatoExportacion::TXT2))
    ->Arg(static_cast<int>(zendo::FormatoExportacion::TXT6))
    ->Iterations(5)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
