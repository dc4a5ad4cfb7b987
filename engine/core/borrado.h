#pragma once
// Deleting every stored datum of a range of jornadas: their records of JORNADAS.TVX,
// their index records and their columns files. The way to start a new season.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/core/fallo.h"

namespace zendo {

// The question asked before deleting (Windows-1252), 5 lines, context 2700.
std::string PreguntaBorrado(int desde, int hasta);

// The range chosen on the screen always keeps desde <= hasta: choosing one end moves the
// other when it would cross.
struct RangoJornadas {
  int desde = 1;
  int hasta = 1;
  void PonDesde(int j) {
    desde = j;
    if (hasta < desde) hasta = desde;
  }
  void PonHasta(int j) {
    hasta = j;
    if (desde > hasta) desde = hasta;
  }
};

// True when a file name is a columns file of jornada j: "RED" + j in two digits + any
// text + ".TVX".
bool EsFicheroReduccionDe(const std::string& nombre, int jornada);

struct ResultadoBorrado {
  int16_t error = 0;    // 0 when everything was deleted; else nothing was
  std::string mensaje;  // "BDJ ERROR n" (jornadas), "BRB ERROR n" (index), "BRF ERROR n"
  FalloFichero fallo;   // the file and what was being done to it
  int reducciones = 0;  // keys (jornada, orden) deleted from the index
  int ficheros = 0;     // columns files deleted
};

// Empties the records of jornadas desde..hasta, marks deleted every index record of those
// jornadas whatever its order, and deletes their columns files, all in one commit
// (transaccion.h): a failure or a crash deletes nothing. The caller holds the folder lock.
ResultadoBorrado BorraJornadas(const std::filesystem::path& rutaDatos, int desde, int hasta);

}  // namespace zendo
