// The texts of the "Garantía" panel.

#include "engine/consult/panel_garantia.h"

#include <gtest/gtest.h>

#include "engine/core/texto.h"
#include "tests/engine/garantia/apoyo_garantia.h"

namespace zendo::prueba {
namespace {

Garantia Calcula(const Reduccion& r, const std::vector<std::string>& columnas) {
  CalculoGarantia c(r);
  for (const auto& col : columnas) EXPECT_TRUE(c.Anade(col));
  Garantia g;
  const std::atomic<bool> no{false};
  EXPECT_TRUE(c.Termina(g, {}, no));
  return g;
}

TEST(PanelGarantia, FrasesCifrasYPorcentajesConSeparadoresEspanoles) {
  // The 9-column table over 4 triples.
  const Reduccion r = Base(kMetodoDirecto, 4);
  std::vector<std::string> tabla;
  for (const char* inicio :
       {"1121", "XXX1", "2211", "1X1X", "X22X", "21XX", "12X2", "X112", "2X22"})
    tabla.push_back(std::string(inicio) + std::string(11, '1'));
  const PanelGarantia p = ConstruyePanelGarantia(Calcula(r, tabla));
  EXPECT_EQ(p.garantia,
            Cp("Garantía: 13 aciertos si el resultado está dentro de la Quiniela Base"));
  EXPECT_EQ(p.resumen,
            Cp("Columnas ganadoras de la Quiniela Base: 81     Columnas de la reducción: 9"));
  ASSERT_EQ(p.filas.size(), 5u);
  const FilaGarantia& f14 = p.filas[0];
  EXPECT_EQ(f14.aciertos, 14);
  EXPECT_EQ(f14.exactas + "|" + f14.porcentajeExactas + "|" + f14.alMenos + "|" +
                f14.porcentajeAlMenos + "|" + f14.premios,
            "9|11,1111 %|9|11,1111 %|0,1111");
  const FilaGarantia& f13 = p.filas[1];
  EXPECT_EQ(
      f13.exactas + "|" + f13.porcentajeExactas + "|" + f13.alMenos + "|" + f13.porcentajeAlMenos,
      "72|88,8889 %|81|100,0000 %");
  EXPECT_EQ(p.filas[4].aciertos, 10);
  EXPECT_EQ(p.filas[4].exactas + "|" + p.filas[4].alMenos + "|" + p.filas[4].premios,
            "0|81|1,7778");  // 144 pairs with 10 hits over 81 results
  EXPECT_DOUBLE_EQ(p.filas[1].parteAlMenos, 1.0);
  EXPECT_FALSE(p.ponderada);
  Reduccion descrita = r;
  EXPECT_EQ(TextoReduccionGarantia(descrita), Cp("Jornada 1, orden 1: Método Directo"));
  descrita.Metodo = kMetodoManual;
  descrita.Orden = 12;
  descrita.Descripcion = AjustaAncho(Cp("  Peñas del barrio"), 35);
  EXPECT_EQ(TextoReduccionGarantia(descrita),
            Cp("Jornada 1, orden 12: Método de Reducción manual - Peñas del barrio"));
  EXPECT_TRUE(p.filas[0].probabilidadExacta.empty());
}

TEST(PanelGarantia, SinColumnasOSinBaseLoDiceConPalabras) {
  Reduccion r = Base(kMetodoManual, 14);
  PanelGarantia p = ConstruyePanelGarantia(Calcula(r, {}));
  EXPECT_EQ(p.garantia, Cp("La reducción no tiene ninguna columna: no hay garantía."));
  EXPECT_EQ(p.resumen, Cp("Columnas ganadoras de la Quiniela Base: 4.782.969     Columnas de la "
                          "reducción: 0"));
  EXPECT_TRUE(p.filas.empty());

  r.Partido[3].Signo = {0, 0, 0, 0};  // external columns only: the base was cleared
  p = ConstruyePanelGarantia(Calcula(r, {"111111111111111"}));
  EXPECT_EQ(p.garantia, Cp("La Quiniela Base no tiene ninguna columna ganadora: no hay garantía."));
  EXPECT_TRUE(p.filas.empty());

  // Columns outside the base in matches 2 to 14 hit only match 1: the singular.
  r = Base(kMetodoManual, 1);
  p = ConstruyePanelGarantia(Calcula(r, {"1XXXXXXXXXXXXX1", "XXXXXXXXXXXXXX1", "2XXXXXXXXXXXXX1"}));
  EXPECT_EQ(p.garantia, Cp("Garantía: 1 acierto si el resultado está dentro de la Quiniela Base"));
}

TEST(PanelGarantia, ElMetodoCuatroPonderaConLosPorcentajes) {
  Reduccion r = Base(kMetodoBalanceSignos, 0, {"1X"});
  r.Probabilidad[1] = {0, 60, 40, 0};
  const PanelGarantia p = ConstruyePanelGarantia(Calcula(r, {"111111111111111"}));
  ASSERT_TRUE(p.ponderada);
  EXPECT_EQ(p.filas[0].probabilidadExacta, "60,0000 %");
  EXPECT_EQ(p.filas[1].probabilidadExacta, "40,0000 %");
  EXPECT_EQ(p.filas[1].probabilidadAlMenos, "100,0000 %");
  EXPECT_DOUBLE_EQ(p.filas[0].parteProbabilidadAlMenos, 0.6);
  EXPECT_EQ(p.filas[0].porcentajeExactas, "50,0000 %");
}

}  // namespace
}  // namespace zendo::prueba
