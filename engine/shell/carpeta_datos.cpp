#include "engine/shell/carpeta_datos.h"

#include <fstream>
#include <system_error>

#include <unistd.h>

#include "engine/core/fichero.h"

namespace zendo {

bool CarpetaEscribible(const std::filesystem::path& carpeta) {
  if (carpeta.empty()) return false;
  std::error_code ec;
  std::filesystem::create_directories(carpeta, ec);
  if (!std::filesystem::is_directory(carpeta, ec)) return false;
  // Named by the temporaries' rule, so that a run killed right here leaves nothing a later
  // start does not clean.
  const auto prueba = RutaTemporal(carpeta / std::to_string(::getpid()), "prueba-");
  bool ok = false;
  {
    std::ofstream f(prueba, std::ios::binary | std::ios::trunc);
    if (f) {
      f << 'z';
      f.flush();
      ok = static_cast<bool>(f);
    }
  }
  std::filesystem::remove(prueba, ec);
  return ok;
}

CarpetaDatos EligeCarpetaDatos(const std::filesystem::path& rutaPrograma,
                               const std::filesystem::path& rutaUsuario) {
  CarpetaDatos r;
  const auto junto = rutaPrograma / kCarpetaDatos;
  if (CarpetaEscribible(junto)) {
    r.ruta = junto;
    return r;
  }
  const auto usuario = rutaUsuario.empty() ? std::filesystem::path{} : rutaUsuario / kCarpetaDatos;
  if (CarpetaEscribible(usuario)) {
    r.ruta = usuario;
    r.alternativa = true;
  }
  return r;
}

}  // namespace zendo
