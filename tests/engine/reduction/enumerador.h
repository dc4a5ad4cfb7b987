#pragma once
// Brute force for the tests and the benchmark: develops every column of a Quiniela Base
// one by one, applies each method's rule to each column, and counts the figures. Slow on
// purpose and written from the per-column rules only, so it checks the counted figures.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/reduction/modelo.h"
#include "engine/reduction/tablas_directas.h"

namespace zendo::prueba {

struct Enumeracion {
  int64_t ApuestasBase = 0;
  int64_t NumApuestas = 0;
  std::array<int64_t, 101> QBase{};
  std::array<int64_t, 101> Aceptadas{};
  int32_t probMinima = -1;  // method 4: lowest and highest column probability (1/10000)
  int32_t probMaxima = -1;
};

// The signs of match m as the development sees them.
inline std::string SignosDe(const Reduccion& r, int m) {
  std::string s;
  for (int k = 1; k <= 3; ++k) {
    const bool esta = r.Metodo == kMetodoBalanceSignos && m <= 14 ? r.Probabilidad[m][k] > 0
                                                                  : r.Partido[m].Signo[k] != 0;
    if (esta) s.push_back(kSignos[k]);
  }
  return s;
}

inline bool AReducirEnumerado(const Reduccion& r, int m) {
  if (m == 15) return false;
  if (r.Metodo == kMetodoBalanceSignos) return SignosDe(r, m).size() >= 2;
  return r.Partido[m].AReducir;
}

inline int Variantes(const std::string& columna) {
  int v = 0;
  for (int m = 0; m < 14; ++m) v += columna[static_cast<std::size_t>(m)] != '1';
  return v;
}

inline int PctIndice(char signo) {
  return signo == '1' ? 1 : signo == 'X' ? 2 : 3;
}

// Probability of a column in ten-thousandths, through a double as a plain program would.
inline int32_t ProbabilidadEnumerada(const Reduccion& r, const std::string& columna) {
  int suma = 0;
  for (int m = 1; m <= 14; ++m)
    suma += r.Probabilidad[m][PctIndice(columna[static_cast<std::size_t>(m - 1)])];
  return static_cast<int32_t>(std::nearbyint(suma / 14.0 * 10000.0));
}

// Calls `f(columna)` for every column of the base, match 1 fastest. Matches with `fijo`
// set keep their first sign (the direct table fills them in).
template <typename F>
void Desarrolla(const Reduccion& r, const std::array<bool, 16>& fijo, F&& f) {
  std::array<std::string, 16> signos;
  for (int m = 1; m <= 15; ++m) {
    signos[m] = SignosDe(r, m);
    if (signos[m].empty()) return;
  }
  std::array<std::size_t, 16> ind{};
  std::string columna(15, ' ');
  while (true) {
    for (int m = 1; m <= 15; ++m) columna[static_cast<std::size_t>(m - 1)] = signos[m][ind[m]];
    f(columna);
    int m = 1;
    for (; m <= 15; ++m) {
      if (!fijo[m] && ++ind[m] < signos[m].size()) break;
      ind[m] = 0;
    }
    if (m > 15) return;
  }
}

// The class of a column in the chart: errors, variants or whole percentage.
inline int ClaseEnumerada(const Reduccion& r, const std::string& col) {
  if (r.Metodo == kMetodoBalanceSignos) return ProbabilidadEnumerada(r, col) / 10000;
  if (r.Metodo != kMetodoColumnaProbable) return Variantes(col);
  int errores = 0;
  for (int m = 1; m <= 14; ++m) {
    const int p = r.Partido[m].Probable;
    errores += p != 0 && col[static_cast<std::size_t>(m - 1)] != kSignos[p];
  }
  return errores;
}

// Whether the rule of the method keeps column `col`; `minimo` / `maximo`: the bounds of
// method 4 in ten-thousandths.
inline bool AceptaEnumerada(const Reduccion& r, const std::string& col, int32_t minimo,
                            int32_t maximo) {
  std::array<int, 4> n{};
  switch (r.Metodo) {
    case kMetodoColumnaProbable:
      n[0] = ClaseEnumerada(r, col);
      return r.MinErrores <= n[0] && n[0] <= r.MaxErrores;
    case kMetodoSeleccionSignos:
      for (int m = 1; m <= 14; ++m) {
        if (AReducirEnumerado(r, m)) ++n[PctIndice(col[static_cast<std::size_t>(m - 1)])];
      }
      return r.TotalSignos[1][n[1]] == 1 && r.TotalSignos[2][n[2]] == 1 &&
             r.TotalSignos[3][n[3]] == 1;
    case kMetodoBalanceSignos: {
      const int32_t p = ProbabilidadEnumerada(r, col);
      return minimo <= p && p <= maximo;
    }
    default:
      return true;
  }
}

// Calls `f(columna)` for every column the reduction keeps, in the order of its file: the
// direct method puts each development of the unreduced matches through every column of its
// table; without a table every base column once (nothing is reduced).
template <typename F>
void ColumnasEnumeradas(const Reduccion& r, int32_t minimo, int32_t maximo, F&& f) {
  std::array<bool, 16> fijo{};
  if (r.Metodo != kMetodoDirecto) {
    Desarrolla(r, fijo, [&](const std::string& col) {
      if (AceptaEnumerada(r, col, minimo, maximo)) f(col);
    });
    return;
  }
  int t = 0, d = 0;
  for (int m = 1; m <= 14; ++m) {
    if (!r.Partido[m].AReducir) continue;
    t += SignosDe(r, m).size() == 3;
    d += SignosDe(r, m).size() == 2;
  }
  const TablaElegida tabla = EligeTablaDirecta(t, d);
  std::array<int, 16> fila{};
  int triples = 0, dobles = 0;
  for (int m = 1; m <= 14; ++m) {
    if (!r.Partido[m].AReducir) continue;
    const std::size_t n = SignosDe(r, m).size();
    if (n == 3 && triples < tabla.DirTriples) fila[m] = ++triples;
    if (n == 2 && dobles < tabla.DirDobles) fila[m] = tabla.DirTriples + ++dobles;
    fijo[m] = fila[m] != 0;
  }
  Desarrolla(r, fijo, [&](const std::string& col) {
    for (int i = 0; i < std::max(tabla.DirColumnas, 1); ++i) {
      std::string copia = col;
      for (int m = 1; m <= 14; ++m) {
        if (fila[m] == 0) continue;
        const int k = TablaDirecta(tabla.DirInicio + fila[m])[static_cast<std::size_t>(i)] - '0';
        copia[static_cast<std::size_t>(m - 1)] = SignosDe(r, m)[static_cast<std::size_t>(k - 1)];
      }
      f(copia);
    }
  });
}

inline Enumeracion Enumera(const Reduccion& r, int32_t minimo = 0, int32_t maximo = 0) {
  Enumeracion e;
  Desarrolla(r, std::array<bool, 16>{}, [&](const std::string& col) {
    ++e.ApuestasBase;
    ++e.QBase[static_cast<std::size_t>(ClaseEnumerada(r, col))];
    if (r.Metodo != kMetodoBalanceSignos) return;
    const int32_t p = ProbabilidadEnumerada(r, col);
    if (e.probMinima < 0 || p < e.probMinima) e.probMinima = p;
    e.probMaxima = std::max(e.probMaxima, p);
  });
  ColumnasEnumeradas(r, minimo, maximo, [&](const std::string& col) {
    ++e.NumApuestas;
    ++e.Aceptadas[static_cast<std::size_t>(ClaseEnumerada(r, col))];
  });
  return e;
}

}  // namespace zendo::prueba
