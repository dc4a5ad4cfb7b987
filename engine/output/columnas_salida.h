#pragma once
// The columns a print run reads: the reduction file is opened, the boleto work file is built
// from it and read back by records, boleto by boleto (8 records each, 20 bytes a record).

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "engine/output/control_impresion.h"

namespace zendo {

class OrigenRegistros {
 public:
  virtual ~OrigenRegistros() = default;
  // Whole records the work file holds.
  virtual int64_t registros() const = 0;
  // Records primero .. primero + n - 1 (1-based) into `destino`, n * 20 bytes; those past
  // the end read as blank places. Returns the file error number.
  virtual int16_t Lee(int64_t primero, int64_t n, std::string& destino) = 0;
};

struct AperturaColumnas {
  std::unique_ptr<OrigenRegistros> fichero;  // null on failure
  int16_t error = 0;
  std::string mensaje;  // "RED ERROR n" or "FORBOL ERROR n"
  bool cancelado = false;
};

// Opens the columns of reduction (jornada, orden) for output: the reduction file must open,
// FORBOLW.TVX is rebuilt from it and opened for reading. A missing reduction file gives
// "RED ERROR 53".
AperturaColumnas AbreColumnasSalida(const std::filesystem::path& rutaDatos, int jornada, int orden,
                                    const std::atomic<bool>& cancelar);

// AbreFicheroBoletos: the work file as it stands, for reading by records; null and the error
// number when it cannot be opened.
std::unique_ptr<OrigenRegistros> AbreRegistros(const std::filesystem::path& ficheroBoletos,
                                               int16_t& error);

// The work file bytes held in memory (tests, and documents built from a ready file).
class RegistrosEnMemoria : public OrigenRegistros {
 public:
  explicit RegistrosEnMemoria(std::string bytes) : bytes_(std::move(bytes)) {}
  int64_t registros() const override;
  int16_t Lee(int64_t primero, int64_t n, std::string& destino) override;

 private:
  std::string bytes_;
};

// The boletos from `inicial` to `final` are records (inicial - 1) x 8 + 1 to final x 8.
inline int64_t PrimerRegistro(int64_t boleto) {
  return (boleto - 1) * 8 + 1;
}
inline int64_t UltimoRegistro(int64_t boleto) {
  return boleto * 8;
}

}  // namespace zendo
