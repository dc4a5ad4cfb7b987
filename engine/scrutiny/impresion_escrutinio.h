#pragma once
// The printed report of a scrutiny: the jornada and its matches with the winning signs, the
// prize of each category, the hits grouped by category with their amounts, and the boletos
// that hold hits, 13 of them on the first page and 58 on each page after it. It is built
// from the lines of the two lists of the scrutiny screen, as the screen shows them.

#include <string>
#include <vector>

#include "engine/core/jornadas.h"
#include "engine/output/control_impresion.h"
#include "engine/output/paginas.h"
#include "engine/scrutiny/escrutinio.h"

namespace zendo {

struct DocumentoEscrutinio {
  int Jornada = 1;
  int Orden = 1;
  zendo::Jornada registro;                   // the jornada's date and team names
  const ResultadoEscrutinio* res = nullptr;  // a complete scrutiny
};

ResultadoImpresion ImpriEscrutinio(const DocumentoEscrutinio& informe, DestinoPaginas& destino);

}  // namespace zendo
