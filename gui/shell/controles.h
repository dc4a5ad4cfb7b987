#pragma once
// Controls several screens share: an edit box or a list that stays hidden under its button
// until the button opens it, the box for a number and the list of jornadas. What a box
// accepts is the shared typing rule of gui/shell/tecleo.h.

#include <QListWidget>
#include <functional>

class QLineEdit;

namespace zendo {

class Boton;

// Opens `control` under its button: the button drawn pressed, the control shown on top
// with the focus, the text of a box selected so that typing replaces it.
void AbreBajoBoton(Boton* boton, QWidget* control);

// Hides a control opened under its button; when the keyboard was in it, the focus goes
// back to the button, so that the next Tab goes on from there.
void CierraBajoBoton(Boton* boton, QWidget* control);

// A hidden box of `ancho` x 24 for up to `largo` characters, right-aligned like a number.
QLineEdit* CajaNumero(const QString& nombre, int largo, int ancho, QWidget* padre);

// A hidden list for a button to open: one choice at a time, in a fixed-pitch font.
QListWidget* ListaBajoBoton(const QString& nombre, QWidget* padre);
// Fills it with the numbers 1 to `total` ("@@"), ten to a list column, `actual` chosen.
void RellenaNumeros(QListWidget* lista, int total, int actual);

// The jornadas 1 to `total` ("@@"), a list hidden until its button opens it. A click, Enter
// or the loss of the focus closes it and hands the chosen jornada to alElegir; Escape closes
// it and chooses nothing, so the screen keeps its jornada and what was typed on it.
class ListaJornadas : public QListWidget {
 public:
  ListaJornadas(const QString& nombre, int total, QWidget* padre);

  // Opens under `boton` with jornada `actual` marked.
  void Abre(Boton* boton, int actual);
  // Closes the open list and hands over its jornada; nothing when it is closed.
  void Toma();
  // Closes the open list without choosing.
  void Cierra();

  std::function<void(int jornada)> alElegir;

 protected:
  void focusOutEvent(QFocusEvent* evento) override;
  void keyPressEvent(QKeyEvent* evento) override;

 private:
  Boton* boton_ = nullptr;
  bool tomando_ = false;  // closing takes the focus away: that is not a second choice
};

}  // namespace zendo
