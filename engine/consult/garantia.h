#pragma once
// The guarantee of a stored reduction: if the result of matches 1 to 14 falls inside the
// Quiniela Base, how many hits is the best stored column sure to have, and how often does
// each number of hits happen. Match 15 only turns a 14 into a 15 and is left out.
//
// A winning column is any column of the base (a sign of the base in each match 1..14); its
// best is the largest number of hits of any stored column against it. Counting that one
// winning column at a time is hopeless (4.8 million of them against up to 14.3 million
// stored columns), so the misses of the best column are a distance transform: every stored
// column is a source at distance 0 in the grid of sign combinations, and the distance to a
// winning column is the Hamming distance over matches 1..14, computed one match at a time
// (exactly what a breadth-first search from all the sources finds, with far less work). A
// stored sign outside the base is a value of that match's axis that no winning column
// shares, so it can never hit. The pair counts come per stored column from a product of
// per-match polynomials, grouped by the set of matches where the column's sign is in the base.

#include <array>
#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/core/fallo.h"
#include "engine/reduction/modelo.h"

namespace zendo {

inline constexpr int kMaxAciertos = 14;  // hits are counted over matches 1 to 14

struct Garantia {
  int64_t ganadoras = 0;  // winning columns of the base (product of its signs in matches 1..14)
  int64_t columnas = 0;   // stored columns read
  // mejor[k]: winning columns whose best stored column has exactly k hits.
  std::array<int64_t, kMaxAciertos + 1> mejor{};
  // The smallest k with mejor[k] > 0; -1 when there is none (no column, or an empty base).
  int garantia = -1;
  // aciertos[k]: (winning column, stored column) pairs with exactly k hits.
  std::array<int64_t, kMaxAciertos + 1> aciertos{};
  // Method 4: the share of winning columns with best = k, each weighted by the stored
  // percentages of its signs (normalised over each match's base signs).
  bool ponderada = false;
  std::array<double, kMaxAciertos + 1> probabilidad{};
  // The same share exactly rounded to millionths (half up), as it is printed; and the share
  // with best >= k, rounded the same way.
  std::array<int64_t, kMaxAciertos + 1> millonesimas{};
  std::array<int64_t, kMaxAciertos + 1> millonesimasAlMenos{};
};

// What share of the work is done, 0 to 100.
using ProgresoGarantia = std::function<void(int porcentaje)>;

// The computation fed one stored column at a time. At most ~5 MB whatever the number of
// columns: a bit per sign combination of matches 1..14 and a count per set of hit-able
// matches.
class CalculoGarantia {
 public:
  explicit CalculoGarantia(const Reduccion& r);

  // One stored column: its signs, match 1 first (the quotes already stripped). False, and
  // nothing counted, when matches 1 to 14 are not all "1", "X" or "2" (lower-case x taken
  // as X).
  bool Anade(std::string_view signos);

  // The figures of the columns added; nothing when `cancelar` was set on the way.
  // `progreso` sees 0 to 100 of this step.
  bool Termina(Garantia& g, const ProgresoGarantia& progreso, const std::atomic<bool>& cancelar);

 private:
  std::array<std::array<uint64_t, 256>, kMaxAciertos> tabla_{};  // per match: sign -> code
  std::array<int, kMaxAciertos> numSignos_{};
  std::array<std::array<int, 3>, kMaxAciertos> signosBase_{};  // sign digits of the base
  uint32_t fuera_ = 0;                // bit per match where a stored sign lies outside the base
  std::vector<uint64_t> vistas_;      // one bit per sign combination
  std::vector<int64_t> porConjunto_;  // columns per set of hit-able matches
  std::array<std::array<int64_t, 3>, kMaxAciertos> peso_{};  // method 4 numerators
  std::array<int64_t, kMaxAciertos> pesoTotal_{};            // and denominators
  bool ponderada_ = false;
  int64_t columnas_ = 0;
};

enum class EstadoGarantia { Calculada, Cancelada, Fallo };

struct ResultadoGarantia {
  EstadoGarantia estado = EstadoGarantia::Fallo;
  int16_t error = 0;    // ErrorFichero when the columns file could not be read
  std::string mensaje;  // what went wrong, for the message box (Windows-1252)
  FalloFichero fallo;   // the file and the cause when the columns file failed
  Garantia garantia;
};

// Streams RED<jj><oo>.TVX of the reduction `r` (its jornada and orden) from `rutaDatos`.
// Blank lines hold no column. A line that is not a column, a missing or unreadable file are
// failures with their message: a guarantee is never quoted from half a file.
ResultadoGarantia CalculaGarantia(const std::filesystem::path& rutaDatos, const Reduccion& r,
                                  const ProgresoGarantia& progreso,
                                  const std::atomic<bool>& cancelar);

}  // namespace zendo
