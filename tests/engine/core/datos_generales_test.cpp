#include "engine/core/datos_generales.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "apoyo/apoyo.h"
#include "engine/core/fichero.h"
#include "engine/core/texto.h"

namespace zendo {
namespace {

using prueba::CarpetaTemporal;
using prueba::EscribeBytes;
using prueba::LeeBytes;

const char kLineaDefecto[] =
    "1,\"30/08/09\",1,1,0,0,0,0,1,55,30,\"0.50\",\"00\",\"00000\",\"Si\"\r\n";

TEST(DatosGenerales, PrimeraVezCreaElFicheroConLosValoresPorDefecto) {
  CarpetaTemporal dir;
  DatosGenerales d;
  d.Jornada = 9;
  const auto r = LeeDatosGenerales(dir.ruta(), d);
  EXPECT_EQ(r.error, 53);
  EXPECT_EQ(Cp1252AUtf8(r.mensaje),
            "No se encuentra el fichero de datos generales DATOSGEN.TVX.\r\n"
            "Se ha procedido a crearlo automáticamente con los valores establecidos por "
            "defecto.");
  EXPECT_EQ(d, DatosGenerales{});
  EXPECT_EQ(LeeBytes(dir / "DATOSGEN.TVX"), kLineaDefecto);
  // The second time there is nothing to say.
  const auto r2 = LeeDatosGenerales(dir.ruta(), d);
  EXPECT_EQ(r2.error, 0);
  EXPECT_TRUE(r2.mensaje.empty());
}

TEST(DatosGenerales, IdaYVueltaConAnchosFijos) {
  CarpetaTemporal dir;
  EscribeBytes(dir / "DATOSGEN.TVX",
               "12,\"01/02/10\",3,4,10,20,30,40,2,60,45,\"1.5\",\"7\",\"123\",\"No\"\r\n");
  DatosGenerales d;
  ASSERT_EQ(LeeDatosGenerales(dir.ruta(), d).error, 0);
  EXPECT_EQ(d.Jornada, 12);
  EXPECT_EQ(d.FechaJornada, "01/02/10");
  EXPECT_EQ(d.Metodo, 4);
  EXPECT_EQ(d.MargenSupContinuo, 40);
  EXPECT_EQ(d.TotalOrdenes, 45);
  EXPECT_EQ(d.PrecioApuesta, "1.5 ");
  EXPECT_FLOAT_EQ(d.Precio, 1.5f);
  // Short codes get their zeros on the left, as the general data screen gives them.
  EXPECT_EQ(d.CodigoDelegacion, "07");
  EXPECT_EQ(d.CodigoReceptor, "00123");
  EXPECT_EQ(d.Sonido, "No");
  ASSERT_EQ(GuardaDatosGenerales(dir.ruta(), d), 0);
  EXPECT_EQ(LeeBytes(dir / "DATOSGEN.TVX"),
            "12,\"01/02/10\",3,4,10,20,30,40,2,60,45,\"1.5 \",\"07\",\"00123\",\"No\"\r\n");
}

// A damaged line: LDG ERROR 13 when it is not 15 fields or a number field holds anything
// but a number; the values are brought into range, and the line written back is valid.
struct LineaDanada {
  const char* caso;
  std::string linea;
  int16_t error;
  std::string escrita;  // what GuardaDatosGenerales writes afterwards, without CR LF
};

class DatosGeneralesDanados : public ::testing::TestWithParam<LineaDanada> {};

TEST_P(DatosGeneralesDanados, SeAvisaYSeEscribeUnaLineaValida) {
  const LineaDanada& c = GetParam();
  CarpetaTemporal dir;
  EscribeBytes(dir / "DATOSGEN.TVX", c.linea);
  DatosGenerales d;
  const ResultadoDatos r = LeeDatosGenerales(dir.ruta(), d);
  EXPECT_EQ(r.error, c.error);
  EXPECT_EQ(r.mensaje, c.error == 0 ? "" : "LDG ERROR " + std::to_string(c.error));
  ASSERT_EQ(GuardaDatosGenerales(dir.ruta(), d), 0);
  EXPECT_EQ(LeeBytes(dir / "DATOSGEN.TVX"), c.escrita + "\r\n");
  // What was written reads back without a word and as the same values.
  DatosGenerales otra;
  EXPECT_EQ(LeeDatosGenerales(dir.ruta(), otra).error, 0);
  EXPECT_EQ(otra, d);
  // Nothing outside 1..99 can name a file, and the lists offer 1..60 at most.
  EXPECT_GE(d.Jornada, 1);
  EXPECT_LE(d.Jornada, d.TotalJornadas);
  EXPECT_GE(d.Orden, 1);
  EXPECT_LE(d.Orden, d.TotalOrdenes);
  EXPECT_LE(d.TotalJornadas, 60);
  EXPECT_LE(d.TotalOrdenes, 60);
}

const std::string kDefecto = "1,\"30/08/09\",1,1,0,0,0,0,1,55,30,\"0.50\",\"00\",\"00000\",\"Si\"";

INSTANTIATE_TEST_SUITE_P(
    Lineas, DatosGeneralesDanados,
    ::testing::Values(
        LineaDanada{"Texto", "hola, esto no vale\r\n", 13, kDefecto},
        LineaDanada{"Binario", std::string("\0\xff,\x01", 4), 13, kDefecto},
        LineaDanada{"Vacio", "", 62, kDefecto},
        LineaDanada{"TotalesFueraDeRango",
                    "150,\"30/08/09\",40,1,0,0,0,0,1,200,-5,\"0.50\",\"00\",\"00000\",\"Si\"", 0,
                    "60,\"30/08/09\",40,1,0,0,0,0,1,60,60,\"0.50\",\"00\",\"00000\",\"Si\""},
        LineaDanada{"ActualesPorEncimaDeLosTotales",
                    "50,\"30/08/09\",0,1,0,0,0,0,1,20,10,\"0.50\",\"00\",\"00000\",\"Si\"", 0,
                    "20,\"30/08/09\",1,1,0,0,0,0,1,20,10,\"0.50\",\"00\",\"00000\",\"Si\""},
        LineaDanada{"MetodoOrientacionYMargenes",
                    "3,\"30/08/09\",2,9,-4,99999,12,0,3,55,30,\"0.50\",\"00\",\"00000\",\"Si\"", 0,
                    "3,\"30/08/09\",2,1,0,9999,12,0,1,55,30,\"0.50\",\"00\",\"00000\",\"Si\""},
        LineaDanada{"LetrasEnUnNumero",
                    "7,\"30/08/09\",x7,4,0,0,0,0,1,55,30,\"0.50\",\"00\",\"00000\",\"Si\"", 13,
                    "7,\"30/08/09\",1,4,0,0,0,0,1,55,30,\"0.50\",\"00\",\"00000\",\"Si\""},
        LineaDanada{"NumeroEntreComillas",
                    "\"7\",\"30/08/09\",2,4,0,0,0,0,1,55,30,\"0.50\",\"00\",\"00000\",\"Si\"", 13,
                    "1,\"30/08/09\",2,4,0,0,0,0,1,55,30,\"0.50\",\"00\",\"00000\",\"Si\""},
        LineaDanada{"LineaCorta", "7,\"12/10/09\",2,3,5,6,7,8,2,40,20,\"1.00\",\"12\",\"34567\"",
                    13, "7,\"12/10/09\",2,3,5,6,7,8,2,40,20,\"1.00\",\"12\",\"34567\",\"Si\""},
        LineaDanada{"CampoDeMas",
                    "7,\"12/10/09\",2,3,5,6,7,8,2,40,20,\"1.00\",\"12\",\"34567\",\"No\",\r\n", 13,
                    "7,\"12/10/09\",2,3,5,6,7,8,2,40,20,\"1.00\",\"12\",\"34567\",\"No\""},
        LineaDanada{"TextosQueNoSonDeSuCampo",
                    "1,\"hola\",1,1,0,0,0,0,1,55,30,\"abc\",\"1a\",\"123456\",\"si\"", 0, kDefecto},
        LineaDanada{"PrecioCeroYFechaMalEscrita",
                    "1,\"1/2/3\",1,1,0,0,0,0,1,55,30,\"0\",\"00\",\"00000\",\"No\"", 0,
                    "1,\"30/08/09\",1,1,0,0,0,0,1,55,30,\"0.50\",\"00\",\"00000\",\"No\""},
        LineaDanada{"PrecioMaximoYFechaEnBlanco",
                    "1,\"        \",1,1,0,0,0,0,2,55,30,\"100\",\"5\",\"\",\"Si\"", 0,
                    "1,\"        \",1,1,0,0,0,0,2,55,30,\"100 \",\"05\",\"00000\",\"Si\""}),
    [](const ::testing::TestParamInfo<LineaDanada>& dato) { return std::string(dato.param.caso); });

TEST(DatosGenerales, CualquierLineaSeEscribeValidaYSeReleeIgual) {
  // Lines made of pieces of good and bad fields: whatever is read writes back as a line
  // that reads without error to the same values.
  const char* piezas[] = {"1",   "-3",   "99999",   "x",  "\"", "\"30/08/09\"", ",", " ", "\"Si\"",
                          "0.5", "\xff", "\"1.5\"", "\r", "60", "\"00000\""};
  uint32_t semilla = 12345;
  for (int i = 0; i < 3000; ++i) {
    std::string linea;
    const int n = static_cast<int>(semilla % 40);
    for (int k = 0; k < n; ++k) {
      semilla = semilla * 1103515245u + 12345u;
      linea += piezas[(semilla >> 16) % std::size(piezas)];
    }
    const DatosGenerales d = ParseaDatosGenerales(linea);
    bool erronea = true;
    const DatosGenerales otra = ParseaDatosGenerales(LineaDatosGenerales(d), &erronea);
    ASSERT_FALSE(erronea) << linea;
    ASSERT_EQ(otra, d) << linea;
  }
}

TEST(DatosGenerales, PrecioAdmitido) {
  EXPECT_FALSE(PrecioAdmitido(0));
  EXPECT_FALSE(PrecioAdmitido(-1));
  EXPECT_TRUE(PrecioAdmitido(0.01));
  EXPECT_TRUE(PrecioAdmitido(100));
  EXPECT_FALSE(PrecioAdmitido(100.01));
}

TEST(DatosGenerales, UnaLineaEnormeSoloSeLeeHastaSusCampos) {
  CarpetaTemporal dir;
  // The fields, then 10 MB of commas and more lines: memory stays small (a child with a
  // 64 MB data limit reads it) and the fields are those of the line.
  {
    std::string linea = "12,\"01/02/10\",3,4,10,20,30,40,2,60,45,\"1.5\",\"7\",\"123456\",\"No\"";
    linea.append(std::size_t{10} << 20, ',');
    EscribeBytes(dir / "DATOSGEN.TVX", linea + "\r\n" + std::string(std::size_t{1} << 20, '\n'));
  }
  // Far more than 15 fields: a damaged line, read for what it has.
  DatosGenerales d;
  ASSERT_EQ(LeeDatosGenerales(dir.ruta(), d).error, kErrTipo);
  EXPECT_EQ(d.Jornada, 12);
  EXPECT_EQ(d.Sonido, "No");
#if !defined(__SANITIZE_ADDRESS__)
  const pid_t hijo = ::fork();
  ASSERT_GE(hijo, 0);
  if (hijo == 0) {
    rlimit lim{rlim_t{64} << 20, rlim_t{64} << 20};
    ::setrlimit(RLIMIT_DATA, &lim);
    DatosGenerales h;
    const bool bien = LeeDatosGenerales(dir.ruta(), h).error == kErrTipo && h.Jornada == 12;
    ::_exit(bien ? 0 : 1);
  }
  int estado = 0;
  ::waitpid(hijo, &estado, 0);
  EXPECT_TRUE(WIFEXITED(estado) && WEXITSTATUS(estado) == 0) << estado;
#endif
}

TEST(DatosGenerales, UnaEscrituraFallidaSeInformaYNoPierdeElFicheroAnterior) {
  CarpetaTemporal dir;
  EscribeBytes(dir / "DATOSGEN.TVX", kLineaDefecto);
  DatosGenerales d;
  d.Jornada = 5;
  // The folder is gone: nothing can be written there.
  EXPECT_NE(GuardaDatosGenerales(dir / "no-existe", d), 0);
  // A full disk: the replacement file cannot take the bytes.
  std::filesystem::create_symlink("/dev/full", RutaTemporal(dir / "DATOSGEN.TVX"));
  EXPECT_EQ(GuardaDatosGenerales(dir.ruta(), d), 61);
  EXPECT_EQ(LeeBytes(dir / "DATOSGEN.TVX"), kLineaDefecto);
  EXPECT_FALSE(
      std::filesystem::exists(std::filesystem::symlink_status(RutaTemporal(dir / "DATOSGEN.TVX"))));
  ASSERT_TRUE(std::filesystem::exists("/dev/full"));
}

TEST(DatosGenerales, UnaCarpetaQueNoSePuedeLeerDaLdgError) {
  CarpetaTemporal dir;
  std::filesystem::create_directory(dir / "DATOSGEN.TVX");  // a folder where the file belongs
  DatosGenerales d;
  d.Jornada = 3;
  const auto r = LeeDatosGenerales(dir.ruta(), d);
  EXPECT_EQ(r.mensaje, "LDG ERROR 75");
  EXPECT_EQ(d, DatosGenerales{});
}

}  // namespace
}  // namespace zendo
