#pragma once
// The edits of the reduction screen, one operation per control. Each one changes the model
// and tells the screen what to redraw, which sound to play, and whether the figures must be
// recomputed (RecalculaReduccion). A click that the rules refuse changes nothing.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/reduction/cifras.h"
#include "engine/reduction/modelo.h"

namespace zendo {

// Areas of the screen an edit touched (a bit set).
enum Zona : uint32_t {
  kZonaNinguna = 0,
  kZonaBase = 1u << 0,             // Pic_Base cells and sign count of `partido`
  kZonaElegir = 1u << 1,           // the tick of `partido` in Pic_Elegir
  kZonaProbable = 1u << 2,         // the Columna probable cell of `partido`
  kZonaPanelesProbable = 1u << 3,  // method 2: the Columna probable panels
  kZonaSignos = 1u << 4,           // method 3: the totals grid Pic_Signos
  kZonaPorcentajes = 1u << 5,      // the percentages of `partido` (Pic_PorNum, Pic_PorBar)
  kZonaListasErrores = 1u << 6,    // Lis_MinErrores / Lis_MaxErrores rebuilt
  kZonaErrores = 1u << 7,          // MinErrores / MaxErrores changed
  kZonaRango = 1u << 8,            // Tex_RangoMin / Tex_RangoMax
  kZonaDescripcion = 1u << 9,
  kZonaExterno = 1u << 10,  // Chk_IncluirExterno
  kZonaTodo = 1u << 11,     // every grid of the screen
  kZonaRecarga = 1u << 12,  // the screen is to be reloaded (a new method)
};

struct Cambio {
  bool aceptado = false;  // false: the click was refused, nothing changed
  uint32_t zonas = kZonaNinguna;
  int partido = 0;           // the match whose cells changed, 0 for none or many
  std::vector<int> sonidos;  // sounds to play, in order
  bool recalcular = false;   // the figures must be recomputed
  bool Toca(Zona z) const { return (zonas & z) != 0; }
};

// Pic_Base: toggles sign s (1..3) of match m (1..15).
Cambio PulsaBase(Reduccion& r, int m, int s);

// Pic_Elegir: toggles whether match m is a reducir; only a multiple of matches 1..14.
Cambio PulsaElegir(Reduccion& r, int m);

// Pic_ColBas: the probable sign of match m becomes s, or none when it already was s;
// only a sign of the base of a match a reducir.
Cambio PulsaProbable(Reduccion& r, int m, int s);

// Pic_Signos: toggles TotalSignos(s, n); only cells with n <= MaxSignos(s).
bool CeldaSignosSeleccionable(const Cifras& c, int s, int n);
Cambio PulsaTotalSignos(Reduccion& r, const Cifras& c, int s, int n);

// Tex_PorNum: the value typed for sign s of match m (1..14), read as a number, clamped to
// 0..100 and whole; the text the box then shows ("##0").
int16_t LeePorcentajeTecleado(std::string_view texto);
std::string TextoPorcentaje(int16_t valor);

// Sets Probabilidad(m, s) and compensates with the partner signs so the match keeps 100.
Cambio FijaProbabilidad(Reduccion& r, int m, int s, int valor);

// The cell the editor opens on after an edit closed with Enter; none after sign 3 of 14.
std::optional<std::pair<int, int>> SiguienteCeldaPorcentaje(int m, int s);

// Lis_Metodos: item `indice` (0..4) chosen. A different method reloads the screen.
Cambio EligeMetodo(Reduccion& r, int indice);

// Lis_MinErrores / Lis_MaxErrores: the bound becomes the item's index.
Cambio EligeMinErrores(Reduccion& r, int indice);
Cambio EligeMaxErrores(Reduccion& r, int indice);

// The two error lists: items 0..MultiplesReducir formatted "@@", and the selected items.
struct ListasErrores {
  std::vector<std::string> elementos;
  int seleccionMin = 0;
  int seleccionMax = 0;
};
// Counts MultiplesReducir afresh, lowers a bound above it and returns the lists.
ListasErrores ReconstruyeListasErrores(Reduccion& r);

// The value a typed bound holds ("##0.00", last six characters, "." as decimal point);
// an empty text means `vacio` (0 for the minimum, 100 for the maximum).
float LeeRangoTecleado(std::string_view texto, float vacio);
// The text a bound is shown with ("##0.00" and "." as decimal point).
std::string TextoRango(float valor);

// Accepting a typed bound: it is stored and the range kept inside the base's limits.
Cambio AceptaRangoMin(Reduccion& r, std::string_view texto);
Cambio AceptaRangoMax(Reduccion& r, std::string_view texto);

// Tex_Descripcion: the trimmed text, 35 characters kept (padded to 35 in the model).
Cambio CambiaDescripcion(Reduccion& r, std::string_view texto);

// Chk_IncluirExterno clicked.
Cambio PulsaIncluirExterno(Reduccion& r);

// "Seleccionar todo" and "Borrar todo".
Cambio SeleccionaTodo(Reduccion& r);
Cambio BorraTodo(Reduccion& r);

}  // namespace zendo
