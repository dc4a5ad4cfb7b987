#pragma once
// The screen `equipos`: the list of team names offered in the team boxes of the jornada
// screen. Names are added and deleted in the list; Guardar rewrites EQUIPOS.TVX whole;
// leaving without Guardar drops the changes.

#include "gui/shell/formulario.h"

class QLineEdit;
class QListWidget;

namespace zendo {

class Boton;

class PantallaEquipos : public Formulario {
  Q_OBJECT

 public:
  PantallaEquipos(Servicios& servicios, QWidget* padre = nullptr);

 protected:
  bool eventFilter(QObject* objeto, QEvent* evento) override;

 private:
  void CargaLisEquipos();
  void TecleoNombre();
  void Anade();
  void Borra();
  void Guarda();

  QListWidget* lisEquipos_ = nullptr;
  QLineEdit* texNuevo_ = nullptr;
  Boton* anadir_ = nullptr;
  Boton* borrar_ = nullptr;
  Boton* guardar_ = nullptr;
};

}  // namespace zendo
