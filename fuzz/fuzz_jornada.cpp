#include <cstddef>
#include <cstdint>
#include <string_view>

#include "engine/core/jornadas.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const int numero = data[0] % 100;
  const std::string_view texto(reinterpret_cast<const char*>(data + 1), size - 1);
  const zendo::Jornada j = zendo::ParseaJornada(texto, numero);
  if (j.RegistroJornada.size() != zendo::kLargoRegistroJornada) __builtin_trap();
  (void)zendo::GanadoraComoSignos(j);
  for (int s = 1; s <= 30; ++s) (void)zendo::Equipo(texto, s);
  return 0;
}
