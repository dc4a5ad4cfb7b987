#pragma once
// The definition of the current reduction: the Quiniela Base, the criteria of the five
// methods and the counts stored with it in the index of reductions.
// Arrays keep the 1-based numbering of matches (1..15) and signs (1..3) of the rules;
// element 0 is unused.

#include <array>
#include <cstdint>
#include <string>

namespace zendo {

inline constexpr int kPartidos = 15;
inline constexpr int kPartidosPorcentaje = 14;  // match 15 has no percentages

// Signs as the rules number them: 1 = "1", 2 = "X", 3 = "2".
inline constexpr char kSignos[4] = {' ', '1', 'X', '2'};

enum Metodo : int16_t {
  kMetodoDirecto = 1,
  kMetodoColumnaProbable = 2,
  kMetodoSeleccionSignos = 3,
  kMetodoBalanceSignos = 4,
  kMetodoManual = 5,
};

struct DatosPartido {
  std::array<int16_t, 4> Signo{};  // [1..3]: 1 when the sign is in the Quiniela Base
  int16_t NumSignos = 0;           // 0..3
  bool AReducir = false;           // a multiple chosen for reduction
  int16_t Probable = 0;            // sign of the Columna probable, 0 none

  bool operator==(const DatosPartido&) const = default;
};

struct Reduccion {
  int16_t Jornada = 1;
  int16_t Orden = 1;
  int16_t Metodo = kMetodoDirecto;
  std::string Descripcion = std::string(35, ' ');  // Windows-1252, padded to 35
  int16_t IncluyeExterno = 0;

  std::array<DatosPartido, kPartidos + 1> Partido{};  // [1..15]

  int16_t MinErrores = 0;
  int16_t MaxErrores = 0;
  std::array<std::array<int16_t, 15>, 4> TotalSignos{};              // [s 1..3][n 0..14]
  std::array<std::array<int16_t, 4>, kPartidos + 1> Probabilidad{};  // [m 1..15][s 1..3]
  float MinPorcentaje = 0;
  float MaxPorcentaje = 0;

  // Counts stored with the reduction.
  int32_t ApuestasBase = 1;
  int32_t NumApuestas = 1;
  int32_t ColumnasPleno1 = 0;
  int32_t ColumnasPlenoX = 0;
  int32_t ApuestasQuiniela = 0;
  int32_t ApuestasExternas = 0;

  bool operator==(const Reduccion&) const = default;
};

// A new reduction: sign 1 in every match, percentages 100 / 0 / 0, everything else 0,
// ApuestasBase = NumApuestas = 1; the method is the caller's (the general data's).
Reduccion ReduccionNueva(int16_t jornada, int16_t orden, int16_t metodo);

// Long and short names of the methods, padded with blanks (29 and 19 characters),
// in Windows-1252. Index 1..5.
const std::string& NombreLargoMetodo(int metodo);
const std::string& NombreCortoMetodo(int metodo);

}  // namespace zendo
