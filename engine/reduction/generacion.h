#pragma once
// The generation of a reduction: develops the columns of the Quiniela Base, keeps those the
// method accepts, merges the external columns of a manual reduction, writes RED<jj><oo>.TVX
// and stores the record of the reduction in the index.
//
// The new columns go to a temporary file in the data folder; it replaces the columns file,
// and the record is stored, in one commit (transaccion.h) only when the run has completed.
// A cancelled, failed or killed run therefore leaves an earlier reduction of the same key
// exactly as it was. The caller holds the folder lock (cerrojo.h).

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

#include "engine/core/fallo.h"
#include "engine/reduction/modelo.h"

namespace zendo {

// The figures of the current model the progress panel shows before the first column.
struct CifrasGeneracion {
  int32_t ApuestasBase = 0;
  int32_t NumApuestas = 0;
  int32_t ApuestasQuiniela = 0;  // method 5
  int32_t ApuestasExternas = 0;  // method 5, external columns included
};

// What a line of the progress panel is for; the texts are the program's (Windows-1252).
enum class LineaProgreso {
  Titulo,        // "REDUCIENDO APUESTAS"
  Apuestas,      // A + " apuestas reducidas a " + B
  Porcentaje,    // "Se ha realizado el " + @@@ + " % de la reducción "
  Finalizada,    // end of the development of the base
  Agrupando,     // "Agrupando las columnas según el partido 15."
  Incorporadas,  // "Se han incorporado las columnas externas"
  Cancelada,     // "El proceso de reducción ha sido cancelado"
};

struct AvisoProgreso {
  LineaProgreso linea;
  std::string texto;
  int porcentaje = -1;  // for Porcentaje: the whole percentage done
};

// Called from the thread that runs the reduction.
using ProgresoReduccion = std::function<void(const AvisoProgreso&)>;

struct ResultadoReduccion {
  bool completada = false;  // columns file written and record stored
  bool cancelada = false;
  int16_t error = 0;            // ErrorFichero of the step that failed, 0 when none
  std::string mensaje;          // for the message box: "RED ERROR 61", or the index's message
  FalloFichero fallo;           // the file and what was being done to it, when one failed
  int64_t columnas = 0;         // lines of the columns file (when completed)
  bool baseIncompleta = false;  // only the external columns were taken
};

// Reduces the model `r` once its checks have passed. `cifras` are the live figures of `r`
// (only the progress texts use them: everything stored is counted while writing).
// `cancelar` is read at least every few thousand columns and once more right before the
// commit point; once it is set the run stops and nothing is written. On completion `r` holds what
// the record stores: the criteria its method does not use cleared, the signs cleared when the base
// was incomplete, and the counts of the columns written.
ResultadoReduccion ReduceApuestas(const std::filesystem::path& rutaDatos, Reduccion& r,
                                  const CifrasGeneracion& cifras, const ProgresoReduccion& progreso,
                                  const std::atomic<bool>& cancelar);

// The texts of the progress panel.
std::string TextoApuestasReducidas(int64_t apuestas, int64_t reducidas);
std::string TextoPorcentajeReduccion(int porcentaje);

}  // namespace zendo
