#pragma once
// The lines of the history of reductions: one per stored reduction, in index order.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "engine/core/indice.h"

namespace zendo {

// One line from an index record and the date of its jornada (8 blanks when the jornada
// record is empty): " jj fecha  oo  método(19)  descripción(35)  directas  reducidas".
std::string LineaHistorico(std::string_view registro, std::string_view fecha);

struct ListaHistorico {
  std::vector<std::string> lineas;
  int primeraLinea = 1;  // first line of the page holding the current reduction
  EstadoIndice estado;
};

inline constexpr int kLineasPagina = 17;

// Every stored reduction (deleted records skipped), with the page of (jornada, orden).
ListaHistorico RellenaLisDatos(const std::filesystem::path& rutaDatos, int jornadaActual,
                               int ordenActual);

}  // namespace zendo
