#pragma once
// The reduction screen `reducir`: the Quiniela Base and the criteria of the five methods
// are edited on the quiniela panel and the buttons around it, the figures and the chart
// follow every click, and "Reducir apuestas" runs the checks and then the reduction on a
// worker thread while the progress panel reports it.

#include <QThread>
#include <atomic>
#include <memory>
#include <vector>

#include "engine/core/jornadas.h"
#include "engine/reduction/cifras.h"
#include "engine/reduction/edicion.h"
#include "engine/reduction/externo.h"
#include "engine/reduction/generacion.h"
#include "gui/shell/formulario_reduccion.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;

namespace zendo {

class Boton;
class GraficoReduccion;
class PanelEsta;
class PanelExterno;
class PanelProgreso;
class PanelQuiniela;

class PantallaReducir : public FormularioReduccion {
  Q_OBJECT

 public:
  explicit PantallaReducir(Servicios& servicios, QWidget* padre = nullptr);
  ~PantallaReducir() override;

  // Closing while a reduction runs cancels it first and waits for it to stop.
  void done(int resultado) override;

  PanelQuiniela* panel() const { return panel_; }
  const Cifras& cifras() const { return cifras_; }
  const Externo& externo() const { return externo_; }
  // A reduction is running on the worker thread.
  bool enMarcha() const { return hilo_ != nullptr; }
  // The run has started and Salir of the progress panel has not been pressed yet.
  bool ocupado() const { return ocupadoReduccion_; }
  int metodoPendiente() const { return metodoPendiente_; }
  const ResultadoReduccion& resultado() const { return resultado_; }

 signals:
  // The worker has ended (completed, cancelled or failed); the panel waits for Salir.
  void reduccionTerminada();

 protected:
  bool eventFilter(QObject* objeto, QEvent* evento) override;
  void keyPressEvent(QKeyEvent* evento) override;

 private:
  struct Parametro {
    Boton* boton = nullptr;
    QWidget* control = nullptr;
  };

  void Construye();
  // CargaPantalla for this screen; RecargaPantalla is the same on reducir.
  void CargaPantalla();
  void Coloca();
  void Recalcula();
  void TrasEdicion(const Cambio& c);
  void Sonidos(const std::vector<int>& sonidos);
  void Rotula();
  void RellenaListasErrores();
  void PonColorExterno();

  // Opens a chooser list under its button, or closes it: then the number chosen (its row
  // plus one), 0 while it opens or when it cannot act.
  int AlternaLista(Boton* boton, QListWidget* lista);
  void EligeJornada();
  void EligeOrden();
  void AbreHistorico();
  void Boton_MD(const Parametro& p);
  void Aplica(const Parametro& p);
  const Parametro* ParametroDe(QObject* control) const;
  // Applies and closes whatever edit box or list is open.
  void CierraAbiertos();
  // Closes an open list or box of the choosers and criteria as its button would, after
  // putting back the value it had; false when `control` is none of them or is closed.
  bool CierraSinCambios(QObject* control);
  void PulsaSeleccionarTodo();
  void PulsaBorrarTodo();

  void PulsaReducir();
  void ArrancaReduccion(const Cifras& cifras);
  void FinReduccion();
  void PulsaSalirPorcen();
  void PulsaCancelar();
  void HabilitaPantalla(bool habilitada);
  // The definition differs from the one loaded (or stored by the last run).
  bool Cambiada() const;
  // "¿Desea descartar los cambios?" when the definition changed: true when it may go.
  bool DescartaCambios();
  // After a change refused: the general data and the lists back on the reduction shown.
  void VuelveALaActual();
  void EscribeDescripcion();

  PanelQuiniela* panel_ = nullptr;
  QLabel* titulo_ = nullptr;
  Boton* nroJor_ = nullptr;
  QLabel* fecha_ = nullptr;
  Boton* orden_ = nullptr;
  Boton* indice_ = nullptr;
  QListWidget* lisJornadas_ = nullptr;
  QListWidget* lisOrden_ = nullptr;
  Parametro metodo_, minErr_, maxErr_, minPor_, maxPor_;
  QListWidget* lisMetodos_ = nullptr;
  QListWidget* lisMinErrores_ = nullptr;
  QListWidget* lisMaxErrores_ = nullptr;
  QLineEdit* texRangoMin_ = nullptr;
  QLineEdit* texRangoMax_ = nullptr;
  QLabel* labCriterios_ = nullptr;  // "Porcentajes admitidos" over the range buttons
  QLabel* labDescripcion_ = nullptr;
  QLineEdit* texDescripcion_ = nullptr;
  QCheckBox* chkIncluirExterno_ = nullptr;
  PanelEsta* esta_ = nullptr;
  PanelExterno* panelExterno_ = nullptr;
  GraficoReduccion* grafico_ = nullptr;
  PanelProgreso* porcen_ = nullptr;
  Boton* reducir_ = nullptr;
  Boton* selTodo_ = nullptr;
  Boton* borTodo_ = nullptr;
  Boton* ayuda_ = nullptr;
  Boton* salir_ = nullptr;

  Reduccion cargada_;  // the definition as loaded, to tell whether it was changed
  Externo externo_;
  Cifras cifras_;
  int metodoPendiente_ = 0;  // a method chosen here and not stored yet
  bool aplicando_ = false;   // the program itself is hiding a list or a box
  bool cerrado_ = false;

  // The run.
  std::unique_ptr<QThread> hilo_;
  std::atomic<bool> cancelar_{false};
  Reduccion trabajo_;  // the model the worker reduces (a copy)
  ResultadoReduccion resultado_;
  bool ocupadoReduccion_ = false;
  bool recargarAlSalir_ = false;
  std::vector<QWidget*> deshabilitados_;
};

}  // namespace zendo
