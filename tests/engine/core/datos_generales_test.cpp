#include "engine/core/datos_generales.h"

#include <gtest/gtest.h>

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
               "12,\"01/02/10\",3,4,10,20,30,40,2,60,45,\"1.5\",\"7\",\"123456\",\"No\"\r\n");
  DatosGenerales d;
  ASSERT_EQ(LeeDatosGenerales(dir.ruta(), d).error, 0);
  EXPECT_EQ(d.Jornada, 12);
  EXPECT_EQ(d.FechaJornada, "01/02/10");
  EXPECT_EQ(d.Metodo, 4);
  EXPECT_EQ(d.MargenSupContinuo, 40);
  EXPECT_EQ(d.TotalOrdenes, 45);
  EXPECT_EQ(d.PrecioApuesta, "1.5 ");
  EXPECT_FLOAT_EQ(d.Precio, 1.5f);
  EXPECT_EQ(d.CodigoDelegacion, "7 ");
  EXPECT_EQ(d.CodigoReceptor, "12345");
  EXPECT_EQ(d.Sonido, "No");
  ASSERT_EQ(GuardaDatosGenerales(dir.ruta(), d), 0);
  EXPECT_EQ(LeeBytes(dir / "DATOSGEN.TVX"),
            "12,\"01/02/10\",3,4,10,20,30,40,2,60,45,\"1.5 \",\"7 \",\"12345\",\"No\"\r\n");
}

TEST(DatosGenerales, LineasRarasNoRompenNada) {
  // Short line, letters where digits belong, no CR LF, binary bytes.
  auto d = ParseaDatosGenerales("x7,\"ab");
  EXPECT_EQ(d.Jornada, 0);
  EXPECT_EQ(d.FechaJornada, "ab      ");
  EXPECT_EQ(d.Orden, 1);  // missing fields keep their defaults
  d = ParseaDatosGenerales(std::string("\0\xff,\x01", 4));
  EXPECT_EQ(d.Jornada, 0);
  d = ParseaDatosGenerales(
      "99999,\"30/08/09\",1,1,0,0,0,0,1,55,30,\"abc\",\"00\",\"00000\",\"Si\"");
  EXPECT_EQ(d.Jornada, 32767);
  EXPECT_EQ(d.PrecioApuesta, "abc ");
  EXPECT_EQ(d.Precio, 0.0f);
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
