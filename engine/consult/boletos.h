#pragma once
// Which boleto a stored column goes on. A boleto holds 8 columns sharing the sign of match
// 15, so the columns are laid out in groups by that sign, each group on new boletos.

#include <cstdint>

#include "engine/reduction/modelo.h"

namespace zendo {

struct PosicionBoleto {
  int32_t boleto = 0;            // 1-based; 0 for column 0 or an empty reduction
  int16_t PosicionEnBoleto = 0;  // 1..8
};

// `columna` is 1-based in the order of the columns file.
PosicionBoleto HallaBoleto(const Reduccion& r, int32_t columna);

// The boleto of the last stored column: how many boletos the reduction fills.
int32_t NumBoletos(const Reduccion& r);

// The last column (1-based) of the run of columns from `columna` on that HallaBoleto puts on
// the same boleto, so that a reader walking the columns file in order asks for the boleto
// once per run instead of once per column. Never less than `columna`.
int64_t UltimaColumnaDelBoleto(const Reduccion& r, int64_t columna);

}  // namespace zendo
