#pragma once
// The live figures of a reduction: how many columns the Quiniela Base has, how many the
// criteria accept, the direct table of method 1, the bounds of the column probability and
// the two histograms of the chart. Everything is counted, never enumerated, so that it can
// run after every click.

#include <array>
#include <cstdint>

#include "engine/reduction/externo.h"
#include "engine/reduction/modelo.h"

namespace zendo {

inline constexpr int kClasesVariantes = 15;      // 0..14 variants or errors
inline constexpr int kClasesProbabilidad = 101;  // method 4: whole part 0..100

struct Cifras {
  int32_t ApuestasBase = 1;
  int16_t Dobles = 0;
  int16_t Triples = 0;
  int16_t DoblesReducir = 0;
  int16_t TriplesReducir = 0;
  int16_t MultiplesReducir = 0;
  std::array<int16_t, 4> MaxSignos{};  // [1..3]
  int32_t NumApuestas = 0;
  float FactorReduccion = 1;
  // The direct table of method 1 (all 0 for the other methods or without a table).
  int16_t DirInicio = 0;
  int16_t DirColumnas = 0;
  int16_t DirTriples = 0;
  int16_t DirDobles = 0;
  float PorcMinimo = 0;  // method 4 only
  float PorcMaximo = 0;
  int32_t ApuestasQuiniela = 0;  // method 5 only
  int32_t ApuestasExternas = 0;
  // Histograms of the chart. Classes 0..14 (errors for method 2, variants otherwise) or
  // 0..100 for method 4 (Clases() tells which). With method 5 Aceptadas holds the external
  // columns per number of variants ("Externas").
  std::array<int32_t, kClasesProbabilidad> QBase{};
  std::array<int32_t, kClasesProbabilidad> Aceptadas{};
  int16_t Metodo = 0;  // the method they were computed for

  int Clases() const {
    return Metodo == kMetodoBalanceSignos ? kClasesProbabilidad : kClasesVariantes;
  }
  bool operator==(const Cifras&) const = default;
};

// Recomputes every figure from the model and brings the model in line with them:
// - method 4 derives the base of matches 1..14 from the percentages (a sign is in the base
//   when its percentage is at least 1, a match is a reducir when it has two or more) and
//   keeps MinPorcentaje / MaxPorcentaje inside the limits (AjustaRangoPorcentaje);
// - TotalSignos cells above MaxSignos are cleared;
// - match 15 is never a reducir (always developed in full);
// - the stored counts ApuestasBase, NumApuestas, ApuestasQuiniela and ApuestasExternas of
//   the model take the new values.
// `externo` matters for method 5 only (its columns count when r.IncluyeExterno is 1).
Cifras RecalculaReduccion(Reduccion& r, const Externo& externo = {});

// C(n, k) exactly; 0 outside 0 <= k <= n.
int64_t Combinaciones(int n, int k);

// Ways of giving every match a reducir (1..14) one of its base signs so that exactly c1 of
// them get "1", cX get "X" and c2 get "2".
int64_t CuentaColumnasSignos(const Reduccion& r, int c1, int cX, int c2);

// Lowest and highest column probability the percentages of matches 1..14 allow, rounded
// outwards to two decimals.
struct LimitesPorcentaje {
  float PorcMinimo = 0;
  float PorcMaximo = 0;
};
LimitesPorcentaje HallaLimitesPorcentaje(const Reduccion& r);

// Keeps MinPorcentaje and MaxPorcentaje of `r` inside the limits. When the two limits are
// equal the range becomes that single value.
void AjustaRangoPorcentaje(Reduccion& r, float porcMinimo, float porcMaximo);

// The probability of a column whose 14 percentages add up to `suma`, in ten-thousandths:
// suma / 14 held with four decimals (ties to even).
int32_t ProbabilidadColumna(int suma);

// A percentage bound in ten-thousandths (the two-decimal value it holds).
int32_t DiezMilesimas(float porcentaje);

// The acceptance rule of method 4 for one column probability in ten-thousandths; the
// generation and the figures both decide with it.
inline bool AceptaProbabilidad(int32_t probabilidad, int32_t minimo, int32_t maximo) {
  return minimo <= probabilidad && probabilidad <= maximo;
}

}  // namespace zendo
