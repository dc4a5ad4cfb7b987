#pragma once
// The direct reduction tables of the "Método Directo".

#include <array>
#include <optional>
#include <string_view>

namespace zendo {

// Rows 1..56 (index 0 unused). Digit k of a row is the k-th sign of the match's base
// sign string ("1X2", "12", ...) in that table column.
std::string_view TablaDirecta(int fila);

struct TablaElegida {
  int DirInicio = 0;    // the row before the table's first row
  int DirColumnas = 0;  // number of columns (length of its rows); 0: no table
  int DirTriples = 0;   // the first DirTriples rows are for triples
  int DirDobles = 0;    // the next DirDobles rows are for doubles
  float FactorReduccion = 1;
};

struct EntradaCatalogo {
  int Triples;
  int Dobles;
  TablaElegida tabla;
};

// The 23 entries of the catalogue, for (T, D) not covered by the general cases.
const std::array<EntradaCatalogo, 23>& CatalogoDirecto();

// The table for T triples and D doubles a reducir; no table (DirColumnas 0, factor 1)
// when there is nothing to reduce or no entry fits.
TablaElegida EligeTablaDirecta(int triplesReducir, int doblesReducir);

}  // namespace zendo
