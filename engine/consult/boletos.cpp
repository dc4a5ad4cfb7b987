#include "engine/consult/boletos.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace zendo {

PosicionBoleto HallaBoleto(const Reduccion& r, int32_t columna) {
  PosicionBoleto p;
  if (columna <= 0) return p;
  int64_t n = columna;
  if (r.Metodo == kMetodoManual) {
    const int64_t a = (8 - r.ColumnasPleno1 % 8) % 8;
    const int64_t b = (8 - r.ColumnasPlenoX % 8) % 8;
    if (columna > r.ColumnasPleno1) n += a;
    if (columna > static_cast<int64_t>(r.ColumnasPleno1) + r.ColumnasPlenoX) n += b;
    p.boleto = static_cast<int32_t>((n - 1) / 8 + 1);
    p.PosicionEnBoleto = static_cast<int16_t>(n % 8 == 0 ? 8 : n % 8);
    return p;
  }
  // Every group holds the same number of columns: one per sign of match 15.
  const int k = r.Partido[kPartidos].NumSignos > 0 ? r.Partido[kPartidos].NumSignos : 1;
  const auto g = static_cast<int64_t>(std::nearbyint(static_cast<double>(r.NumApuestas) / k));
  if (g <= 0) return p;  // an empty group has no boletos
  const int64_t porGrupo = (g + 7) / 8;
  const int64_t q = (n + g - 1) / g - 1;
  const int64_t resto = n - q * g;
  p.boleto = static_cast<int32_t>(q * porGrupo + (resto + 7) / 8);
  p.PosicionEnBoleto = static_cast<int16_t>(resto % 8 == 0 ? 8 : resto % 8);
  return p;
}

int64_t UltimaColumnaDelBoleto(const Reduccion& r, int64_t columna) {
  constexpr int64_t kSinFin = std::numeric_limits<int64_t>::max();
  if (columna <= 0) return std::max<int64_t>(columna, 0);
  if (r.Metodo == kMetodoManual) {
    // Each group is padded to whole boletos, so a boleto ends at a multiple of 8 places or
    // where its group ends.
    const int64_t p1 = r.ColumnasPleno1;
    const int64_t px = r.ColumnasPlenoX;
    const int64_t a = (8 - p1 % 8) % 8;
    const int64_t b = (8 - px % 8) % 8;
    // The blank places count from the column after each group's end; a run stops at the
    // next such end.
    int64_t desplazamiento = 0;
    int64_t finGrupo = kSinFin;
    for (const auto& [finDe, hueco] : {std::pair{p1, a}, std::pair{p1 + px, b}}) {
      if (columna > finDe) {
        desplazamiento += hueco;
      } else {
        finGrupo = std::min(finGrupo, finDe);
      }
    }
    const int64_t lugar = columna + desplazamiento;
    const int64_t finBoleto = ((lugar - 1) / 8 + 1) * 8 - desplazamiento;
    return std::max(columna, std::min(finBoleto, finGrupo));
  }
  const int k = r.Partido[kPartidos].NumSignos > 0 ? r.Partido[kPartidos].NumSignos : 1;
  const auto g = static_cast<int64_t>(std::nearbyint(static_cast<double>(r.NumApuestas) / k));
  if (g <= 0) return kSinFin;  // every column reads as boleto 0
  const int64_t q = (columna + g - 1) / g - 1;
  const int64_t resto = columna - q * g;
  return q * g + std::min(((resto + 7) / 8) * 8, g);
}

int32_t NumBoletos(const Reduccion& r) {
  return HallaBoleto(r, r.NumApuestas).boleto;
}

}  // namespace zendo
