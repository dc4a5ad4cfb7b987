#pragma once
// DibujaMarcoTitulo: a frame of `listados` (" Modo de impresión ", " Formato de salida ",
// ...): an etched white and grey rectangle with its title printed twice, white and then
// blue one pixel lower and to the right. The frame's controls are its children.

#include <QWidget>

namespace zendo {

class MarcoTitulo : public QWidget {
 public:
  MarcoTitulo(const QString& nombre, const QString& titulo, QWidget* padre);
  const QString& titulo() const { return titulo_; }
  // Where the controls of the frame start (below the title).
  static constexpr int kArriba = 22;

 protected:
  void paintEvent(QPaintEvent* evento) override;

 private:
  QString titulo_;
};

}  // namespace zendo
