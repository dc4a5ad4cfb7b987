#include "engine/output/columnas_salida.h"

#include <cstring>

#include "engine/consult/fichero_boletos.h"
#include "engine/core/fichero.h"

namespace zendo {
namespace {

void Rellena(std::string& destino, std::size_t desde) {
  for (std::size_t p = desde; p < destino.size(); p += kLargoRegistroBoleto) {
    std::memcpy(destino.data() + p, kRegistroBlanco.data(), kLargoRegistroBoleto);
  }
}

// The work file read by records straight from the disk.
class RegistrosEnFichero : public OrigenRegistros {
 public:
  explicit RegistrosEnFichero(const std::filesystem::path& ruta)
      : fichero_(AbreFicheroBoletos(ruta)) {}

  int16_t error() const { return fichero_.error(); }
  int64_t registros() const override { return fichero_.registros(); }
  int16_t Lee(int64_t primero, int64_t n, std::string& destino) override {
    return fichero_.Lee(primero, n, destino);
  }

 private:
  FicheroBoletos fichero_;
};

}  // namespace

int64_t RegistrosEnMemoria::registros() const {
  return static_cast<int64_t>(bytes_.size() / kLargoRegistroBoleto);
}

int16_t RegistrosEnMemoria::Lee(int64_t primero, int64_t n, std::string& destino) {
  destino.resize(static_cast<std::size_t>(n) * kLargoRegistroBoleto);
  std::size_t copiados = 0;
  const int64_t hasta = std::min(primero + n - 1, registros());
  if (primero >= 1 && hasta >= primero) {
    copiados = static_cast<std::size_t>(hasta - primero + 1) * kLargoRegistroBoleto;
    std::memcpy(destino.data(),
                bytes_.data() + static_cast<std::size_t>(primero - 1) * kLargoRegistroBoleto,
                copiados);
  }
  Rellena(destino, copiados);
  return kSinError;
}

std::unique_ptr<OrigenRegistros> AbreRegistros(const std::filesystem::path& ficheroBoletos,
                                               int16_t& error) {
  auto fichero = std::make_unique<RegistrosEnFichero>(ficheroBoletos);
  error = fichero->error();
  if (error != kSinError) return nullptr;
  return fichero;
}

AperturaColumnas AbreColumnasSalida(const std::filesystem::path& rutaDatos, int jornada, int orden,
                                    const std::atomic<bool>& cancelar) {
  AperturaColumnas a;
  const ResultadoBoletos b = CreaFicheroBoletos(rutaDatos, jornada, orden, nullptr, cancelar);
  if (b.cancelado) {
    a.cancelado = true;
    return a;
  }
  if (b.error != kSinError) {
    a.error = b.error;
    // A missing columns file is told too: printing nothing without a word helps nobody.
    a.mensaje = b.mensaje.empty() ? "RED ERROR " + std::to_string(b.error) : b.mensaje;
    return a;
  }
  a.fichero = AbreRegistros(rutaDatos / kFicheroBoletos, a.error);
  if (!a.fichero) a.mensaje = "FORBOL ERROR " + std::to_string(a.error);
  return a;
}

}  // namespace zendo
