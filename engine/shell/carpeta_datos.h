#pragma once
// Where the data files live: the folder "Datos" beside the program, or, when that cannot
// be written, the same folder under the user's own data folder of the desktop.

#include <filesystem>
#include <string>

namespace zendo {

inline constexpr const char* kCarpetaDatos = "Datos";

struct CarpetaDatos {
  std::filesystem::path ruta;  // empty when neither folder can be used
  bool alternativa = false;    // the user's folder was taken
};

// Creates the folder when missing and checks that a file can be written in it.
bool CarpetaEscribible(const std::filesystem::path& carpeta);

CarpetaDatos EligeCarpetaDatos(const std::filesystem::path& rutaPrograma,
                               const std::filesystem::path& rutaUsuario);

}  // namespace zendo
