#include "gui/consult/carga_reduccion.h"

#include <QLabel>
#include <algorithm>

#include "engine/core/indice.h"
#include "gui/shell/servicios.h"
#include "gui/shell/texto_qt.h"

namespace zendo {

LecturaPantalla LeeJornadaYReduccion(Servicios& s) {
  Estado& e = s.estado;
  const auto jornada = static_cast<int16_t>(std::clamp<int>(e.datos.Jornada, 1, 99));
  const auto orden = static_cast<int16_t>(std::clamp<int>(e.datos.Orden, 1, 99));
  LecturaPantalla l;
  const LecturaJornada lj = LeeJornada(e.rutaDatos, jornada);
  if (!lj.mensaje.empty()) s.AvisoSistema(DeCp(ConCausa(lj.mensaje, lj.fallo)));
  l.jornada = lj.jornada;
  l.errorJornada = lj.error;
  Reduccion& r = e.reduccion;
  const LecturaIndice li = LeeReduccion(e.rutaDatos, jornada, orden, e.datos.Metodo, r);
  if (!li.estado.mensaje.empty()) {
    s.AvisoSistema(DeCp(ConCausa(li.estado.mensaje, li.estado.fallo)));
  }
  l.ReduccionCargada = li.ReduccionCargada;
  r.Jornada = jornada;
  r.Orden = orden;
  if (r.Metodo < 1 || r.Metodo > 5) r.Metodo = kMetodoDirecto;
  // The general data follow the current reduction, to be stored for the next start.
  if (l.errorJornada == 0) e.datos.FechaJornada = l.jornada.FechaJornada;
  e.datos.Metodo = r.Metodo;
  return l;
}

void RotulaPantalla(Pantalla pantalla, const Reduccion& r, bool reduccionCargada, QWidget* ventana,
                    QLabel* titulo, QLabel* descripcion, QLabel* externo) {
  ventana->setWindowTitle(DeCp(TituloPantalla(pantalla, r.Metodo)));
  titulo->setText(ventana->windowTitle());
  descripcion->setText(DeCp(LineaDescripcion(r, reduccionCargada)));
  const bool conExterno = r.Metodo == kMetodoManual && r.IncluyeExterno == 1;
  externo->setText(conExterno ? DeCp(LineaExterno(r)) : QString());
  externo->setVisible(conExterno);
}

}  // namespace zendo
