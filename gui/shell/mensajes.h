#pragma once
// The program's message dialog `mensajes`: a title, a text in a monospaced font so that
// texts laid out with blanks keep their columns, and one of two sets of buttons.

#include <QDialog>

#include "gui/shell/mensajero.h"

class QLabel;

namespace zendo {

class Boton;
class Servicios;

class DialogoMensajes : public QDialog {
  Q_OBJECT

 public:
  DialogoMensajes(Servicios& servicios, const Mensaje& mensaje, QWidget* padre = nullptr);

  // RespuestaDialogo: true once closed with Aceptar.
  bool respuesta() const { return respuesta_; }

 protected:
  void keyPressEvent(QKeyEvent* evento) override;
  void paintEvent(QPaintEvent* evento) override;
  void showEvent(QShowEvent* evento) override;

 private:
  void Aceptar();
  void Cancelar();
  void Salir();

  Servicios& s_;
  Mensaje mensaje_;
  bool respuesta_ = false;
};

// The monospaced font of the dialog: "Courier New", or a font with its metrics.
QFont FuenteMensajes();

}  // namespace zendo
