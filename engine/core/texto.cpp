#include "engine/core/texto.h"

#include <array>
#include <cstdint>

namespace zendo {
namespace {

// Unicode code points of bytes 0x80..0x9F in Windows-1252.
constexpr std::array<char32_t, 32> kAltos = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t CodigoDe(unsigned char b) {
  if (b >= 0x80 && b <= 0x9F) return kAltos[b - 0x80];
  return b;
}

void AnadeUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

std::optional<unsigned char> ByteDe(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<unsigned char>(c);
  for (std::size_t i = 0; i < kAltos.size(); ++i) {
    if (kAltos[i] == c) return static_cast<unsigned char>(0x80 + i);
  }
  return std::nullopt;
}

// Decodes one UTF-8 sequence at s[i]; returns the length or 0 when malformed.
std::size_t DecodificaUtf8(std::string_view s, std::size_t i, char32_t& c) {
  const auto b0 = static_cast<unsigned char>(s[i]);
  std::size_t largo = 0;
  if (b0 < 0x80) {
    c = b0;
    return 1;
  } else if ((b0 & 0xE0) == 0xC0) {
    largo = 2;
    c = b0 & 0x1F;
  } else if ((b0 & 0xF0) == 0xE0) {
    largo = 3;
    c = b0 & 0x0F;
  } else if ((b0 & 0xF8) == 0xF0) {
    largo = 4;
    c = b0 & 0x07;
  } else {
    return 0;
  }
  if (i + largo > s.size()) return 0;
  for (std::size_t k = 1; k < largo; ++k) {
    const auto b = static_cast<unsigned char>(s[i + k]);
    if ((b & 0xC0) != 0x80) return 0;
    c = (c << 6) | (b & 0x3F);
  }
  static constexpr std::array<char32_t, 5> kMinimo = {0, 0, 0x80, 0x800, 0x10000};
  if (c < kMinimo[largo] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
  return largo;
}

}  // namespace

std::string Cp1252AUtf8(std::string_view cp1252) {
  std::string out;
  out.reserve(cp1252.size() + cp1252.size() / 4);
  for (char ch : cp1252) AnadeUtf8(out, CodigoDe(static_cast<unsigned char>(ch)));
  return out;
}

ConversionCp1252 Utf8ACp1252(std::string_view utf8) {
  ConversionCp1252 r;
  r.texto.reserve(utf8.size());
  std::size_t i = 0;
  while (i < utf8.size()) {
    char32_t c = 0;
    const std::size_t largo = DecodificaUtf8(utf8, i, c);
    const auto byte = largo == 0 ? std::nullopt : ByteDe(c);
    if (!byte) {
      r.ok = false;
      r.posicion = i;
      return r;
    }
    r.texto.push_back(static_cast<char>(*byte));
    i += largo;
  }
  return r;
}

std::string Cp(std::string_view utf8) {
  return Utf8ACp1252(utf8).texto;
}

std::string_view RecortaIzq(std::string_view s) {
  const auto p = s.find_first_not_of(' ');
  return p == std::string_view::npos ? std::string_view{} : s.substr(p);
}

std::string_view RecortaDer(std::string_view s) {
  const auto p = s.find_last_not_of(' ');
  return p == std::string_view::npos ? std::string_view{} : s.substr(0, p + 1);
}

std::string_view Recorta(std::string_view s) {
  return RecortaDer(RecortaIzq(s));
}

std::string AjustaAncho(std::string_view s, std::size_t n) {
  std::string r(s.substr(0, n));
  r.resize(n, ' ');
  return r;
}

std::string EscapaControl(std::string_view cp1252) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string r;
  r.reserve(cp1252.size());
  for (const char c : cp1252) {
    const auto b = static_cast<unsigned char>(c);
    const bool c1 = b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D;
    if (b == '\\') {
      r += "\\\\";
    } else if (b < 0x20 || b == 0x7F || c1) {
      r += "\\x";
      r += kHex[b >> 4];
      r += kHex[b & 0xF];
    } else {
      r += c;
    }
  }
  return r;
}

}  // namespace zendo
