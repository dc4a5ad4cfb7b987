#include "engine/core/jornadas.h"

#include <gtest/gtest.h>

#include "apoyo/apoyo.h"
#include "engine/core/fichero.h"
#include "engine/core/texto.h"

namespace zendo {
namespace {

using prueba::CarpetaTemporal;
using prueba::EscribeBytes;
using prueba::LeeBytes;

// A record as another program following the layout would write it.
std::string RegistroAjeno(int jornada, const std::string& fecha) {
  std::string r = "Jor" + std::string(jornada < 10 ? "0" : "") + std::to_string(jornada) + fecha;
  for (int s = 1; s <= 30; ++s) r += AjustaAncho("Equipo" + std::to_string(s), 15);
  r += "123012301230123";
  r += "  1234567.5" + std::string(8, ' ') + "100" + std::string(11, ' ') + "       0.50" +
       std::string(22, ' ');
  return r;
}

TEST(Jornadas, LecturaDeUnRegistroCompleto) {
  const std::string reg = RegistroAjeno(3, "05/09/10");
  ASSERT_EQ(reg.size(), 544u);
  const Jornada j = ParseaJornada(reg, 3);
  EXPECT_FALSE(j.vacia);
  EXPECT_EQ(j.FechaJornada, "05/09/10");
  EXPECT_EQ(Equipo(j.RegistroJornada, 1), "Equipo1");
  EXPECT_EQ(Equipo(j.RegistroJornada, 30), "Equipo30");
  EXPECT_EQ(GanadoraComoSignos(j), "1X2-1X2-1X2-1X2");
  EXPECT_EQ(j.Ganadora[1][1], 1);
  EXPECT_EQ(j.Ganadora[4][1] + j.Ganadora[4][2] + j.Ganadora[4][3], 0);
  EXPECT_DOUBLE_EQ(j.Premios[1], 1234567.5);
  EXPECT_DOUBLE_EQ(j.Premios[2], 100);
  EXPECT_DOUBLE_EQ(j.Premios[3], 0);
  EXPECT_DOUBLE_EQ(j.Premios[4], 0.5);
}

TEST(Jornadas, MarcasAjenasHuecosYFicherosCortosSeLeenVacios) {
  CarpetaTemporal dir;
  // A missing file is created by the read, as opening it for record access would.
  auto l = LeeJornada(dir.ruta(), 12);
  EXPECT_EQ(l.error, 0);
  EXPECT_TRUE(std::filesystem::exists(dir / "JORNADAS.TVX"));
  EXPECT_TRUE(l.jornada.vacia);
  EXPECT_EQ(l.jornada.RegistroJornada, RegistroJornadaVacio());
  EXPECT_EQ(l.jornada.FechaJornada, "00/00/00");

  EscribeBytes(dir / "JORNADAS.TVX", RegistroAjeno(1, "01/01/10") + RegistroAjeno(2, "02/01/10") +
                                         RegistroAjeno(8, "08/01/10"));
  l = LeeJornada(dir.ruta(), 12);  // beyond the end
  EXPECT_TRUE(l.jornada.vacia);
  EXPECT_EQ(GanadoraComoSignos(l.jornada), std::string(15, '-'));
  EXPECT_DOUBLE_EQ(l.jornada.Premios[1], 0);
  l = LeeJornada(dir.ruta(), 3);  // record 3 carries the marker of jornada 8
  EXPECT_TRUE(l.jornada.vacia);
  l = LeeJornada(dir.ruta(), 2);
  EXPECT_FALSE(l.jornada.vacia);
  EXPECT_EQ(l.jornada.FechaJornada, "02/01/10");

  // A record cut short and binary garbage.
  EscribeBytes(dir / "JORNADAS.TVX", std::string("Jor01") + "\xff\x00garbage");
  l = LeeJornada(dir.ruta(), 1);
  EXPECT_FALSE(l.jornada.vacia);
  EXPECT_EQ(GanadoraComoSignos(l.jornada), std::string(15, '-'));
}

TEST(Jornadas, EscribirMasAllaDelFinalCreaHuecosVacios) {
  CarpetaTemporal dir;
  EscribeBytes(dir / "JORNADAS.TVX", RegistroAjeno(1, "01/01/10") + RegistroAjeno(2, "02/01/10") +
                                         RegistroAjeno(3, "03/01/10"));
  std::string reg = RegistroJornadaVacio();
  PonCabecera(reg, 20, "07/03/10");
  PonEquipo(reg, 1, Cp("  Atlético de Madrid  "));  // 18 characters once trimmed
  PonEquipo(reg, 2, Cp("Málaga"));
  ASSERT_EQ(EscribeJornada(dir.ruta(), 20, reg), 0);
  EXPECT_EQ(LeeBytes(dir / "JORNADAS.TVX").size(), 20 * 544u);
  for (int j = 4; j <= 19; ++j) EXPECT_TRUE(LeeJornada(dir.ruta(), j).jornada.vacia) << j;
  const auto l = LeeJornada(dir.ruta(), 20);
  EXPECT_EQ(l.jornada.FechaJornada, "07/03/10");
  EXPECT_EQ(Cp1252AUtf8(Equipo(l.jornada.RegistroJornada, 1)), "Atlético de Mad");
  EXPECT_EQ(l.jornada.RegistroJornada.substr(13, 30), Cp("Atlético de MadMálaga         "));
  EXPECT_EQ(LeeJornada(dir.ruta(), 2).jornada.FechaJornada, "02/01/10");
}

TEST(Jornadas, CadaPantallaGuardaSoloSusPosiciones) {
  CarpetaTemporal dir;
  std::string reg = RegistroAjeno(5, "01/01/10");
  ASSERT_EQ(EscribeJornada(dir.ruta(), 5, reg), 0);
  // The jornada screen changes the date and the teams: the result and prizes stay.
  std::string r = LeeJornada(dir.ruta(), 5).jornada.RegistroJornada;
  PonCabecera(r, 5, "09/09/10");
  PonEquipo(r, 3, "Nuevo");
  ASSERT_EQ(EscribeJornada(dir.ruta(), 5, r), 0);
  auto j = LeeJornada(dir.ruta(), 5).jornada;
  EXPECT_EQ(j.RegistroJornada.substr(463), reg.substr(463));
  // The scrutiny writes the result and the prizes: the teams stay.
  r = j.RegistroJornada;
  std::array<std::array<int16_t, 4>, 16> g{};
  g[1][3] = 1;
  g[15][2] = 1;
  PonGanadora(r, g);
  PonPremio(r, 1, " 12.50 ");
  ASSERT_EQ(EscribeJornada(dir.ruta(), 5, r), 0);
  j = LeeJornada(dir.ruta(), 5).jornada;
  EXPECT_EQ(GanadoraComoSignos(j), "2-------------X");
  EXPECT_EQ(j.RegistroJornada.substr(478, 11), "      12.50");
  EXPECT_EQ(Equipo(j.RegistroJornada, 3), "Nuevo");
  EXPECT_EQ(j.FechaJornada, "09/09/10");
}

TEST(Jornadas, UnDiscoLlenoNoDejaElFicheroAMedias) {
  CarpetaTemporal dir;
  const std::string antes = RegistroAjeno(1, "01/01/10");
  EscribeBytes(dir / "JORNADAS.TVX", antes);
  EXPECT_EQ(EscribeJornada("/dev/full/x", 1, antes), 76);  // not a folder
  std::filesystem::create_directory(dir / "sub");
  std::filesystem::create_symlink("/dev/full", dir / "sub" / "JORNADAS.TVX");
  EXPECT_NE(EscribeJornada(dir / "sub", 3, antes), 0);
  EXPECT_EQ(LeeBytes(dir / "JORNADAS.TVX"), antes);
}

TEST(Equipos, ComasComillasYLetrasEspanolas) {
  EXPECT_EQ(ParseaEquipos("Betis\r\n  Sevilla \r\n\"Real, B\",Osasuna\r\nCelta"),
            (std::vector<std::string>{"Betis", "Sevilla", "Real, B", "Osasuna", "Celta"}));
  EXPECT_TRUE(ParseaEquipos("").empty());
  EXPECT_EQ(ParseaEquipos("\"Abierta\r\nBetis"), (std::vector<std::string>{"Abierta", "Betis"}));

  CarpetaTemporal dir;
  auto l = CreaCboEquipo(dir.ruta());
  EXPECT_EQ(l.error, 53);
  EXPECT_EQ(l.mensaje, "No se encuentra el fichero de equipos EQUIPOS.TVX.");
  EXPECT_FALSE(std::filesystem::exists(dir / "EQUIPOS.TVX"));
  l = CargaLisEquipos(dir.ruta());
  EXPECT_EQ(Cp1252AUtf8(l.mensaje),
            "No se encuentra el fichero de equipos EQUIPOS.TVX.\r\nSe ha procedido a crearlo "
            "automáticamente con los valores establecidos por defecto.");
  EXPECT_EQ(LeeBytes(dir / "EQUIPOS.TVX"), "");

  const std::vector<std::string> equipos = {Cp("Logroñés"), Cp(" Alavés "), "Real, B", ""};
  ASSERT_EQ(GuardaEquipos(dir.ruta(), equipos), 0);
  EXPECT_EQ(LeeBytes(dir / "EQUIPOS.TVX"), "Logro\xF1\xE9s\r\nAlav\xE9s\r\n\"Real, B\"\r\n\r\n");
  l = CargaLisEquipos(dir.ruta());
  EXPECT_EQ(l.equipos, (std::vector<std::string>{Cp("Logroñés"), Cp("Alavés"), "Real, B"}));
  ASSERT_EQ(GuardaEquipos(dir.ruta(), {}), 0);
  EXPECT_EQ(LeeBytes(dir / "EQUIPOS.TVX"), "");
}

}  // namespace
}  // namespace zendo
