#pragma once
// What a print run asks of whoever runs it: the status line, the cancel flag, the pauses,
// the message of an incomplete last boleto and, on individual boletos, the choice made
// after each one (Repetir, Siguiente or cancel). The defaults are those of a run nobody
// watches (zendo-cli, the benchmarks): no pauses, never cancelled, Siguiente after each
// boleto.

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/core/mensaje.h"

namespace zendo {

enum class Decision { Repetir, Siguiente, Cancelar };

class ControlImpresion {
 public:
  virtual ~ControlImpresion() = default;
  // The status line of the screen (Windows-1252); empty clears it.
  virtual void Estado(std::string_view /*texto*/) {}
  // Read after every boleto, row, page or copy.
  virtual bool Cancelado() { return false; }
  virtual void Pausa(int /*milisegundos*/) {}
  // A message shown while the run goes on (the last boleto holds a single column).
  virtual void Aviso(const Mensaje& /*mensaje*/) {}
  // The columns were read: the boletos are about to be printed one by one.
  virtual void EmpiezanBoletos() {}
  // The boleto about to be printed is the last one of the range.
  virtual void UltimoBoleto() {}
  // Waits, after an individual boleto was printed, for what the user wants.
  virtual Decision Espera() { return Decision::Siguiente; }
};

struct ResultadoImpresion {
  int16_t error = 0;    // file error of the reduction or the work file
  std::string mensaje;  // "RED ERROR n" / "FORBOL ERROR n" (Windows-1252)
  bool cancelado = false;
  int64_t boletos = 0;  // boletos (or rows, or copies) printed
};

}  // namespace zendo
