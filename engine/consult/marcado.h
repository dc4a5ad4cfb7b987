#pragma once
// Marking columns of the boleto work file for deletion: by number of variants, a random
// percentage of the unmarked columns, by hand one at a time, or by column number. Marks live
// only in the work file (the mark byte of each record) and in the counters kept beside it.

#include <array>
#include <cstdint>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "engine/consult/fichero_boletos.h"

namespace zendo {

// What the consultation knows of the work file: its counts, kept up to date by every mark.
struct EstadoMarcado {
  int64_t LineasTrabajo = 0;
  int64_t columnas = 0;  // column records (blank places excluded)
  int64_t ColumnasMarcadas = 0;
  // Unmarked columns by their number of variants (signs other than "1" in matches 1..14).
  std::array<int64_t, 15> SinMarcarPorVariantes{};

  static EstadoMarcado De(const ResumenBoletos& resumen);
  int64_t SinMarcar() const { return columnas - ColumnasMarcadas; }
};

struct ResultadoMarcado {
  int16_t error = 0;
  std::string mensaje;    // "FORBOL ERROR n"
  int64_t cambiadas = 0;  // records whose mark changed
};

// The random numbers of the random marking: one generator per program run, always started
// from the same seed, so that a run can be repeated.
class GeneradorAzar {
 public:
  static constexpr uint64_t kSemilla = 20090830;
  explicit GeneradorAzar(uint64_t semilla = kSemilla) : motor_(semilla) {}
  // Uniform in [0, 1), from the 53 high bits of the next number.
  double Siguiente() { return static_cast<double>(motor_() >> 11) * 0x1.0p-53; }

 private:
  std::mt19937_64 motor_;
};

// Marks every unmarked column whose number of variants is ticked in `variantes`.
ResultadoMarcado MarcaPorVariantes(const std::filesystem::path& ficheroBoletos,
                                   const std::array<bool, 15>& variantes, EstadoMarcado& e);

// Marks `n` of the unmarked columns, each set of n equally likely, in one pass over the file
// (selection sampling: no column is drawn twice). n above the unmarked count marks them all.
ResultadoMarcado MarcaAlAzar(const std::filesystem::path& ficheroBoletos, int64_t n,
                             GeneradorAzar& azar, EstadoMarcado& e);

// Turns the mark of record `registro` (1-based line of the work file) over: "0" becomes "1"
// and "1" becomes "0". A blank place, or a record past the end, changes nothing.
ResultadoMarcado CambiaMarca(const std::filesystem::path& ficheroBoletos, int64_t registro,
                             EstadoMarcado& e);

// Marks the columns numbered in `numeros` (1-based, in the order of the columns file, blank
// places not counted; sorted or not, repeats allowed). A number outside 1..columns marks
// nothing and gives error kErrFinFichero, before any record is touched.
ResultadoMarcado MarcaNumeros(const std::filesystem::path& ficheroBoletos,
                              std::vector<int64_t> numeros, EstadoMarcado& e);

// TotalesMarcado: what the next marking would do, (0) columns that stay unmarked and (1)
// columns it marks. By variants: the unmarked columns of the ticked classes; by percentage:
// the percentage of NumApuestas - ColumnasMarcadas, rounded to the nearest integer (a half to
// the even one).
struct TotalesMarcado {
  int64_t quedan = 0;
  int64_t marcar = 0;
};
TotalesMarcado TotalesPorVariantes(const EstadoMarcado& e, const std::array<bool, 15>& variantes);
TotalesMarcado TotalesPorPorcentaje(int64_t numApuestas, int64_t columnasMarcadas, int porcentaje);

}  // namespace zendo
