#include "apoyo/apoyo.h"

#include "engine/core/cerrojo.h"
#include "engine/core/transaccion.h"

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

namespace zendo::prueba {

CarpetaTemporal::CarpetaTemporal() {
  const char* base = std::getenv("ZENDO_TEST_TMP");
  fs::path raiz = base ? fs::path(base) : fs::temp_directory_path() / "zendo-tests";
  fs::create_directories(raiz);
  std::random_device rd;
  for (int intento = 0; intento < 100; ++intento) {
    fs::path p = raiz / ("t" + std::to_string(::getpid()) + "-" + std::to_string(rd()));
    if (fs::create_directory(p)) {
      ruta_ = p;
      return;
    }
  }
  throw std::runtime_error("no temporary folder");
}

CarpetaTemporal::~CarpetaTemporal() {
  std::error_code ec;
  // Give back write permission a test may have taken away, so everything can go.
  for (auto it = fs::recursive_directory_iterator(ruta_, ec);
       !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
    fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
  }
  fs::permissions(ruta_, fs::perms::owner_all, fs::perm_options::add, ec);
  fs::remove_all(ruta_, ec);
}

std::string LeeBytes(const fs::path& ruta) {
  std::ifstream f(ruta, std::ios::binary);
  std::ostringstream ss;
  ss << f.rdbuf();
  return ss.str();
}

std::vector<std::string> Ficheros(const fs::path& carpeta) {
  std::vector<std::string> nombres;
  for (const auto& e : fs::directory_iterator(carpeta)) nombres.push_back(e.path().filename());
  std::sort(nombres.begin(), nombres.end());
  return nombres;
}

void EscribeBytes(const fs::path& ruta, std::string_view bytes) {
  std::ofstream f(ruta, std::ios::binary | std::ios::trunc);
  f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

bool EsSuperusuario() {
  return ::geteuid() == 0;
}

SoloLectura::SoloLectura(const fs::path& carpeta) : carpeta_(carpeta) {
  if (!EsSuperusuario()) {
    fs::permissions(carpeta_, fs::perms::owner_read | fs::perms::owner_exec);
    activa_ = true;
    return;
  }
  const std::string c = "'" + carpeta_.string() + "'";
  montada_ = Ejecuta("mount --bind " + c + " " + c + " 2>/dev/null") == 0;
  activa_ = montada_ && Ejecuta("mount -o remount,ro,bind " + c + " " + c + " 2>/dev/null") == 0;
}

SoloLectura::~SoloLectura() {
  if (montada_) Ejecuta("umount '" + carpeta_.string() + "' 2>/dev/null");
  if (!EsSuperusuario()) fs::permissions(carpeta_, fs::perms::owner_all);
}

FotoCarpeta Foto(const fs::path& carpeta) {
  FotoCarpeta foto;
  for (const auto& e : fs::directory_iterator(carpeta)) {
    const std::string nombre = e.path().filename().string();
    if (nombre == kFicheroCerrojo) continue;
    foto[nombre] = e.is_directory() ? std::string("<carpeta>") : LeeBytes(e.path());
  }
  return foto;
}

namespace {
int gPasoFatal = 0;
int gPasos = 0;
void MataEnSuPaso(PasoDisco, bool, const std::string&) {
  if (++gPasos == gPasoFatal) ::kill(::getpid(), SIGKILL);
}
}  // namespace

bool MuereEnPaso(int paso, const std::function<void()>& operacion) {
  std::fflush(nullptr);
  const pid_t hijo = ::fork();
  if (hijo == 0) {
    gPasoFatal = paso;
    gPasos = 0;
    PonGanchoTransaccion(MataEnSuPaso);
    operacion();
    ::_exit(0);
  }
  int estado = 0;
  ::waitpid(hijo, &estado, 0);
  if (WIFSIGNALED(estado) && WTERMSIG(estado) == SIGKILL) return true;
  if (!WIFEXITED(estado) || WEXITSTATUS(estado) != 0) {
    throw std::runtime_error("the child process failed");
  }
  return false;
}

int Ejecuta(const std::string& orden, std::string* salida) {
  FILE* p = ::popen(orden.c_str(), "r");
  if (!p) return -1;
  char buf[4096];
  size_t n = 0;
  while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) {
    if (salida) salida->append(buf, n);
  }
  const int estado = ::pclose(p);
  return WIFEXITED(estado) ? WEXITSTATUS(estado) : 128 + WTERMSIG(estado);
}

}  // namespace zendo::prueba
