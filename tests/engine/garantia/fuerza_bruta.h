#pragma once
// The guarantee counted the slow way: every winning column of the base against every stored
// column, straight from the definitions.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/reduction/modelo.h"

namespace zendo::prueba {

struct GarantiaBruta {
  int64_t ganadoras = 0;
  std::array<int64_t, 15> mejor{};
  int garantia = -1;
  std::array<int64_t, 15> aciertos{};
  std::array<long double, 15> probabilidad{};  // method 4
};

inline GarantiaBruta GarantiaFuerzaBruta(const Reduccion& r,
                                         const std::vector<std::string>& columnas) {
  GarantiaBruta b;
  std::array<std::string, 14> base;
  std::array<long double, 14> suma{};
  for (int m = 0; m < 14; ++m) {
    for (int s = 1; s <= 3; ++s) {
      if (r.Partido[m + 1].Signo[s]) {
        base[m] += kSignos[s];
        suma[m] += r.Probabilidad[m + 1][s];
      }
    }
    if (base[m].empty()) return b;
  }
  std::array<std::size_t, 14> ind{};
  std::string w(14, ' ');
  while (true) {
    long double peso = 1;
    for (int m = 0; m < 14; ++m) {
      w[m] = base[m][ind[m]];
      const int s = w[m] == '1' ? 1 : w[m] == 'X' ? 2 : 3;
      peso *= suma[m] > 0 ? r.Probabilidad[m + 1][s] / suma[m] : 1.0L / base[m].size();
    }
    ++b.ganadoras;
    int mejor = -1;
    for (const std::string& c : columnas) {
      int aciertos = 0;
      for (int m = 0; m < 14; ++m) aciertos += c[m] == w[m];
      ++b.aciertos[aciertos];
      mejor = std::max(mejor, aciertos);
    }
    if (mejor >= 0) {
      ++b.mejor[mejor];
      b.probabilidad[mejor] += peso;
    }
    int m = 0;
    for (; m < 14; ++m) {
      if (++ind[m] < base[m].size()) break;
      ind[m] = 0;
    }
    if (m == 14) break;
  }
  for (int k = 0; k <= 14; ++k) {
    if (b.mejor[k] > 0) {
      b.garantia = k;
      break;
    }
  }
  return b;
}

}  // namespace zendo::prueba
