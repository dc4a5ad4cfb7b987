#pragma once
// Checks of the shape of mail header values, for the mail tests (std::regex trips a false
// warning of GCC 12 under the sanitizers).

#include <string>
#include <string_view>
#include <vector>

namespace zendo::prueba {

// Digits become '9', capitals 'A', small letters 'a'; anything else stays.
inline std::string Forma(std::string_view s) {
  std::string f;
  for (char c : s) {
    f += c >= '0' && c <= '9' ? '9' : c >= 'A' && c <= 'Z' ? 'A' : c >= 'a' && c <= 'z' ? 'a' : c;
  }
  return f;
}

// "Tue, 05 Mar 2024 10:07:09 +0100"
inline bool EsFechaCorreo(std::string_view s) {
  const std::string f = Forma(s);
  return f == "Aaa, 99 Aaa 9999 99:99:99 +9999" || f == "Aaa, 99 Aaa 9999 99:99:99 -9999";
}

// "<hex.hex@dominio>"
inline bool EsIdentificador(std::string_view s, std::string_view dominio) {
  const std::string cola = "@" + std::string(dominio) + ">";
  if (s.size() < cola.size() + 4 || s.front() != '<' || s.substr(s.size() - cola.size()) != cola) {
    return false;
  }
  const std::string_view hex = s.substr(1, s.size() - 1 - cola.size());
  const auto punto = hex.find('.');
  return punto != std::string_view::npos && punto > 0 && punto + 1 < hex.size() &&
         hex.find_first_not_of("0123456789abcdef.") == std::string_view::npos &&
         hex.find('.', punto + 1) == std::string_view::npos;
}

// The encoded words "=?UTF-8?Q?...?=" of a header, whole, in order.
inline std::vector<std::string> PalabrasCodificadas(std::string_view h) {
  std::vector<std::string> p;
  for (std::size_t i = h.find("=?UTF-8?Q?"); i != std::string_view::npos;
       i = h.find("=?UTF-8?Q?", i + 1)) {
    const auto fin = h.find("?=", i + 10);
    if (fin == std::string_view::npos) break;
    p.emplace_back(h.substr(i, fin + 2 - i));
    i = fin;
  }
  return p;
}

}  // namespace zendo::prueba
