#pragma once
// The checks made before a reduction starts ("Reducir apuestas"), in their order. They only
// decide; the screen shows the messages.

#include <optional>

#include "engine/core/mensaje.h"
#include "engine/reduction/cifras.h"
#include "engine/reduction/modelo.h"

namespace zendo {

struct Comprobacion {
  // An incomplete Quiniela Base of a manual reduction that includes its external columns:
  // shown first, the checks go on. The reduction then takes the external columns alone,
  // the signs of the base are cleared before its record is stored, and the screen is
  // reloaded when the run ends.
  std::optional<Mensaje> aviso;
  bool baseIncompleta = false;
  // The first failing check (an error), or the question of check 6: the reduction goes on
  // only when the answer is Aceptar. Empty: the reduction can start.
  std::optional<Mensaje> mensaje;
  bool pregunta = false;
  int numero = 0;  // which check gave `mensaje` (1..6), 0 when none

  // True when the reduction may start without asking.
  bool Superada() const { return !mensaje.has_value(); }
};

// `cifras` must be those of the current model (RecalculaReduccion); `yaExiste` tells
// whether the index of reductions already holds (Jornada, Orden).
Comprobacion ComprobarReduccion(const Reduccion& r, const Cifras& cifras, bool yaExiste);

// The messages themselves, for the screens and tests.
Mensaje MensajeTotalesSignos();
Mensaje MensajeColumnaProbable(int sinProbable);
Mensaje MensajeErroresPermitidos();
Mensaje MensajeBaseIncompletaAviso();
Mensaje MensajeBaseIncompleta();
Mensaje MensajeSinMultiples(int metodo);
Mensaje MensajeSinApuestas();
Mensaje MensajeReduccionExiste();

}  // namespace zendo
