#pragma once
// The options of the output screen `listados` and how a typed value becomes one: the range
// of boletos, the number of copies, the margins and the paper width. The screen keeps
// digits only while typing (the typing rule of gui/shell/tecleo.h) and commits the text
// with these rules.

#include <cstdint>
#include <string>
#include <string_view>

namespace zendo {

struct RangoBoletos {
  int64_t inicial = 1;  // BoletoInicial
  int64_t final = 1;    // BoletoFinal
};

// Tex_BolIni: empty is 1, and so is 0 (boleto 1 is the first of the work file); above
// `numBoletos` it is `numBoletos`; the last boleto moves up to it when it was below.
RangoBoletos ConfirmaBoletoInicial(std::string_view texto, RangoBoletos r, int64_t numBoletos);
// Tex_BolFin: empty is `numBoletos`, 0 is 1, above `numBoletos` it is `numBoletos`; the
// first boleto moves down to it when it was above.
RangoBoletos ConfirmaBoletoFinal(std::string_view texto, RangoBoletos r, int64_t numBoletos);

// Tex_Copias: below 1 it is 1.
int ConfirmaCopias(std::string_view texto);
// Tex_MarIzq, Tex_MarSup: tenths of a millimetre, below 1 it is 0.
int ConfirmaMargen(std::string_view texto);

// Characters the boleto boxes take: the digits of `numBoletos` written with "######".
int LargoBoleto(int64_t numBoletos);
inline constexpr int kLargoCopias = 3;
inline constexpr int kLargoMargen = 4;

// The two entries of the paper-width list, 0 and 1.
std::string TextoAnchoPapel(int ancho);

}  // namespace zendo
