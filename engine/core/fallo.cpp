#include "engine/core/fallo.h"

#include "engine/core/texto.h"

namespace zendo {

std::string CausaError(int16_t error) {
  switch (error) {
    case 6:
      return Cp("desbordamiento");
    case 52:
      return Cp("nombre de fichero no válido");
    case 53:
      return Cp("no existe el fichero");
    case 57:
      return Cp("error de entrada/salida del dispositivo");
    case 61:
      return Cp("disco lleno");
    case 62:
      return Cp("fin de fichero inesperado");
    case 70:
      return Cp("permiso denegado");
    case 71:
      return Cp("disco no preparado");
    case 75:
      return Cp("no es un fichero normal o no se puede acceder a él");
    case 76:
      return Cp("no se encuentra la ruta");
    default:
      return Cp("error ") + std::to_string(error);
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

std::string MensajeFallo(const char* codigo, const FalloFichero& f) {
  std::string t = std::string(codigo) + " ERROR " + std::to_string(f.error);
  const std::string causa = DescribeFallo(f);
  if (!causa.empty()) t += ": " + causa;
  return t;
}

}  // namespace zendo
