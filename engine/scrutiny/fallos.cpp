#include "engine/scrutiny/fallos.h"

#include "engine/core/fichero.h"
#include "engine/core/texto.h"

namespace zendo {
namespace {

std::string Causa(int16_t error) {
  switch (error) {
    case kErrDesbordamiento:
      return "desbordamiento";
    case kErrNombreFichero:
      return "nombre de fichero no válido";
    case kErrNoEncontrado:
      return "fichero no encontrado";
    case kErrEntradaSalida:
      return "error de entrada/salida";
    case kErrDiscoLleno:
      return "disco lleno";
    case kErrFinFichero:
      return "fin de fichero inesperado";
    case kErrPermiso:
      return "permiso denegado";
    case kErrDiscoNoPreparado:
      return "disco no preparado";
    case kErrAcceso:
      return "acceso no permitido";
    case kErrRutaNoEncontrada:
      return "ruta no encontrada";
    default:
      return "error " + std::to_string(error);
  }
}

}  // namespace

std::string CodigoFallo(const FalloEscrutinio& f) {
  return "ESC ERROR " + std::to_string(f.error);
}

std::string CausaFallo(const FalloEscrutinio& f) {
  return Cp(Causa(f.error)) + (f.escribiendo ? " al escribir " : " al leer ") + f.fichero;
}

std::string MensajeFallo(const FalloEscrutinio& f) {
  std::string causa = CausaFallo(f);
  if (!causa.empty() && causa[0] >= 'a' && causa[0] <= 'z')
    causa[0] = static_cast<char>(causa[0] - 'a' + 'A');
  return CodigoFallo(f) + kSaltoLinea + causa + ".";
}

std::string LineaFallo(const FalloEscrutinio& f) {
  return CodigoFallo(f) + ": " + CausaFallo(f);
}

}  // namespace zendo
