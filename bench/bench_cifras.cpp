// The live figures on the largest base: every match a triple, matches 1 to 14 a reducir.
// They run after every click, so each method must stay far below what a user can notice;
// method 4 is also set against developing its 3^14 combinations one by one.

#include <benchmark/benchmark.h>

#include "engine/reduction/cifras.h"
#include "tests/engine/reduction/enumerador.h"

namespace {

using namespace zendo;

Reduccion BaseCompleta(int metodo) {
  Reduccion r = ReduccionNueva(1, 1, static_cast<int16_t>(metodo));
  for (int m = 1; m <= kPartidos; ++m) {
    r.Partido[m] = {{0, 1, 1, 1}, 3, m <= 14, static_cast<int16_t>(m <= 14 ? 1 : 0)};
    r.Probabilidad[m] = {0, 50, 30, 20};
  }
  r.MinErrores = 2;
  r.MaxErrores = 5;
  for (int n = 3; n <= 9; ++n) r.TotalSignos[1][n] = 1;
  for (int n = 2; n <= 6; ++n) r.TotalSignos[2][n] = 1;
  for (int n = 1; n <= 5; ++n) r.TotalSignos[3][n] = 1;
  r.MinPorcentaje = 30;
  r.MaxPorcentaje = 45;
  r.IncluyeExterno = 1;
  return r;
}

void BM_RecalculaReduccion(benchmark::State& state) {
  Reduccion r = BaseCompleta(static_cast<int>(state.range(0)));
  Externo externo;
  externo.ExternoValido = true;
  externo.ColumnasExternas = 1000;
  externo.Externas[4] = 1000;
  for (auto _ : state) {
    Cifras c = RecalculaReduccion(r, externo);
    benchmark::DoNotOptimize(c);
  }
  const Cifras c = RecalculaReduccion(r, externo);
  state.counters["NumApuestas"] = c.NumApuestas;
}
BENCHMARK(BM_RecalculaReduccion)->DenseRange(1, 5)->Unit(benchmark::kMicrosecond);

// The reference of the tests on the 3^14 combinations of matches 1..14 (match 15 has one
// sign here: the counted figures multiply by it, the enumeration would visit it).
void BM_EnumeraBalance(benchmark::State& state) {
  Reduccion r = BaseCompleta(kMetodoBalanceSignos);
  r.Partido[15] = {{0, 1, 0, 0}, 1, false, 0};
  const int32_t minimo = DiezMilesimas(r.MinPorcentaje), maximo = DiezMilesimas(r.MaxPorcentaje);
  for (auto _ : state) {
    const prueba::Enumeracion e = prueba::Enumera(r, minimo, maximo);
    benchmark::DoNotOptimize(e);
  }
  state.counters["NumApuestas"] =
      static_cast<double>(prueba::Enumera(r, minimo, maximo).NumApuestas);
}
BENCHMARK(BM_EnumeraBalance)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
