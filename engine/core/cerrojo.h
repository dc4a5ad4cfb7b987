#pragma once
// One program per data folder. The desktop program holds the lock of its data folder for
// its whole run; a zendo-cli command that writes holds it while it runs; a command that
// only reads takes it only to resolve the journal of a commit that did not end. The lock is
// flock(2) on a file that is never deleted (removing it would let two programs lock two
// different files of the same name), so it is released by the kernel when its holder ends,
// however it ends.
//
// Each start, under the lock: the pending journal is resolved (transaccion.h) before
// anything is read, then the temporaries a killed run left behind are removed. Both are
// done by AbreCarpetaEscritura / AbreCarpetaLectura; nothing else removes temporaries.

#include <chrono>
#include <filesystem>
#include <string>

#include "engine/core/fallo.h"

namespace zendo {

inline constexpr const char* kFicheroCerrojo = ".zendo-cerrojo";

class CerrojoCarpeta {
 public:
  CerrojoCarpeta() = default;
  ~CerrojoCarpeta();
  CerrojoCarpeta(CerrojoCarpeta&& otro) noexcept;
  CerrojoCarpeta& operator=(CerrojoCarpeta&& otro) noexcept;
  CerrojoCarpeta(const CerrojoCarpeta&) = delete;
  CerrojoCarpeta& operator=(const CerrojoCarpeta&) = delete;

  // Takes the lock of `carpeta`, trying again until `espera` has passed.
  static CerrojoCarpeta Toma(const std::filesystem::path& carpeta,
                             std::chrono::milliseconds espera);

  bool tomado() const { return fd_ >= 0; }
  // Another program holds the lock.
  bool ocupado() const { return ocupado_; }
  // A read-only folder without a lock file: not taken, and not needed, since no program can
  // write in the folder.
  bool soloLectura() const { return soloLectura_; }
  // Why it could not be taken when the folder itself failed (not a folder, read-only...).
  const FalloFichero& fallo() const { return fallo_; }
  const std::filesystem::path& carpeta() const { return carpeta_; }
  void Suelta();

 private:
  std::filesystem::path carpeta_;
  int fd_ = -1;
  bool ocupado_ = false;
  bool soloLectura_ = false;
  FalloFichero fallo_;
};

// Removes every temporary of the folder (fichero.h's naming rule). Only under the lock.
void LimpiaTemporales(const CerrojoCarpeta& cerrojo);

// What a program gets when it opens a data folder.
struct AccesoCarpeta {
  CerrojoCarpeta cerrojo;    // held by a program that writes
  FalloFichero fallo;        // the folder, its lock or its journal failed
  bool ocupada = false;      // another program holds the folder
  bool habiaDiario = false;  // a journal was pending (resolved unless `fallo`)
  bool ok() const { return !fallo && !ocupada; }
};

// For a program that writes: takes the lock (waiting up to `espera`), resolves a pending
// journal and removes stale temporaries. The lock stays held by the result.
AccesoCarpeta AbreCarpetaEscritura(const std::filesystem::path& carpeta,
                                   std::chrono::milliseconds espera);

// For a program that only reads: writes nothing unless a journal is pending, in which case
// it takes the lock (waiting up to `espera`) just to resolve it. The lock is not kept.
AccesoCarpeta AbreCarpetaLectura(const std::filesystem::path& carpeta,
                                 std::chrono::milliseconds espera);

// How long a zendo-cli command waits for a folder another program holds.
inline constexpr std::chrono::milliseconds kEsperaCerrojo{5000};

}  // namespace zendo
