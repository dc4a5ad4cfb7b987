#include "engine/core/fallo.h"

#include "engine/core/texto.h"

namespace zendo {

std::string CausaError(int16_t error) {
  switch (error) {
    case 6:
      return "desbordamiento";
    case 13:
      return Cp("dato no válido");
    case 52:
      return Cp("nombre de fichero no válido");
    case 53:
      return "fichero no encontrado";
    case 57:
      return "error de entrada/salida";
    case 61:
      return "disco lleno";
    case 62:
      return "fin de fichero inesperado";
    case 70:
      return "permiso denegado";
    case 71:
      return "disco no preparado";
    case 75:
      return "acceso no permitido";
    case 76:
      return "ruta no encontrada";
    default:
      return "error " + std::to_string(error);
  }
}

std::string DescribeFallo(const FalloFichero& f) {
  if (f.error == 0) return {};
  const char* verbo = "leer";
  switch (f.operacion) {
    case OperacionFichero::Leer:
      verbo = "leer";
      break;
    case OperacionFichero::Escribir:
      verbo = "escribir";
      break;
    case OperacionFichero::Crear:
      verbo = "crear";
      break;
    case OperacionFichero::Borrar:
      verbo = "borrar";
      break;
    case OperacionFichero::Renombrar:
      verbo = "renombrar";
      break;
    case OperacionFichero::Bloquear:
      verbo = "bloquear";
      break;
  }
  std::string t = CausaError(f.error) + " al " + verbo;
  if (!f.fichero.empty()) t += " " + f.fichero;
  return t;
}

std::string LineaFallo(const char* codigo, const FalloFichero& f) {
  std::string t = std::string(codigo) + " ERROR " + std::to_string(f.error);
  const std::string causa = DescribeFallo(f);
  if (!causa.empty()) t += ": " + causa;
  return t;
}

std::string SegundaLineaFallo(const FalloFichero& f) {
  std::string causa = DescribeFallo(f);
  if (causa.empty()) return causa;
  if (causa[0] >= 'a' && causa[0] <= 'z') causa[0] = static_cast<char>(causa[0] - 'a' + 'A');
  return causa + ".";
}

std::string ConCausa(const std::string& mensaje, const FalloFichero& f) {
  const std::string segunda = SegundaLineaFallo(f);
  if (segunda.empty() || mensaje.empty()) return mensaje;
  return mensaje + "\r\n" + segunda;
}

std::string MensajeFallo(const char* codigo, const FalloFichero& f) {
  const std::string segunda = SegundaLineaFallo(f);
  std::string t = std::string(codigo) + " ERROR " + std::to_string(f.error);
  return segunda.empty() ? t : t + "\r\n" + segunda;
}

}  // namespace zendo
