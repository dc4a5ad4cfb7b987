// zendo-cli exportar: the file the screen writes, from a stored reduction, its general data
// and its jornada; standard output; exit codes and refused targets.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "apoyo/apoyo.h"
#include "engine/core/datos_generales.h"
#include "engine/core/indice.h"
#include "engine/core/jornadas.h"
#include "engine/output/exportacion.h"

namespace zendo {
namespace {

namespace fs = std::filesystem;
using prueba::CarpetaTemporal;
using prueba::Ejecuta;
using prueba::EscribeBytes;
using prueba::LeeBytes;

// A manual reduction of jornada 7, orden 2 with three match-15 groups (9, 1 and 17 columns);
// `pleno1` is what its index record says of the first group.
void Prepara(const CarpetaTemporal& d, int32_t pleno1 = 9) {
  std::string columnas;
  auto grupo = [&](int n, char pleno) {
    for (int i = 0; i < n; ++i) {
      std::string c(14, '1');
      c[static_cast<std::size_t>(i % 14)] = i < 14 ? 'X' : '2';
      columnas += "\"" + c + pleno + "\"\r\n";
    }
  };
  grupo(9, '1');
  grupo(1, 'X');
  grupo(17, '2');
  EscribeBytes(d / "RED0702.TVX", columnas);
  Reduccion r = ReduccionNueva(7, 2, kMetodoManual);
  r.NumApuestas = 27;
  r.ApuestasBase = 27;
  r.ColumnasPleno1 = pleno1;
  r.ColumnasPlenoX = 1;
  ASSERT_EQ(GuardaRegistroBases(d.ruta(), ConstruyeRegistroBases(r)).error, 0);
  DatosGenerales g;
  g.CodigoDelegacion = "28";
  g.CodigoReceptor = "12345";
  ASSERT_EQ(GuardaDatosGenerales(d.ruta(), g), 0);
  std::string jornada = RegistroJornadaVacio();
  PonCabecera(jornada, 7, "09/11/25");
  ASSERT_EQ(EscribeJornada(d.ruta(), 7, jornada), 0);
}

std::string Orden(const CarpetaTemporal& d, const std::string& formato, const std::string& salida,
                  int orden = 2) {
  return std::string(ZENDO_CLI_PATH) + " exportar --datos '" + d.ruta().string() +
         "' --jornada 7 --orden " + std::to_string(orden) + " --formato " + formato + " --salida " +
         salida;
}

TEST(CliExportar, EscribeElArchivoConLosDatosGeneralesYLaFechaDeLaJornada) {
  CarpetaTemporal d;
  Prepara(d);
  const fs::path salida = d / "AD243";
  std::string errores;
  ASSERT_EQ(Ejecuta(Orden(d, "AD243", "'" + salida.string() + "'") + " 2>&1", &errores), 0);
  const std::string ad243 = LeeBytes(salida);
  // 9, 1 and 17 columns: boletos of 8, 1+1, 1+1, 8, 8 and 1+1.
  EXPECT_EQ(ad243.substr(0, 37),
            "C01243"
            "07"
            "091125"
            "28"
            "12345"
            "000030"
            "01"
            "000006"
            "04");
  EXPECT_EQ(ad243.size(), 7u * 123);
  EXPECT_NE(errores.find("Boleto incompleto"), std::string::npos);
  EXPECT_NE(errores.find("hay 3 boletos  con una sola columna"), std::string::npos);

  // Standard output carries the same bytes, in every format.
  for (const char* f : {"AD243", "TXT1", "TXT2", "TXT3", "TXT4", "TXT5", "txt6"}) {
    const fs::path fichero = d / (std::string("salida.") + f);
    std::string porSalida;
    ASSERT_EQ(Ejecuta(Orden(d, f, "'" + fichero.string() + "' 2>/dev/null")), 0) << f;
    ASSERT_EQ(Ejecuta(Orden(d, f, "- 2>/dev/null"), &porSalida), 0) << f;
    EXPECT_EQ(porSalida, LeeBytes(fichero)) << f;
  }
  EXPECT_EQ(LeeBytes(d / "salida.TXT2").size(), 27u * 17);
}

TEST(CliExportar, UnIndiceQueNoCuadraNoCambiaLaCabecera) {
  // The index says the first group holds 8 columns: the file holds 9. The header still counts
  // what the file holds.
  CarpetaTemporal d;
  Prepara(d, 8);
  ASSERT_EQ(Ejecuta(Orden(d, "AD243", "'" + (d / "AD243").string() + "' 2>/dev/null")), 0);
  EXPECT_EQ(LeeBytes(d / "AD243").substr(21, 16),
            "000030"
            "01"
            "000006"
            "04");
}

TEST(CliExportar, CodigosDeSalidaYDestinosRechazados) {
  CarpetaTemporal d;
  Prepara(d);
  const std::string antes = LeeBytes(d / "RED0702.TVX");
  std::string texto;
  EXPECT_EQ(Ejecuta(Orden(d, "TXT7", "x") + " 2>&1", &texto), 64);
  EXPECT_NE(texto.find("--formato"), std::string::npos);
  EXPECT_EQ(Ejecuta(std::string(ZENDO_CLI_PATH) + " exportar --datos '" + d.ruta().string() +
                    "' --jornada 7 --orden 2 --formato TXT1 2>/dev/null"),
            64);
  texto.clear();
  EXPECT_EQ(Ejecuta(Orden(d, "TXT1", "- 2>&1", 3), &texto), 1);
  EXPECT_NE(texto.find("No hay ninguna reducci"), std::string::npos);
  // A data file of the folder is never the target.
  texto.clear();
  EXPECT_EQ(Ejecuta(Orden(d, "TXT2", "'" + (d / "RED0702.TVX").string() + "' 2>&1"), &texto), 64);
  EXPECT_NE(texto.find("archivo de datos"), std::string::npos);
  EXPECT_EQ(LeeBytes(d / "RED0702.TVX"), antes);
  // A folder that does not exist.
  texto.clear();
  EXPECT_EQ(Ejecuta(Orden(d, "TXT2", "'" + (d / "no" / "Col.txt").string() + "' 2>&1"), &texto), 1);
  EXPECT_NE(texto.find("EXP ERROR 76: ruta no encontrada al crear"), std::string::npos);
  // A missing columns file is said, not passed over.
  fs::remove(d / "RED0702.TVX");
  texto.clear();
  EXPECT_EQ(Ejecuta(Orden(d, "TXT2", "'" + (d / "Col.txt").string() + "' 2>&1"), &texto), 1);
  EXPECT_NE(texto.find("RED ERROR 53"), std::string::npos);
  EXPECT_FALSE(fs::exists(d / "Col.txt"));
}

}  // namespace
}  // namespace zendo
