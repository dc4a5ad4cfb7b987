#pragma once
// The file failures of the scrutiny and their texts, in one place: the short code and number
// a message box shows first ("ESC ERROR 53"), then the cause and the file.

#include <cstdint>
#include <string>

namespace zendo {

struct FalloEscrutinio {
  int16_t error = 0;         // ErrorFichero; 0 when nothing failed
  std::string fichero;       // the name in the data folder ("RED0101.TVX", "JORNADAS.TVX")
  bool escribiendo = false;  // writing the jornada record, or reading the columns
  explicit operator bool() const { return error != 0; }
};

// "ESC ERROR 53"
std::string CodigoFallo(const FalloEscrutinio& f);
// "fichero no encontrado al leer RED0101.TVX"
std::string CausaFallo(const FalloEscrutinio& f);
// For a message box: the code, CR LF, the cause with a capital and a full stop.
std::string MensajeFallo(const FalloEscrutinio& f);
// For zendo-cli: "ESC ERROR 53: fichero no encontrado al leer RED0101.TVX"
std::string LineaFallo(const FalloEscrutinio& f);

}  // namespace zendo
