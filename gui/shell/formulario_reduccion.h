#pragma once
// What the screens of the current reduction (reduction, consultation, output, scrutiny) do
// alike on each load: the record of the jornada and the stored definition of (Jornada,
// Orden) of the general data are read, their file messages shown, and the captions above
// the panel written.

#include "engine/consult/carga_pantalla.h"
#include "engine/core/jornadas.h"
#include "gui/shell/formulario.h"

class QLabel;

namespace zendo {

class FormularioReduccion : public Formulario {
  Q_OBJECT

 public:
  using Formulario::Formulario;

  bool reduccionCargada() const { return reduccionCargada_; }

 protected:
  // Reads into the current reduction, and returns it, the definition of the jornada and
  // orden of the general data (each kept within 1..99); a method out of range reads as the
  // direct method. The general data then hold the date of that jornada and the method of
  // that reduction.
  Reduccion& LeeReduccionActual();

  // The window caption and the title line, the description above the panel and the green
  // line of a manual reduction that took external columns (hidden otherwise).
  void RotulaPantalla(Pantalla pantalla, QLabel* titulo, QLabel* descripcion, QLabel* externo);

  Jornada jornada_;
  int16_t errorJornada_ = 0;  // the record could not be read: writing it would lose it
  bool reduccionCargada_ = false;
};

}  // namespace zendo
