#include "engine/reduction/cifras.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "engine/core/formato.h"
#include "engine/reduction/tablas_directas.h"

namespace zendo {
namespace {

// Counts of columns by number of variants (signs X or 2 among matches 1..14).
using PorVariantes = std::array<int64_t, kClasesVariantes>;

// Multiplies by one match: `uno` ways without a variant, `otros` ways with one.
void PorPartido(PorVariantes& p, int64_t uno, int64_t otros) {
  for (int k = kClasesVariantes - 1; k >= 0; --k) {
    p[k] = p[k] * uno + (k > 0 ? p[k - 1] * otros : 0);
  }
}

PorVariantes Convolucion(const PorVariantes& a, const PorVariantes& b) {
  PorVariantes r{};
  for (int i = 0; i < kClasesVariantes; ++i) {
    if (a[i] == 0) continue;
    for (int j = 0; i + j < kClasesVariantes; ++j) r[i + j] += a[i] * b[j];
  }
  return r;
}

PorVariantes Unidad() {
  PorVariantes p{};
  p[0] = 1;
  return p;
}

int64_t SinVariante(const DatosPartido& p) {
  return p.Signo[1];
}
int64_t ConVariante(const DatosPartido& p) {
  return p.Signo[2] + p.Signo[3];
}

bool EsReducir(const Reduccion& r, int m) {
  return m <= kPartidosPorcentaje && r.Partido[m].AReducir;
}

int32_t A32(int64_t v) {
  return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

template <std::size_t N>
void Copia(std::array<int32_t, kClasesProbabilidad>& destino, const std::array<int64_t, N>& origen,
           int64_t factor) {
  for (std::size_t i = 0; i < N && i < destino.size(); ++i) destino[i] = A32(origen[i] * factor);
}

// Signs of the base of a match in the order 1, X, 2 ("1X2", "12", "X").
std::string CadenaSignos(const DatosPartido& p) {
  std::string s;
  for (int k = 1; k <= 3; ++k) {
    if (p.Signo[k]) s.push_back(kSignos[k]);
  }
  return s;
}

// Ways of giving the matches a reducir one of their signs, by (count of 1, count of X);
// the count of 2 is what is left.
using TablaSignos = std::array<std::array<int64_t, 15>, 15>;
TablaSignos CuentaPorSignos(const Reduccion& r, int& reducidos) {
  TablaSignos t{};
  t[0][0] = 1;
  reducidos = 0;
  for (int m = 1; m <= kPartidosPorcentaje; ++m) {
    if (!EsReducir(r, m)) continue;
    const auto& p = r.Partido[m];
    TablaSignos n{};
    for (int a = 0; a <= reducidos; ++a) {
      for (int b = 0; a + b <= reducidos; ++b) {
        const int64_t v = t[a][b];
        if (v == 0) continue;
        if (p.Signo[1]) n[a + 1][b] += v;
        if (p.Signo[2]) n[a][b + 1] += v;
        if (p.Signo[3]) n[a][b] += v;
      }
    }
    t = n;
    ++reducidos;
  }
  return t;
}

// Keeps the model's own invariants before counting: flags are 0/1, NumSignos is their sum,
// the probable sign is one of the base while the match is a reducir, match 15 is never one.
void Normaliza(Reduccion& r) {
  for (int m = 1; m <= kPartidos; ++m) {
    auto& p = r.Partido[m];
    if (r.Metodo == kMetodoBalanceSignos && m <= kPartidosPorcentaje) {
      for (int s = 1; s <= 3; ++s) p.Signo[s] = r.Probabilidad[m][s] >= 1 ? 1 : 0;
    }
    p.NumSignos = 0;
    for (int s = 1; s <= 3; ++s) {
      p.Signo[s] = p.Signo[s] != 0 ? 1 : 0;
      p.NumSignos = static_cast<int16_t>(p.NumSignos + p.Signo[s]);
    }
    if (r.Metodo == kMetodoBalanceSignos && m <= kPartidosPorcentaje) {
      p.AReducir = p.NumSignos >= 2;
    }
    if (m == kPartidos) p.AReducir = false;
    if (!p.AReducir || p.Probable < 1 || p.Probable > 3 || !p.Signo[p.Probable]) p.Probable = 0;
  }
}

void MetodoDirecto(const Reduccion& r, Cifras& c, int64_t n15) {
  const TablaElegida tabla = EligeTablaDirecta(c.TriplesReducir, c.DoblesReducir);
  c.FactorReduccion = tabla.FactorReduccion;
  c.DirInicio = static_cast<int16_t>(tabla.DirInicio);
  c.DirColumnas = static_cast<int16_t>(tabla.DirColumnas);
  c.DirTriples = static_cast<int16_t>(tabla.DirTriples);
  c.DirDobles = static_cast<int16_t>(tabla.DirDobles);

  std::array<int, kPartidos + 1> fila{};
  int triples = 0, dobles = 0;
  PorVariantes fuera = Unidad();
  for (int m = 1; m <= kPartidosPorcentaje; ++m) {
    const auto& p = r.Partido[m];
    if (EsReducir(r, m) && p.NumSignos == 3 && triples < tabla.DirTriples) {
      fila[m] = ++triples;
    } else if (EsReducir(r, m) && p.NumSignos == 2 && dobles < tabla.DirDobles) {
      fila[m] = tabla.DirTriples + ++dobles;
    } else {
      PorPartido(fuera, SinVariante(p), ConVariante(p));
    }
  }
  // Variants of the table's columns over the matches that take a row. Without a table
  // nothing is reduced: every base column once, as the factor 1 says.
  PorVariantes enTabla{};
  for (int i = 0; i < std::max(tabla.DirColumnas, 1); ++i) {
    int variantes = 0;
    bool valida = true;
    for (int m = 1; m <= kPartidosPorcentaje; ++m) {
      if (fila[m] == 0) continue;
      const std::string_view digitos = TablaDirecta(tabla.DirInicio + fila[m]);
      const std::string signos = CadenaSignos(r.Partido[m]);
      const int k = static_cast<std::size_t>(i) < digitos.size() ? digitos[i] - '0' : 0;
      if (k < 1 || k > static_cast<int>(signos.size())) {
        valida = false;
        break;
      }
      if (signos[k - 1] != '1') ++variantes;
    }
    if (valida) ++enTabla[variantes];
  }
  const PorVariantes aceptadas = Convolucion(enTabla, fuera);
  int64_t total = 0;
  for (auto v : aceptadas) total += v;
  c.NumApuestas = A32(total * n15);
  Copia(c.Aceptadas, aceptadas, n15);
}

void MetodoColumnaProbable(const Reduccion& r, Cifras& c, int64_t otros) {
  const int t0 = c.TriplesReducir, d0 = c.DoblesReducir;
  std::array<int64_t, kClasesVariantes> base{}, aceptadas{};
  int64_t total = 0;
  for (int t = 0; t <= t0; ++t) {
    for (int d = 0; d <= d0; ++d) {
      const int errores = t + d;
      if (errores >= kClasesVariantes) continue;
      const int64_t n = Combinaciones(d0, d) * Combinaciones(t0, t) * (int64_t{1} << t);
      base[errores] += n;
      if (r.MinErrores <= errores && errores <= r.MaxErrores) {
        aceptadas[errores] += n;
        total += n;
      }
    }
  }
  c.NumApuestas = A32(total * otros);
  Copia(c.QBase, base, otros);
  Copia(c.Aceptadas, aceptadas, otros);
}

void MetodoSeleccionSignos(const Reduccion& r, Cifras& c, int64_t n15) {
  int reducidos = 0;
  const TablaSignos t = CuentaPorSignos(r, reducidos);
  PorVariantes reducidas{};
  for (int c1 = 0; c1 <= c.MaxSignos[1]; ++c1) {
    if (r.TotalSignos[1][c1] != 1) continue;
    for (int cx = 0; cx <= c.MaxSignos[2] && c1 + cx <= reducidos; ++cx) {
      if (r.TotalSignos[2][cx] != 1) continue;
      const int c2 = reducidos - c1 - cx;
      if (c2 > c.MaxSignos[3] || r.TotalSignos[3][c2] != 1) continue;
      reducidas[cx + c2] += t[c1][cx];
    }
  }
  PorVariantes fuera = Unidad();
  for (int m = 1; m <= kPartidosPorcentaje; ++m) {
    if (!EsReducir(r, m)) PorPartido(fuera, SinVariante(r.Partido[m]), ConVariante(r.Partido[m]));
  }
  const PorVariantes aceptadas = Convolucion(reducidas, fuera);
  int64_t total = 0;
  for (auto v : aceptadas) total += v;
  c.NumApuestas = A32(total * n15);
  Copia(c.Aceptadas, aceptadas, n15);
}

void MetodoBalanceSignos(Reduccion& r, Cifras& c, int64_t n15) {
  const LimitesPorcentaje limites = HallaLimitesPorcentaje(r);
  c.PorcMinimo = limites.PorcMinimo;
  c.PorcMaximo = limites.PorcMaximo;
  AjustaRangoPorcentaje(r, limites.PorcMinimo, limites.PorcMaximo);

  // Columns by the sum of their 14 percentages: a column's probability depends only on it.
  std::vector<int64_t> porSuma(1, 1);
  for (int m = 1; m <= kPartidosPorcentaje; ++m) {
    int maximo = 0;
    for (int s = 1; s <= 3; ++s) maximo = std::max<int>(maximo, r.Probabilidad[m][s]);
    std::vector<int64_t> siguiente(porSuma.size() + static_cast<std::size_t>(maximo), 0);
    for (int s = 1; s <= 3; ++s) {
      const int pct = r.Probabilidad[m][s];
      if (pct < 1) continue;
      for (std::size_t suma = 0; suma < porSuma.size(); ++suma) {
        siguiente[suma + static_cast<std::size_t>(pct)] += porSuma[suma];
      }
    }
    porSuma.swap(siguiente);
  }
  const int32_t minimo = DiezMilesimas(r.MinPorcentaje);
  const int32_t maximo = DiezMilesimas(r.MaxPorcentaje);
  int64_t total = 0;
  for (std::size_t suma = 0; suma < porSuma.size(); ++suma) {
    if (porSuma[suma] == 0) continue;
    const int32_t p = ProbabilidadColumna(static_cast<int>(suma));
    const int clase = std::min(p / 10000, kClasesProbabilidad - 1);
    const int64_t n = porSuma[suma] * n15;
    c.QBase[clase] = A32(c.QBase[clase] + n);
    if (AceptaProbabilidad(p, minimo, maximo)) {
      c.Aceptadas[clase] = A32(c.Aceptadas[clase] + n);
      total += n;
    }
  }
  c.NumApuestas = A32(total);
}

}  // namespace

int64_t Combinaciones(int n, int k) {
  if (k < 0 || n < 0 || k > n) return 0;
  int64_t r = 1;
  for (int i = 0; i < k; ++i) r = r * (n - i) / (i + 1);
  return r;
}

int64_t CuentaColumnasSignos(const Reduccion& r, int c1, int cX, int c2) {
  int reducidos = 0;
  const TablaSignos t = CuentaPorSignos(r, reducidos);
  if (c1 < 0 || cX < 0 || c2 < 0 || c1 + cX + c2 != reducidos) return 0;
  return t[c1][cX];
}

int32_t ProbabilidadColumna(int suma) {
  // suma / 14 in ten-thousandths is suma * 5000 / 7, never exactly half-way.
  const int64_t n = int64_t{suma} * 5000;
  int64_t q = n / 7;
  const int64_t resto = n % 7;
  if (resto * 2 > 7) ++q;
  if (resto * 2 < -7) --q;
  return static_cast<int32_t>(q);
}

int32_t DiezMilesimas(float porcentaje) {
  const double v = std::nearbyint(static_cast<double>(porcentaje) * 10000.0);
  return static_cast<int32_t>(std::clamp(v, -2e9, 2e9));
}

LimitesPorcentaje HallaLimitesPorcentaje(const Reduccion& r) {
  int sumaMinimos = 0, sumaMaximos = 0;
  for (int m = 1; m <= kPartidosPorcentaje; ++m) {
    int minimo = 0, maximo = 0;
    for (int s = 1; s <= 3; ++s) {
      const int pct = r.Probabilidad[m][s];
      if (pct > 0 && (minimo == 0 || pct < minimo)) minimo = pct;
      maximo = std::max(maximo, pct);
    }
    sumaMinimos += minimo;
    sumaMaximos += maximo;
  }
  LimitesPorcentaje l;
  l.PorcMinimo =
      static_cast<float>(RedondeaPar(ProbabilidadColumna(sumaMinimos) / 10000.0 - 0.004999, 2));
  l.PorcMaximo =
      static_cast<float>(RedondeaPar(ProbabilidadColumna(sumaMaximos) / 10000.0 + 0.004999, 2));
  return l;
}

void AjustaRangoPorcentaje(Reduccion& r, float porcMinimo, float porcMaximo) {
  // Compared as the two-decimal values they hold, so that a bound typed as 20.15 equals a
  // limit computed as 20.15.
  const int32_t pMin = DiezMilesimas(porcMinimo), pMax = DiezMilesimas(porcMaximo);
  if (pMin >= pMax) {
    r.MinPorcentaje = r.MaxPorcentaje = porcMinimo;
    return;
  }
  const auto centesima = [](float v, int signo) {
    return static_cast<float>(RedondeaPar(static_cast<double>(v) + signo * 0.01, 2));
  };
  // Each pass can only move a bound towards the inside, so two passes settle it.
  for (int vuelta = 0; vuelta < 3; ++vuelta) {
    if (DiezMilesimas(r.MinPorcentaje) < pMin) r.MinPorcentaje = porcMinimo;
    if (DiezMilesimas(r.MinPorcentaje) > pMax) {
      r.MinPorcentaje =
          DiezMilesimas(r.MaxPorcentaje) == pMax ? centesima(porcMaximo, -1) : porcMaximo;
    }
    if (DiezMilesimas(r.MaxPorcentaje) < pMin) {
      r.MaxPorcentaje =
          DiezMilesimas(r.MinPorcentaje) == pMin ? centesima(porcMinimo, +1) : porcMinimo;
    }
    if (DiezMilesimas(r.MaxPorcentaje) > pMax) r.MaxPorcentaje = porcMaximo;
    const int32_t minimo = DiezMilesimas(r.MinPorcentaje);
    if (minimo != 1000000 && minimo == DiezMilesimas(r.MaxPorcentaje)) {
      if (minimo == pMax) {
        r.MinPorcentaje = centesima(porcMaximo, -1);
        continue;
      }
      if (minimo == pMin) {
        r.MaxPorcentaje = centesima(porcMinimo, +1);
        continue;
      }
    }
    break;
  }
}

Cifras RecalculaReduccion(Reduccion& r, const Externo& externo) {
  Normaliza(r);
  Cifras c;
  c.Metodo = r.Metodo;

  int64_t base = 1;
  int64_t otros = 1;  // the matches developed in full whatever the criteria
  PorVariantes variantesBase = Unidad();
  for (int m = 1; m <= kPartidos; ++m) {
    const auto& p = r.Partido[m];
    base *= p.NumSignos;
    if (p.NumSignos == 2) {
      ++c.Dobles;
      if (p.AReducir) ++c.DoblesReducir;
    } else if (p.NumSignos == 3) {
      ++c.Triples;
      if (p.AReducir) ++c.TriplesReducir;
    }
    if (p.AReducir) {
      ++c.MultiplesReducir;
      for (int s = 1; s <= 3; ++s)
        c.MaxSignos[s] = static_cast<int16_t>(c.MaxSignos[s] + p.Signo[s]);
    } else {
      otros *= p.NumSignos;
    }
    if (m <= kPartidosPorcentaje) PorPartido(variantesBase, SinVariante(p), ConVariante(p));
  }
  for (int s = 1; s <= 3; ++s) {
    for (int n = c.MaxSignos[s] + 1; n <= 14; ++n) r.TotalSignos[s][n] = 0;
  }
  c.ApuestasBase = A32(base);
  const int64_t n15 = r.Partido[kPartidos].NumSignos;

  switch (r.Metodo) {
    case kMetodoDirecto:
      Copia(c.QBase, variantesBase, n15);
      MetodoDirecto(r, c, n15);
      break;
    case kMetodoColumnaProbable:
      MetodoColumnaProbable(r, c, otros);
      break;
    case kMetodoSeleccionSignos:
      Copia(c.QBase, variantesBase, n15);
      MetodoSeleccionSignos(r, c, n15);
      break;
    case kMetodoBalanceSignos:
      MetodoBalanceSignos(r, c, n15);
      break;
    case kMetodoManual:
      Copia(c.QBase, variantesBase, n15);
      c.NumApuestas = c.ApuestasQuiniela = c.ApuestasBase;
      c.ApuestasExternas =
          r.IncluyeExterno == 1 && externo.ExternoValido ? externo.ColumnasExternas : 0;
      std::copy(externo.Externas.begin(), externo.Externas.end(), c.Aceptadas.begin());
      break;
    default:
      break;
  }

  if (c.ApuestasBase == 0) {
    c.NumApuestas = 0;
    c.ApuestasQuiniela = 0;
    c.QBase.fill(0);
    if (r.Metodo != kMetodoManual) c.Aceptadas.fill(0);
  } else if (r.Metodo != kMetodoDirecto && c.NumApuestas != 0) {
    c.FactorReduccion = static_cast<float>(static_cast<double>(c.ApuestasBase) / c.NumApuestas);
  }

  r.ApuestasBase = c.ApuestasBase;
  r.NumApuestas = c.NumApuestas;
  r.ApuestasQuiniela = c.ApuestasQuiniela;
  r.ApuestasExternas = c.ApuestasExternas;
  return c;
}

}  // namespace zendo
