#pragma once
// The screen `listados`: the options of one output mode (its PanelModo, see panel_modo.h)
// and the run that mode starts. The window's caption is the caption of the mode.

#include <QString>
#include <atomic>
#include <memory>
#include <vector>

#include "gui/output/panel_modo.h"
#include "gui/shell/formulario.h"

class QLabel;

namespace zendo {

class Boton;

class PantallaListados : public Formulario {
  Q_OBJECT

 public:
  PantallaListados(Servicios& servicios, const ModosSalida& modos, int modo,
                   QWidget* padre = nullptr);
  ~PantallaListados() override;

  int modo() const { return modo_; }
  Servicios& servicios() { return s_; }
  PanelModo* panelModo() const { return panel_.get(); }

  // ---- For the mode panels ----
  Boton* accion() const { return accion_; }
  Boton* cancelar() const { return cancelar_; }
  Boton* ayuda() const { return ayuda_; }
  Boton* salir() const { return salir_; }
  // One more button on the bottom row, beside the action button (hidden while busy unless
  // the run shows it itself).
  void AnadeBoton(Boton* boton);
  // The busy state of a run: Ayuda, Salir and the action buttons hidden, Cancelar shown,
  // the cancel flag cleared.
  void EmpiezaProceso();
  void TerminaProceso();
  bool procesando() const { return procesando_; }
  // Set by Cancelar, or by Salir while busy.
  std::atomic<bool>& cancelado() { return cancelado_; }
  // The status line; an empty text clears it.
  void PonEstado(const QString& texto);
  QString estado() const;

  // Leaves the screen as Salir does (the panel may keep it open).
  void Sal();

  void done(int resultado) override;

 protected:
  void keyPressEvent(QKeyEvent* evento) override;

 private:
  void Coloca(QSize zona);
  void PulsaAccion();
  void PulsaCancelar();

  int modo_;
  std::unique_ptr<PanelModo> panel_;
  QWidget* zona_ = nullptr;
  QLabel* titulo_ = nullptr;
  QLabel* estado_ = nullptr;
  Boton* accion_ = nullptr;
  Boton* cancelar_ = nullptr;
  Boton* ayuda_ = nullptr;
  Boton* salir_ = nullptr;
  std::vector<Boton*> fila_;     // the buttons of the bottom row, the action first
  std::vector<Boton*> ocultos_;  // hidden by the run, shown again at its end
  bool procesando_ = false;
  bool saliendo_ = false;
  std::atomic<bool> cancelado_{false};
};

}  // namespace zendo
