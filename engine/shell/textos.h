#pragma once
// The program's fixed texts and the captions its screens compose, in Windows-1252.

#include <string>
#include <string_view>

#include "engine/core/mensaje.h"

namespace zendo {

inline constexpr const char* kNombrePrograma = "Zendo";
inline constexpr const char* kVersionPrograma = "3.4";

// A number as the captions append it: a leading blank when it is not negative
// ("Jornada" + 5 gives "Jornada 5").
std::string TextoStr(long valor);

// Captions of the main menu buttons, 1..7.
const std::string& TextoMenu(int indice);
// Captions of the output options, 1..6.
const std::string& TextoSalida(int indice);

// The message shown when the screen is narrower than 800 pixels (7 lines, context 1040).
std::string TextoResolucion(int ancho, int alto);
inline constexpr int kAnchoMinimoPantalla = 800;
inline bool PantallaSuficiente(int ancho) {
  return ancho >= kAnchoMinimoPantalla;
}

// The greeting after start-up (3 lines, context 1120) and its title ("Zendo 3.4").
std::string TextoBienvenida();
std::string TituloBienvenida();

// The question before changes not stored are dropped (leaving a screen, choosing another
// jornada): "¿Desea descartar los cambios?", Aceptar drops them, Cancelar keeps everything.
Mensaje PreguntaDescartar(std::string_view titulo, int contexto);

// Width in pixels of a button drawn from the strip, by control name; 0 when the name is
// not one of the drawn buttons.
int AnchoBoton(std::string_view nombreControl);

}  // namespace zendo
