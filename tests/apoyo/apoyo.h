#pragma once
// Helpers shared by the engine tests: a private folder per test, file bytes in and out.

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

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
// Names of the files in a folder, sorted.
std::vector<std::string> Ficheros(const fs::path& carpeta);
void EscribeBytes(const fs::path& ruta, std::string_view bytes);

// True when the tests run as a user whom permissions cannot stop (root): read-only folder
// cases are then checked with /dev/full and similar means instead.
bool EsSuperusuario();

// Makes a folder read-only for this process until the object dies: by permissions for a
// normal user, by a read-only bind mount for root (whom permissions do not stop).
// `activa()` is false where neither can be done; the test should then skip.
class SoloLectura {
 public:
  explicit SoloLectura(const fs::path& carpeta);
  ~SoloLectura();
  SoloLectura(const SoloLectura&) = delete;
  SoloLectura& operator=(const SoloLectura&) = delete;
  bool activa() const { return activa_; }

 private:
  fs::path carpeta_;
  bool activa_ = false;
  bool montada_ = false;
};

// Every file of a folder, name and bytes, sorted by name; the folder's lock file (which is
// never deleted) is left out.
using FotoCarpeta = std::map<std::string, std::string>;
FotoCarpeta Foto(const fs::path& carpeta);

// Runs `operacion` in a child process that is killed (SIGKILL) right at the `paso`-th disk
// step of a commit (before or after a rename, unlink or flush, counted from 1; see
// transaccion.h). True when the child was killed there, false when it ended before
// reaching that step (the operation then ran whole).
bool MuereEnPaso(int paso, const std::function<void()>& operacion);

// Runs a shell command, returns its exit status and collects its standard output.
int Ejecuta(const std::string& orden, std::string* salida = nullptr);

}  // namespace zendo::prueba
