#include "engine/core/fichero.h"

#include <gtest/gtest.h>

#include "apoyo/apoyo.h"
#include "engine/core/cerrojo.h"
#include "engine/core/datos_generales.h"
#include "engine/core/indice.h"
#include "engine/core/jornadas.h"

namespace zendo {
namespace {

using prueba::CarpetaTemporal;
using prueba::EscribeBytes;
using prueba::LeeBytes;
using prueba::SoloLectura;

TEST(Fichero, RegistrosFijosConHuecosYLecturasCortas) {
  CarpetaTemporal dir;
  const auto ruta = dir / "R.TVX";
  ASSERT_EQ(EscribeRegistro(ruta, 3, 4, "abcd", '.'), 0);
  EXPECT_EQ(LeeBytes(ruta), "........abcd");
  ASSERT_EQ(EscribeRegistro(ruta, 1, 4, "xy"), 0);
  EXPECT_EQ(LeeBytes(ruta), "xy  ....abcd");
  auto r = LeeRegistro(ruta, 3, 4);
  EXPECT_TRUE(r.completo);
  EXPECT_EQ(r.datos, "abcd");
  r = LeeRegistro(ruta, 9, 4);
  EXPECT_FALSE(r.completo);
  EXPECT_EQ(r.datos, "    ");
  EscribeBytes(ruta, "abcdef");
  r = LeeRegistro(ruta, 2, 4, '#');
  EXPECT_EQ(r.datos, "ef##");
  EXPECT_EQ(LeeRegistro(dir / "no", 1, 4).error, 53);
}

TEST(Fichero, LineasConYSinFinal) {
  EXPECT_EQ(PartirLineas("a\r\nb\r\nc"), (std::vector<std::string_view>{"a", "b", "c"}));
  EXPECT_EQ(PartirLineas("a\r\n\r\n"), (std::vector<std::string_view>{"a", ""}));
  EXPECT_EQ(PartirLineas("a\nb"), (std::vector<std::string_view>{"a", "b"}));
  EXPECT_EQ(PartirLineas("a\r\nb\r"), (std::vector<std::string_view>{"a", "b"}));
  EXPECT_EQ(PartirLineas("\r"), (std::vector<std::string_view>{""}));
  EXPECT_TRUE(PartirLineas("").empty());
}

TEST(Fichero, ElEscritorSoloReemplazaAlConfirmar) {
  CarpetaTemporal dir;
  const auto ruta = dir / "RED0101.TVX";
  EscribeBytes(ruta, "viejo");
  {
    EscritorAtomico e(ruta, 8);
    e.Escribe("nuevo contenido largo");
    e.Escribe("!");
  }  // dropped without Confirma
  EXPECT_EQ(LeeBytes(ruta), "viejo");
  EXPECT_FALSE(std::filesystem::exists(RutaTemporal(ruta)));
  EscritorAtomico e(ruta, 8);
  e.Escribe("nuevo ");
  e.Escribe("contenido largo");
  EXPECT_EQ(LeeBytes(ruta), "viejo");
  ASSERT_EQ(e.Confirma(), 0);
  EXPECT_EQ(LeeBytes(ruta), "nuevo contenido largo");
  // A temporary left by a killed run is cleaned away, under the lock only.
  EscribeBytes(RutaTemporal(ruta), "resto");
  LimpiaTemporales(CerrojoCarpeta{});
  EXPECT_TRUE(std::filesystem::exists(RutaTemporal(ruta)));
  LimpiaTemporales(CerrojoCarpeta::Toma(dir.ruta(), std::chrono::milliseconds(0)));
  EXPECT_FALSE(std::filesystem::exists(RutaTemporal(ruta)));
  EXPECT_TRUE(std::filesystem::exists(ruta));
}

TEST(Fichero, ErroresDelSistemaConSuNumero) {
  const std::pair<int, int> casos[] = {{ENOENT, 53}, {ENOSPC, 61},  {EACCES, 70},
                                       {EROFS, 70},  {ENOTDIR, 76}, {EIO, 57}};
  for (const auto& [e, numero] : casos) EXPECT_EQ(ErrorDesdeErrno(e), numero) << e;
}

TEST(Fichero, UnaCarpetaDeSoloLecturaSeInformaYNoPierdeNada) {
  CarpetaTemporal dir;
  const std::string general =
      "1,\"30/08/09\",1,1,0,0,0,0,1,55,30,\"0.50\",\"00\",\"00000\",\"Si\"\r\n";
  EscribeBytes(dir / "DATOSGEN.TVX", general);
  EscribeBytes(dir / "BASES.TVX", "");
  EscribeBytes(dir / "JORNADAS.TVX", std::string(544, ' '));
  SoloLectura ro(dir.ruta());
  if (!ro.activa()) GTEST_SKIP() << "no way to make a folder read-only here";
  DatosGenerales d;
  EXPECT_EQ(LeeDatosGenerales(dir.ruta(), d).error, 0);
  d.Jornada = 4;
  EXPECT_EQ(GuardaDatosGenerales(dir.ruta(), d), 70);
  Reduccion r = ReduccionNueva(1, 1, 1);
  EXPECT_EQ(GuardaRegistroBases(dir.ruta(), ConstruyeRegistroBases(r)).mensaje, "EEB ERROR 70");
  EXPECT_EQ(EscribeJornada(dir.ruta(), 1, RegistroJornadaVacio()), 70);
  EXPECT_EQ(GuardaEquipos(dir.ruta(), {"Betis"}), 70);
  EXPECT_EQ(LeeBytes(dir / "DATOSGEN.TVX"), general);
  EXPECT_EQ(LeeBytes(dir / "BASES.TVX"), "");
}

}  // namespace
}  // namespace zendo
