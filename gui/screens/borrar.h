#pragma once
// The screen `borrar`: wipes the jornada records, the index records and the columns files
// of a range of jornadas, after a question.

#include "engine/core/borrado.h"
#include "gui/shell/formulario.h"

class QListWidget;

namespace zendo {

class Boton;

class PantallaBorrar : public Formulario {
  Q_OBJECT

 public:
  PantallaBorrar(Servicios& servicios, QWidget* padre = nullptr);

  const RangoJornadas& rango() const { return rango_; }

 protected:
  bool eventFilter(QObject* objeto, QEvent* evento) override;

 private:
  void AbreLista(Boton* boton, QListWidget* lista);
  void TomaLista(QListWidget* lista);
  void Rotula();
  void BorraDatos();

  RangoJornadas rango_;
  Boton* jorIni_ = nullptr;
  Boton* jorFin_ = nullptr;
  Boton* borDatos_ = nullptr;
  QListWidget* lisJorIni_ = nullptr;
  QListWidget* lisJorFin_ = nullptr;
  bool tomando_ = false;
};

}  // namespace zendo
