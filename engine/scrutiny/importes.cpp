#include "engine/scrutiny/importes.h"

#include "engine/core/formato.h"

namespace zendo {

std::string TextoPremio(double premio) {
  return ImporteFijo(premio, "#######0.00");
}

std::string NormalizaImporte(std::string_view texto) {
  std::string t = ImporteFijo(Val(texto), "#######0.00");
  if (t.size() > kAnchoImporte) t.erase(0, t.size() - kAnchoImporte);
  return t;
}

Centimos CentimosDeImporte(std::string_view normalizado) {
  constexpr Centimos kTope = 100'000'000'000'000'000;  // far above 11 characters
  // The text holds an optional sign, digits, a point and two digits: read as one integer of
  // cents. Anything unexpected ends the number, as Val would.
  Centimos c = 0;
  bool negativo = false;
  int decimales = -1;  // digits read after the point
  std::size_t i = 0;
  while (i < normalizado.size() && normalizado[i] == ' ') ++i;
  if (i < normalizado.size() && (normalizado[i] == '-' || normalizado[i] == '+')) {
    negativo = normalizado[i] == '-';
    ++i;
  }
  for (; i < normalizado.size(); ++i) {
    const char ch = normalizado[i];
    if (ch == '.' && decimales < 0) {
      decimales = 0;
      continue;
    }
    if (ch < '0' || ch > '9' || decimales == 2 || c > kTope) break;
    c = c * 10 + (ch - '0');
    if (decimales >= 0) ++decimales;
  }
  for (int d = decimales < 0 ? 0 : decimales; d < 2; ++d) c *= 10;
  return negativo ? -c : c;
}

std::string TextoCentimos(Centimos c) {
  const bool negativo = c < 0;
  const auto absoluto = static_cast<uint64_t>(negativo ? -(c + 1) : c) + (negativo ? 1U : 0U);
  std::string t = std::to_string(absoluto / 100);
  const auto resto = static_cast<unsigned>(absoluto % 100);
  t += '.';
  t += static_cast<char>('0' + resto / 10);
  t += static_cast<char>('0' + resto % 10);
  return negativo ? "-" + t : t;
}

std::string CampoImporte(Centimos c) {
  return FormatoTexto(TextoCentimos(c), std::string(kAnchoImporte, '@'));
}

}  // namespace zendo
