#pragma once
// Pic_Porcen: the panel shown while a reduction runs: its title, the columns of the base
// and of the reduction, the percentage done with its band, the closing lines, and the
// buttons Cancelar (while it runs) and Salir (once it has ended).

#include <QStringList>
#include <QWidget>

#include "engine/reduction/generacion.h"

namespace zendo {

class Boton;

class PanelProgreso : public QWidget {
  Q_OBJECT

 public:
  explicit PanelProgreso(QWidget* padre);

  // A new run: everything cleared, Cancelar shown and Salir hidden.
  void Inicia();
  void Aviso(const AvisoProgreso& aviso);
  // A line of the program's own (a failure), after the others.
  void AgregaLinea(const QString& texto);
  // The run has ended: Salir instead of Cancelar.
  void Termina();

  // Every line shown, top to bottom.
  QStringList textos() const;
  int porcentaje() const { return porcentaje_; }
  Boton* cancelar() const { return cancelar_; }
  Boton* salir() const { return salir_; }

 protected:
  void paintEvent(QPaintEvent* evento) override;

 private:
  QString titulo_;
  QString apuestas_;
  QString lineaPorcentaje_;
  int porcentaje_ = -1;
  QStringList finales_;
  Boton* cancelar_ = nullptr;
  Boton* salir_ = nullptr;
};

}  // namespace zendo
