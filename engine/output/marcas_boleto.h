#pragma once
// The boxes to mark on one boleto and the two ways a boleto is fed to the printer: upright
// (matches down the form from match 15 at the top) and rotated (matches across the sheet,
// two boletos side by side on continuous paper). The coordinates are those of the official
// form, in twips from the corner of the printable area moved by the margins.

#include <array>
#include <cstdint>
#include <string_view>

#include "engine/output/paginas.h"

namespace zendo {

// Marca(column 1..8, match 1..15, sign 1..3); index 0 unused.
using TablaMarcas = std::array<std::array<std::array<uint8_t, 4>, 16>, 9>;

// Every box of matches 1 to 14 and the three cells of the Pleno al 15.
void MarcaPruebaImpresion(TablaMarcas& marcas);
// The boxes of a boleto from its 8 work records (160 bytes; blank places mark nothing).
// The Pleno al 15 follows the first column: "1" marks (4, 15, 3), "X" (5, 15, 2) and
// "2" (6, 15, 1).
void LlenaMarcas(TablaMarcas& marcas, std::string_view registros);

struct ColocacionBoleto {
  Centesimas izquierda = 0;  // margin x 5.67
  Centesimas arriba = 0;
  bool marcasFijas = false;  // the form's own marks, for the reverse or blank paper
};

// DibujaBoletoGirado: `posicion` 0 or 1 is the place on a continuous sheet.
void DibujaBoletoGirado(const TablaMarcas& marcas, const ColocacionBoleto& c, int posicion,
                        std::string_view numero, DestinoPaginas& destino);
// DibujaBoletoVertical.
void DibujaBoletoVertical(const TablaMarcas& marcas, const ColocacionBoleto& c,
                          std::string_view numero, DestinoPaginas& destino);

}  // namespace zendo
