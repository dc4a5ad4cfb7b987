#include "gui/shell/formulario_reduccion.h"

#include <QLabel>
#include <algorithm>

#include "engine/core/indice.h"
#include "gui/shell/servicios.h"
#include "gui/shell/texto_qt.h"

namespace zendo {

Reduccion& FormularioReduccion::LeeReduccionActual() {
  Estado& e = s_.estado;
  const auto jornada = static_cast<int16_t>(std::clamp<int>(e.datos.Jornada, 1, 99));
  const auto orden = static_cast<int16_t>(std::clamp<int>(e.datos.Orden, 1, 99));
  const LecturaJornada lj = LeeJornada(e.rutaDatos, jornada);
  if (!lj.mensaje.empty()) s_.AvisoSistema(DeCp(ConCausa(lj.mensaje, lj.fallo)));
  jornada_ = lj.jornada;
  errorJornada_ = lj.error;
  Reduccion& r = e.reduccion;
  const LecturaIndice li = LeeReduccion(e.rutaDatos, jornada, orden, e.datos.Metodo, r);
  if (!li.estado.mensaje.empty()) {
    s_.AvisoSistema(DeCp(ConCausa(li.estado.mensaje, li.estado.fallo)));
  }
  reduccionCargada_ = li.ReduccionCargada;
  r.Jornada = jornada;
  r.Orden = orden;
  if (r.Metodo < 1 || r.Metodo > 5) r.Metodo = kMetodoDirecto;
  // The general data follow the current reduction, to be stored for the next start.
  if (errorJornada_ == 0) e.datos.FechaJornada = jornada_.FechaJornada;
  e.datos.Metodo = r.Metodo;
  return r;
}

void FormularioReduccion::RotulaPantalla(Pantalla pantalla, QLabel* titulo, QLabel* descripcion,
                                         QLabel* externo) {
  const Reduccion& r = s_.estado.reduccion;
  setWindowTitle(DeCp(TituloPantalla(pantalla, r.Metodo)));
  titulo->setText(windowTitle());
  descripcion->setText(DeCp(LineaDescripcion(r, reduccionCargada_)));
  const bool conExterno = r.Metodo == kMetodoManual && r.IncluyeExterno == 1;
  externo->setText(conExterno ? DeCp(LineaExterno(r)) : QString());
  externo->setVisible(conExterno);
}

}  // namespace zendo
