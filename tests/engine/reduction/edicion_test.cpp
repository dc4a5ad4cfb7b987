#include "engine/reduction/edicion.h"

#include <gtest/gtest.h>

#include "engine/core/texto.h"

namespace zendo {
namespace {

Reduccion Nueva(int metodo = kMetodoDirecto) {
  return ReduccionNueva(1, 1, static_cast<int16_t>(metodo));
}

std::array<int16_t, 4> Pct(int a, int b, int c) {
  return {0, static_cast<int16_t>(a), static_cast<int16_t>(b), static_cast<int16_t>(c)};
}

TEST(Compensacion, ElPrimerCompaneroCedeYElSegundoCubreLoQueFalta) {
  struct Caso {
    std::array<int16_t, 4> antes;
    int signo, valor;
    std::array<int16_t, 4> despues;
  };
  const Caso casos[] = {
      {Pct(50, 30, 20), 1, 100, Pct(100, 0, 0)},  // X to -20, taken from 2
      {Pct(50, 30, 20), 2, 0, Pct(50, 0, 50)},    // 2 takes what X gives up
      {Pct(50, 30, 20), 3, 60, Pct(40, 0, 60)},   // X first, then 1
      {Pct(50, 30, 20), 1, 40, Pct(40, 40, 20)},
      {Pct(50, 30, 20), 1, 150, Pct(100, 0, 0)},  // clamped to 100
      {Pct(50, 30, 20), 3, -5, Pct(50, 50, 0)},   // clamped to 0
      {Pct(50, 30, 20), 2, 30, Pct(50, 30, 20)},  // no change
  };
  for (const Caso& k : casos) {
    Reduccion r = Nueva();
    r.Probabilidad[4] = k.antes;
    const Cambio c = FijaProbabilidad(r, 4, k.signo, k.valor);
    EXPECT_EQ(r.Probabilidad[4], k.despues) << k.signo << " " << k.valor;
    EXPECT_TRUE(c.aceptado);
    EXPECT_EQ(c.partido, 4);
    EXPECT_TRUE(c.Toca(kZonaPorcentajes));
    EXPECT_EQ(r.Probabilidad[5], Pct(100, 0, 0));  // other matches untouched
  }
  Reduccion r = Nueva();
  EXPECT_FALSE(FijaProbabilidad(r, 15, 1, 50).aceptado);  // match 15 has no percentages
}

TEST(Compensacion, LecturaYRecorridoDelEditor) {
  EXPECT_EQ(LeePorcentajeTecleado("250"), 100);
  EXPECT_EQ(LeePorcentajeTecleado("-3"), 0);
  EXPECT_EQ(LeePorcentajeTecleado(""), 0);
  EXPECT_EQ(LeePorcentajeTecleado("33.5"), 34);
  EXPECT_EQ(TextoPorcentaje(7), "7");
  EXPECT_EQ(SiguienteCeldaPorcentaje(3, 1), std::make_pair(3, 2));
  EXPECT_EQ(SiguienteCeldaPorcentaje(3, 3), std::make_pair(4, 1));
  EXPECT_EQ(SiguienteCeldaPorcentaje(14, 3), std::nullopt);
}

TEST(EdicionBase, QuitarElSignoProbableLoBorraYOtroNo) {
  Reduccion r = Nueva(kMetodoColumnaProbable);
  PulsaBase(r, 2, 2);  // 1X
  EXPECT_EQ(r.Partido[2].NumSignos, 2);
  ASSERT_TRUE(PulsaElegir(r, 2).aceptado);
  ASSERT_TRUE(PulsaProbable(r, 2, 2).aceptado);
  PulsaBase(r, 2, 3);             // 1X2
  Cambio c = PulsaBase(r, 2, 1);  // X2: removes another sign
  EXPECT_EQ(r.Partido[2].Probable, 2);
  EXPECT_EQ(c.sonidos, std::vector<int>{1});
  EXPECT_TRUE(c.Toca(kZonaPanelesProbable));
  EXPECT_TRUE(c.Toca(kZonaListasErrores));
  c = PulsaBase(r, 2, 2);  // 2: removes the probable sign
  EXPECT_EQ(r.Partido[2].Probable, 0);
  EXPECT_EQ(r.Partido[2].NumSignos, 1);
  EXPECT_EQ(c.partido, 2);
  EXPECT_TRUE(c.Toca(kZonaBase) && c.Toca(kZonaProbable));
  EXPECT_FALSE(PulsaBase(r, 16, 1).aceptado);
  EXPECT_FALSE(PulsaBase(r, 1, 0).aceptado);
}

TEST(EdicionBase, SoloLosMultiplesDe1a14SeEligen) {
  Reduccion r = Nueva(kMetodoSeleccionSignos);
  EXPECT_FALSE(PulsaElegir(r, 3).aceptado);  // a fixed match
  PulsaBase(r, 3, 3);
  Cambio c = PulsaElegir(r, 3);
  EXPECT_TRUE(c.aceptado);
  EXPECT_TRUE(c.Toca(kZonaSignos));
  EXPECT_TRUE(r.Partido[3].AReducir);
  PulsaProbable(r, 3, 3);
  EXPECT_EQ(r.Partido[3].Probable, 3);
  PulsaElegir(r, 3);  // un-ticking clears the probable sign
  EXPECT_FALSE(r.Partido[3].AReducir);
  EXPECT_EQ(r.Partido[3].Probable, 0);
  PulsaBase(r, 15, 2);
  EXPECT_FALSE(PulsaElegir(r, 15).aceptado);
}

TEST(EdicionBase, ElProbableSoloEnSignosDeLaBaseDeUnPartidoAReducir) {
  Reduccion r = Nueva(kMetodoColumnaProbable);
  PulsaBase(r, 5, 2);
  EXPECT_FALSE(PulsaProbable(r, 5, 2).aceptado);  // not a reducir yet
  PulsaElegir(r, 5);
  EXPECT_FALSE(PulsaProbable(r, 5, 3).aceptado);  // not in the base
  EXPECT_TRUE(PulsaProbable(r, 5, 2).aceptado);
  EXPECT_EQ(r.Partido[5].Probable, 2);
  PulsaProbable(r, 5, 1);
  EXPECT_EQ(r.Partido[5].Probable, 1);
  PulsaProbable(r, 5, 1);  // the same sign again: none
  EXPECT_EQ(r.Partido[5].Probable, 0);
}

TEST(EdicionSignos, SoloCeldasHastaMaxSignos) {
  Reduccion r = Nueva(kMetodoSeleccionSignos);
  PulsaBase(r, 1, 2);
  PulsaElegir(r, 1);
  Cifras c = RecalculaReduccion(r);
  EXPECT_TRUE(CeldaSignosSeleccionable(c, 2, 1));
  EXPECT_FALSE(CeldaSignosSeleccionable(c, 2, 2));
  EXPECT_FALSE(CeldaSignosSeleccionable(c, 3, 1));
  EXPECT_FALSE(CeldaSignosSeleccionable(c, 4, 0));
  const Cambio k = PulsaTotalSignos(r, c, 2, 1);
  EXPECT_EQ(k.sonidos, std::vector<int>{6});
  EXPECT_EQ(r.TotalSignos[2][1], 1);
  PulsaTotalSignos(r, c, 2, 1);
  EXPECT_EQ(r.TotalSignos[2][1], 0);
  EXPECT_FALSE(PulsaTotalSignos(r, c, 3, 1).aceptado);
  EXPECT_EQ(r.TotalSignos[3][1], 0);
}

TEST(EdicionErrores, LasListasVanDe0AMultiplesYBajanLosLimites) {
  Reduccion r = Nueva(kMetodoColumnaProbable);
  for (int m = 1; m <= 3; ++m) {
    PulsaBase(r, m, 2);
    PulsaElegir(r, m);
  }
  EligeMinErrores(r, 2);
  EligeMaxErrores(r, 3);
  ListasErrores l = ReconstruyeListasErrores(r);
  EXPECT_EQ(l.elementos, (std::vector<std::string>{" 0", " 1", " 2", " 3"}));
  PulsaElegir(r, 3);  // two multiples left: the maximum comes down to 2
  EXPECT_EQ(r.MaxErrores, 2);
  EXPECT_EQ(r.MinErrores, 2);
  PulsaElegir(r, 2);
  l = ReconstruyeListasErrores(r);
  EXPECT_EQ(l.elementos.size(), 2u);
  EXPECT_EQ(l.seleccionMin, 1);
  EXPECT_EQ(l.seleccionMax, 1);
}

TEST(EdicionRango, LecturaDelLimiteTecleado) {
  EXPECT_EQ(LeeRangoTecleado("", 0), 0.0f);
  EXPECT_EQ(LeeRangoTecleado("", 100), 100.0f);
  EXPECT_EQ(LeeRangoTecleado("35.25", 0), 35.25f);
  EXPECT_EQ(LeeRangoTecleado("35.256", 0), 35.26f);
  EXPECT_EQ(LeeRangoTecleado("1234.5", 0), 234.5f);  // only the last six characters count
  EXPECT_EQ(TextoRango(35.25f), "35.25");
  EXPECT_EQ(TextoRango(5), "5.00");
}

TEST(EdicionRango, AceptarAjustaAlRangoDeLaBase) {
  Reduccion r = Nueva(kMetodoBalanceSignos);
  for (int m = 1; m <= 14; ++m) r.Probabilidad[m] = Pct(50, 30, 20);
  r.MaxPorcentaje = 50;
  Cambio c = AceptaRangoMin(r, "");
  EXPECT_EQ(r.MinPorcentaje, 20.0f);
  EXPECT_TRUE(c.Toca(kZonaRango));
  AceptaRangoMax(r, "20");  // equal to the minimum at the bottom: 0.01 above
  EXPECT_EQ(r.MaxPorcentaje, 20.01f);
  AceptaRangoMax(r, "");
  EXPECT_EQ(r.MaxPorcentaje, 50.0f);
  AceptaRangoMin(r, "50");  // equal to the maximum at the top: 0.01 below
  EXPECT_EQ(r.MinPorcentaje, 49.99f);
}

TEST(EdicionVarios, MetodoDescripcionYExterno) {
  Reduccion r = Nueva(kMetodoDirecto);
  EXPECT_FALSE(EligeMetodo(r, 0).aceptado);  // the same method
  const Cambio c = EligeMetodo(r, 3);
  EXPECT_TRUE(c.Toca(kZonaRecarga));
  EXPECT_EQ(r.Metodo, kMetodoBalanceSignos);
  EXPECT_FALSE(EligeMetodo(r, 5).aceptado);

  CambiaDescripcion(r, "   Jornada de copa  ");
  EXPECT_EQ(r.Descripcion, AjustaAncho("Jornada de copa", 35));
  CambiaDescripcion(r, std::string(40, 'a'));
  EXPECT_EQ(r.Descripcion, std::string(35, 'a'));

  EXPECT_EQ(PulsaIncluirExterno(r).sonidos, std::vector<int>{7});
  EXPECT_EQ(r.IncluyeExterno, 1);
  PulsaIncluirExterno(r);
  EXPECT_EQ(r.IncluyeExterno, 0);
}

TEST(EdicionVarios, SeleccionarYBorrarTodo) {
  Reduccion r = Nueva(kMetodoColumnaProbable);
  PulsaBase(r, 1, 2);
  PulsaElegir(r, 1);
  PulsaProbable(r, 1, 2);
  r.TotalSignos[1][0] = 1;
  Cambio c = SeleccionaTodo(r);
  EXPECT_EQ(c.sonidos, (std::vector<int>{6, 7}));
  for (int m = 1; m <= 15; ++m) {
    EXPECT_EQ(r.Partido[m].NumSignos, 3);
    EXPECT_EQ(r.Partido[m].AReducir, m <= 14);
  }
  EXPECT_EQ(r.Partido[1].Probable, 2);  // left as it was
  EXPECT_EQ(r.TotalSignos[1][0], 1);
  EXPECT_EQ(r.Probabilidad[9], Pct(50, 30, 20));
  EXPECT_EQ(r.MinPorcentaje, 20.0f);
  EXPECT_EQ(r.MaxPorcentaje, 50.0f);

  c = BorraTodo(r);
  EXPECT_TRUE(c.Toca(kZonaTodo));
  for (int m = 1; m <= 15; ++m) {
    EXPECT_EQ(r.Partido[m], DatosPartido{});
    EXPECT_EQ(r.Probabilidad[m], Pct(100, 0, 0));
  }
  EXPECT_EQ(r.TotalSignos[1][0], 0);
  EXPECT_EQ(r.MinPorcentaje, 100.0f);
  EXPECT_EQ(r.MaxPorcentaje, 100.0f);
}

}  // namespace
}  // namespace zendo
