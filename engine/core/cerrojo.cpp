#include "engine/core/cerrojo.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

#include "engine/core/fichero.h"
#include "engine/core/transaccion.h"

namespace zendo {

namespace fs = std::filesystem;

namespace {

constexpr std::chrono::milliseconds kReintento{50};

// The folder must exist and be a folder before anything is opened in it.
FalloFichero CompruebaCarpeta(const fs::path& carpeta) {
  struct stat st {};
  if (::stat(carpeta.c_str(), &st) != 0) {
    return FalloFichero{ErrorDesdeErrno(errno), carpeta.string(), OperacionFichero::Leer};
  }
  if (!S_ISDIR(st.st_mode)) {
    return FalloFichero{kErrRutaNoEncontrada, carpeta.string(), OperacionFichero::Leer};
  }
  return {};
}

}  // namespace

CerrojoCarpeta::~CerrojoCarpeta() {
  Suelta();
}

CerrojoCarpeta::CerrojoCarpeta(CerrojoCarpeta&& otro) noexcept
    : carpeta_(std::move(otro.carpeta_)),
      fd_(otro.fd_),
      ocupado_(otro.ocupado_),
      soloLectura_(otro.soloLectura_),
      fallo_(std::move(otro.fallo_)) {
  otro.fd_ = -1;
}

CerrojoCarpeta& CerrojoCarpeta::operator=(CerrojoCarpeta&& otro) noexcept {
  if (this != &otro) {
    Suelta();
    carpeta_ = std::move(otro.carpeta_);
    fd_ = otro.fd_;
    ocupado_ = otro.ocupado_;
    soloLectura_ = otro.soloLectura_;
    fallo_ = std::move(otro.fallo_);
    otro.fd_ = -1;
  }
  return *this;
}

void CerrojoCarpeta::Suelta() {
  if (fd_ >= 0) {
    ::flock(fd_, LOCK_UN);
    ::close(fd_);
    fd_ = -1;
  }
}

CerrojoCarpeta CerrojoCarpeta::Toma(const fs::path& carpeta, std::chrono::milliseconds espera) {
  CerrojoCarpeta c;
  c.carpeta_ = carpeta;
  if (FalloFichero f = CompruebaCarpeta(carpeta); f) {
    c.fallo_ = f;
    return c;
  }
  const fs::path ruta = carpeta / kFicheroCerrojo;
  int fd = ::open(ruta.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0644);
  if (fd < 0 && (errno == EROFS || errno == EACCES)) {
    // A read-only folder: an existing lock file can still be locked.
    fd = ::open(ruta.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0 && errno == ENOENT) {
      // Nor can any program of ours write in it: there is nothing to hold, and every write
      // fails and is reported where it is tried.
      c.soloLectura_ = true;
      return c;
    }
  }
  if (fd < 0) {
    c.fallo_ = FalloFichero{ErrorDesdeErrno(errno), kFicheroCerrojo, OperacionFichero::Crear};
    return c;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    c.fallo_ = FalloFichero{kErrAcceso, kFicheroCerrojo, OperacionFichero::Bloquear};
    return c;
  }
  const auto limite = std::chrono::steady_clock::now() + espera;
  for (;;) {
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
      c.fd_ = fd;
      return c;
    }
    if (errno != EWOULDBLOCK && errno != EINTR) {
      c.fallo_ = FalloFichero{ErrorDesdeErrno(errno), kFicheroCerrojo, OperacionFichero::Bloquear};
      break;
    }
    if (errno == EWOULDBLOCK && std::chrono::steady_clock::now() >= limite) {
      c.ocupado_ = true;
      break;
    }
    std::this_thread::sleep_for(kReintento);
  }
  ::close(fd);
  return c;
}

void LimpiaTemporales(const CerrojoCarpeta& cerrojo) {
  if (!cerrojo.tomado()) return;
  std::error_code ec;
  for (fs::directory_iterator it(cerrojo.carpeta(), ec), fin; !ec && it != fin; it.increment(ec)) {
    if (EsTemporal(it->path().filename().string())) {
      // Never a folder that happens to carry the name.
      struct stat st {};
      if (::lstat(it->path().c_str(), &st) == 0 && !S_ISDIR(st.st_mode)) {
        ::unlink(it->path().c_str());
      }
    }
  }
}

AccesoCarpeta AbreCarpetaEscritura(const fs::path& carpeta, std::chrono::milliseconds espera) {
  AccesoCarpeta a;
  a.cerrojo = CerrojoCarpeta::Toma(carpeta, espera);
  a.ocupada = a.cerrojo.ocupado();
  a.fallo = a.cerrojo.fallo();
  if (!a.cerrojo.tomado() && !a.cerrojo.soloLectura()) return a;
  const ResolucionDiario r = ResuelveDiario(carpeta);
  a.habiaDiario = r.habia;
  if (r.fallo) {
    // The files stay as the journal left them; nothing may be read or written.
    a.fallo = r.fallo;
    a.cerrojo.Suelta();
    return a;
  }
  LimpiaTemporales(a.cerrojo);
  return a;
}

AccesoCarpeta AbreCarpetaLectura(const fs::path& carpeta, std::chrono::milliseconds espera) {
  AccesoCarpeta a;
  a.fallo = CompruebaCarpeta(carpeta);
  if (a.fallo || !HayDiario(carpeta)) return a;
  // A journal: either a commit in progress in another program (it ends in milliseconds and
  // removes it) or one that a crash cut short, resolved here under the lock.
  const auto limite = std::chrono::steady_clock::now() + espera;
  for (;;) {
    CerrojoCarpeta c = CerrojoCarpeta::Toma(carpeta, std::chrono::milliseconds(0));
    if (c.tomado() || c.soloLectura()) {
      const ResolucionDiario r = ResuelveDiario(carpeta);
      a.habiaDiario = r.habia;
      a.fallo = r.fallo;
      return a;
    }
    if (!c.ocupado()) {
      a.fallo = c.fallo();
      return a;
    }
    if (!HayDiario(carpeta)) return a;
    if (std::chrono::steady_clock::now() >= limite) {
      a.ocupada = true;
      return a;
    }
    std::this_thread::sleep_for(kReintento);
  }
}

}  // namespace zendo
