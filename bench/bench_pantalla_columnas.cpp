// The redraw of the consultation's columns pane Pic_Colum after a page move anywhere in a
// work file of 14,348,907 columns: the 24 lines read from the file and the pane repainted
// at once (QWidget::repaint). Reports the median and the slowest of 500 random moves; one
// frame is 16 ms. Runs on the platform of QT_QPA_PLATFORM (offscreen when unset); run it
// under Xvfb with QT_QPA_PLATFORM=xcb for a real X server.
//
// The work file is written to $ZENDO_BENCH_TMP (default: the system's temporary folder).

#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>
#include <fstream>
#include <random>

#include "apoyo_bench.h"
#include "engine/consult/consulta.h"
#include "engine/consult/fichero_boletos.h"
#include "gui/consult/panel_columnas.h"
#include "gui/shell/servicios.h"

namespace {

using zendo::bench::Carpeta;
using zendo::bench::Mediana;
using zendo::bench::Segundos;

constexpr int64_t kColumnas = 14348907;

class Silencio : public zendo::Mensajero,
                 public zendo::ReproductorSonido,
                 public zendo::VisorAyuda {
 public:
  bool Muestra(zendo::Servicios&, const zendo::Mensaje&) override { return false; }
  void AvisoSistema(const QString&) override {}
  void Toca(int, bool) override {}
  void Abre(int) override {}
};

// A work file of the full base: every column of three signs in 15 matches, in the order
// of the generation (match 15 changes slowest), 8 to a boleto.
std::filesystem::path EscribeTrabajo(const Carpeta& carpeta) {
  const auto ruta = carpeta.ruta() / zendo::kFicheroBoletos;
  std::ofstream f(ruta, std::ios::binary);
  std::string lote;
  lote.reserve(1 << 20);
  for (int64_t i = 0; i < kColumnas; ++i) {
    std::string c(15, '1');
    int64_t n = i;
    for (int m = 14; m >= 0; --m) {
      c[static_cast<std::size_t>(m)] = "1X2"[n % 3];
      n /= 3;
    }
    lote += zendo::RegistroColumna(c);
    if (lote.size() >= (1 << 20)) {
      f.write(lote.data(), static_cast<std::streamsize>(lote.size()));
      lote.clear();
    }
  }
  f.write(lote.data(), static_cast<std::streamsize>(lote.size()));
  return ruta;
}

void BM_RedibujoTrasPaginar(benchmark::State& state) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  int argc = 1;
  char nombre[] = "bench_pantalla_columnas";
  char* argv[] = {nombre, nullptr};
  QApplication app(argc, argv);
  Carpeta carpeta("zendo-bench-pantalla");
  const auto trabajo = EscribeTrabajo(carpeta);
  zendo::Estado estado;
  Silencio silencio;
  zendo::Servicios servicios(estado, silencio, silencio, silencio);
  zendo::PanelColumnas panel(servicios, nullptr);
  panel.show();
  QApplication::processEvents();
  std::mt19937_64 azar(11);
  const int64_t paginas = (kColumnas + zendo::kLineasPagina - 1) / zendo::kLineasPagina;
  std::vector<double> tiempos;
  for (auto _ : state) {
    for (int i = 0; i < 500; ++i) {
      const int64_t primera =
          static_cast<int64_t>(azar() % static_cast<uint64_t>(paginas)) * zendo::kLineasPagina + 1;
      const auto t0 = std::chrono::steady_clock::now();
      panel.PonPagina(zendo::LeePaginaColumnas(trabajo, primera));
      tiempos.push_back(Segundos(t0));
    }
  }
  state.counters["mediana_ms"] = Mediana(tiempos) * 1000.0;
  state.counters["peor_ms"] = *std::max_element(tiempos.begin(), tiempos.end()) * 1000.0;
}
BENCHMARK(BM_RedibujoTrasPaginar)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
