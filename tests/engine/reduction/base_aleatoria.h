#pragma once
// Random definitions for the tests: a base with a few multiples, random fixed signs and
// random criteria of every method (empty and full selections included).

#include <algorithm>
#include <array>
#include <random>
#include <vector>

#include "engine/reduction/modelo.h"

namespace zendo::prueba {

// A random base with up to `maxMultiples` multiples, random fixed signs and random criteria.
inline Reduccion Aleatoria(std::mt19937& gen, int metodo, int maxMultiples) {
  const auto u = [&gen](int a, int b) { return std::uniform_int_distribution<int>(a, b)(gen); };
  Reduccion r = ReduccionNueva(1, 1, static_cast<int16_t>(metodo));
  const int multiples = u(0, maxMultiples);
  std::array<int, 16> orden{};
  for (int m = 1; m <= 15; ++m) orden[m] = m;
  std::shuffle(orden.begin() + 1, orden.end(), gen);
  for (int m = 1; m <= 15; ++m) {
    auto& p = r.Partido[m];
    p.Signo = {0, 0, 0, 0};
    const bool multiple = std::find(orden.begin() + 1, orden.begin() + 1 + multiples, m) !=
                          orden.begin() + 1 + multiples;
    const int n = multiple ? u(2, 3) : (u(0, 60) == 0 ? 0 : 1);  // now and then no sign
    while (p.Signo[1] + p.Signo[2] + p.Signo[3] < n) p.Signo[u(1, 3)] = 1;
    p.NumSignos = static_cast<int16_t>(n);
    p.AReducir = m <= 14 && multiple && u(0, 4) != 0;
    // A match a reducir that lost a sign after it was ticked.
    if (m <= 14 && n == 1 && u(0, 20) == 0) p.AReducir = true;
    if (p.AReducir) {
      std::vector<int> propios;
      for (int s = 1; s <= 3; ++s)
        if (p.Signo[s]) propios.push_back(s);
      if (!propios.empty())
        p.Probable = static_cast<int16_t>(propios[u(0, static_cast<int>(propios.size()) - 1)]);
    }
    // Percentages: a few matches carry two or three signs.
    std::array<int16_t, 4> pct{0, 0, 0, 0};
    if (m <= 14 && multiple) {
      const int a = u(1, 98);
      const int b = n == 3 ? u(1, 99 - a) : 100 - a;
      pct = {0, static_cast<int16_t>(a), static_cast<int16_t>(b),
             static_cast<int16_t>(100 - a - b)};
      std::shuffle(pct.begin() + 1, pct.end(), gen);
    } else {
      pct[u(1, 3)] = 100;
    }
    if (u(0, 60) == 0) pct = {0, 0, 0, 0};  // now and then a damaged match without percentages
    r.Probabilidad[m] = pct;
  }
  int multiplesReducir = 0;
  for (int m = 1; m <= 14; ++m) multiplesReducir += r.Partido[m].AReducir;
  r.MinErrores = static_cast<int16_t>(u(0, multiplesReducir + 1));
  r.MaxErrores = static_cast<int16_t>(u(0, multiplesReducir + 1));
  const int modoTotales = u(0, 5);  // 0 none, 1 all, else random cells
  for (int s = 1; s <= 3; ++s) {
    for (int n = 0; n <= 14; ++n) {
      r.TotalSignos[s][n] = static_cast<int16_t>(modoTotales == 1 || (modoTotales > 1 && u(0, 1)));
    }
  }
  r.MinPorcentaje = static_cast<float>(u(0, 10000) / 100.0);
  r.MaxPorcentaje = u(0, 3) == 0 ? 100.0f : static_cast<float>(u(0, 10000) / 100.0);
  r.IncluyeExterno = static_cast<int16_t>(u(0, 1));
  return r;
}

}  // namespace zendo::prueba
