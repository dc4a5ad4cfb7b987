// The line reader of the large columns files gives the same lines as splitting the whole
// text, whatever mix of line shapes and wherever the buffer boundaries fall.

#include "engine/core/lector_lineas.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "apoyo/apoyo.h"
#include "engine/core/fichero.h"

namespace zendo {
namespace {

TEST(LectorLineas, DaLasMismasLineasQuePartirElTexto) {
  prueba::CarpetaTemporal d;
  std::mt19937 azar(7);
  const std::vector<std::string> formas = {
      "\"1X21X21X21X21X2\"\r\n",   // the usual line of a columns file
      "\"1X2\nX21X21X21X2\"\r\n",  // the same length with a line feed inside
      "\"1X21X21X21X21X2\"\n",
      "\r\n",
      "\n",
      "1X21X21X21X21X2\r\n",
      "\"1X21X21X21X21X21\"\r\n",
      std::string(5000, 'X') + "\r\n",  // longer than the whole buffer
  };
  std::string texto;
  for (int i = 0; i < 20000; ++i) texto += formas[azar() % formas.size()];
  texto += "\"111\"";  // the last line without its end
  prueba::EscribeBytes(d / "RED0101.TVX", texto);

  for (const std::size_t bloque : {std::size_t{4096}, std::size_t{1} << 20}) {
    LectorLineas lector(d / "RED0101.TVX", bloque);
    ASSERT_EQ(lector.error(), 0);
    const auto esperadas = PartirLineas(texto);
    std::string_view linea;
    std::size_t n = 0;
    while (lector.Siguiente(linea)) {
      ASSERT_LT(n, esperadas.size());
      ASSERT_EQ(linea, esperadas[n]) << "línea " << n << ", bloque " << bloque;
      ++n;
    }
    EXPECT_EQ(n, esperadas.size());
    EXPECT_EQ(lector.consumidos(), texto.size());
    EXPECT_EQ(lector.error(), 0);
  }
}

// The last line may stop between its CR and its LF: the CR is no part of the line.
TEST(LectorLineas, UnaUltimaLineaCortadaTrasElCr) {
  prueba::CarpetaTemporal d;
  for (const std::string texto : {"a\r", "a\r\nb\r", "\r", "a\r\r"}) {
    prueba::EscribeBytes(d / "RED0101.TVX", texto);
    LectorLineas lector(d / "RED0101.TVX");
    std::vector<std::string> leidas;
    std::string_view linea;
    while (lector.Siguiente(linea)) leidas.emplace_back(linea);
    const auto partidas = PartirLineas(texto);
    EXPECT_EQ(leidas, std::vector<std::string>(partidas.begin(), partidas.end()))
        << testing::PrintToString(texto);
  }
  EXPECT_EQ(PartirLineas("a\r\r"), (std::vector<std::string_view>{"a\r"}));
}

}  // namespace
}  // namespace zendo
