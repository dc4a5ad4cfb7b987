#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

#include "cli/comandos.h"
#include "engine/core/fallo.h"
#include "engine/core/fichero.h"
#include "engine/core/texto.h"

namespace zendo::cli {

std::map<std::string, Comando>& Comandos() {
  static std::map<std::string, Comando> comandos;
  return comandos;
}

RegistroComando::RegistroComando(Comando c) {
  auto nombre = c.nombre;
  Comandos().emplace(std::move(nombre), std::move(c));
}

bool Argumentos::Tiene(const std::string& bandera) const {
  for (const auto& b : banderas) {
    if (b == bandera) return true;
  }
  return false;
}

std::optional<std::string> Argumentos::Opcion(const std::string& nombre) const {
  const auto it = opciones.find(nombre);
  if (it == opciones.end()) return std::nullopt;
  return it->second;
}

std::vector<std::string> Argumentos::Valores(const std::string& nombre) const {
  const auto it = valores.find(nombre);
  return it == valores.end() ? std::vector<std::string>{} : it->second;
}

std::optional<int> OpcionEntera(const Argumentos& a, const std::string& nombre, int minimo,
                                int maximo) {
  const auto v = a.Opcion(nombre);
  if (!v) {
    std::cerr << "zendo-cli: falta " << nombre << "\n";
    return std::nullopt;
  }
  char* fin = nullptr;
  const long n = std::strtol(v->c_str(), &fin, 10);
  if (v->empty() || *fin != '\0' || n < minimo || n > maximo) {
    std::cerr << "zendo-cli: " << nombre << " debe ser un número de " << minimo << " a " << maximo
              << "\n";
    return std::nullopt;
  }
  return static_cast<int>(n);
}

void Imprime(const std::string& cp1252) {
  std::cout << Cp1252AUtf8(cp1252);
}
void ImprimeLinea(const std::string& cp1252) {
  std::cout << Cp1252AUtf8(cp1252) << '\n';
}
void ImprimeError(const std::string& cp1252) {
  std::string texto = Cp1252AUtf8(cp1252);
  for (std::size_t p = texto.find("\r\n"); p != std::string::npos; p = texto.find("\r\n", p)) {
    texto.erase(p, 1);
  }
  std::cerr << texto << '\n';
}

namespace {

void AyudaGeneral(std::ostream& os) {
  os << "zendo-cli: el motor de Zendo desde un terminal.\n\n"
        "Uso: zendo-cli ORDEN [opciones]\n"
        "     zendo-cli ORDEN --help     ayuda de una orden\n\n"
        "Órdenes:\n";
  for (const auto& [nombre, c] : Comandos()) {
    os << "  " << nombre << std::string(nombre.size() < 12 ? 12 - nombre.size() : 1, ' ')
       << c.resumen << '\n';
  }
  os << "\nCódigos de salida comunes: 0 bien, 1 error de fichero, 64 argumentos incorrectos.\n";
}

}  // namespace
}  // namespace zendo::cli

int main(int argc, char** argv) {
  using namespace zendo::cli;
  LineaOrdenes() = argv;
  // A write past a file-size limit then fails with EFBIG, reported as a full disk, instead of
  // killing the program with its temporary file left behind.
  std::signal(SIGXFSZ, SIG_IGN);
  if (argc < 2 || std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h" ||
      std::string(argv[1]) == "help") {
    AyudaGeneral(std::cout);
    return argc < 2 ? kSalidaUso : kSalidaOk;
  }
  const auto it = Comandos().find(argv[1]);
  if (it == Comandos().end()) {
    std::cerr << "zendo-cli: orden desconocida: " << argv[1] << "\n\n";
    AyudaGeneral(std::cerr);
    return kSalidaUso;
  }
  const Comando& c = it->second;
  Argumentos a;
  for (int i = 2; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::cout << c.ayuda;
      return kSalidaOk;
    }
    bool conValor = false;
    for (const auto& o : c.opcionesConValor) conValor = conValor || o == arg;
    if (conValor) {
      const auto n = c.valoresPorOpcion.count(arg) ? c.valoresPorOpcion.at(arg) : 1;
      if (i + n >= argc) {
        std::cerr << "zendo-cli: " << arg
                  << (n == 1 ? " necesita un valor\n"
                             : " necesita " + std::to_string(n) + " valores\n");
        return kSalidaUso;
      }
      for (int k = 0; k < n; ++k) {
        a.opciones[arg] = argv[++i];
        a.valores[arg].push_back(argv[i]);
      }
    } else if (std::find(c.banderasValidas.begin(), c.banderasValidas.end(), arg) !=
               c.banderasValidas.end()) {
      a.banderas.push_back(arg);
    } else {
      std::cerr << "zendo-cli: argumento inesperado: " << arg << "\n";
      return kSalidaUso;
    }
  }
  const int salida = c.ejecuta(a);
  // Output that did not reach its destination (a full disk, a closed pipe) is an error too.
  std::cout.flush();
  if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0 || !std::cout) {
    const int e = errno;
    ImprimeError(zendo::Cp("zendo-cli: no se ha podido escribir la salida estándar: ") +
                 zendo::CausaError(zendo::ErrorDesdeErrno(e)));
    return salida == kSalidaOk ? kSalidaError : salida;
  }
  return salida;
}
