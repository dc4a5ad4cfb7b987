#pragma once
// The basic-data sheet of a reduction: the Quiniela Base with its criteria and the figures,
// as lines of monospaced text. The printout of output mode 1 prints these lines in
// "Courier New" 9.75 points, bold where `negrita` says; the e-mail of a reduction sends the
// same text as the body of its messages.
//
// How to call it:
//
//   const LecturaJornada lj = LeeJornada(rutaDatos, r.Jornada);   // date and team names
//   for (const LineaHoja& l : HojaDatosBasicos(r, lj.jornada, datos.Precio,
//                                              UsoHoja::Correo)) {
//     cuerpo += l.texto + "\r\n";   // Windows-1252 bytes, trailing blanks kept
//   }
//
// `r` is the loaded definition of the reduction (LeeReduccion), `precio` the price of a bet
// of the general data (DatosGenerales::Precio). UsoHoja::Correo gives the text of a message:
// it starts with the title line and the description, both without their leading blanks (the
// three empty lines and the empty line between them are left out), and the amount ends with
// " euros" instead of " €". Every other line is the same as on paper.

#include <string>
#include <vector>

#include "engine/core/jornadas.h"
#include "engine/reduction/modelo.h"

namespace zendo {

struct LineaHoja {
  std::string texto;  // Windows-1252
  bool negrita = false;
};

enum class UsoHoja { Impresion, Correo };

std::vector<LineaHoja> HojaDatosBasicos(const Reduccion& r, const Jornada& jornada, float precio,
                                        UsoHoja uso = UsoHoja::Impresion);

// The title of the sheet and of the page head of the list of boletos, without its leading
// blanks: "JORNADA NRO. jj DE FECHA dd/mm/aa (Orden oo)".
std::string TituloJornada(int jornada, std::string_view fecha, int orden);

}  // namespace zendo
