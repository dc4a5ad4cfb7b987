// The guarantee of stored reductions against a brute force, on real reductions of every
// method and on loose columns with signs outside the base.

#include "engine/consult/garantia.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "apoyo/apoyo.h"
#include "engine/core/indice.h"
#include "engine/core/texto.h"
#include "engine/reduction/cifras.h"
#include "engine/reduction/externo.h"
#include "engine/reduction/generacion.h"
#include "tests/engine/garantia/apoyo_garantia.h"
#include "tests/engine/garantia/fuerza_bruta.h"
#include "tests/engine/reduction/base_aleatoria.h"

namespace zendo::prueba {
namespace {

const std::atomic<bool> kNunca{false};

std::vector<std::string> Guardadas(const CarpetaTemporal& d, const Reduccion& r) {
  return LeeColumnasReduccion(d.ruta(), r.Jornada, r.Orden).columnas;
}

void Guarda(const CarpetaTemporal& d, const Reduccion& r, const std::vector<std::string>& cols) {
  std::string s;
  for (const auto& c : cols) s += LineaColumna(c);
  EscribeBytes(d / NombreReduccion(r.Jornada, r.Orden), s);
}

ResultadoGarantia Calcula(const CarpetaTemporal& d, const Reduccion& r) {
  return CalculaGarantia(d.ruta(), r, {}, kNunca);
}

void ComparaConFuerzaBruta(const Reduccion& r, const Garantia& g,
                           const std::vector<std::string>& columnas) {
  const GarantiaBruta b = GarantiaFuerzaBruta(r, columnas);
  EXPECT_EQ(g.ganadoras, b.ganadoras);
  EXPECT_EQ(g.columnas, static_cast<int64_t>(columnas.size()));
  EXPECT_EQ(g.mejor, b.mejor);
  EXPECT_EQ(g.garantia, b.garantia);
  EXPECT_EQ(g.aciertos, b.aciertos);
  EXPECT_EQ(g.ponderada, r.Metodo == kMetodoBalanceSignos);
  if (!g.ponderada) return;
  long double alMenos = 0;
  for (int k = 14; k >= 0; --k) {
    alMenos += b.probabilidad[k];
    EXPECT_NEAR(g.probabilidad[k], static_cast<double>(b.probabilidad[k]), 1e-12) << k;
    EXPECT_LE(std::fabs(static_cast<long double>(g.millonesimas[k]) - b.probabilidad[k] * 1e6L),
              0.5L + 1e-6L)
        << k;
    EXPECT_LE(std::fabs(static_cast<long double>(g.millonesimasAlMenos[k]) - alMenos * 1e6L),
              0.5L + 1e-6L)
        << k;
  }
}

// A random external file for a manual reduction: valid columns with any signs, now and then
// a faulty line (then none of it is taken).
void EscribeExterno(const CarpetaTemporal& d, std::mt19937& gen) {
  std::uniform_int_distribution<int> u(0, 99);
  std::string s;
  const int lineas = u(gen) % 12;
  for (int i = 0; i < lineas; ++i) {
    std::string c;
    for (int m = 0; m < 15; ++m) c += "1X2"[u(gen) % 3];
    if (u(gen) == 0) c.pop_back();
    s += u(gen) < 50 ? "\"" + c + "\"\r\n" : c + "\r\n";
  }
  EscribeBytes(d / NombreArchivoExterno(1, 1), s);
}

TEST(Garantia, CoincideConLaFuerzaBrutaEnReduccionesDeCadaMetodo) {
  std::mt19937 gen(2024);
  int comparadas = 0, vacias = 0, conFuera = 0;
  for (int metodo = 1; metodo <= 5; ++metodo) {
    for (int caso = 0; caso < 80; ++caso) {
      SCOPED_TRACE("método " + std::to_string(metodo) + ", caso " + std::to_string(caso));
      CarpetaTemporal d;
      Reduccion r = Aleatoria(gen, metodo, 6);
      if (metodo == kMetodoManual) EscribeExterno(d, gen);
      if (!Reduce(d.ruta(), r)) continue;
      std::vector<std::string> cols = Guardadas(d, r);
      // Columns deleted as the consultation would: some, or now and then all of them.
      if (!cols.empty() && caso % 3 == 0) {
        std::shuffle(cols.begin(), cols.end(), gen);
        cols.resize(caso % 9 == 0 ? 0 : gen() % cols.size());
        Guarda(d, r, cols);
      }
      const ResultadoGarantia res = Calcula(d, r);
      ASSERT_EQ(res.estado, EstadoGarantia::Calculada) << res.mensaje;
      ComparaConFuerzaBruta(r, res.garantia, cols);
      ++comparadas;
      vacias += cols.empty();
      for (const auto& c : cols) {
        for (int m = 1; m <= 14; ++m) {
          conFuera += !r.Partido[m].Signo[c[m - 1] == '1' ? 1 : c[m - 1] == 'X' ? 2 : 3];
        }
      }
    }
  }
  // The cases must have covered what they are for.
  EXPECT_GT(comparadas, 300);
  EXPECT_GT(vacias, 5);
  EXPECT_GT(conFuera, 20);
}

TEST(Garantia, CoincideConLaFuerzaBrutaEnColumnasSueltasFueraDeLaBase) {
  // Any columns over any base, percentages damaged now and then: the axes with signs outside
  // the base, duplicates and weights normalised over the base signs.
  std::mt19937 gen(7);
  std::uniform_int_distribution<int> u(0, 99);
  for (int caso = 0; caso < 200; ++caso) {
    SCOPED_TRACE("caso " + std::to_string(caso));
    CarpetaTemporal d;
    Reduccion r = ReduccionNueva(1, 1, caso % 2 ? kMetodoBalanceSignos : kMetodoManual);
    int64_t ganadoras = 1;
    for (int m = 1; m <= 15; ++m) {
      auto& p = r.Partido[m];
      p.Signo = {0, 0, 0, 0};
      const int n = ganadoras < 200 ? 1 + u(gen) % 3 : 1;
      while (p.Signo[1] + p.Signo[2] + p.Signo[3] < n) p.Signo[1 + u(gen) % 3] = 1;
      p.NumSignos = static_cast<int16_t>(n);
      if (m <= 14) ganadoras *= n;
      for (int s = 1; s <= 3; ++s) r.Probabilidad[m][s] = static_cast<int16_t>(u(gen) % 4 * 20);
    }
    std::vector<std::string> cols;
    const int n = u(gen) % 40;
    for (int i = 0; i < n; ++i) {
      std::string c;
      for (int m = 0; m < 15; ++m) c += "1X2"[u(gen) % 3];
      cols.push_back(c);
      if (u(gen) < 10) cols.push_back(c);
    }
    Guarda(d, r, cols);
    const ResultadoGarantia res = Calcula(d, r);
    ASSERT_EQ(res.estado, EstadoGarantia::Calculada) << res.mensaje;
    ComparaConFuerzaBruta(r, res.garantia, cols);
  }
}

TEST(Garantia, ResultadosConocidosDeCobertura) {
  CarpetaTemporal d;
  // The 9-column table over 4 triples covers every result with 13 hits.
  Reduccion directo = Base(kMetodoDirecto, 4);
  ASSERT_TRUE(Reduce(d.ruta(), directo));
  ResultadoGarantia res = Calcula(d, directo);
  ASSERT_EQ(res.estado, EstadoGarantia::Calculada);
  EXPECT_EQ(res.garantia.ganadoras, 81);
  EXPECT_EQ(res.garantia.garantia, 13);
  EXPECT_EQ(res.garantia.mejor[14], 9);
  EXPECT_EQ(res.garantia.mejor[13], 72);

  // The full development hits every result with 14, whatever match 15 holds.
  Reduccion completo = Base(kMetodoManual, 6, {"1X", "X2", "2"});
  completo.Partido[15].Signo = {0, 1, 1, 1};
  completo.Partido[15].NumSignos = 3;
  ASSERT_TRUE(Reduce(d.ruta(), completo));
  res = Calcula(d, completo);
  EXPECT_EQ(res.garantia.columnas, 729 * 4 * 3);
  EXPECT_EQ(res.garantia.ganadoras, 729 * 4);
  EXPECT_EQ(res.garantia.garantia, 14);
  EXPECT_EQ(res.garantia.mejor[14], 729 * 4);
  // Each of the 3 copies of each winning column hits it 14 times; pairs add to N x columns.
  EXPECT_EQ(res.garantia.aciertos[14], 729 * 4 * 3);
  int64_t pares = 0;
  for (int64_t s : res.garantia.aciertos) pares += s;
  EXPECT_EQ(pares, int64_t{729} * 4 * 729 * 4 * 3);
}

TEST(Garantia, UnaReduccionSinColumnasNoTieneGarantia) {
  CarpetaTemporal d;
  const Reduccion r = Base(kMetodoManual, 3);
  for (const char* contenido : {"", "\r\n  \r\n\"\"\r\n"}) {
    EscribeBytes(d / "RED0101.TVX", contenido);
    const ResultadoGarantia res = Calcula(d, r);
    ASSERT_EQ(res.estado, EstadoGarantia::Calculada);
    EXPECT_EQ(res.garantia.ganadoras, 27);
    EXPECT_EQ(res.garantia.columnas, 0);
    EXPECT_EQ(res.garantia.garantia, -1);
    EXPECT_EQ(res.garantia.mejor, (std::array<int64_t, 15>{}));
    EXPECT_EQ(res.garantia.aciertos, (std::array<int64_t, 15>{}));
  }
}

TEST(Garantia, LaProbabilidadPonderadaSeRedondeaExactamente) {
  // Matches 1 to 4 doubles; the results that the two columns hit 14 times weigh
  // 0.5 x 0.01^3 = 0.0000005 exactly, which a floating sum may put on either side of the half.
  CarpetaTemporal d;
  Reduccion r = Base(kMetodoBalanceSignos, 0, {"1X", "1X", "1X", "1X", "1X"});
  r.Probabilidad[1] = {0, 50, 50, 0};
  for (int m = 2; m <= 4; ++m) r.Probabilidad[m] = {0, 1, 99, 0};
  // A damaged match whose base signs carry no percentage counts them as equally likely.
  r.Probabilidad[5] = {0, 0, 0, 100};
  Guarda(d, r, {"111111111111111", "1111X1111111111"});
  const Garantia g = Calcula(d, r).garantia;
  ASSERT_TRUE(g.ponderada);
  EXPECT_EQ(g.ganadoras, 32);
  EXPECT_EQ(g.mejor[14], 2);
  EXPECT_EQ(g.millonesimas[14], 1);
  EXPECT_EQ(g.millonesimas[13], 149);         // 0.0000005 + 3 x 0.5 x 0.99 x 0.01^2
  EXPECT_EQ(g.millonesimas[10], 485150);      // 0.5 x 0.99^3 = 0.4851495, half up again
  EXPECT_EQ(g.millonesimasAlMenos[13], 150);  // 0.0001495, not the sum of the rounded shares
  EXPECT_EQ(g.millonesimasAlMenos[10], 1000000);
}

TEST(Garantia, SeCancelaAlLeerYAlTransformar) {
  CarpetaTemporal d;
  Reduccion r = Base(kMetodoManual, 11);
  ASSERT_TRUE(Reduce(d.ruta(), r));  // 177,147 lines: the flag is read while reading
  std::atomic<bool> cancelar{false};
  std::vector<int> avisos;
  ResultadoGarantia res = CalculaGarantia(
      d.ruta(), r,
      [&](int p) {
        avisos.push_back(p);
        cancelar = true;
      },
      cancelar);
  EXPECT_EQ(res.estado, EstadoGarantia::Cancelada);
  EXPECT_LT(avisos.back(), 80);

  // A flag already set stops a small run in its transform.
  Reduccion pequena = Base(kMetodoManual, 3, {}, 2);
  ASSERT_TRUE(Reduce(d.ruta(), pequena));
  res = CalculaGarantia(d.ruta(), pequena, {}, cancelar);
  EXPECT_EQ(res.estado, EstadoGarantia::Cancelada);

  // Uncancelled, the progress climbs to 100.
  cancelar = false;
  avisos.clear();
  res = CalculaGarantia(
      d.ruta(), r, [&](int p) { avisos.push_back(p); }, cancelar);
  ASSERT_EQ(res.estado, EstadoGarantia::Calculada);
  EXPECT_TRUE(std::is_sorted(avisos.begin(), avisos.end()));
  EXPECT_EQ(avisos.back(), 100);
  EXPECT_EQ(res.garantia.garantia, 14);
}

TEST(Garantia, UnFicheroQueFaltaOEstaDanadoSeNombraConSuFallo) {
  CarpetaTemporal d;
  const Reduccion r = Base(kMetodoManual, 2);
  ResultadoGarantia res = Calcula(d, r);
  EXPECT_EQ(res.estado, EstadoGarantia::Fallo);
  EXPECT_EQ(res.error, 53);
  EXPECT_EQ(res.mensaje, Cp("No se encuentra el fichero RED0101.TVX de la reducción."));

  EscribeBytes(d / "RED0101.TVX", "\"111111111111111\"\r\n\r\n\"11X2\"\r\n");
  res = Calcula(d, r);
  EXPECT_EQ(res.estado, EstadoGarantia::Fallo);
  EXPECT_EQ(res.mensaje, Cp("El fichero RED0101.TVX está dañado: la línea 3 no es una columna."));

  EscribeBytes(d / "RED0101.TVX", "\"1111111111111A1\"\r\n");
  EXPECT_EQ(Calcula(d, r).estado, EstadoGarantia::Fallo);

  // Lines the way other tools write them (no quotes, a lower-case x, no 15th sign) are read.
  EscribeBytes(d / "RED0101.TVX", "x1111111111111\n21111111111111,extra");
  res = Calcula(d, r);
  ASSERT_EQ(res.estado, EstadoGarantia::Calculada) << res.mensaje;
  EXPECT_EQ(res.garantia.mejor[14], 2);
  EXPECT_EQ(res.garantia.mejor[13], 5);
  EXPECT_EQ(res.garantia.mejor[12], 2);

  std::filesystem::remove(d / "RED0101.TVX");
  std::filesystem::create_directory(d / "RED0101.TVX");
  res = Calcula(d, r);
  EXPECT_EQ(res.estado, EstadoGarantia::Fallo);
  EXPECT_EQ(res.mensaje, "RED ERROR 75");
}

}  // namespace
}  // namespace zendo::prueba
