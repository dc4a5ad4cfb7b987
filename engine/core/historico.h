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

inline constexpr int kLineasHistorico = 17;  // rows of one history page

// Every stored reduction (deleted records skipped), with the page of (jornada, orden). A
// jornada record that cannot be read leaves its date blank and is reported ("LJO ERROR n")
// after the lines are built. `creaJornadas` false: a missing JORNADAS.TVX is not created.
ListaHistorico RellenaLisDatos(const std::filesystem::path& rutaDatos, int jornadaActual,
                               int ordenActual, bool creaJornadas = true);

// The row (0-based) of the page under a point of the page in pixels, or kSinFila: rows are
// 25 pixels high with a gap at their top and bottom; only the text (x up to 665) and the
// delete symbol (673 to 692) of an existing line count.
inline constexpr int kSinFila = 99;
int HallaCualLinea(int x, int y, int primeraLinea, int numLineas);
// True when the point is on the delete symbol of its row.
bool EnSimboloBorrar(int x);

// The first line shown after a paging button (1 start, 2 back, 3 forward, 4 end); a page
// never starts below line 1 or past the last line.
int PaginaHistorico(int boton, int primeraLinea, int numLineas);

// Jornada and orden read back from a line (characters 2-3 and 15-16).
int JornadaDeLinea(std::string_view linea);
int OrdenDeLinea(std::string_view linea);

// The position (1-based) of the line of (jornada, orden); 0 when it is not there.
int LineaDe(const std::vector<std::string>& lineas, int jornada, int orden);

// The order of the lines: as the index holds them, or by one of the columns whose head can
// be clicked. Jornada goes by jornada then orden; Fecha by the calendar (20yy), lines
// without a date last; Descripcion by its letters, case and accents aside. Equal keys keep
// the index order; descending reverses the keys only.
enum class OrdenHistorico { Indice, Jornada, Fecha, Descripcion };
void OrdenaHistorico(std::vector<std::string>& lineas, OrdenHistorico orden, bool descendente);
// The column whose head covers character `caracter` (0-based) of a line; Indice for the
// heads that do not order.
OrdenHistorico ColumnaDeTitulo(int caracter);

}  // namespace zendo
