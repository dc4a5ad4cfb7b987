// The listings on plain paper: the basic-data sheet in copies, and the list of boletos with
// its page heads, rows of 4 or 7 boletos, three rows a page and a last row cut by the range.

#include <gtest/gtest.h>

#include "apoyo/reduccion_guardada.h"
#include "engine/consult/fichero_boletos.h"
#include "engine/core/texto.h"
#include "engine/output/impri_listados.h"
#include "operaciones.h"

namespace zendo {
namespace {

using prueba::Cuenta;
using prueba::Operaciones;

std::string S(std::size_t n) {
  return std::string(n, ' ');
}

TEST(DatosBasicos, CopiasEnNegritaYCancelacion) {
  const std::vector<LineaHoja> hoja = {{"", true}, {"TITULO", true}, {"", false}, {"fin", false}};
  prueba::ControlPrueba control;
  auto ops = Operaciones([&](DestinoPaginas& d) { ImpriDatosBasicos(hoja, 2, d, control); });
  const std::vector<std::string> copia = {"fuente Courier New 9.75 1",
                                          "linea ",
                                          "linea TITULO",
                                          "fuente Courier New 9.75 0",
                                          "linea ",
                                          "linea fin",
                                          "pagina"};
  std::vector<std::string> esperado = {"fuente Courier New 9.75 0"};
  for (int c = 0; c < 2; ++c) esperado.insert(esperado.end(), copia.begin(), copia.end());
  esperado.push_back("fin");
  EXPECT_EQ(ops, esperado);
  EXPECT_EQ(control.estados, (std::vector<std::string>{"Imprimiendo la copia nro. 1 de 2",
                                                       "Imprimiendo la copia nro. 2 de 2", ""}));
  prueba::ControlPrueba cancela;
  cancela.cancelarTras = 0;
  ops = Operaciones(
      [&](DestinoPaginas& d) { EXPECT_TRUE(ImpriDatosBasicos(hoja, 5, d, cancela).cancelado); });
  EXPECT_EQ(Cuenta(ops, "pagina"), 1);
  EXPECT_EQ(ops.back(), "fin");
}

// Boletos 1..n of 8 columns each, in a work file held in memory.
struct Trabajo {
  std::vector<std::string> columnas;
  explicit Trabajo(int boletos) : columnas(prueba::Columnas(8 * boletos, '1')) {}
  AbreColumnas Abre() const {
    return [this] {
      std::string bytes;
      for (const auto& c : columnas) bytes += RegistroColumna(c);
      AperturaColumnas a;
      a.fichero = std::make_unique<RegistrosEnMemoria>(bytes);
      return a;
    };
  }
  // The 16 characters of boleto b in the row of match i: " " and the sign, per column.
  std::string Celda(int b, int i) const {
    std::string s;
    for (int j = 0; j < 8; ++j) {
      s += ' ';
      s += columnas[static_cast<std::size_t>(8 * (b - 1) + j)][static_cast<std::size_t>(i - 1)];
    }
    return s;
  }
};

OpcionesRelacion Opciones(int64_t inicial, int64_t final, int64_t numBoletos, int ancho) {
  OpcionesRelacion o;
  o.BoletoInicial = inicial;
  o.BoletoFinal = final;
  o.NumBoletos = numBoletos;
  o.AnchoPapel = ancho;
  o.Jornada = 7;
  o.Orden = 3;
  o.FechaJornada = "15/11/09";
  o.Descripcion = AjustaAncho("Prueba", 35);
  return o;
}

TEST(RelacionBoletos, PapelEstrechoDoceBoletosPorPagina) {
  const Trabajo t(14);
  prueba::ControlPrueba control;
  const auto ops = Operaciones(
      [&](DestinoPaginas& d) { ImpriRelacion(Opciones(1, 13, 14, 0), t.Abre(), d, control); });
  auto cabeza = [](int pagina) {
    return std::vector<std::string>{"linea ",
                                    "linea ",
                                    "linea ",
                                    "linea " + S(20) +
                                        "JORNADA NRO.  7 DE FECHA 15/11/09 (Orden  3)" + S(14) +
                                        "Página..: " + std::to_string(pagina),
                                    "linea ",
                                    "linea " + S(20) + "Prueba" + S(29),
                                    "linea ",
                                    "linea "};
  };
  auto fila = [&](int primero, int presentes) {
    std::vector<std::string> f = {"linea "};
    std::string c1 = S(10), c2 = S(10);
    for (int b = primero; b < primero + presentes; ++b) {
      c1 += "Boleto" + std::string(b < 10 ? 5 : 4, ' ') + std::to_string(b) + S(9);
      c2 += "---------------      ";
    }
    f.push_back("linea " + c1);
    f.push_back("linea " + c2);
    f.push_back("linea ");
    for (int i = 1; i <= 15; ++i) {
      std::string l = "   " + std::string(i < 10 ? " " : "") + std::to_string(i) + " -  ";
      for (int b = primero; b < primero + 4; ++b) {
        l += (b < primero + presentes ? t.Celda(b, i) : S(16)) + S(5);
      }
      f.push_back("linea " + l);
    }
    return f;
  };
  std::vector<std::string> e = {"fuente Courier New 9.75 0"};
  auto anade = [&e](const std::vector<std::string>& v) { e.insert(e.end(), v.begin(), v.end()); };
  anade(cabeza(1));
  anade(fila(1, 4));
  anade(fila(5, 4));
  anade(fila(9, 4));
  e.push_back("pagina");
  anade(cabeza(2));
  anade(fila(13, 1));  // boleto 14 lies past BoletoFinal: a blank cell and no head
  e.push_back("pagina");
  e.push_back("fin");
  ASSERT_EQ(ops.size(), e.size());
  for (std::size_t i = 0; i < e.size(); ++i) EXPECT_EQ(ops[i], e[i]) << i;
  EXPECT_EQ(control.estados,
            (std::vector<std::string>{
                "Imprimiendo el boleto nro. 4", "Imprimiendo el boleto nro. 8",
                "Imprimiendo el boleto nro. 12", "Imprimiendo el boleto nro. 14", ""}));
}

TEST(RelacionBoletos, PapelAnchoYPaginasJustas) {
  const Trabajo t(42);
  prueba::ControlPrueba control;
  // 21 boletos a page: 42 fill two pages, with no head after the last.
  auto ops = Operaciones(
      [&](DestinoPaginas& d) { ImpriRelacion(Opciones(1, 42, 42, 1), t.Abre(), d, control); });
  EXPECT_EQ(Cuenta(ops, "pagina"), 2);
  EXPECT_EQ(Cuenta(ops, "linea " + S(20) + "JORNADA"), 2);
  EXPECT_EQ(ops[ops.size() - 2], "pagina");
  EXPECT_EQ(ops.back(), "fin");
  const auto cabeza = std::find_if(ops.begin(), ops.end(), [](const std::string& o) {
    return o.find("JORNADA") != std::string::npos;
  });
  EXPECT_EQ(cabeza->substr(cabeza->size() - std::string("Página..: 1").size() - 64),
            S(64) + "Página..: 1");
  const auto grid = std::find_if(ops.begin(), ops.end(), [](const std::string& o) {
    return o.rfind("linea    15 -  ", 0) == 0;
  });
  EXPECT_EQ(grid->size(), std::string("linea    15 -  ").size() + 7 * 21);
  // From boleto 20: the first row holds 20 and 21 and stops at the end of the file.
  ops = Operaciones(
      [&](DestinoPaginas& d) { ImpriRelacion(Opciones(40, 42, 42, 1), t.Abre(), d, control); });
  EXPECT_EQ(Cuenta(ops, "linea " + S(10) + "Boleto    40"), 1);
  EXPECT_EQ(Cuenta(ops, "pagina"), 1);
  // Cancelled after the first row.
  prueba::ControlPrueba cancela;
  cancela.cancelarTras = 0;
  ops = Operaciones(
      [&](DestinoPaginas& d) { ImpriRelacion(Opciones(1, 42, 42, 0), t.Abre(), d, cancela); });
  EXPECT_EQ(Cuenta(ops, "linea " + S(10) + "Boleto"), 1);
  EXPECT_EQ(ops.back(), "fin");
}

}  // namespace
}  // namespace zendo
