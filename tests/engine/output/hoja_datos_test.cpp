// The basic-data sheet, line by line against the layout of the printout and of the mail.

#include "engine/output/hoja_datos.h"

#include <gtest/gtest.h>

#include "engine/core/texto.h"

namespace zendo {
namespace {

std::string S(std::size_t n) {
  return std::string(n, ' ');
}

Jornada JornadaPrueba() {
  std::string reg = RegistroJornadaVacio();
  PonCabecera(reg, 7, "15/11/09");
  PonEquipo(reg, 1, "Real Madrid");
  PonEquipo(reg, 2, "Getafe");
  PonEquipo(reg, 17, "Sevilla");  // match 9
  PonEquipo(reg, 18, "Betis");
  PonEquipo(reg, 21, "Osasuna");                 // match 11, no away team
  PonEquipo(reg, 23, "Deportivo de La Coruna");  // match 12
  PonEquipo(reg, 24, "Athletic Club");
  return ParseaJornada(reg, 7);
}

void Signos(Reduccion& r, int m, std::initializer_list<int> signos, bool aReducir = false,
            int probable = 0) {
  DatosPartido& p = r.Partido[static_cast<std::size_t>(m)];
  p.Signo = {};
  for (int s : signos) p.Signo[static_cast<std::size_t>(s)] = 1;
  p.NumSignos = static_cast<int16_t>(signos.size());
  p.AReducir = aReducir;
  p.Probable = static_cast<int16_t>(probable);
}

std::vector<std::string> Textos(const std::vector<LineaHoja>& h) {
  std::vector<std::string> t;
  for (const auto& l : h) t.push_back(Cp1252AUtf8(l.texto));
  return t;
}

// The match part: the text followed by dots up to 35 characters.
std::string Puntos(const std::string& texto) {
  return texto + std::string(35 - texto.size(), '.');
}

// The line of a match with only sign 1.
std::string Fila(const std::string& partido) {
  return partido + "  1" + S(26);
}

TEST(HojaDatos, MetodoColumnaProbableEntera) {
  Reduccion r = ReduccionNueva(7, 3, kMetodoColumnaProbable);
  r.Descripcion = AjustaAncho("Prueba de la hoja", 35);
  Signos(r, 1, {1, 2}, true, 2);
  Signos(r, 9, {1, 2, 3}, false);
  Signos(r, 15, {1, 3});
  r.MinErrores = 0;
  r.MaxErrores = 2;
  r.ApuestasBase = 12;
  r.NumApuestas = 5;
  const auto h = HojaDatosBasicos(r, JornadaPrueba(), 0.5f);
  std::vector<std::string> e = {"",
                                "",
                                "",
                                "     JORNADA NRO.  7 DE FECHA 15/11/09 (Orden  3)",
                                "",
                                "     Prueba de la hoja" + S(18),
                                "",
                                "",
                                S(36) + "Quiniela  Partidos    Columna",
                                S(36) + "  base    reducidos  probable",
                                ""};
  auto partido = [&](const std::string& linea) {
    e.push_back(linea);
    e.push_back("");
  };
  partido(Puntos(" 1. Real Madrid-Getafe") + "  1 X" + S(9) + "[X]" + S(9) + "X  ");
  for (int m = 2; m <= 8; ++m) partido(Fila(" " + std::to_string(m) + ". " + std::string(31, '.')));
  partido(Puntos(" 9. Sevilla-Betis") + "  1 X 2" + S(7) + "[ ]" + S(12));
  partido(Fila("10. " + std::string(31, '.')));
  partido(Fila("11. Osasuna" + std::string(24, '.')));
  partido(Fila("12. Deportivo de La-Athletic Club.."));  // names hold 15
  for (int m = 13; m <= 14; ++m) partido(Fila(std::to_string(m) + ". " + std::string(31, '.')));
  partido("15. " + std::string(31, '.') + "  1   2" + S(22));  // no bracket on match 15
  for (int i = 0; i < 4; ++i) e.push_back("");
  for (const char* t :
       {"Método de Columna probable", "12 apuestas reducidas a 5",
        "Factor de reducción......: 2,40", "Errores permitidos.......: De 0 a 2",
        "Importe reducidas........: 2,50 €", "Posibilidades cubiertas..: 41,67 %"}) {
    e.push_back(S(10) + t);
    e.push_back("");
  }
  const auto t = Textos(h);
  ASSERT_EQ(t.size(), e.size());
  for (std::size_t i = 0; i < e.size(); ++i) EXPECT_EQ(t[i], e[i]) << i;
  for (std::size_t i = 0; i < h.size(); ++i) EXPECT_EQ(h[i].negrita, i < 4) << i;
}

TEST(HojaDatos, CabecerasYResumenDeCadaMetodo) {
  const Jornada j = JornadaPrueba();
  auto lineas = [&](const Reduccion& r) { return Textos(HojaDatosBasicos(r, j, 0.5f)); };
  auto contiene = [](const std::vector<std::string>& t, const std::string& l) {
    return std::find(t.begin(), t.end(), l) != t.end();
  };

  Reduccion directo = ReduccionNueva(7, 3, kMetodoDirecto);
  directo.ApuestasBase = 81;
  directo.NumApuestas = 9;
  auto t = lineas(directo);
  EXPECT_EQ(t[8], S(36) + "Quiniela  Partidos ");
  EXPECT_EQ(t[9], S(36) + "  base    reducidos");
  EXPECT_TRUE(contiene(t, S(10) + "Probabilidad 14 aciertos.: 11,11 %"));
  EXPECT_TRUE(contiene(t, S(10) + "Probabilidad 13 aciertos.: 88,89 %"));
  EXPECT_TRUE(contiene(t, S(10) + "81 apuestas reducidas a 9"));

  Reduccion signos = ReduccionNueva(7, 3, kMetodoSeleccionSignos);
  signos.TotalSignos[1][0] = 1;
  signos.TotalSignos[1][12] = 1;
  signos.TotalSignos[1][14] = 1;
  signos.TotalSignos[2][3] = 1;
  t = lineas(signos);
  EXPECT_TRUE(contiene(t, S(10) + "Signos 1.................:  0,12,14"));
  EXPECT_TRUE(contiene(t, S(10) + "Signos X.................:  3"));
  EXPECT_TRUE(contiene(t, S(10) + "Signos 2.................: "));

  Reduccion balance = ReduccionNueva(7, 3, kMetodoBalanceSignos);
  Signos(balance, 1, {1, 2}, true);
  balance.Probabilidad[1] = {0, 45, 100, 0};
  balance.Probabilidad[2] = {0, 5, 0, 95};
  balance.MinPorcentaje = 12.5f;
  balance.MaxPorcentaje = 99.99f;
  t = lineas(balance);
  EXPECT_EQ(t[8], S(36) + "Quiniela   Porcentajes");
  EXPECT_EQ(t[9], S(36) + "  base     -1- -X- -2-");
  // The first ten characters of the signs, then each percentage in three at 4(k - 1) + 1.
  EXPECT_EQ(t[11], Puntos(" 1. Real Madrid-Getafe") + "  1 X" + S(7) + " 45 100" + S(7));
  EXPECT_EQ(t[13], " 2. " + std::string(31, '.') + "  1" + S(9) + "  5      95   ");
  EXPECT_TRUE(contiene(t, S(10) + "Porcentajes cubiertos....: 12,50%  al  99,99%"));
  balance.MinPorcentaje = 100;
  EXPECT_TRUE(contiene(lineas(balance), S(10) + "Porcentajes cubiertos....: 100,00%"));
}

TEST(HojaDatos, ManualConYSinColumnasExternasYSinColumnas) {
  const Jornada j = JornadaPrueba();
  Reduccion r = ReduccionNueva(7, 3, kMetodoManual);
  Signos(r, 1, {1, 2, 3});
  r.ApuestasBase = 1234567;
  r.NumApuestas = 1234567;
  auto t = Textos(HojaDatosBasicos(r, j, 0.5f));
  EXPECT_EQ(t[8], S(36) + "Quiniela  ");
  EXPECT_EQ(t[11], Puntos(" 1. Real Madrid-Getafe") + "  1 X 2" + S(22));  // no "[ ]"
  EXPECT_EQ(t[t.size() - 8], S(10) + "1.234.567 apuestas reducidas a 1.234.567");
  for (const auto& l : t) {
    EXPECT_EQ(l.find("Apuestas Quiniela Base"), std::string::npos);
    EXPECT_EQ(l.find("Apuestas Archivo Externo"), std::string::npos);
    EXPECT_EQ(l.find("Apuestas borradas"), std::string::npos);
  }
  EXPECT_EQ(t[t.size() - 4], S(10) + "Importe reducidas........: 617.283,50 €");

  r.ApuestasQuiniela = 27;
  r.ApuestasExternas = 10;
  r.ApuestasBase = 37;
  r.NumApuestas = 0;  // every column deleted: no division by zero
  t = Textos(HojaDatosBasicos(r, j, 0.5f));
  const std::vector<std::string> resumen(t.end() - 16, t.end());
  EXPECT_EQ(
      resumen,
      (std::vector<std::string>{
          S(10) + "Método de Reducción manual", "", S(10) + "37 apuestas reducidas a ", "",
          S(10) + "Factor de reducción......: 0,00", "", S(10) + "Apuestas Quiniela Base...: 27",
          "", S(10) + "Apuestas Archivo Externo.: 10", "", S(10) + "Apuestas borradas........: 37",
          "", S(10) + "Importe reducidas........: 0,00 €", "",
          S(10) + "Posibilidades cubiertas..: 0,00 %", ""}));
  r.ApuestasQuiniela = 0;  // external columns alone
  t = Textos(HojaDatosBasicos(r, j, 0.5f));
  EXPECT_EQ(std::count(t.begin(), t.end(), S(10) + "Apuestas Archivo Externo.: 10"), 1);
  EXPECT_EQ(std::count(t.begin(), t.end(), S(10) + "Apuestas Quiniela Base...: 0"), 0);
}

TEST(HojaDatos, TextoDelCorreo) {
  Reduccion r = ReduccionNueva(7, 3, kMetodoDirecto);
  r.Descripcion = AjustaAncho("   Liga", 35);
  const auto papel = Textos(HojaDatosBasicos(r, JornadaPrueba(), 0.5f));
  const auto h = HojaDatosBasicos(r, JornadaPrueba(), 0.5f, UsoHoja::Correo);
  const auto correo = Textos(h);
  ASSERT_EQ(correo.size(), papel.size() - 4);
  EXPECT_EQ(correo[0], "JORNADA NRO.  7 DE FECHA 15/11/09 (Orden  3)");
  EXPECT_EQ(correo[1], "Liga" + S(28));
  for (std::size_t i = 2; i < correo.size(); ++i) {
    if (papel[i + 4].find("Importe") != std::string::npos) {
      EXPECT_EQ(correo[i], S(10) + "Importe reducidas........: 0,50 euros");
    } else {
      EXPECT_EQ(correo[i], papel[i + 4]) << i;
    }
  }
  for (const auto& l : h) EXPECT_FALSE(l.negrita);
}

}  // namespace
}  // namespace zendo
