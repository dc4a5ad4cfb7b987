#pragma once
// The external column file as the generation reads it: streamed (the file may be large),
// checked again at the moment of the merge, and read once per sign of match 15 so that its
// columns join the base columns of the same sign without a second copy of the output.

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <string>

#include "engine/reduction/generacion_desarrollo.h"

namespace zendo {

class LectorExterno {
 public:
  // Opens the file; a file that cannot be opened is simply not there.
  explicit LectorExterno(const std::filesystem::path& ruta);
  ~LectorExterno();
  LectorExterno(const LectorExterno&) = delete;
  LectorExterno& operator=(const LectorExterno&) = delete;

  bool Abierto() const { return fd_ >= 0; }

  // Reads the whole file: true when every line is a column and there is at least one.
  // False as well when `cancelar` was set while reading.
  bool Valida(const std::atomic<bool>& cancelar);

  // Writes the columns whose 15th sign is `signo15`, X in upper case, in file order.
  // Lines that are no longer columns (the file changed since it was checked) are left out.
  // Returns the number written, or -1 when `cancelar` was set or the file failed.
  int64_t CopiaGrupo(char signo15, SalidaColumnas& salida, const std::atomic<bool>& cancelar);

 private:
  // Calls `usa` with the start of every line (enough of it to decide its column) and
  // whether that start is the whole line. False when cancelled or on a read error.
  template <class F>
  bool Recorre(const std::atomic<bool>& cancelar, F&& usa);

  int fd_ = -1;
};

}  // namespace zendo
