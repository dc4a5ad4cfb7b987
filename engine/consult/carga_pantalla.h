#pragma once
// What the four reduction screens show around the quiniela panel, and the rules of the
// jornada and orden choosers; the screens only draw it.

#include <filesystem>
#include <optional>
#include <string>
#include <utility>

#include "engine/core/mensaje.h"
#include "engine/reduction/modelo.h"

namespace zendo {

enum class Pantalla { Reducir, Consredu, Salida, Escrutin };

// The two heading lines printed above the panel.
std::pair<std::string, std::string> EncabezadoPanel(int metodo, Pantalla pantalla);

// A match row: its number ("##"), ". ", the home team, " - " (only when both names are
// there) and the away team.
std::string TextoPartido(int partido, std::string_view local, std::string_view visitante);

// The description above the panel of the screens other than reducir.
std::string LineaDescripcion(const Reduccion& r, bool reduccionCargada);

// The window caption of each screen.
std::string TituloPantalla(Pantalla pantalla, int metodo);

// The green line of a manual reduction that took external columns.
std::string LineaExterno(const Reduccion& r);

// The order number a jornada chooser loads: 1 on reducir; elsewhere the first order number
// with a stored reduction, none when the jornada has none.
std::optional<int> OrdenParaJornada(const std::filesystem::path& rutaDatos, Pantalla pantalla,
                                    int jornada, int totalOrdenes);

Mensaje MensajeSinJornada(int jornada);
Mensaje MensajeSinOrden(int orden);

// Average probability of the winning column (method 4 on the scrutiny screen): the text in
// green when 14 or more winning signs have a probability, else "------   " in red.
struct ProbabilidadGanadora {
  std::string texto;
  bool valida = false;
};
ProbabilidadGanadora MediaGanadora(const Reduccion& r,
                                   const std::array<std::array<int16_t, 4>, 16>& ganadora);

}  // namespace zendo
