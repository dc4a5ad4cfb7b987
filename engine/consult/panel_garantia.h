#pragma once
// What the "Garantía" panel shows of a computed guarantee: the sentence, the summary and the
// rows of the table and the chart, 14 hits down to 10, as texts with Spanish separators.

#include <array>
#include <string>
#include <vector>

#include "engine/consult/garantia.h"

namespace zendo {

inline constexpr int kAciertosTabla = 10;  // the table stops at the lowest prize

struct FilaGarantia {
  int aciertos = 0;
  // Winning columns whose best stored column has exactly / at least this many hits: how
  // many, and what share of the winning columns.
  std::string exactas, porcentajeExactas, alMenos, porcentajeAlMenos;
  // Stored columns with this many hits, on average over the winning columns: the expected
  // number of prizes of the category.
  std::string premios;
  // Method 4: the same shares weighted by the stored percentages.
  std::string probabilidadExacta, probabilidadAlMenos;
  // The shares as fractions, for the bars.
  double parteExactas = 0, parteAlMenos = 0, parteProbabilidadAlMenos = 0;
};

struct PanelGarantia {
  std::string garantia;  // the sentence in large type (Windows-1252)
  std::string resumen;   // winning columns of the base and stored columns
  bool ponderada = false;
  std::vector<FilaGarantia> filas;  // 14 down to 10; none when there is no guarantee
};

PanelGarantia ConstruyePanelGarantia(const Garantia& g);

// The line that names the reduction above the panel: "Jornada 12, orden 1: Método Directo",
// then " - " and the description when it has one.
std::string TextoReduccionGarantia(const Reduccion& r);

}  // namespace zendo
