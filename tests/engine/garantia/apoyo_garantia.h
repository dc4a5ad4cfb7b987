#pragma once
// Reductions for the guarantee tests: bases built by hand and reduced as the screen does.

#include <atomic>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/core/indice.h"
#include "engine/reduction/cifras.h"
#include "engine/reduction/externo.h"
#include "engine/reduction/generacion.h"
#include "engine/reduction/modelo.h"

namespace zendo::prueba {

// Triples in matches 1..triples (a reducir), then the signs of `resto` ("1X", "2", ...) in
// the next matches, sign 1 in the others.
inline Reduccion Base(int metodo, int triples, const std::vector<std::string>& resto = {},
                      int orden = 1) {
  Reduccion r = ReduccionNueva(1, static_cast<int16_t>(orden), static_cast<int16_t>(metodo));
  for (int m = 1; m <= triples; ++m) {
    r.Partido[m].Signo = {0, 1, 1, 1};
    r.Partido[m].NumSignos = 3;
    r.Partido[m].AReducir = true;
  }
  for (std::size_t i = 0; i < resto.size(); ++i) {
    auto& p = r.Partido[static_cast<std::size_t>(triples) + 1 + i];
    for (int s = 1; s <= 3; ++s) {
      p.Signo[s] = resto[i].find(kSignos[s]) != std::string::npos ? 1 : 0;
    }
    p.NumSignos = static_cast<int16_t>(resto[i].size());
  }
  return r;
}

// Reduces `r` as the screen does and reads back what was stored: `r` becomes the definition
// the index holds.
inline bool Reduce(const std::filesystem::path& datos, Reduccion& r) {
  const CargaExterno carga = CargaArchivoExterno(datos, r);
  const Cifras c = RecalculaReduccion(r, carga.externo);
  const std::atomic<bool> no{false};
  const ResultadoReduccion res = ReduceApuestas(
      datos, r, {c.ApuestasBase, c.NumApuestas, c.ApuestasQuiniela, c.ApuestasExternas}, {}, no);
  if (!res.completada) return false;
  return LeeReduccion(datos, r.Jornada, r.Orden, kMetodoDirecto, r).ReduccionCargada;
}

}  // namespace zendo::prueba
