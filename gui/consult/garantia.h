#pragma once
// The "Garantía" panel of the current reduction: the hits the best stored column is sure to
// have when the result falls inside the Quiniela Base, and the table and chart of how the
// results spread over 14 to 10 hits. The computation runs on a thread of its own; when it
// takes more than a moment a progress bar and Cancelar appear.

#include <QThread>
#include <atomic>
#include <functional>
#include <memory>

#include "engine/consult/garantia.h"
#include "engine/consult/panel_garantia.h"
#include "gui/shell/formulario.h"

class QLabel;
class QProgressBar;

namespace zendo {

class Boton;
class GraficoGarantia;
class TablaGarantia;

inline constexpr int kAyudaGarantia = 2380;

class DialogoGarantia : public Formulario {
  Q_OBJECT

 public:
  // How the guarantee is computed (CalculaGarantia; the tests give their own).
  using Calculo =
      std::function<ResultadoGarantia(const std::filesystem::path&, const Reduccion&,
                                      const ProgresoGarantia&, const std::atomic<bool>&)>;

  // Of the current reduction of `servicios`; the computation starts when the panel is
  // shown. `espera`: how long a computation may run before the progress bar appears (ms).
  DialogoGarantia(Servicios& servicios, QWidget* padre, Calculo calculo = CalculaGarantia,
                  int espera = 300);
  ~DialogoGarantia() override;

  bool calculando() const { return hilo_ != nullptr; }
  // The computation has ended and its outcome is shown.
  bool terminado() const { return terminado_; }
  const PanelGarantia& panel() const { return panel_; }

 signals:
  void calculoTerminado();

 protected:
  void showEvent(QShowEvent* evento) override;
  void reject() override;

 private:
  void Arranca();
  void MuestraProgreso();
  void Termina();
  void Compacta();
  void Cancela();
  void Detiene();

  Calculo calculo_;
  int espera_;
  bool arrancado_ = false;
  bool terminado_ = false;
  std::unique_ptr<QThread> hilo_;
  std::atomic<bool> cancelar_{false};
  ResultadoGarantia resultado_;
  PanelGarantia panel_;

  QLabel* garantia_ = nullptr;
  QLabel* resumen_ = nullptr;
  TablaGarantia* tabla_ = nullptr;
  GraficoGarantia* grafico_ = nullptr;
  QProgressBar* progreso_ = nullptr;
  Boton* cancelarBoton_ = nullptr;
};

}  // namespace zendo
