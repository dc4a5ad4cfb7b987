#include "engine/scrutiny/fallos.h"

#include "engine/core/fallo.h"
#include "engine/core/fichero.h"
#include "engine/core/texto.h"

namespace zendo {
std::string CodigoFallo(const FalloEscrutinio& f) {
  return "ESC ERROR " + std::to_string(f.error);
}

namespace {
FalloFichero Comun(const FalloEscrutinio& f) {
  return {f.error, f.fichero, f.escribiendo ? OperacionFichero::Escribir : OperacionFichero::Leer};
}
}  // namespace

std::string CausaFallo(const FalloEscrutinio& f) {
  return DescribeFallo(Comun(f));
}

std::string MensajeFallo(const FalloEscrutinio& f) {
  return MensajeFallo("ESC", Comun(f));
}

std::string LineaFallo(const FalloEscrutinio& f) {
  return LineaFallo("ESC", Comun(f));
}

}  // namespace zendo
