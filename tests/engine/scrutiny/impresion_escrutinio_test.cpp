// The printed report of a scrutiny: its head, the prizes and categories with Spanish
// separators, and the boletos that hold hits, 13 on the first page and 58 on the next ones.

#include "engine/scrutiny/impresion_escrutinio.h"

#include <gtest/gtest.h>

#include "../output/operaciones.h"
#include "engine/core/texto.h"

namespace zendo {
namespace {

using prueba::Cuenta;
using prueba::Operaciones;

std::string S(std::size_t n) {
  return std::string(n, ' ');
}

struct Caso {
  ResultadoEscrutinio res;
  DocumentoEscrutinio informe;
  Caso() {
    std::string reg = RegistroJornadaVacio();
    PonCabecera(reg, 7, "15/11/09");
    PonEquipo(reg, 1, "Real Madrid");
    PonEquipo(reg, 2, "Getafe");
    PonEquipo(reg, 19, "Deportivo Coruna");  // match 10: 15 characters each
    PonEquipo(reg, 20, "Atletico Madrid");
    PonEquipo(reg, 29, "Celta");  // match 15 without an away team
    res.completo = true;
    res.ColumnaGanadora = "1X21X21X21X21X1";
    res.premios = {0, 100000000, 123450, 2000, 500, 0, 0};  // cents
    res.AciertosTotal[15] = 1;
    res.AciertosTotal[14] = 4;  // the 15 counts here too
    res.AciertosTotal[13] = 1;
    res.AciertosTotal[9] = 7;
    informe = {7, 3, ParseaJornada(reg, 7), &res};
  }
  std::vector<std::string> Ops() {
    return Operaciones([this](DestinoPaginas& d) { ImpriEscrutinio(informe, d); });
  }
  void Boletos(int n) {
    for (int b = 1; b <= n; ++b) {
      BoletoPremiado p;
      p.boleto = b * 3;
      p.aciertos[2] = b % 10;
      p.aciertos[6] = 1;
      res.boletos.Anade(p);
    }
  }
};

TEST(ImpresionEscrutinio, CabeceraPremiosYCategorias) {
  Caso c;
  const auto ops = c.Ops();
  const std::vector<std::string> cabeza = {
      "fuente Courier New 9.75 1",
      "linea ",
      "linea    Escrutinio de la jornada nro.  7 de fecha 15/11/09 (Orden  3)",
      "linea ",
      "linea ",
      "fuente Courier New 9.75 0",
      "linea " + S(13) + "Columna ganadora",
      "linea " + std::string(41, '-'),
      "linea  1. Real Madrid - Getafe" + std::string(13, '.') + "  1",
      "linea  2. " + std::string(33, '.') + "  X"};
  EXPECT_EQ(std::vector<std::string>(ops.begin(), ops.begin() + 10), cabeza);
  // Two names of 15 characters fill the 37 exactly; the signs stay in one column.
  EXPECT_EQ(ops[8 + 9], "linea 10. Deportivo Corun - Atletico Madrid  1");
  EXPECT_EQ(ops[8 + 14], "linea 15. Celta" + std::string(28, '.') + "  1");
  const std::vector<std::string> premios = {
      "texto 6000 1500 Premios a repartir por categoría",
      "texto 6000 1700 " + std::string(32, '*'),
      "texto 6050 2150 15 aciertos.:  1.000.000,00 €",
      "texto 6050 2500 14 aciertos.:      1.234,50 €",
      "texto 6050 2850 13 aciertos.:         20,00 €",
      "texto 6050 3200 12 aciertos.:          5,00 €",
      "texto 6050 3550 11 aciertos.:          0,00 €",
      "texto 6050 3900 10 aciertos.:          0,00 €",
      "texto 1800 5400          Aciertos agrupados por categoría",
      "texto 1800 5650  " + std::string(47, '='),
      "texto 1800 5950      1 columna  de 15 aciertos.:  1.000.000,00 €",
      "texto 1800 6200      4 columnas de 14 aciertos.:      4.938,00 €",
      "texto 1800 6450      1 columna  de 13 aciertos.:         20,00 €",
      "texto 1800 6700      0 columnas de 12 aciertos",
      "texto 1800 6950      0 columnas de 11 aciertos",
      "texto 1800 7200      0 columnas de 10 aciertos",
      "texto 1800 7450      7 columnas de  9 aciertos",
      "texto 1800 7700      0 columnas de  8 aciertos"};
  auto it = std::find(ops.begin(), ops.end(), premios[0]);
  ASSERT_NE(it, ops.end());
  EXPECT_EQ(std::vector<std::string>(it, it + static_cast<long>(premios.size())), premios);
  EXPECT_EQ(Cuenta(ops, "texto 1800 9700      0 columnas de  0 aciertos"), 1);
  EXPECT_EQ(Cuenta(ops, "texto 2850 10100 Total importe premios.:   1.004.958,00 €"), 1);
  // No boleto holds hits: the headings, no line, and the count 0.
  const std::vector<std::string> pie = {"texto 2800 11000 Localización de aciertos en boletos",
                                        "texto 2800 11160 " + std::string(40, '-'),
                                        "texto 2800 11400 Boleto nro.  15   14   13   12   11   10",
                                        "texto 2800 11560 " + std::string(40, '='),
                                        "texto 2800 11900     Total boletos premiados.: 0",
                                        "fin"};
  EXPECT_EQ(std::vector<std::string>(ops.end() - 6, ops.end()), pie);
  EXPECT_EQ(Cuenta(ops, "pagina"), 0);
}

TEST(ImpresionEscrutinio, TreceBoletosEnLaPrimeraPaginaY58EnLasDemas) {
  Caso c;
  c.Boletos(13 + 58 + 1);
  const auto ops = c.Ops();
  std::vector<std::string> lineas;
  for (const auto& o : ops) {
    if (o.rfind("texto 2800 ", 0) == 0 || o == "pagina") lineas.push_back(o);
  }
  // Four headings, then boleto lines from y = 11850 to 14850.
  // Each count under the last digit of its heading: 15 at the 15th character, 14 at the 20th.
  EXPECT_EQ(lineas[4], "texto 2800 11850      3" + S(13) + "1" + S(19) + "1");
  EXPECT_EQ(lineas[4 + 12].substr(0, 16), "texto 2800 14850");
  EXPECT_EQ(lineas[4 + 13], "pagina");
  EXPECT_EQ(lineas[4 + 14], "texto 2800 300 Boleto nro.  15   14   13   12   11   10");
  EXPECT_EQ(lineas[4 + 15], "texto 2800 460 " + std::string(40, '='));
  EXPECT_EQ(lineas[4 + 16].substr(0, 26), "texto 2800 750     42     ");
  EXPECT_EQ(lineas[4 + 16 + 57].substr(0, 16), "texto 2800 15000");
  EXPECT_EQ(lineas[4 + 16 + 58], "pagina");
  EXPECT_EQ(lineas[4 + 16 + 61].substr(0, 14), "texto 2800 750");
  EXPECT_EQ(lineas.back(), "texto 2800 1050     Total boletos premiados.: 72");
  EXPECT_EQ(Cuenta(ops, "pagina"), 2);
  EXPECT_EQ(ops.back(), "fin");
}

}  // namespace
}  // namespace zendo
