#pragma once
// Texts of the engine are Windows-1252 bytes, exactly as the data files hold them, so that
// every width is a byte count. These helpers cross the edge to and from UTF-8.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zendo {

// Every one of the 256 byte values has a character; the five bytes Windows-1252 leaves
// undefined map to the C1 control of the same number, so any file survives a round trip.
std::string Cp1252AUtf8(std::string_view cp1252);

struct ConversionCp1252 {
  std::string texto;         // the Windows-1252 bytes (as far as the conversion went)
  bool ok = true;            // false: a character has no place in Windows-1252
  std::size_t posicion = 0;  // byte offset in the UTF-8 input of the first bad character
};
ConversionCp1252 Utf8ACp1252(std::string_view utf8);

// A program text written as UTF-8 in the source, turned into Windows-1252. Only for texts
// known to fit (the program's own messages and labels).
std::string Cp(std::string_view utf8);

// Leading and trailing blanks removed (spaces only, as the data files pad with spaces).
std::string_view Recorta(std::string_view s);
std::string_view RecortaIzq(std::string_view s);
std::string_view RecortaDer(std::string_view s);

// A text for a terminal, one line: control bytes (and the five bytes Windows-1252 leaves
// undefined, which are C1 controls) written as "\x0A", a backslash as "\\".
std::string EscapaControl(std::string_view cp1252);

// Padded on the right with spaces, or cut, to exactly n bytes.
std::string AjustaAncho(std::string_view s, std::size_t n);

}  // namespace zendo
