// zendo-cli boletos and borrar-columnas: exact bytes, what they print and their exit codes.

#include <gtest/gtest.h>

#include "apoyo/apoyo.h"
#include "engine/consult/apoyo_consulta.h"
#include "engine/core/cerrojo.h"
#include "engine/core/fichero.h"
#include "engine/core/indice.h"

namespace zendo::prueba {
namespace {

// Runs a command line and gives its standard output (standard error too when it says 2>&1).
int Corre(const std::string& orden, std::string& salida) {
  salida.clear();
  return Ejecuta(orden, &salida);
}

std::string Cli(const CarpetaTemporal& d, const std::string& orden, const std::string& resto) {
  return std::string(ZENDO_CLI_PATH) + " " + orden + " --datos '" + d.ruta().string() +
         "' --jornada 2 --orden 3 " + resto;
}

const std::vector<std::string> kColumnas = {
    "111111111111111", "X11111111111111", "XX1111111111111",
    "11111111111111X", "21111111111111X", "2X2X2X2X2X2X2X2",
};

std::string Esperado(const std::string& marcas) {
  std::string s;
  const std::string blanco = "\"                \"\r\n";
  for (std::size_t i = 0; i < 3; ++i) s += RegistroMarcado(kColumnas[i], marcas[i]);
  for (int i = 0; i < 5; ++i) s += blanco;
  s += RegistroMarcado(kColumnas[3], marcas[3]) + RegistroMarcado(kColumnas[4], marcas[4]);
  for (int i = 0; i < 6; ++i) s += blanco;
  return s + RegistroMarcado(kColumnas[5], marcas[5]);
}

TEST(CliBoletos, EscribeLosBytesDelFicheroDeTrabajo) {
  CarpetaTemporal d;
  GuardaReduccion(d.ruta(), 2, 3, kMetodoDirecto, kColumnas);
  const std::string indice = LeeBytes(d / "BASES.TVX");
  std::string salida;
  ASSERT_EQ(Corre(Cli(d, "boletos", "2>/dev/null"), salida), 0);
  EXPECT_EQ(salida, Esperado("000000"));
  ASSERT_EQ(Corre(Cli(d, "boletos", "--salida '" + (d / "copia.txt").string() + "'"), salida), 0);
  EXPECT_EQ(salida, "");
  EXPECT_EQ(LeeBytes(d / "copia.txt"), Esperado("000000"));
  // The data folder is only read; the copy written into it took the folder's lock.
  EXPECT_EQ(Ficheros(d.ruta()),
            (std::vector<std::string>{kFicheroCerrojo, "BASES.TVX", "RED0203.TVX", "copia.txt"}));
  EXPECT_EQ(LeeBytes(d / "BASES.TVX"), indice);

  // A missing columns file, a full output, bad arguments.
  std::filesystem::remove(d / "RED0203.TVX");
  ASSERT_EQ(Corre(Cli(d, "boletos", "2>&1"), salida), 1);
  EXPECT_EQ(salida, "No se encuentra el fichero RED0203.TVX.\n");
  EXPECT_EQ(LeeBytes(d / "copia.txt"), Esperado("000000"));
  EscribeBytes(d / "RED0203.TVX", FicheroColumnas(kColumnas));
  ASSERT_EQ(Corre(Cli(d, "boletos", "--salida /dev/full 2>&1"), salida), 1);
  EXPECT_EQ(salida, "FORBOL ERROR 61: disco lleno al escribir /dev/full\n");
  ASSERT_EQ(Ejecuta(Cli(d, "boletos", "> /dev/full 2>/dev/null")), 1);
  ASSERT_EQ(Corre(Cli(d, "boletos", "--salida '" + d.ruta().string() + "/no/x' 2>&1"), salida), 1);
  EXPECT_EQ(salida,
            "FORBOL ERROR 53: fichero no encontrado al crear " + d.ruta().string() + "/no/x\n");
  EXPECT_EQ(Ejecuta(std::string(ZENDO_CLI_PATH) + " boletos --jornada 2 --orden 3 2>/dev/null"),
            64);
}

TEST(CliBorrarColumnas, LasTresFormasDeMarcarYElRegistro) {
  CarpetaTemporal d;
  GuardaReduccion(d.ruta(), 2, 3, kMetodoManual, kColumnas);
  std::string salida;
  // Column 5 by number, the 0- and 14-variant ones (columns 1, 4 and 6) by class.
  ASSERT_EQ(Corre(Cli(d, "borrar-columnas", "--columnas 5,5 --variantes 0,13-14"), salida), 0);
  EXPECT_EQ(salida, "RED0203.TVX: 2 columnas\n");
  EXPECT_EQ(LeeBytes(d / "RED0203.TVX"), FicheroColumnas({"X11111111111111", "XX1111111111111"}));
  const std::string registro = ExisteReduccion(d.ruta(), 2, 3).RegistroLeido;
  EXPECT_EQ(registro.substr(31, 8), "       2");
  EXPECT_EQ(registro.substr(346, 16), "       2       0");
  // The work file is the program's scratch and goes with it.
  EXPECT_EQ(Ficheros(d.ruta()),
            (std::vector<std::string>{kFicheroCerrojo, "BASES.TVX", "RED0203.TVX"}));

  // 99 % of 2 marks both.
  ASSERT_EQ(Corre(Cli(d, "borrar-columnas", "--azar 99"), salida), 0);
  EXPECT_EQ(salida, "RED0203.TVX: 0 columnas\n");
  EXPECT_EQ(LeeBytes(d / "RED0203.TVX"), "");
}

TEST(CliBorrarColumnas, ErroresSinCambiarNada) {
  CarpetaTemporal d;
  GuardaReduccion(d.ruta(), 2, 3, kMetodoColumnaProbable, kColumnas);
  const std::string indice = LeeBytes(d / "BASES.TVX");
  const std::string columnas = LeeBytes(d / "RED0203.TVX");
  std::string salida;
  for (const std::string resto :
       {"", "--columnas 7", "--columnas 0", "--columnas 3-1", "--columnas 1,,2", "--columnas x",
        "--variantes 15", "--azar 100", "--azar -1", "--columnas 1,7 --variantes 0"}) {
    SCOPED_TRACE(resto);
    EXPECT_EQ(Ejecuta(Cli(d, "borrar-columnas", resto + " 2>/dev/null")), 64);
    EXPECT_EQ(LeeBytes(d / "BASES.TVX"), indice);
    EXPECT_EQ(LeeBytes(d / "RED0203.TVX"), columnas);
  }
  ASSERT_EQ(Corre(Cli(d, "borrar-columnas", "--columnas 7 2>&1"), salida), 64);
  EXPECT_EQ(salida, "zendo-cli: la columna 7 no existe: la reducción tiene 6 columnas\n");
  // No stored reduction of the key; a columns file that is missing.
  ASSERT_EQ(Corre(std::string(ZENDO_CLI_PATH) + " borrar-columnas --datos '" + d.ruta().string() +
                      "' --jornada 2 --orden 4 --azar 10 2>&1",
                  salida),
            1);
  EXPECT_EQ(salida, "No hay ninguna reducción guardada con la jornada 2 y el orden 4.\n");
  std::filesystem::remove(d / "RED0203.TVX");
  ASSERT_EQ(Corre(Cli(d, "borrar-columnas", "--azar 10 2>&1"), salida), 1);
  EXPECT_EQ(salida, "No se encuentra el fichero RED0203.TVX.\n");
  EXPECT_EQ(LeeBytes(d / "BASES.TVX"), indice);
  EXPECT_EQ(Ficheros(d.ruta()), (std::vector<std::string>{kFicheroCerrojo, "BASES.TVX"}));
}

}  // namespace
}  // namespace zendo::prueba
