#include "engine/core/tecleo.h"

#include "engine/core/texto.h"

namespace zendo {
namespace {

constexpr std::string_view kCifras = "0123456789";
constexpr std::string_view kCifrasYPunto = "0123456789.";

// Control characters (line breaks, tabs) and the five bytes Windows-1252 leaves undefined
// have no business in a name or a value: a file line would break or show garbage.
bool EsControl(unsigned char b) {
  return b < 0x20 || b == 0x7F || b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D;
}

}  // namespace

ReglaTecleo ReglaCifras() {
  return ReglaTecleo{{}, std::string(kCifras)};
}

ReglaTecleo ReglaCifrasYPunto() {
  return ReglaTecleo{{}, std::string(kCifrasYPunto)};
}

RevisionTecleo RevisaTecleo(std::string_view utf8, const ReglaTecleo& regla) {
  RevisionTecleo r;
  auto rechaza = [&r](RechazoTecleo motivo) {
    if (r.rechazados++ == 0) r.rechazo = motivo;
  };
  while (!utf8.empty()) {
    const ConversionCp1252 c = Utf8ACp1252(utf8);
    for (const char ch : std::string_view(c.texto)) {
      if (EsControl(static_cast<unsigned char>(ch))) {
        rechaza(RechazoTecleo::FueraCp1252);
      } else if (regla.prohibidos.find(ch) != std::string::npos) {
        rechaza(RechazoTecleo::Prohibido);
      } else if (!regla.admitidos.empty() && regla.admitidos.find(ch) == std::string::npos) {
        rechaza(RechazoTecleo::NoAdmitido);
      } else {
        r.texto += ch;
      }
    }
    if (c.ok) break;
    // Past the character without a place: its lead byte and its continuation bytes.
    rechaza(RechazoTecleo::FueraCp1252);
    std::size_t siguiente = c.posicion + 1;
    while (siguiente < utf8.size() &&
           (static_cast<unsigned char>(utf8[siguiente]) & 0xC0) == 0x80) {
      ++siguiente;
    }
    utf8.remove_prefix(siguiente);
  }
  return r;
}

std::string AvisoRechazo(RechazoTecleo rechazo, const ReglaTecleo& regla) {
  switch (rechazo) {
    case RechazoTecleo::Ninguno:
      return {};
    case RechazoTecleo::FueraCp1252:
      return Cp("Carácter no admitido: no se puede guardar en los datos");
    case RechazoTecleo::Prohibido:
      return Cp("Carácter no admitido en esta casilla");
    case RechazoTecleo::NoAdmitido:
      if (regla.admitidos == kCifras) return Cp("Solo se admiten cifras");
      if (regla.admitidos == kCifrasYPunto) return Cp("Solo se admiten cifras y el punto decimal");
      return Cp("Carácter no admitido en esta casilla");
  }
  return {};
}

}  // namespace zendo
