#pragma once
// The screen `borrar`: wipes the jornada records, the index records and the columns files
// of a range of jornadas, after a question.

#include "engine/core/borrado.h"
#include "gui/shell/formulario.h"

namespace zendo {

class Boton;
class ListaJornadas;

class PantallaBorrar : public Formulario {
  Q_OBJECT

 public:
  PantallaBorrar(Servicios& servicios, QWidget* padre = nullptr);

  const RangoJornadas& rango() const { return rango_; }

 private:
  void AbreLista(Boton* boton, ListaJornadas* lista, int actual);
  void Rotula();
  void BorraDatos();

  RangoJornadas rango_;
  Boton* jorIni_ = nullptr;
  Boton* jorFin_ = nullptr;
  Boton* borDatos_ = nullptr;
  ListaJornadas* lisJorIni_ = nullptr;
  ListaJornadas* lisJorFin_ = nullptr;
};

}  // namespace zendo
