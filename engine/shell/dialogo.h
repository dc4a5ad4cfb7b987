#pragma once
// The rules of the message dialog that do not depend on drawing.

#include "engine/core/mensaje.h"

namespace zendo {

inline constexpr int kAltoLinea = 16;

// Height of the dialog and of its text label for a number of text lines.
inline constexpr int AltoDialogo(int lineas) {
  return lineas * kAltoLinea + 128;
}
inline constexpr int AltoTextoDialogo(int lineas) {
  return lineas * kAltoLinea + 3;
}

// What a character key does in the dialog.
// Any character key is Salir with set 1 and Aceptar with set 2, except Escape, which
// cancels a question rather than accept it.
enum class AccionTecla { Ninguna, Salir, Aceptar, Cancelar };
inline constexpr AccionTecla AccionDeTecla(int botones, bool escape) {
  if (botones == kBotonesSalir) return AccionTecla::Salir;
  if (botones == kBotonesAceptarCancelar) {
    return escape ? AccionTecla::Cancelar : AccionTecla::Aceptar;
  }
  return AccionTecla::Ninguna;
}

}  // namespace zendo
