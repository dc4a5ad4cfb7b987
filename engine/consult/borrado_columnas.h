#pragma once
// BorraMarcadas without the dialogs: the columns of the work file that are not marked become
// the reduction's columns file, and its index record gets the new counts (reduced bets at
// 32-39, ColumnasPleno1 at 347-354, ColumnasPlenoX at 355-362), as one change.

#include <cstdint>
#include <filesystem>
#include <string>

#include "engine/core/fallo.h"

namespace zendo {

struct ResultadoBorradoColumnas {
  int16_t error = 0;
  // "FORBOL ERROR n" (work file), "RED ERROR n" (columns file), "EEB ERROR n" (index).
  std::string mensaje;
  FalloFichero fallo;         // the file and what was being done to it
  bool sinReduccion = false;  // the index holds no record of the key: nothing was done
  int32_t NumApuestas = 0;
  int32_t ColumnasPleno1 = 0;
  int32_t ColumnasPlenoX = 0;
};

// Keeps the unmarked columns (mark "0") of FORBOLW.TVX in `rutaDatos` in their order, blank
// places and marked columns left out, and commits them with the record (transaccion.h). On
// any failure the stored reduction is left as it was. The caller holds the folder lock.
ResultadoBorradoColumnas BorraColumnasMarcadas(const std::filesystem::path& rutaDatos, int jornada,
                                               int orden);

}  // namespace zendo
