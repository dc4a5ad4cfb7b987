#include "engine/reduction/generacion_externo.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <optional>
#include <string_view>
#include <vector>

#include "engine/core/fichero.h"
#include "engine/reduction/externo.h"

namespace zendo {

namespace {

// A column is decided by the first few characters of its line (the field ends at a quote or
// a comma); longer lines are kept only up to here, which cannot make a faulty line valid.
constexpr std::size_t kInicioLinea = 4096;
constexpr std::size_t kLectura = 1 << 16;
constexpr int64_t kLineasEntreCancelaciones = 4096;

}  // namespace

LectorExterno::LectorExterno(const std::filesystem::path& ruta) {
  // A device or a pipe is no external file: it would never end.
  uint64_t tamano = 0;
  AbreLecturaRegular(ruta, fd_, tamano);
}

LectorExterno::~LectorExterno() {
  if (fd_ >= 0) ::close(fd_);
}

template <class F>
bool LectorExterno::Recorre(const std::atomic<bool>& cancelar, F&& usa) {
  if (fd_ < 0) return false;
  std::vector<char> buf(kLectura);
  std::string linea;
  bool larga = false;
  int64_t lineas = 0;
  off_t pos = 0;
  auto termina = [&]() -> bool {
    if (!larga && !linea.empty() && linea.back() == '\r') linea.pop_back();
    const bool sigue = usa(std::string_view(linea));
    linea.clear();
    larga = false;
    return sigue && (++lineas % kLineasEntreCancelaciones != 0 || !cancelar.load());
  };
  for (;;) {
    const ssize_t n = ::pread(fd_, buf.data(), buf.size(), pos);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (n == 0) break;
    pos += n;
    std::string_view trozo(buf.data(), static_cast<std::size_t>(n));
    while (!trozo.empty()) {
      const auto fin = trozo.find('\n');
      const std::string_view parte = trozo.substr(0, fin);
      const std::size_t cabe = kInicioLinea - linea.size();
      linea.append(parte.substr(0, cabe));
      larga = larga || parte.size() > cabe;
      if (fin == std::string_view::npos) break;
      if (!termina()) return false;
      trozo.remove_prefix(fin + 1);
    }
  }
  if (!linea.empty() && !termina()) return false;
  return !cancelar.load();
}

bool LectorExterno::Valida(const std::atomic<bool>& cancelar) {
  int64_t columnas = 0;
  bool valida = true;
  const bool leida = Recorre(cancelar, [&](std::string_view linea) {
    valida = columnas < kMaximoColumnasExternas && ColumnaExterna(linea).has_value();
    columnas += valida ? 1 : 0;
    return valida;
  });
  return leida && valida && columnas > 0;
}

int64_t LectorExterno::CopiaGrupo(char signo15, SalidaColumnas& salida,
                                  const std::atomic<bool>& cancelar) {
  int64_t escritas = 0;
  char out[kLargoLineaColumna] = {'"'};
  out[16] = '"';
  out[17] = '\r';
  out[18] = '\n';
  const bool leida = Recorre(cancelar, [&](std::string_view linea) {
    const std::optional<std::string> columna = ColumnaExterna(linea);
    if (columna && columna->size() == 15 && (*columna)[14] == signo15) {
      columna->copy(out + 1, 15);
      salida.Anade(out, kLargoLineaColumna);
      ++escritas;
    }
    return true;
  });
  return leida ? escritas : -1;
}

}  // namespace zendo
