// How every command opens the data folder: the lock, the journal, the stale temporaries.

#include <cstdio>
#include <cstdlib>
#include <iostream>

#include "cli/comandos.h"
#include "engine/core/fichero.h"
#include "engine/core/texto.h"

namespace zendo::cli {
namespace {

std::optional<std::filesystem::path> OpcionDatos(const Argumentos& a) {
  const auto d = a.Opcion("--datos");
  if (!d || d->empty()) {
    std::cerr << "zendo-cli: falta --datos CARPETA\n";
    return std::nullopt;
  }
  return std::filesystem::path(*d);
}

[[noreturn]] void Termina(const std::string& cp1252) {
  ImprimeError(cp1252);
  std::cout.flush();
  std::exit(kSalidaError);
}

// Ends zendo-cli when the folder cannot be used.
void Comprueba(const std::filesystem::path& ruta, const AccesoCarpeta& acceso) {
  const std::string carpeta = Utf8ACp1252(ruta.string()).texto;
  if (acceso.ocupada) {
    Termina(Cp("zendo-cli: la carpeta de datos ") + carpeta +
            Cp(" está en uso por otro programa Zendo; inténtelo cuando haya terminado."));
  }
  if (!acceso.fallo) return;
  if (acceso.habiaDiario) {
    Termina(Cp("zendo-cli: no se ha podido completar ni deshacer el último cambio que quedó a "
               "medias en ") +
            carpeta + ": " + DescribeFallo(acceso.fallo));
  }
  FalloFichero f = acceso.fallo;
  if (f.fichero == ruta.string()) f.fichero = carpeta;
  Termina(Cp("zendo-cli: no se puede usar la carpeta de datos ") + carpeta + ": " +
          DescribeFallo(f));
}

}  // namespace

std::optional<std::filesystem::path> CarpetaDatos(const Argumentos& a) {
  auto ruta = OpcionDatos(a);
  if (!ruta) return ruta;
  Comprueba(*ruta, AbreCarpetaLectura(*ruta, kEsperaCerrojo));
  return ruta;
}

std::optional<CarpetaEscritura> CarpetaDatosEscritura(const Argumentos& a) {
  auto ruta = OpcionDatos(a);
  if (!ruta) return std::nullopt;
  AccesoCarpeta acceso = AbreCarpetaEscritura(*ruta, kEsperaCerrojo);
  Comprueba(*ruta, acceso);
  return CarpetaEscritura{*ruta, std::move(acceso.cerrojo)};
}

bool EnCarpetaDatos(const std::filesystem::path& ruta, const std::filesystem::path& datos) {
  std::error_code ec;
  std::filesystem::path carpeta = ruta.parent_path();
  if (carpeta.empty()) carpeta = ".";
  return std::filesystem::equivalent(carpeta, datos, ec);
}

bool ExisteFichero(const std::filesystem::path& ruta) {
  std::error_code ec;
  return std::filesystem::exists(ruta, ec);
}

void ImprimeFallo(const std::string& mensaje, const FalloFichero& fallo) {
  const std::string causa = DescribeFallo(fallo);
  if (causa.empty()) {
    ImprimeError(mensaje);
    return;
  }
  // The first line of the message is its code; whatever follows stays after the cause.
  const auto fin = mensaje.find('\r');
  const std::string primera = mensaje.substr(0, fin);
  const std::string resto = fin == std::string::npos ? std::string() : mensaje.substr(fin);
  if (primera.find(" ERROR ") != std::string::npos) {
    ImprimeError(primera + ": " + causa + resto);
  } else {
    ImprimeError(mensaje + kSaltoLinea + causa);
  }
}

}  // namespace zendo::cli
