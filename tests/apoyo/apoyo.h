#pragma once
// Helpers shared by the engine tests: a private folder per test, file bytes in and out.

#include <filesystem>
#include <string>
#include <string_view>

namespace zendo::prueba {

namespace fs = std::filesystem;

// A fresh empty folder, removed (with everything in it) when the object dies.
class CarpetaTemporal {
 public:
  CarpetaTemporal();
  ~CarpetaTemporal();
  CarpetaTemporal(const CarpetaTemporal&) = delete;
  CarpetaTemporal& operator=(const CarpetaTemporal&) = delete;
  const fs::path& ruta() const { return ruta_; }
  fs::path operator/(std::string_view nombre) const { return ruta_ / nombre; }

 private:
  fs::path ruta_;
};

std::string LeeBytes(const fs::path& ruta);
void EscribeBytes(const fs::path& ruta, std::string_view bytes);

// True when the tests run as a user whom permissions cannot stop (root): read-only folder
// cases are then checked with /dev/full and similar means instead.
bool EsSuperusuario();

// Runs a shell command, returns its exit status and collects its standard output.
int Ejecuta(const std::string& orden, std::string* salida = nullptr);

}  // namespace zendo::prueba
