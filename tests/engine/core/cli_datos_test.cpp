// zendo-cli on a data folder written by hand, byte by byte, as another program following
// the file layouts would leave it.

#include <gtest/gtest.h>

#include "apoyo/apoyo.h"

namespace zendo {
namespace {

using prueba::CarpetaTemporal;
using prueba::Ejecuta;
using prueba::EscribeBytes;

std::string Cli(const std::string& args, int* estado = nullptr) {
  std::string salida;
  const int e = Ejecuta(std::string(ZENDO_CLI_PATH) + " " + args + " 2>/dev/null", &salida);
  if (estado) *estado = e;
  return salida;
}

std::string RegistroBases(const std::string& inicio, const std::string& descripcion,
                          const std::string& directas, const std::string& reducidas) {
  std::string r = inicio;
  r.resize(395, ' ');
  r.replace(23, 8, directas);
  r.replace(31, 8, reducidas);
  r.replace(310, descripcion.size(), descripcion);
  return r + "\r\n";
}

TEST(CliDatos, GeneralesJornadaEIndice) {
  CarpetaTemporal dir;
  const std::string d = "--datos " + dir.ruta().string();
  EscribeBytes(dir / "DATOSGEN.TVX",
               "7,\"12/10/09\",2,3,5,6,7,8,2,40,20,\"1.00\",\"12\",\"34567\",\"No\"\r\n");
  EXPECT_EQ(Cli("generales " + d),
            "Jornada=7\nFechaJornada=12/10/09\nOrden=2\nMetodo=3\nMargenIzqBoleto=5\n"
            "MargenSupBoleto=6\nMargenIzqContinuo=7\nMargenSupContinuo=8\nOrientacion=2\n"
            "TotalJornadas=40\nTotalOrdenes=20\nPrecioApuesta=1.00\nCodigoDelegacion=12\n"
            "CodigoReceptor=34567\nSonido=No\n");

  std::string jornada = "Jor0212/10/09";
  jornada += "Betis          Sevilla        ";
  jornada.resize(463, ' ');
  jornada += "312000000000002";
  jornada += "   100000.5" + std::string(55, ' ');
  EscribeBytes(dir / "JORNADAS.TVX", std::string(544, ' ') + jornada);
  const std::string j = Cli("jornada " + d + " --jornada 2");
  EXPECT_EQ(j.substr(0, 40), "12/10/09\nBetis - Sevilla\n - \n - \n - \n - ");
  EXPECT_NE(j.find("\n21X-----------X\n100000.50\n0.00\n0.00\n0.00\n0.00\n0.00\n"),
            std::string::npos);

  EscribeBytes(dir / "BASES.TVX", RegistroBases("02013",
                                                "Peque\xF1"
                                                "a",
                                                "    8748", "     972") +
                                      "0000" + std::string(391, ' ') + "\r\n" +
                                      RegistroBases("05125", "", "       2", "       2"));
  EXPECT_EQ(Cli("indice " + d), "  2 12/10/09   1  Selección de signos  Pequeña" +
                                    std::string(28, ' ') +
                                    "      8748       972\n"
                                    "  5           12  Reducción manual     " +
                                    std::string(35, ' ') + "         2         2\n");
}

TEST(CliDatos, GeneralesDanadosMuestranLosValoresCorregidos) {
  CarpetaTemporal dir;
  EscribeBytes(dir / "DATOSGEN.TVX",
               "150,\"30/08/09\",x,7,-3,0,0,0,5,200,-5,\"abc\",\"1\",\"123456\",\"Quizas\"\r\n");
  std::string error;
  prueba::Ejecuta(std::string(ZENDO_CLI_PATH) + " generales --datos " + dir.ruta().string() +
                      " 2>&1 1>/dev/null",
                  &error);
  EXPECT_EQ(error, "LDG ERROR 13: dato no válido al leer DATOSGEN.TVX\n");
  int e = 0;
  EXPECT_EQ(Cli("generales --datos " + dir.ruta().string(), &e),
            "Jornada=60\nFechaJornada=30/08/09\nOrden=1\nMetodo=1\nMargenIzqBoleto=0\n"
            "MargenSupBoleto=0\nMargenIzqContinuo=0\nMargenSupContinuo=0\nOrientacion=1\n"
            "TotalJornadas=60\nTotalOrdenes=60\nPrecioApuesta=0.50\nCodigoDelegacion=01\n"
            "CodigoReceptor=00000\nSonido=Si\n");
  EXPECT_NE(e, 0);
  // Reading does not rewrite the file: the program writes it back when it ends.
  EXPECT_EQ(prueba::LeeBytes(dir / "DATOSGEN.TVX").substr(0, 4), "150,");
}

TEST(CliDatos, ErroresDeUso) {
  int e = 0;
  Cli("", &e);
  EXPECT_EQ(e, 64);
  Cli("nada", &e);
  EXPECT_EQ(e, 64);
  Cli("jornada --jornada 2", &e);
  EXPECT_EQ(e, 64);
  Cli("jornada --datos /tmp --jornada x", &e);
  EXPECT_EQ(e, 64);
  Cli("jornada --datos /no/existe --jornada 3", &e);
  EXPECT_EQ(e, 1);
  EXPECT_NE(Cli("indice --help").find("Uso: zendo-cli indice"), std::string::npos);
}

}  // namespace
}  // namespace zendo
