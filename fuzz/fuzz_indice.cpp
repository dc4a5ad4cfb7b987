#include <cstddef>
#include <cstdint>
#include <string_view>

#include "engine/core/historico.h"
#include "engine/core/indice.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view texto(reinterpret_cast<const char*>(data), size);
  zendo::Reduccion r = zendo::ParseaRegistroBases(texto);
  for (int m = 1; m <= 15; ++m) {
    if (r.Partido[m].NumSignos < 0 || r.Partido[m].NumSignos > 3) __builtin_trap();
  }
  const std::string reg = zendo::ConstruyeRegistroBases(r);
  if (reg.size() != zendo::kLargoRegistroBases) __builtin_trap();
  (void)zendo::LineaHistorico(texto, "00/00/00");
  (void)zendo::ColumnaDeLinea(texto);
  return 0;
}
