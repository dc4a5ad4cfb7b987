#pragma once
// Prize amounts. A prize is typed as text, shown and stored with two decimals and "." as the
// point whatever the regional settings, and counted in whole cents so that no sum of amounts
// ever drifts by a binary fraction.

#include <cstdint>
#include <string>
#include <string_view>

namespace zendo {

using Centimos = int64_t;

// The width of an amount in the jornada record and in the lists.
inline constexpr std::size_t kAnchoImporte = 11;

// What a prize box shows when it is loaded with a stored prize: "#######0.00", "." forced.
std::string TextoPremio(double premio);

// A prize box as it is left (or Enter pressed): the value of the text (Val), formatted
// "#######0.00" with "." forced, its last 11 characters. Text that is not a number gives
// "0.00".
std::string NormalizaImporte(std::string_view texto);

// The cents of a normalised amount, exactly (no binary fraction in between).
Centimos CentimosDeImporte(std::string_view normalizado);

// An amount in cents as "#######0.00" with "." ("3703.50", "0.00", "-5.00").
std::string TextoCentimos(Centimos c);

// The same, right-aligned in 11 characters (never cut).
std::string CampoImporte(Centimos c);

}  // namespace zendo
