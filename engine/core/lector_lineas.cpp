#include "engine/core/lector_lineas.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "engine/core/fichero.h"

namespace zendo {

LectorLineas::LectorLineas(const std::filesystem::path& ruta, std::size_t tamBloque,
                           std::size_t maximoLinea)
    : buffer_(tamBloque < 4096 ? 4096 : tamBloque),
      maximoLinea_(maximoLinea < kLargoComun ? kLargoComun : maximoLinea) {
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

bool LectorLineas::Salta() {
  for (;;) {
    const void* nl = std::memchr(buffer_.data() + inicio_, '\n', fin_ - inicio_);
    if (nl != nullptr) {
      const auto pos = static_cast<std::size_t>(static_cast<const char*>(nl) - buffer_.data());
      consumidos_ += pos + 1 - inicio_;
      inicio_ = pos + 1;
      saltando_ = false;
      return true;
    }
    consumidos_ += fin_ - inicio_;
    inicio_ = fin_ = 0;
    if (!Rellena()) {
      saltando_ = false;
      return false;
    }
  }
}

bool LectorLineas::SiguienteBuscando(std::string_view& linea) {
  if (error_ != 0) return false;
  if (saltando_ && !Salta()) return false;
  cortada_ = false;
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
    if (yaVisto >= maximoLinea_) {
      linea = std::string_view(buffer_.data() + inicio_, maximoLinea_);
      consumidos_ += maximoLinea_;
      inicio_ += maximoLinea_;
      saltando_ = true;
      cortada_ = true;
      return true;
    }
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
