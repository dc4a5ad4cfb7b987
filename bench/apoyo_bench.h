#pragma once
// What the benchmark programs share: a private data folder and the median of timings.

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

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

}  // namespace zendo::bench
