#pragma once
// What the figures panels and the chart's tool tip say: texts only, the screens draw them.

#include <string>
#include <vector>

#include "engine/reduction/cifras.h"
#include "engine/reduction/modelo.h"

namespace zendo {

struct LineaPanel {
  std::string etiqueta;  // Windows-1252
  std::string valor;     // formatted with the Spanish regional separators

  bool operator==(const LineaPanel&) const = default;
};

// The figures panel Pic_Esta of the reduction screen, one line per figure, in order.
std::vector<LineaPanel> PanelCifras(const Cifras& c, float precioApuesta);

// The shorter panel of the consultation, output and scrutiny screens for a stored
// reduction (its counts as stored in `r`).
std::vector<LineaPanel> PanelReduccionGuardada(const Reduccion& r, float precioApuesta,
                                               int32_t numBoletos);

// The class of the chart under a horizontal position `x` of a chart `ancho` wide.
int ClaseGrafico(const Cifras& c, double x, double ancho);

// The tool tip of the chart for class `clase`.
std::string TextoAyudaGrafico(const Cifras& c, int clase);

}  // namespace zendo
