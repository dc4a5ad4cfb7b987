#pragma once
// The winning column of the scrutiny screen: marks of one sign per match at most, the click
// rule of its grid, and the 15 signs the counting compares with.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/core/mensaje.h"

namespace zendo {

// [match 1..15][sign 1..3], 1 where the sign is the result (as Jornada::Ganadora holds it).
using MarcasGanadora = std::array<std::array<int16_t, 4>, 16>;

// The grid is drawn 15 rows of 18 pixels by 3 columns of 15 pixels; a grid drawn larger
// maps the point back to that size first.
inline constexpr int kAltoFilaGanadora = 18;
inline constexpr int kAnchoColumnaGanadora = 15;
inline constexpr int kAltoGanadora = 274;  // 15 rows and the margins
inline constexpr int kAnchoGanadora = 48;

struct PulsacionGanadora {
  int partido = 0;  // 1..15, 0 in a gap or outside
  int signo = 0;    // 1..3, 0 in a gap or outside
  bool operator==(const PulsacionGanadora&) const = default;
};

// QueGanadoraHaPulsado: the match and sign under a point of the grid (pixels).
PulsacionGanadora QueGanadoraHaPulsado(double x, double y);

// A click on sign `signo` of match `partido`: that sign toggles, the other two clear.
// False (nothing changes) for sign 0 or a match out of range.
bool PulsaGanadora(MarcasGanadora& g, int partido, int signo);

// The sign marked for a match (1..3), 0 when none.
int SignoGanador(const MarcasGanadora& g, int partido);

// ColumnaGanadora: "1", "X" or "2" per match; none when a match has no sign marked.
std::optional<std::string> ColumnaGanadora(const MarcasGanadora& g);

// Marks from a written column: 15 characters, each "1", "X" (or "x"), "2", or "-" / "0" for
// a match without result. None when the text is not such a column.
std::optional<MarcasGanadora> MarcasDeTexto(std::string_view texto);

// The incomplete winning column (3 lines, one button, help context 2510).
Mensaje MensajeGanadoraIncompleta();

}  // namespace zendo
