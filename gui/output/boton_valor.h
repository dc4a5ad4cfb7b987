#pragma once
// A value button of `listados`: its caption followed by the current value, and an editor
// (a box of digits or a list) that the button opens in place. The next press of the button,
// Enter in the editor, or leaving the editor while it is open commits it; Escape closes it
// with the value it had.

#include <QObject>
#include <QString>
#include <functional>

class QLineEdit;
class QListWidget;

namespace zendo {

class Boton;
class Servicios;

class BotonValor : public QObject {
  Q_OBJECT

 public:
  // `editor` is a QLineEdit (digits only) or a QListWidget, a sibling of the button.
  BotonValor(Servicios& servicios, Boton* boton, QWidget* editor, QString rotulo);

  Boton* boton() const { return boton_; }
  QWidget* editor() const { return editor_; }
  QLineEdit* caja() const;
  QListWidget* lista() const;
  bool abierto() const;

  // Opens the editor, or commits it when open.
  void Pulsa();
  // Commits the editor when it is open.
  void Cierra();
  // The caption: the label followed by `valor`.
  void PonValor(const QString& valor);

  // Commits what the editor holds and returns the value the caption shows.
  std::function<QString()> alConfirmar;

 protected:
  bool eventFilter(QObject* objeto, QEvent* evento) override;

 private:
  Servicios& s_;
  Boton* boton_;
  QWidget* editor_;
  QString rotulo_;
  bool cerrando_ = false;
  QString textoAlAbrir_;  // what the editor held when it opened, for Escape
  int filaAlAbrir_ = -1;
};

}  // namespace zendo
