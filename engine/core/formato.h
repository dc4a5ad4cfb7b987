#pragma once
// Format patterns: numbers and texts turned into fixed text.
//   "0" a digit always shown, "#" a digit shown only when significant, "," the thousands
//   separator and "." the decimal separator of the regional settings, "@" a character
//   place (right-aligned), "!" before "@" places makes the text left-aligned.
// Any other character of a numeric pattern is copied as it stands.

#include <cstdint>
#include <string>
#include <string_view>

namespace zendo {

struct Regional {
  char miles = '.';
  char decimal = ',';
};

// Spanish regional settings, the program's own.
inline constexpr Regional kRegionalEs{'.', ','};
// Settings whose separators are the ones files use ("." as decimal point).
inline constexpr Regional kRegionalPunto{',', '.'};

// How many significant digits the value carries before it is rounded to the pattern:
// 15 for double-precision values, 7 for the single-precision figures.
enum class Precision { Doble = 15, Simple = 7 };

// Rounds half away from zero on the decimal value of the number.
std::string Formato(double valor, std::string_view patron, Regional regional = kRegionalEs,
                    Precision precision = Precision::Doble);

// Single-precision figures (percentages, factors, the price) round on 7 significant digits.
inline std::string FormatoSimple(float valor, std::string_view patron,
                                 Regional regional = kRegionalEs) {
  return Formato(static_cast<double>(valor), patron, regional, Precision::Simple);
}

// A text placed by a pattern of "@" places, optionally preceded by "!".
// A longer text is never cut.
std::string FormatoTexto(std::string_view texto, std::string_view patron);

// A number given to an "@" pattern: its plain decimal text first.
std::string FormatoTexto(double valor, std::string_view patron);

// The plain decimal text of a number (up to 15 significant digits, "." as point).
std::string TextoNumero(double valor);

// An amount formatted with a pattern such as "#######0.00" whose character before the last
// two is forced to ".", so files and screens do not depend on the regional settings.
std::string ImporteFijo(double valor, std::string_view patron,
                        Precision precision = Precision::Doble);

// The numeric value of a text: blanks are ignored, an optional sign, digits, "." as the
// decimal point; it stops at the first other character; empty or garbage gives 0.
double Val(std::string_view texto);

// Val turned into an integer of the stored field's range (rounded half to even, clamped),
// so a corrupt field can never overflow.
int32_t ValEntero(std::string_view texto);
int16_t ValCorto(std::string_view texto);

// Two-digit key as in file names and records ("07").
std::string DosDigitos(int n);

// Rounds a value to a number of decimals, ties to even (as the figures are held).
double RedondeaPar(double valor, int decimales);

}  // namespace zendo
