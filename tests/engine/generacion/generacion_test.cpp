// The columns files the generation writes, byte by byte, and the record stored with them.

#include <gtest/gtest.h>

#include <random>

#include "apoyo/apoyo.h"
#include "engine/core/fichero.h"
#include "engine/core/indice.h"
#include "engine/core/texto.h"
#include "engine/generacion/apoyo_generacion.h"
#include "engine/reduction/cifras.h"
#include "engine/reduction/externo.h"
#include "tests/engine/reduction/base_aleatoria.h"

namespace zendo::prueba {
namespace {

std::vector<std::string> Columnas(const std::string& fichero) {
  std::vector<std::string> c;
  for (auto l : PartirLineas(fichero)) c.emplace_back(ColumnaDeLinea(l));
  return c;
}

std::string Red(const CarpetaTemporal& d, int jornada = 1, int orden = 1) {
  return LeeBytes(d / NombreReduccion(jornada, orden));
}

// The record fields that count columns: 24-31, 32-39, 347-354, 355-362, 363-370, 371-378.
struct Contadores {
  int64_t directas, reducidas, pleno1, plenoX, quiniela, externas;
  bool operator==(const Contadores&) const = default;
};
Contadores ContadoresDe(const std::string& reg) {
  return {CampoRegistro(reg, 24, 31),   CampoRegistro(reg, 32, 39),   CampoRegistro(reg, 347, 354),
          CampoRegistro(reg, 355, 362), CampoRegistro(reg, 363, 370), CampoRegistro(reg, 371, 378)};
}

// Each test reduces in a folder of its own.
class Generacion : public ::testing::Test {
 protected:
  Corrida Corre(Reduccion& r) {
    Corrida c = Reduce(d.ruta(), r);
    EXPECT_TRUE(c.res.completada) << c.res.mensaje;
    return c;
  }
  CarpetaTemporal d;
};

TEST_F(Generacion, UnDobleEnElPrimerPartidoDaDosColumnasConElUnoPrimero) {
  Reduccion r = BaseDe(kMetodoManual, {"1X"});
  const Corrida c = Corre(r);
  EXPECT_EQ(Red(d), "\"111111111111111\"\r\n\"X11111111111111\"\r\n");
  const std::string reg = Registro(d.ruta(), 1, 1);
  ASSERT_EQ(reg, ConstruyeRegistroBases(r));
  EXPECT_EQ(ContadoresDe(reg), (Contadores{2, 2, 2, 0, 2, 0}));
  EXPECT_EQ(reg.substr(39, 6), "110200");  // match 1: signs 1 and X, two signs, not reduced
}

TEST_F(Generacion, DirectoTomaLaColumnaIDeCadaFilaYDesarrollaEnteroLoQueNoCabe) {
  // Four triples take the table of nine columns; the fifth is developed in full.
  Reduccion r = BaseDe(kMetodoDirecto, {"1X2", "1X2", "1X2", "1X2", "1X2"}, "RRRRR");
  const Corrida c = Corre(r);
  const auto cols = Columnas(Red(d));
  ASSERT_EQ(cols.size(), 27u);
  EXPECT_EQ(cols[0].substr(0, 4), "1121");
  EXPECT_EQ(cols[1].substr(0, 4), "XXX1");
  // Each sign of the fifth triple carries the nine table columns, in the order 1, X, 2.
  for (std::size_t i = 0; i < cols.size(); ++i) {
    EXPECT_EQ(cols[i][4], "1X2"[i / 9]) << i;
    EXPECT_EQ(cols[i].substr(0, 4), cols[i % 9].substr(0, 4)) << i;
  }
  EXPECT_EQ(Red(d), Fichero(ColumnasFuerzaBruta(r, d.ruta())));
  EXPECT_EQ(ContadoresDe(Registro(d.ruta(), 1, 1)), (Contadores{243, 27, 0, 0, 0, 0}));
  EXPECT_EQ(c.res.columnas, c.numApuestas);
}

TEST_F(Generacion, DirectoConTablaDeDoblesYTriplesYMultiplesSinReducir) {
  // 3 triples and 3 doubles a reducir (table of 24 columns), a triple and a double left out.
  Reduccion r = BaseDe(
      kMetodoDirecto,
      {"1X2", "1X", "X2", "1X2", "12", "1X2", "1X2", "1X", "1", "1", "1", "1", "1", "1", "1X2"},
      "RRRRRR");
  const Corrida c = Corre(r);
  EXPECT_EQ(Red(d), Fichero(ColumnasFuerzaBruta(r, d.ruta())));
  EXPECT_EQ(c.res.columnas, 24 * 3 * 2 * 3);
  EXPECT_EQ(c.res.columnas, c.numApuestas);
}

TEST_F(Generacion, ColumnaProbableSinErroresSoloDaLaColumnaProbable) {
  Reduccion r = BaseDe(kMetodoColumnaProbable, {"1X2", "1X2", "X2", "1X2", "1", "12"}, "RRRR");
  const int16_t probable[] = {0, 2, 1, 3, 3};
  for (int m = 1; m <= 4; ++m) r.Partido[m].Probable = probable[m];
  const Corrida c = Corre(r);
  // Match 6 is a double not reduced: the probable column comes with each of its signs.
  EXPECT_EQ(Red(d), "\"X12211111111111\"\r\n\"X12212111111111\"\r\n");
}

TEST_F(Generacion, BalanceConTodoAl50_30_20YLimites20a50EscribeTodaLaBase) {
  Reduccion r = BaseDe(kMetodoBalanceSignos, std::vector<std::string>(14, "1X2"));
  for (int m = 1; m <= 14; ++m) r.Probabilidad[m] = {0, 50, 30, 20};
  r.MinPorcentaje = 20;
  r.MaxPorcentaje = 50;
  const Corrida c = Corre(r);
  EXPECT_EQ(c.res.columnas, 4782969);
  EXPECT_EQ(r.MinPorcentaje, 20);
  EXPECT_EQ(r.MaxPorcentaje, 50);
  const std::string balance = Red(d);
  // The same base developed without a filter gives the same bytes.
  CarpetaTemporal d5;
  Reduccion m = BaseDe(kMetodoManual, std::vector<std::string>(14, "1X2"));
  ASSERT_TRUE(Reduce(d5.ruta(), m).res.completada);
  EXPECT_TRUE(balance == Red(d5));
  const std::string reg = Registro(d.ruta(), 1, 1);
  EXPECT_EQ(CampoRegistro(reg, 10, 14), 2000);
  EXPECT_EQ(CampoRegistro(reg, 15, 19), 5000);
}

TEST_F(Generacion, SeleccionDeSignosCuentaSoloLosPartidosAReducir) {
  // Two triples a reducir, two triples and a fixed "1" that are not.
  Reduccion r = BaseDe(kMetodoSeleccionSignos, {"1X2", "1X2", "1X2", "1X2", "1"}, "RR");
  r.TotalSignos[1][2] = 1;  // exactly two "1" among the matches a reducir
  r.TotalSignos[2][0] = 1;
  r.TotalSignos[3][0] = 1;
  const Corrida c = Corre(r);
  const auto cols = Columnas(Red(d));
  ASSERT_EQ(cols.size(), 9u);
  for (const auto& col : cols) EXPECT_EQ(col.substr(0, 2), "11");
  EXPECT_EQ(cols[8].substr(0, 5), "11221");
  EXPECT_EQ(Red(d), Fichero(ColumnasFuerzaBruta(r, d.ruta())));
}

TEST_F(Generacion, LasExternasSeAgrupanPorElPartido15) {
  Reduccion r = BaseDe(
      kMetodoManual, {"1X", "1", "1", "1", "1", "1", "1", "1", "1", "1", "1", "1", "1", "1", "1X"});
  r.IncluyeExterno = 1;
  // Sign "2" in match 15 comes after every base column; a lower-case x is stored as X.
  EscribeBytes(d / NombreArchivoExterno(1, 1),
               "2222222222222x2\r\n\"22222222222222X\",\"a\"\r\n222222222222221,9\r\n"
               "22222222222222x\n");
  const Corrida c = Corre(r);
  EXPECT_EQ(Red(d),
            "\"111111111111111\"\r\n\"X11111111111111\"\r\n\"222222222222221\"\r\n"
            "\"11111111111111X\"\r\n\"X1111111111111X\"\r\n\"22222222222222X\"\r\n"
            "\"22222222222222X\"\r\n\"2222222222222X2\"\r\n");
  EXPECT_EQ(Red(d), Fichero(ColumnasFuerzaBruta(r, d.ruta())));
  EXPECT_EQ(ContadoresDe(Registro(d.ruta(), 1, 1)), (Contadores{8, 8, 3, 4, 4, 4}));
  EXPECT_EQ(r.NumApuestas, 8);
}

TEST_F(Generacion, SinExternasLaManualGuardaSusColumnasPorSignoDelPleno) {
  Reduccion r = BaseDe(kMetodoManual, {"1X2", "12", "1", "1", "1", "1", "1", "1", "1", "1", "1",
                                       "1", "1", "1", "X2"});
  Corre(r);
  const auto cols = Columnas(Red(d));
  ASSERT_EQ(cols.size(), 12u);
  EXPECT_EQ(cols[5][14], 'X');
  EXPECT_EQ(cols[6][14], '2');
  EXPECT_EQ(ContadoresDe(Registro(d.ruta(), 1, 1)), (Contadores{12, 12, 0, 6, 12, 0}));
}

TEST_F(Generacion, BaseIncompletaTomaSoloLasExternasYBorraLosSignos) {
  Reduccion r = BaseDe(kMetodoManual, {"1X2", "", "1"}, "R");
  r.IncluyeExterno = 1;
  EscribeBytes(d / NombreArchivoExterno(1, 1), "X11111111111112\r\n111111111111111\r\n");
  const Corrida c = Corre(r);
  EXPECT_TRUE(c.res.baseIncompleta);
  EXPECT_EQ(Red(d), "\"111111111111111\"\r\n\"X11111111111112\"\r\n");
  const std::string reg = Registro(d.ruta(), 1, 1);
  EXPECT_EQ(ContadoresDe(reg), (Contadores{2, 2, 1, 0, 0, 2}));
  for (int m = 1; m <= 15; ++m) EXPECT_EQ(reg.substr(6 * m + 33, 4), "0000") << m;
  EXPECT_EQ(r.Partido[1].NumSignos, 0);
  // Only the closing line of a run without base columns; nothing was "incorporated".
  EXPECT_EQ(c.Textos(), (std::vector<std::string>{
                            "REDUCIENDO APUESTAS", "        2 apuestas reducidas a 2      ",
                            Cp("Ha finalizado el proceso de reducción"),
                            Cp("Agrupando las columnas según el partido 15.")}));
}

TEST_F(Generacion, UnArchivoExternoQueYaNoEsValidoNoSeFusiona) {
  Reduccion r = BaseDe(kMetodoManual, {"1X"});
  r.IncluyeExterno = 1;
  const fs::path externo = d / NombreArchivoExterno(1, 1);
  EscribeBytes(externo, "111111111111111\r\n");
  const CargaExterno carga = CargaArchivoExterno(d.ruta(), r);
  ASSERT_TRUE(carga.externo.ExternoValido);
  // The file changes after the screen checked it: its second line is now too short.
  EscribeBytes(externo, "111111111111111\r\n11111\r\n");
  std::atomic<bool> cancelar{false};
  std::vector<std::string> textos;
  const ResultadoReduccion res = ReduceApuestas(
      d.ruta(), r, {2, 2, 2, 1}, [&](const AvisoProgreso& a) { textos.push_back(a.texto); },
      cancelar);
  ASSERT_TRUE(res.completada);
  EXPECT_EQ(Red(d), "\"111111111111111\"\r\n\"X11111111111111\"\r\n");
  EXPECT_EQ(ContadoresDe(Registro(d.ruta(), 1, 1)), (Contadores{2, 2, 2, 0, 2, 0}));
  EXPECT_EQ(textos[1], "        3 apuestas reducidas a 3      ");
  EXPECT_EQ(textos.back(), Cp("Agrupando las columnas según el partido 15."));
}

TEST_F(Generacion, TextosDelProgreso) {
  // 3888 combinations: every whole percentage once, in order, then the closing lines.
  Reduccion r = BaseDe(kMetodoManual, {"1X2", "1X2", "1X2", "X2", "1X", "12", "1X2", "1X2", "1",
                                       "1", "1", "1", "1", "1", "1X"});
  const Corrida c = Corre(r);
  ASSERT_GE(c.avisos.size(), 103u);
  EXPECT_EQ(c.avisos[0].linea, LineaProgreso::Titulo);
  EXPECT_EQ(c.avisos[1].texto, "     3888 apuestas reducidas a 3888   ");
  for (int p = 1; p <= 100; ++p) {
    const AvisoProgreso& a = c.avisos[static_cast<std::size_t>(p + 1)];
    EXPECT_EQ(a.porcentaje, p);
    EXPECT_EQ(a.texto, TextoPorcentajeReduccion(p));
  }
  EXPECT_EQ(TextoPorcentajeReduccion(7), Cp("Se ha realizado el   7 % de la reducción "));
  EXPECT_EQ(c.avisos[102].texto, Cp("Ha finalizado el proceso de reducción"));
  EXPECT_EQ(c.avisos.size(), 103u);

  // Fewer combinations than percentages: only the values the count reaches.
  CarpetaTemporal d3;
  Reduccion tres = BaseDe(kMetodoManual, {"1X2"});
  std::vector<int> vistos;
  Reduce(d3.ruta(), tres, [&](const AvisoProgreso& a, std::atomic<bool>&) {
    if (a.linea == LineaProgreso::Porcentaje) vistos.push_back(a.porcentaje);
  });
  EXPECT_EQ(vistos, (std::vector<int>{33, 66, 100}));
}

TEST_F(Generacion, TextosConExternas) {
  Reduccion r = BaseDe(kMetodoManual, {"1X"});
  r.IncluyeExterno = 1;
  EscribeBytes(d / NombreArchivoExterno(1, 1), "111111111111112\r\n");
  EXPECT_EQ(Corre(r).Textos(), (std::vector<std::string>{
                                   "REDUCIENDO APUESTAS", "        3 apuestas reducidas a 3      ",
                                   TextoPorcentajeReduccion(50), TextoPorcentajeReduccion(100),
                                   Cp("Ha finalizado la reducción de la Quiniela Base"),
                                   Cp("Agrupando las columnas según el partido 15."),
                                   "Se han incorporado las columnas externas"}));
}

// Random bases of every method against the column-by-column development.
class Aleatorias : public ::testing::TestWithParam<int> {};

TEST_P(Aleatorias, ElFicheroTieneLasColumnasQueAceptaElFiltroDirecto) {
  const int metodo = GetParam();
  std::mt19937 rng(1234u + static_cast<unsigned>(metodo));
  int parciales = 0;  // runs that wrote some columns of the base, not all
  for (int vuelta = 0; vuelta < 40; ++vuelta) {
    CarpetaTemporal d;
    Reduccion r = Aleatoria(rng, metodo, 9);
    if (metodo == kMetodoManual) {
      std::string externas;
      for (int i = 0; i < vuelta % 7; ++i) {
        std::string col;
        for (int m = 0; m < 15; ++m) col += "1Xx2"[rng() % 4];
        externas += (i % 2 ? "\"" + col + "\"" : col) + "\r\n";
      }
      if (!externas.empty()) EscribeBytes(d / NombreArchivoExterno(1, 1), externas);
    }
    const Corrida c = Reduce(d.ruta(), r);
    ASSERT_TRUE(c.res.completada) << c.res.mensaje;
    const std::string fichero = Red(d);
    const std::vector<std::string> esperadas = ColumnasFuerzaBruta(r, d.ruta());
    ASSERT_TRUE(fichero == Fichero(esperadas)) << "vuelta " << vuelta;
    const std::string reg = Registro(d.ruta(), 1, 1);
    EXPECT_EQ(CampoRegistro(reg, 32, 39), static_cast<int64_t>(esperadas.size()));
    EXPECT_EQ(c.res.columnas, static_cast<int64_t>(esperadas.size()));
    // The live figure counted the same columns.
    const int64_t figura = metodo == kMetodoManual
                               ? int64_t{c.cifras.ApuestasQuiniela} + c.cifras.ApuestasExternas
                               : c.numApuestas;
    EXPECT_EQ(figura, static_cast<int64_t>(esperadas.size())) << "vuelta " << vuelta;
    EXPECT_EQ(reg, ConstruyeRegistroBases(r));
    parciales +=
        !esperadas.empty() && static_cast<int64_t>(esperadas.size()) < c.cifras.ApuestasBase;
  }
  // The random criteria must really filter, or the comparison proves little.
  if (metodo != kMetodoManual) {
    EXPECT_GT(parciales, 5);
  }
}

INSTANTIATE_TEST_SUITE_P(Metodos, Aleatorias, ::testing::Values(1, 2, 3, 4, 5));

}  // namespace
}  // namespace zendo::prueba
