#include "engine/core/indice.h"

#include <gtest/gtest.h>

#include "apoyo/apoyo.h"
#include "engine/core/fichero.h"
#include "engine/core/texto.h"

namespace zendo {
namespace {

using prueba::CarpetaTemporal;
using prueba::EscribeBytes;
using prueba::LeeBytes;

const std::string kBorrado = "0000" + std::string(391, ' ');

std::string Registro(int jornada, int orden, std::string_view descripcion = "") {
  Reduccion r = ReduccionNueva(static_cast<int16_t>(jornada), static_cast<int16_t>(orden), 1);
  r.Descripcion = AjustaAncho(descripcion, 35);
  return ConstruyeRegistroBases(r);
}

std::vector<std::string> Lineas(const CarpetaTemporal& dir) {
  std::vector<std::string> v;
  const std::string bytes = LeeBytes(dir / "BASES.TVX");
  for (auto l : PartirLineas(bytes)) v.emplace_back(l);
  return v;
}

TEST(RegistroBases, CamposEnSusPosiciones) {
  Reduccion r = ReduccionNueva(7, 12, 4);
  r.MinErrores = 3;
  r.MaxErrores = 12;
  r.MinPorcentaje = 100;
  r.MaxPorcentaje = 35.25f;
  r.ApuestasBase = 14348907;
  r.NumApuestas = 81;
  r.Partido[1] = {{0, 1, 0, 1}, 2, true, 3};
  r.Partido[15] = {{0, 1, 1, 1}, 3, false, 0};
  r.TotalSignos[1][0] = 1;
  r.TotalSignos[3][14] = 1;
  r.Probabilidad[1] = {0, 50, 30, 20};
  r.Probabilidad[14] = {0, 5, 0, 95};
  r.Descripcion = AjustaAncho(Cp("Con, comas y \"comillas\" ñ"), 35);
  r.IncluyeExterno = 1;
  r.ColumnasPleno1 = 10;
  r.ColumnasPlenoX = 20;
  r.ApuestasQuiniela = 30;
  r.ApuestasExternas = 40;
  const std::string reg = ConstruyeRegistroBases(r);
  ASSERT_EQ(reg.size(), 395u);
  EXPECT_EQ(reg.substr(0, 5), "07124");
  EXPECT_EQ(reg.substr(5, 4), " 312");
  EXPECT_EQ(reg.substr(9, 10), "10000 3525");  // times 100, right-aligned in five
  EXPECT_EQ(reg.substr(19, 4), "    ");
  EXPECT_EQ(reg.substr(23, 16), "14348907      81");
  EXPECT_EQ(reg.substr(39, 6), "101213");   // match 1 at 6m+34
  EXPECT_EQ(reg.substr(123, 6), "111300");  // match 15
  EXPECT_EQ(reg[129], ' ');
  EXPECT_EQ(reg.substr(130, 15), "100000000000000");
  EXPECT_EQ(reg.substr(160, 15), "000000000000001");
  EXPECT_EQ(reg.substr(175, 9), "050030020");
  EXPECT_EQ(reg.substr(292, 9), "005000095");
  EXPECT_EQ(reg.substr(301, 9), std::string(9, ' '));
  EXPECT_EQ(reg.substr(310, 35), r.Descripcion);
  EXPECT_EQ(reg.substr(345, 33), "1      10      20      30      40");
  EXPECT_EQ(reg.substr(378), std::string(17, ' '));
  // And back: the model survives the round trip.
  Reduccion leida = ParseaRegistroBases(reg);
  EXPECT_EQ(leida, r);
}

TEST(RegistroBases, ElManualGuardaLaSumaComoDirectasYReducidas) {
  Reduccion r = ReduccionNueva(1, 1, kMetodoManual);
  r.ApuestasBase = 99;
  r.NumApuestas = 99;
  r.ApuestasQuiniela = 8;
  r.ApuestasExternas = 10;
  EXPECT_EQ(ConstruyeRegistroBases(r).substr(23, 16), "      18      18");
}

TEST(RegistroBases, UnRegistroCortoOCorruptoSeLeeSinRomperNada) {
  const Reduccion r = ParseaRegistroBases("0102x");
  EXPECT_EQ(r.Jornada, 1);
  EXPECT_EQ(r.Orden, 2);
  EXPECT_EQ(r.Metodo, 0);
  EXPECT_EQ(r.Descripcion, std::string(35, ' '));
  std::string basura(395, '\xff');
  basura.replace(39, 6, "979999");  // digits beyond what a field may hold
  const Reduccion b = ParseaRegistroBases(basura);
  EXPECT_EQ(b.Partido[1].NumSignos, 3);  // derived from the signs, never from garbage
  EXPECT_EQ(b.Partido[1].Probable, 3);
  for (int m = 1; m <= 15; ++m) EXPECT_LE(b.Partido[m].NumSignos, 3);
}

TEST(Indice, BuscarGuardarReutilizarYBorrar) {
  CarpetaTemporal dir;
  // A missing index is created, with its message.
  auto b = ExisteReduccion(dir.ruta(), 1, 1);
  EXPECT_FALSE(b.existe);
  EXPECT_EQ(b.estado.error, 53);
  EXPECT_EQ(b.estado.mensaje, "No se encuentra el fichero BASES.TVX. Se va a proceder a crearlo.");
  EXPECT_EQ(LeeBytes(dir / "BASES.TVX"), "");
  b = ExisteReduccion(dir.ruta(), 1, 1);
  EXPECT_EQ(b.estado.error, 0);
  EXPECT_EQ(b.NumRegistroBases, 0);

  ASSERT_EQ(GuardaRegistroBases(dir.ruta(), Registro(1, 1)).error, 0);
  ASSERT_EQ(GuardaRegistroBases(dir.ruta(), Registro(9, 9)).error, 0);
  ASSERT_EQ(GuardaRegistroBases(dir.ruta(), Registro(2, 1)).error, 0);
  ASSERT_EQ(BorraReduccionBases(dir.ruta(), 9, 9).error, 0);
  EXPECT_EQ(Lineas(dir)[1], kBorrado);
  EXPECT_EQ(ExisteReduccion(dir.ruta(), 0, 0).NumRegistroBases, 2);

  // (3, 2) takes the place of the deleted record.
  ASSERT_EQ(GuardaRegistroBases(dir.ruta(), Registro(3, 2)).error, 0);
  auto l = Lineas(dir);
  ASSERT_EQ(l.size(), 3u);
  EXPECT_EQ(l[1].substr(0, 4), "0302");
  EXPECT_EQ(LeeBytes(dir / "BASES.TVX").size(), 3 * 397u);

  // An existing key is overwritten in place.
  ASSERT_EQ(GuardaRegistroBases(dir.ruta(), Registro(2, 1, "otra")).error, 0);
  l = Lineas(dir);
  ASSERT_EQ(l.size(), 3u);
  EXPECT_EQ(l[2].substr(310, 4), "otra");
  b = ExisteReduccion(dir.ruta(), 2, 1);
  EXPECT_TRUE(b.existe);
  EXPECT_EQ(b.NumRegistroBases, 3);
  EXPECT_EQ(b.RegistroLeido, l[2]);
  b = ExisteReduccion(dir.ruta(), 5, 5);
  EXPECT_EQ(b.NumRegistroBases, 3);  // left at the number of records read
}

TEST(Indice, UnaClaveRepetidaSeBorraEntera) {
  CarpetaTemporal dir;
  EscribeBytes(dir / "BASES.TVX",
               Registro(4, 4) + "\r\n" + Registro(5, 5) + "\r\n" + Registro(4, 4) + "\r\n");
  ASSERT_EQ(BorraReduccionBases(dir.ruta(), 4, 4).error, 0);
  const auto l = Lineas(dir);
  EXPECT_EQ(l[0], kBorrado);
  EXPECT_EQ(l[1].substr(0, 4), "0505");
  EXPECT_EQ(l[2], kBorrado);
}

TEST(Indice, LaDescripcionConComasNoPartesElRegistro) {
  CarpetaTemporal dir;
  ASSERT_EQ(GuardaRegistroBases(dir.ruta(), Registro(1, 1, "a, \"b\", c")).error, 0);
  ASSERT_EQ(GuardaRegistroBases(dir.ruta(), Registro(1, 2)).error, 0);
  Reduccion r;
  const auto l = LeeReduccion(dir.ruta(), 1, 1, 1, r);
  EXPECT_TRUE(l.ReduccionCargada);
  EXPECT_EQ(r.Descripcion, AjustaAncho("a, \"b\", c", 35));
  EXPECT_EQ(ExisteReduccion(dir.ruta(), 1, 2).NumRegistroBases, 2);
}

TEST(Indice, SinRegistroSeCarganLosValoresDeUnaReduccionNueva) {
  CarpetaTemporal dir;
  EscribeBytes(dir / "BASES.TVX", kBorrado + "\r\n" + kBorrado + "\r\n");
  Reduccion r;
  r.MinErrores = 5;
  const auto l = LeeReduccion(dir.ruta(), 3, 4, kMetodoBalanceSignos, r);
  EXPECT_FALSE(l.ReduccionCargada);
  EXPECT_EQ(r, ReduccionNueva(3, 4, kMetodoBalanceSignos));
  EXPECT_EQ(r.Partido[15].Signo[1], 1);
  EXPECT_EQ(r.Probabilidad[7][1], 100);
}

TEST(Indice, UnRegistroCortoYUnaUltimaLineaSinSalto) {
  CarpetaTemporal dir;
  EscribeBytes(dir / "BASES.TVX", std::string("0102") + "1" + "\r\n" + Registro(3, 3));
  Reduccion r;
  EXPECT_TRUE(LeeReduccion(dir.ruta(), 1, 2, 4, r).ReduccionCargada);
  EXPECT_EQ(r.Metodo, 1);
  EXPECT_TRUE(LeeReduccion(dir.ruta(), 3, 3, 4, r).ReduccionCargada);
  // Appending after a last line without CR LF keeps the records apart.
  ASSERT_EQ(GuardaRegistroBases(dir.ruta(), Registro(4, 4)).error, 0);
  EXPECT_TRUE(ExisteReduccion(dir.ruta(), 4, 4).existe);
  EXPECT_TRUE(ExisteReduccion(dir.ruta(), 3, 3).existe);
}

TEST(Indice, UnDiscoLlenoSeInformaYNoPierdeNada) {
  CarpetaTemporal dir;
  const std::string antes = Registro(1, 1) + "\r\n";
  EscribeBytes(dir / "BASES.TVX", antes);
  std::filesystem::create_symlink("/dev/full", RutaTemporal(dir / "BASES.TVX"));
  const auto e = GuardaRegistroBases(dir.ruta(), Registro(2, 2));
  EXPECT_EQ(e.error, 61);
  EXPECT_EQ(e.mensaje, "EEB ERROR 61");
  EXPECT_EQ(LeeBytes(dir / "BASES.TVX"), antes);
  EXPECT_EQ(BorraReduccionBases(dir.ruta(), 1, 1).mensaje, "");  // link gone: it can write
}

TEST(Indice, ContadoresYDescripcionSeReescribenEnSuSitio) {
  CarpetaTemporal dir;
  EscribeBytes(dir / "BASES.TVX", Registro(1, 1) + "\r\n" + Registro(2, 2) + "\r\n");
  const auto b = ExisteReduccion(dir.ruta(), 2, 2);
  ASSERT_EQ(ReescribeContadores(dir.ruta(), b.NumRegistroBases, b.RegistroLeido, 1234, 5, 67).error,
            0);
  ASSERT_EQ(ReescribeDescripcion(dir.ruta(), 2, 2, Cp("Jornada de Liga")).error, 0);
  const auto l = Lineas(dir);
  EXPECT_EQ(l[0], Registro(1, 1));
  EXPECT_EQ(l[1].substr(31, 8), "    1234");
  EXPECT_EQ(l[1].substr(346, 16), "       5      67");
  EXPECT_EQ(l[1].substr(310, 35), AjustaAncho("Jornada de Liga", 35));
}

TEST(FicheroReduccion, NombreLineasYReescritura) {
  EXPECT_EQ(NombreReduccion(7, 12), "RED0712.TVX");
  EXPECT_EQ(NombreReduccion(1, 3), "RED0103.TVX");
  EXPECT_EQ(LineaColumna("1X21X21X21X21X2"), "\"1X21X21X21X21X2\"\r\n");
  EXPECT_EQ(ColumnaDeLinea("\"11X2X21111X2X21\""), "11X2X21111X2X21");
  EXPECT_EQ(ColumnaDeLinea("11X2X21111X2X21,resto"), "11X2X21111X2X21");

  CarpetaTemporal dir;
  auto c = LeeColumnasReduccion(dir.ruta(), 1, 3);
  EXPECT_EQ(c.error, 53);
  EXPECT_TRUE(c.mensaje.empty());
  EscribeBytes(dir / "RED0103.TVX", "\"111111111111111\"\r\n\"X11111111111112\"");
  c = LeeColumnasReduccion(dir.ruta(), 1, 3);
  ASSERT_EQ(c.columnas.size(), 2u);
  EXPECT_EQ(c.columnas[1], "X11111111111112");

  ASSERT_EQ(ReescribeReduccion(dir.ruta(), 1, 3, {"222222222222222"}), 0);
  EXPECT_EQ(LeeBytes(dir / "RED0103.TVX"), "\"222222222222222\"\r\n");
  EXPECT_FALSE(std::filesystem::exists(RutaTemporal(dir / "RED0103.TVX", "N")));
  // A full disk while rewriting leaves the old file whole.
  std::filesystem::create_symlink("/dev/full", RutaTemporal(dir / "RED0103.TVX", "N"));
  EXPECT_EQ(ReescribeReduccion(dir.ruta(), 1, 3, {"111111111111111"}), 61);
  EXPECT_EQ(LeeBytes(dir / "RED0103.TVX"), "\"222222222222222\"\r\n");
}

}  // namespace
}  // namespace zendo
