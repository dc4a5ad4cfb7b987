#pragma once
// A data folder of its own for each fuzzing process, removed when the process ends.

#include <unistd.h>

#include <filesystem>
#include <string>
#include <system_error>

namespace zendo::fuzz {

inline const std::filesystem::path& Carpeta() {
  struct Temporal {
    std::filesystem::path ruta;
    Temporal() {
      std::error_code ec;
      ruta =
          std::filesystem::temp_directory_path(ec) / ("zendo-fuzz-" + std::to_string(::getpid()));
      std::filesystem::create_directories(ruta, ec);
    }
    ~Temporal() {
      std::error_code ec;
      std::filesystem::remove_all(ruta, ec);
    }
  };
  static const Temporal t;
  return t.ruta;
}

}  // namespace zendo::fuzz
