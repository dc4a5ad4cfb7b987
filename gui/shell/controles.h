#pragma once
// Controls several screens share: an edit box or a list that stays hidden under its button
// until the button opens it, the box for a number, the list of jornadas, and the filter of
// what is typed in a box.

#include <QListWidget>
#include <cstddef>
#include <functional>
#include <string_view>

class QLineEdit;

namespace zendo {

class Boton;

// Keeps in a box only what a Windows-1252 file can hold, without `prohibidos`, cut to
// `maximo` characters; the caret stays where it was.
void FiltraCajaCp1252(QLineEdit* caja, std::size_t maximo, std::string_view prohibidos = {});

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
// or the loss of the focus closes it and hands the chosen jornada to alElegir.
class ListaJornadas : public QListWidget {
 public:
  ListaJornadas(const QString& nombre, int total, QWidget* padre);

  // Opens under `boton` with jornada `actual` marked.
  void Abre(Boton* boton, int actual);
  // Closes the open list and hands over its jornada; nothing when it is closed.
  void Toma();

  std::function<void(int jornada)> alElegir;

 protected:
  void focusOutEvent(QFocusEvent* evento) override;

 private:
  Boton* boton_ = nullptr;
  bool tomando_ = false;  // closing takes the focus away: that is not a second choice
};

}  // namespace zendo
