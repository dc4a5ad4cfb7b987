#pragma once
// Reads a large text file line by line through one big buffer, for the columns files of up to
// 3^15 lines: no line is copied, nothing holds the whole file.

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string_view>
#include <vector>

namespace zendo {

class LectorLineas {
 public:
  // Opens a regular file for reading; anything else (a folder, a device, a pipe) is an error.
  // A line longer than `maximoLinea` is handed over cut to that length (cortada()) and the
  // rest of it skipped, so that memory stays bounded whatever the file holds.
  explicit LectorLineas(const std::filesystem::path& ruta, std::size_t tamBloque = 1 << 20,
                        std::size_t maximoLinea = kMaximoLinea);
  static constexpr std::size_t kMaximoLinea = 1 << 20;
  ~LectorLineas();
  LectorLineas(const LectorLineas&) = delete;
  LectorLineas& operator=(const LectorLineas&) = delete;

  // 0, or the error number of the open or of the last read.
  int16_t error() const { return error_; }
  // The size of the file when it was opened, and the bytes consumed so far (for progress).
  uint64_t tamano() const { return tamano_; }
  uint64_t consumidos() const { return consumidos_; }
  // The last line was longer than the limit and is cut.
  bool cortada() const { return cortada_; }

  // The next line without its CR LF (or bare LF); the last line may lack its end. The view
  // stays valid until the next call. False at the end of the file or on a read error.
  bool Siguiente(std::string_view& linea) {
    // The line of a columns file, 17 characters and CR LF, is taken without a search.
    if (fin_ - inicio_ >= kLargoComun && error_ == 0 && !saltando_) {
      const char* p = buffer_.data() + inicio_;
      if (p[kLargoComun - 1] == '\n' && p[kLargoComun - 2] == '\r' && !HaySalto(p)) {
        linea = std::string_view(p, kLargoComun - 2);
        cortada_ = false;
        inicio_ += kLargoComun;
        consumidos_ += kLargoComun;
        return true;
      }
    }
    return SiguienteBuscando(linea);
  }

  // For a caller that takes the lines of the buffer itself: the bytes read ahead and not yet
  // handed over (empty while a cut line is being skipped or after an error), and Avanza(n) to
  // take n of them (whole lines) as read. Siguiente() refills.
  std::string_view Pendientes() const {
    if (error_ != 0 || saltando_) return {};
    return {buffer_.data() + inicio_, fin_ - inicio_};
  }
  void Avanza(std::size_t n) {
    inicio_ += n;
    consumidos_ += n;
    cortada_ = false;
  }

 private:
  static constexpr std::size_t kLargoComun = 19;
  // A line feed among the first 17 bytes.
  static bool HaySalto(const char* p) {
    uint64_t a = 0;
    uint64_t b = 0;
    std::memcpy(&a, p, 8);
    std::memcpy(&b, p + 8, 8);
    constexpr uint64_t kUnos = 0x0101010101010101ULL;
    constexpr uint64_t kAltos = 0x8080808080808080ULL;
    a ^= kUnos * '\n';
    b ^= kUnos * '\n';
    return (((a - kUnos) & ~a) | ((b - kUnos) & ~b)) & kAltos || p[16] == '\n';
  }
  bool SiguienteBuscando(std::string_view& linea);
  bool Rellena();
  // Drops the rest of a cut line, up to its end; false at the end of the file.
  bool Salta();

  int fd_ = -1;
  int16_t error_ = 0;
  uint64_t tamano_ = 0;
  uint64_t consumidos_ = 0;
  std::vector<char> buffer_;
  std::size_t inicio_ = 0;
  std::size_t fin_ = 0;
  std::size_t maximoLinea_;
  bool agotado_ = false;
  bool saltando_ = false;
  bool cortada_ = false;
};

}  // namespace zendo
