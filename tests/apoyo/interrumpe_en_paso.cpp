// Preloaded into zendo-cli by the Ctrl-C tests: raises SIGINT in the process right before one
// exact disk step, so that a test can place a Ctrl-C on either side of a commit point
// without guessing at times. ZENDO_INTERRUMPE_EN names the step, "rename:NOMBRE" (a rename
// onto NOMBRE) or "unlink:NOMBRE", NOMBRE being the last part of the path; it fires once.
// When it fires it creates the file ZENDO_INTERRUMPE_MARCA, so that a test knows it did.
//
// <cstdio> and <unistd.h> are left out on purpose: their declarations of rename and unlink
// would clash with these.

#include <dlfcn.h>
#include <fcntl.h>

#include <csignal>
#include <cstdlib>
#include <cstring>

extern "C" int close(int fd);

namespace {

bool Toca(const char* operacion, const char* ruta) {
  static bool hecho = false;
  const char* paso = std::getenv("ZENDO_INTERRUMPE_EN");
  if (hecho || paso == nullptr || ruta == nullptr) return false;
  const std::size_t n = std::strlen(operacion);
  if (std::strncmp(paso, operacion, n) != 0 || paso[n] != ':') return false;
  const char* barra = std::strrchr(ruta, '/');
  if (std::strcmp(paso + n + 1, barra != nullptr ? barra + 1 : ruta) != 0) return false;
  hecho = true;
  if (const char* marca = std::getenv("ZENDO_INTERRUMPE_MARCA"); marca != nullptr) {
    const int fd = ::open(marca, O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    if (fd >= 0) close(fd);
  }
  return true;
}

template <class F>
F Siguiente(const char* nombre) {
  F f = nullptr;
  void* s = ::dlsym(RTLD_NEXT, nombre);
  std::memcpy(&f, &s, sizeof f);
  return f;
}

}  // namespace

extern "C" int rename(const char* de, const char* a) {
  static const auto real = Siguiente<int (*)(const char*, const char*)>("rename");
  if (Toca("rename", a)) std::raise(SIGINT);
  return real(de, a);
}

extern "C" int unlink(const char* ruta) {
  static const auto real = Siguiente<int (*)(const char*)>("unlink");
  if (Toca("unlink", ruta)) std::raise(SIGINT);
  return real(ruta);
}
