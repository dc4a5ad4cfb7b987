#include "engine/core/formato.h"

#include <gtest/gtest.h>

namespace zendo {
namespace {

TEST(Formato, PatronesNumericos) {
  EXPECT_EQ(Formato(7, "00"), "07");
  EXPECT_EQ(Formato(7, "@@"), " 7");
  EXPECT_EQ(Formato(1234.5, "##,###,##0.00"), "1.234,50");
  EXPECT_EQ(Formato(1234.5, "##,###,##0.00", kRegionalPunto), "1,234.50");
  EXPECT_EQ(Formato(0, "#0"), "0");
  EXPECT_EQ(Formato(0, "##,###,###"), "");
  EXPECT_EQ(Formato(14348907, "##,###,##0"), "14.348.907");
  EXPECT_EQ(Formato(5, "#####0"), "5");
  EXPECT_EQ(Formato(123456789, "#0"), "123456789");  // never cut
  EXPECT_EQ(Formato(11.11, "##0.00") + " %", "11,11 %");
  EXPECT_EQ(Formato(-3.5, "#0.0"), "-3,5");
  EXPECT_EQ(Formato(-0.001, "#0.00"), "0,00");
}

TEST(Formato, RedondeaMitadLejosDeCeroSobreElValorDecimal) {
  // 2.675 is 2.67499999... in binary; on its 15-digit decimal value it is a tie.
  EXPECT_EQ(Formato(2.675, "0.00", kRegionalPunto), "2.68");
  EXPECT_EQ(Formato(0.125, "0.00", kRegionalPunto), "0.13");
  EXPECT_EQ(Formato(-0.125, "0.00", kRegionalPunto), "-0.13");
  EXPECT_EQ(Formato(999.995, "##0.00", kRegionalPunto), "1000.00");
  EXPECT_EQ(Formato(0.5, "#0"), "1");
  EXPECT_EQ(Formato(2.5, "#0"), "3");
  // A single-precision figure rounds on its 7-digit value: 1.005f is 1.00499999523...
  EXPECT_EQ(FormatoSimple(1.005f, "0.00", kRegionalPunto), "1.01");
  EXPECT_EQ(Formato(static_cast<double>(1.005f), "0.00", kRegionalPunto), "1.00");
}

TEST(Formato, Textos) {
  EXPECT_EQ(FormatoTexto("ab", "@@@@"), "  ab");
  EXPECT_EQ(FormatoTexto("ab", "!@@@@"), "ab  ");
  EXPECT_EQ(FormatoTexto("abcdef", "@@@"), "abcdef");
  EXPECT_EQ(FormatoTexto(123.0, "@@@@@@@@@"), "      123");
  EXPECT_EQ(FormatoTexto(81.0, "!@@@@@@@"), "81     ");
  EXPECT_EQ(TextoNumero(0.5), "0.5");
  EXPECT_EQ(TextoNumero(-12), "-12");
  EXPECT_EQ(TextoNumero(1.0 / 3.0), "0.333333333333333");
}

TEST(Formato, ImporteFijoNoDependeDeLaRegion) {
  EXPECT_EQ(ImporteFijo(1234.5, "#######0.00"), "1234.50");
  EXPECT_EQ(ImporteFijo(35.25, "##0.00"), "35.25");
  EXPECT_EQ(ImporteFijo(0, "##0.00"), "0.00");
}

TEST(Val, ComoLoLeenLosFicheros) {
  // Blanks are ignored ("1 2"); the number ends at the first other character.
  const std::pair<const char*, double> casos[] = {{"", 0},          {"abc", 0},    {"   42", 42},
                                                  {" 3525", 3525},  {"-7x", -7},   {"+7", 7},
                                                  {"12.5.3", 12.5}, {"0.50", 0.5}, {"1.5 ", 1.5},
                                                  {"1 2", 12},      {"12,5", 12},  {"\x01\xff", 0}};
  for (const auto& [texto, valor] : casos) EXPECT_DOUBLE_EQ(Val(texto), valor) << texto;
  EXPECT_EQ(ValCorto("99999999"), 32767);
  EXPECT_EQ(ValCorto("-99999999"), -32768);
  EXPECT_EQ(ValEntero("99999999999999999999"), 2147483647);
  EXPECT_EQ(ValEntero(" 14348907"), 14348907);
}

}  // namespace
}  // namespace zendo
