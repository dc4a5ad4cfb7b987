// The address book DIRECC.TVX: read item by item, every address checked as the mail output
// checks it before it is used; one that passes can never break a message header.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string_view>

#include "engine/core/fichero.h"
#include "engine/core/texto.h"
#include "engine/output/direcciones.h"
#include "fuzz/carpeta_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view texto(reinterpret_cast<const char*>(data), size);
  const std::filesystem::path& carpeta = zendo::fuzz::Carpeta();
  if (zendo::ReemplazaFichero(carpeta / zendo::kFicheroDirecciones, texto) != 0) return 0;
  const zendo::LecturaDirecciones l = zendo::LeeDirecciones(carpeta);
  if (l.error != 0) return 0;
  for (const auto& d : l.direcciones) {
    if (d.size() > size) __builtin_trap();
    if (!zendo::FalloDireccion(d).empty()) continue;
    // An address taken for a message never carries what could break its header.
    for (const char c : zendo::Recorta(d)) {
      const auto b = static_cast<unsigned char>(c);
      if (b < 0x20 || b == 0x7F || c == ',' || c == ';') __builtin_trap();
    }
  }
  return 0;
}
