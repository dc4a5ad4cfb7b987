#include "engine/consult/boletos.h"

#include <gtest/gtest.h>

#include <random>

namespace zendo {
namespace {

Reduccion ConPleno(int16_t metodo, int signosPleno, int32_t columnas) {
  Reduccion r = ReduccionNueva(1, 1, metodo);
  r.Partido[15].NumSignos = static_cast<int16_t>(signosPleno);
  r.NumApuestas = columnas;
  return r;
}

// The boleto of a column and its place in it.
std::pair<int, int> Lugar(const Reduccion& r, int32_t columna) {
  const auto p = HallaBoleto(r, columna);
  return {p.boleto, p.PosicionEnBoleto};
}

TEST(HallaBoleto, GruposPorElPlenoEnLosMetodosConFiltro) {
  const Reduccion r = ConPleno(kMetodoDirecto, 2, 24);  // two groups of 12
  EXPECT_EQ(Lugar(r, 12), std::make_pair(2, 4));
  EXPECT_EQ(Lugar(r, 13), std::make_pair(3, 1));
  EXPECT_EQ(HallaBoleto(r, 8).PosicionEnBoleto, 8);
  EXPECT_EQ(NumBoletos(r), 4);
  EXPECT_EQ(HallaBoleto(r, 0).boleto, 0);
  // Three signs in match 15, 27 columns: groups of 9 need two boletos each.
  const Reduccion t = ConPleno(kMetodoBalanceSignos, 3, 27);
  EXPECT_EQ(HallaBoleto(t, 9).boleto, 2);
  EXPECT_EQ(HallaBoleto(t, 10).boleto, 3);
  EXPECT_EQ(NumBoletos(t), 6);
}

TEST(HallaBoleto, UnGrupoVacioNoDivideEntreCero) {
  EXPECT_EQ(NumBoletos(ConPleno(kMetodoColumnaProbable, 3, 0)), 0);
  EXPECT_EQ(HallaBoleto(ConPleno(kMetodoColumnaProbable, 0, 5), 5).boleto, 1);
  EXPECT_EQ(HallaBoleto(ConPleno(kMetodoColumnaProbable, 3, 1), 1).boleto, 0);  // 1/3 rounds to 0
}

TEST(HallaBoleto, ManualConHuecosAlFinalDeCadaGrupo) {
  Reduccion r = ConPleno(kMetodoManual, 3, 30);
  r.ColumnasPleno1 = 10;
  r.ColumnasPlenoX = 8;
  EXPECT_EQ(Lugar(r, 10), std::make_pair(2, 2));
  EXPECT_EQ(Lugar(r, 11), std::make_pair(3, 1));
  EXPECT_EQ(Lugar(r, 19), std::make_pair(4, 1));
  EXPECT_EQ(NumBoletos(r), 5);              // columns 19..30 take boletos 4 and 5
  r.ColumnasPleno1 = r.ColumnasPlenoX = 0;  // a single group
  EXPECT_EQ(HallaBoleto(r, 9).boleto, 2);
}

// A reader walking the file asks HallaBoleto once per run: every column of a run must be on
// the boleto of its first column, whatever the counts of the index say.
TEST(UltimaColumnaDelBoleto, CadaTramoEstaEnUnSoloBoleto) {
  std::mt19937 gen(11);
  const auto u = [&gen](int a, int b) { return std::uniform_int_distribution<int>(a, b)(gen); };
  for (int caso = 0; caso < 400; ++caso) {
    Reduccion r = ConPleno(static_cast<int16_t>(u(1, 5)), u(0, 3), u(0, 120));
    r.ColumnasPleno1 = u(-9, 60);
    r.ColumnasPlenoX = u(-9, 60);
    int32_t pasos = 0;
    for (int64_t c = 1; c <= 150;) {
      const int64_t fin = UltimaColumnaDelBoleto(r, c);
      ASSERT_GE(fin, c);
      const int32_t b = HallaBoleto(r, static_cast<int32_t>(c)).boleto;
      for (int64_t n = c; n <= std::min<int64_t>(fin, 150); ++n) {
        ASSERT_EQ(HallaBoleto(r, static_cast<int32_t>(n)).boleto, b) << caso << " " << n;
      }
      // Runs end where a boleto ends (8 places) or a group does, no sooner.
      if (fin < 150 && HallaBoleto(r, static_cast<int32_t>(fin + 1)).boleto == b) {
        ASSERT_EQ(r.Metodo, kMetodoManual);
      }
      ++pasos;
      if (fin >= 150) break;  // the last run may have no end at all
      c = fin + 1;
    }
    ASSERT_GE(pasos, 1);
  }
  EXPECT_EQ(UltimaColumnaDelBoleto(ConPleno(kMetodoDirecto, 2, 24), 9), 12);
  EXPECT_EQ(UltimaColumnaDelBoleto(ConPleno(kMetodoDirecto, 2, 24), 13), 20);
}

}  // namespace
}  // namespace zendo
