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

// Marks the program busy with its own controls for the life of the object (the signals
// the changes raise then do not count as the player's), and restores what it was before.
class Ocupado {
 public:
  explicit Ocupado(Estado& estado) : estado_(estado), antes_(estado.ocupado) {
    estado.ocupado = true;
  }
  ~Ocupado() { Termina(); }
  Ocupado(const Ocupado&) = delete;
  Ocupado& operator=(const Ocupado&) = delete;

  // Restores the flag before the end of the scope.
  void Termina() { estado_.ocupado = antes_; }

 private:
  Estado& estado_;
  bool antes_;
};

}  // namespace zendo
