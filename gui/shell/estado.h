#pragma once
// What the whole program shares while it runs. The application owns one Estado and hands
// it to every screen by reference.

#include <filesystem>

#include "engine/consult/marcado.h"
#include "engine/core/datos_generales.h"
#include "engine/reduction/modelo.h"

namespace zendo {

struct Estado {
  DatosGenerales datos;                // DATOSGEN.TVX as held in memory
  std::filesystem::path rutaPrograma;  // the folder of the executable
  std::filesystem::path rutaDatos;     // where every data file lives
  Reduccion reduccion;                 // the current reduction
  bool ocupado = false;                // the program is changing its own controls
  GeneradorAzar azar;                  // the random marking's numbers, seeded once a run
};

}  // namespace zendo
