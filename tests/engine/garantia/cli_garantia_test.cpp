// zendo-cli garantia: the JSON of known reductions and the refusals.

#include <gtest/gtest.h>

#include "apoyo/apoyo.h"
#include "tests/engine/garantia/apoyo_garantia.h"

namespace zendo::prueba {
namespace {

int Garantia(const CarpetaTemporal& d, const std::string& args, std::string* salida) {
  salida->clear();
  return Ejecuta(std::string(ZENDO_CLI_PATH) + " garantia --datos '" + d.ruta().string() + "' " +
                     args + " 2>&1",
                 salida);
}

TEST(CliGarantia, ImprimeElObjetoDeCadaReduccion) {
  CarpetaTemporal d;
  Reduccion directo = Base(kMetodoDirecto, 4);
  ASSERT_TRUE(Reduce(d.ruta(), directo));
  // Method 4: match 1 at 60 / 40, only the column of sign 1 is kept.
  Reduccion balance = Base(kMetodoBalanceSignos, 0, {}, 2);
  balance.Probabilidad[1] = {0, 60, 40, 0};
  balance.MinPorcentaje = 97;
  balance.MaxPorcentaje = 100;
  ASSERT_TRUE(Reduce(d.ruta(), balance));
  // Every column deleted.
  Reduccion vacia = Base(kMetodoManual, 2, {}, 3);
  ASSERT_TRUE(Reduce(d.ruta(), vacia));
  EscribeBytes(d / "RED0103.TVX", "");

  std::string s;
  ASSERT_EQ(Garantia(d, "--jornada 1 --orden 1", &s), 0) << s;
  EXPECT_EQ(s,
            "{\"ganadoras\": 81, \"mejor\": [0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 72, 9], "
            "\"garantia\": 13, \"aciertos\": [0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 144, 288, 216, 72, "
            "9]}\n");
  ASSERT_EQ(Garantia(d, "--jornada 1 --orden 2", &s), 0) << s;
  EXPECT_EQ(s,
            "{\"ganadoras\": 2, \"mejor\": [0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1], "
            "\"garantia\": 13, \"aciertos\": [0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1], "
            "\"probabilidad\": [0.000000, 0.000000, 0.000000, 0.000000, 0.000000, 0.000000, "
            "0.000000, 0.000000, 0.000000, 0.000000, 0.000000, 0.000000, 0.000000, 0.400000, "
            "0.600000]}\n");
  ASSERT_EQ(Garantia(d, "--jornada 1 --orden 3", &s), 0) << s;
  EXPECT_EQ(s,
            "{\"ganadoras\": 9, \"mejor\": [0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0], "
            "\"garantia\": null, \"aciertos\": [0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0]}\n");
}

TEST(CliGarantia, RehusaSinReduccionOSinColumnasSinCrearNada) {
  CarpetaTemporal d;
  std::string s;
  EXPECT_EQ(Garantia(d, "--jornada 1 --orden 1", &s), 1);
  EXPECT_EQ(s, "No se encuentra el fichero BASES.TVX.\n");
  EXPECT_FALSE(std::filesystem::exists(d / "BASES.TVX"));

  Reduccion r = Base(kMetodoManual, 2);
  ASSERT_TRUE(Reduce(d.ruta(), r));
  EXPECT_EQ(Garantia(d, "--jornada 1 --orden 4", &s), 1);
  EXPECT_EQ(s, "No hay ninguna reducción guardada con la jornada 1 y el orden 4.\n");
  std::filesystem::remove(d / "RED0101.TVX");
  EXPECT_EQ(Garantia(d, "--jornada 1 --orden 1", &s), 1);
  EXPECT_EQ(s, "No se encuentra el fichero RED0101.TVX de la reducción.\n");

  EXPECT_EQ(Garantia(d, "--jornada 1", &s), 64);
  EXPECT_EQ(Garantia(d, "--jornada 1 --orden 100", &s), 64);
  EXPECT_EQ(Garantia(d, "--jornada 1 --orden 1 --otra", &s), 64);
}

}  // namespace
}  // namespace zendo::prueba
