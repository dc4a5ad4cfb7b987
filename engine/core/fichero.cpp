#include "engine/core/fichero.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace zendo {

const std::string kSaltoLinea = "\r\n";

namespace {

int16_t ErrorActual() {
  return ErrorDesdeErrno(errno);
}

// Writes all bytes, at `pos` or (pos < 0) at the current offset; returns false with errno
// set on failure.
bool EscribeTodo(int fd, const char* datos, std::size_t n, off_t pos = -1) {
  while (n > 0) {
    const ssize_t w = pos < 0 ? ::write(fd, datos, n) : ::pwrite(fd, datos, n, pos);
    if (w < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (w == 0) {
      errno = ENOSPC;
      return false;
    }
    datos += w;
    n -= static_cast<std::size_t>(w);
    if (pos >= 0) pos += w;
  }
  return true;
}

// Removes a temporary file of ours; never a device or folder that happens to sit there.
void QuitaTemporal(const fs::path& ruta) {
  struct stat st {};
  if (::lstat(ruta.c_str(), &st) == 0 && (S_ISREG(st.st_mode) || S_ISLNK(st.st_mode))) {
    ::unlink(ruta.c_str());
  }
}

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }
  // Closes and reports the error of the close (a deferred write error shows here).
  int16_t Cierra() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0 ? kSinError : ErrorActual();
  }

 private:
  int fd_;
};

// Data files are regular files: a folder is error 75, a device or a pipe 57 (writing to
// one would lose the bytes, reading it never ends).
int16_t SoloRegular(const struct stat& st) {
  if (S_ISDIR(st.st_mode)) return kErrAcceso;
  if (!S_ISREG(st.st_mode)) return kErrEntradaSalida;
  return kSinError;
}

}  // namespace

int16_t ErrorDesdeErrno(int e) {
  switch (e) {
    case 0:
      return kSinError;
    case ENOENT:
      return kErrNoEncontrado;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return kErrDiscoLleno;
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY:
      return kErrPermiso;
    case ENOTDIR:
      return kErrRutaNoEncontrada;
    case ENAMETOOLONG:
    case EINVAL:
      return kErrNombreFichero;
    case EISDIR:
    case EBUSY:
    case EEXIST:
      return kErrAcceso;
    case ENXIO:
    case ENODEV:
    case ENOMEDIUM:
      return kErrDiscoNoPreparado;
    default:
      return kErrEntradaSalida;
  }
}

int16_t AbreLecturaRegular(const fs::path& ruta, int& fd, uint64_t& tamano) {
  tamano = 0;
  fd = ::open(ruta.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) return ErrorActual();
  struct stat st {};
  const int16_t error = ::fstat(fd, &st) != 0 ? ErrorActual() : SoloRegular(st);
  if (error != kSinError) {
    ::close(fd);
    fd = -1;
    return error;
  }
  // Reads of a regular file block as usual.
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
  tamano = static_cast<uint64_t>(st.st_size);
  ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
  return kSinError;
}

int16_t LeeFichero(const fs::path& ruta, std::string& contenido, std::size_t maximo) {
  contenido.clear();
  int abierto = -1;
  uint64_t tamano = 0;
  if (const int16_t error = AbreLecturaRegular(ruta, abierto, tamano); error != kSinError) {
    return error;
  }
  Descriptor fd(abierto);
  if (tamano > maximo) return kErrAcceso;
  contenido.reserve(static_cast<std::size_t>(tamano));
  char buf[1 << 16];
  for (;;) {
    const ssize_t r = ::read(fd.get(), buf, sizeof buf);
    if (r < 0) {
      if (errno == EINTR) continue;
      contenido.clear();
      return ErrorActual();
    }
    if (r == 0) break;
    if (contenido.size() + static_cast<std::size_t>(r) > maximo) {
      contenido.clear();
      return kErrAcceso;
    }
    contenido.append(buf, static_cast<std::size_t>(r));
  }
  return kSinError;
}

fs::path RutaTemporal(const fs::path& ruta, std::string_view clase) {
  return ruta.parent_path() /
         (std::string(kPrefijoTemporal) + std::string(clase) + ruta.filename().string());
}

bool EsTemporal(std::string_view nombreFichero) {
  return nombreFichero.substr(0, std::string_view(kPrefijoTemporal).size()) == kPrefijoTemporal;
}

int16_t ReemplazaFichero(const fs::path& ruta, std::string_view contenido) {
  EscritorAtomico escritor(ruta, std::max<std::size_t>(contenido.size(), 1));
  escritor.Escribe(contenido);
  return escritor.Confirma();
}

LecturaRegistro LeeRegistro(const fs::path& ruta, int64_t numero, std::size_t longitud,
                            char relleno) {
  LecturaRegistro r;
  r.datos.assign(longitud, relleno);
  if (numero < 1) return r;
  int abierto = -1;
  uint64_t tamano = 0;
  r.error = AbreLecturaRegular(ruta, abierto, tamano);
  if (r.error != kSinError) return r;
  Descriptor fd(abierto);
  const off_t pos = static_cast<off_t>((numero - 1) * static_cast<int64_t>(longitud));
  std::size_t leidos = 0;
  while (leidos < longitud) {
    const ssize_t n = ::pread(fd.get(), r.datos.data() + leidos, longitud - leidos,
                              pos + static_cast<off_t>(leidos));
    if (n < 0) {
      if (errno == EINTR) continue;
      r.error = ErrorActual();
      r.datos.assign(longitud, relleno);
      return r;
    }
    if (n == 0) break;
    leidos += static_cast<std::size_t>(n);
  }
  r.completo = leidos == longitud;
  return r;
}

int16_t EscribeRegistro(const fs::path& ruta, int64_t numero, std::size_t longitud,
                        std::string_view datos, char hueco) {
  if (numero < 1) return kErrNombreFichero;
  Descriptor fd(::open(ruta.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NONBLOCK | O_NOCTTY, 0644));
  if (fd.get() < 0) return ErrorActual();
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0) return ErrorActual();
  if (const int16_t e = SoloRegular(st); e != kSinError) return e;
  const off_t tamAnterior = st.st_size;
  const off_t pos = static_cast<off_t>((numero - 1) * static_cast<int64_t>(longitud));
  std::string registro(datos.substr(0, longitud));
  registro.resize(longitud, ' ');
  std::string bloque;
  off_t inicio = pos;
  if (tamAnterior < pos) {
    // Gap records up to the record's start, then the record: one write.
    inicio = tamAnterior;
    bloque.assign(static_cast<std::size_t>(pos - tamAnterior), hueco);
  }
  bloque += registro;
  if (!EscribeTodo(fd.get(), bloque.data(), bloque.size(), inicio) || ::fsync(fd.get()) != 0) {
    const int16_t err = ErrorActual();
    // Undo the growth; the bytes of the other records were not touched.
    if (::ftruncate(fd.get(), tamAnterior) != 0) {
      // the error already says what went wrong
    }
    return err;
  }
  return fd.Cierra();
}

int16_t AnadeAlFichero(const fs::path& ruta, std::string_view datos) {
  Descriptor fd(::open(ruta.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NONBLOCK | O_NOCTTY, 0644));
  if (fd.get() < 0) return ErrorActual();
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0) return ErrorActual();
  if (const int16_t e = SoloRegular(st); e != kSinError) return e;
  if (!EscribeTodo(fd.get(), datos.data(), datos.size(), st.st_size) || ::fsync(fd.get()) != 0) {
    const int16_t err = ErrorActual();
    if (::ftruncate(fd.get(), st.st_size) != 0) {
      // the error already says it
    }
    return err;
  }
  return fd.Cierra();
}

std::vector<std::string_view> PartirLineas(std::string_view texto) {
  std::vector<std::string_view> lineas;
  std::size_t inicio = 0;
  while (inicio < texto.size()) {
    const auto fin = texto.find('\n', inicio);
    if (fin == std::string_view::npos) {
      // A last line cut between its CR and its LF ends at the CR, as the streamed readers
      // take it.
      std::string_view ultima = texto.substr(inicio);
      if (ultima.back() == '\r') ultima.remove_suffix(1);
      lineas.push_back(ultima);
      break;
    }
    std::size_t largo = fin - inicio;
    if (largo > 0 && texto[fin - 1] == '\r') --largo;
    lineas.push_back(texto.substr(inicio, largo));
    inicio = fin + 1;
  }
  return lineas;
}

int16_t BorraFichero(const fs::path& ruta) {
  if (::unlink(ruta.c_str()) == 0 || errno == ENOENT) return kSinError;
  return ErrorActual();
}

EscritorAtomico::EscritorAtomico(fs::path destino, std::size_t tamBuffer)
    : EscritorAtomico(destino, RutaTemporal(destino), tamBuffer) {}

EscritorAtomico::EscritorAtomico(fs::path destino, fs::path temporal, std::size_t tamBuffer)
    : destino_(std::move(destino)), temporal_(std::move(temporal)), buffer_(tamBuffer) {
  fd_ = ::open(temporal_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd_ < 0) error_ = ErrorActual();
}

EscritorAtomico::~EscritorAtomico() {
  Descarta();
}

void EscritorAtomico::Vacia() {
  if (usado_ == 0) return;
  if (error_ == kSinError && !EscribeTodo(fd_, buffer_.data(), usado_)) error_ = ErrorActual();
  usado_ = 0;
}

void EscritorAtomico::EscribeLento(std::string_view datos) {
  Vacia();
  if (datos.size() >= buffer_.size()) {
    if (error_ == kSinError && !EscribeTodo(fd_, datos.data(), datos.size())) {
      error_ = ErrorActual();
    }
    return;
  }
  std::copy(datos.begin(), datos.end(), buffer_.begin());
  usado_ = datos.size();
}

int16_t EscritorAtomico::Confirma(bool sincroniza) {
  if (Entrega(sincroniza) != kSinError) return error_;
  if (::rename(temporal_.c_str(), destino_.c_str()) != 0) {
    error_ = ErrorActual();
    QuitaTemporal(temporal_);
  }
  return error_;
}

int16_t EscritorAtomico::Entrega(bool sincroniza) {
  if (fd_ < 0) {
    if (error_ == kSinError) error_ = kErrEntradaSalida;  // already handed over
    return error_;
  }
  Vacia();
  if (error_ == kSinError && sincroniza && ::fsync(fd_) != 0) error_ = ErrorActual();
  if (::close(fd_) != 0 && error_ == kSinError) error_ = ErrorActual();
  fd_ = -1;
  if (error_ != kSinError) QuitaTemporal(temporal_);
  return error_;
}

void EscritorAtomico::Descarta() {
  if (fd_ >= 0) {
    ::close(fd_);
    fd_ = -1;
    QuitaTemporal(temporal_);
  }
  usado_ = 0;
}

}  // namespace zendo
