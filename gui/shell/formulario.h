#pragma once
// What every screen shares: centring, the two corner emblems, the bevelled frame and the
// background, the title line, and the Ayuda and Salir buttons.

#include <QDialog>

class QLabel;
class QPainter;

namespace zendo {

class Servicios;

// CentraFormulario: centred on the screen, leaving 26 pixels free at the bottom.
void CentraFormulario(QWidget* formulario);
// IniciaFormulario: places the two 48 x 48 emblems in the top corners.
void IniciaFormulario(QWidget* formulario);
// DibujaMarco: a white rectangle 2 pixels wide inside the edges, grey along the bottom and
// the right.
void DibujaMarco(QPainter& p, const QRect& zona);
// The program's background for a screen.
void PintaFondo(QPainter& p, const QRect& zona);

class Formulario : public QDialog {
  Q_OBJECT

 public:
  Formulario(Servicios& servicios, const QString& nombre, const QString& titulo, QWidget* padre);

 protected:
  void paintEvent(QPaintEvent* evento) override;
  void showEvent(QShowEvent* evento) override;
  // A heading across the screen, between the emblems.
  QLabel* PonTitulo(const QString& texto);
  // The Ayuda and Salir buttons in the bottom corners, `arriba` pixels above the bottom
  // edge, with the tool tips "Ayuda de <tema>" and "Salir de <tema>": Ayuda opens the help
  // at `contexto`, Salir leaves the screen. The screen's size must be set already.
  void PonAyudaSalir(const QString& tema, int contexto, int arriba = 20);

  Servicios& s_;
};

}  // namespace zendo
