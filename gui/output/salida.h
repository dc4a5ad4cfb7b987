#pragma once
// The output screen `salida`: the current reduction with its quiniela panel and choosers,
// and the six output buttons Pic_BotSal1..6. A button opens `listados` in its mode; a mode
// whose options are not registered (ModosSalida, gui/output/panel_modo.h) stays disabled.

#include "engine/core/jornadas.h"
#include "gui/shell/formulario_reduccion.h"

class QLabel;

namespace zendo {

class Boton;
class ModosSalida;
class PanelQuiniela;
class SelectorReduccion;

class PantallaSalida : public FormularioReduccion {
  Q_OBJECT

 public:
  PantallaSalida(Servicios& servicios, const ModosSalida& modos, QWidget* padre = nullptr);

  PanelQuiniela* panel() const { return panel_; }
  // Pic_BotSal(modo): opens `listados` in that mode (nothing without a reduction).
  void PulsaSalida(int modo);

 private:
  // CargaPantalla for this screen; RecargaPantalla is the same here.
  void CargaPantalla();
  void Coloca();

  const ModosSalida& modos_;
  PanelQuiniela* panel_ = nullptr;
  SelectorReduccion* selector_ = nullptr;
  QLabel* titulo_ = nullptr;
  QLabel* descripcion_ = nullptr;
  QLabel* externo_ = nullptr;
  Boton* botones_[7] = {};
  Boton* ayuda_ = nullptr;
  Boton* salir_ = nullptr;
};

}  // namespace zendo
