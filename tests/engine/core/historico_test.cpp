#include "engine/core/historico.h"

#include <gtest/gtest.h>

#include "apoyo/apoyo.h"
#include "engine/core/jornadas.h"
#include "engine/core/texto.h"
#include "engine/screens/pagina_historico.h"

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

// A line of the history for (jornada, orden) dated `fecha` with `descripcion`.
std::string Linea(int jornada, int orden, const std::string& fecha,
                  const std::string& descripcion) {
  Reduccion r = ReduccionNueva(static_cast<int16_t>(jornada), static_cast<int16_t>(orden), 1);
  r.Descripcion = AjustaAncho(Cp(descripcion), 35);
  return LineaHistorico(ConstruyeRegistroBases(r), fecha);
}

std::vector<std::pair<int, int>> Claves(const std::vector<std::string>& lineas) {
  std::vector<std::pair<int, int>> c;
  for (const auto& l : lineas) c.emplace_back(JornadaDeLinea(l), OrdenDeLinea(l));
  return c;
}

TEST(Historico, OrdenadoPorJornadaFechaODescripcion) {
  const std::vector<std::string> indice = {
      Linea(12, 2, "03/01/10", "peña del bar"), Linea(3, 1, "        ", "Ñandú"),
      Linea(12, 1, "03/01/10", "Zamora"),       Linea(40, 1, "30/08/09", "Peña"),
      Linea(7, 5, "15/11/09", "Obras"),         Linea(9, 1, "        ", "Ávila")};
  auto l = indice;
  OrdenaHistorico(l, OrdenHistorico::Jornada, false);
  EXPECT_EQ(Claves(l),
            (std::vector<std::pair<int, int>>{{3, 1}, {7, 5}, {9, 1}, {12, 1}, {12, 2}, {40, 1}}));
  OrdenaHistorico(l, OrdenHistorico::Jornada, true);
  EXPECT_EQ(Claves(l).front(), std::make_pair(40, 1));
  EXPECT_EQ(Claves(l)[1], std::make_pair(12, 2));
  // By the calendar, the year first (09 before 10); equal dates keep the index order and
  // lines without a date go last, descending too.
  l = indice;
  OrdenaHistorico(l, OrdenHistorico::Fecha, false);
  EXPECT_EQ(Claves(l),
            (std::vector<std::pair<int, int>>{{40, 1}, {7, 5}, {12, 2}, {12, 1}, {3, 1}, {9, 1}}));
  OrdenaHistorico(l, OrdenHistorico::Fecha, true);
  EXPECT_EQ(Claves(l),
            (std::vector<std::pair<int, int>>{{12, 2}, {12, 1}, {7, 5}, {40, 1}, {3, 1}, {9, 1}}));
  // Letters without case or accents, ñ after n.
  l = indice;
  OrdenaHistorico(l, OrdenHistorico::Descripcion, false);
  EXPECT_EQ(Claves(l),
            (std::vector<std::pair<int, int>>{{9, 1}, {3, 1}, {7, 5}, {40, 1}, {12, 2}, {12, 1}}));
  // The index order, and where the current reduction now stands.
  l = indice;
  OrdenaHistorico(l, OrdenHistorico::Indice, false);
  EXPECT_EQ(l, indice);
  EXPECT_EQ(LineaDe(l, 7, 5), 5);
  EXPECT_EQ(LineaDe(l, 7, 6), 0);
}

TEST(Historico, CabecerasQueOrdenan) {
  const std::string titulo = TitulosHistorico()[1];
  EXPECT_EQ(ColumnaDeTitulo(static_cast<int>(titulo.find("Jor"))), OrdenHistorico::Jornada);
  EXPECT_EQ(ColumnaDeTitulo(static_cast<int>(titulo.find("Fecha"))), OrdenHistorico::Fecha);
  EXPECT_EQ(ColumnaDeTitulo(static_cast<int>(titulo.find("Ord"))), OrdenHistorico::Indice);
  EXPECT_EQ(ColumnaDeTitulo(static_cast<int>(titulo.find("Descrip"))), OrdenHistorico::Descripcion);
  EXPECT_EQ(ColumnaDeTitulo(-1), OrdenHistorico::Indice);
  EXPECT_EQ(ColumnaDeTitulo(90), OrdenHistorico::Indice);
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
