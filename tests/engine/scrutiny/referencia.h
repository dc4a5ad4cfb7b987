#pragma once
// An independent count of a scrutiny for the tests: the columns file split into lines, every
// column against the winning one, HallaBoleto asked for every column, the lines of both lists
// built with plain string arithmetic and the amounts in integer cents.

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "engine/consult/boletos.h"

namespace zendo::prueba {

struct Referencia {
  std::vector<std::string> aciertos;  // the 17 lines
  std::vector<std::string> boletos;
  int64_t columnas = 0;
};

inline std::string Derecha(const std::string& s, std::size_t ancho) {
  return s.size() >= ancho ? s : std::string(ancho - s.size(), ' ') + s;
}

inline std::string Euros(int64_t centimos) {
  char buf[64];
  const int64_t a = centimos < 0 ? -centimos : centimos;
  std::snprintf(buf, sizeof buf, "%s%lld.%02lld", centimos < 0 ? "-" : "",
                static_cast<long long>(a / 100), static_cast<long long>(a % 100));
  return buf;
}

// The column a line holds: the text between its quotes, or the line up to a comma.
inline std::string ColumnaReferencia(std::string linea) {
  if (!linea.empty() && linea.back() == '\r') linea.pop_back();
  const auto inicio = linea.find_first_not_of(' ');
  if (inicio == std::string::npos) return {};
  linea.erase(0, inicio);
  if (linea[0] == '"') {
    const auto cierre = linea.find('"', 1);
    return linea.substr(1, cierre == std::string::npos ? std::string::npos : cierre - 1);
  }
  linea = linea.substr(0, linea.find(','));
  while (!linea.empty() && linea.back() == ' ') linea.pop_back();
  return linea;
}

// premios: cents per column of categories 1..6 ([0] unused).
inline Referencia EscrutinioReferencia(const Reduccion& r, const std::string& contenido,
                                       const std::string& ganadora,
                                       const std::array<int64_t, 7>& premios) {
  Referencia ref;
  std::vector<std::string> lineas;
  std::size_t desde = 0;
  while (desde < contenido.size()) {
    auto nl = contenido.find('\n', desde);
    if (nl == std::string::npos) nl = contenido.size();
    lineas.push_back(contenido.substr(desde, nl - desde));
    desde = nl + 1;
  }
  std::array<int64_t, 16> total{};
  std::array<int64_t, 16> boleto{};
  int64_t actual = 1;
  auto anota = [&](int64_t b) {
    int64_t suma = 0;
    std::string linea = Derecha(std::to_string(b), 6) + "  ";
    for (int k = 15; k >= 10; --k) {
      suma += boleto[k];
      linea += "  " + (boleto[k] == 0 ? std::string(" ") : std::to_string(boleto[k]));
    }
    if (suma > 0) ref.boletos.push_back(linea);
  };
  int64_t n = 0;
  for (const std::string& l : lineas) {
    const std::string c = ColumnaReferencia(l);
    if (c.find_first_not_of(' ') == std::string::npos) continue;
    ++n;
    int h = 0;
    for (std::size_t m = 0; m < 14; ++m) h += m < c.size() && c[m] == ganadora[m];
    if (h == 14 && c.size() > 14 && c[14] == ganadora[14]) h = 15;
    ++total[h];
    if (h == 15) ++total[14];
    const int64_t b = HallaBoleto(r, static_cast<int32_t>(n)).boleto;
    if (b != actual) {
      anota(actual);
      actual = b;
      boleto = {};
    }
    ++boleto[h];
  }
  anota(actual);
  ref.columnas = n;
  int64_t suma = 0;
  ref.aciertos.push_back(" ");
  for (int k = 15; k >= 0; --k) {
    std::string importe = " ";
    if (k >= 10 && total[k] >= 1) {
      const int64_t c = total[k] * premios[16 - k];
      suma += c;
      importe = Derecha(Euros(c), 11);
    }
    ref.aciertos.push_back("  " + Derecha(std::to_string(k), 2) + " " +
                           Derecha(std::to_string(total[k]), 6) + " " + importe);
  }
  ref.aciertos[0] = " Suma total:" + Derecha(Euros(suma), 11);
  return ref;
}

}  // namespace zendo::prueba
