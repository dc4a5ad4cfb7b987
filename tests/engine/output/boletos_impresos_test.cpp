// Boletos on paper: the mark table, the upright and the rotated layouts with their fixed
// marks and rounding, continuous paper two boletos to a sheet, and the run of individual
// boletos with Repetir, Siguiente and cancel.

#include <gtest/gtest.h>

#include "apoyo/apoyo.h"
#include "apoyo/reduccion_guardada.h"
#include "engine/consult/fichero_boletos.h"
#include "engine/output/impri_boletos.h"
#include "engine/output/marcas_boleto.h"
#include "operaciones.h"

namespace zendo {
namespace {

using prueba::Cuenta;
using prueba::Operaciones;

std::string Registros(std::initializer_list<const char*> columnas) {
  std::string s;
  for (const char* c : columnas) s += *c ? RegistroColumna(c) : std::string(kRegistroBlanco);
  return s;
}

TEST(MarcasBoleto, LaTablaSigueALasColumnasYAlPleno) {
  TablaMarcas m{};
  LlenaMarcas(m, Registros({"1X2111111111111", "2222222222222?X", ""}));
  EXPECT_EQ(m[1][1][1], 1);
  EXPECT_EQ(m[1][2][2], 1);
  EXPECT_EQ(m[1][3][3], 1);
  EXPECT_EQ(m[2][13][3], 1);
  EXPECT_EQ(m[2][14][1] + m[2][14][2] + m[2][14][3], 0);  // "?" marks nothing
  // Only the first column gives the Pleno al 15: "1" marks (4, 15, 3).
  EXPECT_EQ(m[4][15][3], 1);
  EXPECT_EQ(m[5][15][2], 0);
  int total = 0;
  for (int j = 1; j <= 8; ++j) {
    for (int i = 1; i <= 15; ++i) {
      for (int k = 1; k <= 3; ++k) total += m[j][i][k];
    }
  }
  EXPECT_EQ(total, 14 + 13 + 1);  // the blank place marks nothing
  LlenaMarcas(m, Registros({"11111111111111X"}));
  EXPECT_EQ(m[5][15][2], 1);
  LlenaMarcas(m, Registros({"111111111111112"}));
  EXPECT_EQ(m[6][15][1], 1);
  MarcaPruebaImpresion(m);
  EXPECT_EQ(m[8][14][3] + m[4][15][3] + m[5][15][2] + m[6][15][1], 4);
  EXPECT_EQ(m[1][15][1], 0);
}

TEST(MarcasBoleto, GiradoConMargenesYMarcasFijas) {
  TablaMarcas m{};
  m[8][1][3] = 1;  // the first box drawn: x = mI + 1050, y = mS + 1270
  m[8][2][2] = 1;  // y one row of 213 lower
  m[1][15][1] = 1;
  const ColocacionBoleto c{MargenATwips(150), MargenATwips(150), false};
  const auto ops = Operaciones([&](DestinoPaginas& d) { DibujaBoletoGirado(m, c, 0, "12", d); });
  // 850.5 + 1050 = 1900.5 rounds to the even 1900; 850.5 + 1270 + 213 = 2333.5 to 2334.
  const std::vector<std::string> esperado = {"texto 850.5 850.5 12",   "caja 1900 2120 130 70",
                                             "caja 1900 2120 130 -70", "caja 2184 2334 130 70",
                                             "caja 2184 2334 130 -70", "caja 5876 7020 130 70",
                                             "caja 5876 7020 130 -70"};
  EXPECT_EQ(ops, esperado);

  const auto fijas = Operaciones([&](DestinoPaginas& d) {
    DibujaBoletoGirado(TablaMarcas{}, {MargenATwips(10), MargenATwips(3), true}, 1, "1", d);
  });
  // Position 1 moves everything 5990 twips; margins 10 and 3 are 56.7 and 17.01 twips.
  const std::vector<std::string> esperadoFijas = {
      "texto 6046.7 17.01 1",       "caja 11166.7 82.01 170 145", "caja 11166.7 8610.01 170 145",
      "caja 7010.7 8765.01 227 57", "caja 7697.7 8765.01 227 57", "caja 8040.7 8765.01 227 57",
      "caja 8383.7 8765.01 227 57", "caja 8726.7 8765.01 227 57", "caja 9752.7 8765.01 227 57",
      "caja 10094.7 8765.01 227 57"};
  EXPECT_EQ(fijas, esperadoFijas);
}

TEST(MarcasBoleto, VerticalEmpiezaPorElPartido15) {
  TablaMarcas m{};
  m[8][15][3] = 1;  // top left: x = mI + 940, y = mS + 10
  m[1][1][1] = 1;   // bottom right: x = mI + 940 + 23 x 212, y = mS + 10 + 14 x 284
  const auto ops = Operaciones([&](DestinoPaginas& d) {
    DibujaBoletoVertical(m, {MargenATwips(50), 0, true}, "999.999", d);
  });
  const std::vector<std::string> esperado = {
      "caja 1224 10 70 130",      "caja 1224 10 70 -130",    "texto 6783.5 10 999.999",
      "caja 6100 3986 70 130",    "caja 6100 3986 70 -130",  "caja 8.5 -106 145 170",
      "caja 8536.5 -106 145 170", "caja 8691.5 919 57 227",  "caja 8691.5 1262 57 227",
      "caja 8691.5 2287 57 227",  "caja 8691.5 2630 57 227", "caja 8691.5 2973 57 227",
      "caja 8691.5 3316 57 227",  "caja 8691.5 4003 57 227"};
  EXPECT_EQ(ops, esperado);
}

// A work file of `n` boletos, each holding 8 columns.
AbreColumnas Boletos(int n, int columnasUltimo = 8) {
  return [n, columnasUltimo] {
    std::string bytes;
    for (int b = 0; b < n; ++b) {
      const int columnas = b == n - 1 ? columnasUltimo : 8;
      for (const auto& c : prueba::Columnas(columnas, '1', 8 * b)) bytes += RegistroColumna(c);
    }
    AperturaColumnas a;
    a.fichero = std::make_unique<RegistrosEnMemoria>(bytes);
    return a;
  };
}

TEST(PapelContinuo, PruebaDeImpresionConDosBoletosCompletos) {
  OpcionesBoletos o;
  o.prueba = true;
  o.MargenIzq = 20;
  bool abierto = false;
  prueba::ControlPrueba control;
  const auto ops = Operaciones([&](DestinoPaginas& d) {
    ImpriContinuo(
        o,
        [&] {
          abierto = true;
          return AperturaColumnas{};
        },
        d, control);
  });
  EXPECT_FALSE(abierto);  // a test print reads no columns
  const std::vector<std::string> inicio = {
      "papel 256", "papel 9", "alto 8986", "grosor 6", "fuente Arial 9 0", "texto 113.4 0 999.999"};
  EXPECT_EQ(std::vector<std::string>(ops.begin(), ops.begin() + 6), inicio);
  // Every box of matches 1 to 14 and the three of the Pleno, two boxes a mark, on both
  // boletos, and the nine fixed marks of each.
  EXPECT_EQ(Cuenta(ops, "caja"), 2 * (2 * (8 * 14 * 3 + 3) + 9));
  EXPECT_EQ(Cuenta(ops, "texto 6103.4 0 999.999"), 1);
  EXPECT_EQ(std::vector<std::string>(ops.end() - 2, ops.end()),
            (std::vector<std::string>{"fin", "grosor 1"}));
  EXPECT_EQ(Cuenta(ops, "pagina"), 0);
}

TEST(PapelContinuo, DosBoletosPorHojaYCancelacion) {
  OpcionesBoletos o;
  o.BoletoInicial = 2;
  o.BoletoFinal = 5;
  prueba::ControlPrueba control;
  auto ops = Operaciones([&](DestinoPaginas& d) { ImpriContinuo(o, Boletos(6), d, control); });
  // Boletos 2 to 5: a sheet after the 2nd and the 4th; the last NewPage comes before EndDoc.
  std::vector<std::string> estructura;
  for (const auto& op : ops) {
    if (op.rfind("texto", 0) == 0 || op == "pagina" || op == "fin") estructura.push_back(op);
  }
  EXPECT_EQ(estructura,
            (std::vector<std::string>{"texto 0 0 2", "texto 5990 0 3", "pagina", "texto 0 0 4",
                                      "texto 5990 0 5", "pagina", "fin"}));
  EXPECT_EQ(control.estados,
            (std::vector<std::string>{
                "Imprimiendo el boleto nro. 2", "Imprimiendo el boleto nro. 3",
                "Imprimiendo el boleto nro. 4", "Imprimiendo el boleto nro. 5", ""}));
  // An odd last boleto: EndDoc without a NewPage before it.
  o.BoletoFinal = 6;
  o.BoletoInicial = 6;
  ops = Operaciones([&](DestinoPaginas& d) { ImpriContinuo(o, Boletos(6), d, control); });
  EXPECT_EQ(Cuenta(ops, "pagina"), 0);
  EXPECT_EQ(Cuenta(ops, "fin"), 1);

  // Cancelled after the first boleto: what was drawn is ended.
  o.BoletoInicial = 1;
  prueba::ControlPrueba cancela;
  cancela.cancelarTras = 0;
  ops = Operaciones(
      [&](DestinoPaginas& d) { EXPECT_TRUE(ImpriContinuo(o, Boletos(6), d, cancela).cancelado); });
  EXPECT_EQ(Cuenta(ops, "texto"), 1);
  EXPECT_EQ(ops.back(), "grosor 1");
  EXPECT_EQ(ops[ops.size() - 2], "fin");
}

TEST(BoletosIndividuales, UnTrabajoPorBoletoConRepetirYSiguiente) {
  OpcionesBoletos o;
  o.BoletoInicial = 1;
  o.BoletoFinal = 3;
  o.NumApuestas = 17;  // the last boleto holds a single column
  prueba::ControlPrueba control;
  control.decisiones = {Decision::Siguiente, Decision::Repetir, Decision::Siguiente,
                        Decision::Repetir, Decision::Cancelar};
  ResultadoImpresion r;
  const auto ops =
      Operaciones([&](DestinoPaginas& d) { r = ImpriBoletos(o, Boletos(3, 1), d, control); });
  EXPECT_TRUE(r.cancelado);
  // Boleto 1, boleto 2 twice, boleto 3 twice (Repetir after the last), then cancelled.
  std::vector<std::string> numeros;
  for (const auto& op : ops) {
    if (op.rfind("texto", 0) == 0) numeros.push_back(op.substr(op.rfind(' ') + 1));
  }
  EXPECT_EQ(numeros, (std::vector<std::string>{"1", "2", "2", "3", "3"}));
  EXPECT_EQ(Cuenta(ops, "fin"), 5);
  EXPECT_EQ(Cuenta(ops, "pagina"), 0);
  EXPECT_EQ(ops.back(), "grosor 1");
  EXPECT_EQ(control.empiezan, 1);
  EXPECT_EQ(control.ultimos, 1);
  ASSERT_EQ(control.avisos.size(), 1u);
  EXPECT_EQ(control.avisos[0].titulo, "\xDAltimo boleto incompleto");
  EXPECT_EQ(control.avisos[0].contexto, 2420);
  // Upright by default, no fixed marks on the front: the last boleto has one column, so
  // 14 marks and its Pleno, two boxes each, between the EndDoc of boleto 2 and its own.
  const auto ultimo = std::find(ops.begin(), ops.end(), "texto 6500 10 3");
  ASSERT_NE(ultimo, ops.end());
  const auto desde = std::find(std::make_reverse_iterator(ultimo), ops.rend(), "fin").base();
  EXPECT_EQ(std::count_if(desde, std::find(ultimo, ops.end(), std::string("fin")),
                          [](const std::string& op) { return op.rfind("caja", 0) == 0; }),
            2 * 15);
  EXPECT_EQ(control.estados.front(), "Imprimiendo el boleto nro. 1");
}

TEST(BoletosIndividuales, PruebaGiradaConMarcasFijasYErrorDeApertura) {
  OpcionesBoletos o;
  o.prueba = true;
  o.Orientacion = 2;
  o.reverso = true;
  prueba::ControlPrueba control;
  auto ops = Operaciones([&](DestinoPaginas& d) { ImpriBoletos(o, Boletos(1), d, control); });
  EXPECT_EQ(ops[0], "grosor 6");
  EXPECT_EQ(ops[1], "fuente Arial 9 0");
  EXPECT_EQ(ops[2], "texto 0 0 999.999");
  EXPECT_EQ(Cuenta(ops, "caja"), 2 * (8 * 14 * 3 + 3) + 9);
  EXPECT_EQ(control.esperas, 0);  // a test print does not wait
  o.reverso = false;
  o.Orientacion = 1;
  ops = Operaciones([&](DestinoPaginas& d) { ImpriBoletos(o, Boletos(1), d, control); });
  EXPECT_EQ(Cuenta(ops, "caja"), 2 * (8 * 14 * 3 + 3));

  // A missing columns file is told with its code; nothing is printed.
  prueba::CarpetaTemporal carpeta;
  o.prueba = false;
  ResultadoImpresion r;
  const std::atomic<bool> no{false};
  ops = Operaciones([&](DestinoPaginas& d) {
    r = ImpriBoletos(
        o, [&] { return AbreColumnasSalida(carpeta.ruta(), 7, 3, no); }, d, control);
  });
  EXPECT_EQ(r.error, 53);
  EXPECT_EQ(r.mensaje, "RED ERROR 53");
  EXPECT_EQ(ops, (std::vector<std::string>{"grosor 6", "fuente Arial 9 0", "grosor 1"}));
}

}  // namespace
}  // namespace zendo
