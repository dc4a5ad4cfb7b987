#pragma once
// How screens talk to the user: the program's own message dialog, and the plain system
// message box kept for file errors. Tests give their own Mensajero that answers at once.

#include <QString>

#include "engine/core/mensaje.h"

namespace zendo {

class Servicios;

class Mensajero {
 public:
  virtual ~Mensajero() = default;
  // Shows the message and returns when it is closed: true when closed with Aceptar.
  virtual bool Muestra(Servicios& servicios, const Mensaje& mensaje) = 0;
  // A system message box with a single OK button and the program's title.
  virtual void AvisoSistema(const QString& texto) = 0;
};

// The real one: the modal dialog `mensajes` and QMessageBox.
class MensajeroDialogo : public Mensajero {
 public:
  bool Muestra(Servicios& servicios, const Mensaje& mensaje) override;
  void AvisoSistema(const QString& texto) override;
};

}  // namespace zendo
