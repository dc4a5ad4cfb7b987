// Speed and memory of the printed documents.
//
//   BM_OperacionesRelacionBase: the page operations of the list of boletos of the full base
//     (three signs in all 15 matches, 14,348,907 columns), counted by a destination that draws
//     nothing: the whole run (the work file rebuilt from the columns file, then every row)
//     and the rows alone from the ready work file. Reports columns per second.
//   BM_RelacionPdf: `zendo-cli imprimir --documento relacion --pdf` for a reduction of
//     100,000 columns (12,500 boletos, about 1,050 pages on narrow paper): seconds and peak
//     resident memory of the process.
//   BM_ContinuoPdf: `zendo-cli imprimir --documento continuo --pdf` for 10,000 boletos.
//
// The data folder is $ZENDO_BENCH_TMP (default: the system's temporary folder).

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "apoyo/reduccion_guardada.h"
#include "apoyo_bench.h"
#include "engine/consult/fichero_boletos.h"
#include "engine/core/indice.h"
#include "engine/output/documentos.h"
#include "engine/output/impri_listados.h"
#include "engine/reduction/cifras.h"
#include "engine/reduction/generacion.h"

namespace {

namespace fs = std::filesystem;
using zendo::bench::Ejecucion;
using zendo::bench::Ejecuta;
using zendo::bench::Mediana;
using zendo::bench::Segundos;

constexpr int64_t kColumnasBase = 14348907;

// Counts what a document draws, as a painter would receive it.
class Contador : public zendo::DestinoPaginas {
 public:
  void Fuente(std::string_view, zendo::Centesimas, bool) override { ++operaciones; }
  void Grosor(int) override { ++operaciones; }
  void Papel(int) override { ++operaciones; }
  void Alto(int) override { ++operaciones; }
  void Linea(std::string_view t) override {
    ++operaciones;
    caracteres += t.size();
  }
  void Texto(zendo::Centesimas, zendo::Centesimas, std::string_view t) override {
    ++operaciones;
    caracteres += t.size();
  }
  void Caja(zendo::Centesimas, zendo::Centesimas, zendo::Centesimas, zendo::Centesimas) override {
    ++operaciones;
  }
  void Pagina() override { ++paginas; }
  void Fin() override { ++operaciones; }
  int64_t operaciones = 0, caracteres = 0, paginas = 0;
};

fs::path Raiz() {
  const char* base = std::getenv("ZENDO_BENCH_TMP");
  return (base ? fs::path(base) : fs::temp_directory_path()) /
         ("zendo-bench-impresion-" + std::to_string(::getpid()));
}

class Carpeta {
 public:
  Carpeta() {
    ruta_ = Raiz();
    fs::create_directories(ruta_);
    zendo::prueba::GuardaJornada(ruta_, 1, "15/11/09");
    // The full base, reduced by the manual method: orden 1.
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
    base_ = r;
    // 100,000 columns with one sign in match 15: 12,500 boletos. Orden 2.
    zendo::Reduccion cien = zendo::ReduccionNueva(1, 2, zendo::kMetodoManual);
    cien.ApuestasBase = 100000;
    zendo::prueba::GuardaReduccion(ruta_, cien, zendo::prueba::Columnas(100000));
    // 80,000 columns: 10,000 boletos. Orden 3.
    zendo::Reduccion diez = zendo::ReduccionNueva(1, 3, zendo::kMetodoManual);
    diez.ApuestasBase = 80000;
    zendo::prueba::GuardaReduccion(ruta_, diez, zendo::prueba::Columnas(80000));
  }
  ~Carpeta() {
    std::error_code ec;
    fs::remove_all(ruta_, ec);
  }
  const fs::path& ruta() const { return ruta_; }
  const zendo::Reduccion& base() const { return base_; }
  bool listo() const { return listo_; }

 private:
  fs::path ruta_;
  zendo::Reduccion base_;
  bool listo_ = false;
};

Carpeta& Datos() {
  static Carpeta carpeta;
  return carpeta;
}

zendo::OpcionesRelacion OpcionesBase() {
  zendo::OpcionesRelacion o;
  o.NumBoletos = (kColumnasBase + 7) / 8 + 2;
  o.BoletoFinal = o.NumBoletos;
  o.FechaJornada = "15/11/09";
  o.Descripcion = std::string(35, ' ');
  return o;
}

void BM_OperacionesRelacionBase(benchmark::State& state) {
  if (!Datos().listo()) {
    state.SkipWithError("no se pudo escribir la reducción");
    return;
  }
  const bool conFichero = state.range(0) == 1;
  std::atomic<bool> cancelar{false};
  const zendo::OpcionesRelacion o = OpcionesBase();
  if (!conFichero) {
    // The work file is built once, outside the timing.
    zendo::CreaFicheroBoletos(Datos().ruta(), 1, 1, nullptr, cancelar);
  }
  std::vector<double> tiempos;
  int64_t paginas = 0;
  for (auto _ : state) {
    Contador contador;
    zendo::ControlImpresion control;
    const auto t0 = std::chrono::steady_clock::now();
    const zendo::AbreColumnas abre = [&]() -> zendo::AperturaColumnas {
      if (conFichero) return zendo::AbreColumnasSalida(Datos().ruta(), 1, 1, cancelar);
      // The ready work file, opened as the print run reopens it.
      zendo::AperturaColumnas a;
      a.fichero = zendo::AbreRegistros(Datos().ruta() / zendo::kFicheroBoletos, a.error);
      return a;
    };
    const zendo::ResultadoImpresion r = zendo::ImpriRelacion(o, abre, contador, control);
    tiempos.push_back(Segundos(t0));
    state.SetIterationTime(tiempos.back());
    if (r.error != 0) state.SkipWithError("no se pudo leer la reducción");
    paginas = contador.paginas;
  }
  state.counters["mediana_s"] = Mediana(tiempos);
  state.counters["columnas_por_s"] = static_cast<double>(kColumnasBase) / Mediana(tiempos);
  state.counters["paginas"] = static_cast<double>(paginas);
}
BENCHMARK(BM_OperacionesRelacionBase)
    ->Arg(1)
    ->Arg(0)
    ->Iterations(5)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

void BM_PdfPorZendoCli(benchmark::State& state, const std::string& documento, int orden) {
  if (!Datos().listo()) {
    state.SkipWithError("no se pudo escribir la reducción");
    return;
  }
  const std::string pdf = (Datos().ruta() / (documento + ".pdf")).string();
  const std::vector<std::string> orden_ = {
      ZENDO_CLI_PATH, "imprimir", "--datos", Datos().ruta().string(),
      "--jornada",    "1",        "--orden", std::to_string(orden),
      "--documento",  documento,  "--pdf",   pdf};
  std::vector<double> tiempos, cpu;
  long picoKiB = 0;
  for (auto _ : state) {
    const Ejecucion e = Ejecuta(orden_);
    if (e.estado != 0) state.SkipWithError("la orden falló");
    tiempos.push_back(e.segundos);
    cpu.push_back(e.cpu);
    picoKiB = std::max(picoKiB, e.picoKiB);
    state.SetIterationTime(e.segundos);
  }
  std::error_code ec;
  state.counters["mediana_s"] = Mediana(tiempos);
  state.counters["cpu_s"] = Mediana(cpu);
  state.counters["pico_MiB"] = static_cast<double>(picoKiB) / 1024.0;
  state.counters["pdf_MiB"] = static_cast<double>(fs::file_size(pdf, ec)) / 1048576.0;
}
BENCHMARK_CAPTURE(BM_PdfPorZendoCli, RelacionPdf100000Columnas, std::string("relacion"), 2)
    ->Iterations(3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PdfPorZendoCli, ContinuoPdf10000Boletos, std::string("continuo"), 3)
    ->Iterations(3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
