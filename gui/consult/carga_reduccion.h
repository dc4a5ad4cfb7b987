#pragma once
// What CargaPantalla does alike on the screens of the current reduction: the record of the
// jornada and the stored definition of (Jornada, Orden) of the general data are read, their
// file messages shown, and the captions above the panel written.

#include "engine/consult/carga_pantalla.h"
#include "engine/core/jornadas.h"

class QLabel;
class QWidget;

namespace zendo {

class Servicios;

struct LecturaPantalla {
  Jornada jornada;
  int16_t errorJornada = 0;  // the record could not be read: writing it would lose it
  bool ReduccionCargada = false;
};

// Reads into the current reduction the definition of the jornada and orden of the general
// data (each kept within 1..99); a method out of range reads as the direct method. The
// general data then hold the date of that jornada and the method of that reduction.
LecturaPantalla LeeJornadaYReduccion(Servicios& servicios);

// The window caption and the title line, the description above the panel and the green
// line of a manual reduction that took external columns (hidden otherwise).
void RotulaPantalla(Pantalla pantalla, const Reduccion& r, bool reduccionCargada, QWidget* ventana,
                    QLabel* titulo, QLabel* descripcion, QLabel* externo);

}  // namespace zendo
