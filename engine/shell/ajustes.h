#pragma once
// The rules of the general data screen: how a typed value becomes a setting.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/core/datos_generales.h"
#include "engine/core/mensaje.h"

namespace zendo {

// Total jornadas or total reducciones from the typed text: outside 1..60 it becomes 60.
int16_t TotalDesdeTexto(std::string_view texto);

// The price as it is held: the numeric value of the text written back without blanks,
// cut to 4 characters, a leading point preceded by "0" (".5" gives "0.5"), then padded
// to the field's 4 characters.
std::string PrecioDesdeTexto(std::string_view texto);

// A price the program takes: above 0 and at most 100 euros. Anything else is refused where
// it is typed, with MensajePrecioRechazado, and the price stays as it was.
bool PrecioAdmisible(std::string_view precio);
Mensaje MensajePrecioRechazado();

// A code padded with zeros on the left to its width (7 gives "07").
std::string CodigoConCeros(std::string_view texto, std::size_t ancho);

// The current jornada and order are lowered to the totals when these shrink.
void AjustaActualATotales(DatosGenerales& d);

// Field widths of the edit boxes.
inline constexpr int kLargoTotal = 2;
inline constexpr int kLargoPrecio = 4;
inline constexpr int kLargoDelegacion = 2;
inline constexpr int kLargoReceptor = 5;

// The six settings the screen edits, copied between two general data records.
void CopiaAjustes(const DatosGenerales& desde, DatosGenerales& hacia);

}  // namespace zendo
