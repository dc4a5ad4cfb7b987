#include <cstddef>
#include <cstdint>
#include <string_view>

#include "engine/core/datos_generales.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view texto(reinterpret_cast<const char*>(data), size);
  zendo::DatosGenerales d = zendo::ParseaDatosGenerales(texto);
  // Whatever was read must write back as a line of fixed widths that reads the same.
  const zendo::DatosGenerales otra = zendo::ParseaDatosGenerales(zendo::LineaDatosGenerales(d));
  if (otra.Jornada != d.Jornada || otra.PrecioApuesta.size() != 4) __builtin_trap();
  return 0;
}
