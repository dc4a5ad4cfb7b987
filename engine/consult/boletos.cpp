#include "engine/consult/boletos.h"

#include <cmath>

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

int32_t NumBoletos(const Reduccion& r) {
  return HallaBoleto(r, r.NumApuestas).boleto;
}

}  // namespace zendo
