#pragma once
// The general data screen `datosgen`: six settings, each on a button that opens its edit
// box; Guardar writes them to DATOSGEN.TVX; leaving without Guardar drops the changes.

#include "engine/core/datos_generales.h"
#include "gui/shell/formulario.h"

class QLineEdit;
class QListWidget;

namespace zendo {

class Boton;

class PantallaDatosGen : public Formulario {
  Q_OBJECT

 public:
  PantallaDatosGen(Servicios& servicios, QWidget* padre = nullptr);

  void done(int resultado) override;

 protected:
  bool eventFilter(QObject* objeto, QEvent* evento) override;

 private:
  struct Ajuste {
    Boton* boton = nullptr;
    QWidget* control = nullptr;
  };

  // Boton_MD: opens the edit control of a button, or closes it and applies its value.
  void Boton_MD(const Ajuste& ajuste);
  void Aplica(const Ajuste& ajuste);
  void Rotula();
  // Every control, or only `solo`, shows its value as held.
  void Rellena(const QWidget* solo = nullptr);
  void Guarda();
  void MuestraGuardar();
  const Ajuste* AjusteDe(QObject* control) const;

  Ajuste totJor_, totOrd_, preApu_, sonido_, delega_, receptor_;
  QLineEdit* texTotJor_ = nullptr;
  QLineEdit* texTotOrd_ = nullptr;
  QLineEdit* texPreApu_ = nullptr;
  QListWidget* lisSonido_ = nullptr;
  QLineEdit* texDelegacion_ = nullptr;
  QLineEdit* texReceptor_ = nullptr;
  Boton* guardar_ = nullptr;
  DatosGenerales guardados_;  // the settings as they stand in the file
  bool aplicando_ = false;
  bool cerrado_ = false;
};

}  // namespace zendo
