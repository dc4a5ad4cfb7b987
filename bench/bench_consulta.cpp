// Speed and memory of the consultation's work on the full base reduced by method 5
// (14,348,907 columns: a columns file of 272,629,233 bytes, a work file of 286,978,420).
//
//   BM_BoletosFrenteACat: the whole `zendo-cli boletos --salida FILE` against
//     `cat RED0101.TVX > FILE2` in the same folder, alternated, warm page cache.
//   BM_MarcadoFrenteACat: marking by variants (classes 3 to 9 ticked) and marking 99 % at
//     random, each on a fresh work file, against one read plus one write of the work file
//     (`cat FORBOLW.TVX > FILE2`), alternated.
//   BM_BorradoFrenteACreacion: deleting the columns marked by variants (the thinned file and
//     the index record committed together) against building the work file, alternated.
//   BM_Pagina: reading the 24 lines of a page anywhere in the work file (what a page move
//     reads before the pane repaints; bench_pantalla_columnas times the repaint itself).
//   BM_MemoriaPico: the peak resident memory of one process doing all of the above, and of
//     the two zendo-cli commands.
//
// Every timed step, baselines included, starts with the disk's queue empty (a sync first):
// otherwise each would pay for a random share of the writing of the files made before it.
//
// The data folder is $ZENDO_BENCH_TMP (default: the system's temporary folder).

#include <benchmark/benchmark.h>

#include <atomic>
#include <random>

#include "apoyo_bench.h"
#include "engine/consult/borrado_columnas.h"
#include "engine/consult/consulta.h"
#include "engine/consult/fichero_boletos.h"
#include "engine/consult/marcado.h"
#include "engine/core/indice.h"
#include "engine/reduction/cifras.h"
#include "engine/reduction/generacion.h"

namespace {

namespace fs = std::filesystem;
using zendo::bench::Carpeta;
using zendo::bench::Ejecucion;
using zendo::bench::Ejecuta;
using zendo::bench::Mediana;
using zendo::bench::Segundos;

constexpr int64_t kColumnasBase = 14348907;
constexpr int kVueltas = 5;

// The full base reduced by method 5, made once; its columns file kept aside so that a
// deletion can be undone.
struct DatosBase {
  Carpeta carpeta{"zendo-bench-consulta"};
  bool ok = false;
  DatosBase() {
    zendo::Reduccion r = zendo::ReduccionNueva(1, 1, zendo::kMetodoManual);
    for (int m = 1; m <= zendo::kPartidos; ++m) {
      r.Partido[m].Signo = {0, 1, 1, 1};
      r.Partido[m].NumSignos = 3;
    }
    const zendo::Cifras c = zendo::RecalculaReduccion(r);
    std::atomic<bool> cancelar{false};
    const zendo::ResultadoReduccion res = zendo::ReduceApuestas(
        ruta(), r, {c.ApuestasBase, c.NumApuestas, c.ApuestasQuiniela, c.ApuestasExternas}, {},
        cancelar);
    ok = res.completada && res.columnas == kColumnasBase;
    std::error_code ec;
    fs::copy_file(ruta() / "RED0101.TVX", ruta() / "RED0101.ORIGINAL", ec);
    fs::copy_file(ruta() / "BASES.TVX", ruta() / "BASES.ORIGINAL", ec);
    ok = ok && !ec;
  }
  const fs::path& ruta() const { return carpeta.ruta(); }
  // Back to the reduction as generated.
  void Restaura() const {
    std::error_code ec;
    fs::copy_file(ruta() / "RED0101.ORIGINAL", ruta() / "RED0101.TVX",
                  fs::copy_options::overwrite_existing, ec);
    fs::copy_file(ruta() / "BASES.ORIGINAL", ruta() / "BASES.TVX",
                  fs::copy_options::overwrite_existing, ec);
  }
};

DatosBase& Datos() {
  static DatosBase datos;
  return datos;
}

zendo::EstadoMarcado Construye(const fs::path& ruta) {
  std::atomic<bool> cancelar{false};
  return zendo::EstadoMarcado::De(zendo::CreaFicheroBoletos(ruta, 1, 1, nullptr, cancelar).resumen);
}

std::array<bool, 15> TresANueve() {
  std::array<bool, 15> v{};
  for (int i = 3; i <= 9; ++i) v[static_cast<std::size_t>(i)] = true;
  return v;
}

double Cat(const fs::path& desde, const fs::path& hasta) {
  const Ejecucion e =
      Ejecuta({"/bin/sh", "-c", "cat '" + desde.string() + "' > '" + hasta.string() + "'"});
  return e.segundos;
}

template <typename F>
double Mide(F&& f) {
  const auto t0 = std::chrono::steady_clock::now();
  f();
  return Segundos(t0);
}

void BM_BoletosFrenteACat(benchmark::State& state) {
  DatosBase& d = Datos();
  if (!d.ok) return state.SkipWithError("la reducción de la base completa falló");
  std::vector<double> boletos, cat;
  long pico = 0;
  Cat(d.ruta() / "RED0101.TVX", d.ruta() / "FILE2");  // warm the page cache
  for (auto _ : state) {
    zendo::bench::SinEscriturasPendientes();
    cat.push_back(Cat(d.ruta() / "RED0101.TVX", d.ruta() / "FILE2"));
    zendo::bench::SinEscriturasPendientes();
    const Ejecucion e =
        Ejecuta({ZENDO_CLI_PATH, "boletos", "--datos", d.ruta().string(), "--jornada", "1",
                 "--orden", "1", "--salida", (d.ruta() / "SALIDA").string()});
    if (e.estado != 0) state.SkipWithError("zendo-cli boletos falló");
    boletos.push_back(e.segundos);
    pico = std::max(pico, e.picoKiB);
    state.SetIterationTime(e.segundos);
  }
  state.counters["cat_s"] = Mediana(cat);
  state.counters["boletos_s"] = Mediana(boletos);
  state.counters["relacion"] = Mediana(boletos) / Mediana(cat);
  state.counters["pico_MiB"] = static_cast<double>(pico) / 1024.0;
}
BENCHMARK(BM_BoletosFrenteACat)
    ->Iterations(kVueltas)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

void BM_MarcadoFrenteACat(benchmark::State& state) {
  DatosBase& d = Datos();
  if (!d.ok) return state.SkipWithError("la reducción de la base completa falló");
  const fs::path trabajo = d.ruta() / zendo::kFicheroBoletos;
  std::vector<double> variantes, azar, cat;
  zendo::GeneradorAzar generador;
  for (auto _ : state) {
    zendo::EstadoMarcado e = Construye(d.ruta());
    zendo::bench::SinEscriturasPendientes();
    cat.push_back(Cat(trabajo, d.ruta() / "FILE2"));
    zendo::bench::SinEscriturasPendientes();
    variantes.push_back(Mide([&] { zendo::MarcaPorVariantes(trabajo, TresANueve(), e); }));
    e = Construye(d.ruta());
    zendo::bench::SinEscriturasPendientes();
    const int64_t n = zendo::TotalesPorPorcentaje(kColumnasBase, 0, 99).marcar;
    int64_t marcadas = 0;
    azar.push_back(
        Mide([&] { marcadas = zendo::MarcaAlAzar(trabajo, n, generador, e).cambiadas; }));
    if (marcadas != n) state.SkipWithError("el marcado al azar no marcó el 99 %");
    state.SetIterationTime(azar.back());
  }
  state.counters["cat_s"] = Mediana(cat);
  state.counters["variantes_s"] = Mediana(variantes);
  state.counters["azar_s"] = Mediana(azar);
  state.counters["relacion_variantes"] = Mediana(variantes) / Mediana(cat);
  state.counters["relacion_azar"] = Mediana(azar) / Mediana(cat);
}
BENCHMARK(BM_MarcadoFrenteACat)
    ->Iterations(kVueltas)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

void BM_BorradoFrenteACreacion(benchmark::State& state) {
  DatosBase& d = Datos();
  if (!d.ok) return state.SkipWithError("la reducción de la base completa falló");
  const fs::path trabajo = d.ruta() / zendo::kFicheroBoletos;
  std::vector<double> borrado, creacion;
  int64_t quedan = 0;
  for (auto _ : state) {
    d.Restaura();
    zendo::bench::SinEscriturasPendientes();
    zendo::EstadoMarcado e;
    creacion.push_back(Mide([&] { e = Construye(d.ruta()); }));
    zendo::MarcaPorVariantes(trabajo, TresANueve(), e);
    zendo::bench::SinEscriturasPendientes();
    zendo::ResultadoBorradoColumnas r;
    borrado.push_back(Mide([&] { r = zendo::BorraColumnasMarcadas(d.ruta(), 1, 1); }));
    if (r.error != 0) state.SkipWithError("el borrado falló");
    quedan = r.NumApuestas;
    state.SetIterationTime(borrado.back());
  }
  d.Restaura();
  state.counters["creacion_s"] = Mediana(creacion);
  state.counters["borrado_s"] = Mediana(borrado);
  state.counters["relacion"] = Mediana(borrado) / Mediana(creacion);
  state.counters["quedan"] = static_cast<double>(quedan);
}
BENCHMARK(BM_BorradoFrenteACreacion)
    ->Iterations(kVueltas)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

void BM_Pagina(benchmark::State& state) {
  DatosBase& d = Datos();
  if (!d.ok) return state.SkipWithError("la reducción de la base completa falló");
  const zendo::EstadoMarcado e = Construye(d.ruta());
  std::mt19937_64 azar(7);
  const int64_t paginas = (e.LineasTrabajo + 23) / 24;
  for (auto _ : state) {
    const int64_t primera = static_cast<int64_t>(azar() % static_cast<uint64_t>(paginas)) * 24 + 1;
    benchmark::DoNotOptimize(zendo::LeePaginaColumnas(d.ruta() / zendo::kFicheroBoletos, primera));
  }
}
BENCHMARK(BM_Pagina)->Unit(benchmark::kMicrosecond);

void BM_MemoriaPico(benchmark::State& state) {
  DatosBase& d = Datos();
  if (!d.ok) return state.SkipWithError("la reducción de la base completa falló");
  long pico = 0, picoCli = 0;
  for (auto _ : state) {
    d.Restaura();
    const pid_t hijo = ::fork();
    if (hijo == 0) {
      const fs::path trabajo = d.ruta() / zendo::kFicheroBoletos;
      zendo::EstadoMarcado e = Construye(d.ruta());
      zendo::GeneradorAzar generador;
      zendo::MarcaPorVariantes(trabajo, TresANueve(), e);
      zendo::MarcaAlAzar(trabajo, e.SinMarcar() / 2, generador, e);
      for (int64_t p = 1; p < e.LineasTrabajo; p += 24 * 10007)
        zendo::LeePaginaColumnas(trabajo, p);
      _exit(zendo::BorraColumnasMarcadas(d.ruta(), 1, 1).error == 0 ? 0 : 1);
    }
    int estado = 0;
    struct rusage uso {};
    ::wait4(hijo, &estado, 0, &uso);
    if (!WIFEXITED(estado) || WEXITSTATUS(estado) != 0) state.SkipWithError("el hijo falló");
    pico = std::max(pico, uso.ru_maxrss);
    d.Restaura();
    const Ejecucion e =
        Ejecuta({ZENDO_CLI_PATH, "borrar-columnas", "--datos", d.ruta().string(), "--jornada", "1",
                 "--orden", "1", "--variantes", "3-9", "--azar", "50"});
    if (e.estado != 0) state.SkipWithError("zendo-cli borrar-columnas falló");
    picoCli = std::max(picoCli, e.picoKiB);
  }
  d.Restaura();
  state.counters["pico_MiB"] = static_cast<double>(pico) / 1024.0;
  state.counters["pico_cli_borrar_MiB"] = static_cast<double>(picoCli) / 1024.0;
}
BENCHMARK(BM_MemoriaPico)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
