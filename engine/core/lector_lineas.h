#pragma once
// Reads a large text file line by line through one big buffer, for the columns files of up to
// 3^15 lines: no line is copied, nothing holds the whole file.

#include <cstdint>
#include <filesystem>
#include <string_view>
#include <vector>

namespace zendo {

// Opens a regular file for reading into `fd` and gives its size; anything else (a folder, a
// device, a pipe) is an error and leaves `fd` at -1. Returns the error number.
int16_t AbreLecturaRegular(const std::filesystem::path& ruta, int& fd, uint64_t& tamano);

class LectorLineas {
 public:
  // Opens a regular file for reading; anything else (a folder, a device, a pipe) is an error.
  explicit LectorLineas(const std::filesystem::path& ruta, std::size_t tamBloque = 1 << 20);
  ~LectorLineas();
  LectorLineas(const LectorLineas&) = delete;
  LectorLineas& operator=(const LectorLineas&) = delete;

  // 0, or the error number of the open or of the last read.
  int16_t error() const { return error_; }
  // The size of the file when it was opened, and the bytes consumed so far (for progress).
  uint64_t tamano() const { return tamano_; }
  uint64_t consumidos() const { return consumidos_; }

  // The next line without its CR LF (or bare LF); the last line may lack its end. The view
  // stays valid until the next call. False at the end of the file or on a read error.
  bool Siguiente(std::string_view& linea);

 private:
  bool Rellena();

  int fd_ = -1;
  int16_t error_ = 0;
  uint64_t tamano_ = 0;
  uint64_t consumidos_ = 0;
  std::vector<char> buffer_;
  std::size_t inicio_ = 0;
  std::size_t fin_ = 0;
  bool agotado_ = false;
};

}  // namespace zendo
