#pragma once
// What the benchmark programs share: a private data folder, the median of timings, and a
// command run with its output thrown away, timed, with its peak memory.

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace zendo::bench {

namespace fs = std::filesystem;

// A folder of its own under $ZENDO_BENCH_TMP (default: the system's temporary folder),
// removed with everything in it when the object dies.
class Carpeta {
 public:
  explicit Carpeta(const std::string& nombre) {
    const char* base = std::getenv("ZENDO_BENCH_TMP");
    ruta_ = (base ? fs::path(base) : fs::temp_directory_path()) /
            (nombre + "-" + std::to_string(::getpid()));
    fs::create_directories(ruta_);
  }
  ~Carpeta() {
    std::error_code ec;
    fs::remove_all(ruta_, ec);
  }
  Carpeta(const Carpeta&) = delete;
  Carpeta& operator=(const Carpeta&) = delete;
  const fs::path& ruta() const { return ruta_; }

 private:
  fs::path ruta_;
};

inline double Segundos(const std::chrono::steady_clock::time_point& desde) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - desde).count();
}

inline double Mediana(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

// Writes out whatever earlier steps left for the disk. A timing that starts after it pays
// for its own writing only, not for a random share of the copies made before it (the
// kernel writes those back in the background, on the same disk).
inline void SinEscriturasPendientes() {
  ::sync();
}

// Runs a command with its output thrown away; its time, exit status and peak memory.
struct Ejecucion {
  double segundos = 0;
  double cpu = 0;  // user and system time of the child: what a loaded machine does not change
  int estado = -1;
  long picoKiB = 0;
};
inline Ejecucion Ejecuta(const std::vector<std::string>& argumentos) {
  std::vector<char*> argv;
  for (const auto& a : argumentos) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t acciones;
  posix_spawn_file_actions_init(&acciones);
  posix_spawn_file_actions_addopen(&acciones, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  Ejecucion e;
  const auto t0 = std::chrono::steady_clock::now();
  pid_t pid = 0;
  if (posix_spawn(&pid, argv[0], &acciones, nullptr, argv.data(), environ) == 0) {
    int estado = 0;
    struct rusage uso {};
    ::wait4(pid, &estado, 0, &uso);
    e.segundos = Segundos(t0);
    e.estado = WIFEXITED(estado) ? WEXITSTATUS(estado) : -1;
    e.picoKiB = uso.ru_maxrss;
    e.cpu = static_cast<double>(uso.ru_utime.tv_sec + uso.ru_stime.tv_sec) +
            static_cast<double>(uso.ru_utime.tv_usec + uso.ru_stime.tv_usec) / 1e6;
  }
  posix_spawn_file_actions_destroy(&acciones);
  return e;
}

}  // namespace zendo::bench
