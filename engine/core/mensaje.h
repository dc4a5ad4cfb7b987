#pragma once
// A message for the message dialog, as the engine hands it to a screen: the screen only
// shows it and, for a question, reports whether the answer was Aceptar.

#include <string>

namespace zendo {

inline constexpr int kBotonesSalir = 1;            // the Salir button alone
inline constexpr int kBotonesAceptarCancelar = 2;  // a question

struct Mensaje {
  std::string titulo;  // Windows-1252
  std::string texto;   // Windows-1252, doubled blanks kept
  int lineas = 0;      // text lines the dialog is sized for
  int botones = kBotonesSalir;
  int contexto = 0;  // help context number

  bool operator==(const Mensaje&) const = default;
};

}  // namespace zendo
