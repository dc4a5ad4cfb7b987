#pragma once
// The main menu `zendo`: seven buttons open the seven screens, each modal; Ayuda and
// Salir. Leaving writes the general data back and ends the program.

#include <QDialog>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>

namespace zendo {

class Boton;
class Servicios;

class MenuPrincipal : public QWidget {
  Q_OBJECT

 public:
  // Builds the screen of a menu button, as a child of the menu.
  using Fabrica = std::function<std::unique_ptr<QDialog>(Servicios&, QWidget*)>;

  explicit MenuPrincipal(Servicios& servicios, QWidget* padre = nullptr);

  // A button without a screen stays disabled.
  void PonPantalla(int indice, Fabrica fabrica);
  // Reads the general data (a missing file is created, with its message).
  void Carga();
  // DibujaMenu: every button released.
  void DibujaMenu();

  // Leaving the program. A failed save of the general data is reported and the user may
  // stay in the program; returns false then.
  bool Sal();
  bool saliendo() const { return saliendo_; }

 protected:
  void paintEvent(QPaintEvent* evento) override;
  void closeEvent(QCloseEvent* evento) override;

 private:
  void PulsaBoton(int indice);

  Servicios& s_;
  std::array<Boton*, 8> botones_{};
  std::array<Fabrica, 8> fabricas_{};
  bool saliendo_ = false;
  bool terminado_ = false;
};

}  // namespace zendo
