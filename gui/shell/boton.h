#pragma once
// The one button of every screen: a picture drawn by the program. A caption button is
// built from the strip (DibujaBoton); a fixed button shows its own image and a tool tip.
// It acts on mouse-down, with either mouse button, like the rest of the program.

#include <QPixmap>
#include <QWidget>

#include "gui/shell/imagenes.h"

namespace zendo {

class Boton : public QWidget {
  Q_OBJECT

 public:
  // Captions in "Arial" 9 (white face) or in the other font of the strip, 8 (yellow face).
  enum class Fuente { Arial, Otra };

  // A caption button: its width comes from its control name.
  Boton(const QString& nombreControl, const QString& texto, QWidget* padre,
        Fuente fuente = Fuente::Arial);
  // A fixed button with an image and a tool tip.
  Boton(const QString& nombreControl, ImagenFija imagen, const QString& ayudaEmergente,
        QWidget* padre);

  // DibujaBoton: draws the button released or pressed with its caption.
  void Dibuja(bool pulsado);
  void PonTexto(const QString& texto);
  QString texto() const { return texto_; }
  bool pulsado() const { return pulsado_; }
  // The picture as drawn, for checks.
  const QPixmap& imagen() const { return imagen_; }

  QSize sizeHint() const override { return imagen_.size() / imagen_.devicePixelRatio(); }

 signals:
  void pulsadoRaton();

 protected:
  void paintEvent(QPaintEvent* evento) override;
  void changeEvent(QEvent* evento) override;
  void mousePressEvent(QMouseEvent* evento) override;
  void keyPressEvent(QKeyEvent* evento) override;

 private:
  void Pinta();
  void PonCursorSegunEstado();

  QString texto_;
  Fuente fuente_ = Fuente::Arial;
  bool conImagen_ = false;
  ImagenFija fija_ = ImagenFija::Ayuda;
  bool pulsado_ = false;
  QPixmap imagen_;
};

// The fonts of the two kinds of caption.
QFont FuenteBoton(Boton::Fuente fuente);

}  // namespace zendo
