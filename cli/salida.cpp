// Handing a command over to zendo-cli-salida, the program beside zendo-cli that links Qt,
// CUPS and libcurl. Loading those libraries costs every command tens of milliseconds, most
// of a quick command's time, so zendo-cli itself is built without them.

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>

#include "cli/comandos.h"
#include "engine/core/fallo.h"
#include "engine/core/fichero.h"
#include "engine/core/texto.h"

namespace zendo::cli {

namespace {

// Beside the program file itself, wherever zendo-cli was called from (a link included).
[[maybe_unused]] std::filesystem::path ProgramaSalida() {
  std::error_code e;
  const std::filesystem::path propio = std::filesystem::read_symlink("/proc/self/exe", e);
  return (e ? std::filesystem::path() : propio.parent_path()) / "zendo-cli-salida";
}

}  // namespace

char**& LineaOrdenes() {
  static char** argv = nullptr;
  return argv;
}

std::optional<int> EjecutaEnSalida() {
#ifdef ZENDO_CLI_SALIDA
  return std::nullopt;
#else
  const std::filesystem::path programa = ProgramaSalida();
  char** argv = LineaOrdenes();
  std::cout.flush();
  std::fflush(stdout);
  if (argv != nullptr) ::execv(programa.c_str(), argv);
  const int e = argv != nullptr ? errno : ENOEXEC;
  std::cerr << "zendo-cli: no se puede ejecutar " << programa.string() << " ("
            << Cp1252AUtf8(CausaError(ErrorDesdeErrno(e)))
            << "), que pinta los PDF y envía el correo; debe estar junto a zendo-cli\n";
  return kSalidaError;
#endif
}

}  // namespace zendo::cli
