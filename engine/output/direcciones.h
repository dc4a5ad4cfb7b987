#pragma once
// The address book of the mail output, DIRECC.TVX: one address a line, as typed (trimmed),
// each line ended by CR LF, no header.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "engine/core/fallo.h"

namespace zendo {

inline constexpr const char* kFicheroDirecciones = "DIRECC.TVX";
// Longest address a mail server takes (a path of 256 less its angle brackets).
inline constexpr std::size_t kLargoDireccion = 254;

struct LecturaDirecciones {
  std::vector<std::string> direcciones;  // Windows-1252, in file order
  int16_t error = 0;                     // ErrorFichero of the read (53: it was missing)
  std::string mensaje;                   // for the caller to show; empty when all went well
  FalloFichero fallo;  // the file and the cause: the message's second line (ConCausa)
};

// Reads the addresses item by item; a missing file is created empty (no message unless that
// creation fails).
LecturaDirecciones LeeDirecciones(const std::filesystem::path& rutaDatos);

// Rewrites the file whole from the list (each address trimmed) through a temporary file and a
// rename: a failure leaves the previous file as it was and is returned.
int16_t GuardaDirecciones(const std::filesystem::path& rutaDatos,
                          const std::vector<std::string>& direcciones);

// The message for a failed rewrite (Windows-1252), the file and the cause on its second line.
std::string MensajeFalloDirecciones(int16_t error);

// Why an address (Windows-1252, as typed) cannot receive a message: it would break a
// message header (line breaks or other control characters), holds more than one address,
// lacks its "@", or holds characters a mail server does not take in an address. Empty when
// the trimmed address can be used.
std::string FalloDireccion(std::string_view direccion);

}  // namespace zendo
