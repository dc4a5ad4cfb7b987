#pragma once
// Small interfaces to the outside world the shell needs: sound and help. The desktop
// program gives real ones; tests give recording ones.

#include "engine/core/datos_generales.h"

namespace zendo {

// Sounds by number: 1 a sign or option, 5 leaving, 6 a main action, 7 a value chooser,
// 9 help, Aceptar, Cancelar.
inline constexpr int kSonidoSigno = 1;
inline constexpr int kSonidoSalir = 5;
inline constexpr int kSonidoAccion = 6;
inline constexpr int kSonidoAjuste = 7;
inline constexpr int kSonidoAyuda = 9;

class ReproductorSonido {
 public:
  virtual ~ReproductorSonido() = default;
  // Stops whatever still plays and plays sound `id`; waits for its end unless asincrono.
  // A machine without sound plays nothing, without complaint.
  virtual void Toca(int id, bool asincrono) = 0;
};

class VisorAyuda {
 public:
  virtual ~VisorAyuda() = default;
  // Opens the help at the topic of a context number.
  virtual void Abre(int contexto) = 0;
};

// Plays a sound only when the general data have it switched on ("Si").
inline bool SonidoActivado(const DatosGenerales& d) {
  return d.Sonido == "Si";
}
inline void TocaSonido(const DatosGenerales& d, ReproductorSonido& r, int id,
                       bool asincrono = true) {
  if (SonidoActivado(d)) r.Toca(id, asincrono);
}

}  // namespace zendo
