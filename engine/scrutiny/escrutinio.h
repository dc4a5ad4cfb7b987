#pragma once
// The scrutiny of a reduction: every column of its columns file RED<jj><oo>.TVX is compared
// with the winning column, and the hits are counted per category over the whole reduction
// and per boleto; the prizes are multiplied and added up in whole cents.
//
// The scrutiny screen, zendo-cli and the printed report share it, in this order:
//   1. RegistroEscrutinio and GuardaEscrutinio (registro_escrutinio.h) keep the winning
//      column and the six prize texts in the jornada's record. This comes first and happens
//      even when the column is incomplete; a failure is reported and the counting goes on.
//   2. ColumnaGanadora (ganadora.h) gives the 15 signs; without them there is no counting
//      (MensajeGanadoraIncompleta).
//   3. Escruta reads the columns file streamed, with progress and a cancel flag, and returns
//      a ResultadoEscrutinio: the counts, the amounts and the boletos that hold prizes.
//   4. LineasAciertos and LineaBoleto give the lines of the lists Lis_Aciertos and
//      Lis_Boletos character for character (Windows-1252, trailing blanks kept):
//        line 0      " Suma total:" + the total, right-aligned in 11 characters (from the 13th)
//        line i      i = 1..16, the category of h = 16 - i hits: "  " + h ("@@", characters 3-4)
//                    + " " + columns ("@@@@@@", 6-11) + " " + amount (11 characters from the
//                    13th, right-aligned; a single blank below 10 hits or without columns)
//        boleto      the number ("@@@@@@", 1-6), "  ", then for 15, 14, 13, 12, 11 and 10 hits
//                    "  " + the count (a blank for 0): the counts at 11, 14, 17, 20, 23, 26
//      A number wider than its field is written whole, never cut.
//
// A column of 15 hits (14 right in matches 1 to 14 and match 15 right) counts among the 15s
// and among the 14s of AciertosTotal, and so is paid both prizes; on its boleto it counts
// under 15 only. Boleto numbers are those of HallaBoleto (boletos.h), so each group of the
// match-15 sign starts a new boleto.

#include <array>
#include <atomic>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/reduction/modelo.h"
#include "engine/scrutiny/fallos.h"
#include "engine/scrutiny/importes.h"

namespace zendo {

// Prizes per column in cents, by category k = 1..6 (16 - k hits); [0] unused.
using PremiosCentimos = std::array<Centimos, 7>;

// A boleto with at least one column of 10 or more hits.
struct BoletoPremiado {
  int32_t boleto = 0;
  std::array<int64_t, 7> aciertos{};  // [k 1..6]: its columns of 16 - k hits
  bool operator==(const BoletoPremiado&) const = default;
};

// The boletos of a scrutiny in boleto order, kept small: a reduction of millions of columns
// may list tens of thousands of them.
class ListaBoletos {
 public:
  std::size_t size() const { return compactos_.size(); }
  bool empty() const { return compactos_.empty(); }
  BoletoPremiado operator[](std::size_t i) const;
  void Anade(const BoletoPremiado& b);
  void clear();

 private:
  static constexpr uint8_t kGrande = 255;  // the counts are in grandes_
  struct Compacto {
    int32_t boleto = 0;
    std::array<uint8_t, 6> aciertos{};
  };
  std::deque<Compacto> compactos_;
  // Boletos with a count above 254 (only a corrupt index puts that many columns on one
  // boleto), by their place in the list.
  std::vector<std::pair<std::size_t, BoletoPremiado>> grandes_;
};

struct ResultadoEscrutinio {
  bool completo = false;   // the whole columns file was read
  bool cancelado = false;  // stopped by the cancel flag: nothing to show
  FalloEscrutinio fallo;   // the columns file could not be opened or read
  std::string ColumnaGanadora;
  PremiosCentimos premios{};
  int64_t columnas = 0;                     // columns read
  std::array<int64_t, 16> AciertosTotal{};  // [h 0..15] columns of h hits (a 15 also in 14)
  ListaBoletos boletos;

  // What the columns of h hits earn: AciertosTotal[h] x the prize of 16 - h; 0 below 10.
  Centimos Importe(int h) const;
  Centimos Total() const;
};

// Bytes of the columns file read so far, and its size.
using ProgresoEscrutinio = std::function<void(uint64_t leidos, uint64_t total)>;

// Counts the columns of the reduction `r` (its Jornada and Orden name the file; its method,
// NumApuestas, NumSignos of match 15 and ColumnasPleno1/X number the boletos) against
// `columnaGanadora` (15 signs "1", "X", "2"). Lines without a column (blank) are skipped, as
// the boleto work file skips them. `cancelar` is read between blocks of the file.
ResultadoEscrutinio Escruta(const std::filesystem::path& rutaDatos, const Reduccion& r,
                            std::string_view columnaGanadora, const PremiosCentimos& premios,
                            const ProgresoEscrutinio& progreso, const std::atomic<bool>& cancelar);

// The 17 lines of Lis_Aciertos.
std::vector<std::string> LineasAciertos(const ResultadoEscrutinio& res);
// A line of Lis_Boletos.
std::string LineaBoleto(const BoletoPremiado& b);

// The cents of the six prize texts (normalised first).
PremiosCentimos CentimosDePremios(const std::array<std::string, 7>& textos);

// The hits of one column against the winning one (the rule of both lists): matches 1 to 14,
// and 15 when all 14 are right and match 15 too.
int AciertosColumna(std::string_view columna, std::string_view ganadora);

}  // namespace zendo
