#include "engine/output/nombre_archivo.h"

#include <array>

#include "engine/core/texto.h"

namespace zendo {

namespace {

constexpr std::size_t kLargoMaximo = 255;  // bytes of a name on the disk (UTF-8)

std::string Minusculas(std::string_view s) {
  std::string m(s);
  for (char& c : m) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return m;
}

bool EsControl(unsigned char c) {
  // The C0 controls, DEL, and the five bytes Windows-1252 leaves undefined (C1 controls).
  return c < 0x20 || c == 0x7F || c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D;
}

Mensaje Rechazo(std::string texto) {
  Mensaje m;
  m.titulo = "Nombre del archivo";
  m.texto = std::move(texto);
  m.lineas = 3;
  m.botones = kBotonesSalir;
  m.contexto = 2450;
  return m;
}

}  // namespace

bool SistemaConReglasWindows(std::string_view tipoSistema) {
  static constexpr std::array<std::string_view, 8> kTipos = {
      "vfat", "msdos", "fat", "exfat", "ntfs", "ntfs3", "fuseblk", "fuse.exfat"};
  const std::string t = Minusculas(tipoSistema);
  for (const auto k : kTipos) {
    if (t == k) return true;
  }
  return false;
}

bool NombreDeDatos(std::string_view nombre) {
  const std::string m = Minusculas(nombre);
  auto terminaEn = [&](std::string_view fin) {
    return m.size() >= fin.size() && m.compare(m.size() - fin.size(), fin.size(), fin) == 0;
  };
  return terminaEn(".tvx") || terminaEn(".tvf") || m.rfind("~zendo-", 0) == 0;
}

std::optional<Mensaje> CompruebaNombreArchivo(std::string_view nombre, std::string_view tipoSistema,
                                              bool carpetaDatos) {
  if (nombre.empty()) return Rechazo(Cp("Escriba el nombre del archivo que desea crear."));
  if (nombre == "." || nombre == "..") {
    return Rechazo(
        Cp("\"" + std::string(nombre) + "\" no es un nombre de archivo. Escriba otro nombre."));
  }
  for (const char c : nombre) {
    if (c == '/' || c == '\\') {
      return Rechazo(Cp("El nombre del archivo no puede llevar el carácter ") + c +
                     Cp(". Escriba sólo el nombre: la carpeta se elige en la unidad de destino."));
    }
  }
  for (const char c : nombre) {
    if (EsControl(static_cast<unsigned char>(c))) {
      return Rechazo(Cp("El nombre del archivo lleva caracteres de control. Escriba otro nombre."));
    }
  }
  if (SistemaConReglasWindows(tipoSistema)) {
    for (const char c : nombre) {
      if (std::string_view("\"*:<>?|").find(c) != std::string_view::npos) {
        return Rechazo(Cp("El soporte de destino no admite el carácter ") + c +
                       Cp(" en los nombres de archivo. Escriba otro nombre."));
      }
    }
    if (nombre.back() == '.' || nombre.back() == ' ') {
      return Rechazo(
          Cp("El soporte de destino no admite nombres de archivo que terminen en "
             "punto o en espacio. Escriba otro nombre."));
    }
  }
  if (Cp1252AUtf8(nombre).size() > kLargoMaximo) {
    return Rechazo(Cp("El nombre del archivo es demasiado largo. Escriba un nombre más corto."));
  }
  if (carpetaDatos && NombreDeDatos(nombre)) {
    return Rechazo(
        Cp("Ese nombre es el de un archivo de datos del programa. Escriba otro "
           "nombre o elija otra unidad de destino."));
  }
  return std::nullopt;
}

}  // namespace zendo
