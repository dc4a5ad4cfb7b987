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

#ifndef ZENDO_CLI_SALIDA
namespace {

// Beside the program file itself, wherever zendo-cli was called from (a link included);
// without /proc, beside the path it was started by. Never a bare name, which would be looked
// for in the current folder.
std::filesystem::path ProgramaSalida(const char* arranque) {
  std::error_code e;
  std::filesystem::path propio = std::filesystem::read_symlink("/proc/self/exe", e);
  if (e) propio = arranque != nullptr ? arranque : "";
  if (!propio.has_parent_path()) return "zendo-cli-salida";
  return propio.parent_path() / "zendo-cli-salida";
}

}  // namespace
#endif

char**& LineaOrdenes() {
  static char** argv = nullptr;
  return argv;
}

std::optional<int> EjecutaEnSalida() {
#ifdef ZENDO_CLI_SALIDA
  return std::nullopt;
#else
  char** argv = LineaOrdenes();
  const std::filesystem::path programa = ProgramaSalida(argv != nullptr ? argv[0] : nullptr);
  std::cout.flush();
  std::fflush(stdout);
  int e = ENOENT;
  if (argv != nullptr && programa.has_parent_path()) {
    ::execv(programa.c_str(), argv);
    e = errno;
  }
  std::cerr << "zendo-cli: no se puede ejecutar " << programa.string() << " ("
            << Cp1252AUtf8(CausaError(ErrorDesdeErrno(e)))
            << "), que pinta los PDF y envía el correo; debe estar junto a zendo-cli\n";
  return kSalidaError;
#endif
}

}  // namespace zendo::cli
