#include "engine/core/texto.h"

#include <gtest/gtest.h>

namespace zendo {
namespace {

TEST(Texto, LosDoscientosCincuentaYSeisBytesVanYVuelven) {
  std::string todos;
  for (int b = 0; b < 256; ++b) todos.push_back(static_cast<char>(b));
  const auto vuelta = Utf8ACp1252(Cp1252AUtf8(todos));
  ASSERT_TRUE(vuelta.ok);
  EXPECT_EQ(vuelta.texto, todos);
}

TEST(Texto, LetrasEspanolasYEuro) {
  EXPECT_EQ(Cp("ñáéíóúüÑ€"), "\xF1\xE1\xE9\xED\xF3\xFA\xFC\xD1\x80");
  EXPECT_EQ(Cp1252AUtf8("Espa\xF1"
                        "a \x80"),
            "España €");
}

TEST(Texto, UnCaracterFueraDeWindows1252SeInforma) {
  const auto r = Utf8ACp1252(
      "ab\xE2\x86\x92"
      "c");  // an arrow
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.posicion, 2u);
  EXPECT_FALSE(Utf8ACp1252("\xC3").ok);          // cut sequence
  EXPECT_FALSE(Utf8ACp1252("\xC0\xAF").ok);      // overlong
  EXPECT_FALSE(Utf8ACp1252("\xED\xA0\x80").ok);  // surrogate
}

TEST(Texto, RecortesYAnchos) {
  EXPECT_EQ(Recorta("  a b  "), "a b");
  EXPECT_EQ(Recorta("    "), "");
  EXPECT_EQ(AjustaAncho("1.5", 4), "1.5 ");
  EXPECT_EQ(AjustaAncho("123456", 4), "1234");
}

}  // namespace
}  // namespace zendo
