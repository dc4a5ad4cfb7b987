#include "engine/core/lector_lineas.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "engine/core/fichero.h"

namespace zendo {

int16_t AbreLecturaRegular(const std::filesystem::path& ruta, int& fd, uint64_t& tamano) {
  tamano = 0;
  fd = ::open(ruta.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return ErrorDesdeErrno(errno);
  struct stat st {};
  int16_t error = kSinError;
  if (::fstat(fd, &st) != 0) {
    error = ErrorDesdeErrno(errno);
  } else if (S_ISDIR(st.st_mode)) {
    error = kErrAcceso;
  } else if (!S_ISREG(st.st_mode)) {
    // A device or a pipe has no end a reader could wait for.
    error = kErrEntradaSalida;
  }
  if (error != kSinError) {
    ::close(fd);
    fd = -1;
    return error;
  }
  tamano = static_cast<uint64_t>(st.st_size);
  ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
  return kSinError;
}

LectorLineas::LectorLineas(const std::filesystem::path& ruta, std::size_t tamBloque)
    : buffer_(tamBloque < 4096 ? 4096 : tamBloque) {
  error_ = AbreLecturaRegular(ruta, fd_, tamano_);
}

LectorLineas::~LectorLineas() {
  if (fd_ >= 0) ::close(fd_);
}

bool LectorLineas::Rellena() {
  if (agotado_ || fd_ < 0) return false;
  // Keep the unread tail at the front; grow when one line fills the whole buffer.
  if (inicio_ > 0) {
    std::memmove(buffer_.data(), buffer_.data() + inicio_, fin_ - inicio_);
    fin_ -= inicio_;
    inicio_ = 0;
  }
  if (fin_ == buffer_.size()) buffer_.resize(buffer_.size() * 2);
  for (;;) {
    const ssize_t n = ::read(fd_, buffer_.data() + fin_, buffer_.size() - fin_);
    if (n < 0) {
      if (errno == EINTR) continue;
      error_ = ErrorDesdeErrno(errno);
      agotado_ = true;
      return false;
    }
    if (n == 0) {
      agotado_ = true;
      return false;
    }
    fin_ += static_cast<std::size_t>(n);
    return true;
  }
}

bool LectorLineas::SiguienteBuscando(std::string_view& linea) {
  if (error_ != 0) return false;
  std::size_t buscado = inicio_;
  for (;;) {
    const void* nl = std::memchr(buffer_.data() + buscado, '\n', fin_ - buscado);
    if (nl != nullptr) {
      const auto pos = static_cast<std::size_t>(static_cast<const char*>(nl) - buffer_.data());
      std::size_t largo = pos - inicio_;
      if (largo > 0 && buffer_[pos - 1] == '\r') --largo;
      linea = std::string_view(buffer_.data() + inicio_, largo);
      consumidos_ += pos + 1 - inicio_;
      inicio_ = pos + 1;
      return true;
    }
    const std::size_t yaVisto = fin_ - inicio_;
    if (!Rellena()) break;
    buscado = inicio_ + yaVisto;
  }
  if (error_ != 0 || inicio_ == fin_) return false;
  // The last line, without its end.
  std::size_t largo = fin_ - inicio_;
  if (buffer_[fin_ - 1] == '\r') --largo;
  linea = std::string_view(buffer_.data() + inicio_, largo);
  consumidos_ += fin_ - inicio_;
  inicio_ = fin_;
  return true;
}

}  // namespace zendo
