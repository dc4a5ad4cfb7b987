#include "engine/reduction/cifras.h"

#include <gtest/gtest.h>

#include <random>

#include "engine/core/formato.h"
#include "engine/reduction/externo.h"
#include "tests/engine/reduction/base_aleatoria.h"
#include "tests/engine/reduction/enumerador.h"

namespace zendo {
namespace {

using prueba::Aleatoria;
using prueba::Enumera;
using prueba::Enumeracion;

// A base of fixed signs "1" with the given multiples: each entry is a match and its signs.
Reduccion Base(int metodo, std::initializer_list<std::pair<int, std::string_view>> multiples,
               bool reducir = true) {
  Reduccion r = ReduccionNueva(1, 1, static_cast<int16_t>(metodo));
  for (const auto& [m, signos] : multiples) {
    auto& p = r.Partido[m];
    p.Signo = {0, 0, 0, 0};
    for (char c : signos) p.Signo[c == '1' ? 1 : c == 'X' ? 2 : 3] = 1;
    p.NumSignos = static_cast<int16_t>(signos.size());
    p.AReducir = reducir && m <= 14 && signos.size() >= 2;
  }
  return r;
}

void CompruebaIgual(const Cifras& c, const Enumeracion& e, const std::string& caso) {
  ASSERT_EQ(c.ApuestasBase, e.ApuestasBase) << caso;
  ASSERT_EQ(c.NumApuestas, e.NumApuestas) << caso;
  for (int k = 0; k < c.Clases(); ++k) {
    ASSERT_EQ(c.QBase[k], e.QBase[k]) << caso << " Q. Base clase " << k;
    if (c.Metodo != kMetodoManual) {
      ASSERT_EQ(c.Aceptadas[k], e.Aceptadas[k]) << caso << " Aceptadas clase " << k;
    }
  }
}

TEST(Cifras, CadaMetodoCuentaComoLaEnumeracion) {
  std::mt19937 gen(20260601);
  std::array<int, 6> parciales{};  // cases where the criteria accept some columns, not all
  std::array<int, 6> sinBase{};    // a match without signs empties the base
  for (int caso = 0; caso < 400; ++caso) {
    for (int metodo = 1; metodo <= 5; ++metodo) {
      Reduccion r = Aleatoria(gen, metodo, 10);
      std::string externas;
      for (int i = 0; i < caso % 7; ++i) {
        std::string col(15, '1');
        for (auto& ch : col) ch = "1X2"[std::uniform_int_distribution<int>(0, 2)(gen)];
        externas += col + "\r\n";
      }
      const CargaExterno ext = CompruebaExterno(externas, "Q44F0101.TVF");
      const Reduccion antes = r;
      const Cifras c = RecalculaReduccion(r, ext.externo);
      const std::string nombre =
          "caso " + std::to_string(caso) + " metodo " + std::to_string(metodo);
      const Enumeracion e =
          Enumera(antes, DiezMilesimas(r.MinPorcentaje), DiezMilesimas(r.MaxPorcentaje));
      CompruebaIgual(c, e, nombre);
      if (e.NumApuestas > 0 && e.NumApuestas < e.ApuestasBase) ++parciales[metodo];
      sinBase[metodo] += e.ApuestasBase == 0;
      if (metodo == kMetodoBalanceSignos && e.ApuestasBase > 0) {
        EXPECT_EQ(c.PorcMinimo, static_cast<float>(RedondeaPar(e.probMinima / 1e4 - 0.004999, 2)));
        EXPECT_EQ(c.PorcMaximo, static_cast<float>(RedondeaPar(e.probMaxima / 1e4 + 0.004999, 2)));
      }
      if (metodo == kMetodoManual) {  // the external columns stay, even without a base
        for (int k = 0; k < 15; ++k) EXPECT_EQ(c.Aceptadas[k], ext.externo.Externas[k]);
        EXPECT_EQ(c.ApuestasExternas, r.IncluyeExterno == 1 ? ext.externo.ColumnasExternas : 0);
        EXPECT_EQ(c.ApuestasQuiniela, c.ApuestasBase);
      }
      // The model keeps the counts the record stores.
      EXPECT_EQ(r.ApuestasBase, c.ApuestasBase);
      EXPECT_EQ(r.NumApuestas, c.NumApuestas);
    }
  }
  // The random criteria must really filter, or the comparison proves little.
  for (int metodo = 1; metodo <= 4; ++metodo) EXPECT_GT(parciales[metodo], 100) << metodo;
  for (int metodo = 1; metodo <= 5; ++metodo) EXPECT_GT(sinBase[metodo], 10) << metodo;
}

TEST(Cifras, ContadoresDeLaBase) {
  Reduccion r = Base(kMetodoSeleccionSignos, {{1, "1X"}, {2, "1X2"}, {3, "X2"}, {15, "12"}});
  r.Partido[3].AReducir = false;
  const Cifras c = RecalculaReduccion(r);
  EXPECT_EQ(c.ApuestasBase, 2 * 3 * 2 * 2);
  EXPECT_EQ(c.Dobles, 3);
  EXPECT_EQ(c.Triples, 1);
  EXPECT_EQ(c.DoblesReducir, 1);
  EXPECT_EQ(c.TriplesReducir, 1);
  EXPECT_EQ(c.MultiplesReducir, 2);
  EXPECT_EQ(c.MaxSignos, (std::array<int16_t, 4>{0, 2, 2, 1}));
}

TEST(Cifras, DirectoCuentaLasColumnasQueLaTablaDa) {
  // One triple and five doubles take the table of factor 5.33; the other nine triples are
  // developed in full: 18 columns per development, 18 x 3^9 in all, not the base / 5.33.
  Reduccion r = Base(kMetodoDirecto, {});
  for (int m = 1; m <= 15; ++m) r.Partido[m] = {{0, 1, 1, 1}, 3, false, 0};
  for (int m = 1; m <= 6; ++m)
    r.Partido[m] = {
        {0, 1, 1, m == 1 ? int16_t{1} : int16_t{0}}, static_cast<int16_t>(m == 1 ? 3 : 2), true, 0};
  const Cifras c = RecalculaReduccion(r);
  EXPECT_EQ(c.FactorReduccion, 5.33f);
  EXPECT_EQ(c.DirColumnas, 18);
  EXPECT_EQ(c.DirTriples, 1);
  EXPECT_EQ(c.DirDobles, 5);
  EXPECT_EQ(c.NumApuestas, 18 * 19683);
  EXPECT_NE(c.NumApuestas, static_cast<int32_t>(std::nearbyint(c.ApuestasBase / 5.33f)));
}

TEST(Cifras, DirectoSinTablaNoReduceNada) {
  // A new reduction (one sign everywhere), or matches a reducir left with one sign: no
  // table, factor 1, every base column accepted.
  Reduccion r = ReduccionNueva(1, 1, kMetodoDirecto);
  Cifras c = RecalculaReduccion(r);
  EXPECT_EQ(c.DirColumnas, 0);
  EXPECT_EQ(c.NumApuestas, 1);
  EXPECT_FLOAT_EQ(c.FactorReduccion, 1);
  r.Partido[2] = {{0, 1, 0, 0}, 1, true, 0};
  r.Partido[15] = {{0, 1, 1, 1}, 3, false, 0};
  c = RecalculaReduccion(r);
  EXPECT_EQ(c.NumApuestas, 3);
  EXPECT_EQ(c.Aceptadas, c.QBase);
}

TEST(Cifras, ColumnaProbableConDosDoblesYUnTriple) {
  Reduccion r = Base(kMetodoColumnaProbable, {{1, "1X"}, {2, "12"}, {3, "1X2"}});
  r.MinErrores = 0;
  r.MaxErrores = 1;
  const Cifras c = RecalculaReduccion(r);
  EXPECT_EQ(c.ApuestasBase, 12);
  EXPECT_EQ(c.NumApuestas, 5);
  EXPECT_EQ(c.QBase[0], 1);
  EXPECT_EQ(c.Aceptadas[1], 4);
  EXPECT_EQ(c.Aceptadas[2], 0);
  EXPECT_EQ(c.FactorReduccion, 12.0f / 5.0f);
}

TEST(Cifras, BalanceCincuentaTreintaVeinte) {
  Reduccion r = ReduccionNueva(1, 1, kMetodoBalanceSignos);
  for (int m = 1; m <= 14; ++m) r.Probabilidad[m] = {0, 50, 30, 20};
  r.MinPorcentaje = 0;
  r.MaxPorcentaje = 100;
  const Cifras c = RecalculaReduccion(r);
  EXPECT_EQ(FormatoSimple(c.PorcMinimo, "##0.00"), "20,00");
  EXPECT_EQ(FormatoSimple(c.PorcMaximo, "##0.00"), "50,00");
  // The base follows the percentages and the bounds were pulled inside the limits.
  EXPECT_EQ(c.ApuestasBase, 4782969);
  EXPECT_EQ(c.MultiplesReducir, 14);
  EXPECT_TRUE(r.Partido[7].AReducir);
  EXPECT_EQ(r.MinPorcentaje, 20.0f);
  EXPECT_EQ(r.MaxPorcentaje, 50.0f);
  EXPECT_EQ(c.NumApuestas, 4782969);
}

TEST(Cifras, LosTotalesImposiblesSeBorran) {
  Reduccion r = Base(kMetodoSeleccionSignos, {{1, "1X2"}, {2, "1X2"}});
  for (auto& fila : r.TotalSignos) fila.fill(1);
  r.Partido[2].Signo[3] = 0;
  r.Partido[2].NumSignos = 2;
  const Cifras c = RecalculaReduccion(r);
  EXPECT_EQ(c.MaxSignos[3], 1);
  EXPECT_EQ(r.TotalSignos[3][1], 1);
  for (int n = 2; n <= 14; ++n) EXPECT_EQ(r.TotalSignos[3][n], 0) << n;
  EXPECT_EQ(r.TotalSignos[1][2], 1);
  EXPECT_EQ(r.TotalSignos[1][3], 0);
}

TEST(Cifras, ElPartido15NoSeReduceNunca) {
  Reduccion r = Base(kMetodoSeleccionSignos, {{1, "1X"}, {15, "1X2"}});
  r.Partido[15].AReducir = true;  // as a damaged record might say
  r.TotalSignos[1] = {1, 1};
  r.TotalSignos[2] = {1, 1};
  r.TotalSignos[3] = {1};
  const Cifras c = RecalculaReduccion(r);
  EXPECT_FALSE(r.Partido[15].AReducir);
  EXPECT_EQ(c.MultiplesReducir, 1);
  EXPECT_EQ(c.NumApuestas, 6);
}

TEST(Cifras, CombinacionesYSignos) {
  EXPECT_EQ(Combinaciones(14, 7), 3432);
  EXPECT_EQ(Combinaciones(14, 0), 1);
  EXPECT_EQ(Combinaciones(14, 14), 1);
  EXPECT_EQ(Combinaciones(3, 4), 0);
  EXPECT_EQ(Combinaciones(60, 30), 118264581564861424);
  const Reduccion r = Base(kMetodoSeleccionSignos, {{1, "1X2"}, {2, "1X"}, {3, "X2"}});
  // Two 1s among the three: matches 1 and 2, the third then X or 2.
  EXPECT_EQ(CuentaColumnasSignos(r, 2, 1, 0), 1);
  EXPECT_EQ(CuentaColumnasSignos(r, 2, 0, 1), 1);
  EXPECT_EQ(CuentaColumnasSignos(r, 0, 2, 1), 2);
  EXPECT_EQ(CuentaColumnasSignos(r, 3, 0, 0), 0);
  EXPECT_EQ(CuentaColumnasSignos(r, 1, 1, 0), 0);  // must cover the three matches
}

TEST(Cifras, ProbabilidadConCuatroDecimales) {
  EXPECT_EQ(ProbabilidadColumna(700), 500000);
  EXPECT_EQ(ProbabilidadColumna(1), 714);    // 0.0714285...
  EXPECT_EQ(ProbabilidadColumna(5), 3571);   // 0.3571428...
  EXPECT_EQ(ProbabilidadColumna(11), 7857);  // 0.7857142...
  EXPECT_EQ(DiezMilesimas(20.15f), 201500);
  EXPECT_TRUE(AceptaProbabilidad(201500, DiezMilesimas(20.15f), DiezMilesimas(20.15f)));
}

Reduccion ConRango(float minimo, float maximo) {
  Reduccion r;
  r.MinPorcentaje = minimo;
  r.MaxPorcentaje = maximo;
  return r;
}

TEST(AjustaRango, MueveLosLimitesEnOrden) {
  struct Caso {
    float min, max, esperadoMin, esperadoMax;
  };
  const Caso casos[] = {
      {10, 60, 20, 50},      // both pulled inside
      {50, 50, 49.99f, 50},  // equal at the top: the minimum goes 0.01 below
      {20, 20, 20, 20.01f},  // equal at the bottom: the maximum goes 0.01 above
      {30, 30, 30, 30},      // equal inside: left alone
      {70, 80, 49.99f, 50},  // minimum above the top while the maximum is at the top
      {70, 45, 50, 45},      // minimum above the top, the maximum elsewhere
      {10, 15, 20, 20.01f},  // maximum below the bottom while the minimum is at the bottom
      {45, 30, 45, 30},      // a minimum above the maximum is not corrected otherwise
  };
  for (const Caso& k : casos) {
    Reduccion r = ConRango(k.min, k.max);
    AjustaRangoPorcentaje(r, 20, 50);
    EXPECT_EQ(r.MinPorcentaje, k.esperadoMin) << k.min << " " << k.max;
    EXPECT_EQ(r.MaxPorcentaje, k.esperadoMax) << k.min << " " << k.max;
  }
}

TEST(AjustaRango, LimitesIgualesDanUnSoloValor) {
  Reduccion r = ConRango(10, 90);
  AjustaRangoPorcentaje(r, 50, 50);
  EXPECT_EQ(r.MinPorcentaje, 50.0f);
  EXPECT_EQ(r.MaxPorcentaje, 50.0f);
  // All percentages 100: the only column probability is 100.
  Reduccion t = ReduccionNueva(1, 1, kMetodoBalanceSignos);
  t.MinPorcentaje = 35;
  t.MaxPorcentaje = 36;
  const Cifras c = RecalculaReduccion(t);
  EXPECT_EQ(c.PorcMinimo, 100.0f);
  EXPECT_EQ(c.PorcMaximo, 100.0f);
  EXPECT_EQ(t.MinPorcentaje, 100.0f);
  EXPECT_EQ(c.NumApuestas, 1);
  EXPECT_EQ(c.MultiplesReducir, 0);
}

TEST(AjustaRango, LosLimitesRedondeanHaciaFuera) {
  Reduccion r = ReduccionNueva(1, 1, kMetodoBalanceSignos);
  r.Probabilidad[1] = {0, 33, 33, 34};  // A = 13 x 100 + 33, B = 13 x 100 + 34
  const LimitesPorcentaje l = HallaLimitesPorcentaje(r);
  EXPECT_EQ(l.PorcMinimo, 95.21f);  // 95.2143 -> 95.2093 -> 95.21
  EXPECT_EQ(l.PorcMaximo, 95.29f);  // 95.2857 -> 95.2907 -> 95.29
}

}  // namespace
}  // namespace zendo
