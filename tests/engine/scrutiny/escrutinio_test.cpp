// The counting of a scrutiny: the categories and the double count of a 15, the amounts in
// cents, the lines of both lists character for character, the boleto numbers across the
// groups of match 15, random reductions against an independent count, and the columns file
// missing, unreadable, huge or cancelled.

#include "engine/scrutiny/escrutinio.h"

#include <gtest/gtest.h>

#include <random>

#include "apoyo/apoyo.h"
#include "engine/core/indice.h"
#include "referencia.h"

namespace zendo {
namespace {

using prueba::CarpetaTemporal;

const std::string kGanadora = "1X21X21X21X21X2";

// The winning column with the signs of `partidos` (1-based) changed.
std::string Cambia(std::string c, std::initializer_list<int> partidos) {
  for (const int m : partidos) {
    char& s = c[static_cast<std::size_t>(m - 1)];
    s = s == '1' ? 'X' : '1';
  }
  return c;
}

Reduccion Directa(int signosPleno, int32_t columnas) {
  Reduccion r = ReduccionNueva(3, 2, kMetodoDirecto);
  r.Partido[15].NumSignos = static_cast<int16_t>(signosPleno);
  r.NumApuestas = columnas;
  return r;
}

std::string Fichero(const std::vector<std::string>& columnas) {
  std::string s;
  for (const auto& c : columnas) s += LineaColumna(c);
  return s;
}

PremiosCentimos Premios(std::initializer_list<Centimos> c) {
  PremiosCentimos p{};
  std::size_t k = 1;
  for (const Centimos v : c) p[k++] = v;
  return p;
}

class Escrutinio : public ::testing::Test {
 protected:
  ResultadoEscrutinio Cuenta(const Reduccion& r, const std::string& contenido,
                             const PremiosCentimos& premios = {},
                             const std::string& ganadora = kGanadora) {
    prueba::EscribeBytes(dir_ / NombreReduccion(r.Jornada, r.Orden), contenido);
    return Escruta(dir_.ruta(), r, ganadora, premios, {}, cancelar_);
  }
  // Lis_Aciertos, Lis_Boletos and the count, against the independent count.
  void ComoReferencia(const Reduccion& r, const std::string& contenido, const std::string& ganadora,
                      const PremiosCentimos& premios) {
    const ResultadoEscrutinio res = Cuenta(r, contenido, premios, ganadora);
    ASSERT_TRUE(res.completo);
    const prueba::Referencia ref = prueba::EscrutinioReferencia(r, contenido, ganadora, premios);
    ASSERT_EQ(LineasAciertos(res), ref.aciertos);
    std::vector<std::string> boletos;
    for (std::size_t i = 0; i < res.boletos.size(); ++i)
      boletos.push_back(LineaBoleto(res.boletos[i]));
    ASSERT_EQ(boletos, ref.boletos);
    ASSERT_EQ(res.columnas, ref.columnas);
  }

  CarpetaTemporal dir_;
  std::atomic<bool> cancelar_{false};
};

TEST_F(Escrutinio, CategoriasDeUnQuinceUnCatorceYUnTrece) {
  const Reduccion r = Directa(1, 4);
  const std::string catorceFallaPleno = Cambia(kGanadora, {15});
  const std::string treceAciertaPleno = Cambia(kGanadora, {3});
  const ResultadoEscrutinio res = Cuenta(r,
                                         Fichero({kGanadora, catorceFallaPleno, treceAciertaPleno,
                                                  Cambia(kGanadora, {1, 2, 3, 4, 5, 6})}),
                                         Premios({100000, 2000, 300, 0, 0, 0}));
  ASSERT_TRUE(res.completo);
  EXPECT_EQ(res.AciertosTotal[15], 1);
  EXPECT_EQ(res.AciertosTotal[14], 2);  // the 15 is a 14 as well
  EXPECT_EQ(res.AciertosTotal[13], 1);
  EXPECT_EQ(res.AciertosTotal[8], 1);
  EXPECT_EQ(res.Total(), 100000 + 2 * 2000 + 300);
  // On the boleto the 15 counts only once.
  ASSERT_EQ(res.boletos.size(), 1U);
  EXPECT_EQ(LineaBoleto(res.boletos[0]), "     1    1  1  1         ");
  const auto l = LineasAciertos(res);
  ASSERT_EQ(l.size(), 17U);
  EXPECT_EQ(l[0], " Suma total:    1043.00");
  EXPECT_EQ(l[1], "  15      1     1000.00");
  EXPECT_EQ(l[2], "  14      2       40.00");
  EXPECT_EQ(l[3], "  13      1        3.00");
  EXPECT_EQ(l[4], "  12      0  ");  // no columns: no amount
  EXPECT_EQ(l[8], "   8      1  ");  // below 10 hits: never an amount
  EXPECT_EQ(l[16], "   0      0  ");
}

TEST_F(Escrutinio, ImportesEnCentimosExactos) {
  // 1234.50 for 14 hits and three columns of 14: 3703.50, right-aligned in 11.
  const Reduccion r = Directa(1, 3);
  const std::string catorce = Cambia(kGanadora, {15});
  ResultadoEscrutinio res = Cuenta(r, Fichero({catorce, catorce, catorce}),
                                   CentimosDePremios({"", "", "1234.5", "", "", "", ""}));
  EXPECT_EQ(LineasAciertos(res)[2], "  14      3     3703.50");
  EXPECT_EQ(LineasAciertos(res)[0], " Suma total:    3703.50");
  // Amounts whose binary sum drifts (0.10 + 0.20 ...) still add up to the cent.
  std::vector<std::string> muchas(1000, Cambia(kGanadora, {1, 2, 3, 4}));
  muchas.resize(1700, Cambia(kGanadora, {1, 2, 3, 4, 5}));
  res = Cuenta(Directa(1, 1700), Fichero(muchas), Premios({0, 0, 0, 0, 10, 20}));
  EXPECT_EQ(LineasAciertos(res)[0], " Suma total:     200.00");
  EXPECT_EQ(LineasAciertos(res)[6], "  10   1000      200.00");
  // A figure wider than its field is written whole.
  res = Cuenta(Directa(1, 3), Fichero({kGanadora, kGanadora, kGanadora}),
               Premios({9999999999, 0, 0, 0, 0, 0}));
  EXPECT_EQ(LineasAciertos(res)[1], "  15      3 299999999.97");
}

TEST_F(Escrutinio, BoletosDeLosGruposDelPlenoMetodoDirecto) {
  // 24 columns, two signs in match 15: groups of 12 on boletos 1-2 and 3-4.
  std::vector<std::string> c(24, Cambia(kGanadora, {1, 2, 3, 4, 5, 6, 7}));
  c[11] = Cambia(kGanadora, {15});  // column 12: boleto 2
  c[12] = kGanadora;                // column 13: boleto 3, the second group starts anew
  c[13] = Cambia(kGanadora, {1, 2, 3, 4});
  c[23] = Cambia(kGanadora, {1, 2});  // column 24: boleto 4
  const ResultadoEscrutinio res = Cuenta(Directa(2, 24), Fichero(c));
  std::vector<std::string> lineas;
  for (std::size_t i = 0; i < res.boletos.size(); ++i)
    lineas.push_back(LineaBoleto(res.boletos[i]));
  EXPECT_EQ(lineas,
            (std::vector<std::string>{"     2       1            ", "     3    1              1",
                                      "     4             1      "}));
}

TEST_F(Escrutinio, BoletosDeUnaReduccionManualConTresSignosEnElPleno) {
  Reduccion r = ReduccionNueva(3, 2, kMetodoManual);
  r.Partido[15].NumSignos = 3;
  r.NumApuestas = 30;
  r.ColumnasPleno1 = 10;
  r.ColumnasPlenoX = 8;
  std::vector<std::string> c(30, Cambia(kGanadora, {1, 2, 3, 4, 5, 6, 7, 8}));
  c[9] = kGanadora;                      // column 10: boleto 2
  c[10] = Cambia(kGanadora, {1});        // column 11: boleto 3 (after 6 blank places)
  c[18] = Cambia(kGanadora, {1, 2});     // column 19: boleto 4
  c[29] = Cambia(kGanadora, {1, 2, 3});  // column 30: boleto 5
  const ResultadoEscrutinio res = Cuenta(r, Fichero(c));
  ASSERT_EQ(res.boletos.size(), 4U);
  EXPECT_EQ(res.boletos[0].boleto, 2);
  EXPECT_EQ(res.boletos[1].boleto, 3);
  EXPECT_EQ(res.boletos[2].boleto, 4);
  EXPECT_EQ(res.boletos[3].boleto, 5);
  EXPECT_EQ(LineaBoleto(res.boletos[3]), "     5                1   ");
  ComoReferencia(r, Fichero(c), kGanadora, {});
}

TEST_F(Escrutinio, ReduccionesAleatoriasComoLaCuentaIndependiente) {
  std::mt19937 gen(20240611);
  const auto u = [&gen](int a, int b) { return std::uniform_int_distribution<int>(a, b)(gen); };
  for (int caso = 0; caso < 300; ++caso) {
    Reduccion r = ReduccionNueva(static_cast<int16_t>(u(1, 99)), static_cast<int16_t>(u(1, 99)),
                                 static_cast<int16_t>(u(1, 5)));
    std::string ganadora;
    for (int m = 0; m < 15; ++m) ganadora += "1X2"[u(0, 2)];
    const int lineas = u(0, 260);
    // Columns close to the winning one, so that every category turns up.
    const int fallos = u(0, 6);
    std::string contenido;
    std::array<int32_t, 4> porPleno{};
    for (int i = 0; i < lineas; ++i) {
      std::string c = ganadora;
      for (int m = 0; m < 15; ++m) {
        if (u(0, 14) < fallos) c[m] = "1X2"[u(0, 2)];
      }
      c[14] = "1X2"[std::min(2, i * 3 / std::max(1, lineas))];  // grouped by match 15
      ++porPleno[c[14] == '1' ? 1 : c[14] == 'X' ? 2 : 3];
      switch (u(0, 40)) {  // now and then a line in another form
        case 0:
          contenido += "\r\n";
          break;  // blank
        case 1:
          contenido += c + "\r\n";
          break;  // no quotes
        case 2:
          contenido += "  \"" + c + "\"\n";
          break;  // LF, blanks first
        case 3:
          contenido += "\"" + c.substr(0, u(0, 14)) + "\"\r\n";
          break;  // short
        case 4:
          contenido += "\"" + c.substr(0, 7) + "\"" + c.substr(8) + "\"\r\n";
          break;
        case 5:
          contenido += "\"" + c + "X\"\r\n";
          break;  // one sign too many
        case 6:
          contenido += "\"               \"\r\n";
          break;
        case 7:
          contenido += c + ",resto\r\n";
          break;
        default:
          contenido += LineaColumna(c);
          break;
      }
    }
    if (u(0, 3) == 0 && !contenido.empty()) contenido.resize(contenido.size() - u(1, 2));  // no end
    r.NumApuestas = u(0, 4) == 0 ? u(0, 300) : lineas;
    r.Partido[15].NumSignos = static_cast<int16_t>(u(0, 3));
    r.ColumnasPleno1 = u(0, 4) == 0 ? u(-3, 40) : porPleno[1];
    r.ColumnasPlenoX = u(0, 4) == 0 ? u(-3, 40) : porPleno[2];
    PremiosCentimos premios{};
    for (std::size_t k = 1; k <= 6; ++k) premios[k] = u(0, 3) == 0 ? 0 : u(1, 50000000);
    SCOPED_TRACE("caso " + std::to_string(caso));
    ComoReferencia(r, contenido, ganadora, premios);
  }
}

TEST_F(Escrutinio, FicherosGrandesCruzanLosBloques) {
  // Far beyond one read block, with lines of every form at the block edges, and a line
  // longer than a block that must neither be kept whole nor break the count.
  std::mt19937 gen(7);
  std::string contenido;
  Reduccion r = ReduccionNueva(3, 2, kMetodoManual);
  int n = 0;
  while (contenido.size() < 3'300'000) {
    std::string c = kGanadora;
    for (int m = 0; m < 15; ++m) {
      if (gen() % 6 == 0) c[m] = "1X2"[gen() % 3];
    }
    contenido += gen() % 97 == 0 ? c + "\n" : LineaColumna(c);
    ++n;
    if (n == 60000) contenido += "\"" + kGanadora + "\"" + std::string(1'500'000, 'z') + "\r\n";
  }
  r.NumApuestas = n;
  ComoReferencia(r, contenido, kGanadora, Premios({5, 4, 3, 2, 1, 1}));
}

TEST_F(Escrutinio, FicheroQueFaltaOIlegible) {
  const Reduccion r = Directa(1, 1);
  ResultadoEscrutinio res = Escruta(dir_.ruta(), r, kGanadora, {}, {}, cancelar_);
  EXPECT_FALSE(res.completo);
  EXPECT_EQ(res.fallo.error, 53);
  EXPECT_EQ(LineaFallo(res.fallo), "ESC ERROR 53: fichero no encontrado al leer RED0302.TVX");
  EXPECT_EQ(MensajeFallo(res.fallo), "ESC ERROR 53\r\nFichero no encontrado al leer RED0302.TVX.");
  EXPECT_TRUE(res.boletos.empty());
  // A folder in its place, or a device that never ends.
  std::filesystem::create_directory(dir_ / "RED0302.TVX");
  res = Escruta(dir_.ruta(), r, kGanadora, {}, {}, cancelar_);
  EXPECT_EQ(res.fallo.error, 75);
  std::filesystem::remove(dir_ / "RED0302.TVX");
  std::filesystem::create_symlink("/dev/zero", dir_ / "RED0302.TVX");
  res = Escruta(dir_.ruta(), r, kGanadora, {}, {}, cancelar_);
  EXPECT_EQ(res.fallo.error, 57);
  EXPECT_FALSE(res.completo);
}

TEST_F(Escrutinio, CancelarDejaLasListasVacias) {
  std::string contenido;
  for (int i = 0; i < 200000; ++i) contenido += LineaColumna(kGanadora);
  prueba::EscribeBytes(dir_ / "RED0302.TVX", contenido);
  int avisos = 0;
  uint64_t ultimo = 0;
  const ResultadoEscrutinio res = Escruta(
      dir_.ruta(), Directa(1, 200000), kGanadora, Premios({1, 1, 1, 1, 1, 1}),
      [&](uint64_t leidos, uint64_t total) {
        EXPECT_EQ(total, contenido.size());
        EXPECT_GE(leidos, ultimo);
        ultimo = leidos;
        if (++avisos == 2) cancelar_ = true;
      },
      cancelar_);
  EXPECT_EQ(avisos, 2);
  EXPECT_TRUE(res.cancelado);
  EXPECT_FALSE(res.completo);
  EXPECT_TRUE(res.boletos.empty());
  EXPECT_EQ(res.Total(), 0);
  EXPECT_EQ(res.AciertosTotal, (std::array<int64_t, 16>{}));
}

TEST(ListaBoletos, GuardaEnPocoSitioSinPerderCuentasGrandes) {
  ListaBoletos l;
  BoletoPremiado a;
  a.boleto = 7;
  a.aciertos = {0, 1, 0, 2, 0, 0, 8};
  BoletoPremiado b;  // boleto 0 of a corrupt index: every column on it
  b.aciertos = {0, 0, 0, 0, 300, 0, 70000};
  l.Anade(a);
  l.Anade(b);
  l.Anade(a);
  ASSERT_EQ(l.size(), 3U);
  EXPECT_EQ(l[0], a);
  EXPECT_EQ(l[1], b);
  EXPECT_EQ(l[2], a);
  EXPECT_EQ(LineaBoleto(b), "     0             300     70000");
}

}  // namespace
}  // namespace zendo
