#include "engine/core/historico.h"

#include <gtest/gtest.h>

#include "apoyo/apoyo.h"
#include "engine/core/jornadas.h"

namespace zendo {
namespace {

using prueba::CarpetaTemporal;
using prueba::EscribeBytes;

std::string Registro(int jornada, int orden) {
  return ConstruyeRegistroBases(
      ReduccionNueva(static_cast<int16_t>(jornada), static_cast<int16_t>(orden), 1));
}

TEST(Historico, LaPaginaDeLaReduccionActualYLasFechas) {
  CarpetaTemporal dir;
  std::string indice;
  for (int i = 1; i <= 40; ++i) {
    indice += Registro(1 + i / 30, 1 + i % 30) + "\r\n";
    if (i == 20) indice += "0000" + std::string(391, ' ') + "\r\n";
  }
  EscribeBytes(dir / "BASES.TVX", indice);
  std::string reg = RegistroJornadaVacio();
  PonCabecera(reg, 2, "14/02/10");
  ASSERT_EQ(EscribeJornada(dir.ruta(), 2, reg), 0);
  // The 35th line is (2, 6).
  const ListaHistorico h = RellenaLisDatos(dir.ruta(), 2, 6);
  ASSERT_EQ(h.lineas.size(), 40u);
  EXPECT_EQ(h.primeraLinea, 35);
  EXPECT_EQ(h.lineas[0].substr(0, 18), "  1 " + std::string(8, ' ') + "   2  ");  // no record
  EXPECT_EQ(h.lineas[34].substr(0, 18), "  2 14/02/10   6  ");
  EXPECT_EQ(JornadaDeLinea(h.lineas[34]), 2);
  EXPECT_EQ(OrdenDeLinea(h.lineas[34]), 6);
  EXPECT_EQ(h.lineas[0].size(), 1 + 2 + 1 + 8 + 4 + 2 + 19 + 2 + 35 + 2 + 8 + 2 + 8u);
}

TEST(Historico, SoloRegistrosBorradosDaUnaPaginaVacia) {
  CarpetaTemporal dir;
  const ListaHistorico sinIndice = RellenaLisDatos(dir.ruta(), 1, 1);
  EXPECT_TRUE(sinIndice.lineas.empty());
  EXPECT_EQ(sinIndice.estado.error, 0);
  EscribeBytes(dir / "BASES.TVX", "0000" + std::string(391, ' ') + "\r\n");
  const ListaHistorico h = RellenaLisDatos(dir.ruta(), 1, 1);
  EXPECT_TRUE(h.lineas.empty());
  EXPECT_EQ(h.primeraLinea, 1);
}

TEST(Historico, FilasBajoElRaton) {
  EXPECT_EQ(HallaCualLinea(10, 4, 1, 40), 0);
  EXPECT_EQ(HallaCualLinea(10, 3, 1, 40), kSinFila);   // gap above the row
  EXPECT_EQ(HallaCualLinea(10, 23, 1, 40), kSinFila);  // gap below
  EXPECT_EQ(HallaCualLinea(665, 30, 1, 40), 1);
  EXPECT_EQ(HallaCualLinea(670, 30, 1, 40), kSinFila);  // between text and symbol
  EXPECT_EQ(HallaCualLinea(692, 30, 1, 40), 1);
  EXPECT_EQ(HallaCualLinea(693, 30, 1, 40), kSinFila);
  EXPECT_EQ(HallaCualLinea(10, 5 * 25 + 10, 35, 40), 5);
  EXPECT_EQ(HallaCualLinea(10, 6 * 25 + 10, 35, 40), kSinFila);  // past line 40
  EXPECT_EQ(HallaCualLinea(10, 17 * 25 + 10, 1, 100), kSinFila);
  EXPECT_TRUE(EnSimboloBorrar(673));
  EXPECT_FALSE(EnSimboloBorrar(665));
}

TEST(Historico, PaginasSinSalirseDeLasLineas) {
  EXPECT_EQ(PaginaHistorico(1, 35, 40), 1);
  EXPECT_EQ(PaginaHistorico(2, 35, 40), 18);
  EXPECT_EQ(PaginaHistorico(2, 1, 40), 1);
  EXPECT_EQ(PaginaHistorico(3, 18, 40), 35);
  EXPECT_EQ(PaginaHistorico(3, 35, 40), 35);
  EXPECT_EQ(PaginaHistorico(4, 1, 40), 35);
  EXPECT_EQ(PaginaHistorico(4, 1, 34), 18);
  EXPECT_EQ(PaginaHistorico(4, 1, 0), 1);
  EXPECT_EQ(PaginaHistorico(3, 1, 0), 1);
}

}  // namespace
}  // namespace zendo
