#include "engine/screens/datos_jornada.h"

#include <gtest/gtest.h>

#include "apoyo/apoyo.h"
#include "engine/core/jornadas.h"
#include "engine/core/texto.h"

namespace zendo {
namespace {

using prueba::CarpetaTemporal;
using prueba::EscribeBytes;
using prueba::LeeBytes;

TEST(FechaJornada, SoloDiasDelCalendario) {
  // February 29th exists only in leap years (2000 is one: divisible by 400); an empty, half
  // typed or non-digit box is no date.
  const std::pair<CajasFecha, bool> casos[] = {
      {{"14", "02", "10"}, true},  {{"31", "12", "99"}, true},  {{"01", "01", "00"}, true},
      {{"31", "02", "09"}, false}, {{"30", "02", "08"}, false}, {{"31", "04", "10"}, false},
      {{"31", "05", "10"}, true},  {{"01", "13", "10"}, false}, {{"29", "02", "08"}, true},
      {{"29", "02", "09"}, false}, {{"29", "02", "00"}, true},  {{"", "", ""}, false},
      {{"5", "03", "10"}, false},  {{"1a", "03", "10"}, false}, {{" 5", "03", "10"}, false}};
  for (const auto& [c, valida] : casos) {
    EXPECT_EQ(ValidaFecha(c), valida) << c.dia << "/" << c.mes << "/" << c.ano;
  }
  // A jornada never saved shows 00/00/00: not a date.
  EXPECT_FALSE(ValidaFecha(CajasDesdeFecha("00/00/00")));
}

TEST(FechaJornada, CajasCompletadasYFechaGuardada) {
  EXPECT_EQ(CompletaCajaFecha("5"), "05");
  EXPECT_EQ(CompletaCajaFecha("12"), "12");
  EXPECT_EQ(CompletaCajaFecha(""), "");
  CajasFecha c{CompletaCajaFecha("5"), CompletaCajaFecha("3"), CompletaCajaFecha("10")};
  ASSERT_TRUE(ValidaFecha(c));
  EXPECT_EQ(FechaDesdeCajas(c), "05/03/10");

  const CajasFecha leida = CajasDesdeFecha("14/02/10");
  EXPECT_EQ(leida.dia, "14");
  EXPECT_EQ(leida.mes, "02");
  EXPECT_EQ(leida.ano, "10");
  EXPECT_EQ(FechaDesdeCajas(leida), "14/02/10");
  // A damaged date in a record still gives three boxes of two characters.
  const CajasFecha corta = CajasDesdeFecha("1/");
  EXPECT_EQ(corta.dia, "1/");
  EXPECT_EQ(corta.mes, "  ");
  EXPECT_EQ(corta.ano, "  ");
}

TEST(FechaJornada, MensajeDeFechaIncorrecta) {
  EXPECT_EQ(MensajeErrorFecha(),
            (Mensaje{"Error en la fecha",
                     Cp("No ha indicado la fecha de la jornada o no es correcta.  No  se pueden "
                        "guardar los datos de la jornada si no se incluye una fecha válida. "
                        "Introduzca un valor correcto antes  de  poder guardar los datos de la "
                        "jornada."),
                     5, kBotonesSalir, 2120}));
}

// A record as the scrutiny leaves it: date, teams, winning column and prizes.
std::string RegistroEscrutado(int jornada) {
  std::string r = RegistroJornadaVacio();
  PonCabecera(r, jornada, "01/01/10");
  for (int s = 1; s <= 30; ++s) PonEquipo(r, s, "Viejo" + std::to_string(s));
  std::array<std::array<int16_t, 4>, 16> g{};
  for (std::size_t m = 1; m <= 15; ++m) g[m][1 + m % 3] = 1;
  PonGanadora(r, g);
  for (int k = 1; k <= 6; ++k) PonPremio(r, k, std::to_string(k * 1000) + ".25");
  return r;
}

TEST(GuardaJornada, EscribeSoloFechaYEquiposDeSuRegistro) {
  CarpetaTemporal dir;
  const std::string r1 = RegistroEscrutado(1);
  const std::string r2 = RegistroEscrutado(2);
  const std::string r3 = RegistroEscrutado(3);
  EscribeBytes(dir / "JORNADAS.TVX", r1 + r2 + r3);

  std::array<std::string, kCajasEquipo + 1> equipos;
  equipos[1] = Cp("  Logroñés  ");
  equipos[2] = Cp("Deportivo Alavés B");  // 18 characters
  equipos[30] = Cp("Güeñes");
  const ResultadoJornada r = GuardaJornada(dir.ruta(), 2, "05/03/10", equipos);
  ASSERT_EQ(r.error, 0) << r.mensaje;

  const std::string fichero = LeeBytes(dir / "JORNADAS.TVX");
  ASSERT_EQ(fichero.size(), 3 * kLargoRegistroJornada);
  EXPECT_EQ(fichero.substr(0, 544), r1);
  EXPECT_EQ(fichero.substr(2 * 544), r3);
  const std::string nuevo = fichero.substr(544, 544);
  EXPECT_EQ(nuevo.substr(0, 13), "Jor0205/03/10");
  EXPECT_EQ(nuevo.substr(13, 15), AjustaAncho(Cp("Logroñés"), 15));
  EXPECT_EQ(nuevo.substr(28, 15), Cp("Deportivo Alavé"));
  EXPECT_EQ(nuevo.substr(43, 15), std::string(15, ' '));  // an empty box empties its slot
  EXPECT_EQ(nuevo.substr(13 + 29 * 15, 15), AjustaAncho(Cp("Güeñes"), 15));
  // The winning column and the prizes of the scrutiny are kept byte for byte.
  EXPECT_EQ(nuevo.substr(463), r2.substr(463));
  EXPECT_EQ(Cp1252AUtf8(Equipo(nuevo, 30)), "Güeñes");
}

TEST(GuardaJornada, UnRegistroIlegibleNoSeSobrescribe) {
  CarpetaTemporal dir;
  // A folder where the file should be: it cannot be read as a file of records.
  std::filesystem::create_directory(dir / "JORNADAS.TVX");
  std::array<std::string, kCajasEquipo + 1> equipos;
  const ResultadoJornada r = GuardaJornada(dir.ruta(), 1, "12/09/10", equipos);
  EXPECT_NE(r.error, 0);
  EXPECT_EQ(r.mensaje.substr(0, 4), "LJO ");
  EXPECT_TRUE(std::filesystem::is_directory(dir / "JORNADAS.TVX"));
}

}  // namespace
}  // namespace zendo
